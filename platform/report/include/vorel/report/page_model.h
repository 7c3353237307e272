// The page model: what a page report produces, before anything paints it.
//
// A Document is a list of pages of positioned items (text, lines, boxes, images) on one paper
// size and orientation. Every position and size is in thousandths of an inch (Mils), measured from
// the top-left corner of the paper as it lies (a landscape page is wider than tall). Text is
// Windows-1252. The renderer (renderer.h) paints this model for the screen, the printer and PDF;
// tests read it as data or as deterministic text (`to_text`).
//
// Page numbering that depends on the final page count ("page of pages") is kept as a template in
// the text item ({page}, {pages}) until the report ends; `resolve_page_numbers` fills it.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace vorel::report {

using Mils = std::int32_t;  // thousandths of an inch

constexpr Mils from_mm(double mm) { return static_cast<Mils>(mm * 1000.0 / 25.4 + (mm >= 0 ? 0.5 : -0.5)); }

enum class Orientation { Portrait, Landscape };

struct Paper {
    Mils width = 8500;    // portrait width (Letter by default)
    Mils height = 11000;  // portrait height
    static Paper letter() { return {8500, 11000}; }
    static Paper a4() { return {8268, 11693}; }
    friend bool operator==(const Paper&, const Paper&) = default;
};

struct Font {
    std::string family = "Arial";
    int points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool fixed_pitch = false;  // ask for a fixed-pitch face when the family is missing
    friend bool operator==(const Font&, const Font&) = default;
};

enum class Align { Left, Center, Right };

struct Rect {
    Mils x = 0, y = 0, width = 0, height = 0;  // width or height 0: no clipping on that side
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct TextItem {
    Rect box;
    std::string text;  // Windows-1252; a template when `numbering` is set
    Font font;
    Align align = Align::Left;
    bool numbering = false;  // text holds {page} / {pages} still to be filled
};

struct LineItem {
    Mils x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Mils pen = 10;
};

struct BoxItem {
    Rect box;
    Mils pen = 10;     // 0: no outline
    int fill = -1;     // gray level 0 (black) .. 255 (white); -1: not filled
};

struct ImageItem {
    Rect box;
    std::string path;  // image file, read when painted
};

using Item = std::variant<TextItem, LineItem, BoxItem, ImageItem>;

struct Page {
    int number = 0;  // the number the report gave the page (its own numbering)
    Paper paper;
    Orientation orientation = Orientation::Portrait;
    std::vector<Item> items;

    Mils width() const { return orientation == Orientation::Portrait ? paper.width : paper.height; }
    Mils height() const { return orientation == Orientation::Portrait ? paper.height : paper.width; }
};

// A report's pages. Each page carries its own paper and orientation, so that a page list merged
// from two reports keeps each page as its report laid it out; the document's paper and orientation
// are those of the report that made it.
struct Document {
    std::string title;  // the print job's name
    Paper paper;
    Orientation orientation = Orientation::Portrait;
    std::vector<Page> pages;

    bool empty() const { return pages.empty(); }

    // Page lists: another report's pages in front of these (keeping their order), or after them.
    // The moved pages keep their own numbers, texts, paper and orientation.
    void prepend(Document other);
    void append(Document other);
};

// Fills {page} and {pages} in every numbering template: {page} with the page's number, {pages}
// with `page_count`.
void resolve_page_numbers(std::vector<Page>& pages, int page_count);

// Deterministic text of the whole document: one line per page and per item, positions in mils,
// text in UTF-8. Used by tests and reference files.
std::string to_text(const Document& document);

}  // namespace vorel::report
