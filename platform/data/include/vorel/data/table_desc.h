// The description of a table, written once per table, and the builder that makes it.
//
// A table is a plain record struct plus a TableDesc: label, prefix, driver, name variable, structure
// version increment, fields (from member pointers), keys with their flags and descriptions,
// relations to child tables with update and delete modes, field rules and new-record defaults.
// Declare it in a function returning a static, so that tables can name each other in relations:
//
//   struct EntradaRec { String<14> Cnpj; std::int32_t DataEmissao = 0; std::uint32_t Numero = 0; };
//   const TableDesc& EntradaVorel() {
//       static const TableDesc d = TableBuilder<EntradaRec>("EntradaVorel", "ENT")
//           .file(CaminhoEntradaVorel).version(73)
//           .field("Cnpj", &EntradaRec::Cnpj)
//           .date("DataEmissao", &EntradaRec::DataEmissao)
//           .field("Numero", &EntradaRec::Numero)
//           .key("KEY:NUMERO", "Lista por Número", {"DataEmissao", "-Numero"}, kDuplicates | kNoCase)
//           .child(QuantidadeVorel, "QUA:KEY:SERIENUMERODATA", kCascade, kCascade,
//                  {{"DataEmissao", "DataEmissao"}, {"Numero", "Numero"}})
//           .build();
//       return d;
//   }
//
// Texts (key descriptions, rule texts) may be UTF-8 literals ("Código") or Windows-1252 bytes
// ("C\xF3digo"); the description keeps Windows-1252.
// Field and key names are given without the prefix (the builder adds "ENT:"); a component written
// with a leading '-' sorts descending. An alias is `make_alias(base, label, prefix)`: the same struct,
// fields, keys and name variable under its own label and prefix.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "vorel/data/field.h"
#include "vorel/data/key_name.h"
#include "vorel/data/name_variable.h"

namespace vorel::data {

class UpgradeContext;
struct TableDesc;

enum KeyFlag : unsigned {
    kPrimary = 1u << 0,
    kUnique = 1u << 1,      // implied by every key without kDuplicates
    kDuplicates = 1u << 2,
    kNoCase = 1u << 3,
    kOptional = 1u << 4,
    kDynamic = 1u << 5,
};

struct KeyComponent {
    int field = 0;           // index into TableDesc::fields
    bool descending = false;
};

struct KeyDesc {
    std::string name;         // full name: "ENT:KEY:NUMERO"
    std::string description;  // registered description (message 15's %Message), up to 80 characters
    std::vector<KeyComponent> components;
    unsigned flags = 0;
    int auto_number = 0;      // 1-based component numbered automatically, 0 for none

    bool unique() const { return !(flags & kDuplicates); }
    bool nocase() const { return flags & kNoCase; }
    bool optional() const { return flags & kOptional; }
    bool dynamic() const { return flags & kDynamic; }
};

enum RelationMode : int { kNoAction = 0, kClear = 1, kRestrict = 2, kCascade = 3 };

using DescFn = const TableDesc& (*)();

struct RelationLink {
    DescFn child = nullptr;
    std::string child_key;                  // full name of the child's key
    RelationMode update = kCascade;
    RelationMode del = kCascade;
    std::vector<std::pair<std::string, std::string>> fields;  // parent field, child field (full names)
};

enum class RuleKind : std::uint8_t { Choice, Range, UpperBound };

struct FieldRule {
    int field = 0;
    RuleKind kind = RuleKind::Choice;
    std::string field_text;  // %Field of the message: a description or the field's name
    std::string choices;     // Choice: "]0[]1["
    std::string message;     // %Message: "'0 - Anterior','1 - Atual'", "1 .. 12", "44"
    std::int64_t low = 0, high = 0;  // Range: low..high; UpperBound: high (scaled for decimals)
};

enum class Driver : std::uint8_t { Indexed, TextLines };

// Type-erased life of a record struct.
struct RecordOps {
    std::size_t size = 0;
    std::size_t align = alignof(std::max_align_t);
    const void* type_tag = nullptr;  // identifies the C++ struct
    void (*construct)(void*) = nullptr;
    void (*destroy)(void*) = nullptr;
    void (*copy)(void* to, const void* from) = nullptr;
    void (*clear)(void*) = nullptr;  // back to a default-made record
};

struct TableDesc {
    std::string label;         // "EntradaVorel"
    std::string prefix;        // "ENT"
    Driver driver = Driver::Indexed;
    NameVariable* name = nullptr;  // the name variable; none: the label names the file
    int version = 0;           // structure-version increment (added to the common base)
    RecordOps record;
    std::vector<FieldDesc> fields;
    std::vector<KeyDesc> keys;
    std::vector<RelationLink> children;
    std::vector<DescFn> parents;
    std::vector<FieldRule> rules;
    std::function<void(void*)> defaults;  // new-record defaults, on a cleared record
    // Upgrade of a file with an older structure version; empty: the engine's own (columns kept by
    // name, new ones cleared, indexes rebuilt).
    std::function<int(UpgradeContext&)> upgrade;
    const TableDesc* base = nullptr;  // an alias's base table

    // Field by full name ("ENT:Cnpj") or by the name after the prefix ("Cnpj"), without regard to
    // case; -1 when none.
    int field_index(std::string_view name) const;
    // Key by name, the same way; -1 when none. `key_index_by_text` is for names the engine holds
    // as text (a relation's child key), never for a name written in code.
    int key_index(KeyName name) const { return key_index_by_text(name.text()); }
    int key_index_by_text(std::string_view name) const;
    const FieldDesc& field(std::string_view name) const;  // throws std::out_of_range
    const KeyDesc& key(KeyName name) const;
    const FieldRule* rule_for(int field) const;
    // The description whose storage this table shares (itself, or an alias's base).
    const TableDesc& layout() const { return base ? *base : *this; }
    // The file name: the name variable's value (trailing blanks cut), or the label.
    std::string file_name() const;
};

// An alias: the base's record, fields, keys and name variable under its own label and prefix. Key
// descriptions that are the base key's own name become the alias key's name.
TableDesc make_alias(const TableDesc& base, std::string_view label, std::string_view prefix);

namespace detail {
// Builder helpers shared by every record type (builder.cpp).
std::string full_name(std::string_view prefix, std::string_view name);
void add_key(TableDesc& d, std::string_view name, std::string_view description,
             std::initializer_list<std::string_view> components, unsigned flags, int auto_number);
void add_rule(TableDesc& d, std::string_view field, FieldRule rule);
// Texts of descriptions may be written as UTF-8 literals; tables keep Windows-1252 (text that is
// not valid UTF-8 is taken as Windows-1252 already).
std::string from_source(std::string_view utf8);
void check_desc(const TableDesc& d);
}  // namespace detail

template <class R>
class TableBuilder {
public:
    TableBuilder(std::string_view label, std::string_view prefix) {
        d_.label = label;
        d_.prefix = prefix;
        d_.record.size = sizeof(R);
        d_.record.align = alignof(R);
        d_.record.type_tag = tag();
        d_.record.construct = [](void* p) { new (p) R(); };
        d_.record.destroy = [](void* p) { static_cast<R*>(p)->~R(); };
        d_.record.copy = [](void* to, const void* from) { *static_cast<R*>(to) = *static_cast<const R*>(from); };
        // A plain record is cleared by copying a blank one over it, which is cheaper than making
        // each field anew (a pass that clears a wide record for every row it writes).
        if constexpr (std::is_trivially_copyable_v<R> && std::is_trivially_destructible_v<R>) {
            d_.record.clear = [](void* p) {
                static const R blank = R();
                std::memcpy(p, &blank, sizeof(R));
            };
        } else {
            d_.record.clear = [](void* p) {
                static_cast<R*>(p)->~R();
                new (p) R();
            };
        }
    }

    static const void* tag() {
        static const char t = 0;
        return &t;
    }

    TableBuilder& file(NameVariable& v) {
        d_.name = &v;
        return *this;
    }
    TableBuilder& version(int increment) {
        d_.version = increment;
        return *this;
    }
    TableBuilder& text_lines() {
        d_.driver = Driver::TextLines;
        return *this;
    }

    // A field; its type word follows from the member's C++ type (std::array for array fields).
    template <class T>
    TableBuilder& field(std::string_view name, T R::*member) {
        using Info = detail::ArrayInfo<T>;
        using E = typename Info::element;
        using Tr = detail::FieldTraits<E>;
        FieldDesc f;
        f.name = detail::full_name(d_.prefix, name);
        f.label = std::string(name);
        f.type = Tr::type;
        f.width = Tr::width;
        f.digits = Tr::digits;
        f.places = Tr::places;
        f.elements = Info::count;
        f.offset = offset_of(member);
        f.stride = sizeof(E);
        f.access = Tr::access();
        d_.fields.push_back(std::move(f));
        return *this;
    }
    // A long field that holds a date (day number) or a time.
    template <class T>
    TableBuilder& date(std::string_view name, T R::*member) {
        field(name, member);
        d_.fields.back().type = FieldType::Date;
        return *this;
    }
    template <class T>
    TableBuilder& time(std::string_view name, T R::*member) {
        field(name, member);
        d_.fields.back().type = FieldType::Time;
        return *this;
    }

    // A key: components by field name, '-' before a name for a descending component. Without
    // kDuplicates the key is unique. auto_number: the 1-based component numbered on insert.
    TableBuilder& key(std::string_view name, std::string_view description,
                      std::initializer_list<std::string_view> components, unsigned flags, int auto_number = 0) {
        detail::add_key(d_, name, description, components, flags, auto_number);
        return *this;
    }

    // A child table: its key's leading components equal the parent's linking fields.
    TableBuilder& child(DescFn child, std::string_view child_key, RelationMode update, RelationMode del,
                        std::initializer_list<std::pair<std::string_view, std::string_view>> links) {
        RelationLink r;
        r.child = child;
        r.child_key = std::string(child_key);
        r.update = update;
        r.del = del;
        for (auto& [p, c] : links) r.fields.emplace_back(std::string(p), std::string(c));
        d_.children.push_back(std::move(r));
        return *this;
    }
    TableBuilder& parent(DescFn parent) {
        d_.parents.push_back(parent);
        return *this;
    }

    // Field rules: the value as text between "]" and "[" must occur in `choices` ("]0[]1[").
    TableBuilder& choice_rule(std::string_view field, std::string_view field_text, std::string_view choices,
                              std::string_view message) {
        FieldRule r;
        r.kind = RuleKind::Choice;
        r.field_text = detail::from_source(field_text);
        r.choices = detail::from_source(choices);
        r.message = detail::from_source(message);
        detail::add_rule(d_, field, std::move(r));
        return *this;
    }
    // low..high, both included (scaled integers for decimal fields); %Message "low .. high".
    TableBuilder& range_rule(std::string_view field, std::string_view field_text, std::int64_t low,
                             std::int64_t high, std::string_view message = {}) {
        FieldRule r;
        r.kind = RuleKind::Range;
        r.field_text = detail::from_source(field_text);
        r.low = low;
        r.high = high;
        r.message = message.empty() ? std::to_string(low) + " .. " + std::to_string(high) : detail::from_source(message);
        detail::add_rule(d_, field, std::move(r));
        return *this;
    }
    // The value may equal the bound, not exceed it; %Message the bound.
    TableBuilder& upper_bound_rule(std::string_view field, std::string_view field_text, std::int64_t bound,
                                   std::string_view message = {}) {
        FieldRule r;
        r.kind = RuleKind::UpperBound;
        r.field_text = detail::from_source(field_text);
        r.high = bound;
        r.message = message.empty() ? std::to_string(bound) : detail::from_source(message);
        detail::add_rule(d_, field, std::move(r));
        return *this;
    }

    // Values of a new record, set on a cleared record before the framework's own defaults.
    TableBuilder& defaults(void (*fn)(R&)) {
        d_.defaults = [fn](void* p) { fn(*static_cast<R*>(p)); };
        return *this;
    }
    TableBuilder& upgrade(std::function<int(UpgradeContext&)> fn) {
        d_.upgrade = std::move(fn);
        return *this;
    }

    TableDesc build() {
        detail::check_desc(d_);
        return std::move(d_);
    }

private:
    template <class T>
    static std::size_t offset_of(T R::*member) {
        alignas(R) static unsigned char probe[sizeof(R)];
        const R* r = reinterpret_cast<const R*>(probe);
        return static_cast<std::size_t>(reinterpret_cast<const unsigned char*>(&(r->*member)) - probe);
    }

    TableDesc d_;
};

// The record struct of a description; throws std::logic_error when R is not its struct.
template <class R>
R& record_cast(const TableDesc& d, void* record) {
    if (d.record.type_tag != TableBuilder<R>::tag()) throw std::logic_error("record type does not match " + d.label);
    return *static_cast<R*>(record);
}

}  // namespace vorel::data
