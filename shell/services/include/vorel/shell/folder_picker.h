// `SelecionaDiretorio`: lets the user choose a folder for the caller's folder variable (the text
// report's save window and the export option windows call it).
//
// The folder dialog of the front end opens on the variable's folder (the user's home folder when
// the variable is blank or names no folder). OK puts the chosen folder into the variable, in
// program form with a closing backslash; Cancel leaves the start folder there with a closing
// backslash, or blank when it named no folder. The process's working folder is never changed.
// The position arguments are kept for the callers; the front end places the dialog.
//
//     std::string pasta = "C:\\RELAT";
//     SelecionaDiretorio(ctx, pasta, y, 0);
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void SelecionaDiretorio(ui::ProcContext& ctx, std::string& pasta, long posicao = 0, long naoUsado = 0);

}  // namespace vorel::shell
