// The NF-e reader: pugixml on one document at a time, lines composed per document and written only
// when the whole document fits the layouts.
#include "vorel/integration/leitor_xml.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <set>
#include <string_view>
#include <vector>

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

// A value of the document for a numeric field: in the field's units, with its text as the document
// writes it (what a refusal quotes). A value that is not a number is held as -1.
struct Valor {
    long long v = 0;
    std::string escrito;
};

// A decimal text of the XML in units of 10^-escala.
Valor DecimalDe(std::string_view texto, int escala) {
    std::optional<long long> n = Escalado(texto, escala);
    return {n ? *n : -1, std::string(text::trim(texto))};
}

// A whole number of the document from its digits; -1 (refused by its field) when it has more than
// 18 digits or other characters than digits.
Valor Inteiro(std::string_view texto) {
    std::string_view t = text::trim(texto);
    std::string d = Digitos(t);
    if (d.size() != t.size() || d.size() > 18) return {-1, std::string(t)};
    return {d.empty() ? 0 : std::stoll(d), std::string(t)};
}

// A value worked out by the reader (not written in the document): units of 10^-escala, its text a
// decimal.
Valor Calculado(long long v, int escala) {
    long long fator = 1;
    for (int c = 0; c < escala; ++c) fator *= 10;
    const long long a = v < 0 ? -v : v;
    std::string t = (v < 0 ? "-" : "") + std::to_string(a / fator);
    if (escala > 0) t += "." + text::zero_fill(a % fator, escala);
    return {v, t};
}

// A whole number of the digits of a text ("01310-100"), quoted as the document writes it.
Valor InteiroDosDigitos(std::string_view texto) {
    Valor v = Inteiro(Digitos(texto));
    v.escrito = std::string(text::trim(texto));
    return v;
}

// The first reference to an entity other than XML's five and character references ("&xxe;"):
// without a DOCTYPE none is declared, and pugixml would keep it as text.
std::string_view EntidadeNaoDeclarada(std::string_view xml) {
    static constexpr std::string_view kPredefinidas[] = {"amp;", "lt;", "gt;", "quot;", "apos;"};
    for (std::size_t p = xml.find('&'); p != std::string_view::npos; p = xml.find('&', p + 1)) {
        std::string_view resto = xml.substr(p + 1);
        if (!resto.empty() && resto.front() == '#') continue;
        if (std::none_of(std::begin(kPredefinidas), std::end(kPredefinidas),
                         [&](std::string_view e) { return resto.substr(0, e.size()) == e; }))
            return xml.substr(p, std::min(resto.find(';'), std::size_t{30}) + 2);
    }
    return {};
}

// The sum of two values of `escala` decimals; a value that is not a number stays the one refused.
Valor Soma(const Valor& a, const Valor& b, int escala) {
    if (a.v < 0 || b.v < 0) return a.v < 0 ? a : b;
    return Calculado(a.v + b.v, escala);
}

// Composes one line of a declared layout; the first value that does not fit is kept as the reason.
template <class Campo>
class Linha {
public:
    Linha(const LayoutNfe<Campo>& layout, std::string& motivo)
        : layout_(layout), motivo_(motivo), linha_(static_cast<std::size_t>(layout.Comprimento()), ' ') {}
    // A whole number, right-aligned and zero-filled.
    Linha& Num(Campo c, const Valor& v) {
        const Posicao p = layout_[c];
        const int largura = p.fim - p.inicio + 1;
        std::string t = std::to_string(v.v < 0 ? 0 : v.v);
        if (v.v < 0 || static_cast<int>(t.size()) > largura) {
            Falha(c, v.escrito);
            t = "0";
        }
        return Poe(p, std::string(largura - std::min<int>(largura, static_cast<int>(t.size())), '0') + t);
    }
    Linha& Num(Campo c, long long v) { return Num(c, Valor{v, std::to_string(v)}); }
    // A text cut or blank-filled to its width (UTF-8 in, Windows-1252 out).
    Linha& Txt(Campo c, std::string_view v) {
        const Posicao p = layout_[c];
        return Poe(p, text::left(text::from_utf8(text::trim(v)), p.fim - p.inicio + 1));
    }
    // A text that identifies something (a code, a series): never cut.
    Linha& Codigo(Campo c, std::string_view v) {
        if (!Cabe(c, v)) Falha(c, text::trim(v));
        return Txt(c, v);
    }
    // The same written only when it fits (the narrow column of a value also written whole).
    Linha& CodigoSeCabe(Campo c, std::string_view v) { return Cabe(c, v) ? Txt(c, v) : *this; }
    std::string Fim() { return std::move(linha_) + "\r\n"; }

private:
    bool Cabe(Campo c, std::string_view v) const {
        const Posicao p = layout_[c];
        return static_cast<int>(text::from_utf8(text::trim(v)).size()) <= p.fim - p.inicio + 1;
    }
    Linha& Poe(Posicao p, const std::string& t) {
        linha_.replace(static_cast<std::size_t>(p.inicio - 1), t.size(), t);
        return *this;
    }
    void Falha(Campo c, std::string_view valor) {
        if (motivo_.empty())
            motivo_ = text::from_utf8(layout_.Def(c)->nome) + " " + text::from_utf8(valor) +
                      text::from_utf8(" não cabe no seu campo");
    }
    const LayoutNfe<Campo>& layout_;
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

std::string DataLegivel(const std::string& ddmmaaaa) {
    return ddmmaaaa.substr(0, 2) + "/" + ddmmaaaa.substr(2, 2) + "/" + ddmmaaaa.substr(4, 4);
}

// The ICMS group of an item (ICMS00, ICMS10, ..., ICMSSN500): its single element child.
pugi::xml_node GrupoIcms(pugi::xml_node det) {
    pugi::xml_node icms = Filho(Filho(det, "imposto"), "ICMS");
    for (pugi::xml_node c = icms.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element) return c;
    return {};
}

// The ICMS an item line carries, and the rate its product gets: one rule for both. An entry of goods
// under tax substitution carries the substitution's base, rate and value (retained earlier: the
// retention's), so its product is valued at the substitution's rate; otherwise, and on every exit,
// the own operation's.
struct IcmsDoItem {
    std::string_view base, aliquota, valor;
};

IcmsDoItem IcmsDe(pugi::xml_node icms, SentidoNfe sentido) {
    if (sentido == SentidoNfe::Entrada) {
        if (Escalado(Texto(icms, "vBCST"), 2).value_or(0) > 0)
            return {Texto(icms, "vBCST"), Texto(icms, "pICMSST"), Texto(icms, "vICMSST")};
        if (Escalado(Texto(icms, "vBCSTRet"), 2).value_or(0) > 0)
            return {Texto(icms, "vBCSTRet"), Texto(icms, "pST"), Texto(icms, "vICMSSTRet")};
    }
    return {Texto(icms, "vBC"), Texto(icms, "pICMS"), Texto(icms, "vICMS")};
}

// An item line of a document before it is written: the items of one product and CFOP summed.
struct ItemNfe {
    std::string produto;  // cProd as written (trimmed)
    int cfop = 0;
    Valor cfopEscrito;
    Valor quantidade, base, aliquota, valor, extra;  // extra: own base (entries), base before reduction (exits)
    std::string lote;  // the reader writes no batch
};

// The namespace of NF-e documents, the only one a document's root may be in.
constexpr std::string_view kNamespaceNfe = "http://www.portalfiscal.inf.br/nfe";

// The namespace the root element is in: its prefix's declaration on the root itself (an element
// with no parent declares its own), or the default one.
std::string_view NamespaceDaRaiz(pugi::xml_node raiz) {
    std::string_view nome = raiz.name();
    auto p = nome.find(':');
    std::string atributo = p == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(nome.substr(0, p));
    return raiz.attribute(atributo.c_str()).value();
}

// Reads a whole file into `buffer` from its start, growing it when the file does not fit: the
// file's bytes go straight from the system into the buffer (no stream buffer between), in reads of
// the buffer's whole room, so a file that fits costs one read and the one that says the file has
// ended. The buffer's size is its room (kept for the next file); `tamanho` is the file's length.
bool LeTudo(const std::filesystem::path& caminho, std::vector<char>& buffer, std::size_t& tamanho) {
    std::FILE* f = std::fopen(caminho.c_str(), "rb");
    if (!f) return false;
    std::setvbuf(f, nullptr, _IONBF, 0);
    tamanho = 0;
    if (buffer.size() < 65536) buffer.resize(65536);
    for (;;) {
        tamanho += std::fread(buffer.data() + tamanho, 1, buffer.size() - tamanho, f);
        if (tamanho < buffer.size()) break;
        buffer.resize(buffer.size() * 2);
    }
    const bool lido = !std::ferror(f);
    std::fclose(f);
    return lido;
}

class Leitor {
public:
    explicit Leitor(const ArgumentosLeitor& a) : a_(a), empresa_(Digitos(a.documento)) {}

    ResultadoLeitor Executa();

private:
    void LeArquivo(const std::filesystem::path& caminho, const std::string& nome);
    void Anota(const std::string& arquivo, std::string_view motivoUtf8) {
        r_.problemas.push_back(text::from_utf8("Arquivo ") + arquivo + ": " + text::from_utf8(motivoUtf8));
    }
    bool NoMes(const std::string& ddmmaaaa) const {
        return !ddmmaaaa.empty() && std::stoi(ddmmaaaa.substr(2, 2)) == a_.mes &&
               std::stoi(ddmmaaaa.substr(4, 4)) == a_.ano;
    }
    std::string LinhaProduto(pugi::xml_node prod, pugi::xml_node icms, std::string& motivo) const;
    std::string LinhaParte(pugi::xml_node parte, const Documento& doc, const std::string& arquivo,
                           std::string& motivo);
    ItemNfe Item(pugi::xml_node det, pugi::xml_node icmsGrupo, bool trocaCfop) const;
    std::string LinhaItem(const Documento& parceiro, std::string_view uf, std::string_view serie, const Valor& numero,
                          const std::string& data, const ItemNfe& item, std::string& motivo) const;
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
    std::vector<std::string> avisos_;  // notes of the document being read, kept when it is written
    std::vector<ItemNfe> linhas_;      // the item lines of the document being read
    std::vector<char> buffer_;  // the document being read; its room kept from document to document
};

std::string Leitor::LinhaProduto(pugi::xml_node prod, pugi::xml_node icms, std::string& motivo) const {
    using C = CampoProduto;
    Linha<C> l(kLayoutProdutos, motivo);
    l.CodigoSeCabe(C::Codigo, Texto(prod, "cProd"))
        .Codigo(C::CodigoInteiro, Texto(prod, "cProd"))
        .Num(C::Grupo, 0)
        .Txt(C::Descricao, Texto(prod, "xProd"))
        .Num(C::Aliquota, DecimalDe(IcmsDe(icms, a_.sentido).aliquota, 2))
        .Txt(C::Unidade, Texto(prod, "uCom"))
        .Num(C::DataInicial, 0)
        .Num(C::DataFinal, 0)
        .Num(C::Reducao, DecimalDe(Texto(icms, "pRedBC"), 2))
        .Codigo(C::Ncm, Texto(prod, "NCM"));
    return l.Fim();
}

std::string Leitor::LinhaParte(pugi::xml_node parte, const Documento& doc, const std::string& arquivo,
                               std::string& motivo) {
    using C = CampoParte;
    pugi::xml_node end = Filho(parte, "enderEmit");
    if (!end) end = Filho(parte, "enderDest");
    Linha<C> l(kLayoutPartes, motivo);
    // A phone is read without the country code (55, on 12 or 13 digits) and the trunk 0 (before 9 to
    // 11 digits); of 9 digits or more left, the first two are the area code. A number longer than
    // its 8 columns (a mobile's 9 digits) is left blank and noted.
    std::string fone = Digitos(Texto(end, "fone"));
    if ((fone.size() == 12 || fone.size() == 13) && fone.compare(0, 2, "55") == 0) fone.erase(0, 2);
    if (fone.size() >= 10 && fone.size() <= 12 && fone[0] == '0') fone.erase(0, 1);
    std::string ddd = fone.size() >= 9 ? fone.substr(0, 2) : std::string();
    std::string telefone = fone.size() >= 9 ? fone.substr(2) : fone;
    const int colunasFone = kLayoutPartes[C::Telefone].fim - kLayoutPartes[C::Telefone].inicio + 1;
    const bool longo = static_cast<int>(telefone.size()) > colunasFone;
    if (longo) {
        avisos_.push_back(text::from_utf8("Arquivo ") + arquivo + ": " +
                          text::from_utf8("telefone " + std::string(text::trim(Texto(end, "fone"))) + " de " +
                                          std::string(text::trim(Texto(parte, "xNome"))) + " (" + doc.numero +
                                          ") não cabe no cadastro e fica em branco"));
    }
    l.Num(C::Codigo, 0)
        .Txt(C::Nome, Texto(parte, "xNome"))
        .Txt(C::Endereco, Texto(end, "xLgr"))
        .Num(C::Numero, InteiroDosDigitos(Texto(end, "nro")))
        .Txt(C::Complemento, Texto(end, "xCpl"))
        .Txt(C::Bairro, Texto(end, "xBairro"))
        .Txt(C::Cidade, Texto(end, "xMun"))
        .Codigo(C::Uf, Texto(end, "UF"))
        .Num(C::Cep, InteiroDosDigitos(Texto(end, "CEP")))
        .Num(C::Ddd, Inteiro(ddd));
    if (!longo) l.Num(C::Telefone, Inteiro(telefone));
    l.Num(C::Tipo, doc.tipo)
        .Codigo(C::Cnpj, doc.tipo == 1 ? doc.numero : std::string())
        .Codigo(C::Cpf, doc.tipo == 2 ? doc.numero : std::string())
        .Codigo(C::Ie, Texto(parte, "IE"));
    return l.Fim();
}

ItemNfe Leitor::Item(pugi::xml_node det, pugi::xml_node icmsGrupo, bool trocaCfop) const {
    pugi::xml_node prod = Filho(det, "prod");
    const IcmsDoItem icms = IcmsDe(icmsGrupo, a_.sentido);
    ItemNfe i;
    i.produto = std::string(text::trim(Texto(prod, "cProd")));
    i.cfopEscrito = Inteiro(Texto(prod, "CFOP"));
    i.cfop = i.cfopEscrito.v >= 0 && i.cfopEscrito.v <= 9999 ? static_cast<int>(i.cfopEscrito.v) : -1;
    if (i.cfop >= 0 && trocaCfop) i.cfop = CfopDeEntrada(i.cfop);
    i.quantidade = DecimalDe(Texto(prod, "qCom"), 3);
    i.base = DecimalDe(icms.base, 2);
    i.aliquota = DecimalDe(icms.aliquota, 3);
    i.valor = DecimalDe(icms.valor, 2);
    if (a_.sentido == SentidoNfe::Entrada) {
        i.extra = DecimalDe(Texto(icmsGrupo, "vBC"), 2);
    } else {
        // The base before its reduction: the reduced base grown back by the reduction's percent.
        long long antes = Escalado(icms.base, 2).value_or(0);
        long long reducao = Escalado(Texto(icmsGrupo, "pRedBC"), 4).value_or(0);  // percent, 4 places
        if (reducao > 0 && reducao < 1000000) antes = (antes * 1000000 + (1000000 - reducao) / 2) / (1000000 - reducao);
        i.extra = Calculado(antes, 2);
    }
    return i;
}

std::string Leitor::LinhaItem(const Documento& parceiro, std::string_view uf, std::string_view serie,
                              const Valor& numero, const std::string& data, const ItemNfe& i,
                              std::string& motivo) const {
    using C = CampoItem;
    const bool entrada = a_.sentido == SentidoNfe::Entrada;
    Linha<C> l(LayoutItens(a_.sentido), motivo);
    if (!entrada && parceiro.tipo == 2)
        l.Num(C::Parceiro, Inteiro(parceiro.numero));
    else
        l.Codigo(C::Parceiro, parceiro.numero);
    l.Codigo(C::Serie, serie)
        .Num(C::NumeroCurto, numero.v >= 0 && numero.v <= 999999 ? numero.v : 0)
        .Txt(C::Dia, data.substr(0, 2))
        .Txt(C::Mes, data.substr(2, 2))
        .Txt(C::Ano, data.substr(4, 4))
        .Num(C::Quantidade, i.quantidade)
        .CodigoSeCabe(C::ProdutoCurto, i.produto)
        .Codigo(C::Produto, i.produto)
        .Num(C::Cfop, i.cfop >= 0 ? Valor{i.cfop, i.cfopEscrito.escrito} : i.cfopEscrito)
        .Num(C::CfopComplementar, 0)
        .Num(C::Base, i.base)
        .Num(C::Aliquota, i.aliquota)
        .Num(C::Valor, i.valor);
    if (entrada)
        l.Num(C::BasePropria, i.extra);
    else
        l.Codigo(C::Uf, uf).Num(C::AntesReducao, i.extra);
    l.Txt(C::Lote, i.lote).Num(C::Complemento, 0).Num(C::Numero, numero);
    return l.Fim();
}

void Leitor::LeArquivo(const std::filesystem::path& caminho, const std::string& nome) {
    ++r_.arquivos;
    std::size_t tamanho = 0;
    if (!LeTudo(caminho, buffer_, tamanho)) {
        Anota(nome, "não foi possível ler o arquivo");
        return;
    }
    const std::string_view texto(buffer_.data(), tamanho);
    // Looked for before the parse, which rewrites the buffer.
    const std::string entidade(EntidadeNaoDeclarada(texto));
    pugi::xml_document xml;
    // The DOCTYPE is kept as a node only to refuse the document: no entity of it is ever expanded.
    pugi::xml_parse_result lido = xml.load_buffer_inplace(buffer_.data(), tamanho,
                                                          pugi::parse_default | pugi::parse_doctype, pugi::encoding_utf8);
    if (!lido) {
        Anota(nome, std::string("XML inválido (") + lido.description() + ")");
        return;
    }
    for (pugi::xml_node n = xml.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_doctype) {
            Anota(nome, "documento com DOCTYPE, que uma NF-e não tem");
            return;
        }
    if (!entidade.empty()) {
        Anota(nome, "XML inválido (entidade não declarada " + entidade + ")");
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
    if (std::string_view ns = NamespaceDaRaiz(raiz); ns != kNamespaceNfe) {
        Anota(nome, ns.empty() ? std::string("fora do espaço de nomes da NF-e (nenhum)")
                               : "fora do espaço de nomes da NF-e (" + std::string(ns) + ")");
        return;
    }
    std::string_view modelo = text::trim(Texto(ide, "mod"));
    if (modelo != "55" && modelo != "65") {
        Anota(nome, "modelo " + std::string(modelo) + " não é NF-e nem NFC-e");
        return;
    }
    // One date per direction chooses the month and dates the items: entries their emission, exits
    // their exit (the emission when there is none).
    const std::string emissao = DataDdMmAaaa(Filho(ide, "dhEmi") ? Texto(ide, "dhEmi") : Texto(ide, "dEmi"));
    if (emissao.empty()) {
        Anota(nome, "sem data de emissão");
        return;
    }
    const std::string saiEnt = DataDdMmAaaa(Filho(ide, "dhSaiEnt") ? Texto(ide, "dhSaiEnt") : Texto(ide, "dSaiEnt"));
    const bool entrada = a_.sentido == SentidoNfe::Entrada;
    const std::string data = entrada || saiEnt.empty() ? emissao : saiEnt;
    const std::string outra = entrada ? saiEnt : emissao;
    const bool doMes = NoMes(data);
    if (!doMes && !NoMes(outra)) return;

    pugi::xml_node protocolo = Filho(Filho(raiz, "protNFe"), "infProt");
    std::string_view situacao = text::trim(Texto(protocolo, "cStat"));
    if (protocolo && situacao != "100" && situacao != "150") {
        if (doMes) Anota(nome, "nota não autorizada (situação " + std::string(situacao) + ")");
        return;
    }

    pugi::xml_node emit = Filho(inf, "emit");
    pugi::xml_node dest = Filho(inf, "dest");
    Documento docEmit = DocumentoDe(emit), docDest = DocumentoDe(dest);
    const bool tpNF1 = text::trim(Texto(ide, "tpNF")) == "1";
    const bool somosEmit = Mesmo(docEmit, empresa_), somosDest = Mesmo(docDest, empresa_);
    if (!somosEmit && !somosDest) {
        if (!doMes) return;
        Anota(nome, "a empresa não é emitente nem destinatária");
        const Documento& lado = entrada ? docDest : docEmit;
        if (lado.tipo != 0) alheios_.insert(lado.numero);
        return;
    }
    // The document's direction from the company's side: an own issue with tpNF 1 is an exit.
    const bool saida = somosEmit && tpNF1;
    if (saida != !entrada) return;
    const Valor numero = Inteiro(Texto(ide, "nNF"));
    if (!doMes) {
        // The company's document whose other date is in the month: said, never skipped silently.
        Anota(nome, "outro mês: nota " + numero.escrito + (entrada ? " emitida em " : " com saída em ") +
                        DataLegivel(data) + (entrada ? ", entrada em " : ", emitida em ") + DataLegivel(outra) +
                        "; é importada no mês " + data.substr(2, 2) + "/" + data.substr(4, 4));
        return;
    }

    pugi::xml_node parte = somosDest && !somosEmit ? emit : dest;
    const Documento& docParte = somosDest && !somosEmit ? docEmit : docDest;
    const bool trocaCfop = !somosEmit;
    std::string ufParte(Texto(Filho(parte, parte == emit ? "enderEmit" : "enderDest"), "UF"));

    // One line per product and CFOP: the document's items of one key summed, the first item's other
    // fields kept; a rate that differs is noted.
    std::string motivo, itens, produtos, partes;
    avisos_.clear();
    std::vector<ItemNfe>& linhas = linhas_;  // its room kept from document to document
    linhas.clear();
    long quantos = 0;
    std::set<std::string> produtosDoc;
    for (pugi::xml_node det = inf.first_child(); det && motivo.empty(); det = det.next_sibling()) {
        std::string_view n = det.name();
        if (auto p = n.find(':'); p != std::string_view::npos) n = n.substr(p + 1);
        if (n != "det") continue;
        ++quantos;
        ItemNfe item = Item(det, GrupoIcms(det), trocaCfop);
        if (!produtosGravados_.count(item.produto) && produtosDoc.insert(item.produto).second)
            produtos += LinhaProduto(Filho(det, "prod"), GrupoIcms(det), motivo);
        auto mesmo = std::find_if(linhas.begin(), linhas.end(), [&](const ItemNfe& i) {
            return i.produto == item.produto && i.cfop == item.cfop;
        });
        if (mesmo == linhas.end()) {
            linhas.push_back(std::move(item));
            continue;
        }
        if (mesmo->aliquota.v != item.aliquota.v || mesmo->lote != item.lote)
            avisos_.push_back(text::from_utf8("Arquivo ") + nome + ": " +
                              text::from_utf8("nota " + numero.escrito + ", produto " + item.produto + ", CFOP " +
                                              std::to_string(item.cfop) + ": itens de alíquota " +
                                              mesmo->aliquota.escrito + " e " + item.aliquota.escrito +
                                              " somados numa linha com a alíquota do primeiro"));
        mesmo->quantidade = Soma(mesmo->quantidade, item.quantidade, 3);
        mesmo->base = Soma(mesmo->base, item.base, 2);
        mesmo->valor = Soma(mesmo->valor, item.valor, 2);
        mesmo->extra = Soma(mesmo->extra, item.extra, 2);
    }
    for (const ItemNfe& i : linhas) {
        if (!motivo.empty()) break;
        itens += LinhaItem(docParte, ufParte, Texto(ide, "serie"), numero, data, i, motivo);
    }
    if (motivo.empty() && quantos == 0) motivo = "nota sem itens";
    std::string chaveParte = docParte.numero + "/" + std::string(text::trim(Texto(parte, "IE")));
    if (motivo.empty() && docParte.tipo != 0 && !partesGravadas_.count(chaveParte))
        partes = LinhaParte(parte, docParte, nome, motivo);
    if (!motivo.empty()) {
        r_.problemas.push_back(text::from_utf8("Arquivo ") + nome + text::from_utf8(": não importada, ") + motivo);
        return;
    }
    if (!Grava(itens_, itens) || !Grava(produtos_, produtos) || !Grava(partes_, partes) ||
        !Grava(cnpj_, text::pad(empresa_, kLayoutCnpj.Comprimento()) + "\r\n"))
        return;
    produtosGravados_.insert(produtosDoc.begin(), produtosDoc.end());
    if (!partes.empty()) partesGravadas_.insert(chaveParte);
    ++r_.documentos;
    r_.itens += static_cast<long>(linhas.size());
    r_.problemas.insert(r_.problemas.end(), avisos_.begin(), avisos_.end());
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
    // The item lines, by far the largest file, are handed to the system 64 KB at a time (the
    // stream's own buffer, a disk block, is one write call per two documents).
    std::vector<char> espacoItens(std::size_t{1} << 16);
    for (auto& s : saidas) {
        *s.f = std::fopen(files::resolve(files::join(a_.pasta, s.nome)).c_str(), "wb");
        if (!*s.f && r_.falha.empty()) r_.falha = "não foi possível criar " + text::to_utf8(s.nome);
    }
    if (itens_) std::setvbuf(itens_, espacoItens.data(), _IOFBF, espacoItens.size());
    if (r_.falha.empty()) {
        // The folder is walked as it stands (not listed into memory first), so a folder of any
        // size is read in the same memory.
        std::error_code erro;
        for (std::filesystem::directory_iterator it(files::resolve(a_.pasta), erro), fim; !erro && it != fim;
             it.increment(erro)) {
            std::string nome = text::from_utf8(it->path().filename().string());
            // Opened by the path the walk found (the folder was resolved once, above).
            if (files::matches(nome, "*.xml") && !it->is_directory(erro)) LeArquivo(it->path(), nome);
        }
        if (erro && r_.falha.empty()) r_.falha = "não foi possível ler a pasta " + text::to_utf8(a_.pasta);
        // No document of the company: the check file names the companies whose documents these are.
        if (r_.documentos == 0)
            for (const std::string& d : alheios_) Grava(cnpj_, text::pad(d, kLayoutCnpj.Comprimento()) + "\r\n");
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
