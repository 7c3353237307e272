// A browse whose first tab lists the working month along the leading date of its key and whose
// second lists the whole year: the month's edges hold from the top, from the bottom, when paging
// and when a locator's date lies outside the month.
#include "movement_fixture.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/range_source.h"
#include "vorel/ui/register_window.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;

enum : int { kSheet = 1, kTabMes, kPromptMes, kLocMes, kTabAno, kPromptAno, kLocAno, kList };

class MonthBrowse : public ui::RegisterBrowse {
public:
    explicit MonthBrowse(ui::ProcContext& ctx)
        : ui::RegisterBrowse(ctx, "TesteMes", "Janela do Mês", dictionary::EntradaVorel(), ""),
          rec_(file().rec<EntradaVorelRec>()),
          source_(file(), rec_.DataEmissao) {
        SetBrowseManager(std::make_unique<ui::BrowseManager>(*this, source_));
    }

    Level Setup() override {
        if (Level l = ui::RegisterBrowse::Setup(); l != Level::Benign) return l;
        const int numero = file().desc().key_index(dictionary::keys::ENT_KEY_NUMERO);
        source_.SetPeriod(date::make(2016, 3, 1), date::make(2016, 3, 31));
        source_.LimitOrder(numero);
        ui::Window& w = window();
        w.Sheet(kSheet);
        AddSearchTab(kSheet, {kTabMes, "Mês", kPromptMes, "Data", kLocMes, ui::UseDate(rec_.DataEmissao, "@D06b"),
                              "@D06b", numero});
        AddSearchTab(kSheet, {kTabAno, "Ano", kPromptAno, "Data", kLocAno, ui::UseDate(rec_.DataEmissao, "@D06b"),
                              "@D06b", file().desc().key_index(dictionary::keys::ENT_KEY_DATA)});
        w.List(kList);
        ui::BrowseManager& b = browse();
        b.SetList(kList, 2);
        b.AddColumn({"Número", 40, 'R', [this] { return std::to_string(rec_.Numero); }});
        b.SetSheet(kSheet);
        return Level::Benign;
    }

private:
    EntradaVorelRec& rec_;
    ui::PeriodSource source_;
};

struct PeriodSourceTest : MovementFixture {
    int w = 0;
    void SetUp() override {
        MovementFixture::SetUp();
        ui::ProcedureRegistry::Add("TesteMes", [](ui::ProcContext& c) { MonthBrowse(c).Execute(); });
        const date::Day dias[] = {date::make(2016, 2, 28), date::make(2016, 3, 1), date::make(2016, 3, 15),
                                  date::make(2016, 3, 31), date::make(2016, 4, 1)};
        Seed<EntradaVorelRec>(dictionary::EntradaVorel(), 5, [&](EntradaVorelRec& r, int i) {
            r.DataEmissao = dias[i];
            r.Numero = static_cast<std::uint32_t>(i + 1);
        });
        ui->Start("TesteMes");
        w = ui->WindowByCaption("Janela do Mês");
    }
    Rows Shown() {
        ui->WaitIdle();
        return ui->Rows(ui->Control(w, kList));
    }
    void Key(int k) {
        ui->FocusOn(ui->Control(w, kList));
        ui->Key(w, k);
    }
};

TEST_F(PeriodSourceTest, TheMonthTabStopsAtTheMonthsEdges) {
    EXPECT_EQ(Shown(), (Rows{{"2"}, {"3"}}));
    Key(ui::key::End);
    EXPECT_EQ(Shown(), (Rows{{"3"}, {"4"}}));
    Key(ui::key::PageDown);
    EXPECT_EQ(Shown(), (Rows{{"3"}, {"4"}}));
    Key(ui::key::Home);
    Key(ui::key::PageUp);
    EXPECT_EQ(Shown(), (Rows{{"2"}, {"3"}}));

    // A locator's date before the month starts at its first day, after it shows its end.
    ui->Type(ui->Control(w, kLocMes), "10/01/2016");
    EXPECT_EQ(Shown(), (Rows{{"2"}, {"3"}}));
    ui->Type(ui->Control(w, kLocMes), "10/05/2016");
    EXPECT_EQ(Shown(), (Rows{{"3"}, {"4"}}));

    // The year's tab lists the whole table.
    ui->PickTab(ui->Control(w, kSheet), 2);
    Key(ui::key::Home);
    EXPECT_EQ(Shown(), (Rows{{"1"}, {"2"}}));
    Key(ui::key::End);
    EXPECT_EQ(Shown(), (Rows{{"4"}, {"5"}}));
}

}  // namespace
}  // namespace vorel::movements::testing
