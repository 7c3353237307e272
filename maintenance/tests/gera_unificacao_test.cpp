// Writing the unification files: the month's records staged once, whatever the reads, the files put
// in their folders whole, a failed copy said, and the window's defaults.
#include <gtest/gtest.h>

#include "unificacao_fixture.h"
#include "vorel/maintenance/gera_unificacao.h"

namespace vorel::maintenance::testing {
namespace {

constexpr int kListaEntradas = 50;  // the control number of the entries' list

class GeraUnificacaoTest : public UnificacaoFixture {
protected:
    // Staged with two reads of each group, then written into `pasta`; the error of the write.
    std::string LeDuasVezesEGrava(std::vector<GrupoUnificacao> grupos, const std::string& pasta) {
        return NaThread([&] {
            PreparoUnificacao p;
            std::string erro = p.Abre();
            PastasUnificacao pastas{pasta, pasta, pasta, pasta, pasta, pasta};
            for (GrupoUnificacao g : grupos) {
                for (int vez = 0; vez < 2 && erro.empty(); ++vez) erro = LeParaUnificacao(p, g, periodo).erro;
                if (erro.empty()) erro = GravaUnificacao(p, g, pastas);
            }
            return erro;
        });
    }
};

TEST_F(GeraUnificacaoTest, TheMonthsItemsAndEachInvoicesQuantityRecordsOnceHoweverOftenRead) {
    // March's last day in (a three-item invoice with two quantity records of entries and one of
    // exits), February's last and April's first day out.
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 5, [](EntradaVorelRec& e, int i) {
        const date::Day dias[] = {Dia(2016, 3, 31), Dia(2016, 3, 31), Dia(2016, 3, 31), Dia(2016, 2, 29), Dia(2016, 4, 1)};
        Entrada(e, dias[i], i < 3 ? 10 : 11 + i, i + 1, 7, "11222333000181");
    });
    Grava<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), 4, [](QuantidadeVorelRec& q, int i) {
        Quantidade(q, Dia(2016, 3, 31), 10, i == 2 ? "S" : "E", i == 1 ? "99888777000166" : "11222333000181");
        if (i == 3) q.Numero = 14;  // another invoice's
    });
    Grava<SaidaVorelRec>(dictionary::SaidaVorel(), 2, [](SaidaVorelRec& s, int i) {
        s.DataSaida = i == 0 ? Dia(2016, 3, 1) : Dia(2016, 4, 1);
        s.Numero = 10;
        s.Serie = "1";
    });
    const std::string pasta = root + "unifica";  // no closing separator: joined with one
    std::filesystem::create_directories(dir / "unifica");
    ASSERT_EQ(LeDuasVezesEGrava({GrupoUnificacao::Entradas, GrupoUnificacao::Saidas}, pasta), "");

    const auto entradas = Arquivo<EntradaVorelRec>(pasta, ArquivoUnificacao::Entradas, keys::ESPENT_KEY_DATA);
    ASSERT_EQ(entradas.size(), 3u);
    for (const auto& e : entradas) EXPECT_EQ(e.DataEmissao, Dia(2016, 3, 31));
    EXPECT_EQ(entradas[2].CodMercadoria.value(), Decimal(3));
    EXPECT_EQ(entradas[0].CodigoForCli, 7u);  // copied whole
    const auto qua = Arquivo<QuantidadeVorelRec>(pasta, ArquivoUnificacao::EntQQel, keys::QUA0_KEY_SERIENUMERODATA);
    ASSERT_EQ(qua.size(), 2u);  // both CNPJs of the invoice, origin "E" only, once
    for (const auto& q : qua) EXPECT_EQ(q.Procedencia.clipped(), "E");
    EXPECT_EQ(Arquivo<SaidaVorelRec>(pasta, ArquivoUnificacao::Saidas, keys::SAI0_KEY_DATA).size(), 1u);
    EXPECT_TRUE(Arquivo<QuantidadeVorelRec>(pasta, ArquivoUnificacao::SaiQQel, keys::QUA1_KEY_SERIENUMERODATA).empty());
}

TEST_F(GeraUnificacaoTest, AnEmptyMonthWritesEmptyFilesAndTheRegisterGoesWhole) {
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& e, int) { Entrada(e, Dia(2016, 4, 1), 1, 1); });
    Grava<ForCliRec>(dictionary::ForCli(), 3, [](ForCliRec& f, int i) {
        Fornecedor(f, static_cast<std::uint32_t>(i + 1), "F", "");
    });
    Grava<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), 2, [](LancICMSEletronicoRec& m, int i) {
        m.DataEmissao = dictionary::DataComoTexto(i == 0 ? Dia(2016, 3, 31) : Dia(2016, 4, 1));
        m.Codigo = 1;
    });
    const std::string pasta = Pasta("vazio");
    ASSERT_EQ(LeDuasVezesEGrava({GrupoUnificacao::Entradas, GrupoUnificacao::Fornecedores, GrupoUnificacao::ECF}, pasta),
              "");
    for (ArquivoUnificacao a : {ArquivoUnificacao::Entradas, ArquivoUnificacao::EntQQel, ArquivoUnificacao::Analitico,
                                ArquivoUnificacao::Diario})
        EXPECT_TRUE(files::exists(files::join(pasta, NomeDoArquivo(a)))) << NomeDoArquivo(a);
    EXPECT_TRUE(Arquivo<EntradaVorelRec>(pasta, ArquivoUnificacao::Entradas, keys::ESPENT_KEY_DATA).empty());
    EXPECT_TRUE(Arquivo<QuantidadeVorelRec>(pasta, ArquivoUnificacao::EntQQel, keys::QUA0_KEY_SERIENUMERODATA).empty());
    EXPECT_EQ(Arquivo<ForCliRec>(pasta, ArquivoUnificacao::ForCli, keys::FOR0_KEY_CODIGO1).size(), 3u);
    EXPECT_EQ(Arquivo<LancICMSEletronicoRec>(pasta, ArquivoUnificacao::Mestre, keys::LAN0_KEY_CODIGO).size(), 1u);
}

TEST_F(GeraUnificacaoTest, ACopyThatFailsIsSaidAndLeavesTheOldFile) {
    const std::string pasta = Pasta("destino");
    ASSERT_EQ(LeDuasVezesEGrava({GrupoUnificacao::Entradas}, pasta), "");
    // The quantity file's name taken by a folder: the group's other file is not replaced either.
    std::filesystem::remove(dir / "destino" / "EntQQel.Tps");
    std::filesystem::create_directories(dir / "destino" / "EntQQel.Tps" / "x");
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& e, int) { Entrada(e, Dia(2016, 3, 2), 1, 1); });
    const std::string erro = LeDuasVezesEGrava({GrupoUnificacao::Entradas}, pasta);
    EXPECT_NE(erro.find("Não foi possível gravar"), std::string::npos) << erro;
    EXPECT_NE(erro.find("EntQQel.Tps"), std::string::npos) << erro;
    EXPECT_TRUE(Arquivo<EntradaVorelRec>(pasta, ArquivoUnificacao::Entradas, keys::ESPENT_KEY_DATA).empty());
    EXPECT_FALSE(files::exists(files::join(pasta, "Entradas.Tps.novo")));
    // A folder that does not exist.
    EXPECT_NE(LeDuasVezesEGrava({GrupoUnificacao::Entradas}, root + "naoexiste\\").find("naoexiste"), std::string::npos);
}

TEST_F(GeraUnificacaoTest, TheWindowStartsOnDriveAReadsAndWritesTheTabsGroup) {
    EXPECT_EQ(DestinoDoArquivo("A:\\", ArquivoUnificacao::Entradas), "A:\\Entradas.Tps");
    EXPECT_EQ(DestinoDoArquivo("A:\\", ArquivoUnificacao::EntQQel), "A:\\EntQQel.Tps");
    EXPECT_EQ(files::resolve("A:\\EntQQel.Tps"), std::filesystem::path("/EntQQel.Tps"));  // the path layer's drive rule
    Grava<EntradaVorelRec>(dictionary::EntradaVorel(), 2, [](EntradaVorelRec& e, int i) {
        Entrada(e, Dia(2016, 3, 5 + i), 20, 1 + i, 0, "11222333000181");
    });
    StartUser();
    ui->Start("GerarUnificacao");
    const int w = ui->WindowByCaption("Gerar Arquivos para Unificação");
    for (const char* prompt : {"Destino do arquivo.....", "Destino do arq. Mestre.......", "Destino do arq. Analítico....",
                               "Destino do arq. Diário........."})
        EXPECT_EQ(ui->Value(ui->ByPrompt(w, prompt)), "A:\\") << prompt;
    ui->Press(ui->ByText(w, "&Ler"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the read's message");
    EXPECT_EQ(ui->PendingMessageBox().text, "Leitura das entradas efetuada com sucesso!!!");
    ui->Answer(1);
    ui->WaitIdle();
    const auto linhas = ui->Rows(ui->Control(w, kListaEntradas));
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0][0], "11.222.333/0001-81");
    EXPECT_EQ(linhas[0][1], "05/03/2016");
    const std::string pasta = Pasta("janela");
    ui->Type(ui->ByPrompt(w, "Destino do arquivo....."), pasta);
    ui->Press(ui->ByText(w, "&Grava"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the write's message");
    EXPECT_EQ(ui->PendingMessageBox().text, "Gravação das entradas efetuada com sucesso!!!");
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_EQ(Arquivo<EntradaVorelRec>(pasta, ArquivoUnificacao::Entradas, keys::ESPENT_KEY_DATA).size(), 2u);
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitUntil([&] { return !ui->HasWindow("Gerar Arquivos para Unificação"); }, "the window to close");
    // The run's temporary files are gone with it.
    EXPECT_TRUE(files::list(root + "Temp", "*").empty());
}

}  // namespace
}  // namespace vorel::maintenance::testing
