// TableAccess, and the table engine's asker as message boxes.
#include "vorel/ui/record_access.h"

#include "vorel/core/text.h"
#include "vorel/data/asker.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/data/error_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::ui {

std::string TableAccess::Name() const { return file_.desc().file_name(); }

bool TableAccess::PrimeNew() {
    file_.prime_record();
    position_ = 0;
    if (file_.prime_auto_number() != data::kBenign) return false;
    if (file_.auto_number_primed()) position_ = file_.position().id;
    return true;
}

void TableAccess::CancelNew() { (void)file_.release_auto_number(); }

void TableAccess::SaveCopy() {
    copy_ = data::RecordBuffer(file_.desc());
    copy_.copy_from(file_.buffer());
    if (!file_.auto_number_primed()) position_ = file_.has_current() ? file_.position().id : 0;
}

void TableAccess::RestoreCopy() {
    if (copy_) copy_.copy_to(file_.buffer());
}

int TableAccess::CheckFieldRules() {
    for (const auto& r : file_.desc().layout().rules)
        if (file_.test_field_rules(r.field, data::Messages::Show) != data::kBenign) return r.field;
    return -1;
}

bool TableAccess::BackOnRecord() {
    // Lookups and lists of the same thread may have moved the cursor: it goes back to the record
    // the form opened on, keeping the edited buffer.
    if (position_ == 0) return false;
    data::RecordBuffer edited(file_.desc());
    edited.copy_from(file_.buffer());
    data::Result rc = file_.reget({position_});
    edited.copy_to(file_.buffer());
    return rc.ok();
}

bool TableAccess::ThroughRelations() const {
    return relations_ == Relations::Follow && data::dictionary::find(file_.desc()) == &file_;
}

bool TableAccess::Insert() {
    if (file_.insert() != data::kBenign) return false;
    position_ = file_.position().id;
    return true;
}

bool TableAccess::Update() {
    if (!BackOnRecord()) {
        Message("O registro não existe mais no arquivo " + text::to_utf8(Name()) + ".", "Atenção", Icon::Exclamation);
        return false;
    }
    if (ThroughRelations()) return data::dictionary::relation(file_.desc()).update() == data::kBenign;
    return file_.update() == data::kBenign;
}

bool TableAccess::Delete() {
    if (!BackOnRecord()) {
        Message("O registro não existe mais no arquivo " + text::to_utf8(Name()) + ".", "Atenção", Icon::Exclamation);
        return false;
    }
    if (ThroughRelations()) return data::dictionary::relation(file_.desc()).delete_record() == data::kBenign;
    if (file_.remove().ok()) return true;
    auto& em = data::ErrorManager::current();
    em.set_file(Name());
    em.raise(13);
    return false;
}

// ---- the asker -----------------------------------------------------------------------------------

namespace {

struct ButtonName {
    unsigned flag;
    const char* caption;
};
constexpr ButtonName kButtons[] = {
    {data::kButtonOk, "&OK"},          {data::kButtonYes, "&Sim"},     {data::kButtonNo, "&Não"},
    {data::kButtonAbort, "&Anular"},   {data::kButtonRetry, "&Repetir"}, {data::kButtonIgnore, "&Ignorar"},
    {data::kButtonCancel, "&Cancelar"},
};

Icon ToIcon(data::Icon i) {
    switch (i) {
        case data::Icon::Exclamation: return Icon::Exclamation;
        case data::Icon::Question: return Icon::Question;
        case data::Icon::Hand: return Icon::Hand;
        case data::Icon::Asterisk: return Icon::Asterisk;
        case data::Icon::None: break;
    }
    return Icon::None;
}

class MessageBoxAsker : public data::Asker {
public:
    unsigned ask(const data::AskRequest& r) override {
        std::string buttons;
        std::vector<unsigned> flags;
        int def = 1;
        for (const auto& b : kButtons) {
            if (!(r.buttons & b.flag)) continue;
            if (!buttons.empty()) buttons += '|';
            buttons += b.caption;
            flags.push_back(b.flag);
            if (r.default_button == b.flag) def = static_cast<int>(flags.size());
        }
        if (flags.empty()) {
            buttons = "&OK";
            flags.push_back(data::kButtonOk);
        }
        // Not a procedure thread (no one to ask), or the program closing with the box open: the
        // question was not answered, so it gets the answer that changes nothing.
        if (!ProcContext::Current()) return data::safe_answer(r);
        int n = Message(text::to_utf8(r.text), text::to_utf8(r.title), ToIcon(r.icon), buttons, def);
        if (n < 1 || n > static_cast<int>(flags.size())) return data::safe_answer(r);
        return flags[static_cast<std::size_t>(n - 1)];
    }
    void halt(std::string_view message) override {
        ProcContext* ctx = ProcContext::Current();
        if (!ctx) throw data::ProgramHalted(std::string(message));
        Message(text::to_utf8(message), "", Icon::Hand);
        ctx->runtime().RequestStop();
    }
};

}  // namespace

void InstallMessageBoxAsker() {
    static MessageBoxAsker asker;
    data::set_default_asker(&asker);
}

}  // namespace vorel::ui
