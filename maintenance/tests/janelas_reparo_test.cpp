// The repair windows without options of their own: each asks before it writes ("&Não" preselected
// changes nothing), runs on "&Sim", says so in its own words and closes or stays as it should.
#include <gtest/gtest.h>

#include "reparo_fixture.h"
#include "vorel/dictionary/text_dates.h"

namespace vorel::maintenance::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::MovMaqRegistradoraRec;
using dictionary::SaidaVorelRec;

struct Janela {
    const char* procedimento;
    const char* titulo;
    const char* mensagem;
    const char* tituloMensagem;
    bool fecha;
};
void PrintTo(const Janela& j, std::ostream* os) { *os << j.procedimento; }

class JanelasReparoTest : public ReparoFixture, public ::testing::WithParamInterface<Janela> {
protected:
    // One record that each repair changes: an orphan daily record, an entry of 2015 in the 2016
    // file, a 1403 entry without base, an exit whose CNPJ is registered.
    void SetUp() override {
        ReparoFixture::SetUp();
        Grava<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), 1, [](MovMaqRegistradoraRec& d, int) {
            d.DataEmissao = dictionary::DataComoTexto(Dia(2016, 3, 10));
            d.Codigo = 1;
            d.Aliquota = "18";
        });
        Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 2, [](EntradaVorelRec& e, int i) {
            e.DataEmissao = i == 0 ? Dia(2015, 12, 31) : Dia(2016, 3, 1);
            e.CFO = 1403;
            e.BaseICMSPropria = D("10.00");
        });
        Grava<dictionary::ForCliRec>(dictionary::ForCli(), 1, [](dictionary::ForCliRec& f, int) {
            f.Codigo = 10;
            f.CGC = "11222333000181";
        });
        Grava<SaidaVorelRec>(dictionary::SaidaVorel(), 1, [](SaidaVorelRec& s, int) {
            s.DataSaida = Dia(2016, 3, 1);
            s.CNPJ = "11222333000181";
        });
    }
    // The four records as they stand.
    std::string Estado() {
        const auto entradas = Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA);
        std::string s = std::to_string(Le<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), keys::MMR_KEY_DATA).size()) +
                        " " + std::to_string(entradas.size());
        for (const auto& e : entradas) s += " " + e.BaseICMS.value().to_fixed(2);
        return s + " " + std::to_string(Le<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_DATA)[0].CodigoForCli);
    }
};

TEST_P(JanelasReparoTest, AsksThenRunsAndEnds) {
    const Janela& j = GetParam();
    const std::string antes = Estado();
    StartUser();
    ui->Start(j.procedimento);
    const int w = ui->WindowByCaption(j.titulo);
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    const auto& pergunta = ui->PendingMessageBox();
    EXPECT_EQ(pergunta.buttons[static_cast<std::size_t>(pergunta.defaultButton - 1)], "&Não");
    ui->Answer("&Não");
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Estado(), antes);

    ui->Press(ui->ByText(w, "&Ajustar"));
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, j.mensagem);
    EXPECT_EQ(ui->PendingMessageBox().title, j.tituloMensagem);
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_NE(Estado(), antes);
    EXPECT_EQ(ui->HasWindow(j.titulo), !j.fecha);
}

INSTANTIATE_TEST_SUITE_P(
    Reparos, JanelasReparoTest,
    ::testing::Values(
        Janela{"AjustaECF", "Ajusta Lançamentos Mestre/Analítico/Diário", "Lançamentos Ajustos com Sucesso!", "Concluído",
               true},
        Janela{"AjustaLançamentos", "Ajusta Lançamentos de Entrada", "Lançamentos Ajustados com sucesso!", "Concluído",
               false},
        Janela{"AjustaBaseCalc_Ent",
               "Ajustar Entrada - Copiar Valor 17-Base Op. Prórpia p/ 14-Base Cálc. - CFOP 1403 e 2403",
               "Ajuste efetuado com sucesso!", "Concluído!", true},
        Janela{"AjustaCodForCli", "Ajusta Código Cliente Saída", "Ajuste efetuado com sucesso!", "Concluído!", false}),
    [](const ::testing::TestParamInfo<Janela>& i) {
        std::string n;
        for (unsigned char c : std::string(i.param.procedimento)) n += std::isalnum(c) ? static_cast<char>(c) : '_';
        return n;
    });

}  // namespace
}  // namespace vorel::maintenance::testing
