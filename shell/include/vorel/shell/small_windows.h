// Small windows of the menu: `Sobre` (the about window, "Sobre o  Sistema") and `TrocaPapelParede`
// (the wallpaper settings, "Trocar Papel Parede", section `Papel_Parede` of Vorel.ini). Both are
// procedures started by the menu on threads of their own.
//
// The wallpaper window's preview is an image control whose text is the picture file (UTF-8) and
// whose value is the layout ("1" stretched, "2" tiled, "3" centred, "" none).
#pragma once

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void Sobre(ui::ProcContext& ctx);
void TrocaPapelParede(ui::ProcContext& ctx);

namespace papel {
inline constexpr int kGrupo = 1, kArquivo = 2, kPesquisa = 3, kDisposicao = 4, kAmpliado = 5, kLadoALado = 6,
                     kCentralizado = 7, kImagem = 8, kNenhum = 9, kOk = 10, kCancela = 11, kAjuda = 12;
}

}  // namespace vorel::shell
