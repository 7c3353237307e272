// The audit window "Auditoria" driven headless: the thirteen tests as a table of cases over one
// March of entries (each case an invoice of its own), every faulty item copied once to the pass's
// list; the exit pass after the entry pass shows only the exits; items outside the month are not
// read; two audits at once keep their own files.
#include "audit_fixture.h"

#include <algorithm>

#include "vorel/core/picture.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/headless.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;
using Strings = std::vector<std::string>;

// Controls of the window.
constexpr int kCont = 5, kLista1 = 6, kTabEntradas = 11, kListaEntradas = 12, kTabSaidas = 14, kListaSaidas = 15;

struct CasoEntrada {
    const char* nome;
    std::function<void(EntradaVorelRec&)> muda;  // from an item that passes every test
    Strings linhas;                               // after "Nota Fiscal de número N" where it starts so
};

EntradaVorelRec EntradaBoa(std::uint32_t numero) {
    EntradaVorelRec r;
    r.Cnpj = "11111111000191";
    r.DataEmissao = date::make(2016, 3, 10);
    r.Numero = numero;
    r.CFO = 1102;
    r.CFOComplementar = 1;
    r.CodMercadoria = Decimal(100);
    r.Aliquota = Decimal(18);
    r.Estado = "SP";
    return r;
}

SaidaVorelRec SaidaBoa(std::uint32_t numero) {
    SaidaVorelRec r;
    r.CNPJ = "11111111000191";
    r.DataSaida = date::make(2016, 3, 12);
    r.Numero = numero;
    r.CFO = 5102;
    r.CFOComplementar = "01";
    r.CodMercadoria = Decimal(100);
    r.Alicota = Decimal(18);
    r.Estado = "SP";
    return r;
}

// "N" in a line stands for the case's invoice number.
const std::vector<CasoEntrada>& Casos() {
    static const std::vector<CasoEntrada> casos = {
        {"passes every test", [](EntradaVorelRec&) {}, {}},
        {"blank CNPJ: test 1, never test 2", [](EntradaVorelRec& r) { r.Cnpj = ""; }, {"N Fornecedor deve ser informado."}},
        {"CPF-length zeros", [](EntradaVorelRec& r) { r.Cnpj = "00000000000"; }, {"N Fornecedor deve ser informado."}},
        {"unregistered CNPJ", [](EntradaVorelRec& r) { r.Cnpj = "99999999000191"; }, {"N Fornecedor não cadastrado."}},
        {"CNPJ of an inactive supplier, no code", [](EntradaVorelRec& r) { r.Cnpj = "22222222000191"; },
         {"N Fornecedor não cadastrado."}},
        {"registered code, CNPJ nobody holds", [](EntradaVorelRec& r) { r.Cnpj = "99999999000191"; r.CodigoForCli = 2; }, {}},
        {"unregistered product: tests 4 and 5 skipped", [](EntradaVorelRec& r) { r.CodMercadoria = Decimal(999); },
         {"N Produto não cadastrado.", "Cadastro Produto 999 Aliquota não cadastrada na Tabela."}},
        {"product by its user's code in plain digits", [](EntradaVorelRec& r) { r.CodMercadoria = Decimal(777); },
         {"Cadastro Produto 777 Aliquota não cadastrada na Tabela."}},
        {"product by its user's code in 20 digits: its own code and rate tested",
         [](EntradaVorelRec& r) { r.CodMercadoria = Decimal(888); },
         {"Cadastro Produto 500 Aliquota está zerada.", "Cadastro Produto 888 Aliquota não cadastrada na Tabela."}},
        {"product without a rate", [](EntradaVorelRec& r) { r.CodMercadoria = Decimal(200); },
         {"Cadastro Produto 200 Aliquota está zerada."}},
        {"product's rate not in its history", [](EntradaVorelRec& r) { r.CodMercadoria = Decimal(300); },
         {"Cadastro Produto 300 Aliquota não cadastrada na Tabela."}},
        {"blank state: test 7 skipped", [](EntradaVorelRec& r) { r.Estado = ""; }, {"N Estado em branco."}},
        {"state in lower case", [](EntradaVorelRec& r) { r.Estado = "sp"; }, {}},
        {"unknown state", [](EntradaVorelRec& r) { r.Estado = "XX"; }, {"N Estado não encontrado na Tabela."}},
        {"item without a rate: test 9 skipped", [](EntradaVorelRec& r) { r.Aliquota = Decimal(0); }, {"N Aliquota está zerada."}},
        {"item's rate not in the history", [](EntradaVorelRec& r) { r.Aliquota = Decimal(12); },
         {"Cadastro Produto 100 Aliquota não cadastrada na Tabela."}},
        {"three-digit code in 2016, registered", [](EntradaVorelRec& r) { r.CFO = 510; },
         {"Nota fiscal no dia 10/03/2016 o CFO selecionado não pode ser utilizado no período em questão!!!"}},
        {"code 0: tests 10 and 11", [](EntradaVorelRec& r) { r.CFO = 0; },
         {"Nota fiscal no dia 10/03/2016 o CFO selecionado não pode ser utilizado no período em questão!!!",
          "N sem Código Fiscal de Operação (CFO)."}},
        {"unregistered code", [](EntradaVorelRec& r) { r.CFO = 1999; }, {"N Código Fiscal de Operação (CFO) não cadastrado."}},
        {"registered code, other complement", [](EntradaVorelRec& r) { r.Complemento = 3; },
         {"N Código Fiscal de Operação (CFO) não cadastrado."}},
        {"complementary code 0 without a row 0", [](EntradaVorelRec& r) { r.CFOComplementar = 0; },
         {"N Código Fiscal de Operação Complementar não cadastrado."}},
        {"unregistered complementary code", [](EntradaVorelRec& r) { r.CFOComplementar = 7; },
         {"N Código Fiscal de Operação Complementar não cadastrado."}},
        {"a fault in each group: seven lines, one copy",
         [](EntradaVorelRec& r) {
             r.Cnpj = "";
             r.CodMercadoria = Decimal(999);
             r.Estado = "";
             r.Aliquota = Decimal(0);
             r.CFO = 0;
             r.CFOComplementar = 7;
         },
         {"N Fornecedor deve ser informado.", "N Produto não cadastrado.", "N Estado em branco.", "N Aliquota está zerada.",
          "Nota fiscal no dia 10/03/2016 o CFO selecionado não pode ser utilizado no período em questão!!!",
          "N sem Código Fiscal de Operação (CFO).", "N Código Fiscal de Operação Complementar não cadastrado."}},
    };
    return casos;
}

std::string Linha(const std::string& l, std::size_t numero) {
    return l.rfind("N ", 0) == 0 ? "Nota Fiscal de número " + std::to_string(numero) + l.substr(1) : l;
}

struct AuditTest : AuditFixture {
    int w = 0;

    void SeedEntradas() {
        const auto& casos = Casos();
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), static_cast<int>(casos.size()), [&](EntradaVorelRec& r, int i) {
            r = EntradaBoa(static_cast<std::uint32_t>(i + 1));
            casos[static_cast<std::size_t>(i)].muda(r);
        });
        // Faulty items of February and April are not read.
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 2, [](EntradaVorelRec& r, int i) {
            r = EntradaBoa(900 + static_cast<std::uint32_t>(i));
            r.DataEmissao = i ? date::make(2016, 4, 1) : date::make(2016, 2, 29);
            r.Cnpj = "";
        });
    }

    Strings Coluna(int feq, int coluna) {
        Strings out;
        for (const auto& row : ui->Rows(ui->Control(w, feq))) out.push_back(row.at(static_cast<std::size_t>(coluna)));
        return out;
    }
    void Abre() {
        ui->Start("Auditoria");
        w = ui->WindowByCaption("Auditoria de Lançamentos");
    }
};

TEST_F(AuditTest, EachFailedTestAddsItsLineAndEachFaultyItemIsCopiedOnce) {
    SeedEntradas();
    Abre();
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Imprime Resultado")));
    EXPECT_TRUE(ui->Hidden(ui->Control(w, kTabEntradas)));
    ui->Press(ui->ByText(w, "Verifica Entradas"));

    // The lines come in the items' order: each case's slice of the list, named on failure.
    const Strings lidas = Coluna(kLista1, 0);
    Strings faltosos;
    std::size_t de = 0;
    for (std::size_t i = 0; i < Casos().size(); ++i) {
        SCOPED_TRACE(Casos()[i].nome);
        Strings esperado;
        for (const std::string& l : Casos()[i].linhas) esperado.push_back(Linha(l, i + 1));
        const std::size_t ate = std::min(lidas.size(), de + esperado.size());
        EXPECT_EQ(Strings(lidas.begin() + static_cast<long>(de), lidas.begin() + static_cast<long>(ate)), esperado);
        de = ate;
        if (!esperado.empty()) faltosos.push_back(picture::format("@n13", static_cast<int>(i + 1)));
    }
    EXPECT_EQ(de, lidas.size()) << "lines beyond the cases'";
    EXPECT_EQ(ui->Text(ui->Control(w, kCont)), std::to_string(Casos().size()));
    EXPECT_TRUE(ui->Enabled(ui->ByText(w, "Imprime Resultado")));

    EXPECT_FALSE(ui->Hidden(ui->Control(w, kTabEntradas)));
    ui->FitRows(ui->Control(w, kListaEntradas), 50);
    EXPECT_EQ(Coluna(kListaEntradas, 2), faltosos);  // one row per faulty item, in invoice order
    // Invoice 7 (its product unregistered): the supplier's name, a blank description.
    EXPECT_EQ(ui->Rows(ui->Control(w, kListaEntradas)).at(4).at(7), "ALFA");
    EXPECT_EQ(ui->Rows(ui->Control(w, kListaEntradas)).at(4).at(5), "");
}

TEST_F(AuditTest, TheExitPassAfterTheEntryPassShowsOnlyTheExits) {
    SeedEntradas();
    struct CasoSaida {
        std::function<void(SaidaVorelRec&)> muda;
        Strings linhas;
    };
    const std::vector<CasoSaida> saidas = {
        {[](SaidaVorelRec&) {}, {}},
        {[](SaidaVorelRec& r) { r.CNPJ = ""; }, {"Nota Fiscal de número 2 Cliente deve ser informado."}},
        {[](SaidaVorelRec& r) { r.CNPJ = "22222222000191"; }, {"Nota Fiscal de número 3 Cliente não cadastrado."}},
        {[](SaidaVorelRec& r) { r.CNPJ = "22222222000191"; r.CodigoForCli = 2; }, {}},
        {[](SaidaVorelRec& r) { r.CFOComplementar = "07"; },
         {"Nota Fiscal de número 5 Código Fiscal de Operação Complementar não cadastrado."}},
        {[](SaidaVorelRec& r) { r.CFOComplementar = "2"; }, {}},
    };
    Seed<SaidaVorelRec>(dictionary::SaidaVorel(), static_cast<int>(saidas.size()), [&](SaidaVorelRec& r, int i) {
        r = SaidaBoa(static_cast<std::uint32_t>(i + 1));
        r.DataSaida = date::make(2016, 3, 10 + i);
        saidas[static_cast<std::size_t>(i)].muda(r);
    });
    Abre();
    ui->Press(ui->ByText(w, "Verifica Entradas"));
    ui->Press(ui->ByText(w, "Verifica Saidas"));
    Strings esperadas;
    for (const CasoSaida& c : saidas) esperadas.insert(esperadas.end(), c.linhas.begin(), c.linhas.end());
    EXPECT_EQ(Coluna(kLista1, 0), esperadas);
    EXPECT_EQ(ui->Text(ui->Control(w, kCont)), "6");
    EXPECT_TRUE(ui->Hidden(ui->Control(w, kTabEntradas)));
    EXPECT_FALSE(ui->Hidden(ui->Control(w, kTabSaidas)));
    EXPECT_EQ(Coluna(kListaSaidas, 2), (Strings{std::string(12, ' ') + "2", std::string(12, ' ') + "3", std::string(12, ' ') + "5"}));
    EXPECT_EQ(Coluna(kListaSaidas, 6).at(1), "22.222.222/0001-91");
    EXPECT_EQ(Coluna(kListaSaidas, 5).at(0), "PARAFUSO");
    // The date locator: the first faulty exit on or after the 13th is invoice 5, dated the 14th.
    ui->Type(ui->ByPrompt(w, "Data Saida:"), "13/03/2016");
    EXPECT_EQ(ui->State(ui->Control(w, kListaSaidas)).selected, 3);

    // In printing mode 2 "Imprime Resultado" only asks the error report to print.
    shell::ModoImpressao.Set(shell::kModoDos);
    ui->Press(ui->ByText(w, "Imprime Resultado"));
    EXPECT_TRUE(shell::ImprimeErros());
    EXPECT_EQ(ui->Windows().size(), 1u);
    shell::ModoImpressao.Set(shell::kModoWindows);
}

TEST_F(AuditTest, AnEmptyMonthLeavesNothingToPrint) {
    Abre();
    ui->Press(ui->ByText(w, "Verifica Entradas"));
    EXPECT_TRUE(ui->Rows(ui->Control(w, kLista1)).empty());
    EXPECT_EQ(ui->Text(ui->Control(w, kCont)), "0");
    EXPECT_FALSE(ui->Enabled(ui->ByText(w, "Imprime Resultado")));
    EXPECT_TRUE(ui->Hidden(ui->Control(w, kTabEntradas)));
}

TEST_F(AuditTest, TwoAuditsAtOnceKeepTheirOwnFaultyItems) {
    SeedEntradas();
    Abre();
    const int primeira = w;
    ui->Press(ui->ByText(primeira, "Verifica Entradas"));
    ui->FitRows(ui->Control(primeira, kListaEntradas), 50);
    const std::size_t antes = ui->Rows(ui->Control(primeira, kListaEntradas)).size();

    Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& r, int) {
        r = EntradaBoa(50);
        r.Estado = "";
    });
    Abre();
    ASSERT_NE(w, primeira);
    ui->Press(ui->ByText(w, "Verifica Entradas"));
    ui->FitRows(ui->Control(w, kListaEntradas), 50);
    EXPECT_EQ(ui->Rows(ui->Control(w, kListaEntradas)).size(), antes + 1);

    // The first window's list reads its own pass's file again: the second pass never touched it.
    ui->FitRows(ui->Control(primeira, kListaEntradas), 40);
    EXPECT_EQ(ui->Rows(ui->Control(primeira, kListaEntradas)).size(), antes);
    // And the item tables' own cursors still read the year's items.
    EXPECT_EQ(Read<EntradaVorelRec>(dictionary::EntradaVorel0(), dictionary::keys::ESPENT_KEY_NUMERO,
                                    [](const EntradaVorelRec& r) { return std::to_string(r.Numero); })
                  .size(),
              Casos().size() + 3);
}

}  // namespace
}  // namespace vorel::movements::testing
