// MainFrame: the program's main window. Procedure windows live inside it (a multiple-document
// area, with the wallpaper behind them); the application frame's window of the model gives it its
// caption, menu bar, toolbar, status-bar zones and wallpaper.
#pragma once

#include <QtGui/QPixmap>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QToolBar>

#include <functional>
#include <string>
#include <vector>

namespace vorel::qt {

// The area behind the procedure windows, with the frame's wallpaper.
class WallpaperArea : public QMdiArea {
public:
    using QMdiArea::QMdiArea;
    // `layout`: 1 stretched, 2 tiled, 3 centred, anything else at the top-left corner as it is.
    // A blank name or a file that cannot be read leaves no picture.
    void SetWallpaper(const std::string& file, int layout);
    bool HasWallpaper() const { return !picture_.isNull(); }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::string file_;
    int layout_ = 0;
    QPixmap picture_;
};

class MainFrame : public QMainWindow {
public:
    MainFrame();
    WallpaperArea* area() { return area_; }
    QToolBar* toolbar() { return toolbar_; }
    // Zones of the status bar, 1-based: zone 1 is the wide one on the left.
    void SetZone(int zone, const QString& text);
    QString Zone(int zone) const;

    // Called when the user asks to close the main window; return true to let it close now.
    std::function<bool()> onCloseAsked;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    WallpaperArea* area_;
    QToolBar* toolbar_;
    std::vector<QLabel*> zones_;
};

}  // namespace vorel::qt
