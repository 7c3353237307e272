// The computation's option windows through the headless driver: "PlanilhaProdutos" switching
// between the sheet and the confrontation and handing the run over by name, "RecalcLancamentos"
// rewriting a typed period's items and listing them, "PlanilhaFinal" showing the supplier choice
// only for the sheet by supplier, "ExpExcelPlanilhaFinalFornecedor" writing the `;` file where its
// folder and name say, a run cancelled from its progress window writing nothing, and the sheets
// e-mailed to a loopback SMTP sink.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>

#include "calculo_window_fixture.h"
#include "smtp_sink.h"
#include "vorel/core/settings_file.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/ui/progress_window.h"

namespace vorel::computation::testing {
namespace {

using Strings = std::vector<std::string>;

std::string LeArquivo(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class OptionWindows : public CalculoWindowFixture {
protected:
    void ProdutoComApelido(int codigo, const char* apelido, const char* nome) {
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [&](auto& r) {
            r.Codigo = codigo;
            r.Apelido = apelido;
            r.Produtos = nome;
            r.Alicota = D("18");
        });
    }
    // Answers every message box until none is left; returns their texts.
    Strings Responde() {
        Strings textos;
        while (ui->HasMessageBox()) {
            textos.push_back(ui->PendingMessageBox().text);
            ui->Answer(1);
        }
        return textos;
    }
};

// What the sheet was handed by the run of "PlanilhaProdutos".
struct Entregue {
    int chamadas = 0;
    int resumo = -1;
    long long linhas = -1;
};
Entregue entregue;

TEST_F(OptionWindows, PlanilhaProdutosSwitchesReportsAndHandsTheSheetOver) {
    Cfo(5102, kConsumidorFinal);
    ProdutoComApelido(1, "CAFE", "Cafe torrado");
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "10", .unit = "1", .base = "10"});
    Saida(1, Dia(2016, 3, 10), 15, 5102, "2");
    entregue = {};
    ui::ProcedureRegistry::Add("PlanilhaMensalProdutos", [](ui::ProcContext&) {
        const shell::TrabalhoEntregue* t = shell::TrabalhoEmEntrega();
        ++entregue.chamadas;
        if (!t) return;
        entregue.resumo = t->resumo;
        data::FileManager esa(dictionary::EntradaSaidaVorel());
        if (esa.open_path(t->arquivo).ok()) {
            entregue.linhas = esa.records();
            (void)esa.close();
        }
    });

    ui->Start("PlanilhaProdutos");
    const int w = ui->WindowByCaption("Planilha Mensal de Produtos");
    const auto relatorio = ui->Control(w, 1);
    const auto negativos = ui->ByText(w, " Imprimir somente produtos com Quantidade Negativa");
    const auto resumo = ui->ByText(w, " Imprime Resumo");
    const auto todos = ui->ByText(w, " Imprimir todos os Produtos");
    const auto produto = ui->ByPrompt(w, "Código do Produto:");

    // The confrontation takes every product and hides what only the sheet uses; back on the
    // sheet, "all products" stays set.
    ui->PickItem(relatorio, "1-Relatório de Confronto");
    EXPECT_TRUE(ui->Hidden(negativos));
    EXPECT_TRUE(ui->Hidden(resumo));
    EXPECT_EQ(ui->Value(todos), "1");
    EXPECT_TRUE(ui->Hidden(produto));
    ui->PickItem(relatorio, "0-Planilha Mensal");
    EXPECT_FALSE(ui->Hidden(negativos));
    EXPECT_FALSE(ui->Hidden(resumo));
    EXPECT_EQ(ui->Value(todos), "1");

    // One product, typed by its nickname; the summary by supplier.
    ui->Check(todos, false);
    ASSERT_FALSE(ui->Hidden(produto));
    ui->Type(produto, "CAFE");
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(text::clip(ui->Value(produto)), "1");
    ui->Check(ui->ByText(w, "Fornecedores"), true);
    ui->Press(ui->ByText(w, "&Imprimir"));
    EXPECT_EQ(Responde(), Strings{});
    EXPECT_EQ(entregue.chamadas, 1);
    EXPECT_EQ(entregue.resumo, 2);
    EXPECT_EQ(entregue.linhas, 2);  // the opening row and the exit
    EXPECT_TRUE(ui->HasWindow("Planilha Mensal de Produtos"));  // it stays open for another run
    ui->Press(ui->ByText(w, "&Cancelar"));
    ui->WaitUntil([&] { return !ui->HasWindow("Planilha Mensal de Produtos"); }, "the window to close");
}

TEST_F(OptionWindows, RecalcLancamentosRewritesTheTypedPeriodAndListsTheItems) {
    ProdutoComApelido(1, "CAFE", "Cafe torrado");
    Grava<dictionary::TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), [&](auto& r) {
        r.CODPRODUTO = 1;
        r.COMPETENCIA = Dia(2016, 1, 1);
        r.VALOR = D("2");
    });
    Grava<dictionary::TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), [&](auto& r) {
        r.CODPRODUTO = 1;
        r.COMPETENCIA = Dia(2016, 1, 15);
        r.VALOR = D("2.5");
    });
    Entrada({.produto = 1, .data = Dia(2016, 1, 14), .numero = 10, .cfo = 1403, .qtd = "10", .base = "1"});
    Entrada({.produto = 1, .data = Dia(2016, 1, 15), .numero = 11, .cfo = 1403, .qtd = "10", .base = "1"});

    ui->Start("RecalcLancamentos");
    const int w = ui->WindowByCaption("Recalculando Lançamentos");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Inicial")), "01/03/2016");  // the working month
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Data Final")), "31/03/2016");
    ui->Press(ui->ByText(w, "&Calcula"));
    EXPECT_EQ(Responde(), Strings{"Atenção!!! O código do produto é indispensável para a opção selecionanda!!!"});

    ui->Type(ui->ByPrompt(w, "Código do Produto"), "1");
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(ui->Text(ui->Control(w, 7)), "Cafe torrado");
    ui->Type(ui->ByPrompt(w, "Data Inicial"), "01/01/2016");
    ui->Type(ui->ByPrompt(w, "Data Final"), "31/01/2016");
    ui->Press(ui->ByText(w, "&Calcula"));
    EXPECT_EQ(Responde(), Strings{});
    const auto linhas = ui->Rows(ui->Control(w, 15));
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0][0], "14/01/2016");
    EXPECT_EQ(text::clip(linhas[0][5]), "20,00");
    EXPECT_EQ(linhas[1][0], "15/01/2016");
    EXPECT_EQ(text::clip(linhas[1][5]), "25,00");
    std::vector<std::string> itens;
    for (const auto& e : Le<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA))
        itens.push_back(e.BaseICMS.to_string() + " " + e.ValorICMS.to_string());
    EXPECT_EQ(itens, (Strings{"20.00 3.60", "25.00 4.50"}));

    ui->Check(ui->ByText(w, "Todo os Produtos"), true);
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Código do Produto")));
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitUntil([&] { return !ui->HasWindow("Recalculando Lançamentos"); }, "the window to close");
}

TEST_F(OptionWindows, ExportWritesTheFileWhereFolderAndNameSay) {
    Fornecedor(1, "11111111000100", "Alfa");
    Compra(1, Dia(2016, 1, 2), "11111111000100");
    Balanco(1, "10", {.cf = "0", .cu = "1000"});
    const std::string caption = "Exporta Excel Planilha Final de Produtos";

    ui->Start("ExpExcelPlanilhaFinalFornecedor");
    int w = ui->WindowByCaption(caption);
    EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Fornecedor")));
    EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Arquivo Excel"))), "PlFinal032016.csv");
    EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Caminho Arquivo Excel"))), root + "Excel\\");
    ui->Press(ui->ByText(w, "&Exportar"));
    EXPECT_EQ(Responde(), Strings{"Arquivo Gerado com Sucesso"});
    const fs::path padrao = dir / "Excel" / "PlFinal032016.csv";
    const std::string primeiro = LeArquivo(padrao);
    EXPECT_NE(primeiro.find("1 - Alfa;10,00;"), std::string::npos);
    settings::SettingsFile ini("Gerar_Excel.ini");
    EXPECT_EQ(ini.read_text("Excel", "Nome_Rel", ""), "PlFinal032016.csv");

    // A second run replaces the file.
    { std::ofstream(padrao, std::ios::binary) << "old contents and more than the new file holds"; }
    ui->Press(ui->ByText(w, "&Exportar"));
    EXPECT_EQ(Responde(), Strings{"Arquivo Gerado com Sucesso"});
    EXPECT_EQ(LeArquivo(padrao), primeiro);

    // A folder typed without its closing separator is glued to the name.
    ui->Type(ui->ByPrompt(w, "Caminho Arquivo Excel"), root + "Saida");
    ui->Press(ui->ByText(w, "&Exportar"));
    EXPECT_EQ(Responde(), Strings{"Arquivo Gerado com Sucesso"});
    EXPECT_EQ(LeArquivo(dir / "SaidaPlFinal032016.csv"), primeiro);

    // A file that cannot be written is reported, never announced as made.
    ui->Type(ui->ByPrompt(w, "Caminho Arquivo Excel"), root + "Falta\\");
    ui->Press(ui->ByText(w, "&Exportar"));
    const Strings falha = Responde();
    ASSERT_EQ(falha.size(), 1u);
    EXPECT_EQ(falha[0].rfind("O arquivo " + root + "Falta\\PlFinal032016.csv não foi gerado", 0), 0u) << falha[0];
    ui->Press(ui->ByText(w, "&Cancelar"));
    EXPECT_TRUE(fs::is_empty(dir / "Temp")) << "every run's own ResumoFinal file is deleted";
}

// "&Calcular" runs the month under the progress window while other windows keep working; its cancel
// button stops the run in the valuation and nothing of it reaches the month's records.
TEST_F(OptionWindows, CalculoCancelledFromItsProgressWindowWritesNothing) {
    constexpr int kProdutos = 1000;  // the rest of the run outlasts the press by far
    Cfo(5102, kConsumidorFinal);
    ProdutosComSaidas(kProdutos);
    const auto antes = Saldos();

    const int thread = ui->Start("CalculoMensal");
    ui->AllowBusy(thread);
    ui->Press(ui->ByText(ui->WindowByCaption("Cálculo Mensal de Produtos"), "&Calcular"));
    // Another window works while the run goes on.
    ui->Start("PlanilhaFinal");
    const int outra = ui->WindowByCaption("Planilha Final de Produtos");
    ui->Check(ui->ByText(outra, "Filtrar por Fornecedor"), true);
    EXPECT_FALSE(ui->Hidden(ui->ByPrompt(outra, "Fornecedor")));
    ui->Press(ui->ByText(outra, "&Cancelar"));
    ui->WaitUntil([&] { return !ui->HasWindow("Planilha Final de Produtos"); }, "the other window to close");
    ASSERT_FALSE(rt->Finished(thread).has_value()) << "the run ended before the other window was used";
    // The progress text counts the records read: the previous month's balances (one a product),
    // then the exits, each product valued and its month record written once its exits are read;
    // 200 exits on, some ten products have been.
    ui->WaitUntil([&] {
        for (int id : ui->Windows()) {
            const auto* texto = ui->Mirror(id).Find(ui::ProgressWindow::kText);
            if (!texto || !ui->Mirror(id).Find(ui::ProgressWindow::kCancel)) continue;
            if (std::atoi(texto->text.c_str()) > kProdutos + 200) return true;
        }
        return false;
    }, "the valuation to be under way");
    ui->Press(ui->ByText(ui->TopWindow(), "&Cancela"));
    ui->WaitUntil([&] { return rt->Finished(thread).has_value(); }, "the run to stop");
    EXPECT_EQ(Responde(), Strings{});
    const auto depois = Saldos();
    ASSERT_EQ(depois.size(), antes.size());
    for (std::size_t i = 0; i < antes.size(); ++i) {
        EXPECT_EQ(date::month(depois[i].Competencia), 2);
        EXPECT_EQ(depois[i].BaseAcunulada.value(), D("2000"));
    }
}

// With "Enviar e-mail" the sheet by rate, the annual sheet and the confrontation go to the address
// of their windows, whether or not the user prints; each preview keeps the viewer settings in the
// current folder (portrait for the sheet by rate, landscape for the other two).
TEST_F(OptionWindows, SheetsAreEmailed) {
    int argc = 1;  // the previewer and the PDF need a Qt application
    char nome[] = "computation_tests";
    char* argv[] = {nome, nullptr};
    std::optional<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) app.emplace(argc, argv);
    report::testing::SmtpSink sink;
    fs::create_directories(dir / "settings");
    std::ofstream(dir / "settings" / "Vorel.ini") << "[Email]\r\nServer=127.0.0.1\r\nPort=" << sink.port()
                                                  << "\r\nSender=escritorio@example.com\r\nTLS=0\r\n";
    shell::DataHoje.Set(Dia(2016, 4, 2));
    const fs::path pastaAntes = fs::current_path();
    fs::current_path(dir);
    auto deitado = [&] {
        const std::string ini = LeArquivo(dir / "RVIEWER.INI");
        fs::remove(dir / "RVIEWER.INI");
        return ini.find("Landscape=YES") != std::string::npos ? "YES" : ini.empty() ? "none" : "NO";
    };
    Balanco(1, "18", {.cf = "100", .cu = "150"});
    Cfo(6102, 5);
    Cfo(1403, 1);
    Produto(2, "12");
    Entrada({.produto = 2, .data = Dia(2016, 3, 1), .numero = 41, .cfo = 1403, .qtd = "5", .propria = "50"});
    Saida(2, Dia(2016, 3, 12), 7, 6102, "2");

    auto envia = [&](const char* janela, const std::string& caption, const std::string& relatorio,
                     const std::function<void(int)>& escolhe) {
        ui->Start(janela);
        const int w = ui->WindowByCaption(caption);
        escolhe(w);
        ui->Check(ui->ByText(w, "Enviar e-mail"), true);
        ui->Type(ui->ByPrompt(w, "E-mail:"), "contabil@example.com");
        ui->Press(ui->ByText(w, "&Imprimir"));
        const std::string previa = "Visualização - " + relatorio;
        ui->WaitUntil([&] { return ui->HasWindow(previa) || ui->HasMessageBox(); }, "the preview of " + relatorio);
        ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
        ui->Press(ui->ByText(ui->WindowByCaption(previa), "&Fechar"));
        EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;  // sent, without printing
        ui->Press(ui->ByText(w, "&Cancelar"));
    };
    envia("PlanilhaFinal", "Planilha Final de Produtos", "PlanilhaFinalProdutos", [&](int w) {
        // The model and the supplier only for the sheet by supplier.
        const auto filtro = ui->ByText(w, "Filtrar por Fornecedor");
        EXPECT_TRUE(ui->Hidden(ui->ByPrompt(w, "Fornecedor")));
        ui->Check(filtro, true);
        EXPECT_FALSE(ui->Hidden(ui->ByPrompt(w, "Fornecedor")));
        EXPECT_FALSE(ui->Hidden(ui->Control(w, 2)));
        ui->Check(filtro, false);
        EXPECT_TRUE(ui->Hidden(ui->Control(w, 2)));
    });
    EXPECT_STREQ(deitado(), "NO");
    envia("PlanilhaAnual", "Planilha Anual", "PlanilhaAnualProdutos", [](int) {});
    EXPECT_STREQ(deitado(), "YES");
    envia("PlanilhaProdutos", "Planilha Mensal de Produtos", "RelConfSaidaEnt",
          [&](int w) { ui->PickItem(ui->Control(w, 1), "1-Relatório de Confronto"); });
    EXPECT_STREQ(deitado(), "YES");
    fs::current_path(pastaAntes);

    ASSERT_TRUE(sink.wait_for(3, std::chrono::seconds(20)));
    Strings anexos;
    for (const auto& m : sink.messages()) {
        EXPECT_EQ(m.recipients, Strings{"contabil@example.com"});
        for (const char* zip : {"PlanilhaFinalProdutos.zip", "PlanilhaAnual.zip", "RelatorioEntradas.zip"})
            if (!report::testing::attachment_of(m.data, zip).empty()) anexos.push_back(zip);
    }
    std::sort(anexos.begin(), anexos.end());
    EXPECT_EQ(anexos, (Strings{"PlanilhaAnual.zip", "PlanilhaFinalProdutos.zip", "RelatorioEntradas.zip"}));
    Strings assuntos;
    for (const auto& m : sink.messages()) assuntos.push_back(report::testing::header_of(m.data, "Subject"));
    std::sort(assuntos.begin(), assuntos.end());  // the mailer sends on threads of its own
    EXPECT_EQ(assuntos, (Strings{"Planilha Anual - 02/04/2016", "Planilha Final de Produtos - 02/04/2016",
                                 "Planilha Mensal de Produtos - 02/04/2016"}));
    shell::DataHoje.Set(0);
}

}  // namespace
}  // namespace vorel::computation::testing
