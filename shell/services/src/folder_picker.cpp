// SelecionaDiretorio ("Selecione Diretório"): the folder dialog for a caller's folder variable.
#include "vorel/shell/folder_picker.h"

#include <cstdlib>
#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/ui/message_box.h"

namespace vorel::shell {

namespace {

std::string ComBarra(std::string s) {
    if (s.empty() || s.back() != '\\') s += '\\';
    return s;
}

// A path the dialog answered (UTF-8, native or program form) in program form.
std::string FormaPrograma(const std::string& utf8) {
    std::string cp = text::from_utf8(utf8);
    if (!cp.empty() && cp.front() == '/') return files::to_program_path(files::resolve(cp));
    return cp;
}

}  // namespace

void SelecionaDiretorio(ui::ProcContext&, std::string& pasta, long, long) {
    std::string inicio;
    if (!text::clip(pasta).empty() && files::is_folder(pasta)) {
        pasta = ComBarra(std::string(text::clip(pasta)));
        inicio = text::to_utf8(files::resolve(pasta).string());
    } else {
        pasta.clear();
        const char* home = std::getenv("HOME");
        inicio = home ? home : "/";
    }
    ui::FileChooser chooser("Selecione Diretório");
    if (auto escolhida = chooser.Folder(inicio); escolhida && !escolhida->empty())
        pasta = ComBarra(FormaPrograma(*escolhida));
}

}  // namespace vorel::shell
