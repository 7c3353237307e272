// A date typed that is no day of the calendar keeps its field and the user is told why, whether the
// date picture was given to the entry or only to its variable (`UseDate`).
#include <gtest/gtest.h>

#include <cstdint>

#include "vorel/ui/headless.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

using namespace vorel::ui;

namespace {

enum : int { kPictured = 1, kByVariable = 2, kOther = 3 };

class Datas : public WindowController {
public:
    explicit Datas(ProcContext& ctx) : WindowController(ctx, "Datas", "Datas") {}
    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        w.Entry(kPictured, UseDate(inicial_, "@d06b"), "@d06b");
        w.Entry(kByVariable, UseDate(final_, "@D06b"));
        w.Entry(kOther, Use(outro_));
        return Level::Benign;
    }

private:
    std::int32_t inicial_ = 0, final_ = 0;
    std::string outro_;
};

TEST(DateEntry, AnImpossibleDateIsRefusedWithAMessageWhereverThePictureWasGiven) {
    Runtime rt;
    HeadlessDriver ui{rt};
    rt.Start("Datas", [](ProcContext& ctx) { Datas(ctx).Execute(); });
    const int w = ui.WindowByCaption("Datas");
    for (int feq : {kPictured, kByVariable}) {
        ui.Type(ui.Control(w, feq), "32132026");
        ui.Key(w, key::Tab);
        ASSERT_TRUE(ui.HasMessageBox()) << "field " << feq;
        EXPECT_EQ(ui.PendingMessageBox().text, "Data inválida") << "field " << feq;
        ui.Answer(1);
        EXPECT_EQ(ui.Focus(w), feq) << "field " << feq;
        ui.Type(ui.Control(w, feq), "31/03/2026");
        ui.Key(w, key::Tab);
        EXPECT_FALSE(ui.HasMessageBox()) << "field " << feq;
        EXPECT_EQ(ui.Focus(w), feq + 1) << "field " << feq;
    }
}

}  // namespace
