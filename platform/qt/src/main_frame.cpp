// The main window: multiple-document area with wallpaper, toolbar, status-bar zones.
#include "main_frame.h"

#include <QtGui/QCloseEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QStatusBar>

#include "qt_convert.h"

namespace vorel::qt {

void WallpaperArea::SetWallpaper(const std::string& file, int layout) {
    if (file == file_ && layout == layout_) return;
    file_ = file;
    layout_ = layout;
    QString name = Q(file).trimmed();
    name.replace('\\', '/');
    picture_ = name.isEmpty() ? QPixmap() : QPixmap(name);
    viewport()->update();
}

void WallpaperArea::paintEvent(QPaintEvent* e) {
    QMdiArea::paintEvent(e);
    if (picture_.isNull()) return;
    QPainter p(viewport());
    QRect r = viewport()->rect();
    switch (layout_) {
        case 1: p.drawPixmap(r, picture_); break;
        case 2: p.drawTiledPixmap(r, picture_); break;
        case 3: p.drawPixmap(r.center() - QPoint(picture_.width() / 2, picture_.height() / 2), picture_); break;
        default: p.drawPixmap(0, 0, picture_); break;
    }
}

MainFrame::MainFrame() {
    setObjectName("frame");
    area_ = new WallpaperArea(this);
    area_->setObjectName("area");
    area_->setBackground(QColor(0x80, 0x80, 0x80));
    setCentralWidget(area_);
    toolbar_ = addToolBar("toolbar");
    toolbar_->setObjectName("toolbar");
    toolbar_->setMovable(false);
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar_->hide();
    for (int i = 0; i < 4; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QString("zone-%1").arg(i + 1));
        l->setMinimumWidth(i == 0 ? 200 : 80);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
        if (i == 0) statusBar()->addWidget(l, 1);
        else statusBar()->addPermanentWidget(l);
        zones_.push_back(l);
    }
    resize(1024, 700);
}

void MainFrame::SetZone(int zone, const QString& text) {
    if (zone < 1 || zone > static_cast<int>(zones_.size())) return;
    QLabel* l = zones_[static_cast<std::size_t>(zone - 1)];
    if (l->text() != text) l->setText(text);
}

QString MainFrame::Zone(int zone) const {
    if (zone < 1 || zone > static_cast<int>(zones_.size())) return {};
    return zones_[static_cast<std::size_t>(zone - 1)]->text();
}

void MainFrame::closeEvent(QCloseEvent* e) {
    if (!onCloseAsked || onCloseAsked()) e->accept();
    else e->ignore();
}

}  // namespace vorel::qt
