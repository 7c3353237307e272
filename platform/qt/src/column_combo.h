// The entries of a drop list or combo box, shown in columns when the model gives them cells.
//
// A control whose state has two or more columns and one row of cells per item drops down a table:
// the columns' headings, widths (dialog units) and alignment over the rows' cells. The box's own
// model keeps the item texts in its first column, hidden in the table, so the closed box, typing,
// completion and the picked position stay those of the items; picking any cell of a row picks
// that entry. Any other control drops down its item texts as a plain list.
//
//     auto* box = new ColumnCombo(parent);   // the widget of every drop list and combo
//     ShowEntries(*box, state);              // on every control update; rebuilds only what changed
#pragma once

#include <QtWidgets/QComboBox>

#include "vorel/ui/messages.h"

namespace vorel::qt {

// A combo box whose table popup is tall enough for its heading and its rows (as many as the box
// drops down at most) and drops down below the box.
class ColumnCombo : public QComboBox {
public:
    using QComboBox::QComboBox;
    void showPopup() override;
};

// Puts the state's entries into the box (items, and the cells and columns when it shows a table);
// true when they changed. The current entry is left to the caller.
bool ShowEntries(QComboBox& box, const ui::ControlState& s);

}  // namespace vorel::qt
