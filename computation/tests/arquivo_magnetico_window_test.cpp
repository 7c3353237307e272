// Window "ArquivoMagnetico" through the headless driver: its defaults, the name following the final
// date, a run that computes the period and writes the file, and a run over another month that
// leaves the month records as they were.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "calculo_window_fixture.h"
#include "vorel/core/paths.h"

namespace vorel::computation::testing {
namespace {

std::string LeArquivo(const std::string& programa) {
    std::ifstream f(files::resolve(programa), std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class ArquivoMagneticoWindow : public CalculoWindowFixture {
protected:
    std::vector<std::string> Responde() {
        std::vector<std::string> textos;
        while (ui->HasMessageBox()) {
            textos.push_back(ui->PendingMessageBox().text);
            ui->Answer(1);
        }
        return textos;
    }
    void Fecha(int w) {
        ui->Press(ui->ByText(w, "&Fecha"));
        ui->WaitUntil([&] { return !ui->HasWindow("Gera Arquivo Magnético"); }, "the window to close");
    }
};

TEST_F(ArquivoMagneticoWindow, DefaultsAndTheNameOfTheFinalDate) {
    ui->Start("ArquivoMagnetico");
    int w = ui->WindowByCaption("Gera Arquivo Magnético");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "01 Inicial")), "01/03/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "02 Final")), "31/03/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "03 Local")), "C:\\00011603.TXT");
    EXPECT_EQ(ui->Value(ui->ByText(w, "2.3 Port.99/05")), "1");
    ui->Type(ui->ByPrompt(w, "01 Inicial"), "01/02/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "03 Local")), "C:\\00011603.TXT");
    ui->Type(ui->ByPrompt(w, "02 Final"), "30/04/2016");
    ui->Key(w, ui::key::Tab);
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "03 Local")), "C:\\00011604.TXT");
    Fecha(w);

    Ano(2002);
    shell::GLO_MES.Set(3);
    ui->Start("ArquivoMagnetico");
    w = ui->WindowByCaption("Gera Arquivo Magnético");
    EXPECT_EQ(ui->Value(ui->ByText(w, "2.1")), "1");
    Fecha(w);
}

TEST_F(ArquivoMagneticoWindow, ARunComputesThePeriodAndWritesTheFile) {
    Cfo(5102, kConsumidorFinal);
    Produto(1);
    Saldo({.produto = 1, .mes = Dia(2016, 1, 1), .qtd = "10", .unit = "1", .base = "10"});
    Saida(1, Dia(2016, 1, 20), 14, 5102, "1");
    Saldo({.produto = 1, .mes = Dia(2016, 2, 1), .qtd = "10", .unit = "1", .base = "10"});
    Saida(1, Dia(2016, 2, 10), 15, 5102, "2");
    const std::string saldos = ArquivoAno(2016, true);
    const std::string antes = LeArquivo(saldos);
    const std::string alvo = root + "ARQ.TXT";

    ui->Start("ArquivoMagnetico");
    const int w = ui->WindowByCaption("Gera Arquivo Magnético");
    ui->Type(ui->ByPrompt(w, "01 Inicial"), "01/02/2016");
    ui->Type(ui->ByPrompt(w, "02 Final"), "29/02/2016");
    ui->Type(ui->ByPrompt(w, "03 Local"), text::to_utf8(alvo));
    ui->Press(ui->ByText(w, "&Gerar Arquivo"));
    EXPECT_EQ(Responde(), std::vector<std::string>{});
    const std::string arquivo = LeArquivo(alvo);
    // 01, the opening balance, the exit, 04, 05 and five counts; the 06 total on the window.
    EXPECT_EQ(std::count(arquivo.begin(), arquivo.end(), '\n'), 10) << arquivo;
    EXPECT_NE(arquivo.find("0606" "00000000000010\r\n"), std::string::npos);
    EXPECT_EQ(ui->Text(ui->Control(w, 35)), "            10");
    // The month records of March, the working month, are untouched by a run over February.
    EXPECT_EQ(LeArquivo(saldos), antes);
    Fecha(w);
}

}  // namespace
}  // namespace vorel::computation::testing
