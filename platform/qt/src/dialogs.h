// Message boxes, popup menus and file dialogs of the procedures, as ordinary windows.
//
// None of them runs a nested event loop: each is shown and answers through its callback once,
// when the user chooses (a button, a menu item, a path, or cancel). The front end disables the
// asking procedure's windows meanwhile; every other window stays usable. `Withdraw` closes one
// whose asker stopped waiting, without answering.
#pragma once

#include <QtWidgets/QWidget>

#include <functional>
#include <string>

#include "vorel/ui/messages.h"

namespace vorel::qt {

// A message box: title, icon, text ('|' a line break), buttons with access letters, a default.
// `answer(n)` gets the 1-based button. Closing the box answers its only button, or the default
// when the last button reads as a cancel; otherwise it stays open.
QWidget* ShowMessageBox(QWidget* parent, const ui::MessageBoxAsked& box, std::function<void(int)> answer);

// A popup menu of `box.buttons` at the mouse ("-" a separator); `answer(n)` gets the 1-based item
// (separators count), 0 when it closes without a choice.
QWidget* ShowPopupMenu(QWidget* parent, const ui::MessageBoxAsked& box, std::function<void(int)> answer);

// A file or folder dialog; `answer(true, path)` or `answer(false, "")` when cancelled.
QWidget* ShowFileDialog(QWidget* parent, const ui::FileDialogAsked& dialog,
                        std::function<void(bool, const std::string&)> answer);

// Closes a dialog whose asker stopped waiting, without answering.
void WithdrawDialog(QWidget* dialog);

// "Imagens | *.bmp;*.gif|Todos | *.*" as Qt name filters ("Imagens (*.bmp *.gif)", "Todos (*.*)").
QStringList NameFilters(const std::string& filter);

}  // namespace vorel::qt
