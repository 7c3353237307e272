// Drop lists and combos whose entries show several columns: the cells travel with the items to the
// front end, while picking, typing and the bound variable keep working on the items and values.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorel/ui/headless.h"
#include "vorel/ui/window.h"

using namespace vorel::ui;

namespace {

enum : int { kCategoria = 1, kUf = 2, kReload = 3 };

using Texts = std::vector<std::vector<std::string>>;

TEST(ItemRows, CellsTravelWithTheItemsAndPickingStillGivesTheValue) {
    Runtime rt;
    int categoria = 0;
    std::string uf;
    rt.Start("Pessoa", [&](ProcContext& ctx) {
        Window w(ctx, "Pessoa");
        w.DropList(kCategoria, Use(categoria), {"01", "11"}, {"1", "11"})
            .Columns({{"Código", 20, 'L'}, {"Descrição", 200, 'L'}})
            .ItemRows({{{"01"}, {"Empregado"}}, {{"11"}, {"Contribuinte Individual"}}});
        w.Combo(kUf, Use(uf), {"MG", "SP"})
            .Columns({{"UF", 16, 'L'}, {"Descrição", 80, 'L'}})
            .ItemRows({{{"MG"}, {"Minas Gerais"}}, {{"SP"}, {"São Paulo"}}});
        w.Button(kReload, "&Recarrega");
        w.Open();
        for (Event e; (e = w.Accept()).code != event::None;) {
            if (e.code == event::Accepted && e.feq == kReload) w[kUf].Items({"RJ"});  // no rows given
        }
    });
    HeadlessDriver ui(rt);
    int w = ui.WindowByCaption("Pessoa");
    auto drop = ui.Control(w, kCategoria), combo = ui.Control(w, kUf);

    EXPECT_EQ(ui.Rows(drop), (Texts{{"01", "Empregado"}, {"11", "Contribuinte Individual"}}));
    EXPECT_EQ(ui.Rows(combo), (Texts{{"MG", "Minas Gerais"}, {"SP", "São Paulo"}}));

    ui.PickItem(drop, 2);
    ui.WaitIdle();
    EXPECT_EQ(categoria, 11) << "the entry's value, not its cells";
    EXPECT_EQ(ui.Value(drop), "11");
    EXPECT_EQ(ui.State(drop).selected, 2);

    ui.Type(combo, "SP");
    ui.FocusOn(drop);
    ui.WaitIdle();
    EXPECT_EQ(uf, "SP") << "typing into a combo with rows goes into its variable";
    EXPECT_EQ(ui.State(combo).selected, 2);

    ui.Press(ui.Control(w, kReload));
    ui.WaitIdle();
    EXPECT_EQ(ui.State(combo).items, std::vector<std::string>{"RJ"});
    EXPECT_TRUE(ui.Rows(combo).empty()) << "new entries drop the rows of the old ones";
}

}  // namespace
