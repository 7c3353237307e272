#include "vorel/report/renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <variant>

#include "vorel/core/text.h"

namespace vorel::report {

namespace {

QString qstring(const std::string& cp1252) { return QString::fromStdString(text::to_utf8(cp1252)); }

QFont qfont(const Font& f) {
    QFont font(qstring(f.family));
    // Sizes in mils of the paper: the painter is scaled to mils, so the size holds on every device.
    font.setPixelSize(std::max(1, f.points * 1000 / 72));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    if (f.fixed_pitch) {
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
    }
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPen qpen(Mils width) {
    if (width <= 0) return QPen(Qt::NoPen);
    QPen pen(Qt::black);
    pen.setWidthF(width);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

struct Painter {
    QPainter& p;
    mutable const Font* current = nullptr;  // the font set last: consecutive texts share it
    void operator()(const TextItem& t) const {
        if (current == nullptr || !(*current == t.font)) {
            p.setFont(qfont(t.font));
            current = &t.font;
        }
        p.setPen(Qt::black);
        int flags = Qt::AlignTop | Qt::TextSingleLine;
        flags |= t.align == Align::Left ? Qt::AlignLeft : t.align == Align::Right ? Qt::AlignRight : Qt::AlignHCenter;
        QRectF box(t.box.x, t.box.y, t.box.width, t.box.height);
        if (t.box.width <= 0 || t.box.height <= 0) {
            flags |= Qt::TextDontClip;
            if (t.box.width <= 0) box.setWidth(0);
            if (t.box.height <= 0) box.setHeight(0);
        }
        p.drawText(box, flags, qstring(t.text));
    }
    void operator()(const LineItem& l) const {
        p.setPen(qpen(l.pen));
        p.drawLine(QPointF(l.x1, l.y1), QPointF(l.x2, l.y2));
    }
    void operator()(const BoxItem& b) const {
        p.setPen(qpen(b.pen));
        p.setBrush(b.fill >= 0 ? QBrush(QColor(b.fill, b.fill, b.fill)) : QBrush(Qt::NoBrush));
        p.drawRect(QRectF(b.box.x, b.box.y, b.box.width, b.box.height));
        p.setBrush(Qt::NoBrush);
    }
    void operator()(const ImageItem& i) const {
        QImage image(QString::fromStdString(text::to_utf8(i.path)));
        if (image.isNull()) return;  // a missing picture leaves its place empty
        p.drawImage(QRectF(i.box.x, i.box.y, i.box.width, i.box.height), image);
    }
};

}  // namespace

void paint_page(QPainter& painter, const Page& page, double dpi_x, double dpi_y) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(dpi_x / 1000.0, dpi_y / 1000.0);
    const Painter draw{painter};
    for (const Item& item : page.items) std::visit(draw, item);
    painter.restore();
}

QImage page_image(const Page& page, double dpi) {
    const int w = static_cast<int>(page.width() * dpi / 1000.0 + 0.5);
    const int h = static_cast<int>(page.height() * dpi / 1000.0 + 0.5);
    QImage image(w, h, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    paint_page(painter, page, dpi, dpi);
    painter.end();
    return image;
}

Mils text_width(const Font& font, const std::string& text) {
    return static_cast<Mils>(QFontMetricsF(qfont(font)).horizontalAdvance(qstring(text)) + 0.999);
}

}  // namespace vorel::report
