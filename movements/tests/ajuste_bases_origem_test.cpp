// The bases of stored CFOP 1409 entry items taken again from their sources, in the working year's
// file and the earlier years' files.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "data_root.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/ajuste_bases_origem.h"
#include "vorel/movements/procedures.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
namespace keys = dictionary::keys;

// An entry item: product, day, invoice, CFOP, quantity and the two bases.
struct Item {
    int produto;
    date::Day dia;
    const char* serie;
    std::uint32_t numero;
    int cfo;
    const char *quantidade, *base, *propria;
};

class AjusteBasesTest : public ::testing::Test, public vorel::testing::DataRoot, public vorel::testing::HeadlessUser {
protected:
    void SetUp() override {
        CreateDataRoot("vorel-ajuste-bases");
        SetWorkingCompany();
        AddMovementProcedures();
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }
    // The items into company 1's entry file of `ano` (its folder made).
    void Grava(int ano, const std::vector<Item>& itens) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        ASSERT_FALSE(dictionary::CriaPastas(a));
        std::thread([&] {
            data::FileManager fm(dictionary::EntradaVorel());
            ASSERT_TRUE(fm.open_path(a.CaminhoEntradaVorel).ok());
            {
                data::Transaction t({&fm});
                auto& e = fm.rec<EntradaVorelRec>();
                for (const Item& i : itens) {
                    fm.clear_record();
                    e.CodMercadoria = i.produto;
                    e.DataEmissao = i.dia;
                    e.Serie = i.serie;
                    e.Numero = i.numero;
                    e.CFO = static_cast<std::uint16_t>(i.cfo);
                    e.Quantidade = Decimal::from_string(i.quantidade);
                    e.BaseICMS = Decimal::from_string(i.base);
                    e.BaseICMSPropria = Decimal::from_string(i.propria);
                    ASSERT_TRUE(fm.add().ok());
                }
                ASSERT_TRUE(t.commit().ok());
            }
            (void)fm.close();
        }).join();
    }
    // "base/own base" of the working year's 1409 items, by invoice number.
    std::map<std::uint32_t, std::string> Bases1409() {
        std::map<std::uint32_t, std::string> out;
        std::thread([&] {
            data::FileManager fm(dictionary::EntradaVorel());
            ASSERT_TRUE(fm.open().ok());
            ASSERT_TRUE(fm.set(keys::ENT_KEY_DATA).ok());
            const auto& e = fm.rec<EntradaVorelRec>();
            while (fm.next().ok())
                if (e.CFO == 1409) out[e.Numero] = e.BaseICMS.value().to_fixed(2) + "/" + e.BaseICMSPropria.value().to_fixed(2);
            (void)fm.close();
        }).join();
        return out;
    }
    ResultadoAjusteBases Ajusta(ProgressoAjusteBases progresso = {}) {
        ResultadoAjusteBases r;
        std::thread([&] { r = AjustaBasesDeOrigem({.empresa = 1, .ano = 2016, .mes = 3}, progresso); }).join();
        return r;
    }
};

date::Day Dia(int y, int m, int d) { return date::make(y, m, d); }

TEST_F(AjusteBasesTest, Each1409ItemTakesTheBasesOfItsLatestEarlierSource) {
    // 2016: product 10's 1403 of 4 units (400.00 / 300.00) on 10/03 is the source of its 1409 of 2
    // units on 15/03 (invoice 1). Product 11: a 2403 of the 1409's own invoice (2) is no source, an
    // earlier one is (4 units, 80.00 / 40.00); product 15: a 2403 of another invoice the same day is
    // (2 units, 30.00 / 10.00). Product 14: a 1403 of quantity 0 is passed over for the one before it
    // (5 units, 50.00 / 25.00).
    Grava(2016, {{10, Dia(2016, 3, 10), "1", 90, 1403, "4", "400.00", "300.00"},
                 {10, Dia(2016, 3, 15), "1", 1, 1409, "2", "0", "0"},
                 {11, Dia(2016, 3, 12), "1", 91, 2403, "4", "80.00", "40.00"},
                 {11, Dia(2016, 3, 20), "1", 2, 2403, "1", "999.00", "999.00"},
                 {11, Dia(2016, 3, 20), "1", 2, 1409, "1", "0", "0"},
                 {15, Dia(2016, 3, 20), "1", 92, 2403, "2", "30.00", "10.00"},
                 {15, Dia(2016, 3, 20), "1", 3, 1409, "1", "0", "0"},
                 {12, Dia(2016, 4, 1), "1", 4, 1409, "3", "0", "0"},
                 {13, Dia(2016, 4, 1), "1", 5, 1409, "1", "7.00", "7.00"},
                 {14, Dia(2016, 2, 1), "1", 93, 1403, "5", "50.00", "25.00"},
                 {14, Dia(2016, 2, 2), "1", 94, 1403, "0", "100.00", "100.00"},
                 {14, Dia(2016, 2, 3), "1", 6, 1409, "1", "0", "0"}});
    // Product 12 has no source in 2016 nor in 2015: 2014's latest (10 units, 100.00 / 40.00) is
    // taken. Product 13's only source lies in 2012, beyond 2013, which has no folder: it keeps its bases.
    Grava(2015, {{12, Dia(2015, 6, 1), "1", 95, 1102, "1", "1.00", "1.00"}});
    Grava(2014, {{12, Dia(2014, 5, 1), "1", 96, 1403, "10", "100.00", "40.00"},
                 {12, Dia(2014, 1, 1), "1", 97, 1403, "1", "5.00", "5.00"}});
    Grava(2012, {{13, Dia(2012, 5, 1), "1", 98, 1403, "1", "50.00", "50.00"}});

    const auto antes = Bases1409();
    // A stop rolls the whole run back.
    ResultadoAjusteBases r = Ajusta([](long long lidos, long long) { return lidos < 10; });
    EXPECT_TRUE(r.cancelado);
    EXPECT_EQ(Bases1409(), antes);

    r = Ajusta();
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.lidos, 12);
    EXPECT_EQ(r.ajustados, 5);
    EXPECT_EQ(Bases1409(), (std::map<std::uint32_t, std::string>{{1, "200.00/150.00"},
                                                                  {2, "20.00/10.00"},
                                                                  {3, "15.00/5.00"},
                                                                  {4, "30.00/12.00"},
                                                                  {5, "7.00/7.00"},
                                                                  {6, "10.00/5.00"}}));
}

// The window asks first, "&Não" preselected; after the run it says so and closes.
TEST_F(AjusteBasesTest, TheWindowAsksThenAdjustsAndCloses) {
    Grava(2016, {{10, Dia(2016, 3, 10), "1", 90, 1403, "4", "400.00", "300.00"},
                 {10, Dia(2016, 3, 15), "1", 1, 1409, "2", "0", "0"}});
    StartUser();
    ui->Start("AjustaLancEntrada");
    const char* kTitulo = "Ajustar Lançamento de Entrada - Campo 14-Base Calc. / 17-Base Op. Própria";
    const int w = ui->WindowByCaption(kTitulo);
    ui->Press(ui->ByText(w, "&Ajustar"));
    ASSERT_TRUE(ui->HasMessageBox());
    const auto& box = ui->PendingMessageBox();
    EXPECT_EQ(box.buttons[static_cast<std::size_t>(box.defaultButton - 1)], "&Não");
    ui->Answer("&Não");
    EXPECT_EQ(Bases1409().at(1), "0.00/0.00");
    ui->Press(ui->ByText(w, "&Ajustar"));
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Lançamentos Ajustos com Sucesso!");
    EXPECT_EQ(ui->PendingMessageBox().title, "Concluído");
    ui->Answer(1);
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow(kTitulo));
    EXPECT_EQ(Bases1409().at(1), "200.00/150.00");
}

}  // namespace
}  // namespace vorel::movements::testing
