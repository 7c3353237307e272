// The printing mode window and the printer's codes, and the error report of imports and audits,
// played headless over tables in a temporary folder.
#include <gtest/gtest.h>

#include <atomic>

#include "data_root.h"
#include "shell_fixture.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printers_register.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/printer_setup.h"
#include "vorel/shell/settings_read.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

using namespace vorel;
using namespace vorel::shell;
using shell_test::ShellTest;

namespace {

class ImpressaoTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        dictionary::CaminhoImpressora.set(Folder("Impressora.tps"));
        dictionary::CaminhoEmpresa.set(Folder("Empresa.tps"));
        PastaRaiz.Set(Folder() + "\\");
        ModoImpressao.Set(kModoWindows);
        GLO_CODIMPRESSORA.Set(0);
        CodigosImpressora.Set({});
        RegisterPrintingProcedures();
    }
    void Impressora(std::uint8_t codigo, const char* nome, std::uint8_t acentos) {
        data::FileManager imp(dictionary::Impressora());
        ASSERT_EQ(imp.open(), data::kNoError);
        auto& r = imp.rec<dictionary::ImpressoraRec>();
        imp.clear_record();
        r.CODIGO = codigo;
        r.NOME = nome;
        r.PORTA = "matricial";
        r.NLINHAS = 66;
        r.ACENTOS = acentos;
        CodigosPadrao(r);
        ASSERT_EQ(imp.add(), data::kNoError);
        (void)imp.close();
    }
};

}  // namespace

TEST_F(ImpressaoTest, DosModeNeedsAPrinterAndLoadsItsCodes) {
    Impressora(1, "EPSON LX-300", 1);
    Impressora(2, "Outra", 0);
    GLO_CODIMPRESSORA.Set(9);  // no such printer
    ui::Runtime rt;
    ui::HeadlessDriver ui(rt);
    int t = ui.Start("Configura_Impressora");
    int w = ui.WindowByCaption("Seleciona Impressora");
    namespace c = configura;
    EXPECT_EQ(ui.Text(ui.Control(w, c::kImagem)), "\\Trabalho\\Imagens\\Video.jpg");
    EXPECT_TRUE(ui.Hidden(ui.Control(w, c::kGrupoMatricial)));

    ui.Check(ui.Control(w, c::kDos), true);
    EXPECT_EQ(ui.Text(ui.Control(w, c::kImagem)), "\\Trabalho\\Imagens\\Matri.jpg");
    EXPECT_FALSE(ui.Hidden(ui.Control(w, c::kGrupoMatricial)));
    EXPECT_EQ(ui.State(ui.Control(w, c::kImpressora)).items, (std::vector<std::string>{"001", "002"}));
    ui.Press(ui.Control(w, c::kOk));
    EXPECT_TRUE(ui.HasWindow("Seleciona Impressora")) << "no printer 9: the window stays";
    EXPECT_EQ(ui.Focus(w), c::kImpressora);
    EXPECT_EQ(ModoImpressao.Get(), kModoWindows);
    EXPECT_FALSE(std::filesystem::exists(Native("settings/Vorel.ini")));

    ui.PickItem(ui.Control(w, c::kImpressora), 1);
    EXPECT_EQ(ui.Text(ui.Control(w, c::kNome)), "EPSON LX-300");
    ui.Press(ui.Control(w, c::kOk));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the window closes");
    EXPECT_EQ(ModoImpressao.Get(), kModoDos);
    EXPECT_EQ(GLO_CODIMPRESSORA.Get(), 1);
    ModoImpressaoConfig guardado = LeModoImpressao();
    EXPECT_EQ(guardado.modo, kModoDos);
    EXPECT_EQ(guardado.impressora, 1);
    CodigosImpressoraRec codigos = CodigosImpressora.Get();
    EXPECT_EQ(codigos.ACENTOS, 1) << "the chosen printer's accents govern the next text report";
    EXPECT_EQ(codigos.LNEG, "\x1BG");
    EXPECT_EQ(codigos.CPI17, "\x1BP\x0F");
    EXPECT_EQ(codigos.PORTA, "matricial");
    EXPECT_EQ(codigos.NLINHAS, 66);
}

TEST_F(ImpressaoTest, InkJetIsStoredAsZeroAndReadBackAsOneAndCancelChangesNothing) {
    ui::Runtime rt;
    ui::HeadlessDriver ui(rt);
    namespace c = configura;
    int t = ui.Start("Configura_Impressora");
    int w = ui.WindowByCaption("Seleciona Impressora");
    ui.Check(ui.Control(w, c::kJatoTinta), true);
    EXPECT_EQ(ui.Text(ui.Control(w, c::kImagem)), "\\Trabalho\\Imagens\\Impresso.jpg");
    ui.Press(ui.Control(w, c::kCancela));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "cancel closes");
    EXPECT_EQ(ModoImpressao.Get(), kModoWindows);

    t = ui.Start("Configura_Impressora");
    w = ui.WindowByCaption("Seleciona Impressora");
    ui.Check(ui.Control(w, c::kJatoTinta), true);
    ui.Press(ui.Control(w, c::kOk));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "O.K. closes");
    EXPECT_EQ(ModoImpressao.Get(), kModoJatoTinta);
    EXPECT_EQ(settings::SettingsFile("Vorel.ini").read_number("Impressora", text::from_utf8("Configuração"), -1), 0);
    EXPECT_EQ(LeModoImpressao().modo, kModoWindows) << "the next start-up works in mode 1";
    EXPECT_EQ(CodigosImpressora.Get(), CodigosImpressoraRec{}) << "no printer: empty codes";
}

namespace {

class RelErroTest : public ImpressaoTest {
protected:
    void SetUp() override {
        ImpressaoTest::SetUp();
        data::FileManager emp(dictionary::Empresa());
        ASSERT_EQ(emp.open(), data::kNoError);
        auto& r = emp.rec<dictionary::EmpresaRec>();
        emp.clear_record();
        r.Codigo = 7;
        r.RAZAOSOCIAL = "Comercial Ltda";
        ASSERT_EQ(emp.add(), data::kNoError);
        (void)emp.close();
        GLO_EMPRESA_CODIGO.Set(7);
        servicos_.visualiza = [this](ui::ProcContext&, const report::Document& d, report::PreviewOptions) {
            paginas_ = d;
            ++previas_;
            return report::PreviewResult{true, 1};
        };
        servicos_.imprime = [](const report::Document&, int, const std::string&) { return report::Outcome::success(); };
    }
    ui::Response Executa(const std::vector<std::string>& erros) {
        ui::Runtime rt;
        ui::HeadlessDriver ui(rt);
        std::atomic<bool> fim{false};
        ui::Response r = ui::Response::None;
        rt.Start("Importa", [&](ui::ProcContext& ctx) {
            r = Rel_Erro_ECF_W(ctx, erros, &servicos_);
            fim = true;
        });
        ui.WaitUntil([&] { return fim.load(); }, "the report ends");
        return r;
    }
    OpcoesRelatorio servicos_;
    report::Document paginas_;
    int previas_ = 0;
};

}  // namespace

TEST_F(RelErroTest, PrintsTheLinesUnderTheCompanyOnlyWhenErroVorelIsOne) {
    const std::vector<std::string> erros{"Linha 3: CFOP inv\xE1lido", "Linha 9: data fora do per\xEDodo",
                                         std::string(450, 'a') + std::string(50, 'b')};
    WriteFile(Native("BComuns/Folha.Ini"), "[Parametros]\r\nErroVorel=1\r\n");
    EXPECT_EQ(Executa(erros), ui::Response::Completed);
    ASSERT_EQ(previas_, 1);
    ASSERT_EQ(paginas_.pages.size(), 1u);
    EXPECT_EQ(paginas_.title, "Rel_Erro_ECF_W");
    std::string texto = report::to_text(paginas_);
    for (const char* esperado : {"RELATÓRIO DE ERROS", "Empresa:", "00007 - Comercial Ltda", "Linha 3: CFOP inválido",
                                 "Linha 9: data fora do período"})
        EXPECT_NE(texto.find(esperado), std::string::npos) << esperado << "\n" << texto;
    // The 500-character line prints whole, over rows.
    std::string longa;
    for (const auto& item : paginas_.pages[0].items)
        if (auto* t = std::get_if<report::TextItem>(&item); t && (t->text.starts_with("a") || t->text.starts_with("b")))
            longa += t->text;
    EXPECT_EQ(longa, erros[2]);

    for (const char* folha : {"[Parametros]\r\nErroVorel=2\r\n", "[Parametros]\r\n"}) {
        WriteFile(Native("BComuns/Folha.Ini"), folha);
        previas_ = 0;
        EXPECT_EQ(Executa(erros), ui::Response::Cancelled) << folha;
        EXPECT_EQ(previas_, 0) << folha;
    }
    WriteFile(Native("BComuns/Folha.Ini"), "[Parametros]\r\nErroVorel=1\r\n");
    EXPECT_EQ(Executa({}), ui::Response::Cancelled) << "no lines";
    GLO_EMPRESA_CODIGO.Set(8);
    EXPECT_EQ(Executa(erros), ui::Response::Cancelled) << "no working company";
    EXPECT_EQ(previas_, 0);
}

TEST_F(ImpressaoTest, PrintersRegisterInsertsWithDefaultsAndLoadsTheCodesWhenItCloses) {
    GLO_CODIMPRESSORA.Set(1);
    // The register works on its thread's tables, as in the program.
    ui::Runtime rt(vorel::testing::WithDictionary());
    ui::HeadlessDriver ui(rt);
    namespace b = impressoras;
    namespace f = uimpressoras;
    int t = ui.Start("Impressoras");
    int w = ui.WindowByCaption("Janela de Impressoras");
    EXPECT_TRUE(ui.Hidden(ui.Control(w, b::kSeleciona)));
    ui.Press(ui.ByText(w, "&Inclui Impressora"));
    int form = ui.WindowByCaption("Incluindo um Impressora na Tabela");
    EXPECT_EQ(ui.Value(ui.Control(form, f::kLinhas)), "60");
    EXPECT_EQ(ui.Value(ui.Control(form, f::kCpi10)), "27,80,18");
    EXPECT_EQ(ui.Value(ui.Control(form, f::kDSub)), "27,45,0");
    EXPECT_TRUE(ui.Enabled(ui.Control(form, f::kCodigo)));
    ui.Type(ui.Control(form, f::kNome), "EPSON LX-300");
    ui.Type(ui.Control(form, f::kLNeg), "27,69");
    ui.Press(ui.Control(form, f::kGrava));
    ASSERT_FALSE(ui.HasWindow("Incluindo um Impressora na Tabela"));
    auto rows = ui.Rows(ui.Control(w, b::kLista));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "001");
    EXPECT_EQ(rows[0][1], "EPSON LX-300");
    EXPECT_EQ(rows[0][5], "27,80,18");

    // Change: the code stays; "Restaurar Conf. Iniciais" puts the default codes back, not the lines.
    ui.PickRow(ui.Control(w, b::kLista), 1);
    ui.Press(ui.ByText(w, "&Altera Cadastro"));
    form = ui.WindowByCaption("Alterando um Impressora da Tabela");
    EXPECT_FALSE(ui.Enabled(ui.Control(form, f::kCodigo)));
    EXPECT_EQ(ui.Value(ui.Control(form, f::kLNeg)), "27,69");
    ui.Type(ui.Control(form, f::kLinhas), "66");
    ui.Key(form, ui::key::Tab);
    ui.Press(ui.Control(form, f::kRestaura));
    EXPECT_EQ(ui.Value(ui.Control(form, f::kLNeg)), "27,71");
    EXPECT_EQ(ui.Value(ui.Control(form, f::kLinhas)), "66");
    ui.Press(ui.Control(form, f::kGrava));

    ui.Press(ui.ByText(w, "&Exclui Cadastro"));
    form = ui.WindowByCaption("Excluindo uma Impressora da Tabela");
    EXPECT_EQ(ui.Text(ui.Control(form, f::kGrava)), "&Exclui");
    EXPECT_EQ(ui.State(ui.Control(form, f::kCancela)).tip,
              "Cancela   exclusão da Configuração da Impressora Matricial exibida na janela");
    ui.Press(ui.Control(form, f::kCancela));

    ui.Press(ui.Control(w, b::kFecha));
    ui.WaitUntil([&] { return rt.Finished(t).has_value(); }, "the browse closes");
    CodigosImpressoraRec c = CodigosImpressora.Get();
    EXPECT_EQ(c.LNEG, "\x1BG") << "edits of the chosen printer take effect when the browse closes";
    EXPECT_EQ(c.NLINHAS, 66);
}
