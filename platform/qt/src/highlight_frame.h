// HighlightFrame: the focus highlighter's box, drawn behind the focused control a few pixels
// around it, in the model's pen and fill colours.
#pragma once

#include <QtGui/QPainter>
#include <QtWidgets/QWidget>

namespace vorel::qt {

class HighlightFrame : public QWidget {
public:
    explicit HighlightFrame(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName("highlight");
    }
    QColor pen, fill;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (fill.isValid()) p.fillRect(rect(), fill);
        p.setPen(pen.isValid() ? pen : QColor(Qt::black));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

}  // namespace vorel::qt
