// The NF-e items step from real documents: the reader's item file, the month question, and the
// entry and exit imports, with an item imported twice replaced, not doubled.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "import_fixture.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/cadastros_nfe.h"
#include "vorel/integration/importa_nfe.h"
#include "vorel/shell/product_rate.h"

namespace vorel::integration::testing {

namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;

// How a test runs the NF-e import.
struct Opcoes {
    bool sim = true;         // the answer to the month question
    int mes = 3;
    bool cadastros = false;  // the products (by code) and partners (overwriting) steps first
    // Applied to each line of the reader's item file: another reader's file.
    std::function<void(std::string&)> altera = {};
};

struct NfeItems : ImportFixture {
    std::string pasta;
    void SetUp() override {
        ImportFixture::SetUp();
        fs::create_directories(dir / "NFe");
        pasta = files::to_program_path(dir / "NFe");
        SeedSupplier(5, "34128745000152", "SP");
    }
    // A test document with its emission and exit dates (the first 10 characters of each, when the
    // document has it) and further texts replaced.
    void Documento(const std::string& nome, const std::string& emissao, const std::string& saida,
                   const std::vector<std::pair<std::string, std::string>>& trocas = {}) {
        std::ifstream in(fs::path(VOREL_NFE_TESTDATA) / nome, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string x = s.str();
        for (auto [tag, valor] : {std::pair{"<dhEmi>", emissao}, std::pair{"<dhSaiEnt>", saida}})
            if (auto p = x.find(tag); p != std::string::npos) x.replace(p + std::string(tag).size(), 10, valor);
        for (const auto& [de, para] : trocas) {
            auto p = x.find(de);
            ASSERT_NE(p, std::string::npos) << de;
            for (; p != std::string::npos; p = x.find(de, p + para.size())) x.replace(p, de.size(), para);
        }
        std::ofstream(dir / "NFe" / nome, std::ios::binary) << x;
    }
    struct Corrida {
        ResultadoLeitor lido;
        std::vector<std::string> perguntas;
        ItensPreparados preparados;
        ResultadoLeitura leitura;
        ResultadoImportacao importacao;
        std::vector<bool> avisos;  // the run's notices around its commits (the wait window)
    };
    // The reader, the month question answered `sim`, the read and the import.
    Corrida Importa(SentidoNfe sentido, const std::string& empresa, const Opcoes& o = {}) {
        Corrida c;
        c.lido = LeitorXML({pasta, o.mes, 2016, sentido, empresa});
        const bool entrada = sentido == SentidoNfe::Entrada;
        const std::string origem = files::join(pasta, ArquivoNfeDoMes(entrada ? "NFEntrada" : "NFSaida", o.mes, 2016));
        if (o.altera) {
            std::ifstream in(files::resolve(origem), std::ios::binary);
            std::string todas;
            for (std::string l; std::getline(in, l);) {
                o.altera(l);
                todas += l + "\n";
            }
            in.close();
            std::ofstream(files::resolve(origem), std::ios::binary) << todas;
        }
        const std::string copia = files::to_program_path(dir / "itens.txt");
        OnThread([&] {
            if (o.cadastros) {
                ASSERT_TRUE(ImportaProdutosNfe(files::join(pasta, ArquivoNfeDoMes("Produtos", o.mes, 2016)), 0, entrada,
                                               o.mes, 2016).ok());
                ASSERT_TRUE(ImportaFornecedoresNfe(files::join(pasta, ArquivoNfeDoMes("Fornecedores", o.mes, 2016)), true)
                                .ok());
            }
            PessoasRegistradas pessoas;
            c.preparados = PreparaItensNfe(
                sentido, origem, copia, o.mes, 2016,
                [&](const std::string& p) {
                    c.perguntas.push_back(text::to_utf8(p));
                    return o.sim;
                },
                entrada ? PessoaNfe() : PessoaNfe(std::ref(pessoas)));
            auto corre = [&](ImportacaoTexto& run) {
                ASSERT_EQ(run.Abre(), "");
                run.AvisoGravacao([&](bool gravando) { c.avisos.push_back(gravando); });
                c.leitura = run.Le({copia, 0, 1, o.mes, 2016, PosicoesItensNfe(sentido), 1});
                if (c.leitura.PodeImportar()) c.importacao = run.Importa(o.mes);
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
    std::vector<EntradaVorelRec> Entradas() {
        return All<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_NUMERO);
    }
    std::vector<SaidaVorelRec> Saidas() { return All<SaidaVorelRec>(dictionary::SaidaVorel(), dictionary::keys::SAI_KEY_NUMERO); }
};

// Another reader's item file: every line dated 01/04/2016.
void EmAbril(std::string& l) {
    const Posicao dia = kLayoutItensEntrada[CampoItem::Dia];
    l.replace(dia.inicio - 1, 8, "01042016");
}

constexpr const char* kEntrada = "35180834128745000152550010000474491454651420-nfe.xml";  // to 53232886000165

}  // namespace

TEST_F(NfeItems, EntriesOfAnotherMonthAskedMovedAndImportedOnceWithTheirLinks) {
    Documento(kEntrada, "2016-03-08", "2016-03-08");
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", {.altera = EmAbril});
    ASSERT_EQ(c.perguntas.size(), 21u);  // once for every item of the invoice
    EXPECT_EQ(c.perguntas[0],
              "Mês da NFe diferente(01/04/2016). Deseja lançar no mês selecionado(01/03/2016) a NF de número 47449 ??");
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    EXPECT_EQ(c.importacao.importados, 21);

    auto itens = Entradas();
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
    c = Importa(SentidoNfe::Entrada, "53232886000165", {.altera = EmAbril});
    ASSERT_TRUE(c.importacao.ok());
    EXPECT_EQ(Entradas().size(), 21u);
}

// Only a line dated in another month is asked about; moved, it is dated the working month's first
// day in the working year. A line without a month is not asked about and keeps its blank date.
TEST_F(NfeItems, TheMonthQuestionMovesALineOfAnotherMonthAndYearIntoTheWorkingMonth) {
    const Posicao dia = kLayoutItensSaida[CampoItem::Dia];
    auto linha = [&](const std::string& data) {
        std::string l(static_cast<std::size_t>(kLayoutItensSaida.Comprimento()), ' ');
        l.replace(dia.inicio - 1, 8, data);
        return l;
    };
    File("itens_saida.txt", linha("10042015") + "\r\n" + linha("        ") + "\r\n" + linha("05032016") + "\r\n");
    std::vector<std::string> perguntas;
    const ItensPreparados r = PreparaItensNfe(SentidoNfe::Saida, files::to_program_path(dir / "itens_saida.txt"),
                                              files::to_program_path(dir / "copia.txt"), 3, 2016, [&](const std::string& p) {
                                                  perguntas.push_back(text::to_utf8(p));
                                                  return true;
                                              });
    EXPECT_EQ(r.linhas, 3);
    ASSERT_EQ(perguntas.size(), 1u);
    EXPECT_NE(perguntas[0].find("diferente(10/04/2015)"), std::string::npos) << perguntas[0];
    std::ifstream in(dir / "copia.txt", std::ios::binary);
    std::vector<std::string> datas;
    for (std::string l; std::getline(in, l);) datas.push_back(l.substr(dia.inicio - 1, 8));
    EXPECT_EQ(datas, (std::vector<std::string>{"01032016", "        ", "05032016"}));
}

TEST_F(NfeItems, AnsweringNoDropsTheLines) {
    Documento(kEntrada, "2016-03-08", "2016-03-08");
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", {.sim = false, .altera = EmAbril});
    EXPECT_EQ(c.preparados.descartadas, 21);
    EXPECT_FALSE(c.leitura.PodeImportar());
    EXPECT_TRUE(Entradas().empty());
}

TEST_F(NfeItems, ExitsWithReducedBaseAndNoBatchForExitCfops) {
    Documento("35180834128745000152550010000476051695511860-nfe.xml", "2016-03-15", "2016-03-17");
    Corrida c = Importa(SentidoNfe::Saida, "34128745000152");
    EXPECT_TRUE(c.perguntas.empty());
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    // The staging's commit and the import's each open the wait window and close it.
    EXPECT_EQ(c.avisos, (std::vector<bool>{true, false, true, false}));
    auto itens = Saidas();
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
    Corrida c = Importa(SentidoNfe::Saida, "34128745000152");
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    auto itens = Saidas();
    ASSERT_EQ(itens.size(), 6u);
    for (const auto& s : itens) {
        EXPECT_EQ(std::string(s.CNPJ.clipped()), "0");
        EXPECT_EQ(std::string(s.Estado.clipped()), "MG");
    }
}

TEST_F(NfeItems, AMobilePhoneAMillionthInvoiceAndALongProductCodeAreImportedWholeAndTheTrunkZeroIsDropped) {
    Documento(kEntrada, "2016-03-08", "2016-03-08",
              {{"<fone>551912345678</fone>", "<fone>11912345678</fone>"},
               {"<nNF>47449</nNF>", "<nNF>1234567</nNF>"},
               {"<cProd>1176</cProd>", "<cProd>PRODUTO-1176-LONGO</cProd>"}});
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", {.cadastros = true});
    EXPECT_EQ(c.lido.documentos, 1);
    ASSERT_EQ(c.lido.problemas.size(), 1u);
    EXPECT_NE(text::to_utf8(c.lido.problemas[0]).find("telefone 11912345678"), std::string::npos);
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    auto itens = Entradas();
    ASSERT_EQ(itens.size(), 21u);
    for (const auto& e : itens) EXPECT_EQ(e.Numero, 1234567u);
    // The 18-character code, a product registered by nickname, found again by the item.
    auto produtos = All<dictionary::ProdutosRec>(dictionary::Produtos(), dictionary::keys::PRO_KEY_CODIGO);
    auto longo = std::find_if(produtos.begin(), produtos.end(),
                              [](auto& p) { return std::string(p.Apelido.clipped()) == "PRODUTO-1176-LONGO"; });
    ASSERT_NE(longo, produtos.end());
    EXPECT_EQ(std::count_if(itens.begin(), itens.end(),
                            [&](auto& e) {
                                return static_cast<const Decimal&>(e.CodMercadoria) ==
                                       static_cast<const Decimal&>(longo->Codigo);
                            }),
              1);
    auto parceiros = All<dictionary::ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO);
    ASSERT_EQ(parceiros.size(), 1u);  // the supplier already registered, written over
    EXPECT_EQ(parceiros[0].DDD, 11);
    EXPECT_EQ(parceiros[0].Telefone, 0u);

    // A real issuer's "0123456789": trunk zero, area code 12, number 3456789.
    fs::remove_all(dir / "NFe");
    fs::create_directories(dir / "NFe");
    Documento("26180875335849000115550010000016871192213331-nfe.xml", "2016-03-16", "2016-03-16");
    c = Importa(SentidoNfe::Entrada, "37148260000119", {.cadastros = true});
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    parceiros = All<dictionary::ForCliRec>(dictionary::ForCli(), dictionary::keys::FOR_KEY_CODIGO);
    ASSERT_EQ(parceiros.size(), 2u);
    EXPECT_EQ(std::string(parceiros[1].CGC.clipped()), "75335849000115");
    EXPECT_EQ(parceiros[1].DDD, 12);
    EXPECT_EQ(parceiros[1].Telefone, 3456789u);
}

TEST_F(NfeItems, AnNfceListingAProductTwiceIsStoredOnceWithTheQuantitiesSummedAndStaysSoWhenImportedAgain) {
    Documento("spednfe-nfce.xml", "2016-03-11", "");
    for (int vez = 0; vez < 2; ++vez) {
        SCOPED_TRACE(vez);
        Corrida c = Importa(SentidoNfe::Saida, "23285089000185");
        ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
        auto itens = Saidas();
        ASSERT_EQ(itens.size(), 2u);  // products 3 and 8, two items each
        for (const auto& s : itens) {
            EXPECT_EQ(s.Quantidade.value().to_fixed(3), "2.000");
            EXPECT_EQ(s.CFO, 5405);
        }
        EXPECT_EQ(static_cast<const Decimal&>(itens[0].CodMercadoria) + itens[1].CodMercadoria, Decimal(11));
    }
}

TEST_F(NfeItems, AnEntryIsBookedOnItsEmissionAndListedAsAnotherMonthInTheMonthOfItsEntry) {
    Documento(kEntrada, "2016-08-31", "2016-09-01");
    Corrida c = Importa(SentidoNfe::Entrada, "53232886000165", {.mes = 8});
    EXPECT_TRUE(c.perguntas.empty());
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    auto itens = Entradas();
    ASSERT_EQ(itens.size(), 21u);
    for (const auto& e : itens) EXPECT_EQ(e.DataEmissao, date::make(2016, 8, 31));

    c = Importa(SentidoNfe::Entrada, "53232886000165", {.mes = 9});
    EXPECT_EQ(c.lido.documentos, 0);
    ASSERT_EQ(c.lido.problemas.size(), 1u);
    EXPECT_NE(text::to_utf8(c.lido.problemas[0]).find("outro mês: nota 47449 emitida em 31/08/2016, entrada em 01/09/2016"),
              std::string::npos)
        << text::to_utf8(c.lido.problemas[0]);
    EXPECT_EQ(Entradas().size(), 21u);
}

TEST_F(NfeItems, AnItemUnderTaxSubstitutionGivesRegisterAndHistoryOneRateAndStoresBaseTimesRate) {
    // Product 1123 registered at 12 %; the invoice's own operation at 12 %, its substitution at 18 %.
    Seed<dictionary::ProdutosRec>(dictionary::Produtos(), [](auto& p) {
        p.Codigo = Decimal(1123);
        p.Alicota = Decimal(12);
    });
    Seed<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), [](auto& a) {
        a.CODIGO_PRODUTO = Decimal(1123);
        a.CODIGO = Decimal(1);
        a.ALIQUOTA = Decimal(12);
        a.DATA_INICIAL = date::make(1900, 1, 1);
    });
    Documento("35180834128745000152550010000476051695511860-nfe.xml", "2016-03-15", "2016-03-17",
              {{"<pICMS>18.00</pICMS>", "<pICMS>12.00</pICMS>"}});
    Corrida c = Importa(SentidoNfe::Entrada, "57647232000153", {.cadastros = true});
    ASSERT_TRUE(c.importacao.ok()) << c.importacao.falha;
    auto itens = Entradas();
    auto item = std::find_if(itens.begin(), itens.end(), [](auto& e) {
        return static_cast<const Decimal&>(e.CodMercadoria) == Decimal(1123);
    });
    ASSERT_NE(item, itens.end());
    EXPECT_EQ(item->DataEmissao, date::make(2016, 3, 15));
    EXPECT_EQ(item->BaseICMS.value().to_fixed(2), "88.01");  // vBCST
    EXPECT_EQ(item->Aliquota.value().to_fixed(3), "18.000");  // pICMSST
    // base x rate (88.01 x 18 % = 15.84), not the document's vICMSST 9.68 (net of the own ICMS).
    EXPECT_EQ(item->ValorICMS.value().to_fixed(2), "15.84");
    EXPECT_EQ(item->BaseICMSPropria.value().to_fixed(2), "34.24");

    Decimal registro, historico;
    OnThread([&] {
        data::FileManager pro(dictionary::Produtos());
        ASSERT_TRUE(pro.open().ok());
        pro.clear_record();
        pro.rec<dictionary::ProdutosRec>().Codigo = Decimal(1123);
        ASSERT_TRUE(pro.get(dictionary::keys::PRO_KEY_CODIGO).ok());
        registro = pro.rec<dictionary::ProdutosRec>().Alicota;
        (void)pro.close();
        date::Day dia = date::make(2016, 3, 15);
        historico = shell::AliquotaProdutoData(Decimal(1123), dia, 0);
    });
    EXPECT_EQ(registro.to_fixed(3), "18.000");
    EXPECT_EQ(historico.to_fixed(3), "18.000");
}

}  // namespace vorel::integration::testing
