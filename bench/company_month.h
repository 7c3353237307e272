// Shared by the benchmarks that run a subsystem over a company's month against a raw SQLite
// baseline: a data root in a temporary folder with company 1 and its year, the globals the runs
// read, the small raw-SQLite helpers (a connection, a statement, the schema of an engine file) and
// the peak memory of one pass.
#pragma once

#include <malloc.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"

namespace bench_company {

namespace fs = std::filesystem;

// The rows a run measures: the environment variable `variavel` when set, else `padrao`.
inline int Linhas(const char* variavel, int padrao) {
    const char* v = std::getenv(variavel);
    return v && *v ? std::atoi(v) : padrao;
}

struct Pastas {
    fs::path root;
    vorel::dictionary::CaminhosComuns comuns;
    vorel::dictionary::CaminhosAno ano;
};

// A new data root named after `prefixo`, with the folders and names of company 1 in `ano`, the
// working company, year and month set and this thread's tables set up.
inline Pastas PreparaEmpresa(const char* prefixo, int ano, int mes) {
    using namespace vorel;
    Pastas p;
    std::string t = (fs::temp_directory_path() / (std::string(prefixo) + "-XXXXXX")).string();
    if (!mkdtemp(t.data())) std::abort();
    p.root = t;
    ::setenv("VOREL_STATE_DIR", (p.root / "state").c_str(), 1);
    ::setenv("VOREL_SETTINGS_DIR", (p.root / "settings").c_str(), 1);
    const std::string root = p.root.string() + "/";
    for (const char* sub : {"BComuns", "BEscrita", "BVorel", "Temp"}) fs::create_directories(p.root / sub);
    p.comuns = dictionary::CaminhosArquivosComuns(root);
    dictionary::AplicaCaminhos(p.comuns);
    auto c = dictionary::CaminhosArquivosEmpresa(root, 1, 0, 0);
    if (dictionary::CriaPastas(c)) std::abort();
    dictionary::AplicaCaminhos(c);
    p.ano = dictionary::CaminhosArquivosAno(root, 1, ano);
    if (dictionary::CriaPastas(p.ano)) std::abort();
    dictionary::AplicaCaminhos(p.ano);
    shell::PastaRaiz.Set(root);
    shell::PastaTemp.Set(root + "Temp\\");
    shell::GLO_EMPRESA_CODIGO.Set(1);
    shell::GLO_ANO.Set(ano);
    shell::GLO_MES.Set(mes);
    dictionary::InitDictionary();
    return p;
}

struct Sql {
    sqlite3* db = nullptr;
    ~Sql() { sqlite3_close(db); }
    bool exec(const std::string& s) {
        if (sqlite3_exec(db, s.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
        std::fprintf(stderr, "sql: %s: %s\n", s.c_str(), sqlite3_errmsg(db));
        return false;
    }
    bool falha(const char* onde) {
        std::fprintf(stderr, "sql: %s: %s\n", onde, sqlite3_errmsg(db));
        return false;
    }
    sqlite3_stmt* prep(const std::string& s) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v3(db, s.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "sql: %s: %s\n", s.c_str(), sqlite3_errmsg(db));
        return st;
    }
};

struct Stmt {
    sqlite3_stmt* st;
    ~Stmt() { sqlite3_finalize(st); }
};

// The schema (table, then indexes) of `table` as the engine makes it, from a file it creates at `modelo`.
inline std::vector<std::string> Esquema(const vorel::data::TableDesc& table, const std::string& modelo) {
    {
        vorel::data::FileManager w(table);
        w.set_create(true);
        if (!w.open_path(modelo).ok()) std::abort();
        (void)w.close();
    }
    Sql s;
    sqlite3_open(modelo.c_str(), &s.db);
    Stmt q{s.prep("SELECT sql FROM sqlite_master WHERE name = 'rec' OR (type = 'index' AND tbl_name = 'rec' AND sql IS NOT NULL) "
                  "ORDER BY type DESC")};
    std::vector<std::string> ddl;
    while (sqlite3_step(q.st) == SQLITE_ROW) ddl.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)));
    return ddl;
}

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); -1 when missing.
inline long Kb(const char* campo) {
    std::ifstream f("/proc/self/status");
    std::string line;
    const std::size_t n = std::char_traits<char>::length(campo);
    while (std::getline(f, line))
        if (line.compare(0, n, campo) == 0) return std::atol(line.c_str() + n);
    return -1;
}

// Runs one engine pass and prints the process's resident peak (VmHWM, reset before the pass
// through /proc/self/clear_refs, after the heap gave back what earlier passes freed) and SQLite's
// own peak; `oque` names the pass's size.
template <class Passo>
void Memoria(const std::string& oque, Passo passo) {
    malloc_trim(0);
    { std::ofstream("/proc/self/clear_refs") << "5"; }
    const long antes = Kb("VmRSS:");
    const sqlite3_int64 sqliteBase = sqlite3_memory_used();
    sqlite3_memory_highwater(1);
    timespec c0, c1;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
    passo();
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
    std::printf("pass CPU %.2f s\n", (c1.tv_sec - c0.tv_sec) + (c1.tv_nsec - c0.tv_nsec) / 1e9);
    const long pico = Kb("VmHWM:");
    std::printf("memory of one engine pass over %s: resident peak %ld KiB (%ld KiB above the start), "
                "SQLite peak %lld KiB above the start\n",
                oque.c_str(), pico, pico - antes,
                static_cast<long long>((sqlite3_memory_highwater(0) - sqliteBase) / 1024));
}

// The index definitions of an engine file: each index's name, the column list of its order, and the
// filter of a partial index ("" when none), as the engine created them.
struct OrdemDeChave {
    std::string nome, colunas, filtro;
};
inline std::vector<OrdemDeChave> OrdensDasChaves(Sql& s) {
    std::vector<OrdemDeChave> ordens;
    Stmt q{s.prep("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'rec' AND sql IS NOT NULL "
                  "ORDER BY name")};
    while (sqlite3_step(q.st) == SQLITE_ROW) {
        const std::string sql = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 1));
        const std::size_t abre = sql.find('(', sql.find(" ON "));
        std::size_t fecha = abre;
        for (int nivel = 0; fecha < sql.size(); ++fecha) {
            if (sql[fecha] == '(') ++nivel;
            if (sql[fecha] == ')' && --nivel == 0) break;
        }
        if (abre == std::string::npos || fecha >= sql.size()) std::abort();
        OrdemDeChave o{reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0)), sql.substr(abre + 1, fecha - abre - 1), {}};
        if (const std::size_t w = sql.find(" WHERE ", fecha); w != std::string::npos) o.filtro = sql.substr(w);
        ordens.push_back(std::move(o));
    }
    return ordens;
}

// Writes every record of the table file `arquivo` (a "rec" table), one a line after `titulo`, its
// fields in their order and the records ordered by every field: two engines' results compare as text.
// Then, for every index of the file, the order in which a cursor on that key delivers the records
// (ties broken by the record id, as the engine reads): a hash of the records' fields in that order,
// a line every 4,096 records, so that two runs that write the same records in another order among
// equal key values differ too.
inline void Despeja(std::FILE* out, const std::string& arquivo, const char* titulo) {
    Sql s;
    if (sqlite3_open_v2(arquivo.c_str(), &s.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) std::abort();
    vorel::data::register_collations(s.db);
    std::vector<std::string> colunas;
    {
        Stmt c{s.prep("SELECT name FROM pragma_table_info('rec') WHERE name <> 'rid'")};
        while (sqlite3_step(c.st) == SQLITE_ROW) colunas.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(c.st, 0)));
    }
    std::string lista;
    for (const std::string& c : colunas) lista += (lista.empty() ? "" : ", ") + ("\"" + c + "\"");
    Stmt q{s.prep("SELECT " + lista + " FROM rec ORDER BY " + lista)};
    long long n = 0;
    while (sqlite3_step(q.st) == SQLITE_ROW) {
        std::fprintf(out, "%s", titulo);
        for (int c = 0; c < sqlite3_column_count(q.st); ++c) {
            const unsigned char* t = sqlite3_column_text(q.st, c);
            std::fprintf(out, "|%s", t ? reinterpret_cast<const char*>(t) : "");
        }
        std::fputc('\n', out);
        ++n;
    }
    std::fprintf(stderr, "%s: %lld rows\n", titulo, n);
    for (const OrdemDeChave& o : OrdensDasChaves(s)) {
        Stmt k{s.prep("SELECT " + lista + " FROM rec" + o.filtro + " ORDER BY " + o.colunas + ", rid")};
        std::uint64_t hash = 1469598103934665603ull;  // FNV-1a over the fields, a separator after each
        long long lidos = 0;
        auto linha = [&] { std::fprintf(out, "%s order %s %lld %016llx\n", titulo, o.nome.c_str(), lidos,
                                        static_cast<unsigned long long>(hash)); };
        while (sqlite3_step(k.st) == SQLITE_ROW) {
            for (int c = 0; c < sqlite3_column_count(k.st); ++c) {
                const unsigned char* t = sqlite3_column_text(k.st, c);
                for (const unsigned char* p = t; p && *p; ++p) hash = (hash ^ *p) * 1099511628211ull;
                hash = (hash ^ 0x1f) * 1099511628211ull;
            }
            if (++lidos % 4096 == 0) linha();
        }
        linha();
    }
}

}  // namespace bench_company
