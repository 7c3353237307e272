// The product register listings: the four page reports against a reference text, the export file
// byte for byte, the window's model choice hiding the export, and an export that cannot be written
// reporting the failure instead of the success message.
#include "legibilidade.h"
#include "listing_fixture.h"

#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/listings/produtos.h"
#include "vorel/report/page_model.h"
#include "vorel/ui/headless.h"

namespace vorel::listings::testing {
namespace {

using vorel::testing::TextosIlegiveis;

namespace fs = std::filesystem;
using dictionary::ProdutosRec;

struct Produtos : ListingFixture {
    // Out of code and name order; rates 18, 0 with a reduction, 0,001 and 0.
    void SeedProdutos() {
        struct P { int codigo; const char* nome; const char* apelido; const char* un; date::Day inicio, fim; const char* aliq, *red; };
        static const P kProdutos[] = {
            {100, "PARAFUSO SEXTAVADO", "PAR-1", "KG", date::make(2016, 1, 5), date::make(2016, 12, 31), "18", "0"},
            {20, "arruela lisa", "", "UN", 0, 0, "0", "33.3333"},
            {3, "Bucha de nylon", "BN", "PC", date::make(2015, 7, 1), 0, "0.001", "0"},
            {7, "BROCA", "", "", 0, 0, "0", "0"},
        };
        Seed<ProdutosRec>(dictionary::Produtos(), 4, [](ProdutosRec& r, int i) {
            const P& p = kProdutos[i];
            r.Codigo = Decimal(p.codigo);
            r.Produtos = p.nome;
            r.Apelido = p.apelido;
            r.Medida = p.un;
            r.DataInicio = p.inicio;
            r.DataFinal = p.fim;
            r.Alicota = Decimal::from_string(p.aliq);
            r.AliqReducao = Decimal::from_string(p.red);
        });
    }
};

TEST_F(Produtos, FourReportsByModelAndOrder) {
    SeedProdutos();
    std::vector<std::string> ilegiveis;
    const std::string paginas = OnThread([&ilegiveis] {
        std::string s;
        for (auto m : {ModeloProdutos::Todos, ModeloProdutos::AliquotaZero})
            for (auto o : {OrdemProdutos::Codigo, OrdemProdutos::Descricao}) {
                const report::Document d = DocumentoRelProdutos(1, m, o);
                s += report::to_text(d);
                for (std::string& f : TextosIlegiveis(d, 1000)) ilegiveis.push_back(std::move(f));
            }
        return s;
    });
    EXPECT_TRUE(matches_reference(paginas, "rel_produtos.txt"));
    EXPECT_THAT(ilegiveis, ::testing::IsEmpty());
}

TEST_F(Produtos, NoProductOfRateZeroGivesNoPages) {
    Seed<ProdutosRec>(dictionary::Produtos(), 1, [](ProdutosRec& r, int) {
        r.Codigo = Decimal(1);
        r.Alicota = Decimal::from_string("0.001");
    });
    EXPECT_TRUE(OnThread([] { return DocumentoRelProdutos(1, ModeloProdutos::AliquotaZero, OrdemProdutos::Codigo); }).pages.empty());
    EXPECT_EQ(OnThread([] { return DocumentoRelProdutos(1, ModeloProdutos::Todos, OrdemProdutos::Codigo); }).pages.size(), 1u);
    // Through the window: no preview and no message.
    ui->Start("JRelProdutos");
    const int w = ui->WindowByCaption("Relação de Produtos");
    ui->PickItem(ui->ByPrompt(w, "Modelo"), "Modelo 02");
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Visualização - RelProdutosW02_Codigo"));
    EXPECT_TRUE(ui->MessageBoxes().empty());
    ui->Press(ui->ByText(w, "&Fecha"));
}

TEST_F(Produtos, TheWindowExportsTheRegisterAndHidesTheExportForModelTwo) {
    const fs::path alvo = dir / "Excel" / "Relacao_Produtos.csv";
    fs::create_directories(alvo.parent_path());
    ui->Start("JRelProdutos");
    const int w = ui->WindowByCaption("Relação de Produtos");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Caminho do Arquivo Excel:")), root + "Excel\\Relacao_Produtos.csv");
    // An empty register: the heading alone, and the success message.
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the end of the export");
    EXPECT_EQ(ui->PendingMessageBox().title, "Concluído!");
    EXPECT_EQ(ui->PendingMessageBox().text, "Arquivo gerado com sucesso!");
    ui->Answer(1);
    EXPECT_EQ(ReadFile(alvo), ";;;;Relacao de Produtos\r\nEmpresa: ;COMERCIO MODELO LTDA;CNPJ: 12345678000195\r\n\r\n"
                              "Codigo ;Descricao do Produto;Apelido;UN;Data Inicial;Data Final;Aliq;A. Red.\r\n");
    // By description, letter case ignored; the file replaced, not appended to.
    SeedProdutos();
    ui->Check(ui->ByText(w, "Descrição"), true);
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the end of the export");
    ui->Answer(1);
    EXPECT_EQ(ReadFile(alvo), ";;;;Relacao de Produtos\r\nEmpresa: ;COMERCIO MODELO LTDA;CNPJ: 12345678000195\r\n\r\n"
                              "Codigo ;Descricao do Produto;Apelido;UN;Data Inicial;Data Final;Aliq;A. Red.\r\n"
                              "20;arruela lisa;;UN    ;          ;          ;   0,000;  33,3333\r\n"
                              "7;BROCA;;      ;          ;          ;   0,000;   0,0000\r\n"
                              "3;Bucha de nylon;BN;PC    ;01/07/2015;          ;   0,001;   0,0000\r\n"
                              "100;PARAFUSO SEXTAVADO;PAR-1;KG    ;05/01/2016;31/12/2016;  18,000;   0,0000\r\n");
    EXPECT_FALSE(fs::exists(alvo.string() + ".novo"));
    // "Modelo 02" hides the export; "Modelo 01" shows it again.
    ui->PickItem(ui->ByPrompt(w, "Modelo"), "Modelo 02");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "&Gerar Excel")));
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Caminho do Arquivo Excel:")));
    ui->PickItem(ui->ByPrompt(w, "Modelo"), "Modelo 01");
    EXPECT_FALSE(ui->Hidden(ui->ByText(w, "&Gerar Excel")));
    EXPECT_FALSE(ui->Hidden(ui->ByPrompt(w, "Caminho do Arquivo Excel:")));
    ui->Press(ui->ByText(w, "&Fecha"));
}

TEST_F(Produtos, AnExportThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
    SeedProdutos();
    // A folder that cannot be written: a file stands where the folder should be.
    std::ofstream(dir / "naopasta") << "x";
    const std::string alvo = root + "naopasta/Relacao_Produtos.csv";
    EXPECT_FALSE(OnThread([&] { return ExportaProdutos(1, alvo, OrdemProdutos::Codigo); }).ok());
    // Through the window: the failure, never the success message.
    ui->Start("JRelProdutos");
    const int w = ui->WindowByCaption("Relação de Produtos");
    ui->Type(ui->ByPrompt(w, "Caminho do Arquivo Excel:"), alvo);
    ui->Press(ui->ByText(w, "&Gerar Excel"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the end of the export");
    EXPECT_EQ(ui->PendingMessageBox().title, "!!! Atenção !!!");
    EXPECT_NE(ui->PendingMessageBox().text.find("O arquivo não foi gerado."), std::string::npos);
    ui->Answer(1);
    // An existing file stays whole when the new one cannot be completed.
    const fs::path bom = dir / "Relacao_Produtos.csv";
    std::ofstream(bom) << "antigo";
    fs::create_directory(dir / "Relacao_Produtos.csv.novo");  // the new file cannot be made
    EXPECT_FALSE(OnThread([&] { return ExportaProdutos(1, root + "Relacao_Produtos.csv", OrdemProdutos::Codigo); }).ok());
    EXPECT_EQ(ReadFile(bom), "antigo");
    ui->Press(ui->ByText(w, "&Fecha"));
}

TEST_F(Produtos, ImprimirOpensThePageReportInEveryPrintingMode) {
    SeedProdutos();
    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Start("JRelProdutos");
    const int w = ui->WindowByCaption("Relação de Produtos");
    ui->Press(ui->ByText(w, "&Imprimir"));
    ClosePreview("RelProdutosW01_Codigo");
    ui->Press(ui->ByText(w, "&Fecha"));
}

}  // namespace
}  // namespace vorel::listings::testing
