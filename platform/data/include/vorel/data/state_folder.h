// The engine's state folder: where each connection's empty main database lies, beside which SQLite
// writes the super-journal of a commit over several files. It must survive a crash (not a tmpfs):
// by default $VOREL_STATE_DIR, else $XDG_STATE_HOME/Vorel, else ~/.local/state/Vorel. Tests point it
// into their temporary folder.
#pragma once

#include <filesystem>

namespace vorel::data {

std::filesystem::path state_folder();
void set_state_folder(const std::filesystem::path& folder);

}  // namespace vorel::data
