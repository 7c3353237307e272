// The main frame's menu bar, as data: every menu, submenu and item in order, with the item's text
// and access letter, its shortcut, its status message and what it does (the procedure it starts by
// name on a new thread, the "QelLayout" it writes first, or its own action).
//
// In the window model the menu bar is made of controls of the frame's window (`ConstroiMenu`):
// a `ControlType::Menu` per menu (parent 0 for the bar's menus, the menu's number for a submenu) and
// a `ControlType::MenuItem` per item (parent: its menu; parent 0 for an item on the bar itself,
// "&Sair"). An item's text carries its access letter after '&' and, after a tab, its shortcut text;
// the shortcut's key code is the item's only alert key; `msg` is its status message. A front end
// shows them as a menu bar, binds the shortcut to the item in the whole frame, and posts `Press` on
// the item when it is chosen; the frame gets an accepted event for it.
//
//     auto menu = vorel::shell::ConstroiMenu(window, 1000);
//     if (auto* item = menu.Item(event.feq)) ... act on *item ...
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::ui {
class Window;
}

namespace vorel::shell {

enum class AcaoMenu {
    Inicia,  // starts `procedimento` on a new thread (after writing "QelLayout" when it is not 0)
    Naveli,  // the news bulletin: "UltimoAcesso" of Naveli.ini, then "Naveli.exe 6 1", not waited for
    Trispo,  // the remote-support program "Trispo.exe", not waited for
    Sair,    // closes the frame
};

struct ItemMenu {
    std::string menu;          // the bar's menu ("&Arquivo"); empty for an item on the bar itself
    std::string submenu;       // the submenu inside that menu, or empty
    std::string texto;         // the item's text with its access letter (UTF-8)
    std::string atalho;        // the shortcut as shown ("Ctrl + E"), or empty
    int tecla = 0;             // the shortcut's key code, or 0
    std::string procedimento;  // the procedure started (AcaoMenu::Inicia)
    int qelLayout = 0;         // written to "QelLayout" of Layout.ini before the start; 0 none
    std::string mensagem;      // the status message, or empty
    AcaoMenu acao = AcaoMenu::Inicia;
};

// Every item in menu order.
const std::vector<ItemMenu>& MenuPrincipal();
// The bar's menus in order ("&Arquivo", "&Lançamentos", ..., "A&juda").
std::vector<std::string> MenusDaBarra();
// Key code of a shortcut text ("Ctrl + Alt + E", "Ctrl + 5", "Alt+F"); 0 when empty or unknown.
int TeclaAtalho(std::string_view atalho);

// The menu bar built into a window: control numbers from `primeiro` on.
struct MenuConstruido {
    std::map<int, const ItemMenu*> itens;  // item control number -> item
    std::map<std::string, int> menus;      // "menu" or "menu/submenu" -> control number
    const ItemMenu* Item(int feq) const {
        auto it = itens.find(feq);
        return it == itens.end() ? nullptr : it->second;
    }
    int Feq(std::string_view texto) const;  // the item with that text ('&' ignored); 0 when none
};
MenuConstruido ConstroiMenu(ui::Window& window, int primeiro);

}  // namespace vorel::shell
