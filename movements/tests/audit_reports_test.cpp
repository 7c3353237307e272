// The audit's reports and the reports of invalid state registrations: page models and text lines
// against reference texts (tests/reference), the text report's paging (66 lines: 6 header lines and
// 58 details a page), the text report written to the printer's port in printing mode 2, and every
// page report e-mailed to a loopback SMTP sink.
#include "audit_fixture.h"

#include <QGuiApplication>

#include <fstream>
#include <optional>
#include <sstream>
#include <thread>

#include "reference_file.h"
#include "smtp_sink.h"
#include "vorel/core/settings_file.h"
#include "vorel/data/file_manager.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/headless.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::ForCliRec;
using dictionary::SaidaVorelRec;
using Strings = std::vector<std::string>;
using report::testing::matches_reference;

std::string Utf8Lines(const Strings& linhas) {
    std::string out;
    for (const std::string& l : linhas) out += text::to_utf8(l) + "\n";
    return out;
}

std::string ReadFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

struct AuditReports : AuditFixture {
    // Registrations: ALFA and BETA (inactive) have none; CARLOS has an invalid one and the CNPJ of
    // zeros; DELTA an invalid one; ZULU a valid one. Added out of name order.
    void SeedRegistrations() {
        struct F { std::uint32_t codigo; const char* cgc; const char* nome; const char* ie; const char* uf; };
        static constexpr F kNovos[] = {{9, "99888777000100", "ZULU", "110042490114", "SP"},
                                       {4, "44444444000191", "DELTA", "123", "MG"},
                                       {3, "00000000000000", "CARLOS", "ABC", "SP"},
                                       {123, "12312312000100", "GAMA", "110042490114", "SP"}};
        Seed<ForCliRec>(dictionary::ForCli(), 4, [](ForCliRec& r, int i) {
            const F& f = kNovos[i];
            r.Codigo = f.codigo;
            r.CGC = f.cgc;
            r.Nome = f.nome;
            r.InscricaoEstadual = f.ie;
            r.Estado = f.uf;
        });
    }

    // The invoices of ALFA (two entries in 2016, one exit), CARLOS (an entry) and DELTA (a vehicle exit).
    void SeedInvoices() {
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 3, [](EntradaVorelRec& r, int i) {
            r.Cnpj = i == 2 ? "00000000000000" : "11111111000191";
            r.Serie = "1";
            r.Numero = static_cast<std::uint32_t>(1000 + i);
            r.DataEmissao = i ? date::make(2016, 3, 5) : date::make(2016, 1, 20);
            r.CodMercadoria = Decimal(i ? 999 : 100);
            r.Quantidade = Decimal::from_string("12.5");
            r.BaseICMS = Decimal::from_string("1234.56");
        });
        Seed<SaidaVorelRec>(dictionary::SaidaVorel(), 1, [](SaidaVorelRec& r, int) {
            r.CNPJ = "11111111000191";
            r.Serie = "2";
            r.Numero = 77;
            r.DataSaida = date::make(2016, 3, 9);
            r.CodMercadoria = Decimal(300);
            r.Quantidade = Decimal(3);
            r.BaseCalculo = Decimal::from_string("45.1");
        });
        Seed<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), 1, [](dictionary::SaidaVeiculoRec& r, int) {
            r.CNPJforcli = "44444444000191";
            r.Serie = "U";
            r.Numero = 5;
            r.DataSaida = date::make(2016, 2, 1);
            r.CodProduto = Decimal(400);
            r.Quantidade = Decimal(1);
            r.BaseSaidaConsFinal = Decimal(50000);
        });
    }

    template <class F>
    auto OnThread(F f) {
        std::optional<decltype(f())> out;
        std::thread([&] { out.emplace(f()); }).join();
        return std::move(*out);
    }
};

shell::CodigosImpressoraRec Codigos(int linhas, std::string porta = {}) {
    shell::CodigosImpressoraRec c;
    c.CPI10 = "{10}";
    c.CPI17 = "{17}";
    c.LNEG = "{N}";
    c.DNEG = "{n}";
    c.NLINHAS = linhas;
    c.PORTA = std::move(porta);
    return c;
}

TEST_F(AuditReports, FaultyItemsPrintWithTheirRegistersLookedUp) {
    Seed<ForCliRec>(dictionary::ForCli(), 1, [](ForCliRec& r, int) {
        r.Codigo = 123;
        r.CGC = "12312312000100";
        r.Nome = "GAMA";
    });
    const std::string paginas = OnThread([] {
        // Entries: a full CNPJ (the product's register rate 18 printed, not the item's 12), a
        // supplier code in the CNPJ field, an unregistered product after a registered one.
        ArquivoErros entradas(Movimento::Entrada);
        EXPECT_TRUE(entradas.Cria().ok()) << entradas.erro();
        for (int i = 0; i < 3; ++i) {
            auto& r = entradas.tabela().rec<EntradaVorelRec>();
            entradas.tabela().clear_record();
            r.Cnpj = i == 1 ? "123" : "11111111000191";
            r.DataEmissao = date::make(2016, 3, 10 + i);
            r.Serie = "1";
            r.Numero = static_cast<std::uint32_t>(10 + i);
            r.CFO = 1102;
            r.CFOComplementar = 1;
            r.CodMercadoria = Decimal(i == 2 ? 999 : 100);
            r.Aliquota = Decimal(12);
            r.Quantidade = Decimal::from_string("1234.5");
            r.BaseICMS = Decimal::from_string("-10.25");
            r.ValorICMS = Decimal::from_string("1.8");
            EXPECT_TRUE(entradas.tabela().add().ok());
        }
        // Exits: an inactive customer by CNPJ (no name), the same by its code (found), a code in the
        // CNPJ field.
        ArquivoErros saidas(Movimento::Saida);
        EXPECT_TRUE(saidas.Cria().ok()) << saidas.erro();
        for (int i = 0; i < 3; ++i) {
            auto& r = saidas.tabela().rec<SaidaVorelRec>();
            saidas.tabela().clear_record();
            r.CNPJ = i == 2 ? "1" : "22222222000191";
            r.CodigoForCli = i == 1 ? 2 : 0;
            r.DataSaida = date::make(2016, 3, 20 + i);
            r.Serie = "2";
            r.Numero = static_cast<std::uint32_t>(i == 1 ? 1234567 : 20 + i);
            r.CFO = 5102;
            r.CFOComplementar = "01";
            r.CodMercadoria = Decimal(300);
            r.Quantidade = Decimal(2);
            r.BaseCalculo = Decimal(100);
            r.ICMS = Decimal(18);
            EXPECT_TRUE(saidas.tabela().add().ok());
        }
        (void)entradas.tabela().close();
        (void)saidas.tabela().close();
        return report::to_text(DocumentoRelErrosItens(Movimento::Entrada, entradas.nome())) +
               report::to_text(DocumentoRelErrosItens(Movimento::Saida, saidas.nome()));
    });
    EXPECT_TRUE(matches_reference(paginas, "rel_erros_itens.txt"));
}

TEST_F(AuditReports, InvalidRegistrationsByNameWithAndWithoutTheirInvoices) {
    SeedRegistrations();
    SeedInvoices();
    const std::string paginas = OnThread([] {
        return report::to_text(DocumentoRelErroForCli(1, false)) + report::to_text(DocumentoRelErroForCli(1, true));
    });
    EXPECT_TRUE(matches_reference(paginas, "rel_erro_forcli.txt"));
    // The text form by invoice on 14-line pages: a section title near a page's end starts the
    // next page after framed blank lines; the last page holds the header and the closing footer.
    const Strings linhas = OnThread([] { return LinhasRelErroForCliM(1, true, Codigos(14)); });
    EXPECT_TRUE(matches_reference(Utf8Lines(linhas), "rel_erro_forcli_nfm.txt"));
}

TEST_F(AuditReports, TextPagesHoldSixHeaderLinesAndFiftyEightDetails) {
    auto clientes = [&](int de, int n) {
        Seed<ForCliRec>(dictionary::ForCli(), n, [de](ForCliRec& r, int i) {
            r.Codigo = static_cast<std::uint32_t>(100 + de + i);
            r.Nome = "CLIENTE " + text::zero_fill(de + i, 2);
            r.InscricaoEstadual = "1";
            r.Estado = "SP";
        });
    };
    // ALFA, BETA and 56 others fill the page exactly: the closing sends a page of its own footer.
    clientes(0, 56);
    const Strings cheia = OnThread([] { return LinhasRelErroForCliM(1, false, Codigos(66)); });
    ASSERT_EQ(cheia.size(), 67u + 3u);
    EXPECT_EQ(cheia[64], std::string(136, '='));
    EXPECT_EQ(Strings(cheia.begin() + 67, cheia.end()), (Strings{std::string(136, '='), "", "\f"}));
    // One more: 59 invalid registrations.
    clientes(56, 1);
    const Strings l = OnThread([] { return LinhasRelErroForCliM(1, false, Codigos(66)); });
    ASSERT_EQ(l.size(), 67u + 7u + 3u);  // page 1, page 2 (header and one detail), the closing footer
    EXPECT_EQ(l[0], "{17}" + std::string(136, '-'));
    EXPECT_EQ(l[6].substr(0, 18), "|      1   ALFA   ");
    EXPECT_EQ(l[7].substr(0, 18), "|      2   BETA   ");  // inactive, tested too
    EXPECT_EQ(l[63].substr(0, 30), "|    155   CLIENTE 55         ");
    EXPECT_EQ(l[64], std::string(136, '='));
    EXPECT_EQ(l[66], "\f");
    EXPECT_EQ(l[67], "{17}" + std::string(136, '-'));  // the 59th starts page 2
    EXPECT_NE(l[69].find(text::from_utf8("Página:     2")), std::string::npos);
    EXPECT_EQ(l[73].substr(0, 30), "|    156   CLIENTE 56         ");
    for (const std::string& linha : l)
        if (linha.size() > 4 && linha[0] == '|' && linha.find("{10}") == std::string::npos) {
            EXPECT_EQ(linha.size(), 136u) << text::to_utf8(linha);
        }
}

TEST_F(AuditReports, TheTextReportGoesToThePrintersPortInPrintingModeTwo) {
    SeedRegistrations();
    const std::filesystem::path porta = dir / "porta.prn";
    std::ofstream{porta};  // the port: a device that takes the bytes
    shell::ModoImpressao.Set(shell::kModoDos);
    shell::CodigosImpressora.Set(Codigos(66, porta.string()));
    ui->Start("JanErroForCli");
    const int w = ui->WindowByCaption("Erros Clientes/Fornecedores");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Press(ui->ByText(w, "&Imprimir"));
    ui->WaitUntil([&] { return std::filesystem::file_size(porta) > 0; }, "the file at the printer's port");
    std::string esperado;
    for (const std::string& l : OnThread([] { return LinhasRelErroForCliM(1, false, Codigos(66)); }))
        esperado += shell::LinhaTexto(l, 0, false) + "\r\n";
    EXPECT_EQ(ReadFile(porta), esperado);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "Temp")) << "the run's own file is deleted";
    ui->Press(ui->ByText(w, "&Cancelar"));
    shell::ModoImpressao.Set(shell::kModoWindows);
}

TEST_F(AuditReports, EveryPageReportIsEmailedToTheAddressOfItsWindow) {
    int argc = 1;  // the previewer and the PDF need a Qt application
    char nome[] = "movements_tests";
    char* argv[] = {nome, nullptr};
    std::optional<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);
    SeedRegistrations();
    SeedInvoices();
    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& r, int) { r.DataEmissao = date::make(2016, 3, 1); });
    Seed<SaidaVorelRec>(dictionary::SaidaVorel(), 1, [](SaidaVorelRec& r, int) { r.DataSaida = date::make(2016, 3, 1); });
    report::testing::SmtpSink sink;
    std::filesystem::create_directories(dir / "settings");
    std::ofstream(dir / "settings" / "Vorel.ini") << "[Email]\r\nServer=127.0.0.1\r\nPort=" << sink.port()
                                                  << "\r\nSender=escritorio@example.com\r\nTLS=0\r\n";
    shell::ModoImpressao.Set(shell::kModoWindows);
    shell::DataHoje.Set(date::make(2016, 4, 2));

    auto previewAndClose = [&](const std::string& relatorio) {
        const std::string caption = "Visualização - " + relatorio;
        ui->WaitUntil([&] { return ui->HasWindow(caption); }, "the preview of " + relatorio);
        ui->Press(ui->ByText(ui->WindowByCaption(caption), "&Fechar"));
        EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;  // sent, whatever the previewer's answer
    };
    for (const char* janela : {"JanErroForCli", "JanErroNotaForCli"}) {
        ui->Start(janela);
        const int w = ui->TopWindow();
        ui->Check(ui->ByText(w, "Enviar e-mail"), true);
        EXPECT_FALSE(ui->Hidden(ui->ByPrompt(w, "E-mail:")));
        EXPECT_EQ(ui->Value(ui->ByPrompt(w, "E-mail:")), "contabil@example.com");
        ui->Press(ui->ByText(w, "&Imprimir"));
        previewAndClose(std::string(janela) == "JanErroForCli" ? "RelErroForCli" : "RelErroForCliNF");
        ui->Press(ui->ByText(w, "&Cancelar"));
    }
    // The audit's reports go out with the e-mail fields the last options window left.
    ui->Start("Auditoria");
    const int a = ui->WindowByCaption("Auditoria de Lançamentos");
    ui->Press(ui->ByText(a, "Verifica Entradas"));
    ui->Press(ui->ByText(a, "Imprime nas Notas de Entradas"));
    previewAndClose("Rel_Erros_Entradas");
    ui->Press(ui->ByText(a, "Verifica Saidas"));
    ui->Press(ui->ByText(a, "Imprime nas Notas de Saídas"));
    previewAndClose("Rel_Erros_Saidas");

    ASSERT_TRUE(sink.wait_for(4, std::chrono::seconds(20)));
    Strings anexos;
    for (const auto& m : sink.messages()) {
        EXPECT_EQ(m.recipients, Strings{"contabil@example.com"});
        for (const char* zip : {"ErrosClientesFornecedores.zip", "ErrosClientesFornecedoresNF.zip", "RelatorioEntradas.zip",
                                "RelatorioSaidas.zip"})
            if (!report::testing::attachment_of(m.data, zip).empty()) anexos.push_back(zip);
    }
    EXPECT_EQ(anexos, (Strings{"ErrosClientesFornecedores.zip", "ErrosClientesFornecedoresNF.zip", "RelatorioEntradas.zip",
                               "RelatorioSaidas.zip"}));
    EXPECT_EQ(report::testing::header_of(sink.messages().at(0).data, "Subject"), "Erros Clientes/Fornecedores - 02/04/2016");
}

}  // namespace
}  // namespace vorel::movements::testing
