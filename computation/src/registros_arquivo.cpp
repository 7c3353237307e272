// The digital file's records, field by field (layouts in registros_arquivo.h's callers' tables).
#include "vorel/computation/registros_arquivo.h"

#include <cctype>
#include <cstdio>

#include "vorel/core/text.h"

namespace vorel::computation {

namespace {

std::string Digitos(std::string_view s) {
    std::string d;
    for (char c : s)
        if (std::isdigit(static_cast<unsigned char>(c))) d += c;
    return d;
}

std::string DataTexto(date::Day d) {
    if (d <= 0) return "00000000";
    const date::Ymd p = date::split(d);
    char b[16];
    std::snprintf(b, sizeof b, "%04d%02d%02d", p.year % 10000, p.month, p.day);
    return b;
}

}  // namespace

void LinhaArquivo::Recusa(std::string_view campo, std::string valor, int largura) {
    recusas_.push_back({registro_, std::string(campo), std::move(valor)});
    linha_.append(static_cast<std::size_t>(largura), '0');
}

LinhaArquivo& LinhaArquivo::Texto(std::string_view s, std::size_t largura) {
    s = s.substr(0, std::min(s.size(), largura));
    linha_ += s;
    linha_.append(largura - s.size(), ' ');
    return *this;
}

LinhaArquivo& LinhaArquivo::Numero(const Decimal& v, int largura, std::string_view campo) {
    if (v.sign() < 0 || v != Decimal(v.cut(0))) {
        Recusa(campo, v.to_string(), largura);
        return *this;
    }
    const std::string d = v.to_string();
    if (static_cast<int>(d.size()) > largura) {
        Recusa(campo, d, largura);
        return *this;
    }
    linha_.append(static_cast<std::size_t>(largura) - d.size(), '0');
    linha_ += d;
    return *this;
}

LinhaArquivo& LinhaArquivo::Implicito(const Decimal& v, int casas, int largura, std::string_view campo) {
    if (v.sign() < 0) {
        Recusa(campo, v.to_string(), largura);
        return *this;
    }
    try {
        const std::string d = std::to_string(v.scaled(casas));
        if (static_cast<int>(d.size()) > largura) {
            Recusa(campo, v.to_string(), largura);
            return *this;
        }
        linha_.append(static_cast<std::size_t>(largura) - d.size(), '0');
        linha_ += d;
    } catch (const DecimalOverflow&) {
        Recusa(campo, v.to_string(), largura);
    }
    return *this;
}

LinhaArquivo& LinhaArquivo::Data(date::Day d) {
    linha_ += DataTexto(d);
    return *this;
}

LinhaArquivo& LinhaArquivo::Produto(const Decimal& codigo) {
    if (codigo.sign() < 0 || codigo.to_string().size() > 14) {
        recusas_.push_back({registro_, "produto", codigo.to_string()});
        linha_.append(14, ' ');
        return *this;
    }
    return Texto(codigo.to_string(), 14);
}

LinhaArquivo& LinhaArquivo::Cnpj(std::string_view cnpj) {
    std::string d = Digitos(text::clip(cnpj));
    const std::size_t primeiro = d.find_first_not_of('0');
    d = primeiro == std::string::npos ? std::string() : d.substr(primeiro);
    if (d.size() > 14) {
        Recusa("CNPJ", std::string(cnpj), 14);
        return *this;
    }
    linha_.append(14 - d.size(), '0');
    linha_ += d;
    return *this;
}

std::string RegistroCabecalho(const DadosCabecalho& d, VersaoArquivo v, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("01", recusas);
    l.Literal("01").Texto(d.cgc, 14).Texto(d.inscricaoEstadual, 14);
    // The CNAE in 7 digits; "2.1" and "2.3" carry its first 5 twice.
    LinhaArquivo cnae("01", recusas);
    cnae.Numero(d.cnae, 7, "CNAE");
    if (v == VersaoArquivo::V23Port9905) {
        l.Literal(cnae.str());
    } else {
        l.Literal(cnae.str().substr(0, 5)).Literal(cnae.str().substr(0, 5));
    }
    l.Texto(d.razaoSocial, 35).Texto(d.cidade, 30).Texto(d.uf, 2).Data(d.inicio).Data(d.fim);
    l.Texto(d.endereco, 34).Numero(d.numero, 5, "número").Texto(d.complemento, 22).Texto(d.bairro, 15);
    l.Numero(d.cep, 8, "CEP").Texto(d.responsavel, 28).Numero(d.fax, 10, "fax").Numero(d.fone, 12, "telefone");
    l.Texto(d.email, 50).Texto(d.paginaWeb, 30).Texto("", 10);
    return l.str();
}

std::string CampoCfop(const Decimal& cfop, VersaoArquivo v, std::string_view rotulo, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l(std::string(rotulo), recusas);
    l.Numero(cfop, v == VersaoArquivo::V21 ? 3 : 4, "CFOP");
    return l.str();
}

std::string RegistroEstoque(const DadosEstoque& d, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l(d.rotulo, recusas);
    l.Literal("02").Texto(d.cnpj, 14).Texto(d.inscricao, 14).Texto(d.uf, 2).Data(d.data).Texto(d.serie, 2);
    l.Numero(d.numero, 6, "número").Literal(d.cfop).Numero(d.complemento, 2, "complemento");
    l.Implicito(d.quantidade, 3, 13, "quantidade").Implicito(d.valorA, 2, 13, "base 1");
    l.Implicito(d.valorB, 2, 13, "base 2").Produto(d.produto);
    if (d.completo) l.Texto(d.chassi, 22).Implicito(d.valorC, 2, 13, "base própria");
    return l.str();
}

std::string RegistroMestre(const DadosMestre& d, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("03M " + DataTexto(d.data), recusas);
    l.Literal("03M").Data(d.data).Numero(d.maquina, 3, "máquina").Texto(d.serie, 15).Texto(d.cupomFiscal, 2);
    l.Numero(d.cupomInicial, 6, "cupom inicial").Numero(d.cupomFinal, 6, "cupom final").Numero(d.reducao, 6, "redução");
    l.Implicito(d.gtInicio, 2, 16, "GT inicial").Implicito(d.gtFinal, 2, 16, "GT final");
    return l.str();
}

std::string RegistroAnalitico(const DadosAnalitico& d, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("03A " + DataTexto(d.data), recusas);
    l.Literal("03A").Data(d.data).Numero(d.maquina, 3, "máquina").Texto(d.aliquota, 4);
    l.Implicito(d.totalizador, 2, 12, "totalizador");
    return l.str();
}

std::string RegistroItemCaixa(const DadosItemCaixa& d, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("03P " + DataTexto(d.data) + " produto " + d.produto.to_string(), recusas);
    l.Literal("03P").Data(d.data).Numero(d.maquina, 3, "máquina").Implicito(d.quantidade, 3, 13, "quantidade");
    l.Literal("0000000000000").Implicito(d.base, 2, 13, "base").Produto(d.produto);
    return l.str();
}

std::string RegistroProduto(const Decimal& codigo, std::string_view descricao, std::string_view medida,
                            std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("04 produto " + codigo.to_string(), recusas);
    l.Literal("04").Produto(codigo).Texto(descricao, 75).Texto(medida, 3);
    return l.str();
}

std::string RegistroAliquota(const Decimal& codigo, date::Day inicio, date::Day fim, const Decimal& aliquota,
                             std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("05 produto " + codigo.to_string(), recusas);
    l.Literal("05").Produto(codigo).Data(inicio).Data(fim).Implicito(aliquota, 2, 4, "alíquota");
    return l.str();
}

std::string RegistroContagem(int subtipo, long long contagem, std::vector<ValorRecusado>& recusas) {
    LinhaArquivo l("06", recusas);
    char t[8];
    std::snprintf(t, sizeof t, "06%02d", subtipo);
    l.Literal(t).Numero(contagem, 14, "contagem");
    return l.str();
}

}  // namespace vorel::computation
