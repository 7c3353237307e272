// ExcluiArquivos: deletes a folder under the data root with everything in it, showing its
// progress, on the calling procedure's thread.
//
// Each folder it empties has a window of its own (no caption: "Reorganizando arquivos",
// "Diretório:" with the folder, "Arquivo:" with the file being deleted); a folder inside it opens
// its window on top and closes it when done. The window's state changes with every entry, and is
// sent to the front end at most every 50 ms (and whenever a window opens), so a folder of many
// files is not held up by its drawing. The delete is refused unless the folder lies strictly
// inside `raiz`; what could not be deleted stays and is returned (program paths).
//
//     auto falhas = ExcluiArquivos(ctx, PastaRaiz & "00000042", PastaRaiz);
#pragma once

#include <string>
#include <vector>

#include "vorel/core/paths.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

std::vector<files::DeleteFailure> ExcluiArquivos(ui::ProcContext& ctx, const std::string& pasta,
                                                 const std::string& raiz);

}  // namespace vorel::shell
