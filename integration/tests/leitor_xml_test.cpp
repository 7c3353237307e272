// The NF-e reader against real documents: every test document read as an entry and/or an exit, its
// item lines checked field by field against the XML; a folder mixing good documents with broken,
// foreign, refused and oversized ones; the check file of a folder of another company.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/integration/leitor_xml.h"

namespace vorel::integration::testing {

namespace {

namespace fs = std::filesystem;

const fs::path kDados = VOREL_NFE_TESTDATA;

std::string Conteudo(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Linhas(const fs::path& p) {
    std::vector<std::string> out;
    std::istringstream in(Conteudo(p));
    for (std::string l; std::getline(in, l);) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        out.push_back(l);
    }
    return out;
}

// Columns a..b (1-based) of a line.
std::string Col(const std::string& l, int a, int b) {
    return l.size() >= static_cast<std::size_t>(b) ? l.substr(a - 1, b - a + 1) : std::string("<curta>");
}

struct PastaNfe {
    fs::path pasta;
    PastaNfe() {
        pasta = fs::temp_directory_path() / ("vorel_nfe_" + std::to_string(::getpid()) + "_" +
                                             std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        fs::remove_all(pasta);
        fs::create_directories(pasta);
    }
    ~PastaNfe() { fs::remove_all(pasta); }
    void Copia(const std::string& nome) { fs::copy_file(kDados / nome, pasta / nome); }
    // A copy of a test document with some of its text replaced.
    void Variante(const std::string& de, const std::string& para, std::vector<std::pair<std::string, std::string>> trocas) {
        std::string x = Conteudo(kDados / de);
        for (auto& [a, b] : trocas) {
            auto p = x.find(a);
            ASSERT_NE(p, std::string::npos) << a;
            x.replace(p, a.size(), b);
        }
        std::ofstream(pasta / para, std::ios::binary) << x;
    }
    void Escreve(const std::string& nome, const std::string& conteudo) {
        std::ofstream(pasta / nome, std::ios::binary) << conteudo;
    }
    ResultadoLeitor Le(SentidoNfe s, const std::string& doc, int mes, int ano) {
        return LeitorXML({files::to_program_path(pasta), mes, ano, s, doc});
    }
    std::vector<std::string> Arquivo(const std::string& base, int mes, int ano) {
        return Linhas(pasta / ArquivoNfeDoMes(base, mes, ano));
    }
};

struct Caso {
    const char* arquivo;
    SentidoNfe sentido;
    const char* empresa;
    int mes, ano;
    std::size_t itens;
    // The last item's line.
    const char* parceiro;  // columns 1-14
    const char* numero;    // 17-22
    const char* data;      // 23-30
    const char* quantidade, *cfop, *base, *aliquota, *valor;
    const char* extra;     // entries: own base (96-108); exits: state and base before reduction (96-110)
};

constexpr auto E = SentidoNfe::Entrada;
constexpr auto S = SentidoNfe::Saida;

const Caso kCasos[] = {
    {"26180875335849000115550010000016871192213331-nfe.xml", E, "37148260000119", 8, 2018, 3, "75335849000115",
     "001687", "16082018", "0000000004000", "2102", "0000000000000", "000000", "0000000000000", "0000000000000"},
    {"26180875335849000115550010000016871192213331-nfe.xml", S, "75335849000115", 8, 2018, 3, "37148260000119",
     "001687", "16082018", "0000000004000", "6102", "0000000000000", "000000", "0000000000000", "SP0000000000000"},
    {"35180834128745000152550010000474281920007498-nfe.xml", E, "68161525650", 8, 2018, 6, "34128745000152",
     "047428", "07082018", "0000000012000", "2101", "0000000003860", "012000", "0000000000463", "0000000003860"},
    {"35180834128745000152550010000474281920007498-nfe.xml", S, "34128745000152", 8, 2018, 6, "00068161525650",
     "047428", "07082018", "0000000012000", "6101", "0000000003860", "012000", "0000000000463", "MG0000000003860"},
    {"35180834128745000152550010000474491454651420-nfe.xml", E, "53232886000165", 8, 2018, 21, "34128745000152",
     "047449", "08082018", "0000000012000", "1910", "0000000001412", "018000", "0000000000254", "0000000001412"},
    // Tax substitution with a reduced base: the entry takes the substitution's base and rate.
    // Entries are dated by their emission (15/08), exits by their exit (17/08).
    {"35180834128745000152550010000476051695511860-nfe.xml", E, "57647232000153", 8, 2018, 4, "34128745000152",
     "047605", "15082018", "0000000004000", "1910", "0000000008801", "018000", "0000000000968", "0000000003424"},
    {"35180834128745000152550010000476051695511860-nfe.xml", S, "34128745000152", 8, 2018, 4, "57647232000153",
     "047605", "17082018", "0000000004000", "5910", "0000000003424", "018000", "0000000000616", "SP0000000005136"},
    {"35180834128745000152550010000476711079516696-nfe.xml", E, "14654462309", 8, 2018, 2, "34128745000152",
     "047671", "17082018", "0000000001000", "1101", "0000000000472", "018000", "0000000000085", "0000000000472"},
    {"35180834128745000152550010000476861118934859-nfe.xml", E, "95398560000152", 8, 2018, 41, "34128745000152",
     "047686", "17082018", "0000000006000", "1101", "0000000001568", "018000", "0000000000282", "0000000001568"},
    {"41170706117473000150550010000463202612756525-procNFe.xml", E, "27373722000148", 7, 2017, 1, "06117473000150",
     "046320", "12072017", "0000000001000", "2101", "0000000000000", "000000", "0000000000000", "0000000000000"},
    // The company's own import (tpNF 0) is an entry keeping its CFOP; the foreign partner has no document.
    {"42210775277525000178550030000266631762885493-procNFe.xml", E, "75277525000178", 7, 2021, 3, "              ",
     "026663", "22072021", "0000001200000", "3101", "0000002394456", "017000", "0000000407058", "0000002394456"},
    {"nfe_reforma_tributaria.xml", S, "00127786000102", 7, 2025, 1, "00127912000129", "664350", "01072025",
     "0000000006000", "5405", "0000005676866", "012000", "0000000681224", "MG0000005676866"},
    // Four items, two of product 3 and two of product 8: one line each, the quantities summed.
    {"spednfe-nfce.xml", S, "23285089000185", 3, 2020, 2, "10422724000187", "001305", "11032020", "0000000002000",
     "5405", "0000000000000", "000000", "0000000000000", "PR0000000000000"},
    {"spednfe-nfce.xml", E, "10422724000187", 3, 2020, 2, "23285089000185", "001305", "11032020", "0000000002000",
     "1403", "0000000000000", "000000", "0000000000000", "0000000000000"},
    {"spednfe-nfce_com_qrcode.xml", S, "33657677000156", 10, 2018, 2, "              ", "165439", "01102018",
     "0000000001000", "5405", "0000000000000", "000000", "0000000000000", "  0000000000000"},
    {"spednfe-nfe_layout4.xml", E, "58716523000119", 9, 2018, 1, "06929383000163", "000026", "25092018",
     "0000000010000", "2101", "0000000000000", "000000", "0000000000000", "0000000000000"},
};

}  // namespace

TEST(LeitorXml, EveryTestDocumentReadWithItsItemsAgainstTheXml) {
    for (const Caso& c : kCasos) {
        SCOPED_TRACE(std::string(c.arquivo) + (c.sentido == E ? " entrada" : " saida"));
        PastaNfe p;
        p.Copia(c.arquivo);
        ResultadoLeitor r = p.Le(c.sentido, c.empresa, c.mes, c.ano);
        ASSERT_TRUE(r.ok()) << r.falha;
        EXPECT_EQ(r.documentos, 1);
        auto itens = p.Arquivo(c.sentido == E ? "NFEntrada" : "NFSaida", c.mes, c.ano);
        ASSERT_EQ(itens.size(), c.itens);
        const std::string& l = itens.back();
        EXPECT_EQ(Col(l, 1, 14), c.parceiro);
        EXPECT_EQ(Col(l, 17, 22), c.numero);
        EXPECT_EQ(Col(l, 23, 30), c.data);
        EXPECT_EQ(Col(l, 31, 43), c.quantidade);
        EXPECT_EQ(Col(l, 58, 61), c.cfop);
        EXPECT_EQ(Col(l, 64, 76), c.base);
        EXPECT_EQ(Col(l, 77, 82), c.aliquota);
        EXPECT_EQ(Col(l, 83, 95), c.valor);
        EXPECT_EQ(Col(l, 96, c.sentido == E ? 108 : 110), c.extra);
        // The whole number and product code after the last column of the import's layout.
        EXPECT_EQ(c.sentido == E ? Col(l, 130, 138) : Col(l, 132, 140), std::string("000") + c.numero);
        EXPECT_EQ(c.sentido == E ? Col(l, 139, 158) : Col(l, 141, 160), Col(l, 44, 57) + "      ");
        EXPECT_EQ(l.size(), c.sentido == E ? 158u : 160u);
        auto check = Linhas(p.pasta / "CNPJ.txt");
        ASSERT_EQ(check.size(), 1u);
        EXPECT_EQ(text::trim(check[0]), c.empresa);
    }
}

TEST(LeitorXml, ProductsAndPartnersInTheirLayouts) {
    PastaNfe p;
    p.Copia("35180834128745000152550010000476861118934859-nfe.xml");
    ASSERT_TRUE(p.Le(E, "95398560000152", 8, 2018).ok());
    auto itens = p.Arquivo("NFEntrada", 8, 2018);
    // The issuer's tax-substitution sales 5401 arrive as 1403.
    EXPECT_EQ(std::count_if(itens.begin(), itens.end(), [](auto& l) { return Col(l, 58, 61) == "1403"; }), 12);
    auto produtos = p.Arquivo("Produtos", 8, 2018);
    ASSERT_FALSE(produtos.empty());
    for (const std::string& l : produtos) {
        EXPECT_EQ(l.size(), 190u) << l;
        EXPECT_EQ(Col(l, 171, 190), Col(l, 1, 14) + "      ");
    }
    auto fornecedores = p.Arquivo("Fornecedores", 8, 2018);
    ASSERT_EQ(fornecedores.size(), 1u);
    const std::string& f = fornecedores[0];
    EXPECT_EQ(f.size(), 252u);
    EXPECT_EQ(Col(f, 207, 221), "134128745000152");
    EXPECT_EQ(Col(f, 173, 174), "SP");
    EXPECT_EQ(Col(f, 183, 193), "01912345678");  // country code dropped: area 19, number 12345678

    // Exits of a customer known by CPF: the CPF sits in columns 4-14 of the item and 222-232 of the party.
    PastaNfe q;
    q.Copia("35180834128745000152550010000474281920007498-nfe.xml");
    ASSERT_TRUE(q.Le(S, "34128745000152", 8, 2018).ok());
    auto clientes = q.Arquivo("Fornecedores", 8, 2018);
    ASSERT_EQ(clientes.size(), 1u);
    EXPECT_EQ(Col(clientes[0], 207, 232), "2              68161525650");
}

TEST(LeitorXml, MixedFolderImportsTheGoodOnesAndListsEveryOtherWithItsReason) {
    PastaNfe p;
    const char* boas[] = {"35180834128745000152550010000474281920007498-nfe.xml",
                          "35180834128745000152550010000474491454651420-nfe.xml",
                          "35180834128745000152550010000476051695511860-nfe.xml"};
    for (const char* b : boas) p.Copia(b);
    std::string inteira = Conteudo(kDados / boas[0]);
    const std::string raiz = "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\"";
    p.Escreve("malformado.xml", "<nfeProc><NFe><infNFe><ide></infNFe></NFe>");
    p.Escreve("truncado.xml", inteira.substr(0, inteira.size() / 2));
    p.Escreve("outro.xml", "<?xml version=\"1.0\"?><catalogo><item/></catalogo>");
    p.Variante(boas[0], "cancelada.xml", {{"<nNF>47428</nNF>", "<nNF>47429</nNF>"}, {"<cStat>100</cStat>", "<cStat>101</cStat>"}});
    p.Copia("26180875335849000115550010000016871192213331-nfe.xml");  // neither side
    // Values that do not fit are quoted as the document writes them.
    p.Variante(boas[0], "grande.xml", {{"<nNF>47428</nNF>", "<nNF>12345678901234567890123</nNF>"}});
    p.Variante(boas[0], "negativa.xml", {{"<nNF>47428</nNF>", "<nNF>47430</nNF>"}, {"<qCom>6.0000</qCom>", "<qCom>-5.0000</qCom>"}});
    p.Variante(boas[0], "codigo.xml", {{"<nNF>47428</nNF>", "<nNF>47435</nNF>"}, {"<cProd>1208</cProd>", "<cProd>ABCDEFGHIJKLMNOPQRSTU</cProd>"}});
    p.Variante(boas[0], "base.xml", {{"<nNF>47428</nNF>", "<nNF>47431</nNF>"}, {"<vBC>50.60</vBC>", "<vBC>-100.00</vBC>"}});
    // Another namespace, with or without a prefix, and a DOCTYPE whose entity a name refers to.
    p.Variante(boas[0], "alheia.xml", {{raiz, "<nfeProc xmlns=\"http://example.com/evil\""}});
    p.Variante(boas[0], "prefixo.xml",
               {{raiz, "<p:nfeProc xmlns:p=\"http://example.com/evil\" xmlns=\"http://www.portalfiscal.inf.br/nfe\""},
                {"</nfeProc>", "</p:nfeProc>"}});
    p.Variante(boas[0], "doctype.xml",
               {{"<nNF>47428</nNF>", "<nNF>47433</nNF>"},
                {"?>", "?><!DOCTYPE nfeProc [<!ENTITY xxe SYSTEM \"file:///etc/passwd\">]>"},
                {"<xProd>", "<xProd>&xxe;"}});
    p.Variante(boas[0], "entidade.xml", {{"<nNF>47428</nNF>", "<nNF>47434</nNF>"}, {"<xProd>", "<xProd>&lol9;"}});
    // The NF-e namespace under a prefix of its own is the NF-e's.
    p.Variante(boas[0], "prefixada.xml",
               {{"<nNF>47428</nNF>", "<nNF>47432</nNF>"},
                {raiz, "<nfe:nfeProc xmlns:nfe=\"http://www.portalfiscal.inf.br/nfe\""},
                {"</nfeProc>", "</nfe:nfeProc>"}});
    // A document of another month is simply not chosen.
    p.Copia("41170706117473000150550010000463202612756525-procNFe.xml");
    // A name that leads to no file is listed; the walk goes on.
    fs::create_symlink(p.pasta / "sumida", p.pasta / "ilegivel.xml");

    ResultadoLeitor r = p.Le(S, "34128745000152", 8, 2018);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.arquivos, 19);
    EXPECT_EQ(r.documentos, 4);
    EXPECT_EQ(r.itens, 6 + 21 + 4 + 6);
    EXPECT_EQ(p.Arquivo("NFSaida", 8, 2018).size(), 37u);
    std::map<std::string, std::string> motivos;
    for (const std::string& m : r.problemas) {
        std::string u = text::to_utf8(m);
        auto dois = u.find(':');
        motivos[u.substr(8, dois - 8)] = u.substr(dois + 2);
    }
    EXPECT_EQ(motivos.size(), 14u);
    EXPECT_EQ(motivos["ilegivel.xml"], "não foi possível ler o arquivo");
    EXPECT_NE(motivos["malformado.xml"].find("XML inválido"), std::string::npos);
    EXPECT_NE(motivos["truncado.xml"].find("XML inválido"), std::string::npos);
    EXPECT_EQ(motivos["outro.xml"], "não é uma NF-e");
    EXPECT_EQ(motivos["cancelada.xml"], "nota não autorizada (situação 101)");
    EXPECT_EQ(motivos["26180875335849000115550010000016871192213331-nfe.xml"],
              "a empresa não é emitente nem destinatária");
    EXPECT_EQ(motivos["grande.xml"], "não importada, Número da nota 12345678901234567890123 não cabe no seu campo");
    EXPECT_EQ(motivos["negativa.xml"], "não importada, Quantidade -5.0000 não cabe no seu campo");
    EXPECT_EQ(motivos["codigo.xml"], "não importada, Código do produto ABCDEFGHIJKLMNOPQRSTU não cabe no seu campo");
    EXPECT_EQ(motivos["base.xml"], "não importada, Base do ICMS -100.00 não cabe no seu campo");
    EXPECT_EQ(motivos["alheia.xml"], "fora do espaço de nomes da NF-e (http://example.com/evil)");
    EXPECT_EQ(motivos["prefixo.xml"], "fora do espaço de nomes da NF-e (http://example.com/evil)");
    EXPECT_EQ(motivos["doctype.xml"], "documento com DOCTYPE, que uma NF-e não tem");
    EXPECT_EQ(motivos["entidade.xml"], "XML inválido (entidade não declarada &lol9;)");
    // Nothing of a refused document reached the files: each invoice number is one of the good ones.
    for (const std::string& l : p.Arquivo("NFSaida", 8, 2018))
        EXPECT_TRUE(Col(l, 17, 22) == "047428" || Col(l, 17, 22) == "047449" || Col(l, 17, 22) == "047605" ||
                    Col(l, 17, 22) == "047432")
            << l;
    for (const std::string& l : p.Arquivo("Produtos", 8, 2018)) {
        EXPECT_EQ(l.find("xxe"), std::string::npos) << l;
        EXPECT_EQ(l.find("lol9"), std::string::npos) << l;
    }
    for (const std::string& l : Linhas(p.pasta / "CNPJ.txt")) EXPECT_EQ(l, "34128745000152");
}

TEST(LeitorXml, NoProtocolAndAnotherCompanysFolder) {
    PastaNfe p;
    p.Copia("spednfe-nfce.xml");
    ResultadoLeitor r = p.Le(S, "23285089000185", 3, 2020);
    EXPECT_EQ(r.documentos, 1);
    ASSERT_EQ(r.problemas.size(), 1u);
    EXPECT_NE(text::to_utf8(r.problemas[0]).find("sem protocolo"), std::string::npos);

    // A folder of another company's documents: the check file names that company.
    PastaNfe o;
    o.Copia("35180834128745000152550010000474491454651420-nfe.xml");
    r = o.Le(S, "11222333000181", 8, 2018);
    EXPECT_EQ(r.documentos, 0);
    EXPECT_EQ(Linhas(o.pasta / "CNPJ.txt"), std::vector<std::string>{"34128745000152"});
}

TEST(LeitorXml, PhonesSplitIntoAreaCodeAndNumberAndANumberTooLongIsLeftBlankAndListed) {
    struct Fone {
        const char* escrito;
        const char* colunas;  // 183-193: area code, number
        bool listado;
    } casos[] = {
        {"11912345678", "011        ", true},    // a mobile: 9 digits after the area code
        {"5511912345678", "011        ", true},  // the same with the country code
        {"0123456789", "01203456789", false},    // trunk zero, then area code 12
        {"01912345678", "01912345678", false},
        {"551912345678", "01912345678", false},
        {"998926994", "09908926994", false},     // 9 digits: the first two are the area code
        {"12345678", "00012345678", false},      // no area code
        {"", "00000000000", false},
    };
    for (const Fone& c : casos) {
        SCOPED_TRACE(c.escrito);
        PastaNfe p;
        p.Variante("35180834128745000152550010000474281920007498-nfe.xml", "nota.xml",
                   {{"<fone>551912345678</fone>", std::string("<fone>") + c.escrito + "</fone>"}});
        ResultadoLeitor r = p.Le(E, "68161525650", 8, 2018);
        EXPECT_EQ(r.documentos, 1);
        EXPECT_EQ(p.Arquivo("NFEntrada", 8, 2018).size(), 6u);
        auto partes = p.Arquivo("Fornecedores", 8, 2018);
        ASSERT_EQ(partes.size(), 1u);
        EXPECT_EQ(Col(partes[0], 183, 193), c.colunas);
        ASSERT_EQ(r.problemas.size(), c.listado ? 1u : 0u);
        if (c.listado) {
            EXPECT_NE(text::to_utf8(r.problemas[0]).find(std::string("telefone ") + c.escrito), std::string::npos)
                << text::to_utf8(r.problemas[0]);
        }
    }
}

TEST(LeitorXml, EntriesChooseTheirMonthByEmissionExitsByExitAndTheOtherMonthIsListed) {
    // Emitted 31/08, left (or entered) 01/09.
    const std::vector<std::pair<std::string, std::string>> datas = {
        {"<dhEmi>2018-08-07T09:19:15", "<dhEmi>2018-08-31T23:10:00"},
        {"<dhSaiEnt>2018-08-07T09:19:15", "<dhSaiEnt>2018-09-01T08:00:00"}};
    struct Caso {
        SentidoNfe sentido;
        const char* empresa;
        int mes;
        const char* data;   // the lines' date; empty: none, the document listed
        const char* aviso;
    } casos[] = {
        {E, "68161525650", 8, "31082018", ""},
        {E, "68161525650", 9, "", "outro mês: nota 47428 emitida em 31/08/2018, entrada em 01/09/2018; é importada no mês 08/2018"},
        {S, "34128745000152", 9, "01092018", ""},
        {S, "34128745000152", 8, "", "outro mês: nota 47428 com saída em 01/09/2018, emitida em 31/08/2018; é importada no mês 09/2018"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.mes) + (c.sentido == E ? " entrada" : " saida"));
        PastaNfe p;
        p.Variante("35180834128745000152550010000474281920007498-nfe.xml", "nota.xml", datas);
        ResultadoLeitor r = p.Le(c.sentido, c.empresa, c.mes, 2018);
        auto itens = p.Arquivo(c.sentido == E ? "NFEntrada" : "NFSaida", c.mes, 2018);
        if (*c.data) {
            ASSERT_EQ(itens.size(), 6u);
            for (const std::string& l : itens) EXPECT_EQ(Col(l, 23, 30), c.data);
            EXPECT_TRUE(r.problemas.empty());
        } else {
            EXPECT_TRUE(itens.empty());
            ASSERT_EQ(r.problemas.size(), 1u);
            EXPECT_EQ(text::to_utf8(r.problemas[0]), std::string("Arquivo nota.xml: ") + c.aviso);
        }
    }
}

TEST(LeitorXml, ItemsOfOneProductAndCfopSummedIntoOneLineAndADifferentRateListed) {
    PastaNfe p;
    // The second item becomes product 1208 again, at another rate.
    p.Variante("35180834128745000152550010000474281920007498-nfe.xml", "nota.xml",
               {{"<cProd>1210</cProd>", "<cProd>1208</cProd>"}});
    std::string x = Conteudo(p.pasta / "nota.xml");
    // The second item's rate: the second <pICMS>.
    auto segundo = x.find("<pICMS>12.00</pICMS>", x.find("<pICMS>12.00</pICMS>") + 1);
    x.replace(segundo, 20, "<pICMS>18.00</pICMS>");
    p.Escreve("nota.xml", x);
    ResultadoLeitor r = p.Le(S, "34128745000152", 8, 2018);
    auto itens = p.Arquivo("NFSaida", 8, 2018);
    ASSERT_EQ(itens.size(), 5u);
    EXPECT_EQ(r.itens, 5);
    const std::string& l = itens[0];
    EXPECT_EQ(Col(l, 44, 57), "1208          ");
    EXPECT_EQ(Col(l, 31, 43), "0000000018000");  // 6 + 12
    EXPECT_EQ(Col(l, 64, 76), "0000000015180");  // 50.60 + 101.20
    EXPECT_EQ(Col(l, 77, 82), "012000");          // the first item's rate
    EXPECT_EQ(Col(l, 83, 95), "0000000001821");  // 6.07 + 12.14
    EXPECT_EQ(Col(l, 98, 110), "0000000015180"); // base before reduction
    ASSERT_EQ(r.problemas.size(), 1u);
    EXPECT_EQ(text::to_utf8(r.problemas[0]),
              "Arquivo nota.xml: nota 47428, produto 1208, CFOP 6101: itens de alíquota 12.00 e 18.00 somados numa "
              "linha com a alíquota do primeiro");
}

}  // namespace vorel::integration::testing
