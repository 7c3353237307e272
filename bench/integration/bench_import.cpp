// The exit-invoice import (ImportacaoSaidas: the read into the run's staging file, then the import
// into SaidaVorel) of 100,000 lines (VOREL_BENCH_IMPORT_LINES changes it) against a raw SQLite
// baseline as a competent engineer would write it for the same files: field offsets taken from the
// layout once, each line cut in place, the customer looked up by CNPJ (cached), the product by
// code (cached), the CFO (cached), the line staged in a staging file without indexes and without
// syncs (the run's own) in one transaction; then the staged rows copied in key order into the
// target file (its seven keys), with the batch looked up for entry CFOs, in one transaction.
// Alternated rounds print the median ratio (wall and CPU); the peak resident set of one engine pass
// at 10,000 lines and at the size measured follows.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "rounds.h"
#include "vorel/core/decimal.h"
#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/integration/importa_saidas.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/shell/globals.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

constexpr int kClientes = 200, kProdutos = 500;

int Tamanho() {
    const char* v = std::getenv("VOREL_BENCH_IMPORT_LINES");
    return v && *v ? std::atoi(v) : 100000;
}

fs::path& Raiz() {
    static fs::path p;
    return p;
}

std::string Numero(long long v, int largura) {
    std::string s = std::to_string(v);
    return std::string(static_cast<std::size_t>(largura) - s.size(), '0') + s;
}

std::string Cnpj(int i) { return Numero(11222333000000LL + i, 14); }

std::string Linha(int i) {
    std::string l(131, ' ');
    auto poe = [&](int codigo, const std::string& t) {
        l.replace(static_cast<std::size_t>(integration::EntradaDoCampo(17, codigo)->posicao - 1), t.size(), t);
    };
    poe(1, Cnpj(i % kClientes));
    poe(2, "1 ");
    poe(3, Numero(i % 999999 + 1, 6));
    poe(4, Numero(i % 28 + 1, 2));
    poe(5, "03");
    poe(6, "2016");
    poe(7, Numero(1000 + i % 7, 13));
    poe(8, std::to_string(i % kProdutos + 1));
    poe(9, i % 10 == 0 ? "1202" : "5102");
    poe(11, Numero(10000 + i % 1000, 13));
    poe(12, "017000");
    poe(13, Numero(1700 + i % 170, 13));
    poe(14, "SP");
    poe(16, "L" + std::to_string(i % 50));
    return l;
}

std::string Arquivo(int n) { return (Raiz() / ("saidas-" + std::to_string(n) + ".txt")).string(); }

void Prepara() {
    std::string tmpl = (fs::temp_directory_path() / "vorel-bench-import-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) std::abort();
    Raiz() = tmpl;
    ::setenv("VOREL_STATE_DIR", (Raiz() / "state").c_str(), 1);
    ::setenv("VOREL_SETTINGS_DIR", (Raiz() / "settings").c_str(), 1);
    const std::string root = Raiz().string() + "/";
    for (const char* sub : {"BComuns", "BEscrita", "BVorel", "Temp", "raw"}) fs::create_directories(Raiz() / sub);
    dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(root));
    auto c = dictionary::CaminhosArquivosEmpresa(root, 1, 0, 0);
    if (dictionary::CriaPastas(c)) std::abort();
    dictionary::AplicaCaminhos(c);
    auto a = dictionary::CaminhosArquivosAno(root, 1, 2016);
    if (dictionary::CriaPastas(a)) std::abort();
    dictionary::AplicaCaminhos(a);
    shell::PastaRaiz.Set(root);
    shell::PastaTemp.Set(root + "Temp/");
    dictionary::InitDictionary();

    auto semeia = [](const data::TableDesc& t, int n, auto&& fill) {
        data::FileManager f(t);
        if (!f.open().ok()) std::abort();
        data::Transaction tx({&f});
        for (int i = 0; i < n; ++i) {
            f.clear_record();
            fill(f, i);
            if (!f.add().ok()) std::abort();
        }
        if (!tx.commit().ok()) std::abort();
        (void)f.close();
    };
    semeia(dictionary::LayArquivos(), 1, [](data::FileManager& f, int) {
        auto& l = f.rec<dictionary::LayArquivosRec>();
        l.Arquivo = 17;
        l.Codigo = 1;
    });
    semeia(dictionary::LayCampArquivos(), 17, [](data::FileManager& f, int i) {
        const integration::CampoCatalogo& e = integration::EntradasDoTipo(17)[static_cast<std::size_t>(i)];
        auto& c = f.rec<dictionary::LayCampArquivosRec>();
        c.Arquivo = 17;
        c.Codigo = 1;
        c.CodigoCampo = static_cast<std::uint8_t>(e.codigo);
        c.Posicao = static_cast<std::uint16_t>(e.posicao);
        c.Tamanho = static_cast<std::uint16_t>(e.tamanho);
    });
    semeia(dictionary::ForCli(), kClientes, [](data::FileManager& f, int i) {
        auto& r = f.rec<dictionary::ForCliRec>();
        r.Codigo = static_cast<std::uint32_t>(i + 1);
        r.CGC = Cnpj(i);
        r.Estado = "RJ";
    });
    semeia(dictionary::Produtos(), kProdutos, [](data::FileManager& f, int i) {
        f.rec<dictionary::ProdutosRec>().Codigo = Decimal(i + 1);
    });
    semeia(dictionary::CFO(), 2, [](data::FileManager& f, int i) {
        auto& r = f.rec<dictionary::CFORec>();
        r.CODIGO = i == 0 ? 5102 : 1202;
        r.COMPLEMENTO = 1;
    });
    for (int n : {10000, Tamanho()}) {
        if (fs::exists(Arquivo(n))) continue;
        std::ofstream out(Arquivo(n), std::ios::binary);
        for (int i = 0; i < n; ++i) out << Linha(i) << "\r\n";
    }
    shell::GLO_ANO.Set(2016);
    shell::GLO_MES.Set(3);
}

// The year's exits file emptied for the next pass (removed, as a new year's file starts).
void EsvaziaAlvo() {
    for (const char* t : {"SaidaVorel", "LoteVorel"}) {
        data::FileManager& f = data::dictionary::file(t[0] == 'S' ? dictionary::SaidaVorel() : dictionary::LoteVorel());
        const std::string nome = f.file_name();
        std::error_code ec;
        fs::remove(files::resolve(nome), ec);
        fs::remove(files::resolve(nome + "-lock"), ec);
    }
}

bool PassoEngine(int n) {
    EsvaziaAlvo();
    integration::ImportacaoSaidas run;
    if (!run.Abre().empty()) return false;
    const auto lido = run.Le({Arquivo(n), 1, 1, 3, 2016, {}, 1});
    if (!lido.PodeImportar() || lido.preparados != n || !lido.erros.empty()) return false;
    return run.Importa(3).importados == n;
}

// --- the raw SQLite baseline -------------------------------------------------------------------

constexpr const char* kColunas =
    "DataSaida INTEGER, Lote TEXT, CNPJ TEXT, Serie TEXT, Numero INTEGER, CFO INTEGER, Complemento INTEGER, "
    "CFOComplementar TEXT, Quantidade INTEGER, BaseCalculo INTEGER, ICMS INTEGER, CodMercadoria INTEGER, "
    "Alicota INTEGER, MesImpor INTEGER, BaseAntReducao INTEGER, Estado TEXT, TipoValor INTEGER, CodigoForCli INTEGER";

void Exec(sqlite3* db, const std::string& sql) {
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
}

void CriaSaidas(sqlite3* db, const std::string& t) {
    Exec(db, "CREATE TABLE IF NOT EXISTS " + t + " (rid INTEGER PRIMARY KEY, " + kColunas + ")");
    const char* chaves[] = {"DataSaida, Numero, Serie, CodMercadoria, CFO, BaseCalculo", "DataSaida, Numero, Serie, CNPJ",
                            "DataSaida", "CodMercadoria, Alicota, DataSaida", "CodMercadoria, DataSaida",
                            "DataSaida, Numero, Serie, CFO, CodMercadoria", "CNPJ"};
    int i = 0;
    for (const char* k : chaves) Exec(db, "CREATE INDEX IF NOT EXISTS " + t + "_k" + std::to_string(i++) + " ON " + t + " (" + k + ")");
}

sqlite3* Abre(const std::string& arquivo) {
    sqlite3* db = nullptr;
    if (sqlite3_open(arquivo.c_str(), &db) != SQLITE_OK) std::abort();
    Exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL");
    return db;
}

struct Registros {
    sqlite3* db = nullptr;
    sqlite3_stmt *cliente = nullptr, *produto = nullptr, *cfo = nullptr;
    Registros() {
        db = Abre((Raiz() / "raw" / "registros.db").string());
        Exec(db, "CREATE TABLE IF NOT EXISTS forcli (Codigo INTEGER, CGC TEXT, Inativo INTEGER, Estado TEXT)");
        Exec(db, "CREATE INDEX IF NOT EXISTS forcli_cgc ON forcli (CGC, Inativo)");
        Exec(db, "CREATE TABLE IF NOT EXISTS produtos (Codigo INTEGER PRIMARY KEY, Apelido TEXT)");
        Exec(db, "CREATE TABLE IF NOT EXISTS cfo (Codigo INTEGER, Complemento INTEGER)");
        Exec(db, "CREATE INDEX IF NOT EXISTS cfo_k ON cfo (Codigo, Complemento)");
        sqlite3_stmt* n = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*) FROM forcli", -1, &n, nullptr);
        sqlite3_step(n);
        const bool vazio = sqlite3_column_int(n, 0) == 0;
        sqlite3_finalize(n);
        if (vazio) {
            Exec(db, "BEGIN");
            for (int i = 0; i < kClientes; ++i)
                Exec(db, "INSERT INTO forcli VALUES (" + std::to_string(i + 1) + ", '" + Cnpj(i) + "', 0, 'RJ')");
            for (int i = 0; i < kProdutos; ++i) Exec(db, "INSERT INTO produtos VALUES (" + std::to_string(i + 1) + ", '')");
            Exec(db, "INSERT INTO cfo VALUES (5102, 1), (1202, 1)");
            Exec(db, "COMMIT");
        }
        sqlite3_prepare_v2(db, "SELECT Estado, Codigo FROM forcli WHERE CGC = ? AND Inativo = 0", -1, &cliente, nullptr);
        sqlite3_prepare_v2(db, "SELECT Codigo FROM produtos WHERE Codigo = ?", -1, &produto, nullptr);
        sqlite3_prepare_v2(db, "SELECT 1 FROM cfo WHERE Codigo = ? AND Complemento = 1", -1, &cfo, nullptr);
    }
    ~Registros() {
        for (sqlite3_stmt* s : {cliente, produto, cfo}) sqlite3_finalize(s);
        sqlite3_close(db);
    }
};

// The layout's field positions, taken once.
struct Campo {
    std::size_t pos = 0, tam = 0;
};
const std::vector<Campo>& Campos() {
    static const std::vector<Campo> c = [] {
        std::vector<Campo> v(18);
        for (int codigo = 1; codigo < 18; ++codigo)
            if (const integration::CampoCatalogo* e = integration::EntradaDoCampo(17, codigo))
                v[static_cast<std::size_t>(codigo)] = {static_cast<std::size_t>(e->posicao - 1), static_cast<std::size_t>(e->tamanho)};
        return v;
    }();
    return c;
}
std::string_view Texto(std::string_view l, int codigo) {
    const Campo& c = Campos()[static_cast<std::size_t>(codigo)];
    return l.substr(c.pos, c.tam);
}
// A field's digits as a whole number (the layout's fields are zero-filled digits, blanks allowed).
long long Inteiro(std::string_view l, int codigo) {
    long long v = 0;
    for (char ch : Texto(l, codigo))
        if (ch >= '0' && ch <= '9') v = v * 10 + (ch - '0');
    return v;
}
void Liga(sqlite3_stmt* st, int k, std::string_view t) {
    sqlite3_bind_text(st, k, t.data(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
}

bool PassoRaw(int n) {
    const std::string stgNome = (Raiz() / "raw" / "staging.db").string(), alvoNome = (Raiz() / "raw" / "saidas.db").string();
    for (const std::string& f : {stgNome, alvoNome}) fs::remove(f);
    Registros reg;
    sqlite3* stg = Abre(stgNome);
    Exec(stg, "PRAGMA synchronous=OFF");  // the run's own staging file
    Exec(stg, std::string("CREATE TABLE IF NOT EXISTS s (rid INTEGER PRIMARY KEY, ") + kColunas + ")");
    std::map<std::string, std::pair<std::string, long long>> clientes;
    std::set<long long> produtos, cfos;
    sqlite3_stmt* ins = nullptr;
    std::string sql = "INSERT INTO s VALUES (NULL";
    for (int i = 0; i < 18; ++i) sql += ", ?";
    sqlite3_prepare_v2(stg, (sql + ")").c_str(), -1, &ins, nullptr);
    Exec(stg, "BEGIN");
    std::ifstream in(Arquivo(n), std::ios::binary);
    std::string l;
    long linhas = 0;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        l.resize(131, ' ');
        ++linhas;
        const std::string cnpj(Texto(l, 1));
        auto it = clientes.find(cnpj);
        if (it == clientes.end()) {
            sqlite3_reset(reg.cliente);
            sqlite3_bind_text(reg.cliente, 1, cnpj.c_str(), -1, SQLITE_TRANSIENT);
            if (sqlite3_step(reg.cliente) == SQLITE_ROW)
                it = clientes.emplace(cnpj, std::make_pair(std::string(reinterpret_cast<const char*>(sqlite3_column_text(reg.cliente, 0))),
                                                           sqlite3_column_int64(reg.cliente, 1))).first;
        }
        const long long produto = Inteiro(l, 8);
        if (!produtos.count(produto)) {
            sqlite3_reset(reg.produto);
            sqlite3_bind_int64(reg.produto, 1, produto);
            if (sqlite3_step(reg.produto) == SQLITE_ROW) produtos.insert(produto);
        }
        const long long cfo = Inteiro(l, 9);
        if (!cfos.count(cfo)) {
            sqlite3_reset(reg.cfo);
            sqlite3_bind_int64(reg.cfo, 1, cfo);
            if (sqlite3_step(reg.cfo) == SQLITE_ROW) cfos.insert(cfo);
        }
        const long long base = Inteiro(l, 11), aliq = Inteiro(l, 12);
        long long icms = Inteiro(l, 13);
        const long long calculado = (base * aliq + 50000) / 100000;
        if (icms > 0 && icms != calculado) icms = calculado;
        sqlite3_reset(ins);
        int k = 1;
        sqlite3_bind_int64(ins, k++, Inteiro(l, 4) + 31 * Inteiro(l, 5) + 372 * Inteiro(l, 6));
        Liga(ins, k++, Texto(l, 16));
        Liga(ins, k++, cnpj);
        Liga(ins, k++, Texto(l, 2));
        sqlite3_bind_int64(ins, k++, Inteiro(l, 3));
        sqlite3_bind_int64(ins, k++, cfo);
        sqlite3_bind_int64(ins, k++, Inteiro(l, 17));
        Liga(ins, k++, Texto(l, 10));
        sqlite3_bind_int64(ins, k++, Inteiro(l, 7));
        sqlite3_bind_int64(ins, k++, base);
        sqlite3_bind_int64(ins, k++, icms);
        sqlite3_bind_int64(ins, k++, produto);
        sqlite3_bind_int64(ins, k++, aliq);
        sqlite3_bind_int64(ins, k++, 0);
        sqlite3_bind_int64(ins, k++, Inteiro(l, 15));
        Liga(ins, k++, it != clientes.end() ? std::string_view(it->second.first) : Texto(l, 14));
        sqlite3_bind_int64(ins, k++, 0);
        sqlite3_bind_int64(ins, k++, it != clientes.end() ? it->second.second : 0);
        if (sqlite3_step(ins) != SQLITE_DONE) return false;
    }
    Exec(stg, "COMMIT");
    sqlite3_finalize(ins);

    // The import: the staged rows in key order into the target, with the batches.
    sqlite3* alvo = Abre(alvoNome);
    CriaSaidas(alvo, "saida");
    Exec(alvo, "CREATE TABLE IF NOT EXISTS lote (rid INTEGER PRIMARY KEY, Lote TEXT, CodProduto INTEGER, Tipo INTEGER)");
    Exec(alvo, "CREATE INDEX IF NOT EXISTS lote_k ON lote (Lote, CodProduto)");
    Exec(alvo, "ATTACH '" + stgNome + "' AS stg");
    sqlite3_stmt *sel = nullptr, *put = nullptr, *achaLote = nullptr, *poeLote = nullptr;
    sqlite3_prepare_v2(alvo, "SELECT * FROM stg.s ORDER BY DataSaida, Numero, Serie, CodMercadoria, CFO, BaseCalculo", -1, &sel, nullptr);
    sql = "INSERT INTO saida VALUES (NULL";
    for (int i = 0; i < 18; ++i) sql += ", ?";
    sqlite3_prepare_v2(alvo, (sql + ")").c_str(), -1, &put, nullptr);
    sqlite3_prepare_v2(alvo, "SELECT 1 FROM lote WHERE Lote = ? AND CodProduto = ?", -1, &achaLote, nullptr);
    sqlite3_prepare_v2(alvo, "INSERT INTO lote VALUES (NULL, ?, ?, 1)", -1, &poeLote, nullptr);
    Exec(alvo, "BEGIN");
    long copiados = 0;
    while (sqlite3_step(sel) == SQLITE_ROW) {
        sqlite3_reset(put);
        for (int c = 1; c <= 18; ++c) sqlite3_bind_value(put, c, sqlite3_column_value(sel, c));
        sqlite3_bind_int64(put, 14, 3);
        if (sqlite3_step(put) != SQLITE_DONE) return false;
        const long long cfo = sqlite3_column_int64(sel, 6);
        if (cfo / 1000 == 1 || cfo / 1000 == 2) {
            sqlite3_reset(achaLote);
            sqlite3_bind_value(achaLote, 1, sqlite3_column_value(sel, 2));
            sqlite3_bind_value(achaLote, 2, sqlite3_column_value(sel, 12));
            if (sqlite3_step(achaLote) != SQLITE_ROW) {
                sqlite3_reset(poeLote);
                sqlite3_bind_value(poeLote, 1, sqlite3_column_value(sel, 2));
                sqlite3_bind_value(poeLote, 2, sqlite3_column_value(sel, 12));
                if (sqlite3_step(poeLote) != SQLITE_DONE) return false;
            }
        }
        ++copiados;
    }
    Exec(alvo, "COMMIT");
    for (sqlite3_stmt* s : {sel, put, achaLote, poeLote}) sqlite3_finalize(s);
    sqlite3_close(alvo);
    sqlite3_close(stg);
    return linhas == n && copiados == n;
}

bool ZeraPicoRss() {
    std::ofstream f("/proc/self/clear_refs");
    f << "5";
    return static_cast<bool>(f);
}
long PicoRssKb() {
    std::ifstream f("/proc/self/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

void Memoria(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    long pico = 0, base = 0;
    for (auto _ : state) {
        ZeraPicoRss();
        base = PicoRssKb();
        const long long sqliteBase = sqlite3_memory_used();
        sqlite3_memory_highwater(1);
        if (!PassoEngine(n)) state.SkipWithError("import failed");
        pico = PicoRssKb() - base;
        std::printf("sqlite peak growth %lld KiB\n", (sqlite3_memory_highwater(0) - sqliteBase) / 1024);
    }
    state.counters["peak_rss_growth_kb"] = static_cast<double>(pico);
    std::printf("engine pass of %d lines: peak resident set grew %ld KiB\n", n, pico);
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    const int n = Tamanho();
    bench_rounds::add("import " + std::to_string(n) + " exit lines", "raw-sqlite", 5,
                      [n] { return bench_rounds::seconds([n] { return PassoRaw(n); }); },
                      [n] { return bench_rounds::seconds([n] { return PassoEngine(n); }); });
    benchmark::RegisterBenchmark("ImportMemory", Memoria)->Arg(10000)->Arg(n)->Iterations(1)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_rounds::print_ratios();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(Raiz(), ec);
    return 0;
}
