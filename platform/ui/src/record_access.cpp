// TableAccess: a form's table over the table engine.
#include "vorel/ui/record_access.h"

#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/ui/message_box.h"

namespace vorel::ui {

namespace {
std::string Utf8(std::string_view cp1252) { return text::to_utf8(cp1252); }
}  // namespace

std::string TableAccess::Name() const { return file_.desc().file_name(); }

bool TableAccess::PrimeNew() {
    const data::TableDesc& d = file_.desc().layout();
    file_.clear_record();
    if (d.defaults) d.defaults(file_.buffer());
    reserved_ = 0;
    position_ = 0;
    bool numbered = false;
    for (const auto& k : d.keys) numbered = numbered || k.auto_number > 0;
    if (!numbered) return true;
    // The number is taken by adding the record at once; a collision (another thread took the same
    // number) is worked out again, three tries at a time, then the user is asked.
    for (;;) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            for (int ki = 0; ki < static_cast<int>(d.keys.size()); ++ki) {
                const auto& k = d.keys[static_cast<std::size_t>(ki)];
                if (k.auto_number <= 0) continue;
                std::int64_t top = file_.highest(ki, k.auto_number);
                if (top < 0) return false;
                const auto& f = d.fields[static_cast<std::size_t>(k.components[static_cast<std::size_t>(k.auto_number - 1)].field)];
                if (!data::set_field_int(f, file_.buffer(), top + 1)) {
                    Message("O número " + std::to_string(top + 1) + " não cabe no campo " + f.name + ".", "Atenção",
                            Icon::Exclamation);
                    return false;
                }
            }
            if (file_.add() == 0) {
                reserved_ = position_ = file_.position().id;
                return true;
            }
        }
        const auto& e = data::last_error();
        std::string text = "Tentativas para numerar este registro automaticamente falharam.|Arquivo: " + Utf8(Name()) +
                           "|Chave: " + e.key + "|Erro: " + e.text + ".|Tente Novamente?";
        if (Message(text, "Erro de Incremento de automatico", Icon::Question, "&Sim|&Não") != 1) return false;
    }
}

void TableAccess::CancelNew() {
    if (reserved_ == 0) return;
    data::RecordBuffer keep(file_.desc());
    keep.copy_from(file_.buffer());
    if (file_.reget({reserved_}) == 0) (void)file_.remove();
    keep.copy_to(file_.buffer());
    reserved_ = 0;
}

void TableAccess::SaveCopy() {
    copy_ = data::RecordBuffer(file_.desc());
    copy_.copy_from(file_.buffer());
    if (reserved_ == 0) position_ = file_.has_current() ? file_.position().id : 0;
}

void TableAccess::RestoreCopy() {
    if (copy_) copy_.copy_to(file_.buffer());
}

int TableAccess::CheckFieldRules() {
    const data::TableDesc& d = file_.desc().layout();
    for (const auto& r : d.rules) {
        const auto& f = d.fields[static_cast<std::size_t>(r.field)];
        std::string value(text::clip(data::field_text(f, file_.buffer())));
        int id = 0;
        bool ok = true;
        switch (r.kind) {
            case data::RuleKind::Choice: ok = r.choices.find("]" + value + "[") != std::string::npos; id = 17; break;
            case data::RuleKind::Range: {
                auto v = data::field_int(f, file_.buffer());
                ok = v >= r.low && v <= r.high;
                id = 18;
                break;
            }
            case data::RuleKind::UpperBound: ok = data::field_int(f, file_.buffer()) <= r.high; id = 19; break;
        }
        if (ok) continue;
        // Descriptions and list texts are the table declaration's own (UTF-8) texts.
        std::string fieldText = r.field_text.empty() ? f.name : r.field_text;
        if (id == 17) Message("O valor do " + fieldText + " deve estar na lista: " + r.message + ".", "Erro Valor", Icon::Exclamation);
        if (id == 18) Message("O valor do " + fieldText + " deve estar entre " + r.message + ".", "Erro no Filtro", Icon::Exclamation);
        if (id == 19) Message("O valor do " + fieldText + " deve ser menor que " + r.message + ".", "Erro no Filtro", Icon::Exclamation);
        return r.field;
    }
    return -1;
}

void TableAccess::ShowWriteError(int rc) {
    const auto& e = data::last_error();
    if (rc == data::kDuplicateKey) {
        Message("Chave duplicada: " + e.key, "Atenção", Icon::Exclamation);
        return;
    }
    Message("Erro " + std::to_string(rc) + " (" + e.text + ") gravando o arquivo " + Utf8(Name()) + ".", "Atenção",
            Icon::Hand);
}

bool TableAccess::WriteOver(bool insert) {
    // The buffer holds the edited record; the cursor is put back on its place before writing.
    std::int64_t target = insert ? reserved_ : position_;
    data::RecordBuffer edited(file_.desc());
    edited.copy_from(file_.buffer());
    int rc = 0;
    if (target != 0) {
        rc = file_.reget({target});
        edited.copy_to(file_.buffer());
        if (rc == 0) rc = file_.put();
    } else {
        rc = insert ? file_.add() : data::kNoRecord;
    }
    if (rc != 0) {
        ShowWriteError(rc);
        return false;
    }
    position_ = file_.position().id;
    if (insert) reserved_ = 0;
    return true;
}

bool TableAccess::Insert() { return WriteOver(true); }
bool TableAccess::Update() { return WriteOver(false); }

bool TableAccess::Delete() {
    int rc = position_ ? file_.reget({position_}) : data::kNoRecord;
    if (rc == 0) rc = file_.remove();
    if (rc != 0) {
        ShowWriteError(rc);
        return false;
    }
    return true;
}

}  // namespace vorel::ui
