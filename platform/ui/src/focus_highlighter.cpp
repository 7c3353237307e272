// FocusHighlighter.
#include "vorel/ui/focus_highlighter.h"

#include <algorithm>

namespace vorel::ui {

HighlightConfig StandardConfig(long colour) {
    HighlightConfig c;
    c.changeColour = true;
    c.colour = c.colourReadOnly = colour;
    c.bold = false;
    c.box = true;
    c.boxFill = c.boxFillReadOnly = colour;
    c.boxPen = c.boxPenReadOnly = 0;
    c.boxMargin = 2;
    c.indicator = false;
    c.indicatorColour = 8421504;
    c.indicatorChar = "»";
    c.indicatorOffset = 8;
    return c;
}

void FocusHighlighter::Setup(Window&, const HighlightConfig& config) {
    cfg_ = config;
    while (!cfg_.indicatorChar.empty() && cfg_.indicatorChar.back() == ' ') cfg_.indicatorChar.pop_back();
    using T = ControlType;
    for (T t : {T::String, T::String2, T::Image, T::Region, T::Line, T::Box, T::Ellipse, T::Prompt, T::Group,
                T::Custom, T::Window, T::OleContainer, T::Progress, T::Item270, T::Toolbar, T::Menu, T::MenuItem,
                T::MenuBar, T::AppFrame, T::Tab, T::Panel, T::RichText, T::Button})
        ExcludeControlType(t);
}

void FocusHighlighter::ExcludeControlType(ControlType type) {
    if (std::find(excluded_.begin(), excluded_.end(), type) == excluded_.end()) excluded_.push_back(type);
}

bool FocusHighlighter::AcceptsHighlight(Window& window, int feq) const {
    if (feq == 0) return false;
    Control* c = window.Find(feq);
    if (!c || c->hidden() || !c->enabled()) return false;
    return std::find(excluded_.begin(), excluded_.end(), c->type()) == excluded_.end();
}

namespace {
bool IsList(ControlType t) { return t == ControlType::SubList || t == ControlType::List || t == ControlType::DropList; }
}  // namespace

void FocusHighlighter::Draw(Window& window, int feq) {
    if (!AcceptsHighlight(window, feq)) {
        current_ = 0;
        return;
    }
    Control& c = window[feq];
    current_ = feq;
    savedBg_ = c.state().bg;
    savedWeight_ = c.state().fontWeight;
    if (!IsList(c.type()) && cfg_.changeColour) {
        // (a combo's drop button keeps its look: the front end draws it apart from the field)
        if (cfg_.bold) c.FontWeight(700);
        c.Background(c.readOnly() ? cfg_.colourReadOnly : cfg_.colour);
    }
    pos_ = c.state().at;
    HighlightBox box;
    if (cfg_.box) {
        box.shown = true;
        box.rect = {pos_.x - cfg_.boxMargin, pos_.y - cfg_.boxMargin, pos_.w + 2 * cfg_.boxMargin,
                    pos_.h + 2 * cfg_.boxMargin};
        box.pen = c.readOnly() ? cfg_.boxPenReadOnly : cfg_.boxPen;
        box.fill = c.readOnly() ? cfg_.boxFillReadOnly : cfg_.boxFill;
    }
    window.SetHighlightBox(box);
}

void FocusHighlighter::Erase(Window& window) {
    if (current_ != 0) {
        if (Control* c = window.Find(current_)) {
            if (!IsList(c->type()) && cfg_.changeColour) {
                c->Background(savedBg_);
                if (cfg_.bold) c->FontWeight(savedWeight_);
            }
        }
    }
    window.SetHighlightBox(HighlightBox{});
}

void FocusHighlighter::HandleEvent(Window& window, const Event& e) {
    switch (e.code) {
        case event::Selected:
        case event::TabChanging:
            Erase(window);
            Draw(window, window.Focus());
            break;
        case event::Maximized:
        case event::DoResize: {
            int cur = current_;
            Erase(window);
            Draw(window, cur);
            break;
        }
        default:
            break;
    }
}

}  // namespace vorel::ui
