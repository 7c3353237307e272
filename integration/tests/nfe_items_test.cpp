// The NF-e items step from real documents: the reader's item file, the month question, and the
// entry and exit imports, with an item imported twice replaced, not doubled.
#include <gtest/gtest.h>

#include <sstream>

#include "import_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_nfe.h"

namespace vorel::integration::testing {

namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;

struct NfeItems : ImportFixture {
    std::string pasta;
    void SetUp() override {
        ImportFixture::SetUp();
        fs::create_directories(dir / "NFe");
        pasta = files::to_program_path(dir / "NFe");
        SeedSupplier(5, "34128745000152", "SP");
    }
    // A test document moved into March 2016 (its emission) with its items dated `saida`.
    void Documento(const std::string& nome, const std::string& emissao, const std::string& saida) {
        std::ifstream in(fs::path(VOREL_NFE_TESTDATA) / nome, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string x = s.str();
        for (auto [tag, valor] : {std::pair{"<dhEmi>", emissao}, std::pair{"<dhSaiEnt>", saida}}) {
            auto p = x.find(tag) + std::string(tag).size();
            x.replace(p, 10, valor);
        }
        std::ofstream(dir / "NFe" / nome, std::ios::binary) << x;
    }
    struct Corrida {
        std::vector<std::string> perguntas;
        ItensPreparados preparados;
        ResultadoLeitura leitura;
        ResultadoImportacao importacao;
        std::vector<bool> avisos;  // the run's notices around its commits (the wait window)
    };
    // The reader, the month question answered `sim`, the read and the import.
    Corrida Importa(SentidoNfe sentido, const std::string& empresa, bool sim) {
        Corrida c;
        ResultadoLeitor lido = LeitorXML({pasta, 3, 2016, sentido, empresa});
        EXPECT_EQ(lido.documentos, 1);
        const bool entrada = sentido == SentidoNfe::Entrada;
        const std::string origem = files::join(pasta, ArquivoNfeDoMes(entrada ? "NFEntrada" : "NFSaida", 3, 2016));
        const std::string copia = files::to_program_path(dir / "itens.txt");
        OnThread([&] {
            PessoasRegistradas pessoas;
            c.preparados = PreparaItensNfe(
                origem, copia, 3, 2016,
                [&](const std::string& p) {
                    c.perguntas.push_back(text::to_utf8(p));
                    return sim;
                },
                entrada ? PessoaNfe() : PessoaNfe(std::ref(pessoas)));
            auto corre = [&](ImportacaoTexto& run) {
                ASSERT_EQ(run.Abre(), "");
                run.AvisoGravacao([&](bool gravando) { c.avisos.push_back(gravando); });
                c.leitura = run.Le({copia, 0, 1, 3, 2016, PosicoesItensNfe(sentido)});
                if (c.leitura.PodeImportar()) c.importacao = run.Importa(3);
            };
            if (entrada) {
                ImportacaoNfeEntradas run;
                corre(run);
            } else {
                ImportacaoNfeSaidas run;
                corre(run);
            }
        });
        return c;
    }
};

}  // namespace

TEST_F(NfeItems, EntriesOfAnotherMonthAskedMovedAndImportedOnceWithTheirLinks) {
    Documento("35180834128745000152550010000474491454651420-nfe.xml", "2016-03-08", "2016-04-01");
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", true);
    ASSERT_EQ(c.perguntas.size(), 21u);  // once for every item of the invoice
    EXPECT_EQ(c.perguntas[0],
              "Mês da NFe diferente(01/04/2016). Deseja lançar no mês selecionado(01/03/2016) a NF de número 47449 ??");
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    EXPECT_EQ(c.importacao.importados, 21);

    auto itens = All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO);
    ASSERT_EQ(itens.size(), 21u);
    for (const auto& e : itens) {
        EXPECT_EQ(e.DataEmissao, date::make(2016, 3, 1));
        EXPECT_EQ(e.CFO, 1910);
        EXPECT_EQ(e.Numero, 47449u);
        EXPECT_EQ(std::string(e.Cnpj.clipped()), "34128745000152");
        EXPECT_EQ(std::string(e.Estado.clipped()), "SP");
        EXPECT_EQ(e.MesImpor, 3);
    }
    auto ultimo = std::find_if(itens.begin(), itens.end(), [](auto& e) {
        return static_cast<const Decimal&>(e.CodMercadoria) == Decimal(1176);
    });
    ASSERT_NE(ultimo, itens.end());
    EXPECT_EQ(ultimo->Quantidade.value().to_fixed(3), "12.000");
    EXPECT_EQ(ultimo->BaseICMS.value().to_fixed(2), "14.12");
    EXPECT_EQ(ultimo->Aliquota.value().to_fixed(3), "18.000");
    EXPECT_EQ(ultimo->ValorICMS.value().to_fixed(2), "2.54");  // 14.12 x 18 % = 2.5416
    EXPECT_FALSE(All<dictionary::ForCliQelRec>(dictionary::ForCliQel(), dictionary::keys::FCC_KEY_FORPROD).empty());

    // The same folder imported again replaces the items.
    c = Importa(SentidoNfe::Entrada, "53232886000165", true);
    ASSERT_TRUE(c.importacao.ok());
    EXPECT_EQ(All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).size(), 21u);
}

TEST_F(NfeItems, AnsweringNoDropsTheLines) {
    Documento("35180834128745000152550010000474491454651420-nfe.xml", "2016-03-08", "2016-04-01");
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", false);
    EXPECT_EQ(c.preparados.descartadas, 21);
    EXPECT_FALSE(c.leitura.PodeImportar());
    EXPECT_TRUE(All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO).empty());
}

TEST_F(NfeItems, ExitsWithReducedBaseAndNoBatchForExitCfops) {
    Documento("35180834128745000152550010000476051695511860-nfe.xml", "2016-03-15", "2016-03-17");
    Corrida c = Importa(SentidoNfe::Saida, "34128745000152", true);
    EXPECT_TRUE(c.perguntas.empty());
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    // The staging's commit and the import's each open the wait window and close it.
    EXPECT_EQ(c.avisos, (std::vector<bool>{true, false, true, false}));
    auto itens = All<SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO);
    ASSERT_EQ(itens.size(), 4u);
    auto ultimo = std::find_if(itens.begin(), itens.end(), [](auto& s) {
        return static_cast<const Decimal&>(s.CodMercadoria) == Decimal(1123);
    });
    ASSERT_NE(ultimo, itens.end());
    EXPECT_EQ(ultimo->DataSaida, date::make(2016, 3, 17));
    EXPECT_EQ(ultimo->CFO, 5910);
    EXPECT_EQ(ultimo->BaseCalculo.value().to_fixed(2), "34.24");
    EXPECT_EQ(ultimo->BaseAntReducao.value().to_fixed(2), "51.36");
    EXPECT_EQ(std::string(ultimo->Estado.clipped()), "SP");
    EXPECT_TRUE(All<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD).empty());
}

TEST_F(NfeItems, AnExitToARegisteredPersonKeepsNoDocumentAndTakesTheStateOfTheLine) {
    Seed<dictionary::ForCliRec>(dictionary::ForCli(), [](auto& f) {
        f.Codigo = 6;
        f.TipoInscricao = 2;
        f.CPF = "68161525650";
        f.Estado = "SP";  // the line says MG
    });
    Documento("35180834128745000152550010000474281920007498-nfe.xml", "2016-03-07", "2016-03-07");
    Corrida c = Importa(SentidoNfe::Saida, "34128745000152", true);
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    auto itens = All<SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO);
    ASSERT_EQ(itens.size(), 6u);
    for (const auto& s : itens) {
        EXPECT_EQ(std::string(s.CNPJ.clipped()), "0");
        EXPECT_EQ(std::string(s.Estado.clipped()), "MG");
    }
}

}  // namespace vorel::integration::testing
