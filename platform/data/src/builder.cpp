#include <stdexcept>

#include "cp1252.h"
#include "vorel/core/text.h"
#include "vorel/data/table_desc.h"

namespace vorel::data {

namespace {

bool same_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (cp1252::fold(static_cast<unsigned char>(a[i])) != cp1252::fold(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

// "ENT:Cnpj" -> "Cnpj" when the prefix matches.
std::string_view strip_prefix(std::string_view prefix, std::string_view name) {
    if (name.size() > prefix.size() && name[prefix.size()] == ':' && same_nocase(name.substr(0, prefix.size()), prefix))
        return name.substr(prefix.size() + 1);
    return name;
}

}  // namespace

namespace detail {

std::string full_name(std::string_view prefix, std::string_view name) {
    return std::string(prefix) + ":" + std::string(strip_prefix(prefix, name));
}

void add_key(TableDesc& d, std::string_view name, std::string_view description,
             std::initializer_list<std::string_view> components, unsigned flags, int auto_number) {
    KeyDesc k;
    // A name written with its prefix keeps the prefix's spelling ("AltCont:Key:Codigo" of ALTCONT).
    k.name = strip_prefix(d.prefix, name).size() != name.size() ? std::string(name) : full_name(d.prefix, name);
    k.description = description.empty() ? k.name : from_source(description);
    k.flags = flags;
    if (!(flags & kDuplicates)) k.flags |= kUnique;
    k.auto_number = auto_number;
    for (std::string_view c : components) {
        KeyComponent kc;
        if (!c.empty() && c.front() == '-') {
            kc.descending = true;
            c.remove_prefix(1);
        } else if (!c.empty() && c.front() == '+') {
            c.remove_prefix(1);
        }
        kc.field = d.field_index(c);
        if (kc.field < 0) throw std::invalid_argument(d.label + ": key " + k.name + " names no field " + std::string(c));
        k.components.push_back(kc);
    }
    if (auto_number < 0 || auto_number > static_cast<int>(k.components.size()))
        throw std::invalid_argument(d.label + ": key " + k.name + " numbers no component " + std::to_string(auto_number));
    d.keys.push_back(std::move(k));
}

namespace {
bool valid_utf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2)) return false;
        ++i;
        for (int k = 0; k < extra; ++k, ++i)
            if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return false;
    }
    return true;
}
}  // namespace

// Literals written as UTF-8 become Windows-1252; text that is not UTF-8 is taken as Windows-1252
// already ("C\xF3digo").
std::string from_source(std::string_view text) { return valid_utf8(text) ? text::from_utf8(text) : std::string(text); }

void add_rule(TableDesc& d, std::string_view field, FieldRule rule) {
    rule.field = d.field_index(field);
    if (rule.field < 0) throw std::invalid_argument(d.label + ": rule names no field " + std::string(field));
    d.rules.push_back(std::move(rule));
}

void check_desc(const TableDesc& d) {
    if (d.label.empty() || d.prefix.empty()) throw std::invalid_argument("a table needs a label and a prefix");
    for (std::size_t i = 0; i < d.fields.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (same_nocase(d.fields[i].label, d.fields[j].label))
                throw std::invalid_argument(d.label + ": field declared twice: " + d.fields[i].name);
    int primaries = 0;
    for (const auto& k : d.keys) primaries += (k.flags & kPrimary) ? 1 : 0;
    if (primaries > 1) throw std::invalid_argument(d.label + ": more than one primary key");
}

}  // namespace detail

int TableDesc::field_index(std::string_view name) const {
    std::string_view n = strip_prefix(prefix, name);
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (same_nocase(fields[i].label, n) || same_nocase(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

int TableDesc::key_index_by_text(std::string_view name) const {
    std::string_view n = strip_prefix(prefix, name);
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (same_nocase(keys[i].name, name) || same_nocase(strip_prefix(prefix, keys[i].name), n))
            return static_cast<int>(i);
    return -1;
}

const FieldDesc& TableDesc::field(std::string_view name) const {
    int i = field_index(name);
    if (i < 0) throw std::out_of_range(label + " has no field " + std::string(name));
    return fields[static_cast<std::size_t>(i)];
}

const KeyDesc& TableDesc::key(KeyName name) const {
    int i = key_index(name);
    if (i < 0) throw std::out_of_range(label + " has no key " + std::string(name.text()));
    return keys[static_cast<std::size_t>(i)];
}

const FieldRule* TableDesc::rule_for(int field) const {
    for (const auto& r : rules)
        if (r.field == field) return &r;
    return nullptr;
}

std::string TableDesc::file_name() const {
    if (!name) return label;
    std::string v = name->get();
    while (!v.empty() && (v.back() == ' ' || v.back() == '\0')) v.pop_back();
    return v;
}

TableDesc make_alias(const TableDesc& base, std::string_view label, std::string_view prefix) {
    TableDesc a;
    a.label = label;
    a.prefix = prefix;
    a.driver = base.driver;
    a.name = base.name;
    a.version = base.version;
    a.record = base.record;
    a.base = &base;
    a.fields = base.fields;
    for (auto& f : a.fields) f.name = detail::full_name(prefix, f.label);
    a.keys = base.keys;
    for (auto& k : a.keys) {
        std::string own = std::string(strip_prefix(base.prefix, k.name));
        bool described_by_name = k.description == k.name;
        k.name = detail::full_name(prefix, own);
        if (described_by_name) k.description = k.name;
    }
    return a;
}

}  // namespace vorel::data
