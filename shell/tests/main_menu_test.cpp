// The menu bar as data: every item, shortcut and procedure, and the shortcut key codes.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "vorel/shell/main_menu.h"
#include "vorel/ui/types.h"

using namespace vorel::shell;
namespace key = vorel::ui::key;

TEST(MainMenu, BarMenusInOrder) {
    EXPECT_EQ(MenusDaBarra(), (std::vector<std::string>{"&Arquivo", "&Lançamentos", "&Cálculos", "&Relatórios",
                                                        "&Integração", "&Utilitários", "A&juda"}));
    EXPECT_EQ(MenuPrincipal().back().texto, "&Sair");
    EXPECT_EQ(MenuPrincipal().back().acao, AcaoMenu::Sair);
}

TEST(MainMenu, EveryShortcutWithItsItemAndKey) {
    std::map<std::string, std::pair<std::string, int>> expected = {
        {"&Empresa", {"Ctrl + E", key::Ctrl | 'E'}},
        {"C.F.&O.P.", {"Ctrl + O", key::Ctrl | 'O'}},
        {"Co&mpl. C.F.O.P.", {"Ctrl + L", key::Ctrl | 'L'}},
        {"&CNAE", {"Ctrl + N", key::Ctrl | 'N'}},
        {"Esta&dos", {"Ctrl + D", key::Ctrl | 'D'}},
        {"&Fornecedores", {"Ctrl + F", key::Ctrl | 'F'}},
        {"&Máquina Reg.", {"Ctrl + M", key::Ctrl | 'M'}},
        {"&Produtos", {"Ctrl + P", key::Ctrl | 'P'}},
        {"&Responsável", {"Ctrl + R", key::Ctrl | 'R'}},
        {"&Valor Unitário Entrada", {"Ctrl + U", key::Ctrl | 'U'}},
        {"Lançamentos de &Entradas", {"Ctrl + Alt + E", key::Ctrl | key::Alt | 'E'}},
        {"Lançamentos de &Saídas", {"Ctrl + Alt + S", key::Ctrl | key::Alt | 'S'}},
        {"Mestre/Analítico/Diário", {"Ctrl + Alt + M", key::Ctrl | key::Alt | 'M'}},
        {"Planilha Anual", {"Ctrl + 5", key::Ctrl | '5'}},
        {"Planilha Mensal de Produtos", {"Ctrl + 3", key::Ctrl | '3'}},
        {"Planilha Final de Produtos", {"Ctrl + 1", key::Ctrl | '1'}},
        {"Planilha de Veículos", {"Ctrl + 4", key::Ctrl | '4'}},
        {"Planilha Final de Veículos", {"Ctrl + 2", key::Ctrl | '2'}},
        {"&Sair", {"Alt+F", key::Alt | 'F'}},
    };
    std::map<std::string, std::pair<std::string, int>> found;
    std::set<int> keys;
    for (const ItemMenu& i : MenuPrincipal()) {
        if (i.atalho.empty()) {
            EXPECT_EQ(i.tecla, 0) << i.texto;
            continue;
        }
        found[i.texto] = {i.atalho, i.tecla};
        EXPECT_TRUE(keys.insert(i.tecla).second) << "shortcut used twice: " << i.atalho;
    }
    EXPECT_EQ(found, expected);
}

TEST(MainMenu, ItemsPerMenuAndTheProceduresTheyStart) {
    std::map<std::string, int> perMenu;
    int layouts = 0;
    for (const ItemMenu& i : MenuPrincipal()) {
        ++perMenu[i.menu];
        if (i.acao == AcaoMenu::Inicia) {
            EXPECT_FALSE(i.procedimento.empty()) << i.texto;
        }
        if (i.procedimento == "Layout") {
            ++layouts;
            EXPECT_NE(i.qelLayout, 0) << i.texto;
        }
    }
    EXPECT_EQ(perMenu["&Arquivo"], 11);
    EXPECT_EQ(perMenu["&Lançamentos"], 7);
    EXPECT_EQ(perMenu["&Cálculos"], 3);
    EXPECT_EQ(perMenu["&Relatórios"], 16);
    EXPECT_EQ(perMenu["&Integração"], 39);
    EXPECT_EQ(perMenu["&Utilitários"], 23);
    EXPECT_EQ(perMenu["A&juda"], 2);
    EXPECT_EQ(perMenu[""], 1);
    EXPECT_EQ(layouts, 11) << "the eleven layout items of the integration menu";
}

TEST(MainMenu, ShortcutTexts) {
    struct Case {
        const char* text;
        int code;
    } cases[] = {{"Ctrl + E", key::Ctrl | 'E'}, {"ctrl+alt+s", key::Ctrl | key::Alt | 'S'},
                 {"Alt+F", key::Alt | 'F'},     {"F4", key::F(4)},
                 {"", 0},                        {"Hyper + X", 0}};
    for (const auto& c : cases) EXPECT_EQ(TeclaAtalho(c.text), c.code) << c.text;
}
