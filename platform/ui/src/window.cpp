// The window model and its event loop.
#include "vorel/ui/window.h"

#include <algorithm>
#include <stdexcept>

#include "vorel/ui/entry_rules.h"

namespace vorel::ui {

bool ParseLeadingInteger(const std::string& text, long long& out) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool neg = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) neg = text[i++] == '-';
    long long n = 0;
    bool digits = false;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '.' && digits) continue;  // thousands separators of a picture
        if (c < '0' || c > '9') break;
        digits = true;
        if (n > (std::numeric_limits<long long>::max() - 9) / 10) return false;
        n = n * 10 + (c - '0');
    }
    if (!digits) {
        // blank is 0; any other text is not a number
        for (; i < text.size(); ++i)
            if (text[i] != ' ') return false;
    }
    out = neg ? -n : n;
    return true;
}

// ---- Control -----------------------------------------------------------------------------------

Control::Control(Window& w, int feq, ControlType type) : w_(w) {
    s_.feq = feq;
    s_.type = type;
}

#define VOREL_SETTER(expr) \
    w_.CheckThread();      \
    expr;                  \
    return *this

Control& Control::Text(std::string t) { VOREL_SETTER(s_.text = std::move(t)); }
Control& Control::Value(std::string v) { VOREL_SETTER((s_.value = std::move(v), touched_ = false)); }
Control& Control::Enable(bool on) { VOREL_SETTER(s_.enabled = on); }
Control& Control::Hide(bool on) { VOREL_SETTER(s_.hidden = on); }
Control& Control::ReadOnly(bool on) { VOREL_SETTER(s_.readOnly = on); }
Control& Control::Password(bool on) { VOREL_SETTER(s_.password = on); }
Control& Control::Colour(long fg, long bg) { VOREL_SETTER((s_.fg = fg, s_.bg = bg)); }
Control& Control::Background(long bg) { VOREL_SETTER(s_.bg = bg); }
Control& Control::FontWeight(int weight) { VOREL_SETTER(s_.fontWeight = weight); }
Control& Control::Font(std::string typeface, int points) {
    VOREL_SETTER((s_.font = std::move(typeface), s_.fontSize = points));
}
Control& Control::Tip(std::string t) { VOREL_SETTER(s_.tip = std::move(t)); }
Control& Control::Msg(std::string m) { VOREL_SETTER(s_.msg = std::move(m)); }
Control& Control::Picture(std::string p) { VOREL_SETTER((s_.picture = std::move(p), Measure())); }
Control& Control::Icon(std::string i) { VOREL_SETTER(s_.icon = std::move(i)); }
Control& Control::At(int x, int y, int w, int h) { VOREL_SETTER(s_.at = (Rect{x, y, w, h})); }
Control& Control::Parent(int feq) { VOREL_SETTER(s_.parent = feq); }
Control& Control::Items(std::vector<std::string> items, std::vector<std::string> values) {
    w_.CheckThread();
    s_.items = std::move(items);
    values_ = std::move(values);
    if (s_.type == ControlType::DropList || s_.type == ControlType::Combo || s_.type == ControlType::DropCombo)
        s_.rows.clear();
    return *this;
}
Control& Control::ItemRows(std::vector<Row> rows) { VOREL_SETTER(s_.rows = std::move(rows)); }
Control& Control::Columns(std::vector<Column> cols) { VOREL_SETTER(s_.columns = std::move(cols)); }
Control& Control::DropCount(int n) { VOREL_SETTER(s_.dropCount = n); }
Control& Control::Use(UsePtr use) { VOREL_SETTER((use_ = std::move(use), touched_ = false, Measure())); }
Control& Control::Rows(std::vector<Row> rows) { VOREL_SETTER(s_.rows = std::move(rows)); }
Control& Control::Selected(int n) { VOREL_SETTER(s_.selected = n); }
Control& Control::Progress(int v) { VOREL_SETTER(s_.progress = v); }
Control& Control::Range(int low, int high) { VOREL_SETTER((s_.rangeLow = low, s_.rangeHigh = high)); }
Control& Control::Touched(bool on) { VOREL_SETTER(touched_ = on); }
Control& Control::Immediate(bool on) { VOREL_SETTER(immediate_ = on); }
Control& Control::Skip(bool on) { VOREL_SETTER(skip_ = on); }
Control& Control::OwnText(bool on) { VOREL_SETTER(ownText_ = on); }
Control& Control::Alert(int keyCode) {
    w_.CheckThread();
    if (!HasAlert(keyCode)) s_.alertKeys.push_back(keyCode);
    return *this;
}
Control& Control::RemoveAlert(int keyCode) {
    w_.CheckThread();
    std::erase(s_.alertKeys, keyCode);
    return *this;
}
#undef VOREL_SETTER

namespace {
bool TakesTyping(ControlType t) {
    return t == ControlType::Entry || t == ControlType::Spin || t == ControlType::Combo ||
           t == ControlType::DropCombo || t == ControlType::Text;
}
}  // namespace

void Control::Measure() {
    if (TakesTyping(s_.type)) s_.maxLength = EntryMaxLength(s_.picture, use_ ? use_->MaxLength() : 0);
}

bool Control::Store() {
    if (TakesTyping(s_.type) && !EntryTakes(s_.type, s_.picture, s_.maxLength, s_.value)) return false;
    return !use_ || use_->Set(s_.value);
}

bool Control::HasAlert(int keyCode) const {
    return std::find(s_.alertKeys.begin(), s_.alertKeys.end(), keyCode) != s_.alertKeys.end();
}

// ---- Window: building --------------------------------------------------------------------------

Window::Window(ProcContext& ctx, std::string caption) : ctx_(ctx), owner_(std::this_thread::get_id()) {
    header_.window = ctx.runtime().NewWindowId();
    header_.thread = ctx.thread();
    header_.procedure = ctx.name();
    header_.caption = std::move(caption);
    ctx_.windows().push_back(this);
}

Window::~Window() {
    if (opened_) {
        ctx_.runtime().UnbindWindow(header_.window);
        ctx_.runtime().Send(WindowClosed{header_.window});
    }
    auto& ws = ctx_.windows();
    ws.erase(std::remove(ws.begin(), ws.end(), this), ws.end());
    // The window below takes the events again: show it enabled.
}

void Window::CheckThread() const {
    if (std::this_thread::get_id() != owner_)
        throw std::logic_error("window \"" + header_.caption + "\" used from a thread that does not own it");
}

Control& Window::Add(int feq, ControlType type, std::string text) {
    CheckThread();
    if (Find(feq)) throw std::logic_error("control number " + std::to_string(feq) + " used twice");
    controls_.push_back(std::make_unique<Control>(*this, feq, type));
    std::erase(removed_, feq);
    Control& c = *controls_.back();
    c.s_.text = std::move(text);
    return c;
}

Control& Window::Entry(int feq, UsePtr use, std::string picture) {
    return Add(feq, ControlType::Entry).Use(std::move(use)).Picture(std::move(picture));
}
Control& Window::TextBox(int feq, UsePtr use) { return Add(feq, ControlType::Text).Use(std::move(use)); }
Control& Window::Spin(int feq, UsePtr use, std::string picture) {
    return Add(feq, ControlType::Spin).Use(std::move(use)).Picture(std::move(picture));
}
Control& Window::Check(int feq, std::string text, UsePtr use) {
    return Add(feq, ControlType::Check, std::move(text)).Use(std::move(use));
}
Control& Window::Radio(int feq, std::string text, UsePtr use) {
    return Add(feq, ControlType::Radio, std::move(text)).Use(std::move(use));
}
Control& Window::DropList(int feq, UsePtr use, std::vector<std::string> items, std::vector<std::string> values) {
    return Add(feq, ControlType::DropList).Use(std::move(use)).Items(std::move(items), std::move(values)).DropCount(10);
}
Control& Window::Combo(int feq, UsePtr use, std::vector<std::string> items) {
    return Add(feq, ControlType::Combo).Use(std::move(use)).Items(std::move(items));
}
Control& Window::List(int feq, std::vector<Column> columns) {
    return Add(feq, ControlType::List).Columns(std::move(columns));
}
Control& Window::Tab(int feq, int sheet, std::string text) {
    Control& t = Add(feq, ControlType::Tab, std::move(text)).Parent(sheet);
    Control& s = (*this)[sheet];
    if (s.s_.selected == 0) s.s_.selected = 1;
    return t;
}

void Window::Remove(int feq) {
    CheckThread();
    auto it = std::find_if(controls_.begin(), controls_.end(), [&](auto& c) { return c->feq() == feq; });
    if (it == controls_.end()) return;
    controls_.erase(it);
    if (header_.focus == feq) header_.focus = 0;
    if (opened_) removed_.push_back(feq);
}

Control& Window::operator[](int feq) {
    Control* c = Find(feq);
    if (!c) throw std::out_of_range("no control number " + std::to_string(feq) + " in \"" + header_.caption + "\"");
    return *c;
}

Control* Window::Find(int feq) {
    CheckThread();
    for (auto& c : controls_)
        if (c->feq() == feq) return c.get();
    return nullptr;
}

std::vector<Control*> Window::Controls() {
    CheckThread();
    std::vector<Control*> r;
    for (auto& c : controls_) r.push_back(c.get());
    return r;
}

int Window::CurrentTab(int sheet) {
    Control* s = Find(sheet);
    return s ? s->s_.selected : 0;
}

void Window::SetCaption(std::string caption) { CheckThread(); header_.caption = std::move(caption); }
void Window::SetStatus(std::string text) { CheckThread(); header_.status = std::move(text); }
void Window::SetFrame(bool on) { CheckThread(); header_.frame = on; }
void Window::SetStatusZone(int zone, std::string text) {
    CheckThread();
    if (zone < 1) throw std::out_of_range("status-bar zone " + std::to_string(zone));
    if (zone == 1) {
        header_.status = std::move(text);
        return;
    }
    auto i = static_cast<std::size_t>(zone - 2);
    if (header_.zones.size() <= i) header_.zones.resize(i + 1);
    header_.zones[i] = std::move(text);
}
void Window::SetWallpaper(std::string file, int layout) {
    CheckThread();
    header_.wallpaper = std::move(file);
    header_.wallpaperLayout = layout;
}
void Window::SetDefaultButton(int feq) {
    CheckThread();
    if (Control* old = Find(header_.defaultButton)) old->s_.isDefault = false;
    header_.defaultButton = feq;
    if (Control* c = Find(feq)) c->s_.isDefault = true;
}
void Window::SetPosition(Rect at) { CheckThread(); header_.at = at; }
void Window::SetMaximized(bool on) { CheckThread(); header_.maximized = on; }
void Window::SetCaptionBar(bool on) { CheckThread(); header_.captionBar = on; }
void Window::SetEnabled(bool on) { CheckThread(); header_.enabled = on; }
void Window::SetHighlightBox(HighlightBox box) { CheckThread(); header_.box = box; }
void Window::SetTimer(int hundredths) {
    CheckThread();
    timerHundredths_ = hundredths;
    nextTick_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(hundredths * 10);
}

// ---- focus ---------------------------------------------------------------------------------------

bool Window::OnCurrentTab(const Control& c) const {
    // A control inside a tab is reachable only while that tab is its sheet's current one, and one
    // inside a hidden or disabled group or tab not at all (the front end greys it with its group).
    int parent = c.s_.parent;
    for (int depth = 0; parent != 0 && depth < 8; ++depth) {
        const Control* p = nullptr;
        for (auto& x : controls_)
            if (x->feq() == parent) p = x.get();
        if (!p) return true;
        if (p->s_.hidden || !p->s_.enabled) return false;
        if (p->type() == ControlType::Tab) {
            const Control* sheet = nullptr;
            for (auto& x : controls_)
                if (x->feq() == p->s_.parent) sheet = x.get();
            if (sheet) {
                int index = 0;
                for (auto& x : controls_) {
                    if (x->type() == ControlType::Tab && x->s_.parent == sheet->feq()) {
                        ++index;
                        if (x.get() == p) break;
                    }
                }
                if (index != sheet->s_.selected) return false;
            }
        }
        parent = p->s_.parent;
    }
    return true;
}

bool Window::Focusable(const Control& c) const {
    switch (c.type()) {
        case ControlType::Entry: case ControlType::Button: case ControlType::Check: case ControlType::List:
        case ControlType::Combo: case ControlType::Spin: case ControlType::Text: case ControlType::Radio:
        case ControlType::DropList: case ControlType::DropCombo: case ControlType::SubList:
        case ControlType::Region:
            break;
        default:
            return false;
    }
    return c.s_.enabled && !c.s_.hidden && OnCurrentTab(c);
}

void Window::Select(int feq) {
    CheckThread();
    if (acceptAll) acceptAllStopped = true;
    std::erase_if(pending_, [](const Event& e) { return e.code == event::Selected; });
    ChangeFocus(feq, false);
    if (feq) pending_.push_back({event::Selected, feq, 0});
}

namespace {
// One refusal of a control waits at a time (OK's update and the focus staying on the control
// would otherwise tell it twice).
void QueueRefused(std::deque<Event>& pending, int feq) {
    for (const Event& e : pending)
        if (e.code == event::Refused && e.feq == feq) return;
    pending.push_back({event::Refused, feq, 0});
}
}  // namespace

bool Window::Leave() {
    Control* c = Find(header_.focus);
    if (c && c->touched_) {
        if (!c->Store()) {
            // Not a value of its variable: the field keeps the focus and its text, and the front
            // end is told again where the focus is; the procedure hears of it (it may say why).
            sentHeader_.focus = -1;
            QueueRefused(pending_, c->feq());
            return false;
        }
        c->touched_ = false;
        pending_.push_back({event::Accepted, c->feq(), 0});
    }
    return true;
}

void Window::ChangeFocus(int feq, bool queueSelected) {
    bool moved = header_.focus != feq;
    if (moved && !Leave()) return;
    header_.focus = feq;
    if (queueSelected && feq && moved) pending_.push_back({event::Selected, feq, 0});
}

void Window::MoveFocus(int dir) {
    int n = static_cast<int>(controls_.size());
    if (n == 0) return;
    int start = -1;
    for (int i = 0; i < n; ++i)
        if (controls_[i]->feq() == header_.focus) start = i;
    int i = start;
    for (int step = 0; step < n; ++step) {
        i = (i + dir + n) % n;
        if (i == start) break;
        if (Focusable(*controls_[i]) && !controls_[i]->skip_ && !OtherRadioChosen(*controls_[i])) {
            ChangeFocus(controls_[i]->feq(), true);
            return;
        }
    }
}

namespace {
bool Chosen(const ControlState& s) { return !s.value.empty() && s.value != "0"; }
}  // namespace

bool Window::OtherRadioChosen(const Control& c) const {
    if (c.type() != ControlType::Radio || Chosen(c.s_)) return false;
    for (const auto& o : controls_)
        if (o.get() != &c && o->type() == ControlType::Radio && o->s_.parent == c.s_.parent && Chosen(o->s_) &&
            Focusable(*o))
            return true;
    return false;
}

void Window::PressDefault() {
    Control* d = Find(header_.defaultButton);
    if (d && d->s_.enabled && !d->s_.hidden) pending_.push_back({event::Accepted, d->feq(), 0});
}

void Window::EnterOnList(Control& list) {
    CheckThread();
    if (Find(header_.defaultButton)) PressDefault();
    else pending_.push_back({event::Accepted, list.feq(), key::Enter});
}

void Window::ListMove(Control& c, int code) {
    int rows = static_cast<int>(c.s_.rows.size());
    int sel = c.s_.selected;
    switch (code) {
        case key::Up:
            if (sel > 1) { c.s_.selected = sel - 1; pending_.push_back({event::NewSelection, c.feq(), code}); }
            else pending_.push_back({event::ScrollUp, c.feq(), code});
            break;
        case key::Down:
            if (sel < rows) { c.s_.selected = sel + 1; pending_.push_back({event::NewSelection, c.feq(), code}); }
            else pending_.push_back({event::ScrollDown, c.feq(), code});
            break;
        case key::PageUp: pending_.push_back({event::PageUp, c.feq(), code}); break;
        case key::PageDown: pending_.push_back({event::PageDown, c.feq(), code}); break;
        case key::Home: pending_.push_back({event::ScrollTop, c.feq(), code}); break;
        case key::End: pending_.push_back({event::ScrollBottom, c.feq(), code}); break;
        default: break;
    }
}

// ---- keys and user events --------------------------------------------------------------------------

void Window::ProcessKey(int code) {
    if (header_.focus == 0 || !Find(header_.focus)) MoveFocus(1);
    Control* c = Find(header_.focus);
    if (c && c->HasAlert(code)) {
        pending_.push_back({event::AlertKey, c->feq(), code});
        return;
    }
    ControlType t = c ? c->type() : ControlType::Window;
    switch (code) {
        case key::Tab: MoveFocus(1); return;
        case key::ShiftTab: MoveFocus(-1); return;
        case key::Esc: pending_.push_back({event::CloseWindow, 0, code}); return;
        default: break;
    }
    if (!c) return;
    bool isList = t == ControlType::List || t == ControlType::SubList;
    if (code == key::Enter) {
        if (t == ControlType::Button) {
            pending_.push_back({event::Accepted, c->feq(), code});
        } else if (t == ControlType::Text) {
            if (!c->s_.readOnly) { c->s_.value += "\n"; c->touched_ = true; }
        } else if (isList) {
            EnterOnList(*c);
        } else if (Leave()) {
            PressDefault();
        }
        return;
    }
    if (code == key::ShiftEnter && t == ControlType::Text) {
        if (!c->s_.readOnly) { c->s_.value += "\n"; c->touched_ = true; }
        return;
    }
    if (isList) {
        ListMove(*c, code);
        return;
    }
    if (t == ControlType::Radio &&
        (code == key::Up || code == key::Down || code == key::Left || code == key::Right)) {
        StepRadio(*c, code == key::Down || code == key::Right ? 1 : -1);
        return;
    }
    if (code == key::Space && (t == ControlType::Check || t == ControlType::Radio)) {
        c->s_.value = c->s_.value == "1" ? "0" : "1";
        c->touched_ = true;
        Leave();  // accepts it
        return;
    }
}

void Window::StepRadio(Control& radio, int dir) {
    std::vector<Control*> group;
    for (const auto& o : controls_)
        if (o.get() == &radio || (o->type() == ControlType::Radio && o->s_.parent == radio.s_.parent &&
                                  Focusable(*o) && !o->s_.readOnly))
            group.push_back(o.get());
    const auto at = std::find(group.begin(), group.end(), &radio) - group.begin();
    const auto n = static_cast<std::ptrdiff_t>(group.size());
    if (n < 2) return;
    Control& next = *group[static_cast<std::size_t>((at + dir + n) % n)];
    ChangeFocus(next.feq(), true);
    if (header_.focus != next.feq()) return;  // the control left refused its value
    next.s_.value = "1";
    if (next.use_ && !next.use_->Set(next.s_.value)) return;
    next.touched_ = false;
    pending_.push_back({event::Accepted, next.feq(), 0});
}

void Window::Translate(const UserEvent& e) {
    Control* c = e.feq ? Find(e.feq) : nullptr;
    switch (e.kind) {
        case UserEvent::Focus:
            if (c && Focusable(*c)) ChangeFocus(e.feq, true);
            break;
        case UserEvent::Type:
            if (c && c->s_.enabled && !c->s_.readOnly) {
                if (header_.focus != e.feq && Focusable(*c)) ChangeFocus(e.feq, true);
                c->s_.value = e.text;
                c->sent_.value = e.text;  // the front end shows it already: no echo
                c->touched_ = true;
                if (c->immediate_ && c->Store()) {
                    c->touched_ = false;
                    pending_.push_back({event::NewSelection, e.feq, 0});
                }
            }
            break;
        case UserEvent::Key:
            keys_.push_back(e.number);
            break;
        case UserEvent::Press:
            if (c && c->s_.enabled && !c->s_.hidden) {
                // A string clicked as a link ("Configurar Senhas") leaves the focus where it is.
                const bool text = c->type() == ControlType::String || c->type() == ControlType::String2;
                if (!text) ChangeFocus(e.feq, true);
                pending_.push_back({event::Accepted, e.feq, 0});
            }
            break;
        case UserEvent::PickItem:
            if (c && c->s_.enabled && !c->s_.readOnly && e.number >= 1 &&
                e.number <= static_cast<int>(c->s_.items.size())) {
                ChangeFocus(e.feq, true);
                c->s_.selected = e.number;
                std::size_t i = static_cast<std::size_t>(e.number - 1);
                c->s_.value = i < c->values_.size() ? c->values_[i] : c->s_.items[i];
                if (c->use_ && !c->use_->Set(c->s_.value)) break;
                c->touched_ = false;
                pending_.push_back({event::NewSelection, e.feq, 0});
                pending_.push_back({event::Accepted, e.feq, 0});
            }
            break;
        case UserEvent::PickRow:
            if (c && c->s_.enabled && e.number >= 1 && e.number <= static_cast<int>(c->s_.rows.size())) {
                ChangeFocus(e.feq, header_.focus != e.feq);
                c->s_.selected = e.number;
                pending_.push_back({event::NewSelection, e.feq, 0});
                if (e.text == "accept") {
                    if (Find(header_.defaultButton)) PressDefault();
                    else pending_.push_back({event::Accepted, e.feq, 0});
                }
            }
            break;
        case UserEvent::PickTab:
            if (c && c->type() == ControlType::Sheet && e.number >= 1 && e.number != c->s_.selected) {
                if (!Leave()) break;
                pending_.push_back({event::TabChanging, e.feq, e.number});
                c->s_.selected = e.number;
                pending_.push_back({event::NewSelection, e.feq, 0});
            }
            break;
        case UserEvent::Check:
            if (c && c->s_.enabled && !c->s_.readOnly) {
                ChangeFocus(e.feq, true);
                c->s_.value = e.number ? "1" : "0";
                if (c->use_ && !c->use_->Set(c->s_.value)) break;
                c->touched_ = false;
                pending_.push_back({event::Accepted, e.feq, 0});
            }
            break;
        case UserEvent::Scroll:
            if (c) pending_.push_back({e.number < 0 ? event::ScrollUp : event::ScrollDown, e.feq, e.number});
            break;
        case UserEvent::Close:
            pending_.push_back({event::CloseWindow, 0, 0});
            break;
        case UserEvent::Maximize:
            header_.maximized = true;
            if (e.at.w > 0) header_.at = e.at;
            pending_.push_back({event::Maximized, 0, 0});
            pending_.push_back({event::DoResize, 0, 0});
            break;
        case UserEvent::Resize:
            header_.at = e.at;
            header_.maximized = false;
            pending_.push_back({event::Sized, 0, 0});
            pending_.push_back({event::DoResize, 0, 0});
            break;
        case UserEvent::ListRows:
            NoteListRows(e);
            break;
        case UserEvent::Deactivated:
            pending_.push_back({event::LoseFocus, 0, 0});
            break;
        case UserEvent::Activated:
            pending_.push_back({event::GainFocus, 0, 0});
            break;
        case UserEvent::Answer:
        case UserEvent::FileAnswer:
            break;
    }
}

void Window::NoteListRows(const UserEvent& e) {
    Control* c = e.feq ? Find(e.feq) : nullptr;
    if (!c || (c->type() != ControlType::List && c->type() != ControlType::SubList)) return;
    if (e.number < 1 || e.number == c->visibleRows_) return;
    c->visibleRows_ = e.number;
    pending_.push_back({event::ListSized, e.feq, 0});
}

// ---- the loop ------------------------------------------------------------------------------------

void Window::Open() {
    CheckThread();
    if (opened_) return;
    opened_ = true;
    header_.modal = ctx_.windows().size() > 1;
    if (header_.focus == 0) {
        for (auto& c : controls_)
            if (Focusable(*c) && !c->skip_) { header_.focus = c->feq(); break; }
    }
    Refresh();
    ctx_.runtime().BindWindow(header_.window, ctx_.thread());
    WindowOpened msg;
    msg.header = header_;
    for (auto& c : controls_) {
        c->sent_ = Published(*c);
        c->sentKnown_ = true;
        msg.controls.push_back(c->sent_);
    }
    sentHeader_ = header_;
    ctx_.runtime().Send(std::move(msg));
    pending_.push_front({event::OpenWindow, 0, 0});
}

void Window::Post(int code, int feq) {
    CheckThread();
    pending_.push_back({code, feq, 0});
}

void Window::PressKey(int keyCode) {
    CheckThread();
    keys_.push_back(keyCode);
}

void Window::Close() {
    CheckThread();
    closing_ = true;
}

bool Window::Update(int feq) {
    CheckThread();
    bool ok = true;
    for (auto& c : controls_) {
        if ((feq && c->feq() != feq) || !c->touched_) continue;
        if (!c->Store()) {
            ok = false;
            QueueRefused(pending_, c->feq());
            continue;
        }
        c->touched_ = false;
    }
    return ok;
}

void Window::Refresh() {
    for (auto& c : controls_) {
        if (!c->use_ || c->touched_ || c->ownText_) continue;
        std::string v = c->use_->Get();
        if (c->type() == ControlType::DropList || c->type() == ControlType::Combo ||
            c->type() == ControlType::DropCombo) {
            int sel = 0;
            long long want = 0, have = 0;
            bool numeric = ParseLeadingInteger(v, want) && !v.empty();
            for (std::size_t i = 0; i < c->s_.items.size() && !sel; ++i) {
                const std::string& candidate = i < c->values_.size() ? c->values_[i] : c->s_.items[i];
                if (candidate == v) sel = static_cast<int>(i) + 1;
                else if (numeric && c->values_.empty() && ParseLeadingInteger(candidate, have) && have == want &&
                         candidate.find_first_not_of(" -0123456789") != std::string::npos)
                    sel = static_cast<int>(i) + 1;
            }
            c->s_.selected = sel;
            c->s_.value = sel ? c->s_.items[static_cast<std::size_t>(sel - 1)]
                              : (c->type() == ControlType::DropList ? std::string() : v);
        } else {
            c->s_.value = v;
        }
    }
}

ControlState Window::Published(const Control& c) const { return c.s_; }

void Window::Flush() {
    CheckThread();
    if (!opened_) return;
    Runtime& rt = ctx_.runtime();
    for (int feq : removed_) rt.Send(ControlRemoved{header_.window, feq});
    removed_.clear();
    if (!(header_ == sentHeader_)) {
        sentHeader_ = header_;
        rt.Send(WindowChanged{header_});
    }
    for (auto& c : controls_) {
        if (c->sentKnown_ && c->s_ == c->sent_) continue;
        c->sent_ = c->s_;
        c->sentKnown_ = true;
        rt.Send(ControlChanged{header_.window, c->s_});
    }
}

void Window::Display() {
    CheckThread();
    Refresh();
    Flush();
}

Event Window::Accept() { return Next(true); }
Event Window::Poll() { return Next(false); }

Event Window::Next(bool wait) {
    CheckThread();
    for (;;) {
        if (closing_) return current_ = Event{};
        if (!pending_.empty()) {
            current_ = pending_.front();
            pending_.pop_front();
            return current_;
        }
        if (!keys_.empty()) {
            int k = keys_.front();
            keys_.pop_front();
            ProcessKey(k);
            continue;
        }
        Refresh();
        Flush();
        if (wait && beforeWait_) beforeWait_();
        std::optional<std::chrono::milliseconds> timeout;
        if (!wait) timeout = std::chrono::milliseconds(0);
        else if (timerHundredths_ > 0) {
            auto now = std::chrono::steady_clock::now();
            timeout = std::max(std::chrono::milliseconds(0),
                               std::chrono::duration_cast<std::chrono::milliseconds>(nextTick_ - now));
        }
        bool timedOut = false;
        auto ev = ctx_.WaitEvent(timeout, &timedOut);
        if (!ev) {
            if (timedOut && !wait) return current_ = Event{};
            if (timedOut) {
                nextTick_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(timerHundredths_ * 10);
                pending_.push_back({event::Timer, 0, 0});
                continue;
            }
            closing_ = true;  // the program is stopping
            return current_ = Event{};
        }
        if (ev->kind == UserEvent::ListRows) {
            // A layout report, taken even by a window below a modal one or waiting on a box: its
            // loop sees the list-sized event when it runs again.
            for (Window* w : ctx_.windows())
                if (w->id() == ev->window) w->NoteListRows(*ev);
            continue;
        }
        if (ev->window != header_.window) continue;  // a window below a modal one: ignored
        if (!header_.enabled) continue;
        Translate(*ev);
    }
}

}  // namespace vorel::ui
