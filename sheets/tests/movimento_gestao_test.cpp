// The management sheet's gathering: a month's exits, entries and "F" cash-register items into the
// run's work table, one product or all, one supplier or all; the opening values of each product;
// the error file of exits whose batch is not registered.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>
#include <vector>

#include "tabelas_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/sheets/movimento_gestao.h"

namespace vorel::sheets {
namespace {

struct MovimentoGestaoTest : testing::TabelasFixture {
    void SetUp() override {
        TabelasFixture::SetUp();
        const auto saida = [&](int produto, int mes, int dia, std::uint32_t numero, const char* lote) {
            Grava<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), [&](auto& r) {
                r.CodMercadoria = produto;
                r.DataSaida = date::make(2016, mes, dia);
                r.Numero = numero;
                r.Serie = "1";
                r.CFO = 5405;
                r.CFOComplementar = "07";
                r.Complemento = 2;
                r.CNPJ = "33333333000100";
                r.Lote = lote;
                r.Quantidade = Decimal(2);
                r.BaseCalculo = Decimal(20);
            });
        };
        const auto entrada = [&](int produto, int dia, std::uint32_t numero, const char* cnpj, int inicial,
                                 const char* lote) {
            Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
                r.CodMercadoria = produto;
                r.DataEmissao = date::make(2016, 7, dia);
                r.Numero = numero;
                r.Cnpj = cnpj;
                r.Serie = numero ? "2" : "";  // the opening entry is found with a blank series
                r.CFO = 1403;
                r.Complemento = 3;
                r.CFOComplementar = 8;
                r.Saldo_Inicial = static_cast<std::uint8_t>(inicial);
                r.Lote = lote;
                r.Quantidade = Decimal(4);
                r.BaseICMS = Decimal(10);
            });
        };
        const auto caixa = [&](int produto, int dia, const char* aliquota) {
            Grava<dictionary::MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), [&](auto& r) {
                r.Codigo = 1;
                r.CodMercadoria = produto;
                r.DataEmissao = std::to_string(date::make(2016, 7, dia));
                r.Aliquota = aliquota;
                r.Quantidade = Decimal(1);
                r.BaseCalculo = Decimal(5);
            });
        };
        Grava<dictionary::LoteVorelRec>(dictionary::LoteVorel(), [](auto& r) {
            r.LOTE = "L1";
            r.CODPRODUTO = 1;
            r.TIPO = 0;
        });
        Grava<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), [](auto& r) {
            r.Codigo = 1;
            r.Serie = "ECF0001";
        });
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
            r.Codigo = 1;
            r.Produtos = "PARAFUSO";
        });
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& r) {
            r.Codigo = 2;
            r.Produtos = "PORCA";
        });
        Grava<dictionary::ForCliQelRec>(dictionary::ForCliQel(), [](auto& r) {
            r.CODFOR = 7;
            r.CODPROD = 2;
        });
        saida(1, 7, 5, 123, "L1");
        saida(1, 6, 30, 122, "L1");      // the month before
        saida(2, 7, 6, 1234567, "LX");   // an unregistered batch, a number of seven digits
        entrada(1, 1, 0, "11111111000100", 1, "L1");  // product 1's opening entry
        entrada(1, 3, 45, "22222222000100", 0, "");
        entrada(2, 8, 9, "22222222000100", 0, "");
        entrada(2, 9, 10, "44444444000100", 0, "");
        caixa(2, 7, "F");
        caixa(2, 7, "T");  // another totalizer: not gathered
    }

    struct Corrida {
        ResultadoMontagem r;
        std::vector<dictionary::EntradaSaidaVorelRec> linhas;
        std::vector<std::string> mensagens;
    };
    Corrida Monta(OpcoesMontagem o) {
        o.periodo = {1, 2016, 7};
        o.arquivoErros = root + "Temp\\Erros_Notas.txt";
        Corrida c;
        std::thread([&] {
            data::FileManager esa(dictionary::EntradaSaidaVorel());
            esa.set_create(true);
            const std::string arquivo = root + "Temp\\trabalho" + std::to_string(++corridas_) + ".tps";
            ASSERT_TRUE(esa.open_path(arquivo).ok());
            AvisosMontagem a;
            a.loteAusente = [&](const std::string& t) { c.mensagens.push_back(t); };
            c.r = MontaMovimentoMes(esa, o, a);
            ASSERT_TRUE(esa.set(dictionary::keys::ESA_KEY_DATA_ENTSAI_NUM_AUX).ok());
            while (esa.next().ok()) c.linhas.push_back(esa.rec<dictionary::EntradaSaidaVorelRec>());
            (void)esa.close();
        }).join();
        return c;
    }
    int corridas_ = 0;
};

TEST_F(MovimentoGestaoTest, EveryProductOfTheMonth) {
    const Corrida c = Monta({});
    ASSERT_TRUE(c.r.ok()) << c.r.falha;
    // Product 1: the opening entry (no number), the entry, the exit; product 2: the exit, the cash
    // item, two entries.
    ASSERT_EQ(c.linhas.size(), 7u);
    const auto& abertura = c.linhas[0];
    EXPECT_EQ(abertura.NUMERO.clipped(), "");
    EXPECT_EQ(abertura.LOTE.clipped(), "L1");
    const auto& entrada1 = c.linhas[1];
    EXPECT_EQ(entrada1.SERIE.clipped(), "2");
    EXPECT_EQ(entrada1.COMPLEMENTO, 3);
    EXPECT_EQ(entrada1.CFOCOMPL, 8);
    const auto& saida1 = c.linhas[2];
    EXPECT_EQ(saida1.NUMERO.clipped(), "   123");
    EXPECT_EQ(saida1.ENTSAI, 2);
    EXPECT_EQ(saida1.CFOCOMPL, 7);
    EXPECT_EQ(saida1.COMPLEMENTO, 2);
    EXPECT_EQ(saida1.QUANTIDADE.value(), Decimal(2));
    EXPECT_EQ(saida1.BASEICMS.value(), Decimal(20));
    EXPECT_EQ(saida1.CNPJFORPROD.clipped(), "11111111000100");  // the old batch's opening entry
    const auto& saida2 = c.linhas[3];
    EXPECT_EQ(saida2.NUMERO.clipped(), "1234567");  // kept whole
    EXPECT_EQ(saida2.CNPJFORPROD.clipped(), "");
    const auto& caixa = c.linhas[4];
    EXPECT_EQ(caixa.NUMERO.clipped(), "ECF0001");
    EXPECT_EQ(caixa.SERIE.clipped(), "0");
    EXPECT_EQ(caixa.ALIQUOTA.clipped(), "F");
    EXPECT_EQ(caixa.QUANTIDADE.value(), Decimal(1));
    EXPECT_EQ(caixa.BASEICMS.value(), Decimal(5));
    EXPECT_EQ(c.linhas[5].NUMERO.clipped(), "9");

    // Each product's own opening values; none for a product without an opening entry.
    ASSERT_EQ(c.r.aberturas.size(), 1u);
    const SaldoGestao& a = c.r.aberturas.at(Decimal(1));
    EXPECT_EQ(a.quantidade, Decimal(4));
    EXPECT_EQ(a.valUnitario, Decimal::from_string("2.5"));
    EXPECT_EQ(a.base, Decimal(10));

    // The unregistered batch: its message and a line of the error file after the three header lines.
    ASSERT_EQ(c.mensagens.size(), 1u);
    EXPECT_EQ(c.mensagens[0], "Não foi encontrado o lote LX referente ao Produto 2-PORCA. Nota Fiscal Saida nº 1234567 "
                              "com data de 06/07/2016");
    std::ifstream erros(dir / "Temp" / "Erros_Notas.txt", std::ios::binary);
    std::vector<std::string> linhas;
    for (std::string l; std::getline(erros, l);) linhas.push_back(l);
    ASSERT_EQ(linhas.size(), 4u);
    for (const std::string& l : linhas) {
        ASSERT_EQ(l.back(), '\r');
        EXPECT_EQ(l.size(), 136u) << l;  // 135 characters and the carriage return
    }
    EXPECT_EQ(linhas[3].substr(0, 64), "| 06/07/2016 | 33.333.333/0001-00 | 1     | 123456 | 5405 | LX  ");
}

TEST_F(MovimentoGestaoTest, OneProductOrOneSupplier) {
    OpcoesMontagem um;
    um.todos = false;
    um.produto = 2;
    Corrida c = Monta(um);
    ASSERT_TRUE(c.r.ok()) << c.r.falha;
    ASSERT_EQ(c.linhas.size(), 4u);
    for (const auto& l : c.linhas) EXPECT_EQ(l.CODMERCADORIA.value(), Decimal(2));

    // Supplier 7 supplies only product 2; its entries are those of its CNPJ.
    OpcoesMontagem f;
    f.fornecedor = 7;
    f.cnpjFornecedor = "22222222000100";
    c = Monta(f);
    ASSERT_TRUE(c.r.ok()) << c.r.falha;
    ASSERT_EQ(c.linhas.size(), 3u);  // the exit, the cash item, the entry of that CNPJ
    for (const auto& l : c.linhas) EXPECT_EQ(l.CODMERCADORIA.value(), Decimal(2));
    EXPECT_EQ(c.linhas[2].NUMERO.clipped(), "9");
}

}  // namespace
}  // namespace vorel::sheets
