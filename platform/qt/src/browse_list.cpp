// The list control's widget.
#include "browse_list.h"

#include <QtGui/QMouseEvent>
#include <QtGui/QResizeEvent>
#include <QtGui/QShowEvent>
#include <QtGui/QWheelEvent>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtGui/QPainter>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QStyle>
#include <QtWidgets/QStyledItemDelegate>

#include "qt_convert.h"

#include <algorithm>
#include <cmath>

namespace vorel::qt {

namespace {

// Paints a cell's text from its very left edge, blanks included, on its background.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QVariant bg = index.data(Qt::BackgroundRole);
        if (bg.isValid()) p->fillRect(option.rect, bg.value<QColor>());
        QVariant fg = index.data(Qt::ForegroundRole);
        p->save();
        p->setFont(option.font);
        p->setPen(fg.isValid() ? fg.value<QColor>() : option.palette.color(QPalette::Text));
        p->setClipRect(option.rect);
        p->drawText(option.rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, index.data().toString());
        p->restore();
    }
};

}  // namespace

BrowseList::BrowseList(QWidget* parent) : QTableWidget(parent) {
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFocusPolicy(Qt::StrongFocus);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    setShowGrid(true);
    setMinimumHeight(fontMetrics().height() * 8);
}

void BrowseList::SizeColumns() {
    const QFontMetricsF metrics(font());
    for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
        int w = columns_[static_cast<std::size_t>(i)].width;
        if (characterGrid_) {
            // A face's advance is rarely a whole pixel: the column takes its characters' whole width.
            setColumnHidden(i, w <= 0);
            if (w > 0) setColumnWidth(i, static_cast<int>(std::ceil(metrics.horizontalAdvance(QString((w + 3) / 4, '0')))));
        } else {
            setColumnHidden(i, false);
            if (w > 0) setColumnWidth(i, DluX(w) + 8);
        }
    }
}

void BrowseList::Show(const ui::ControlState& s) {
    bool grid = !s.font.empty() && QFontInfo(font()).fixedPitch();
    if (grid != characterGrid_) {
        characterGrid_ = grid;
        setShowGrid(!grid);
        setItemDelegate(grid ? new GridCellDelegate(this) : new QStyledItemDelegate(this));
        horizontalHeader()->setStretchLastSection(!grid);
        verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + (grid ? 2 : 4));
        columns_.clear();  // sized again below
    }
    if (!(s.columns == columns_)) {
        columns_ = s.columns;
        setColumnCount(static_cast<int>(columns_.size()));
        QStringList headings;
        for (const auto& c : columns_) headings << Q(c.heading);
        setHorizontalHeaderLabels(headings);
        SizeColumns();
        for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
            Qt::Alignment a = columns_[static_cast<std::size_t>(i)].align == 'R'   ? Qt::AlignRight
                              : columns_[static_cast<std::size_t>(i)].align == 'C' ? Qt::AlignHCenter
                                                                                    : Qt::AlignLeft;
            if (auto* h = horizontalHeaderItem(i)) h->setTextAlignment(a | Qt::AlignVCenter);
        }
    }
    int nrows = static_cast<int>(s.rows.size());
    setRowCount(nrows);
    const QPalette& pal = palette();
    for (int r = 0; r < nrows; ++r) {
        const ui::Row& row = s.rows[static_cast<std::size_t>(r)];
        bool highlighted = r + 1 == s.selected;
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) {
                it = new QTableWidgetItem;
                setItem(r, c, it);
            }
            const ui::Cell* cell = c < static_cast<int>(row.size()) ? &row[static_cast<std::size_t>(c)] : nullptr;
            QString text = cell ? Q(cell->text) : QString();
            it->setText(characterGrid_ ? text : text.trimmed());
            char align = c < static_cast<int>(columns_.size()) ? columns_[static_cast<std::size_t>(c)].align : 'L';
            it->setTextAlignment((align == 'R' ? Qt::AlignRight : align == 'C' ? Qt::AlignHCenter : Qt::AlignLeft) |
                                 Qt::AlignVCenter);
            QColor fg, bg;
            if (highlighted) {
                fg = cell ? ColourOf(cell->selFg) : QColor();
                bg = cell ? ColourOf(cell->selBg) : QColor();
                if (!fg.isValid()) fg = pal.color(QPalette::HighlightedText);
                if (!bg.isValid()) bg = pal.color(QPalette::Highlight);
            } else if (cell) {
                fg = ColourOf(cell->fg);
                bg = ColourOf(cell->bg);
            }
            it->setData(Qt::ForegroundRole, fg.isValid() ? QVariant(fg) : QVariant());
            it->setData(Qt::BackgroundRole, bg.isValid() ? QVariant(bg) : QVariant());
        }
    }
    if (!characterGrid_) FitColumns();
    if (s.selected >= 1 && s.selected <= nrows) scrollToItem(item(s.selected - 1, 0));
}

void BrowseList::FitColumns() {
    // The widths come in dialog units of the old program's font: a column grows (never shrinks,
    // so paging does not make it jump) until its heading and the texts it shows are whole.
    const QFontMetrics cells(font());
    const QFontMetrics heads(horizontalHeader()->font());
    const int cellPad = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 10;
    const int headPad = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this) + 8;
    for (int c = 0; c < columnCount(); ++c) {
        if (isColumnHidden(c)) continue;
        int want = 0;
        if (const QTableWidgetItem* h = horizontalHeaderItem(c)) want = heads.horizontalAdvance(h->text()) + headPad;
        for (int r = 0; r < rowCount(); ++r)
            if (const QTableWidgetItem* it = item(r, c)) want = std::max(want, cells.horizontalAdvance(it->text()) + cellPad);
        if (want > columnWidth(c)) setColumnWidth(c, want);
    }
}

QSize BrowseList::sizeHint() const {
    int w = 2 * frameWidth() + 4;
    for (int i = 0; i < columnCount(); ++i) w += columnWidth(i);
    int h = 2 * frameWidth() + horizontalHeader()->sizeHint().height() + verticalHeader()->defaultSectionSize() * 10;
    return {std::max(w, 200), h};
}

void BrowseList::mousePressEvent(QMouseEvent* e) {
    setFocus(Qt::MouseFocusReason);
    int r = rowAt(static_cast<int>(e->position().y()));
    if (r >= 0 && onPick) onPick(r + 1, false);
    e->accept();
}

void BrowseList::mouseDoubleClickEvent(QMouseEvent* e) {
    int r = rowAt(static_cast<int>(e->position().y()));
    if (r >= 0 && onPick) onPick(r + 1, true);
    e->accept();
}

void BrowseList::wheelEvent(QWheelEvent* e) {
    int steps = e->angleDelta().y() / 120;
    if (steps != 0 && onScroll) onScroll(-steps * 3);
    e->accept();
}

int BrowseList::rowsFit() const {
    int rowHeight = std::max(1, verticalHeader()->defaultSectionSize());
    return std::max(1, viewport()->height() / rowHeight);
}

void BrowseList::ReportRowsFit() {
    if (!isVisible()) return;
    int rows = rowsFit();
    if (rows == reportedRows_) return;
    reportedRows_ = rows;
    if (onRowsFit) onRowsFit(rows);
}

void BrowseList::resizeEvent(QResizeEvent* e) {
    QTableWidget::resizeEvent(e);
    ReportRowsFit();
}

void BrowseList::showEvent(QShowEvent* e) {
    QTableWidget::showEvent(e);
    ReportRowsFit();
}

}  // namespace vorel::qt
