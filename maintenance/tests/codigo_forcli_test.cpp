// The customer and supplier codes of a year's movements filled from the register by document.
#include <gtest/gtest.h>

#include "reparo_fixture.h"
#include "vorel/maintenance/codigo_forcli.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::ForCliRec;
using dictionary::SaidaVorelRec;

class CodigoForCliTest : public ReparoFixture {
protected:
    // The register: CNPJ 11222333000181 (10); CNPJ 44555666000199 inactive only (11); the CPF
    // 12345678901 also written as a CNPJ with three leading zeros (20) and as a CPF (23); the number
    // 98765432100 as an inactive CNPJ (21) and an active CPF (22); the CNPJ of zeros (30); the code 123
    // as a CNPJ (40).
    void Cadastro() {
        struct F {
            std::uint32_t codigo;
            const char *cgc, *cpf;
            std::uint8_t inativo;
        };
        static const F fs[] = {{10, "11222333000181", "", 0},  {11, "44555666000199", "", 1},
                               {20, "00012345678901", "", 0},  {23, "", "12345678901", 0},
                               {21, "00098765432100", "", 1},  {22, "", "98765432100", 0},
                               {30, "00000000000000", "", 0},  {40, "00000000000123", "", 0}};
        Grava<ForCliRec>(dictionary::ForCli(), std::size(fs), [](ForCliRec& r, int i) {
            r.Codigo = fs[i].codigo;
            r.CGC = fs[i].cgc;
            r.CPF = fs[i].cpf;
            r.Inativo = fs[i].inativo;
        });
    }
};

// One exit per case, all of the year, each with the code 99 before the run.
TEST_F(CodigoForCliTest, EachDocumentFindsTheActiveRecordByCnpjThenByCpf) {
    Cadastro();
    struct Caso {
        const char* documento;
        std::uint32_t codigo;  // after the run
        const char* porque;
    };
    const Caso casos[] = {
        {"11222333000181", 10, "a CNPJ finds its active record"},
        {"44555666000199", 99, "an inactive record is not found; no CPF of 14 digits: the code stays"},
        {"12345678901", 20, "a CPF is first looked up as 000 + CPF among the CNPJs"},
        {"98765432100", 22, "000 + CPF only inactive: then the CPF's active record"},
        {"0", 99, "\"0\" is not looked up"},
        {"", 99, "blank is not looked up"},
        {"123", 40, "a short code is looked up as the number it is, zero-filled"},
        {"55555555000155", 99, "no record: the code stays"},
    };
    Grava<SaidaVorelRec>(dictionary::SaidaVorel(), std::size(casos), [&](SaidaVorelRec& s, int i) {
        s.DataSaida = Dia(2016, 1 + i, 10);
        s.Numero = static_cast<std::uint32_t>(i + 1);
        s.CNPJ = casos[i].documento;
        s.CodigoForCli = 99;
    });
    // An entry of the year stays: the exits' run does not touch the entries.
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& e, int) {
        e.DataEmissao = Dia(2016, 3, 1);
        e.Cnpj = "11222333000181";
    });

    ResultadoReparo r = NaThread([&] { return AjustaCodigosForCli(MovimentosForCli::Saidas, periodo); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.lidos, static_cast<long long>(std::size(casos))) << "every movement is read and counted";
    const auto saidas = Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_DATA);
    ASSERT_EQ(saidas.size(), std::size(casos));
    for (std::size_t i = 0; i < saidas.size(); ++i)
        EXPECT_EQ(saidas[i].CodigoForCli, casos[i].codigo) << casos[i].documento << ": " << casos[i].porque;
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA)[0].CodigoForCli, 0u);

    // The entries' twin fills the entry.
    r = NaThread([&] { return AjustaCodigosForCli(MovimentosForCli::Entradas, periodo); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA)[0].CodigoForCli, 10u);
}

// 2,500 exits commit after the 1001st, the 2002nd and at the end; a run stopped at the 1500th
// keeps the first batch of 1001 and leaves the rest as it was.
TEST_F(CodigoForCliTest, CommitsEvery1001MovementsAndAStopKeepsOnlyWholeBatches) {
    Cadastro();
    Grava<SaidaVorelRec>(dictionary::SaidaVorel(), 2500, [](SaidaVorelRec& s, int i) {
        s.DataSaida = Dia(2016, 1 + i % 12, 1 + i % 28);
        s.Numero = static_cast<std::uint32_t>(i + 1);
        s.CNPJ = "11222333000181";
    });
    auto ajustadas = [&] {
        long long n = 0;
        for (const auto& s : Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_DATA)) n += s.CodigoForCli == 10;
        return n;
    };

    ResultadoReparo r = NaThread([&] {
        return AjustaCodigosForCli(MovimentosForCli::Saidas, periodo, [](long long lidos, long long) { return lidos < 1500; });
    });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(r.confirmados, (std::vector<long long>{1001}));
    EXPECT_EQ(r.lidos, 1001);
    EXPECT_NE(r.erro.find("Os 1001 primeiros registros lidos ficaram ajustados"), std::string::npos) << r.erro;
    EXPECT_EQ(ajustadas(), 1001);

    r = NaThread([&] { return AjustaCodigosForCli(MovimentosForCli::Saidas, periodo); });
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.confirmados, (std::vector<long long>{1001, 2002, 2500}));
    EXPECT_EQ(r.alterados, 2500 - 1001);
    EXPECT_EQ(ajustadas(), 2500);
}

TEST(DocumentoLido, IsTheNumberOfTheLeadingDigits) {
    EXPECT_EQ(DocumentoLido("00012345678901"), "12345678901");
    EXPECT_EQ(DocumentoLido("  123  "), "123");
    EXPECT_EQ(DocumentoLido("00"), "0");
    EXPECT_EQ(DocumentoLido("0"), std::nullopt);
    EXPECT_EQ(DocumentoLido("   "), std::nullopt);
}

// The window asks first, "&Não" preselected; "&Não" changes nothing, "&Sim" runs and says so.
TEST_F(CodigoForCliTest, TheWindowAsksBeforeItWrites) {
    Cadastro();
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& e, int) {
        e.DataEmissao = Dia(2016, 3, 1);
        e.Cnpj = "11222333000181";
    });
    StartUser();
    ui->Start("AjustaCodForCli_Ent");
    const int w = ui->WindowByCaption("Ajusta Código Cliente - Entrada");
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().buttons[static_cast<std::size_t>(ui->PendingMessageBox().defaultButton - 1)], "&Não");
    ui->Answer("&Não");
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA)[0].CodigoForCli, 0u);

    ui->Press(ui->ByText(w, "&Ajustar"));
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Ajuste efetuado com sucesso!");
    EXPECT_EQ(ui->PendingMessageBox().title, "Concluído!");
    ui->Answer(1);
    EXPECT_EQ(ui->Text(ui->Control(w, 2)), "            1");
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA)[0].CodigoForCli, 10u);
    ui->Press(ui->ByText(w, "&Fechar"));
    EXPECT_FALSE(ui->HasWindow("Ajusta Código Cliente - Entrada"));
}

}  // namespace
}  // namespace vorel::maintenance::testing
