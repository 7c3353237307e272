// The entries of a drop list or combo box: a plain list, or a table of the entries' cells.
#include "column_combo.h"

#include <QtGui/QScreen>
#include <QtGui/QStandardItemModel>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QListView>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QTreeView>

#include "qt_convert.h"

#include <algorithm>

namespace vorel::qt {

namespace {

constexpr int kWidthRole = Qt::UserRole + 1;  // a heading's width in dialog units

Qt::Alignment AlignmentOf(char align) {
    switch (align) {
        case 'R': return Qt::AlignRight | Qt::AlignVCenter;
        case 'C': return Qt::AlignHCenter | Qt::AlignVCenter;
        default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const ui::Cell* CellAt(const ui::Row& row, std::size_t column) { return column < row.size() ? &row[column] : nullptr; }

// Whether the model holds the state's entries as they are shown (items only, or items and cells).
bool Holds(const QStandardItemModel& m, const ui::ControlState& s, bool table) {
    const std::size_t columns = table ? s.columns.size() : 0;
    if (m.rowCount() != static_cast<int>(s.items.size()) || m.columnCount() != static_cast<int>(columns) + 1)
        return false;
    for (std::size_t c = 0; c < columns; ++c) {
        const QStandardItem* h = m.horizontalHeaderItem(static_cast<int>(c) + 1);
        if (!h || h->text() != Q(s.columns[c].heading) || h->data(kWidthRole).toInt() != s.columns[c].width ||
            h->textAlignment() != AlignmentOf(s.columns[c].align))
            return false;
    }
    for (std::size_t r = 0; r < s.items.size(); ++r) {
        const int row = static_cast<int>(r);
        const QStandardItem* item = m.item(row, 0);
        if (!item || item->text() != Q(s.items[r])) return false;
        for (std::size_t c = 0; c < columns; ++c) {
            const QStandardItem* cell = m.item(row, static_cast<int>(c) + 1);
            const ui::Cell* want = CellAt(s.rows[r], c);
            if (!cell || cell->text() != Q(want ? want->text : std::string())) return false;
        }
    }
    return true;
}

// Two or more columns and a row of cells per item: the entries drop down as a table.
bool ShowsColumns(const ui::ControlState& s) {
    return s.columns.size() >= 2 && !s.rows.empty() && s.rows.size() == s.items.size();
}

QTreeView* NewTable() {
    auto* t = new QTreeView;
    t->setRootIsDecorated(false);
    t->setItemsExpandable(false);
    t->setUniformRowHeights(true);
    t->setAllColumnsShowFocus(true);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->header()->setSectionsMovable(false);
    t->header()->setStretchLastSection(true);
    return t;
}

}  // namespace

void ColumnCombo::showPopup() {
    // The box sizes its popup by the rows of its item column, which the table hides, and leaves
    // out the heading: the table asks for the height of both.
    if (auto* table = qobject_cast<QTreeView*>(view()); table && count() > 0) {
        const int rows = std::min(count(), std::max(1, maxVisibleItems()));
        int rowHeight = table->visualRect(model()->index(0, 1)).height();
        if (rowHeight <= 0) rowHeight = fontMetrics().height() + 4;
        table->setMinimumHeight(table->header()->sizeHint().height() + rows * rowHeight + 2 * table->frameWidth());
    }
    QComboBox::showPopup();
    // A table drops down below the box (above it when the screen has no room below), not over it
    // as a menu would: its heading would hide the box.
    auto* table = qobject_cast<QTreeView*>(view());
    QWidget* popup = table ? table->window() : nullptr;
    if (!popup || popup == window()) return;
    QRect g = popup->geometry();
    g.moveTopLeft(mapToGlobal(QPoint(0, height())));
    if (const QScreen* s = screen()) {
        const QRect room = s->availableGeometry();
        if (g.bottom() > room.bottom()) g.moveBottom(mapToGlobal(QPoint(0, 0)).y() - 1);
        if (g.top() < room.top()) g.moveTop(room.top());
        if (g.right() > room.right()) g.moveRight(room.right());
        if (g.left() < room.left()) g.moveLeft(room.left());
    }
    popup->move(g.topLeft());
}

bool ShowEntries(QComboBox& box, const ui::ControlState& s) {
    const bool table = ShowsColumns(s);
    auto* model = qobject_cast<QStandardItemModel*>(box.model());
    auto* tree = qobject_cast<QTreeView*>(box.view());
    if (!table && !tree) {
        // A plain list: the box's texts, as they were always shown.
        QStringList items;
        for (const auto& i : s.items) items << Q(i);
        QStringList have;
        for (int i = 0; i < box.count(); ++i) have << box.itemText(i);
        if (have == items) return false;
        box.clear();
        box.addItems(items);
        return true;
    }
    if (model && Holds(*model, s, table) && (tree != nullptr) == table) return false;

    box.clear();
    if (!table) {
        box.setView(new QListView);
        if (model) model->setColumnCount(1);
        QStringList items;
        for (const auto& i : s.items) items << Q(i);
        box.addItems(items);
        return true;
    }
    if (!model) {  // a box always starts with its own item model; one given elsewhere is replaced
        model = new QStandardItemModel(&box);
        box.setModel(model);
    }
    const int columns = static_cast<int>(s.columns.size());
    model->setColumnCount(columns + 1);
    for (int c = 0; c < columns; ++c) {
        const ui::Column& col = s.columns[static_cast<std::size_t>(c)];
        auto* h = new QStandardItem(Q(col.heading));
        h->setData(col.width, kWidthRole);
        h->setTextAlignment(AlignmentOf(col.align));
        model->setHorizontalHeaderItem(c + 1, h);
    }
    for (std::size_t r = 0; r < s.items.size(); ++r) {
        QList<QStandardItem*> cells;
        auto* item = new QStandardItem(Q(s.items[r]));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        cells << item;
        for (int c = 0; c < columns; ++c) {
            const ui::Cell* cell = CellAt(s.rows[r], static_cast<std::size_t>(c));
            auto* shown = new QStandardItem(Q(cell ? cell->text : std::string()));
            shown->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            shown->setTextAlignment(AlignmentOf(s.columns[static_cast<std::size_t>(c)].align));
            cells << shown;
        }
        model->appendRow(cells);
    }
    if (!tree) {
        tree = NewTable();
        box.setView(tree);
        box.setItemDelegate(new QStyledItemDelegate(&box));
    }
    tree->setColumnHidden(0, true);
    int width = 0;
    for (int c = 0; c < columns; ++c) {
        const int w = DluX(s.columns[static_cast<std::size_t>(c)].width);
        tree->setColumnWidth(c + 1, w);
        width += w;
    }
    width += 2 * tree->frameWidth() + tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree);
    tree->setMinimumWidth(width);
    return true;
}

}  // namespace vorel::qt
