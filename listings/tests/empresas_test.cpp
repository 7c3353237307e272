// The company listing: the page report and the text form against reference texts (name order, equal
// names in key order, the cut city and e-mail, the 136-column lines), the text form's pages of 19
// companies at 66 lines, the window's run by printing mode, and a text form whose printer's port is
// missing saying so instead of printing.
#include "listing_fixture.h"

#include "vorel/core/text.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/listings/empresas.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/headless.h"

namespace vorel::listings::testing {
namespace {

namespace fs = std::filesystem;
using dictionary::EmpresaRec;

shell::CodigosImpressoraRec Codigos(int linhas, std::string porta = {}) {
    shell::CodigosImpressoraRec c;
    c.LEXP = "{E}";
    c.DEXP = "{e}";
    c.LNEG = "{N}";
    c.DNEG = "{n}";
    c.CPI17 = "{17}";
    c.NLINHAS = linhas;
    c.PORTA = std::move(porta);
    return c;
}

std::string Utf8Lines(const Strings& linhas) {
    std::string out;
    for (const std::string& l : linhas) out += text::to_utf8(l) + "\n";
    return out;
}

struct Empresas : ListingFixture {
    // Beside company 1 "COMERCIO MODELO LTDA": two of one name (7 added before 3), one in lower case.
    void SeedEmpresas() {
        Seed<EmpresaRec>(dictionary::Empresa(), 3, [](EmpresaRec& r, int i) {
            static constexpr std::uint16_t kCodigos[] = {7, 12345, 3};
            r.Codigo = kCodigos[i];
            r.RAZAOSOCIAL = i == 1 ? "beta distribuidora" : "ALFA COMERCIO";
            r.CGC = "11222333000181";
            r.INSCESTADUAL = "110042490114";
            r.ENDERECO = "RUA DAS FLORES";
            r.NUMERO = i == 0 ? 7 : 1234;
            r.COMPLEMENTO = "SALA 2";
            r.BAIRRO = "CENTRO";
            r.CIDADE = "SAO JOSE DO RIO PRETO - DISTRITO INDUSTRIAL";  // 43 characters
            r.UF = "SP";
            r.CEP = 1310100;
            r.EMAIL = "faturamento.matriz@alfacomercio.example.com";  // 43 characters
            r.CNAE = 4711302;
            r.DDD = i == 0 ? 0 : 11;
            r.FONE = 32345678;
            r.RAMALFONE = i == 0 ? 0 : 25;
        });
    }
    void ApagaEmpresas() {
        std::thread([] {
            data::FileManager fm(dictionary::Empresa());
            ASSERT_EQ(fm.open(), data::kNoError);
            fm.clear_record();
            ASSERT_TRUE(fm.set(dictionary::keys::EMP_KEY_CODIGO).ok());
            while (fm.next().ok()) ASSERT_TRUE(fm.remove().ok());
            (void)fm.close();
        }).join();
    }
};

TEST_F(Empresas, PagesAndTextLinesByNameWithEqualNamesInKeyOrder) {
    SeedEmpresas();
    EXPECT_TRUE(matches_reference(report::to_text(OnThread([] { return DocumentoRelEmp(); })), "rel_emp.txt"));
    const Strings linhas = OnThread([] { return LinhasRelEmpresaM(Codigos(66)); });
    EXPECT_TRUE(matches_reference(Utf8Lines(linhas), "rel_empresa_m.txt"));
    for (const std::string& l : linhas)
        if (!l.empty() && (l[0] == '|' || l[0] == '-' || l[0] == '=')) {
            EXPECT_EQ(l.size(), 136u) << text::to_utf8(l);
        }
    // Company 7: code "     7" in line A, number "0007" in line B, extension "0000" in line C.
    EXPECT_EQ(linhas[7].substr(0, 9), "|      7 ");
    EXPECT_EQ(linhas[8].substr(50, 4), "0007");
    EXPECT_EQ(linhas[9].substr(129, 4), "0000");
}

TEST_F(Empresas, NineteenCompaniesAPageOfSixtySixLines) {
    Seed<EmpresaRec>(dictionary::Empresa(), 19, [](EmpresaRec& r, int i) {
        r.Codigo = static_cast<std::uint16_t>(100 + i);
        r.RAZAOSOCIAL = "EMPRESA " + text::zero_fill(i, 2);
    });
    const Strings l = OnThread([] { return LinhasRelEmpresaM(Codigos(66)); });
    ASSERT_EQ(l.size(), 7u + 57u + 3u + 7u + 3u + 3u);  // 19 companies, the page end, the 20th alone
    EXPECT_EQ(l[64], std::string(136, '='));
    EXPECT_EQ(l[66], "\f");
    EXPECT_EQ(l[67], "{E}{N}" + std::string(4, ' ') + "Listagem do Arquivo de Empresas" + std::string(5, ' ') + "{n}{e}");
    EXPECT_EQ(l[68], std::string(60, ' ') + text::from_utf8("Número Página....002"));
    EXPECT_EQ(l[74].substr(0, 30), "|    118 EMPRESA 18           ");  // "COMERCIO MODELO LTDA" came first
}

TEST_F(Empresas, AnEmptyRegisterWritesNothing) {
    ApagaEmpresas();
    EXPECT_TRUE(OnThread([] { return LinhasRelEmpresaM(Codigos(66)); }).empty());
    EXPECT_TRUE(OnThread([] { return DocumentoRelEmp(); }).pages.empty());
}

TEST_F(Empresas, PrintingModeTwoSendsTheTextToThePortAndSaysWhenThePortIsMissing) {
    SeedEmpresas();
    const fs::path porta = dir / "porta.prn";
    std::ofstream{porta};  // the port: a device that takes the bytes
    shell::ModoImpressao.Set(shell::kModoDos);
    shell::GLO_CODIMPRESSORA.Set(1);
    shell::CodigosImpressora.Set(Codigos(66, porta.string()));
    ui->Start("ListagemEmpresas");
    const int w = ui->WindowByCaption("Listagem de Empresas");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitUntil([&] { return fs::file_size(porta) > 0; }, "the file at the printer's port");
    std::string esperado;
    for (const std::string& l : OnThread([] { return LinhasRelEmpresaM(Codigos(66)); }))
        esperado += shell::LinhaTexto(l, 0, false) + "\r\n";
    EXPECT_EQ(ReadFile(porta), esperado);
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_TRUE(fs::is_empty(dir / "Temp")) << "the run's own file is deleted";
    // The run's small window offered "&Cancela" (a cancel sends nothing: the text run's own test).
    bool comCancela = false;
    for (const auto& j : ui->ClosedWindows()) {
        bool texto = false, cancela = false;
        for (const auto& c : j.controls) {
            texto = texto || c.text == "Relatório de Empresas";
            cancela = cancela || c.text == "&Cancela";
        }
        comCancela = comCancela || (texto && cancela);
    }
    EXPECT_TRUE(comCancela);
    // A port whose device is missing: the failure is told, and the file deleted all the same.
    shell::CodigosImpressora.Set(Codigos(66, (dir / "sem-dispositivo" / "lp0").string()));
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the message of the failed printing");
    EXPECT_NE(ui->PendingMessageBox().text.find("O relatório não foi impresso."), std::string::npos);
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_TRUE(fs::is_empty(dir / "Temp"));
    // No text printer chosen: the message, and nothing written.
    shell::GLO_CODIMPRESSORA.Set(0);
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the printer message");
    EXPECT_EQ(ui->PendingMessageBox().title, "Impressora não selecionada");
    ui->Answer(1);
    ui->Press(ui->ByText(w, "&Cancelar"));
}

TEST_F(Empresas, PrintingModesZeroAndOnePrintThePageReport) {
    SeedEmpresas();
    for (std::uint8_t modo : {shell::kModoJatoTinta, shell::kModoWindows}) {
        shell::ModoImpressao.Set(modo);
        ui->Start("ListagemEmpresas");
        const int w = ui->WindowByCaption("Listagem de Empresas");
        EXPECT_FALSE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
        EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Texto:"))), "Listagem de Empresas - Período: 03/2016.");
        ui->Press(ui->ByText(w, "&Imprimir"));
        ClosePreview("RelEmp");
        ui->WaitIdle();
        ui->Press(ui->ByText(w, "&Cancelar"));
    }
    // The pass after the report: "Processing Records" with its "&Cancelar", each run.
    int passes = 0;
    for (const auto& j : ui->ClosedWindows())
        if (j.header.caption == "Processing Records")
            for (const auto& c : j.controls) passes += c.text == "&Cancelar" ? 1 : 0;
    EXPECT_EQ(passes, 2);
}

}  // namespace
}  // namespace vorel::listings::testing
