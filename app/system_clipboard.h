// SystemClipboard: the desktop's clipboard for the shell's windows (the calculator reads its first
// value from it and leaves its result on it).
//
// Procedure threads never wait for the GUI thread, so the clipboard's text is mirrored: the GUI
// thread copies every change of the desktop clipboard into the mirror, a procedure reads the
// mirror, and a procedure's write goes into the mirror at once and is handed to the GUI thread to
// put on the desktop clipboard. Made and destroyed on the GUI thread, after the QApplication and
// around the runtime's life (procedure threads joined before it goes).
//
//     vorel::app::SystemClipboard clipboard;   // installs itself into the shell
#pragma once

#include <memory>

namespace vorel::app {

class SystemClipboard {
public:
    SystemClipboard();
    ~SystemClipboard();  // the shell goes back to its own kept text
    SystemClipboard(const SystemClipboard&) = delete;
    SystemClipboard& operator=(const SystemClipboard&) = delete;

    struct State;

private:
    std::shared_ptr<State> state_;
};

}  // namespace vorel::app
