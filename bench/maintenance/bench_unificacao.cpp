// The merge of a month's unification files (`UnificaGrupo` of the entries, the window "Unificacao")
// of 100,000 entries, each with a quantity record, and a supplier file of 10,000
// (VOREL_BENCH_UNIFICACAO_ROWS changes the entries; VOREL_BENCH_UNIFICACAO_ROUNDS the 5 rounds),
// against a raw SQLite baseline in the same program doing the same work on copies of the same
// receiving files: the incoming entries read in date order, each one's party looked up in the
// incoming supplier file by code and in the receiving register by CNPJ, then CPF (remembered by
// code and document, as the engine does), the entry inserted with its receiving code and document,
// then each quantity record's invoice looked up among the incoming entries and the record inserted
// with that document, all in one transaction (rollback journal, synchronous FULL). Before each pass
// the receiving entries and quantity records are deleted (not timed). Alternated rounds print the
// median ratio (wall and CPU); the memory of one engine pass at 10,000 entries and at the size
// measured follows.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/maintenance/importa_unificacao.h"

namespace fs = std::filesystem;
using namespace vorel;
using bench_company::Sql;
using bench_company::Stmt;
using A = maintenance::ArquivoUnificacao;

namespace {

constexpr int kFornecedores = 10000;
constexpr int kPequeno = 10000;

std::string g_rootText;

// Supplier i's document: a CNPJ for four in five, a CPF for the others.
std::string Documento(int i) {
    const std::string n = std::to_string(i % 5 == 4 ? 12345000000LL + i : 11222000000000LL + i);
    return std::string((i % 5 == 4 ? 11 : 14) - n.size(), '0') + n;
}

template <class Rec, class Fill>
void Grava(const data::TableDesc& t, const std::string& arquivo, int n, Fill fill) {
    data::FileManager fm(t);
    fm.set_create(true);
    if (!fm.open_path(arquivo).ok()) std::abort();
    {
        data::Transaction tr({&fm});
        for (int i = 0; i < n; ++i) {
            fm.clear_record();
            fill(fm.rec<Rec>(), i);
            if (!fm.add().ok()) std::abort();
        }
        if (!tr.commit().ok()) std::abort();
    }
    (void)fm.close();
}

// Supplier i under `codigo`, with its document.
void Fornecedor(dictionary::ForCliRec& f, int i, long long codigo) {
    f.Codigo = static_cast<std::uint32_t>(codigo);
    f.Nome = "Fornecedor " + std::to_string(i);
    if (i % 5 == 4) f.CPF = Documento(i);
    else f.CGC = Documento(i);
}

// The receiving register: supplier i's document under code (7 i mod 10,000) + 1.
void Cadastro(const std::string& arquivo) {
    Grava<dictionary::ForCliRec>(dictionary::ForCli(), arquivo, kFornecedores, [](dictionary::ForCliRec& f, int i) {
        Fornecedor(f, i, (7LL * i) % kFornecedores + 1);
    });
}

// A folder of unification files: `n` entries of March 2016 with a quantity record each, and the
// sending company's register (supplier i's document under code i + 1).
std::string Arquivos(int n) {
    const std::string pasta = g_rootText + "unifica" + std::to_string(n) + "\\";
    if (files::make_folder(pasta)) std::abort();
    Grava<dictionary::ForCliRec>(maintenance::LayoutDoArquivo(A::ForCli), files::join(pasta, "ForCli.Tps"), kFornecedores,
                                 [](dictionary::ForCliRec& f, int i) { Fornecedor(f, i, i + 1); });
    Grava<dictionary::EntradaVorelRec>(
        maintenance::LayoutDoArquivo(A::Entradas), files::join(pasta, "Entradas.Tps"), n,
        [](dictionary::EntradaVorelRec& e, int i) {
            e.DataEmissao = date::make(2016, 3, 1 + i % 31);
            e.Numero = static_cast<std::uint32_t>(i + 1);
            e.Serie = "1";
            e.CFO = 1102;
            e.CodMercadoria = 1 + i % 500;
            e.Quantidade = Decimal(1 + i % 7);
            e.BaseICMS = Decimal(10 + i % 100);
            e.CodigoForCli = static_cast<std::uint32_t>(1 + i % kFornecedores);
            e.Cnpj = std::to_string(1 + i % kFornecedores);  // the sender kept its code in the document
        });
    Grava<dictionary::QuantidadeVorelRec>(
        maintenance::LayoutDoArquivo(A::EntQQel), files::join(pasta, "EntQQel.Tps"), n,
        [](dictionary::QuantidadeVorelRec& q, int i) {
            q.DataEmissao = date::make(2016, 3, 1 + i % 31);
            q.Numero = static_cast<std::uint32_t>(i + 1);
            q.Serie = "1";
            q.Procedencia = "E";
            q.Quantidade = static_cast<std::uint32_t>(1 + i % 7);
            q.Cnpj = std::to_string(1 + i % kFornecedores);
        });
    return pasta;
}

bool Esvazia(const std::string& arquivo) {
    Sql s;
    if (sqlite3_open(files::resolve(arquivo).c_str(), &s.db) != SQLITE_OK) return false;
    data::register_collations(s.db);
    return s.exec("DELETE FROM rec");
}

bool PassoEngine(const std::string& pasta) {
    maintenance::PreparoUnificacao p;
    if (!p.Abre().empty()) return false;
    for (A a : {A::Entradas, A::EntQQel, A::ForCli})
        if (!p.Liga(a, files::join(pasta, maintenance::NomeDoArquivo(a))).ok()) return false;
    const maintenance::ResultadoUnificacao r =
        maintenance::UnificaGrupo(p, maintenance::GrupoUnificacao::Entradas, {1, 2016, 3});
    if (!r.ok()) std::fprintf(stderr, "engine: %s\n", r.erro.c_str());
    return r.ok() && r.registros > 0;
}

// The columns of `rec` in `schema` but `rid`, and an insert of them all from bound values.
struct Colunas {
    std::vector<std::string> nomes;
    std::string Insere(const std::string& schema) const {
        std::string c, v;
        for (std::size_t k = 0; k < nomes.size(); ++k) {
            c += (k ? ", " : "") + nomes[k];
            v += (k ? ", ?" : "?") + std::to_string(k + 1);
        }
        return "INSERT INTO " + schema + ".rec (" + c + ") VALUES (" + v + ")";
    }
    std::string Lista() const {
        std::string c;
        for (std::size_t k = 0; k < nomes.size(); ++k) c += (k ? ", " : "") + nomes[k];
        return c;
    }
    int Indice(const std::string& nome) const {
        for (std::size_t k = 0; k < nomes.size(); ++k)
            if (nomes[k] == nome) return static_cast<int>(k);
        return -1;
    }
};
Colunas DaTabela(Sql& s, const std::string& schema) {
    Stmt q{s.prep("PRAGMA " + schema + ".table_info(rec)")};
    Colunas c;
    while (sqlite3_step(q.st) == SQLITE_ROW) {
        std::string nome = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 1));
        if (nome != "rid") c.nomes.push_back(std::move(nome));
    }
    return c;
}
// Binds the row `linha` read from column `de` on into `insere`, but column `troca` (given as text).
void Copia(sqlite3_stmt* insere, sqlite3_stmt* linha, int de, const Colunas& c, int troca, const std::string& texto) {
    sqlite3_reset(insere);
    for (int k = 0; k < static_cast<int>(c.nomes.size()); ++k) {
        if (k == troca) sqlite3_bind_text(insere, k + 1, texto.c_str(), static_cast<int>(texto.size()), SQLITE_TRANSIENT);
        else sqlite3_bind_value(insere, k + 1, sqlite3_column_value(linha, de + k));
    }
}

// The same reads, look-ups and inserts in one transaction through SQLite's own API.
bool PassoRaw(const std::string& entradas, const std::string& qua, const std::string& forcli, const std::string& pasta) {
    Sql s;
    if (sqlite3_open(entradas.c_str(), &s.db) != SQLITE_OK) return false;
    data::register_collations(s.db);
    auto em = [&](const char* nome) { return files::resolve(files::join(pasta, nome)).string(); };
    if (!s.exec("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL") || !s.exec("ATTACH '" + qua + "' AS q") ||
        !s.exec("ATTACH '" + forcli + "' AS f") || !s.exec("ATTACH '" + em("Entradas.Tps") + "' AS ie") ||
        !s.exec("ATTACH '" + em("EntQQel.Tps") + "' AS iq") || !s.exec("ATTACH '" + em("ForCli.Tps") + "' AS ifo"))
        return false;
    const Colunas ce = DaTabela(s, "main"), cq = DaTabela(s, "q");
    const int cnpj = ce.Indice("Cnpj"), codigoForCli = ce.Indice("CodigoForCli"), cnpjQ = cq.Indice("Cnpj");
    const int dataQ = cq.Indice("DataEmissao"), numeroQ = cq.Indice("Numero"), serieQ = cq.Indice("Serie");
    Stmt le{s.prep("SELECT " + ce.Lista() + " FROM ie.rec ORDER BY DataEmissao, rid")};
    Stmt poe{s.prep(ce.Insere("main"))};
    Stmt leQ{s.prep("SELECT " + cq.Lista() + " FROM iq.rec ORDER BY DataEmissao, Numero, Serie COLLATE VNOCASE, "
                    "Cnpj COLLATE VNOCASE, rid")};
    Stmt poeQ{s.prep(cq.Insere("q"))};
    Stmt nota{s.prep("SELECT CodigoForCli, Cnpj FROM ie.rec WHERE DataEmissao = ? AND Numero = ? AND Serie = ? COLLATE VNOCASE "
                     "AND Cnpj = ? COLLATE VNOCASE ORDER BY rid LIMIT 1")};
    Stmt deles{s.prep("SELECT CGC, CPF FROM ifo.rec WHERE Codigo = ? ORDER BY rid LIMIT 1")};
    Stmt cgc{s.prep("SELECT Codigo FROM f.rec WHERE CGC = ? COLLATE VNOCASE AND Inativo = 0 ORDER BY rid LIMIT 1")};
    Stmt cpf{s.prep("SELECT Codigo FROM f.rec WHERE CPF = ? COLLATE VNOCASE AND Inativo = 0 ORDER BY rid LIMIT 1")};
    auto texto = [](sqlite3_stmt* st, int c) {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        return std::string(t ? t : "");
    };
    auto codigo = [](sqlite3_stmt* st, const std::string& chave) -> long long {
        sqlite3_reset(st);
        sqlite3_bind_text(st, 1, chave.c_str(), static_cast<int>(chave.size()), SQLITE_TRANSIENT);
        return sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    };
    std::map<std::string, std::pair<std::string, long long>> partes;  // code|document -> document, code
    auto parte = [&](long long cod, const std::string& proprio) -> const std::pair<std::string, long long>& {
        const std::string chave = std::to_string(cod) + "|" + proprio;
        if (auto it = partes.find(chave); it != partes.end()) return it->second;
        std::string doc = proprio, novo;
        sqlite3_reset(deles.st);
        sqlite3_bind_int64(deles.st, 1, cod);
        if (sqlite3_step(deles.st) == SQLITE_ROW) {
            novo = !texto(deles.st, 0).empty() ? texto(deles.st, 0) : texto(deles.st, 1);
            if (!novo.empty()) doc = novo;
        }
        long long c = codigo(cgc.st, doc);
        if (c < 0) c = codigo(cpf.st, doc.substr(0, 11));
        return partes.emplace(chave, std::pair{novo, c < 0 ? 0 : c}).first->second;
    };
    if (!s.exec("BEGIN IMMEDIATE")) return false;
    long long n = 0;
    while (sqlite3_step(le.st) == SQLITE_ROW) {
        const auto& [doc, cod] = parte(sqlite3_column_int64(le.st, codigoForCli), texto(le.st, cnpj));
        Copia(poe.st, le.st, 0, ce, cnpj, doc.empty() ? texto(le.st, cnpj) : doc);
        sqlite3_bind_int64(poe.st, codigoForCli + 1, cod);
        if (sqlite3_step(poe.st) != SQLITE_DONE) return s.falha("insert entry");
        ++n;
    }
    while (sqlite3_step(leQ.st) == SQLITE_ROW) {
        std::string documento = texto(leQ.st, cnpjQ);
        sqlite3_reset(nota.st);
        sqlite3_bind_int64(nota.st, 1, sqlite3_column_int64(leQ.st, dataQ));
        sqlite3_bind_int64(nota.st, 2, sqlite3_column_int64(leQ.st, numeroQ));
        const std::string serie = texto(leQ.st, serieQ);
        sqlite3_bind_text(nota.st, 3, serie.c_str(), static_cast<int>(serie.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(nota.st, 4, documento.c_str(), static_cast<int>(documento.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(nota.st) == SQLITE_ROW) {
            const auto& p = parte(sqlite3_column_int64(nota.st, 0), texto(nota.st, 1));
            if (!p.first.empty()) documento = p.first;
        }
        Copia(poeQ.st, leQ.st, 0, cq, cnpjQ, documento);
        if (sqlite3_step(poeQ.st) != SQLITE_DONE) return s.falha("insert quantity");
        ++n;
    }
    return s.exec("COMMIT") && n > 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int n = bench_company::Linhas("VOREL_BENCH_UNIFICACAO_ROWS", 100000);
    const bench_company::Pastas p = bench_company::PreparaEmpresa("vorel-bench-unificacao", 2016, 3);
    g_rootText = p.root.string() + "/";
    const std::string forcli = dictionary::CaminhosArquivosEmpresa(g_rootText, 1, 0, 0).CaminhoForCli;
    Cadastro(forcli);
    const std::string grande = Arquivos(n), pequeno = Arquivos(kPequeno);
    // The receiving files, made empty by the engine, and the baseline's copies of them.
    if (!PassoEngine(pequeno) || !Esvazia(p.ano.CaminhoEntradaVorel) || !Esvazia(p.ano.CaminhoQuantidadeVorel)) return 1;
    fs::create_directories(p.root / "raw");
    const std::string rawEnt = (p.root / "raw" / "Entradas.db").string(), rawQua = (p.root / "raw" / "Qua.db").string(),
                      rawFor = (p.root / "raw" / "ForCli.db").string();
    fs::copy_file(files::resolve(p.ano.CaminhoEntradaVorel), rawEnt);
    fs::copy_file(files::resolve(p.ano.CaminhoQuantidadeVorel), rawQua);
    fs::copy_file(files::resolve(forcli), rawFor);

    const int rodadas = bench_company::Linhas("VOREL_BENCH_UNIFICACAO_ROUNDS", 5);
    bench_rounds::add("merge of " + std::to_string(n) + " entries", "raw-sqlite", rodadas,
                      [&] {
                          if (!Esvazia(rawEnt) || !Esvazia(rawQua)) return -1.0;
                          return bench_rounds::seconds([&] { return PassoRaw(rawEnt, rawQua, rawFor, grande); });
                      },
                      [&] {
                          if (!Esvazia(p.ano.CaminhoEntradaVorel) || !Esvazia(p.ano.CaminhoQuantidadeVorel)) return -1.0;
                          return bench_rounds::seconds([&] { return PassoEngine(grande); });
                      });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    bench_rounds::print_ratios();
    for (const auto& [pasta, oque] : {std::pair{pequeno, kPequeno}, std::pair{grande, n}}) {
        if (!Esvazia(p.ano.CaminhoEntradaVorel) || !Esvazia(p.ano.CaminhoQuantidadeVorel)) return 1;
        bench_company::Memoria(std::to_string(oque) + " entries", [&pasta = pasta] { (void)PassoEngine(pasta); });
    }
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(p.root, ec);
    return 0;
}
