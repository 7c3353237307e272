// The 40-field table the table-engine benchmarks use, and the raw SQLite side's helpers for it:
// the same record struct bound and read through plain prepared statements on the same schema.
// Files go to one temporary folder per program (the engine's state folder inside it).
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "vorel/core/decimal_field.h"
#include "vorel/core/fixed_string.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/state_folder.h"
#include "vorel/data/table_desc.h"

namespace bench_wide {

namespace fs = std::filesystem;
using namespace vorel;
using namespace vorel::data;

// 40 fields: 10 texts, 15 integers, 10 decimals, 5 dates.
struct Wide {
    std::uint32_t Codigo = 0;
    String<30> Nome;
    std::int32_t Data = 0;
    String<14> Cnpj;
    String<2> Serie;
    String<20> Lote;
    String<40> Endereco;
    String<25> Bairro;
    String<60> Cidade;
    String<2> Uf;
    String<10> Obs1;
    String<8> Obs2;
    std::uint8_t B1 = 0, B2 = 0, B3 = 0;
    std::int16_t S1 = 0, S2 = 0;
    std::uint16_t U1 = 0, U2 = 0, U3 = 0;
    std::int32_t L1 = 0, L2 = 0, L3 = 0;
    std::uint32_t UL1 = 0, UL2 = 0, UL3 = 0;
    std::int32_t D2 = 0, D3 = 0, D4 = 0, D5 = 0;
    DecimalField<13, 3> Q1;
    DecimalField<13, 2> V1, V2, V3, V4;
    DecimalField<15, 2> V5, V6;
    DecimalField<7, 3> A1;
    DecimalField<15, 0> C1;
    DecimalField<11, 2> V7;
};

inline NameVariable CaminhoWide;

inline const TableDesc& WideTable() {
    static const TableDesc d = [] {
        TableBuilder<Wide> b("Wide", "WID");
        b.file(CaminhoWide).version(1);
        b.field("Codigo", &Wide::Codigo).field("Nome", &Wide::Nome).date("Data", &Wide::Data);
        b.field("Cnpj", &Wide::Cnpj).field("Serie", &Wide::Serie).field("Lote", &Wide::Lote);
        b.field("Endereco", &Wide::Endereco).field("Bairro", &Wide::Bairro).field("Cidade", &Wide::Cidade);
        b.field("Uf", &Wide::Uf).field("Obs1", &Wide::Obs1).field("Obs2", &Wide::Obs2);
        b.field("B1", &Wide::B1).field("B2", &Wide::B2).field("B3", &Wide::B3);
        b.field("S1", &Wide::S1).field("S2", &Wide::S2);
        b.field("U1", &Wide::U1).field("U2", &Wide::U2).field("U3", &Wide::U3);
        b.field("L1", &Wide::L1).field("L2", &Wide::L2).field("L3", &Wide::L3);
        b.field("UL1", &Wide::UL1).field("UL2", &Wide::UL2).field("UL3", &Wide::UL3);
        b.date("D2", &Wide::D2).date("D3", &Wide::D3).date("D4", &Wide::D4).date("D5", &Wide::D5);
        b.field("Q1", &Wide::Q1).field("V1", &Wide::V1).field("V2", &Wide::V2).field("V3", &Wide::V3);
        b.field("V4", &Wide::V4).field("V5", &Wide::V5).field("V6", &Wide::V6).field("A1", &Wide::A1);
        b.field("C1", &Wide::C1).field("V7", &Wide::V7);
        b.key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase);
        b.key("KEY:NOMEDATA", "Nome + Data", {"Nome", "Data"}, kDuplicates | kNoCase);
        return b.build();
    }();
    return d;
}

inline int records() {
    const char* v = std::getenv("VOREL_BENCH_RECORDS");
    return v && *v ? std::atoi(v) : 1000000;
}

inline fs::path folder() {
    static fs::path f = [] {
        std::string t = (fs::temp_directory_path() / "vorel-bench-XXXXXX").string();
        fs::path p = mkdtemp(t.data());
        fs::create_directories(p / "state");
        set_state_folder(p / "state");
        return p;
    }();
    return f;
}

// The values of record i, the same for both sides.
struct Values {
    std::uint32_t codigo;
    std::string nome;
    std::int32_t data;
};
inline Values values(int i, int n) {
    // Codes in a shuffled order, so that the primary key is not filled in sequence.
    std::uint32_t code = static_cast<std::uint32_t>((static_cast<std::uint64_t>(i) * 7919u) % static_cast<std::uint64_t>(n)) + 1;
    return {code, "Produto " + std::to_string(code % 5000), 78531 + i % 365};
}

inline void fill(Wide& r, int i, int n) {
    Values v = values(i, n);
    r.Codigo = v.codigo;
    r.Nome = v.nome;
    r.Data = v.data;
    r.Cnpj = "12345678000199";
    r.Serie = "1";
    r.Lote = "L" + std::to_string(i % 100);
    r.Endereco = "Rua das Flores, 123";
    r.Bairro = "Centro";
    r.Cidade = "Sao Paulo";
    r.Uf = "SP";
    r.B1 = static_cast<std::uint8_t>(i);
    r.L1 = i;
    r.UL1 = static_cast<std::uint32_t>(i) * 3u;
    r.D2 = 78531;
    r.Q1 = DecimalField<13, 3>::from_scaled(i * 1000LL + 500);
    r.V1 = DecimalField<13, 2>::from_scaled(i * 10LL + 3);
    r.V5 = DecimalField<15, 2>::from_scaled(i * 7LL);
    r.A1 = DecimalField<7, 3>::from_scaled(18000);
    r.C1 = DecimalField<15, 0>::from_scaled(i);
}

// The record as the raw side keeps it: plain C arrays and integers.
struct RawRec {
    std::int64_t v[40];
    char text[12][64];
};


inline std::string raw_schema_columns() {
    std::string s;
    for (const auto& f : WideTable().fields) {
        if (!s.empty()) s += ", ";
        s += "\"" + f.label + "\"" + (is_text(f.type) ? " TEXT NOT NULL DEFAULT ''" : " INTEGER NOT NULL DEFAULT 0");
    }
    return s;
}

inline sqlite3* raw_open(const fs::path& p) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(p.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    register_collations(db);
    sqlite3_exec(db, "PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE; PRAGMA cache_size=-32768", nullptr, nullptr, nullptr);
    return db;
}

// Binds one record's values as the engine would store them (texts without trailing blanks,
// decimals as scaled integers), from the same struct.
inline void raw_bind(sqlite3_stmt* st, const Wide& r) {
    int i = 1;
    auto text = [&](std::string_view v) {
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
        sqlite3_bind_text(st, i++, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
    };
    auto num = [&](std::int64_t v) { sqlite3_bind_int64(st, i++, v); };
    num(r.Codigo); text(r.Nome.value()); num(r.Data); text(r.Cnpj.value()); text(r.Serie.value()); text(r.Lote.value());
    text(r.Endereco.value()); text(r.Bairro.value()); text(r.Cidade.value()); text(r.Uf.value()); text(r.Obs1.value());
    text(r.Obs2.value());
    num(r.B1); num(r.B2); num(r.B3); num(r.S1); num(r.S2); num(r.U1); num(r.U2); num(r.U3);
    num(r.L1); num(r.L2); num(r.L3); num(r.UL1); num(r.UL2); num(r.UL3); num(r.D2); num(r.D3); num(r.D4); num(r.D5);
    num(r.Q1.scaled()); num(r.V1.scaled()); num(r.V2.scaled()); num(r.V3.scaled()); num(r.V4.scaled());
    num(r.V5.scaled()); num(r.V6.scaled()); num(r.A1.scaled()); num(r.C1.scaled()); num(r.V7.scaled());
}

// Reads one row into the same struct.
inline void raw_read(sqlite3_stmt* st, Wide& r) {
    int i = 0;
    auto text = [&]() {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        std::string_view v(t ? t : "", static_cast<std::size_t>(sqlite3_column_bytes(st, i)));
        ++i;
        return v;
    };
    auto num = [&]() { return sqlite3_column_int64(st, i++); };
    r.Codigo = static_cast<std::uint32_t>(num()); r.Nome = text(); r.Data = static_cast<std::int32_t>(num());
    r.Cnpj = text(); r.Serie = text(); r.Lote = text(); r.Endereco = text(); r.Bairro = text(); r.Cidade = text();
    r.Uf = text(); r.Obs1 = text(); r.Obs2 = text();
    r.B1 = static_cast<std::uint8_t>(num()); r.B2 = static_cast<std::uint8_t>(num()); r.B3 = static_cast<std::uint8_t>(num());
    r.S1 = static_cast<std::int16_t>(num()); r.S2 = static_cast<std::int16_t>(num());
    r.U1 = static_cast<std::uint16_t>(num()); r.U2 = static_cast<std::uint16_t>(num()); r.U3 = static_cast<std::uint16_t>(num());
    r.L1 = static_cast<std::int32_t>(num()); r.L2 = static_cast<std::int32_t>(num()); r.L3 = static_cast<std::int32_t>(num());
    r.UL1 = static_cast<std::uint32_t>(num()); r.UL2 = static_cast<std::uint32_t>(num()); r.UL3 = static_cast<std::uint32_t>(num());
    r.D2 = static_cast<std::int32_t>(num()); r.D3 = static_cast<std::int32_t>(num()); r.D4 = static_cast<std::int32_t>(num());
    r.D5 = static_cast<std::int32_t>(num());
    r.Q1 = DecimalField<13, 3>::from_scaled(num()); r.V1 = DecimalField<13, 2>::from_scaled(num());
    r.V2 = DecimalField<13, 2>::from_scaled(num()); r.V3 = DecimalField<13, 2>::from_scaled(num());
    r.V4 = DecimalField<13, 2>::from_scaled(num()); r.V5 = DecimalField<15, 2>::from_scaled(num());
    r.V6 = DecimalField<15, 2>::from_scaled(num()); r.A1 = DecimalField<7, 3>::from_scaled(num());
    r.C1 = DecimalField<15, 0>::from_scaled(num()); r.V7 = DecimalField<11, 2>::from_scaled(num());
}

inline std::string raw_columns() {
    std::string s;
    for (const auto& f : WideTable().fields) s += (s.empty() ? "\"" : ", \"") + f.label + "\"";
    return s;
}

}  // namespace bench_wide
