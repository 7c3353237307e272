// The exits listing: the page report and the text form against reference texts (a CNPJ through its
// pattern, a code kept in the CNPJ field in five positions, the register code over the CNPJ, an
// inactive customer named only through its register code, the month's bounds), the customer
// filter, 29 items a page at 66 lines, and an empty month: no page and Response 2, an empty file.
#include "legibilidade.h"
#include "movimentos_fixture.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings::testing {
namespace {

using vorel::testing::TextosIlegiveis;

struct Saida {
    int mes, dia;
    std::uint32_t numero;
    const char* cnpj;
    std::uint32_t codigoForCli;
    int produto;
};

struct Saidas : MovimentosFixture {
    void Sai(const std::vector<Saida>& saidas) {
        Seed<dictionary::SaidaVorelRec>(dictionary::SaidaVorel(), static_cast<int>(saidas.size()),
                                        [&saidas](dictionary::SaidaVorelRec& r, int i) {
                                            const Saida& s = saidas[static_cast<std::size_t>(i)];
                                            r.DataSaida = date::make(2016, s.mes, s.dia);
                                            r.Numero = s.numero;
                                            r.Serie = "1";
                                            r.CNPJ = s.cnpj;
                                            r.CodigoForCli = s.codigoForCli;
                                            r.CodMercadoria = Decimal(s.produto);
                                            r.CFO = 5405;
                                            r.CFOComplementar = "3";
                                            r.Quantidade = Decimal::from_string("1234.5");
                                            r.BaseCalculo = Decimal::from_string("1000");
                                            r.ICMS = Decimal::from_string("180");
                                        });
    }

    void SaiMes() {
        Sai({
            {3, 1, 1, "11111111000111", 0, 100},  // a CNPJ
            {3, 2, 2, "123", 0, 200},             // a code kept in the field
            {3, 3, 3, "22222222000122", 7, 999},  // the register code over the CNPJ; no such product
            {3, 4, 4, "55555555000155", 0, 100},  // an inactive customer by CNPJ: no name
            {3, 5, 5, "60", 0, 100},              // by a code in the field: no name
            {3, 6, 6, "55555555000155", 60, 100}, // by its register code: named
            {3, 7, 7, "12345678901", 0, 100},     // a CPF in the CNPJ field
            {3, 31, 8, "11111111000111", 0, 100}, // the month's last day
            {4, 1, 9, "11111111000111", 0, 100},  // the next month's first
            {2, 29, 10, "11111111000111", 0, 100},
        });
    }

    static report::Document Documento(ParteEscolhida cliente) {
        return OnThread([&] { return DocumentoRelSaidas(Marco(), cliente); });
    }
    static Strings Texto(ParteEscolhida cliente, int linhas = 66) {
        return LinhasCp1252([&](const EscreveLinha& e) { return LinhasRelSaidasM(Marco(), cliente, Codigos(linhas), e); });
    }
    // The invoice numbers of the text form's items, in order (columns 82-87 of each line dated in columns 99-108).
    static std::vector<int> Numeros(const Strings& linhas) {
        std::vector<int> out;
        for (const std::string& l : linhas)
            if (l.size() == 136 && l[0] == '|' && l.substr(104, 4) == "2016")
                out.push_back(std::stoi(l.substr(81, 6)));
        return out;
    }
};

TEST_F(Saidas, PagesAndTextLinesOfTheMonth) {
    SaiMes();
    const report::Document d = Documento({});
    EXPECT_TRUE(matches_reference(report::to_text(d), "rel_saidas.txt"));
    // Every heading whole (the complement's reaches the frame), no two texts of a row over each other.
    EXPECT_THAT(TextosIlegiveis(d, 1500), ::testing::IsEmpty());
    const Strings l = Texto({});
    EXPECT_TRUE(matches_reference(Junta(l), "rel_saidas_m.txt"));
    EXPECT_EQ(l[1], std::string(60, ' ') + text::from_utf8("Número Página....001"));
    EXPECT_EQ(Numeros(l), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
    // Item 1: the CNPJ through its pattern in columns 3-20; item 2: the code in 3-7, blanks to 25;
    // the rate with two decimals in 101-108.
    EXPECT_EQ(Colunas(l[6], 1, 25), "| 11.111.111/0001-11     ");
    EXPECT_EQ(Colunas(l[7], 101, 108), "   18,00");
    EXPECT_EQ(Colunas(l[8], 1, 25), "|   123" + std::string(18, ' '));
    // The inactive customer is named only through its register code (items 4, 5, 6).
    EXPECT_EQ(text::clip(Colunas(l[12], 26, 55)), "");
    EXPECT_EQ(text::clip(Colunas(l[14], 26, 55)), "");
    EXPECT_EQ(text::clip(Colunas(l[16], 26, 55)), "CLIENTE INATIVO");
    for (const std::string& x : l)
        if (!x.empty() && x[0] == '|') {
            EXPECT_EQ(x.size(), 136u) << x;
        }
}

TEST_F(Saidas, TheCustomerFilter) {
    SaiMes();
    struct Caso {
        const char* nome;
        ParteEscolhida cliente;
        std::vector<int> numeros;
    };
    const Caso casos[] = {
        {"a CNPJ", Escolhida(0), {1, 8}},
        // Customer 123: item 3 by its CNPJ; item 2's code kept in the field never equals it.
        {"a code kept in the field", Escolhida(1), {3}},
        // By CPF: its CPF in the CNPJ field, never everyone.
        {"a customer by CPF", Escolhida(4), {7}},
    };
    for (const Caso& c : casos) {
        const Strings l = Texto(c.cliente);
        EXPECT_EQ(Numeros(l), c.numeros) << c.nome;
        // The page holds the header even when no item is the customer's: the first item opens it.
        EXPECT_EQ(l.size(), 6 + 2 * c.numeros.size() + 3) << c.nome;
        const Strings p = Linhas(Documento(c.cliente));
        EXPECT_EQ(std::count_if(p.begin(), p.end(), [](const std::string& x) { return x.find("/2016") != std::string::npos; }),
                  static_cast<long>(c.numeros.size()))
            << c.nome;
    }
}

TEST_F(Saidas, TwentyNineItemsAPageOfSixtySixLines) {
    std::vector<Saida> saidas;
    for (std::uint32_t i = 1; i <= 30; ++i) saidas.push_back({3, 15, i, "11111111000111", 0, 100});
    Sai(saidas);
    const Strings l = Texto({});
    ASSERT_EQ(l.size(), 6u + 58u + 3u + 6u + 2u + 3u);
    EXPECT_EQ(l[64], std::string(136, '='));
    EXPECT_EQ(l[65], shell::RodapeRelatorio());
    EXPECT_EQ(l[66], "\f");
    EXPECT_EQ(l[68], std::string(60, ' ') + text::from_utf8("Número Página....002"));
    EXPECT_EQ(l[72], std::string(136, '-'));
    EXPECT_EQ(l[75], std::string(136, '='));
}

TEST_F(Saidas, AnEmptyMonthGivesNoPageAndAnswersCancelledAndAnEmptyFile) {
    SaiMes();
    shell::GLO_MES.Set(5);
    const shell::EmpresaPeriodo maio{1, 2016, 5};
    EXPECT_TRUE(OnThread([&] { return DocumentoRelSaidas(maio, {}); }).pages.empty());
    EXPECT_TRUE(LinhasCp1252([&](const EscreveLinha& e) { return LinhasRelSaidasM(maio, {}, Codigos(66), e); }).empty());
    shell::GLO_EMAIL_ENVIAR.Set(1);
    ui::ProcedureRegistry::Add("T_RelSaidas", [maio](ui::ProcContext& c) { RelSaidas(c, maio, {}); });
    const int t = ui->Start("T_RelSaidas");
    ui->WaitUntil([&] { return rt->Finished(t).has_value(); }, "the report to end");
    EXPECT_EQ(*rt->Finished(t), ui::Response::Cancelled);
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_TRUE(ui->Captions().empty()) << "no preview";
    shell::GLO_EMAIL_ENVIAR.Set(0);
}

TEST_F(Saidas, TheWindowFiltersWhileItsBoxIsTickedAndListsTheCustomerEachTime) {
    SaiMes();
    shell::GLO_CODIMPRESSORA.Set(1);
    shell::CodigosImpressora.Set(Codigos(66));
    shell::ModoImpressao.Set(shell::kModoDos);
    shell::DataHoje.Set(date::make(2016, 4, 2));
    ui->Start("RelatorioSaidas");
    const int w = ui->WindowByCaption("Relatório de Saídas");
    EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Assunto:"))), "Relatório de Saídas - 02/04/2016");
    EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Texto:"))),
              "Relatório de Saídas - Empresa: 00001 - COMERCIO MODELO LTDA - Período: 03/2016.");
    EXPECT_TRUE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Check(ui->ByText(w, " Filtrar Cliente/Fornecedor"), true);
    ui->Type(ui->ByPrompt(w, "Código:"), "7");
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(text::clip(ui->Value(ui->ByPrompt(w, "Nome:"))), "FORNECEDOR SETE");
    for (int vez = 1; vez <= 2; ++vez) {
        ui->Press(ui->ByText(w, "    &Imprimir"));
        EXPECT_EQ(Numeros(ArquivoDoVisualizador()), (std::vector<int>{1, 8})) << "print " << vez;
    }
    // The box cleared: every customer, though the code stays in its field.
    ui->Check(ui->ByText(w, " Filtrar Cliente/Fornecedor"), false);
    ui->Press(ui->ByText(w, "    &Imprimir"));
    EXPECT_EQ(Numeros(ArquivoDoVisualizador()).size(), 8u);
    // Back to page reports: the e-mail box shows again when the window gains the focus.
    shell::ModoImpressao.Set(shell::kModoWindows);
    ui->Activate(w);
    ui->WaitIdle();
    EXPECT_FALSE(ui->Hidden(ui->ByText(w, "Enviar e-mail")));
    ui->Press(ui->ByText(w, "    &Imprimir"));
    ClosePreview("RelSaidas");
    ui->Press(ui->ByText(w, "   &Cancelar"));
}

}  // namespace
}  // namespace vorel::listings::testing
