// The digital file: its records byte for byte, the invoice records of the work table, the opening
// balances and the file written whole or not at all.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>

#include "calculo_fixture.h"
#include "killed_run.h"
#include "vorel/computation/arquivo_magnetico.h"
#include "vorel/core/paths.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/payroll_tables.h"

namespace vorel::computation::testing {
namespace {

std::string P(std::string s, std::size_t w) {
    s.resize(w, ' ');
    return s;
}
std::string Z(int n) { return std::string(static_cast<std::size_t>(n), '0'); }

struct AvisosArquivoTeste : AvisosArquivo {
    long long chamadas = 0;
    bool Progresso(const ContadoresArquivo&) override { return ++chamadas > 0; }
};

// One work-table row (the computation's output).
struct Row {
    date::Day data = 0;
    int entsai = 1;
    const char* numero = "1";
    const char* serie = "";
    int cfo = 1102, complemento = 0, cfocompl = 0;
    int produto = 1234;
    const char* qtd = "1";
    const char* base = "0";
    const char* cnpj = "";
    std::uint32_t forcli = 0;
    const char* consFinal = "0";
    const char* confUsu = "0";
    const char* demHip = "0";
    const char* aliquota = "";
};

class ArquivoMagneticoTest : public CalculoFixture {
protected:
    void SetUp() override {
        CalculoFixture::SetUp();
        trabalho = root + "Trabalho.tps";
        alvo = root + "ARQ.TXT";
        Companhia();
    }

    void Companhia(long long cnae = 4530703, const char* web = "") {
        std::thread([&] {
            data::FileManager fm(dictionary::Empresa());
            ASSERT_TRUE(fm.open().ok());
            auto& e = fm.rec<dictionary::EmpresaRec>();
            fm.clear_record();
            e.Codigo = 1;
            ASSERT_TRUE(fm.get(keys::EMP_KEY_CODIGO).ok());
            e.CGC = "12345678000195";
            e.INSCESTADUAL = "110.042.490.114";
            e.CNAE = static_cast<std::uint32_t>(cnae);
            e.RAZAOSOCIAL = "AUTO PECAS EXEMPLO LTDA";
            e.CIDADE = "SAO PAULO";
            e.UF = "SP";
            e.ENDERECO = "RUA DAS FLORES";
            e.NUMERO = 120;
            e.COMPLEMENTO = "SALA 2";
            e.BAIRRO = "CENTRO";
            e.CEP = 1310100;
            e.FONE = 33334444;
            e.EMAIL = "fiscal@exemplo.com.br";
            e.PAGINAWEB = web;
            e.CODRESPESCR = 7;
            ASSERT_TRUE(fm.put().ok());
            (void)fm.close();
        }).join();
        Grava<dictionary::FuncionariosRec>(dictionary::Funcionarios(), [](auto& f) {
            f.CODIGO = 7;
            f.Nome = "MARIA CONTADORA";
        });
    }

    void Linhas(const std::vector<Row>& rows) {
        std::thread([&] {
            data::FileManager fm(dictionary::EntradaSaidaVorel());
            ASSERT_TRUE(fm.open_path(trabalho).ok());
            data::Transaction t({&fm});  // one commit for all the rows
            for (const Row& r : rows) {
                fm.clear_record();
                auto& w = fm.rec<dictionary::EntradaSaidaVorelRec>();
                w.DATA = r.data;
                w.ENTSAI = static_cast<std::uint8_t>(r.entsai);
                w.NUMERO = r.numero;
                w.SERIE = r.serie;
                w.CFO = static_cast<std::uint16_t>(r.cfo);
                w.COMPLEMENTO = static_cast<std::uint8_t>(r.complemento);
                w.CFOCOMPL = static_cast<std::int16_t>(r.cfocompl);
                w.CODMERCADORIA = r.produto;
                w.QUANTIDADE = D(r.qtd);
                w.BASEICMS = D(r.base);
                w.CNPJFORPROD = r.cnpj;
                w.CODIGOFORCLI = r.forcli;
                w.SAICONSFINAL = D(r.consFinal);
                w.CONFUSUFINAL = D(r.confUsu);
                w.CONFENTRADASDEMHIP = D(r.demHip);
                w.ALIQUOTA = r.aliquota;
                ASSERT_TRUE(fm.add().ok());
            }
            ASSERT_TRUE(t.commit().ok());
            (void)fm.close();
        }).join();
    }

    PedidoArquivo Pedido(VersaoArquivo v = VersaoArquivo::V23) {
        if (!files::exists(trabalho)) Linhas({});
        PedidoArquivo p;
        p.empresa = 1;
        p.anoTrabalho = 2016;
        p.mesTrabalho = 3;
        p.inicio = Dia(2016, 3, 1);
        p.fim = Dia(2016, 3, 31);
        p.versao = v;
        p.arquivo = alvo;
        p.trabalho = trabalho;
        return p;
    }

    ResultadoMagnetico Gera(const PedidoArquivo& p) {
        ResultadoMagnetico r;
        std::thread([&] {
            dictionary::InitDictionary();
            AvisosArquivoTeste avisos;
            r = GravaArquivoMagnetico(p, avisos);
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }

    std::string Conteudo(const std::string& arquivo = {}) {
        std::ifstream in(files::resolve(arquivo.empty() ? alvo : arquivo), std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> LinhasDoArquivo(VersaoArquivo v = VersaoArquivo::V23) { return LinhasDoArquivo(Pedido(v)); }
    std::vector<std::string> LinhasDoArquivo(const PedidoArquivo& p) {
        ResultadoMagnetico r = Gera(p);
        EXPECT_TRUE(r.ok()) << r.erro << (r.recusas.empty() ? "" : r.recusas[0].campo);
        std::vector<std::string> out;
        std::string c = Conteudo();
        std::size_t i = 0;
        while (i < c.size()) {
            std::size_t f = c.find("\r\n", i);
            EXPECT_NE(f, std::string::npos) << "every line ends with CR LF";
            if (f == std::string::npos) break;
            out.push_back(c.substr(i, f - i));
            i = f + 2;
        }
        return out;
    }

    std::string trabalho, alvo;
};

TEST_F(ArquivoMagneticoTest, AnEmptyPeriodGivesTheHeaderAndTwoCounts) {
    const std::string cabecalho23 = "01" "12345678000195" "110.042.490.11" "45307" "45307" +
                                    P("AUTO PECAS EXEMPLO LTDA", 35) + P("SAO PAULO", 30) + "SP" + "20160301" +
                                    "20160331" + P("RUA DAS FLORES", 34) + "00120" + P("SALA 2", 22) + P("CENTRO", 15) +
                                    "01310100" + P("MARIA CONTADORA", 28) + Z(10) + "000033334444" +
                                    P("fiscal@exemplo.com.br", 50) + P("", 40);
    const std::string contagens = "0601" "00000000000001\r\n" "0606" "00000000000003\r\n";
    struct Caso {
        VersaoArquivo v;
        std::string cabecalho;
    } casos[] = {
        {VersaoArquivo::V23, cabecalho23},
        {VersaoArquivo::V21, cabecalho23},
        {VersaoArquivo::V23Port9905, cabecalho23.substr(0, 30) + "4530703" + cabecalho23.substr(40)},
    };
    for (const Caso& c : casos) {
        ASSERT_TRUE(Gera(Pedido(c.v)).ok());
        EXPECT_EQ(Conteudo(), c.cabecalho + "\r\n" + contagens) << static_cast<int>(c.v);
    }
    EXPECT_EQ(cabecalho23.size(), 347u);
}

TEST_F(ArquivoMagneticoTest, FieldEncodings) {
    std::vector<ValorRecusado> recusas;
    // CNAE with fewer than 7 digits: leading zeros in both layouts; a blank web page still ends at 347.
    DadosCabecalho h;
    h.cnae = 123456;
    const std::string l23 = RegistroCabecalho(h, VersaoArquivo::V23, recusas);
    EXPECT_EQ(l23.substr(30, 10), "0123401234");
    EXPECT_EQ(l23.size(), 347u);
    EXPECT_EQ(RegistroCabecalho(h, VersaoArquivo::V23Port9905, recusas).substr(30, 7), "0123456");
    EXPECT_EQ(RegistroCabecalho(h, VersaoArquivo::V23Port9905, recusas).size(), 344u);

    DadosEstoque d;
    d.produto = 1234;
    d.quantidade = D("2.5");
    d.valorA = D("10.01");
    d.cfop = "1102";
    const std::string e = RegistroEstoque(d, recusas);
    EXPECT_EQ(e.size(), 142u);
    EXPECT_EQ(e.substr(54, 13), "0000000002500");
    EXPECT_EQ(e.substr(67, 13), "0000000001001");
    EXPECT_EQ(e.substr(93, 14), "1234          ");
    EXPECT_EQ(RegistroAliquota(1234, 1, 1, D("7"), recusas).substr(32), "0700");
    EXPECT_EQ(RegistroAliquota(1234, 1, 1, D("7.125"), recusas).substr(32), "0713");  // half away from zero
    const std::string p = RegistroProduto(1234, std::string(80, 'X'), "UNIDADE", recusas);
    EXPECT_EQ(p.size(), 94u);
    EXPECT_EQ(p.substr(91), "UNI");
    EXPECT_TRUE(recusas.empty());
}

TEST_F(ArquivoMagneticoTest, ValuesTheLayoutCannotHoldAreListedNeverWritten) {
    struct Caso {
        const char* campo;
        std::function<void(DadosEstoque&)> muda;
        VersaoArquivo v = VersaoArquivo::V23;
    } casos[] = {
        {"quantidade", [](DadosEstoque& d) { d.quantidade = D("-1"); }},
        {"base 1", [](DadosEstoque& d) { d.valorA = D("100000000000"); }},
        {"número", [](DadosEstoque& d) { d.numero = 1000000; }},
        {"produto", [](DadosEstoque& d) { d.produto = D("123456789012345"); }},
    };
    for (const Caso& c : casos) {
        std::vector<ValorRecusado> recusas;
        DadosEstoque d;
        d.cfop = "1102";
        c.muda(d);
        EXPECT_EQ(RegistroEstoque(d, recusas).size(), 142u) << c.campo;
        ASSERT_EQ(recusas.size(), 1u) << c.campo;
        EXPECT_EQ(recusas[0].campo, c.campo);
    }
    std::vector<ValorRecusado> recusas;
    EXPECT_EQ(CampoCfop(1102, VersaoArquivo::V21, "x", recusas), "000");
    ASSERT_EQ(recusas.size(), 1u);
    EXPECT_EQ(recusas[0].campo, "CFOP");

    // In a run: a negative balance keeps the old file and names the record.
    std::ofstream(files::resolve(alvo), std::ios::binary) << "ANTIGO";
    Produto(1234);
    Entrada({.produto = 1234, .data = Dia(2016, 3, 1), .numero = 0, .qtd = "-2"});
    ResultadoMagnetico r = Gera(Pedido());
    EXPECT_EQ(r.estado, ResultadoMagnetico::Estado::Recusado);
    ASSERT_EQ(r.recusas.size(), 1u);
    EXPECT_EQ(r.recusas[0].registro, "02 saldo anterior do produto 1234");
    EXPECT_EQ(Conteudo(), "ANTIGO");

    // Invoice items: each refused value named by its own record; a CFOP that "2.1" cannot hold is
    // listed for every record that carries it.
    Cfo(1102, kEntradas);
    Linhas({{.data = Dia(2016, 3, 10), .numero = "7", .cfo = 1102, .produto = 1234, .qtd = "-1"},
            {.data = Dia(2016, 3, 11), .numero = "8", .cfo = 1102, .produto = 1234}});
    r = Gera(Pedido(VersaoArquivo::V21));
    std::vector<std::string> listadas;
    for (const ValorRecusado& v : r.recusas) listadas.push_back(v.registro + ": " + v.campo);
    EXPECT_EQ(listadas, (std::vector<std::string>{"02 saldo anterior do produto 1234: quantidade",
                                                  "02 entrada 7 de 10/03/2016 produto 1234: CFOP",
                                                  "02 entrada 7 de 10/03/2016 produto 1234: quantidade",
                                                  "02 entrada 8 de 11/03/2016 produto 1234: CFOP"}));
    EXPECT_EQ(Conteudo(), "ANTIGO");
}

TEST_F(ArquivoMagneticoTest, OneOpeningBalanceInEachVersion) {
    Produto(1234, "18");
    Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto&) {}, {});  // product 0: nothing of it
    Entrada({.produto = 1234, .data = Dia(2016, 3, 1), .numero = 0, .qtd = "2.5", .base = "10.01"});
    const std::string comum = "02" "12345678000195" + P("110042490114", 14) + "SP" + "20160301" + "SK" + "000000";
    const std::string valores = "00" "0000000002500" "0000000001001" "0000000000000" + P("1234", 14);
    struct Caso {
        VersaoArquivo v;
        std::string linha;
    } casos[] = {
        {VersaoArquivo::V23, comum + "1403" + valores + P("", 22) + Z(13)},
        {VersaoArquivo::V23Port9905, comum + "0002" + valores + P("", 22) + Z(13)},
        {VersaoArquivo::V21, comum + "172" + valores},
    };
    for (const Caso& c : casos) {
        auto l = LinhasDoArquivo(c.v);
        ASSERT_EQ(l.size(), 9u);  // 01, 02, 04, 05, 0601, 0602, 0604, 0605, 0606
        EXPECT_EQ(l[1], c.linha);
        EXPECT_EQ(l[2], "04" + P("1234", 14) + P("", 75) + P("", 3));
        EXPECT_EQ(l[3], "05" + P("1234", 14) + "20160301" "20160331" "1800");
        EXPECT_EQ(l[8], "0606" "00000000000009");
    }
}

TEST_F(ArquivoMagneticoTest, OpeningBalancesOfTheSearch) {
    Ano(2016);
    // 1: typed 0 in the first month; 2: last balance 0, no movement; 3: moved in January, no balance
    // movement in February; 4: only a December 2015 balance with December movement.
    for (int p : {1, 2, 3, 4}) Produto(p);
    Entrada({.produto = 1, .data = Dia(2016, 3, 1), .numero = 0, .qtd = "0"});
    Saldo({.produto = 2, .mes = Dia(2016, 2, 1), .qtd = "0"});
    Saldo({.produto = 3, .mes = Dia(2016, 1, 1), .qtd = "5", .base = "50"});
    Saldo({.produto = 3, .mes = Dia(2016, 2, 1), .qtd = "4", .base = "40"});
    Saida(3, Dia(2016, 1, 20), 10, 5102, "1");
    Saldo({.produto = 4, .mes = Dia(2015, 12, 1), .qtd = "7", .base = "70"}, ArquivoAno(2015, true));
    Entrada({.produto = 4, .data = Dia(2015, 12, 5), .numero = 9, .qtd = "7"}, ArquivoAno(2015, false));
    auto l = LinhasDoArquivo();
    std::vector<std::string> saldos;
    for (const auto& s : l)
        if (s.rfind("02", 0) == 0) saldos.push_back(s.substr(93, 4) + s.substr(54, 13) + "/" + s.substr(67, 13));
    EXPECT_EQ(saldos, (std::vector<std::string>{"1   0000000000000/0000000000000", "3   0000000005000/0000000005000",
                                                "4   0000000007000/0000000007000"}));
    EXPECT_EQ(l.size(), 1u + 3 + 3 + 3 + 5);
}

TEST_F(ArquivoMagneticoTest, TheBackwardSearchStopsAtTheFirstYearWithoutBalances) {
    Produto(1);
    // 2013 holds a balance with movement, but 2014 has no balance file: the search stops there.
    Saldo({.produto = 1, .mes = Dia(2013, 6, 1), .qtd = "3"}, ArquivoAno(2013, true));
    Entrada({.produto = 1, .data = Dia(2013, 6, 2), .numero = 5, .qtd = "3"}, ArquivoAno(2013, false));
    Saldo({.produto = 9, .mes = Dia(2015, 6, 1), .qtd = "3"}, ArquivoAno(2015, true));
    EXPECT_EQ(LinhasDoArquivo().size(), 3u);
    // With 2014's file present the search reaches 2013.
    Saldo({.produto = 9, .mes = Dia(2014, 6, 1), .qtd = "3"}, ArquivoAno(2014, true));
    auto l = LinhasDoArquivo();
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[1].substr(54, 13), "0000000003000");
}

// While the search reads 2015's and 2014's tables, a window opened on another thread finds the
// working year: the balance and entry tables it opens are 2016's, and GLO:ANO is 2016.
TEST_F(ArquivoMagneticoTest, AWindowOpenedDuringTheSearchReadsTheWorkingYear) {
    Ano(2016);
    for (int p : {1, 2}) Produto(p);
    Saldo({.produto = 1, .mes = Dia(2014, 6, 1), .qtd = "3"}, ArquivoAno(2014, true));
    Entrada({.produto = 1, .data = Dia(2014, 6, 2), .numero = 5, .qtd = "3"}, ArquivoAno(2014, false));
    Saldo({.produto = 9, .mes = Dia(2015, 6, 1), .qtd = "1"}, ArquivoAno(2015, true));
    Saldo({.produto = 555, .mes = Dia(2016, 1, 1), .qtd = "1"});  // only in the working year's files
    Entrada({.produto = 555, .data = Dia(2016, 1, 2), .numero = 6, .qtd = "1"});

    struct Janela : AvisosArquivo {
        std::vector<std::string> viu;
        bool Progresso(const ContadoresArquivo& c) override {
            // After product 1's search, while the run still holds the earlier years open.
            if (viu.empty() && !c.mensagemSaldo.empty() && c.produtosExaminados == 1)
                std::thread([&] {
                    dictionary::InitDictionary();
                    viu.push_back("ano " + std::to_string(shell::GLO_ANO.Get()));
                    data::FileManager saldos(dictionary::SaldosVorel()), entradas(dictionary::EntradaVorel());
                    if (saldos.open().ok()) {
                        auto& q = saldos.rec<dictionary::SaldosVorelRec>();
                        saldos.clear_record();
                        if (saldos.set(keys::SQEL_KEY_PRODDATAALIQUOTA).ok() && saldos.next().ok())
                            viu.push_back("saldo " + std::string(text::clip(q.Produto.value())));
                        (void)saldos.close();
                    }
                    if (entradas.open().ok()) {
                        auto& e = entradas.rec<dictionary::EntradaVorelRec>();
                        entradas.clear_record();
                        if (entradas.set(keys::ENT_KEY_PRODUTODATA).ok() && entradas.next().ok())
                            viu.push_back("entrada " + Decimal(e.CodMercadoria).to_string());
                        (void)entradas.close();
                    }
                    dictionary::TeardownDictionary();
                }).join();
            return true;
        }
    };
    Janela janela;
    ResultadoMagnetico r;
    std::thread([&] {
        dictionary::InitDictionary();
        r = GravaArquivoMagnetico(Pedido(), janela);
        dictionary::TeardownDictionary();
    }).join();
    EXPECT_EQ(janela.viu, (std::vector<std::string>{"ano 2016", "saldo 555", "entrada 555"}));
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(Conteudo().substr(349 + 54, 13), "0000000003000");  // product 1's balance of 2014
    EXPECT_EQ(shell::GLO_ANO.Get(), 2016);
}

TEST_F(ArquivoMagneticoTest, InvoiceRecords) {
    Cfo(1102, kEntradas);
    Cfo(5405, kConsumidorFinal);
    Cfo(1999, kEntradasDemaisHipoteses);
    Grava<dictionary::CFORec>(dictionary::CFO(), [](auto& c) {
        c.CODIGO = 1403;
        c.COLUNA = kEntradas;
        c.CODIGO_CFO_ARQUIVOMAGNETICO_VOREL = 112;
    });
    Grava<dictionary::ForCliRec>(dictionary::ForCli(), [](auto& f) {
        f.Codigo = 5;
        f.CGC = "11222333000181";
        f.InscricaoEstadual = "110.042.490.114me";
        f.Estado = "MG";
    });
    const date::Day d = Dia(2016, 3, 10);
    Linhas({
        {.data = d, .entsai = 1, .numero = "7", .serie = "1", .cfo = 1102, .produto = 1, .qtd = "1", .base = "100",
         .cnpj = "11222333000181", .forcli = 5, .demHip = "20"},
        {.data = d, .entsai = 1, .numero = "71", .serie = "3", .cfo = 1999, .produto = 1, .base = "55"},
        {.data = d, .entsai = 1, .numero = "8", .serie = "2", .cfo = 1403, .cfocompl = 6, .produto = 1,
         .cnpj = "11222333000181", .forcli = 99},
        {.data = d, .entsai = 2, .numero = "10", .serie = "4", .cfo = 5405, .produto = 1, .consFinal = "30",
         .confUsu = "3"},
    });
    auto l = LinhasDoArquivo();
    ASSERT_EQ(l.size(), 1u + 4 + 3);
    // Supplier by code: registration cleaned ("ME" removed), state of the register.
    EXPECT_EQ(l[1], "02" "11222333000181" + P("110042490114", 14) + "MG" "20160310" "1 " "000007" "1102" "00" +
                        "0000000001000" "0000000010000" "0000000002000" + P("1", 14) + P("", 22) + Z(13));
    // Column 7 right after column 1: bases 0, never the previous row's; its own date and series.
    EXPECT_EQ(l[2].substr(32, 10), "201603103 ");
    EXPECT_EQ(l[2].substr(67, 26), Z(26));
    // Unknown supplier code: found by CNPJ; complement 6 is 00 in "2.3"; the year-2016 CFOP is the register's.
    EXPECT_EQ(l[3].substr(16, 16), P("110042490114", 14) + "MG");
    EXPECT_EQ(l[3].substr(48, 6), "140300");
    // An exit without CNPJ: "ISENTO" / "SP"; its bases from column 2.
    EXPECT_EQ(l[4].substr(2, 30), Z(14) + P("ISENTO", 14) + "SP");
    EXPECT_EQ(l[4].substr(67, 26), "0000000003000" "0000000000300");

    struct Caso {
        VersaoArquivo v;
        int ano;
        const char* cfopComplemento;
    } casos[] = {
        {VersaoArquivo::V23, 2002, "011200"},
        {VersaoArquivo::V23, 2003, "140300"},
        {VersaoArquivo::V23Port9905, 2016, "140306"},
    };
    for (const Caso& c : casos) {
        PedidoArquivo p = Pedido(c.v);
        p.anoTrabalho = c.ano;
        auto v = LinhasDoArquivo(p);
        ASSERT_EQ(v.size(), l.size());
        EXPECT_EQ(v[3].substr(48, 6), c.cfopComplemento) << c.ano;
    }
}

TEST_F(ArquivoMagneticoTest, AMissingCfoIsListedOnceAndKeepsTheOldFile) {
    std::ofstream(files::resolve(alvo), std::ios::binary) << "ANTIGO";
    const date::Day d = Dia(2016, 3, 10);
    Linhas({{.data = d, .numero = "1", .cfo = 1949}, {.data = d, .numero = "2", .cfo = 1949}});
    ResultadoMagnetico r = Gera(Pedido());
    EXPECT_EQ(r.estado, ResultadoMagnetico::Estado::Recusado);
    ASSERT_EQ(r.cfosAusentes.size(), 1u);
    EXPECT_EQ(r.cfosAusentes[0].cfo, 1949);
    EXPECT_EQ(Conteudo(), "ANTIGO");
}

TEST_F(ArquivoMagneticoTest, RunsThatCannotWriteAreRefused) {
    std::ofstream(files::resolve(alvo), std::ios::binary) << "ANTIGO";
    PedidoArquivo p = Pedido();
    p.arquivo = "   ";
    EXPECT_FALSE(Gera(p).ok());
    p = Pedido();
    p.inicio = Dia(2016, 4, 1);
    EXPECT_FALSE(Gera(p).ok());
    EXPECT_EQ(Conteudo(), "ANTIGO");
    // A folder that does not exist, as the default "C:\..." name on a machine without it.
    p = Pedido();
    p.arquivo = root + "NaoExiste\\ARQ.TXT";
    ResultadoMagnetico r = Gera(p);
    EXPECT_EQ(r.estado, ResultadoMagnetico::Estado::Falhou);
    EXPECT_NE(r.erro.find("ARQ.TXT"), std::string::npos) << r.erro;
    // Two runs give the same file; no temporary file stays beside it.
    ASSERT_TRUE(Gera(Pedido()).ok());
    const std::string primeiro = Conteudo();
    ASSERT_TRUE(Gera(Pedido()).ok());
    EXPECT_EQ(Conteudo(), primeiro);
    EXPECT_EQ(files::list(root, "*.gravando").size(), 0u);
    EXPECT_EQ(files::list(root, ".*").size(), 0u);
}

TEST_F(ArquivoMagneticoTest, VehiclesAndCashRegisterRecords) {
    Cfo(1102, kEntradas);
    auto entrada = [&](const char* chassi, date::Day dia, std::uint32_t numero, const char* serie) {
        Grava<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), [&](auto& v) {
            v.Chassi = chassi;
            v.DataEntrada = dia;
            v.Numero = numero;
            v.Serie = serie;
            v.CFO = 1102;
            v.Quantidade = 1;
            v.BaseCalcRetencao = D("100");
            v.BasepropSubstituid = D("80");
            v.CodProduto = 77;
        });
    };
    auto saida = [&](const char* chassi, date::Day dia) {
        Grava<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), [&](auto& v) {
            v.Chassi = chassi;
            v.DataSaida = dia;
            v.Numero = 5;
            v.CFO = 1102;
            v.Quantidade = 1;
            v.CodProduto = 77;
        });
    };
    entrada("CHASSI-EM-ESTOQUE", Dia(2016, 2, 10), 1, "1");  // exits in the period: in stock at the start
    saida("CHASSI-EM-ESTOQUE", Dia(2016, 3, 5));
    entrada("CHASSI-SEM-SAIDA", Dia(2016, 2, 11), 2, "1");   // no exit row: not written
    entrada("", Dia(2016, 3, 7), 3, "1");                   // a day's entry without chassis
    entrada("CHASSI-SK", Dia(2016, 3, 8), 4, "SK");          // opening stock in "2.3"
    Grava<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), [&](auto& l) {
        l.Codigo = 1;
        l.DataEmissao = std::to_string(Dia(2016, 3, 31));
        l.GTFinal = D("10.5");
    });
    Grava<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), [&](auto& l) {
        l.Codigo = 1;
        l.DataEmissao = std::to_string(Dia(2016, 4, 1));  // after the period
    });
    Grava<dictionary::AnaliticoICMSRec>(dictionary::AnaliticoICMS(), [&](auto& a) {
        a.Codigo = 1;
        a.DataEmissao = std::to_string(Dia(2016, 3, 31));
        a.Aliquota = "F";
        a.Totalizador = D("10.5");
    });
    Caixa(77, Dia(2016, 3, 31), 1, "2", "10.5");          // has its analytic row
    Caixa(78, Dia(2016, 3, 31), 1, "1", "1", "T18");      // has none: left out
    auto l = LinhasDoArquivo();
    std::vector<std::string> tipos;
    for (const auto& s : l) tipos.push_back(s.substr(0, s[2] == 'M' || s[2] == 'A' || s[2] == 'P' ? 3 : 2));
    // 01; the vehicle in stock; the exit of 05/03; the entries of 07/03 and 08/03; 03M, 03A, 03P; counts.
    ASSERT_EQ(tipos, (std::vector<std::string>{"01", "02", "02", "02", "02", "03M", "03A", "03P", "06", "06", "06", "06"}));
    EXPECT_EQ(l[1].substr(32, 8), "20160210");  // written year-month-day, in 8 positions
    EXPECT_EQ(l[1].substr(107, 22), P("CHASSI-EM-ESTOQUE", 22));
    EXPECT_EQ(l[1].substr(129), "0000000008000");
    EXPECT_EQ(l[3].substr(107), P("", 22) + Z(13));  // no chassis: 22 blanks and 13 zeros
    EXPECT_EQ(l[4].substr(40, 14), "SK000004140300");
    EXPECT_EQ(l[5], "03M" "20160331" "001" + P("", 15) + "  " + Z(18) + Z(16) + "0000000000001050");
    EXPECT_EQ(l[7], "03P" "20160331" "001" "0000000002000" + Z(13) + "0000000001050" + P("77", 14));
    for (const auto& s : l) EXPECT_EQ(s.size(), s.rfind("02", 0) == 0 ? 142u : s.size()) << s;
}

// A period of an earlier year than the working one reads the vehicle and cash-register rows of its
// own year's files, not the working year's.
TEST_F(ArquivoMagneticoTest, APeriodOfAnEarlierYearReadsItsYearsVehicleAndCashRegisterRows) {
    Cfo(1102, kEntradas);
    Grava<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), [&](auto& v) {
        v.Chassi = "CH-2016";
        v.DataEntrada = Dia(2016, 3, 7);
        v.Numero = 3;
        v.CFO = 1102;
        v.Quantidade = 1;
        v.CodProduto = 77;
    });
    Grava<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), [&](auto& l) {
        l.Codigo = 1;
        l.DataEmissao = std::to_string(Dia(2016, 3, 31));
    });
    Grava<dictionary::AnaliticoICMSRec>(dictionary::AnaliticoICMS(), [&](auto& a) {
        a.Codigo = 1;
        a.DataEmissao = std::to_string(Dia(2016, 3, 31));
        a.Aliquota = "F";
    });
    Caixa(77, Dia(2016, 3, 31), 1, "2", "10.5");
    Ano(2017);  // the rows above are in 2016's files only
    PedidoArquivo p = Pedido();
    p.anoTrabalho = 2017;
    p.mesTrabalho = 1;
    auto l = LinhasDoArquivo(p);
    std::vector<std::string> tipos;
    for (const auto& s : l) tipos.push_back(s.substr(0, s[2] == 'M' || s[2] == 'A' || s[2] == 'P' ? 3 : 2));
    ASSERT_EQ(tipos, (std::vector<std::string>{"01", "02", "03M", "03A", "03P", "06", "06", "06", "06"}));
    EXPECT_EQ(l[1].substr(107, 22), P("CH-2016", 22));
}

// The CFOP and complement of the vehicle records by version and complement choice: the
// complementary codes 5, 6 and 7 stay on vehicle entries (only invoice entries of "2.3" drop them);
// "2.1" takes the register's file code in 3 positions and keeps the amount C of a day's entry
// without chassis.
TEST_F(ArquivoMagneticoTest, VehicleCfopAndComplementByVersion) {
    for (auto [codigo, coluna, arquivo] : {std::tuple{1102, kEntradas, 112}, std::tuple{5102, kConsumidorFinal, 512}})
        Grava<dictionary::CFORec>(dictionary::CFO(), [&](auto& c) {
            c.CODIGO = static_cast<std::int16_t>(codigo);
            c.COLUNA = static_cast<std::uint8_t>(coluna);
            c.CODIGO_CFO_ARQUIVOMAGNETICO_VOREL = static_cast<std::int16_t>(arquivo);
        });
    auto entrada = [&](const char* chassi, date::Day dia, std::uint32_t numero, int complementar) {
        Grava<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), [&](auto& v) {
            v.Chassi = chassi;
            v.DataEntrada = dia;
            v.Numero = numero;
            v.CFO = 1102;
            v.CFOComplementar = static_cast<std::uint8_t>(complementar);
            v.Quantidade = 1;
            v.BasepropSubstituid = D("80");
            v.CodProduto = 77;
        });
    };
    entrada("CH-A", Dia(2016, 2, 10), 1, 6);  // in stock at the start
    Grava<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), [&](auto& v) {
        v.Chassi = "CH-A";
        v.DataSaida = Dia(2016, 3, 5);
        v.Numero = 2;
        v.CFO = 5102;
        v.CFOComplementar = 7;
        v.Quantidade = 1;
        v.CodProduto = 77;
    });
    entrada("", Dia(2016, 3, 7), 3, 5);  // a day's entry without chassis
    entrada("CH-C", Dia(2016, 3, 8), 4, 6);
    const std::string zeros = P("", 22) + Z(13), propria = P("", 22) + "0000000008000";
    struct Caso {
        VersaoArquivo v;
        int tipoCompl;
        std::vector<std::string> cfops;  // in stock, exit, entry without chassis, entry
        std::string semChassi;           // the end of the entry without chassis
    } casos[] = {
        {VersaoArquivo::V23, 1, {"110206", "510207", "110205", "110206"}, zeros},
        {VersaoArquivo::V23, 2, {"110200", "510200", "110205", "110200"}, zeros},
        {VersaoArquivo::V23Port9905, 1, {"110206", "510207", "110205", "110206"}, zeros},
        {VersaoArquivo::V23Port9905, 2, {"110200", "510200", "110200", "110200"}, zeros},
        {VersaoArquivo::V21, 1, {"11206", "51207", "11205", "11206"}, propria},
        {VersaoArquivo::V21, 2, {"11200", "51200", "11200", "11200"}, propria},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE("version " + std::to_string(static_cast<int>(c.v)) + ", choice " + std::to_string(c.tipoCompl));
        PedidoArquivo p = Pedido(c.v);
        p.tipoCompl = c.tipoCompl;
        auto l = LinhasDoArquivo(p);
        ASSERT_EQ(l.size(), 1u + 4 + 3);
        std::vector<std::string> cfops;
        for (std::size_t i = 1; i <= 4; ++i) {
            cfops.push_back(l[i].substr(48, c.cfops[0].size()));
            EXPECT_EQ(l[i].size(), c.v == VersaoArquivo::V21 ? 141u : 142u) << i;
        }
        EXPECT_EQ(cfops, c.cfops);
        EXPECT_EQ(l[3].substr(l[3].size() - 35), c.semChassi);
    }
}

TEST_F(ArquivoMagneticoTest, JanuaryReadsDecemberOfThePreviousYear) {
    Ano(2016);
    Produto(1);
    Saldo({.produto = 1, .mes = Dia(2015, 12, 1), .qtd = "4", .base = "8"}, ArquivoAno(2015, true));
    Entrada({.produto = 1, .data = Dia(2015, 12, 3), .numero = 9, .qtd = "4"}, ArquivoAno(2015, false));
    PedidoArquivo p = Pedido();
    p.inicio = Dia(2016, 1, 1);
    p.fim = Dia(2016, 1, 31);
    auto l = LinhasDoArquivo(p);
    ASSERT_EQ(l.size(), 9u);
    EXPECT_EQ(l[1].substr(54, 26), "0000000004000" "0000000000800");
}

// A run killed at random points (any record before the file is put in place) leaves the previous
// file; a run that is not killed leaves the whole new one.
TEST_F(ArquivoMagneticoTest, AKilledRunLeavesThePreviousFileOrTheWholeNewOne) {
    Cfo(1102, kEntradas);
    std::vector<Row> rows;
    for (int i = 0; i < 3000; ++i)
        rows.push_back({.data = Dia(2016, 3, 1 + i % 31), .numero = "1", .cfo = 1102, .produto = 1 + i % 50});
    Linhas(rows);
    ASSERT_TRUE(Gera(Pedido()).ok());
    const std::string novo = Conteudo();
    ASSERT_GT(novo.size(), 3000u * 144);

    auto filho = [&](long long ponto) {
        return vorel::testing::MataNaChamada(ponto, [&](const std::function<void()>& pausa) {
            struct EmPasso : AvisosArquivo {
                const std::function<void()>* pausa = nullptr;
                bool Progresso(const ContadoresArquivo&) override {
                    (*pausa)();
                    return true;
                }
            } avisos;
            avisos.pausa = &pausa;
            return GravaArquivoMagnetico(Pedido(), avisos).ok();
        });
    };
    std::ofstream(files::resolve(alvo), std::ios::binary | std::ios::trunc) << "ANTIGO";
    const long long total = filho(-1);
    EXPECT_EQ(Conteudo(), novo);
    std::mt19937 sorte(static_cast<unsigned>(std::random_device{}()));
    std::uniform_int_distribution<long long> ponto(1, total);
    for (int rodada = 0; rodada < 6; ++rodada) {
        std::ofstream(files::resolve(alvo), std::ios::binary | std::ios::trunc) << "ANTIGO";
        const long long k = ponto(sorte);
        SCOPED_TRACE("killed at record " + std::to_string(k) + " of " + std::to_string(total));
        filho(k);
        EXPECT_EQ(Conteudo(), "ANTIGO");
    }
    // The next run replaces what a killed one left beside the target.
    ASSERT_TRUE(Gera(Pedido()).ok());
    EXPECT_EQ(Conteudo(), novo);
    EXPECT_EQ(files::list(root, ".*").size(), 0u);
}

TEST(NomeArquivoMagnetico, CompanyYearAndMonthOfTheLastDay) {
    EXPECT_EQ(NomeArquivoMagnetico(12, date::make(2016, 3, 31)), "C:\\00121603.TXT");
    EXPECT_EQ(NomeArquivoMagnetico(12, date::make(2016, 4, 30)), "C:\\00121604.TXT");
}

}  // namespace
}  // namespace vorel::computation::testing
