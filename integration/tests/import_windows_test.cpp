// The vehicle, opening-balance and cash-register import windows as the user drives them: files,
// layouts, the read and the import with their messages, and the staging files gone with the window.
#include <gtest/gtest.h>

#include <algorithm>

#include "import_fixture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::integration::testing {

namespace {

namespace keys = dictionary::keys;

struct ImportWindows : ImportFixture {
    void SetUp() override {
        ImportFixture::SetUp();
        SeedProduct(10, 18);
        SeedSupplier(4, "11222333000181", "PR");
        SeedCfo(1102);
    }
    // Answers the pending message box after checking its text; "" when none is expected.
    void Expect(const std::string& texto) {
        if (texto.empty()) {
            EXPECT_FALSE(ui->HasMessageBox());
            return;
        }
        ASSERT_TRUE(ui->HasMessageBox());
        EXPECT_EQ(ui->PendingMessageBox().text, texto);
        ui->Answer(1);
    }
    // The first list after the control showing `texto` (a prompt or a group).
    ui::HeadlessDriver::Ctl ListaApos(int w, const std::string& texto) {
        bool achou = false;
        for (const ui::ControlState& c : ui->Mirror(w).controls) {
            achou = achou || c.text == texto;
            if (achou && c.type == ui::ControlType::List) return ui->Control(w, c.feq);
        }
        ADD_FAILURE() << "no list after " << texto;
        return {};
    }
    void ClosedWithoutStaging(int w, const std::string& caption) {
        ui->Press(ui->ByText(w, "&Fecha"));
        ui->WaitIdle();
        EXPECT_FALSE(ui->HasWindow(caption));
        EXPECT_TRUE(fs::is_empty(dir / "Temp"));
    }
};

TEST_F(ImportWindows, VehicleEntriesAndExitsAreReadListedAndImported) {
    struct Caso {
        int tipo, layout;
        const char* procedimento;
        const char* titulo;
        const char* prompt;
        const char* lido;
        const char* importado;
        const data::TableDesc& (*alvo)();
    };
    const Caso casos[] = {
        {kTipoEntradaVeiculos, 1, "ImportaEntradaVeiculos", "Importação do Lançamentos de Entradas de Veículos",
         "Arquivo texto entradas de veículos", "Leitura efetuada com sucesso !!!", "Importado com Sucesso",
         &dictionary::EntradaVeiculo},
        {kTipoSaidaVeiculos, 2, "ImportaSaidaVeiculos", "Importação do Lançamentos de Saídas de Veículos",
         "Arquivo texto saídas de veículos", "", "Importado com sucesso !!!", &dictionary::SaidaVeiculo},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.procedimento);
        LayoutPadrao(c.tipo, c.layout, "Veículos");
        const std::string arquivo = FileOfLines("veiculos.txt", {LinhaPadrao(
            c.tipo, {{1, "11222333000181"}, {3, "000010"}, {4, "05"}, {5, "03"}, {6, "2016"}, {8, "CHASSI1"},
                     {9, "10"}, {10, "1102"}, {12, "017000"}})});
        ui->Start(c.procedimento);
        const int w = ui->WindowByCaption(c.titulo);
        ui->Type(ui->ByPrompt(w, c.prompt), arquivo);
        ui->PickRow(ui->ByPrompt(w, "Layout do arquivo"), 1);
        ui->Press(ui->ByText(w, "&Ler arquivos"));
        Expect(c.lido);
        // The rate against the product's 18.000 is listed; the line stays importable.
        const auto erros = ui->Rows(ListaApos(w, "Erros:"));
        ASSERT_EQ(erros.size(), 1u);
        EXPECT_EQ(erros[0][0], "Nota Fiscal de número 10 Alíquota de ICMS não confere com a informanda no Produto.");
        ASSERT_TRUE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
        ui->Press(ui->ByText(w, "Importa Arquivos"));
        Expect(c.importado);
        EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
        ClosedWithoutStaging(w, c.titulo);
    }
    const auto entradas = All<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), keys::ENV_KEY_NUMERO);
    ASSERT_EQ(entradas.size(), 1u);
    EXPECT_EQ(entradas[0].Aliquota.value(), Decimal(17));
    EXPECT_EQ(All<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), keys::SAV_KEY_NUMERO).size(), 1u);
}

TEST_F(ImportWindows, OpeningBalancesOfferTheNicknameFirstAndImportWithoutAWord) {
    LayoutPadrao(kTipoSaldoAnterior, 1, "Saldos");
    const std::string arquivo = FileOfLines("saldos.txt", {LinhaPadrao(
        kTipoSaldoAnterior, {{1, "29"}, {2, "02"}, {3, "2016"}, {4, "000000000000005000"}, {7, "1102"}, {8, "000"},
                             {9, "10"}, {10, "L1"}, {11, "11222333000181"}, {12, "000000"}})});
    constexpr const char* kTitulo = "Importação do Lançamento Saldo Anterior";
    ui->Start("ImportaSaldoAnterior");
    const int w = ui->WindowByCaption(kTitulo);
    std::vector<std::string> opcoes;
    for (const ui::ControlState& c : ui->Mirror(w).controls)
        if (c.type == ui::ControlType::Radio) opcoes.push_back(c.text);
    EXPECT_EQ(opcoes, (std::vector<std::string>{"Apelido - Código do Cliente", "Código"}));
    ui->Type(ui->ByPrompt(w, "Arquivo texto de Saldos Anteriores"), arquivo);
    ui->PickRow(ui->ByPrompt(w, "Layout do Saldos Anteriores"), 1);
    ui->Press(ui->ByText(w, "&Ler arquivo"));
    Expect("Leitura Efetuada com sucesso");
    ui->Press(ui->ByText(w, "Importa Arquivo"));
    Expect("");
    ClosedWithoutStaging(w, kTitulo);
    const auto saldos = All<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_NUMERO);
    ASSERT_EQ(saldos.size(), 1u);
    EXPECT_EQ(saldos[0].Numero, 0u);
    EXPECT_EQ(saldos[0].Quantidade.value(), Decimal(5));
}

struct EcfWindow : ImportWindows {
    static constexpr const char* kTitulo = "Importação de Lançamentos por ECF";
    std::string mestre, analitico, diario;
    void SetUp() override {
        ImportWindows::SetUp();
        LayoutPadrao(kTipoMestre, 1, "Mestre");
        LayoutPadrao(kTipoAnalitico, 2, "Analítico");
        Seed<dictionary::ICMSEletronicaRec>(dictionary::ICMSEletronica(), [](auto& m) { m.Codigo = 1; });
        const std::map<int, std::string> dia = {{1, "05"}, {2, "03"}, {3, "2016"}, {4, "001"}};
        auto com = [&](std::map<int, std::string> mais) {
            mais.insert(dia.begin(), dia.end());
            return mais;
        };
        mestre = FileOfLines("mestre.txt", {LinhaPadrao(kTipoMestre, com({{5, "000001"}, {6, "000009"}}))});
        analitico = FileOfLines("analitico.txt", {LinhaPadrao(kTipoAnalitico, com({{5, "T18 "}, {6, "000000012345"}}))});
        diario = FileOfLines("diario.txt", {LinhaPadrao(kTipoDiario, com({{5, "00000000000010"}, {6, "0000000001500"},
                                                                     {9, "T18 "}}))});
    }
    int Open(bool comDiario) {
        if (comDiario) LayoutPadrao(kTipoDiario, 3, "Diário");
        ui->Start("ImportaLancamentoECF");
        const int w = ui->WindowByCaption(kTitulo);
        ui->Type(ui->ByPrompt(w, "Arquivo texto mestre"), mestre);
        ui->Type(ui->ByPrompt(w, "Arquivo texto analítico"), analitico);
        if (comDiario) ui->Type(ui->ByPrompt(w, "Arquivo texto diário"), diario);
        return w;
    }
};

TEST_F(EcfWindow, WithoutADailyLayoutTheDailyFileCannotBeChosenNorReadStarted) {
    const int w = Open(false);
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(w, "Arquivo texto diário")));
    ui->PickRow(ui->ByPrompt(w, "Layout do arquivo mestre"), 1);
    ui->Press(ui->ByText(w, "&Ler arquivos"));
    ASSERT_TRUE(ui->HasFileDialog());  // the missing daily file is asked for
    EXPECT_EQ(ui->PendingFileDialog().title, "Arquivo Importação Lançamentos Diário");
    ui->AnswerFile("");
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
    ClosedWithoutStaging(w, kTitulo);
}

TEST_F(EcfWindow, TheThreeFilesAreReadListedAndImportedOnce) {
    const int w = Open(true);
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
    ui->Press(ui->ByText(w, "&Ler arquivos"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Selecione o Layout para o Arquivo de Arquivo Mestre!!!");
    EXPECT_EQ(ui->PendingMessageBox().title, "Atneção!!!");
    ui->Answer(1);
    EXPECT_EQ(ui->Focus(w), ui->ByPrompt(w, "Layout do arquivo mestre").feq);

    ui->PickRow(ui->ByPrompt(w, "Layout do arquivo mestre"), 1);
    ui->Press(ui->ByText(w, "&Ler arquivos"));
    Expect("Leitura Efetuada com sucesso !!!");
    for (const char* grupo : {"Mestre", "Analítico", "Diário"}) {
        SCOPED_TRACE(grupo);
        EXPECT_EQ(ui->Rows(ListaApos(w, grupo)).size(), 1u);  // the staged records' lists
    }
    ASSERT_TRUE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
    ui->Press(ui->ByText(w, "Importa Arquivos"));
    Expect("Importaçao realizada com sucesso");
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Importa Arquivos")));
    ClosedWithoutStaging(w, kTitulo);
    EXPECT_EQ(All<dictionary::LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO).size(), 1u);
    EXPECT_EQ(All<dictionary::AnaliticoICMSRec>(dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA).size(), 1u);
    const auto diarios = All<dictionary::MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO);
    ASSERT_EQ(diarios.size(), 1u);
    EXPECT_EQ(diarios[0].MesImpor, 3);
    EXPECT_TRUE(fs::exists(mestre) && fs::exists(analitico) && fs::exists(diario));
}

}  // namespace

}  // namespace vorel::integration::testing
