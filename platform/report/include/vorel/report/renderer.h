// The one renderer of the page model: paints a Page on a QPainter, for the screen, the printer
// and PDF alike.
//
// The painter's device must have `dpi_x` by `dpi_y` dots per inch with (0, 0) at the paper's
// top-left corner (a printer set to full-page mode, a QPdfWriter without margins, an image).
// Font sizes are taken as points of the paper, whatever the device. Qt Gui only; works off the GUI
// thread, in any process that has a QGuiApplication.
//
//   QPainter painter(&device);
//   paint_page(painter, document.pages[i], device.logicalDpiX(), device.logicalDpiY());
#pragma once

#include "vorel/report/page_model.h"

class QPainter;
class QImage;

namespace vorel::report {

void paint_page(QPainter& painter, const Page& page, double dpi_x, double dpi_y);

// The page painted on a white image of `dpi` dots per inch (the previewer's page images).
QImage page_image(const Page& page, double dpi);

// The width in mils that `text` (Windows-1252) takes when painted in `font`: what a text's box
// must hold for the renderer to draw it whole (it cuts a text at its box).
Mils text_width(const Font& font, const std::string& text);

}  // namespace vorel::report
