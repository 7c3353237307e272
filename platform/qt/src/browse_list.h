// BrowseList: the widget of a list control (a browse's page of rows).
//
// The model owns the rows shown, the highlighted row and the paging: this widget draws the columns
// (heading, width in dialog units, alignment), the cells with their colours (the highlighted row
// in the cell's selected colours, or the palette's highlight) and reports the user's mouse: a click
// picks a row, a double click picks and accepts it, the wheel scrolls by rows. Keys are posted by
// the window (Up, Down, PageUp, PageDown, Home, End page through the model).
// A list in a fixed-pitch face that its control names is a grid of characters (a text report's
// lines cut in pieces): each column is exactly as wide as its characters (a quarter of its width in
// dialog units), the cells keep their blanks and abut with no margin or grid line, and a column of
// width 0 is not shown, so the pieces of a line read as the line.
#pragma once

#include <QtWidgets/QTableWidget>

#include <functional>

#include "vorel/ui/messages.h"

namespace vorel::qt {

class BrowseList : public QTableWidget {
public:
    explicit BrowseList(QWidget* parent = nullptr);
    void Show(const ui::ControlState& s);
    QSize sizeHint() const override;  // every column's width, about ten rows

    std::function<void(int row, bool accept)> onPick;  // 1-based row
    std::function<void(int rows)> onScroll;           // negative: up
    std::function<void(int rows)> onRowsFit;          // whole rows that fit now (>= 1), on a change
    int rowsFit() const;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void ReportRowsFit();
    void SizeColumns();
    void FitColumns();  // columns grown to show their heading and cells whole
    std::vector<ui::Column> columns_;
    bool characterGrid_ = false;
    int reportedRows_ = 0;
};

}  // namespace vorel::qt
