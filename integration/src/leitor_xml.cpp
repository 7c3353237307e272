// The NF-e reader: pugixml on one document at a time, lines composed per document and written only
// when the whole document fits the layouts.
#include "vorel/integration/leitor_xml.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>

#include <pugixml.hpp>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

namespace vorel::integration {
namespace {

// A child element by its local name (any namespace prefix ignored, as older documents carry some).
pugi::xml_node Filho(pugi::xml_node no, std::string_view nome) {
    for (pugi::xml_node c = no.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        std::string_view n = c.name();
        if (auto p = n.find(':'); p != std::string_view::npos) n = n.substr(p + 1);
        if (n == nome) return c;
    }
    return {};
}

std::string_view Texto(pugi::xml_node no, std::string_view nome) {
    return Filho(no, nome).child_value();
}

std::string Digitos(std::string_view s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

// A decimal text of the XML ("123.4500") as a whole number of 10^-escala units, rounded half away
// from zero; nullopt when it is not a number. An absent value reads as 0.
std::optional<long long> Escalado(std::string_view s, int escala) {
    s = text::trim(s);
    if (s.empty()) return 0LL;
    bool negativo = false;
    if (s.front() == '-') {
        negativo = true;
        s.remove_prefix(1);
    }
    long long inteiro = 0;
    std::size_t i = 0;
    bool algum = false;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, algum = true) {
        if (inteiro > 100000000000000LL) return std::nullopt;
        inteiro = inteiro * 10 + (s[i] - '0');
    }
    long long fracao = 0;
    int casas = 0;
    bool arredonda = false;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, algum = true) {
            if (casas < escala) {
                fracao = fracao * 10 + (s[i] - '0');
                ++casas;
            } else if (casas == escala) {
                arredonda = s[i] >= '5';
                ++casas;
            }
        }
    }
    if (!algum || i != s.size()) return std::nullopt;
    for (int c = std::min(casas, escala); c < escala; ++c) fracao *= 10;
    long long fator = 1;
    for (int c = 0; c < escala; ++c) fator *= 10;
    long long v = inteiro * fator + fracao + (arredonda ? 1 : 0);
    return negativo ? -v : v;
}

// Composes one fixed-width line; the first value that does not fit is kept as the reason.
class Linha {
public:
    explicit Linha(std::string& motivo) : motivo_(motivo) {}
    Linha& Num(long long v, int largura, std::string_view campo) {
        std::string t = std::to_string(v < 0 ? -v : v);
        if (v < 0 || static_cast<int>(t.size()) > largura) {
            Falha(campo, std::to_string(v));
            t.clear();
        }
        linha_ += std::string(largura - std::min<int>(largura, static_cast<int>(t.size())), '0') + t;
        return *this;
    }
    // A decimal text of the XML in units of 10^-escala.
    Linha& Dec(std::string_view v, int escala, int largura, std::string_view campo) {
        auto n = Escalado(v, escala);
        if (!n) {
            Falha(campo, std::string(v));
            n = 0;
        }
        return Num(*n, largura, campo);
    }
    // A text cut or blank-filled to its width (UTF-8 in, Windows-1252 out).
    Linha& Txt(std::string_view v, int largura) {
        linha_ += text::pad(text::left(text::from_utf8(text::trim(v)), largura), largura);
        return *this;
    }
    // A text that identifies something (a code, a series): never cut.
    Linha& Codigo(std::string_view v, int largura, std::string_view campo) {
        std::string t = text::from_utf8(text::trim(v));
        if (static_cast<int>(t.size()) > largura) Falha(campo, text::trim(v));
        return Txt(v, largura);
    }
    Linha& Brancos(int largura) {
        linha_.append(largura, ' ');
        return *this;
    }
    std::string Fim() { return std::move(linha_) + "\r\n"; }

private:
    void Falha(std::string_view campo, std::string_view valor) {
        if (motivo_.empty())
            motivo_ = text::from_utf8(campo) + " " + text::from_utf8(valor) + text::from_utf8(" não cabe no seu campo");
    }
    std::string& motivo_;
    std::string linha_;
};

// The document of a party: CNPJ (kind 1) or CPF (kind 2); kind 0 when it has neither.
struct Documento {
    int tipo = 0;
    std::string numero;
};

Documento DocumentoDe(pugi::xml_node parte) {
    if (auto c = Digitos(Texto(parte, "CNPJ")); !c.empty()) return {1, c};
    if (auto c = Digitos(Texto(parte, "CPF")); !c.empty()) return {2, c};
    return {};
}

bool Mesmo(const Documento& d, const std::string& empresa) {
    return d.tipo != 0 && !empresa.empty() && d.numero == empresa;
}

int CfopDeEntrada(int cfop) {
    switch (cfop) {
    case 5401: case 5403: case 5405: return 1403;
    case 6401: case 6403: case 6404: return 2403;
    default: break;
    }
    int primeiro = cfop / 1000;
    if (primeiro >= 5 && primeiro <= 7) return cfop - 4000;
    return cfop;
}

// ddmmyyyy of an NF-e date ("2018-08-16T16:28:18-03:00" or "2018-08-16"); empty when malformed.
std::string DataDdMmAaaa(std::string_view d) {
    d = text::trim(d);
    if (d.size() < 10 || d[4] != '-' || d[7] != '-') return {};
    std::string r = std::string(d.substr(8, 2)) + std::string(d.substr(5, 2)) + std::string(d.substr(0, 4));
    return Digitos(r).size() == 8 ? r : std::string();
}

// The ICMS group of an item (ICMS00, ICMS10, ..., ICMSSN500): its single element child.
pugi::xml_node GrupoIcms(pugi::xml_node det) {
    pugi::xml_node icms = Filho(Filho(det, "imposto"), "ICMS");
    for (pugi::xml_node c = icms.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) return c;
    return {};
}

class Leitor {
public:
    explicit Leitor(const ArgumentosLeitor& a) : a_(a), empresa_(Digitos(a.documento)) {}

    ResultadoLeitor Executa();

private:
    void LeArquivo(const std::string& nome);
    void Anota(const std::string& arquivo, std::string_view motivoUtf8) {
        r_.problemas.push_back(text::from_utf8("Arquivo ") + arquivo + ": " + text::from_utf8(motivoUtf8));
    }
    std::string LinhaProduto(pugi::xml_node prod, pugi::xml_node icms, std::string& motivo) const;
    std::string LinhaParte(pugi::xml_node parte, const Documento& doc, std::string& motivo) const;
    std::string LinhaItem(const Documento& parceiro, std::string_view uf, std::string_view serie, long long numero,
                          const std::string& data, pugi::xml_node det, bool trocaCfop, std::string& motivo) const;
    bool Grava(std::FILE* f, const std::string& s) {
        if (s.empty()) return true;
        if (std::fwrite(s.data(), 1, s.size(), f) == s.size()) return true;
        if (r_.falha.empty()) r_.falha = "não foi possível gravar os arquivos do leitor em " + a_.pasta;
        return false;
    }

    const ArgumentosLeitor& a_;
    std::string empresa_;
    ResultadoLeitor r_;
    std::FILE* cnpj_ = nullptr;
    std::FILE* produtos_ = nullptr;
    std::FILE* partes_ = nullptr;
    std::FILE* itens_ = nullptr;
    std::set<std::string> produtosGravados_;
    std::set<std::string> partesGravadas_;
    std::set<std::string> alheios_;  // documents of other companies met (CNPJ.txt when none is ours)
    std::string buffer_;
};

std::string Leitor::LinhaProduto(pugi::xml_node prod, pugi::xml_node icms, std::string& motivo) const {
    Linha l(motivo);
    std::string_view reducao = Texto(icms, "pRedBC");
    l.Codigo(Texto(prod, "cProd"), 14, "Código do produto")
        .Brancos(13)
        .Num(0, 3, "Grupo")
        .Txt(Texto(prod, "xProd"), 100)
        .Dec(Texto(icms, "pICMS"), 2, 6, "Alíquota")
        .Txt(Texto(prod, "uCom"), 3)
        .Num(0, 8, "Data inicial")
        .Num(0, 8, "Data final")
        .Dec(reducao, 2, 7, "Redução da base")
        .Codigo(Texto(prod, "NCM"), 8, "NCM");
    return l.Fim();
}

std::string Leitor::LinhaParte(pugi::xml_node parte, const Documento& doc, std::string& motivo) const {
    pugi::xml_node end = Filho(parte, "enderEmit");
    if (!end) end = Filho(parte, "enderDest");
    Linha l(motivo);
    std::string nro = Digitos(Texto(end, "nro"));
    std::string fone = Digitos(Texto(end, "fone"));
    std::string cep = Digitos(Texto(end, "CEP"));
    // A number is read without the country code (55) and the trunk 0 in front; what is left is
    // the area code (2 digits) and the number, which must fit 8 digits: a 9-digit number (a mobile,
    // or one whose area code cannot be told) leaves the document out.
    if ((fone.size() == 12 || fone.size() == 13) && fone.compare(0, 2, "55") == 0) fone.erase(0, 2);
    if ((fone.size() == 11 || fone.size() == 12) && fone[0] == '0') fone.erase(0, 1);
    std::string ddd = fone.size() >= 10 ? fone.substr(0, 2) : std::string();
    std::string telefone = fone.size() >= 10 ? fone.substr(2) : fone;
    l.Num(0, 7, "Código")
        .Txt(Texto(parte, "xNome"), 40)
        .Txt(Texto(end, "xLgr"), 40)
        .Num(nro.size() > 10 ? -1 : (nro.empty() ? 0 : std::stoll(nro)), 10, "Número do endereço")
        .Txt(Texto(end, "xCpl"), 25)
        .Txt(Texto(end, "xBairro"), 25)
        .Txt(Texto(end, "xMun"), 25)
        .Codigo(Texto(end, "UF"), 2, "UF")
        .Num(cep.size() > 12 ? -1 : (cep.empty() ? 0 : std::stoll(cep)), 8, "CEP")
        .Num(ddd.empty() ? 0 : std::stoll(ddd), 3, "DDD")
        .Num(telefone.empty() ? 0 : (telefone.size() > 12 ? -1 : std::stoll(telefone)), 8, "Telefone")
        .Brancos(13)
        .Num(doc.tipo, 1, "Tipo de inscrição")
        .Codigo(doc.tipo == 1 ? doc.numero : std::string(), 14, "CNPJ")
        .Codigo(doc.tipo == 2 ? doc.numero : std::string(), 11, "CPF")
        .Codigo(Texto(parte, "IE"), 20, "Inscrição estadual");
    return l.Fim();
}

std::string Leitor::LinhaItem(const Documento& parceiro, std::string_view uf, std::string_view serie, long long numero,
                              const std::string& data, pugi::xml_node det, bool trocaCfop,
                              std::string& motivo) const {
    pugi::xml_node prod = Filho(det, "prod");
    pugi::xml_node icms = GrupoIcms(det);
    Linha l(motivo);
    const bool entrada = a_.sentido == SentidoNfe::Entrada;
    if (entrada)
        l.Codigo(parceiro.numero, 14, "CNPJ");
    else if (parceiro.tipo == 2)
        l.Num(parceiro.numero.size() > 11 ? -1 : std::stoll(parceiro.numero), 14, "CPF");
    else
        l.Codigo(parceiro.numero, 14, "CNPJ");
    std::string cfopTexto = Digitos(Texto(prod, "CFOP"));
    int cfop = cfopTexto.empty() || cfopTexto.size() > 4 ? 0 : std::stoi(cfopTexto);
    if (entrada && trocaCfop) cfop = CfopDeEntrada(cfop);
    l.Codigo(serie, 2, "Série").Num(numero, 6, "Número da nota").Txt(data, 8);
    l.Dec(Texto(prod, "qCom"), 3, 13, "Quantidade").Codigo(Texto(prod, "cProd"), 14, "Código do produto");
    l.Num(cfop, 4, "CFOP").Num(0, 2, "CFOP complementar");
    if (entrada) {
        // Goods under tax substitution carry the substitution's base, rate and value; the
        // supplier's own operation keeps its base beside them.
        std::string_view base = Texto(icms, "vBC"), aliquota = Texto(icms, "pICMS"), valor = Texto(icms, "vICMS");
        if (Escalado(Texto(icms, "vBCST"), 2).value_or(0) > 0) {
            base = Texto(icms, "vBCST");
            aliquota = Texto(icms, "pICMSST");
            valor = Texto(icms, "vICMSST");
        } else if (Escalado(Texto(icms, "vBCSTRet"), 2).value_or(0) > 0) {
            base = Texto(icms, "vBCSTRet");
            aliquota = Texto(icms, "pST");
            valor = Texto(icms, "vICMSSTRet");
        }
        l.Dec(base, 2, 13, "Base do ICMS").Dec(aliquota, 3, 6, "Alíquota").Dec(valor, 2, 13, "Valor do ICMS");
        l.Dec(Texto(icms, "vBC"), 2, 13, "Base própria").Brancos(20).Num(0, 1, "Complemento");
    } else {
        std::string_view base = Texto(icms, "vBC");
        long long antes = Escalado(base, 2).value_or(0);
        long long reducao = Escalado(Texto(icms, "pRedBC"), 4).value_or(0);  // percent, 4 places
        if (reducao > 0 && reducao < 1000000) antes = (antes * 1000000 + (1000000 - reducao) / 2) / (1000000 - reducao);
        l.Dec(base, 2, 13, "Base do ICMS").Dec(Texto(icms, "pICMS"), 3, 6, "Alíquota");
        l.Dec(Texto(icms, "vICMS"), 2, 13, "Valor do ICMS").Codigo(uf, 2, "UF");
        l.Num(antes, 13, "Base antes da redução").Brancos(20).Num(0, 1, "Complemento");
    }
    return l.Fim();
}

void Leitor::LeArquivo(const std::string& nome) {
    ++r_.arquivos;
    const std::string caminho = files::join(a_.pasta, nome);
    {
        std::ifstream in(files::resolve(caminho), std::ios::binary);
        if (!in) {
            Anota(nome, "não foi possível ler o arquivo");
            return;
        }
        buffer_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    pugi::xml_document xml;
    // No DOCTYPE processing: entities are never loaded from outside the document.
    pugi::xml_parse_result lido =
        xml.load_buffer_inplace(buffer_.data(), buffer_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!lido) {
        Anota(nome, std::string("XML inválido (") + lido.description() + ")");
        return;
    }
    pugi::xml_node raiz = xml.document_element();
    std::string_view nomeRaiz = raiz.name();
    if (auto p = nomeRaiz.find(':'); p != std::string_view::npos) nomeRaiz = nomeRaiz.substr(p + 1);
    pugi::xml_node nfe = nomeRaiz == "nfeProc" ? Filho(raiz, "NFe") : (nomeRaiz == "NFe" ? raiz : pugi::xml_node());
    pugi::xml_node inf = Filho(nfe, "infNFe");
    pugi::xml_node ide = Filho(inf, "ide");
    if (!inf || !ide) {
        Anota(nome, "não é uma NF-e");
        return;
    }
    std::string_view modelo = text::trim(Texto(ide, "mod"));
    if (modelo != "55" && modelo != "65") {
        Anota(nome, "modelo " + std::string(modelo) + " não é NF-e nem NFC-e");
        return;
    }
    std::string emissao = DataDdMmAaaa(Filho(ide, "dhEmi") ? Texto(ide, "dhEmi") : Texto(ide, "dEmi"));
    if (emissao.empty()) {
        Anota(nome, "sem data de emissão");
        return;
    }
    if (std::stoi(emissao.substr(2, 2)) != a_.mes || std::stoi(emissao.substr(4, 4)) != a_.ano) return;

    pugi::xml_node protocolo = Filho(Filho(raiz, "protNFe"), "infProt");
    std::string_view situacao = text::trim(Texto(protocolo, "cStat"));
    if (protocolo && situacao != "100" && situacao != "150") {
        Anota(nome, "nota não autorizada (situação " + std::string(situacao) + ")");
        return;
    }

    pugi::xml_node emit = Filho(inf, "emit");
    pugi::xml_node dest = Filho(inf, "dest");
    Documento docEmit = DocumentoDe(emit), docDest = DocumentoDe(dest);
    const bool tpNF1 = text::trim(Texto(ide, "tpNF")) == "1";
    const bool somosEmit = Mesmo(docEmit, empresa_), somosDest = Mesmo(docDest, empresa_);
    if (!somosEmit && !somosDest) {
        Anota(nome, "a empresa não é emitente nem destinatária");
        const Documento& lado = a_.sentido == SentidoNfe::Entrada ? docDest : docEmit;
        if (lado.tipo != 0) alheios_.insert(lado.numero);
        return;
    }
    // The document's direction from the company's side: an own issue with tpNF 1 is an exit.
    const bool saida = somosEmit && tpNF1;
    if (saida != (a_.sentido == SentidoNfe::Saida)) return;

    pugi::xml_node parte = somosDest && !somosEmit ? emit : dest;
    const Documento& docParte = somosDest && !somosEmit ? docEmit : docDest;
    const bool trocaCfop = !somosEmit;
    std::string ufParte(Texto(Filho(parte, parte == emit ? "enderEmit" : "enderDest"), "UF"));
    std::string itemData = DataDdMmAaaa(Filho(ide, "dhSaiEnt") ? Texto(ide, "dhSaiEnt") : Texto(ide, "dSaiEnt"));
    if (itemData.empty()) itemData = emissao;
    std::string nnf = Digitos(Texto(ide, "nNF"));
    long long numero = nnf.empty() || nnf.size() > 12 ? -1 : std::stoll(nnf);

    std::string motivo, itens, produtos, partes;
    long quantos = 0;
    std::set<std::string> produtosDoc;
    for (pugi::xml_node det = inf.first_child(); det && motivo.empty(); det = det.next_sibling()) {
        std::string_view n = det.name();
        if (auto p = n.find(':'); p != std::string_view::npos) n = n.substr(p + 1);
        if (n != "det") continue;
        itens += LinhaItem(docParte, ufParte, Texto(ide, "serie"), numero, itemData, det, trocaCfop, motivo);
        ++quantos;
        std::string codigo(text::trim(Texto(Filho(det, "prod"), "cProd")));
        if (!produtosGravados_.count(codigo) && produtosDoc.insert(codigo).second)
            produtos += LinhaProduto(Filho(det, "prod"), GrupoIcms(det), motivo);
    }
    if (motivo.empty() && quantos == 0) motivo = "nota sem itens";
    std::string chaveParte = docParte.numero + "/" + std::string(text::trim(Texto(parte, "IE")));
    if (motivo.empty() && docParte.tipo != 0 && !partesGravadas_.count(chaveParte))
        partes = LinhaParte(parte, docParte, motivo);
    if (!motivo.empty()) {
        r_.problemas.push_back(text::from_utf8("Arquivo ") + nome + text::from_utf8(": não importada, ") + motivo);
        return;
    }
    if (!Grava(itens_, itens) || !Grava(produtos_, produtos) || !Grava(partes_, partes) ||
        !Grava(cnpj_, text::pad(empresa_, 14) + "\r\n"))
        return;
    produtosGravados_.insert(produtosDoc.begin(), produtosDoc.end());
    if (!partes.empty()) partesGravadas_.insert(chaveParte);
    ++r_.documentos;
    r_.itens += quantos;
    if (!protocolo) Anota(nome, "nota sem protocolo de autorização (lida)");
}

ResultadoLeitor Leitor::Executa() {
    const bool entrada = a_.sentido == SentidoNfe::Entrada;
    struct Saida {
        std::FILE** f;
        std::string nome;
    } saidas[] = {
        {&cnpj_, "CNPJ.txt"},
        {&produtos_, ArquivoNfeDoMes("Produtos", a_.mes, a_.ano)},
        {&partes_, ArquivoNfeDoMes("Fornecedores", a_.mes, a_.ano)},
        {&itens_, ArquivoNfeDoMes(entrada ? "NFEntrada" : "NFSaida", a_.mes, a_.ano)},
    };
    for (auto& s : saidas) {
        *s.f = std::fopen(files::resolve(files::join(a_.pasta, s.nome)).c_str(), "wb");
        if (!*s.f && r_.falha.empty()) r_.falha = "não foi possível criar " + text::to_utf8(s.nome);
    }
    if (r_.falha.empty()) {
        // The folder is walked as it stands (not listed into memory first), so a folder of any
        // size is read in the same memory.
        std::error_code erro;
        for (std::filesystem::directory_iterator it(files::resolve(a_.pasta), erro), fim; !erro && it != fim;
             it.increment(erro)) {
            std::string nome = text::from_utf8(it->path().filename().string());
            if (files::matches(nome, "*.xml") && !it->is_directory(erro)) LeArquivo(nome);
        }
        if (erro && r_.falha.empty()) r_.falha = "não foi possível ler a pasta " + text::to_utf8(a_.pasta);
        // No document of the company: the check file names the companies whose documents these are.
        if (r_.documentos == 0)
            for (const std::string& d : alheios_) Grava(cnpj_, text::pad(d, 14) + "\r\n");
    }
    for (auto& s : saidas)
        if (*s.f && std::fclose(*s.f) != 0 && r_.falha.empty()) r_.falha = "falha ao gravar " + text::to_utf8(s.nome);
    return std::move(r_);
}

}  // namespace

std::string ArquivoNfeDoMes(std::string_view base, int mes, int ano) {
    return std::string(base) + text::zero_fill(mes, 2) + text::zero_fill(ano, 4) + ".txt";
}

ResultadoLeitor LeitorXML(const ArgumentosLeitor& argumentos) {
    return Leitor(argumentos).Executa();
}

}  // namespace vorel::integration
