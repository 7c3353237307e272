// `SelecionaDiretorio`: the window "Selecione Diretório" that lets the user choose a folder for the
// caller's folder variable (the text report's save window and the export option windows call it).
//
// It runs on the caller's thread with an event loop of its own (no keyboard navigator, no focus
// highlighter) and shows, as this system writes paths, the folder now chosen, a list with that folder (row 1) and its sub-folders
// in upper case, sorted (rows 2 on), "Nível Anterior", and the drive list: this system's roots
// (the drive letters on Windows, the root folder elsewhere), each with its drive type's picture.
// Activating row 1 (Enter or a double click) goes one level up (a root stays), another row goes
// into that sub-folder; "Nível Anterior" is row 1 activated; a drive chosen starts at its root.
//
// Start: a variable naming a folder becomes that folder in program form with a closing backslash,
// and the picker starts there (in upper case); otherwise the variable is cleared and the picker
// starts at the first fixed root. "&OK" puts the chosen folder, with its closing backslash, into
// the variable; "Cancela" and the close box leave what the start put there. The process's working
// folder is never changed. A positive position places the window's top 30 dialog units below it,
// a negative one its bottom 5 units above its absolute value; 0 leaves the window where it opens.
//
//     std::string pasta = "C:\\RELAT";
//     SelecionaDiretorio(ctx, pasta, y, 0);
#pragma once

#include <string>
#include <vector>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void SelecionaDiretorio(ui::ProcContext& ctx, std::string& pasta, long posicao = 0, long naoUsado = 0);

// The roots the drive list offers, in program form with a closing backslash ("C:\", or "\").
struct Unidade {
    std::string raiz;
    int tipo = 3;  // 2 removable, 3 fixed, 4 network, 5 CD, 6 RAM disk
};
std::vector<Unidade> UnidadesDoSistema();

// The folder above `pasta` (program form, closing backslash); a root stays as it is.
std::string PastaAcima(const std::string& pasta);

// Control numbers of the picker.
namespace seleciona_diretorio {
inline constexpr int kEscolhida = 1, kPastas = 2, kImagem = 3, kAcima = 4, kUnidades = 5, kOk = 6, kCancela = 7;
}

}  // namespace vorel::shell
