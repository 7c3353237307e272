// Message boxes and file dialogs, asked of the front end by the running procedure.
//
// The calling procedure waits for the answer (its windows are shown disabled meanwhile); other
// procedures go on. Buttons are given as the runtime writes them, separated by '|' ("&Não|&Sim");
// the answer is the 1-based button, or 0 when the program is closing. Must be called on a
// procedure thread.
//
//     if (Ask("Deseja continuar???", "Atenção!!!", Icon::Question, "&Não|&Sim") == "&Sim") ...
//     Message("Campo de C.G.C. é Indispensável", "Atenção");
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "vorel/ui/messages.h"

namespace vorel::ui {

std::vector<std::string> SplitButtons(const std::string& buttons);

// Returns the 1-based button chosen (0 when the program is closing).
int Message(const std::string& text, const std::string& title = "", Icon icon = Icon::None,
            const std::string& buttons = "&OK", int defaultButton = 1);
// The same, returning the chosen button's caption ("" when the program is closing).
std::string Ask(const std::string& text, const std::string& title, Icon icon, const std::string& buttons,
                int defaultButton = 1);

struct FileRequest {
    std::string title;
    std::string filter;       // "Imagens | *.bmp;*.gif|Todos | *.*"
    std::string folder;       // where the dialog starts
    std::string initial;      // the current file name
    bool save = false;
    bool chooseFolder = false;
};
// Returns the chosen path, or nullopt when cancelled (or the program is closing).
std::optional<std::string> ChooseFile(const FileRequest& request);

// A file or folder dialog with its title and filter; the folder it starts in is given per call,
// so no procedure changes the process's current folder for it.
class FileChooser {
public:
    FileChooser(std::string title, std::string filter = {}) : title_(std::move(title)), filter_(std::move(filter)) {}
    std::optional<std::string> File(const std::string& folder, const std::string& current = {}, bool save = false) const {
        return ChooseFile({title_, filter_, folder, current, save, false});
    }
    std::optional<std::string> Folder(const std::string& folder) const {
        return ChooseFile({title_, {}, folder, {}, false, true});
    }

private:
    std::string title_, filter_;
};

}  // namespace vorel::ui
