// The headless script: a user's path through a small window, replayed from text.
#include <gtest/gtest.h>

#include <sstream>

#include "vorel/ui/headless_script.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

using namespace vorel::ui;

namespace {

void Saudacao(ProcContext& ctx) {
    std::string nome;
    Window w(ctx, "Saudação");
    w.Prompt(1, "Nome:");
    w.Entry(2, Use(nome));
    w.Button(3, "&Saúda");
    w.Button(4, "&Fecha");
    w.Open();
    for (Event e; (e = w.Accept()).code != event::None;) {
        if (e.code == event::Accepted && e.feq == 3) {
            if (Ask("Saudar " + nome + "?", "Atenção", Icon::Question, "&Não|&Sim") == "&Sim")
                w[1].Text("Olá, " + nome);
        }
        if (e.code == event::Accepted && e.feq == 4) w.Close();
    }
}

TEST(HeadlessScript, ReplaysAUsersPathAndPrintsWhatTheWindowsShow) {
    ProcedureRegistry::Add("Saudacao", Saudacao);
    Runtime rt;
    std::istringstream script(
        "# a user's path\n"
        "start Saudacao\n"
        "type \"Nome:\" Maria\n"
        "key Tab\n"
        "press \"&Saúda\"\n"
        "answer Sim\n"
        "show\n"
        "press #4\n"
        "echo fim\n");
    std::ostringstream out;
    EXPECT_EQ(RunHeadlessScript(rt, script, out), 0) << out.str();
    EXPECT_EQ(out.str(),
              "message box \"Atenção\": Saudar Maria? [&Não|&Sim]\n"
              "window \"Saudação\"\n"
              "  1 prompt \"Olá, Maria\"\n"
              "  2 entry = \"Maria\"\n"
              "  3 button \"&Saúda\" [focus]\n"
              "  4 button \"&Fecha\"\n"
              "fim\n");
}

TEST(HeadlessScript, StopsAtTheFirstFailingLineWithItsNumber) {
    ProcedureRegistry::Add("Saudacao", Saudacao);
    Runtime rt;
    std::istringstream script("start Saudacao\npress \"&Inexistente\"\necho never\n");
    std::ostringstream out;
    EXPECT_EQ(RunHeadlessScript(rt, script, out, std::chrono::seconds(2)), 1);
    EXPECT_NE(out.str().find("line 2: error: no control with the text \"&Inexistente\""), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("never"), std::string::npos);
}

}  // namespace
