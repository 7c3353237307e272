// Bands: the pieces a page report is made of (page header, detail, group header and footer,
// page footer, form, closing band).
//
// A Band has a height and a paint function. The paint function draws through a BandPainter in
// coordinates relative to the band's top-left corner; the ReportController decides where on which
// page the band lands and offsets what it draws. A band reads the report's own variables (captured
// by the lambda) as they stand at the moment it is printed, so a page footer shows running totals
// as they stand when its page ends.
//
//   Band detail{240, [&](BandPainter& p) {
//       p.text({156, 0, 1000, 125}, cnpj, small);
//       p.text({6000, 0, 1000, 125}, amount, small, Align::Right);
//       p.line(0, 235, 7500, 235);
//   }};
#pragma once

#include <functional>
#include <string>

#include "vorel/report/page_model.h"

namespace vorel::report {

class BandPainter {
public:
    BandPainter(Page& page, Mils origin_x, Mils origin_y) : page_(page), x_(origin_x), y_(origin_y) {}

    void text(Rect box, std::string text, const Font& font, Align align = Align::Left);
    // Text filled when the report ends: {page} is the page's number, {pages} the number of the
    // report's last page ("Página {page} de {pages}").
    void page_text(Rect box, std::string pattern, const Font& font, Align align = Align::Left);
    void line(Mils x1, Mils y1, Mils x2, Mils y2, Mils pen = 10);
    void box(Rect box, Mils pen = 10, int fill = -1);
    void image(Rect box, std::string path);

    int page_number() const { return page_.number; }

private:
    Rect at(Rect r) const { return {r.x + x_, r.y + y_, r.width, r.height}; }
    Page& page_;
    Mils x_;
    Mils y_;
};

struct Band {
    Mils height = 0;
    std::function<void(BandPainter&)> paint;
    explicit operator bool() const { return static_cast<bool>(paint); }
};

}  // namespace vorel::report
