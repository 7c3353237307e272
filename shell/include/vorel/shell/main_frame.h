// `Main`, the application frame: the window that lives from the login to the end of the program,
// with the menu bar (main_menu.h), the toolbar and the status bar; and `Abertura`, its splash.
//
// Main runs on its own procedure thread (the program's first). Before the frame opens it sets the
// shared tables' names, keeps the day's date, opens the company tables, starts the news bulletin
// "Naveli.exe 6" when present and runs `Login`; when the login fails it returns at once with
// Response::Cancelled and no frame is ever shown (the program then ends with exit code 0). When the
// frame opens it applies the wallpaper, printing mode, office parameters, temporary folder, keypad
// option and title, and starts the splash on a new thread. Every menu item and toolbar button
// starts its procedure by name on a new thread; an item whose procedure is not in the program yet
// starts a small window that says so. Closing the frame ends Main with Response::Completed.
//
// `ServicosMain` holds what Main reaches outside the shell's own code; the defaults use the
// procedure registry and the dictionary. Tests pass their own.
//
//     ProcedureRegistry::Add("Main", [](ProcContext& c) { vorel::shell::Main(c); });
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

struct ServicosMain {
    // Finds a procedure by name (default: the procedure registry).
    std::function<std::optional<ui::ProcedureFn>(std::string_view)> procura;
    // Sets the names of the tables in the shared folders and opens the company table with its
    // related tables; what it returns keeps them open until the frame closes.
    std::function<std::shared_ptr<void>(ui::ProcContext&)> abreTabelas;
    // Whether the splash window is started when the frame opens.
    bool abertura = true;
};
ServicosMain ServicosPadrao();

void Main(ui::ProcContext& ctx, const ServicosMain& servicos);
void Main(ui::ProcContext& ctx);

// The splash: a window without caption with the program line and the version; closes itself after
// five seconds, on a mouse click, or when the frame posts it a close. As it closes, when the marker
// "Tem.Atu" lies in the data root, `AtualizaArquivos` runs on its thread and the marker is deleted.
// `janela`, when given, receives the splash window's id while it is open (0 afterwards).
void Abertura(ui::ProcContext& ctx,
              const std::function<std::optional<ui::ProcedureFn>(std::string_view)>& procura,
              std::shared_ptr<std::atomic<int>> janela = nullptr);

// Control numbers of the frame's toolbar; the menu's items are numbered from kPrimeiroMenu on.
namespace quadro {
inline constexpr int kBarra = 9;
inline constexpr int kEmpresa = 10;
inline constexpr int kPeriodo = 11;
inline constexpr int kRotuloEmpresa = 12;
inline constexpr int kCodigoEmpresa = 13;
inline constexpr int kRazaoEmpresa = 14;
inline constexpr int kModoTexto = 15;
inline constexpr int kSair = 16;
inline constexpr int kCalculadora = 17;
inline constexpr int kModoImpressao = 18;
inline constexpr int kRotuloMes = 19;
inline constexpr int kAno = 20;
inline constexpr int kMes = 21;
inline constexpr int kPrimeiroMenu = 1000;
}  // namespace quadro

}  // namespace vorel::shell
