#include "vorel/report/page_model.h"

#include <cstdio>
#include <iterator>

#include "vorel/core/text.h"

namespace vorel::report {

void Document::prepend(Document other) {
    other.pages.insert(other.pages.end(), std::make_move_iterator(pages.begin()),
                       std::make_move_iterator(pages.end()));
    pages = std::move(other.pages);
}

void Document::append(Document other) {
    pages.insert(pages.end(), std::make_move_iterator(other.pages.begin()),
                 std::make_move_iterator(other.pages.end()));
}

namespace {

void replace_all(std::string& s, std::string_view what, const std::string& with) {
    for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + with.size()))
        s.replace(at, what.size(), with);
}

const char* orientation_name(Orientation o) { return o == Orientation::Portrait ? "portrait" : "landscape"; }

const char* align_name(Align a) {
    switch (a) {
        case Align::Left: return "left";
        case Align::Center: return "center";
        case Align::Right: return "right";
    }
    return "?";
}

std::string quoted(std::string_view cp1252) {
    std::string out = "\"";
    for (char c : text::to_utf8(cp1252)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + '"';
}

std::string font_text(const Font& f) {
    std::string s = quoted(f.family) + ' ' + std::to_string(f.points) + "pt";
    if (f.bold) s += " bold";
    if (f.italic) s += " italic";
    if (f.underline) s += " underline";
    if (f.fixed_pitch) s += " fixed";
    return s;
}

std::string rect_text(const Rect& r) {
    return std::to_string(r.x) + ',' + std::to_string(r.y) + ' ' + std::to_string(r.width) + 'x' +
           std::to_string(r.height);
}

struct ItemText {
    std::string& out;
    void operator()(const TextItem& t) const {
        out += "  text " + rect_text(t.box) + ' ' + align_name(t.align) + ' ' + font_text(t.font) + ' ' +
               quoted(t.text) + (t.numbering ? " (unnumbered)" : "") + '\n';
    }
    void operator()(const LineItem& l) const {
        out += "  line " + std::to_string(l.x1) + ',' + std::to_string(l.y1) + ' ' + std::to_string(l.x2) +
               ',' + std::to_string(l.y2) + " pen " + std::to_string(l.pen) + '\n';
    }
    void operator()(const BoxItem& b) const {
        out += "  box " + rect_text(b.box) + " pen " + std::to_string(b.pen);
        if (b.fill >= 0) out += " fill " + std::to_string(b.fill);
        out += '\n';
    }
    void operator()(const ImageItem& i) const {
        out += "  image " + rect_text(i.box) + ' ' + quoted(i.path) + '\n';
    }
};

}  // namespace

void resolve_page_numbers(std::vector<Page>& pages, int page_count) {
    const std::string count = std::to_string(page_count);
    for (Page& page : pages) {
        const std::string number = std::to_string(page.number);
        for (Item& item : page.items) {
            auto* t = std::get_if<TextItem>(&item);
            if (t == nullptr || !t->numbering) continue;
            replace_all(t->text, "{page}", number);
            replace_all(t->text, "{pages}", count);
            t->numbering = false;
        }
    }
}

std::string to_text(const Document& d) {
    std::string out = "document " + quoted(d.title) + ' ' + orientation_name(d.orientation) + " paper " +
                      std::to_string(d.paper.width) + 'x' + std::to_string(d.paper.height) + " pages " +
                      std::to_string(d.pages.size()) + '\n';
    for (std::size_t i = 0; i < d.pages.size(); ++i) {
        const Page& p = d.pages[i];
        out += "page " + std::to_string(i + 1) + " number " + std::to_string(p.number) + ' ' +
               orientation_name(p.orientation) + ' ' + std::to_string(p.width()) + 'x' +
               std::to_string(p.height()) + '\n';
        for (const Item& item : d.pages[i].items) std::visit(ItemText{out}, item);
    }
    return out;
}

}  // namespace vorel::report
