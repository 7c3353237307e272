// The month lock on a browse (a small list of entry items with the lock's controls) and the
// working-month date of the movement forms.
#include "movement_fixture.h"

#include <algorithm>
#include <atomic>

#include "vorel/dictionary/key_names.h"
#include "vorel/movements/month_lock.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/register_window.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::FechamentoEscritaRec;
using dictionary::LogEscritaRec;

enum : int { kList = 1, kPrompt, kOpen, kClosed, kGroup, kInsert, kChange, kDelete, kSelect, kClose };

std::atomic<int> formRuns{0};

class LockedBrowse : public MonthLockedBrowse {
public:
    explicit LockedBrowse(ui::ProcContext& ctx)
        : MonthLockedBrowse(ctx, "TesteTrava", "Janela Travada", dictionary::EntradaVorel(), "UTesteTrava",
                            {kPrompt, kOpen, kClosed, kGroup, kInsert, kChange, kDelete}) {}

    Level Setup() override {
        if (Level l = ui::RegisterBrowse::Setup(); l != Level::Benign) return l;
        ui::Window& w = window();
        w.List(kList);
        AddMonthLock();
        w.Button(kInsert, "&Inclui").Parent(kGroup);
        w.Button(kChange, "&Altera").Parent(kGroup);
        w.Button(kDelete, "&Exclui").Parent(kGroup);
        w.Button(kSelect, "&Seleciona");
        w.Button(kClose, "&Fecha");
        ui::BrowseManager& b = browse();
        b.SetList(kList);
        b.AddColumn({"Número", 40, 'R', [this] { return std::to_string(file().rec<EntradaVorelRec>().Numero); }});
        ui::SortOrder byDate;
        byDate.key = file().desc().key_index(dictionary::keys::ENT_KEY_DATA);
        b.AddSortOrder(byDate);
        SetButtons(b, kInsert, kChange, kDelete, kSelect);
        SetCloseButton(kClose);
        return Level::Benign;
    }
};

struct MonthLockTest : MovementFixture {
    int w = 0;
    void SetUp() override {
        MovementFixture::SetUp();
        formRuns = 0;
        ui::ProcedureRegistry::Add("TesteTrava", [](ui::ProcContext& c) { LockedBrowse(c).Execute(); });
        ui::ProcedureRegistry::Add("UTesteTrava", [](ui::ProcContext& c) {
            ++formRuns;
            c.response = ui::Response::Cancelled;
        });
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 1, [](EntradaVorelRec& r, int) {
            r.DataEmissao = date::make(2016, 3, 10);
            r.Numero = 7;
        });
    }
    void Open() {
        ui->Start("TesteTrava");
        w = ui->WindowByCaption("Janela Travada");
    }
    // Tries every way into the form (the three buttons; Insert, Delete and Enter on the list; a
    // double click) and says how many of the seven reached it.
    int WaysIn() {
        formRuns = 0;
        for (int b : {kInsert, kChange, kDelete}) {
            if (ui->Enabled(ui->Control(w, b))) ui->Press(ui->Control(w, b));
            ui->WaitIdle();
        }
        for (int k : {ui::key::Insert, ui::key::Delete, ui::key::Enter}) {
            ui->FocusOn(ui->Control(w, kList));
            ui->Key(w, k);
            ui->WaitIdle();
        }
        ui->PickRow(ui->Control(w, kList), 1, true);
        ui->WaitIdle();
        return formRuns;
    }
    void ExpectShows(bool closed) {
        EXPECT_EQ(ui->Text(ui->Control(w, kPrompt)), closed ? "Mês Fechado" : "Mês Aberto");
        EXPECT_EQ(ui->Hidden(ui->Control(w, kOpen)), closed);
        EXPECT_EQ(ui->Hidden(ui->Control(w, kClosed)), !closed);
        for (int b : {kGroup, kInsert, kChange, kDelete}) EXPECT_EQ(ui->Enabled(ui->Control(w, b)), !closed) << b;
    }
    std::vector<std::string> Closings() {
        return Read<FechamentoEscritaRec>(dictionary::FechamentoEscrita(), dictionary::keys::FEF_KEY_MESANO,
            [](const FechamentoEscritaRec& r) {
                date::Ymd d = date::split(r.MESANO);
                return std::to_string(d.month) + "/" + std::to_string(d.year) + " empresa " + std::to_string(r.CODEMPRESA);
            });
    }
    std::vector<std::string> Log() {
        return Read<LogEscritaRec>(dictionary::LogEscrita(), dictionary::keys::LOG1_KEY_LOG,
            [](const LogEscritaRec& r) {
                date::Ymd d = date::split(r.MESANO);
                return std::string(r.USUARIO.clipped()) + " " + std::to_string(d.month) + "/" + std::to_string(d.year) +
                       " tipo " + std::to_string(r.Tipo) + (r.DATA == date::today() ? " hoje" : " outro dia");
            });
    }
};

TEST_F(MonthLockTest, ClosingCutsInsertChangeAndDeleteAndReopeningRestoresThem) {
    Open();
    ExpectShows(false);
    EXPECT_EQ(WaysIn(), 7);

    UserConfirms("ANA");
    ui->Press(ui->Control(w, kOpen));
    ui->WaitIdle();
    ExpectShows(true);
    EXPECT_EQ(WaysIn(), 0);
    EXPECT_EQ(Closings(), (std::vector<std::string>{"3/2016 empresa 0"}));

    ui->Press(ui->Control(w, kClosed));
    ui->WaitIdle();
    ExpectShows(false);
    EXPECT_EQ(WaysIn(), 7);
    EXPECT_TRUE(Closings().empty());
    // Both lines may fall in one hundredth of a second, where the log's key puts the reopening first.
    std::vector<std::string> log = Log();
    std::sort(log.begin(), log.end());
    EXPECT_EQ(log, (std::vector<std::string>{"ANA 3/2016 tipo 0 hoje", "ANA 3/2016 tipo 1 hoje"}));
    EXPECT_FALSE(ui->HasMessageBox());
}

TEST_F(MonthLockTest, AMonthClosedForAnyCompanyOpensClosedAndOtherMonthsStayOpen) {
    SeedClosedMonth(2016, 3);
    Open();
    ExpectShows(true);
    EXPECT_EQ(WaysIn(), 0);
    ui->CloseWindow(w);

    shell::GLO_EMPRESA_CODIGO.Set(2);
    shell::GLO_MES.Set(4);
    Open();
    ExpectShows(false);
}

TEST_F(MonthLockTest, AUserWhoDoesNotIdentifyHimselfChangesNothing) {
    UserConfirms("");
    Open();
    ui->Press(ui->Control(w, kOpen));
    ui->WaitIdle();
    ExpectShows(false);
    EXPECT_TRUE(Closings().empty());
    EXPECT_TRUE(Log().empty());
}

TEST_F(MonthLockTest, AMonthChangedElsewhereMeanwhileShowsAsStoredWithoutASecondLogLine) {
    UserConfirms("ANA");
    Open();
    SeedClosedMonth(2016, 3);  // another station closed it after this window opened
    ui->Press(ui->Control(w, kOpen));
    ui->WaitIdle();
    ExpectShows(true);
    EXPECT_TRUE(Log().empty());
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Closings(), (std::vector<std::string>{"3/2016 empresa 0"}));
}

TEST_F(MonthLockTest, CorrigeDataPeriodoMovesTheDateIntoTheWorkingMonth) {
    struct Case {
        int year, month;   // working period
        date::Day typed, expected;
        bool message;
    } cases[] = {
        {2011, 5, date::make(2010, 3, 15), date::make(2011, 5, 15), true},
        {2011, 5, date::make(2011, 5, 31), date::make(2011, 5, 31), false},
        {2011, 4, date::make(2011, 3, 31), date::make(2011, 4, 30), true},   // no 31 April: its last day
        {2015, 2, date::make(2016, 2, 29), date::make(2015, 2, 28), true},
        {2011, 5, 0, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        shell::GLO_ANO.Set(c.year);
        shell::GLO_MES.Set(c.month);
        date::Day got = -1;
        int t = rt->Start("Corrige", [&](ui::ProcContext&) { got = CorrigeDataPeriodo(c.typed); });
        if (c.message) {
            ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the message");
            EXPECT_EQ(ui->PendingMessageBox().title, "Mes/Ano inválidos");
            EXPECT_EQ(ui->PendingMessageBox().text, "Corrigindo a data para o mês e ano selecionado");
            EXPECT_EQ(ui->PendingMessageBox().icon, ui::Icon::Question);
            ui->Answer(1);
        }
        WaitFinished(t);
        EXPECT_FALSE(ui->HasMessageBox());
        EXPECT_EQ(got, c.expected);
    }
}

}  // namespace
}  // namespace vorel::movements::testing
