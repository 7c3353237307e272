// The printing set-up: the printing mode window `Configura_Impressora` (toolbar F4 and the menu),
// the storage of the mode and printer it chooses, and the registration of the printing procedures
// by name (`RegisterPrintingProcedures`, called by the shell's own registration).
//
//   ctx.Call("Configura_Impressora");                 // the frame, on its own thread
#pragma once

#include <cstdint>
#include <string>

#include "vorel/shell/printer_codes.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

// Window "Seleciona Impressora".
void Configura_Impressora(ui::ProcContext& ctx);
// The picture of a mode: 1 Video.jpg, 0 Impresso.jpg, otherwise Matri.jpg (folder \Trabalho\Imagens).
std::string ImagemDoModo(std::uint8_t modo);
// Stores the mode and the printer (Vorel.ini section Impressora, keys "Configuração" and
// "Impressora"), sets `ModoImpressao` and `GLO:CODIMPRESSORA` and loads the printer's codes.
// Returns an error text for the user (UTF-8), empty on success; nothing changes on failure.
std::string GravaModoImpressao(std::uint8_t modo, std::uint8_t impressora);

namespace configura {
inline constexpr int kGrupoImpressao = 1, kWindows = 2, kJatoTinta = 3, kDos = 4, kImagem = 5, kGrupoMatricial = 6,
                     kImpressora = 7, kNome = 8, kOk = 9, kCancela = 10, kAjuda = 11;
}

// Adds Configura_Impressora, CarregaCodigosImpressora and the other printing procedures to the
// procedure registry.
void RegisterPrintingProcedures();

}  // namespace vorel::shell
