// FocusHighlighter: marks the control that has the focus (background colour, optional bold, a box
// around it, an optional indicator character to its left).
//
// One per window procedure. `Setup` takes the configuration and excludes the standard control
// types (strings, images, regions, lines, boxes, ellipses, prompts, groups, custom controls,
// windows, containers, progress bars, type 270, toolbars, menus, frames, tabs, panels, rich text and
// buttons); `HandleEvent` moves the highlight on selected (257) and tab changing (21), and redraws it
// at the control's new place on maximised (563) and resize (1023). A hidden or disabled control is
// never highlighted. `StandardConfig(colour)` is the configuration every window uses; the colour
// is the process-wide `StandardHighlightColour()` that the login sets.
#pragma once

#include <string>
#include <vector>

#include "vorel/ui/guarded.h"
#include "vorel/ui/window.h"

namespace vorel::ui {

struct HighlightConfig {
    bool changeColour = true;
    long colour = 0;
    bool bold = false;
    long colourReadOnly = 0;
    bool box = true;
    long boxFill = 0, boxPen = 0;
    int boxMargin = 2;
    long boxFillReadOnly = 0, boxPenReadOnly = 0;
    bool indicator = false;
    long indicatorColour = 8421504;
    std::string indicatorChar = "»";
    int indicatorOffset = 8;
};
HighlightConfig StandardConfig(long colour);

// The highlight colour of every window (the login sets it; 0 until then).
Guarded<long>& StandardHighlightColour();

class FocusHighlighter {
public:
    void Setup(Window& window, const HighlightConfig& config);
    void ExcludeControlType(ControlType type);
    void HandleEvent(Window& window, const Event& e);
    void Erase(Window& window);
    void Draw(Window& window, int feq);
    bool AcceptsHighlight(Window& window, int feq) const;
    int current() const { return current_; }

private:
    HighlightConfig cfg_;
    std::vector<ControlType> excluded_;
    int current_ = 0;
    long savedBg_ = kDefaultColour;
    int savedWeight_ = 400;
    Rect pos_;
};

}  // namespace vorel::ui
