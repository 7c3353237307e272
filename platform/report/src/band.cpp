#include "vorel/report/band.h"

namespace vorel::report {

void BandPainter::text(Rect box, std::string text, const Font& font, Align align) {
    page_.items.emplace_back(TextItem{at(box), std::move(text), font, align, false});
}

void BandPainter::page_text(Rect box, std::string pattern, const Font& font, Align align) {
    page_.items.emplace_back(TextItem{at(box), std::move(pattern), font, align, true});
}

void BandPainter::line(Mils x1, Mils y1, Mils x2, Mils y2, Mils pen) {
    page_.items.emplace_back(LineItem{x1 + x_, y1 + y_, x2 + x_, y2 + y_, pen});
}

void BandPainter::box(Rect r, Mils pen, int fill) { page_.items.emplace_back(BoxItem{at(r), pen, fill}); }

void BandPainter::image(Rect r, std::string path) { page_.items.emplace_back(ImageItem{at(r), std::move(path)}); }

}  // namespace vorel::report
