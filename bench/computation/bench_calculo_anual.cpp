// The annual recalculation (`CalculoAnualProdutos`) over a year of one company's movements (2,000
// products; 200,000 movements by default, VOREL_BENCH_ANNUAL_ROWS changes them: entries, exits of
// final consumers and of other states, and "F" cash-register items spread over the twelve months),
// from the previous year's December balances, against a raw SQLite baseline in the same program
// doing the same reads and writes: the year's entries, exits and cash-register items read in date
// order and gathered per product in memory, the CFO columns, then in one transaction for every
// product its twelve month records at its rate deleted in one statement, its December balance read and its new
// month records written. Alternated rounds (bench_rounds prints every round and the median
// ratios), then the peak memory of one engine pass.
//
// VOREL_BENCH_DUMP=<file>: runs the engine twice (the second pass deletes and writes again what
// the first wrote) and writes every record of the year's balances file, one a line in a fixed
// order, instead of timing, so that two builds of the engine can be compared on this data set.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <vector>

#include "../data/rounds.h"
#include "movimentos.h"
#include "../company_month.h"
#include "vorel/computation/calculo_anual.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace fs = std::filesystem;
using namespace vorel;
using bench_company::Sql;
using bench_company::Stmt;

namespace {

constexpr int kProdutos = 2000;
constexpr int kRounds = 5;
constexpr int kAno = 2016;

int movimentos() { return bench_company::Linhas("VOREL_BENCH_ANNUAL_ROWS", 200000); }

fs::path g_root;
dictionary::CaminhosAno g_ano, g_anterior;
fs::path g_saldosBase;  // the baseline's own copy of the year's balances file

void Prepara() {
    const bench_company::Pastas pastas = bench_company::PreparaEmpresa("vorel-bench-annual", kAno, 12);
    g_root = pastas.root;
    g_ano = pastas.ano;
    g_anterior = dictionary::CaminhosArquivosAno(g_root.string() + "/", 1, kAno - 1);
    if (dictionary::CriaPastas(g_anterior)) std::abort();

    data::FileManager cfo(dictionary::CFO()), pro(dictionary::Produtos()), ent(dictionary::EntradaVorel()),
        sai(dictionary::SaidaVorel()), mmr(dictionary::MovMaqRegistradora()), dez(dictionary::SaldosVorel());
    if (!cfo.open().ok() || !pro.open().ok() || !ent.open().ok() || !sai.open().ok() || !mmr.open().ok() ||
        !dez.open_path(g_anterior.CaminhoSaldosVorel).ok())
        std::abort();
    data::Transaction tr({&cfo, &pro, &ent, &sai, &mmr, &dez});
    bench_movimentos::GravaCadastros(cfo, pro, kProdutos);
    for (int p = 1; p <= kProdutos; ++p) {
        dez.clear_record();
        auto& d = dez.rec<dictionary::SaldosVorelRec>();
        d.Produto = std::to_string(p);
        d.Competencia = date::first_of_month(kAno - 1, 12);
        d.Aliquota = 18;
        d.QuantProdutos = 40;
        d.ValorUnit = Decimal::from_scaled(3000000 + p, 6);
        d.BaseAcunulada = Decimal::from_scaled(120000 + 40 * p / 1000, 2);
        if (!dez.add().ok()) std::abort();
    }
    const int n = movimentos();
    const int porProduto = n / kProdutos + 1;
    for (int i = 0; i < n; ++i) {
        const int produto = 1 + i % kProdutos;
        const int k = i / kProdutos;  // the product's k-th movement of the year
        const date::Day dia = date::make(kAno, 1, 1) + (k * 365) / porProduto;
        if (k % 20 == 19) {
            mmr.clear_record();
            auto& m = mmr.rec<dictionary::MovMaqRegistradoraRec>();
            m.Codigo = 1;
            m.Fechamento = static_cast<std::uint8_t>(k % 250);
            m.DataEmissao = std::to_string(dia);
            m.CodMercadoria = produto;
            m.Quantidade = 2;
            m.BaseCalculo = 11;
            m.Aliquota = "F";
            if (!mmr.add().ok()) std::abort();
        } else {
            bench_movimentos::GravaMovimento(ent, sai, i, produto, k, dia);
        }
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&cfo, &pro, &ent, &sai, &mmr, &dez}) (void)fm->close();
}

// ------------------------------------------------------------------ the engine
double Motor() {
    return bench_rounds::seconds([] {
        bench_movimentos::SemAvisos avisos;
        computation::ResultadoAnual r = computation::CalculoAnualProdutos(shell::PeriodoDeTrabalho(), avisos);
        if (!r.ok()) std::fprintf(stderr, "engine: %s\n", r.erro.c_str());
        return r.ok() && r.produtos == kProdutos;
    });
}

// ------------------------------------------------------------------ the raw SQLite baseline
struct Movimento {
    int data = 0;
    int cfo = 0, complemento = 0;
    bool caixa = false;
    long long quantidade = 0, base = 0;  // scaled as stored: 3 and 2 places
};

double Base() {
    Sql s;
    if (sqlite3_open(g_saldosBase.c_str(), &s.db) != SQLITE_OK) return -1;
    data::register_collations(s.db);
    s.exec("PRAGMA journal_mode = DELETE; PRAGMA synchronous = FULL");
    const auto anexa = [&](const std::string& arquivo, const char* nome) {
        return s.exec("ATTACH '" + files::resolve(arquivo).string() + "' AS " + nome);
    };
    if (!anexa(g_ano.CaminhoEntradaVorel, "ent") || !anexa(g_ano.CaminhoSaidaVorel, "sai") ||
        !anexa(g_ano.CaminhoMovMaqRegistradora, "mmr") || !anexa(dictionary::CFO().file_name(), "cfo") ||
        !anexa(dictionary::Produtos().file_name(), "pro") || !anexa(g_anterior.CaminhoSaldosVorel, "ant"))
        return -1;
    return bench_rounds::seconds([&] {
        std::map<long long, std::vector<Movimento>> linhas;
        const auto reune = [&](const char* sql, bool caixa) {
            Stmt q{s.prep(sql)};
            while (sqlite3_step(q.st) == SQLITE_ROW) {
                Movimento m;
                m.data = caixa ? std::atoi(reinterpret_cast<const char*>(sqlite3_column_text(q.st, 1)))
                               : sqlite3_column_int(q.st, 1);
                m.cfo = sqlite3_column_int(q.st, 2);
                m.complemento = sqlite3_column_int(q.st, 3);
                m.caixa = caixa;
                m.quantidade = sqlite3_column_int64(q.st, 4);
                m.base = sqlite3_column_int64(q.st, 5);
                linhas[sqlite3_column_int64(q.st, 0)].push_back(m);
            }
            return q.st != nullptr;
        };
        if (!reune("SELECT CodMercadoria, DataEmissao, CFO, Complemento, Quantidade, BaseICMS FROM ent.rec "
                   "ORDER BY DataEmissao, rid",
                   false) ||
            !reune("SELECT CodMercadoria, DataSaida, CFO, Complemento, Quantidade, BaseCalculo FROM sai.rec "
                   "ORDER BY DataSaida, rid",
                   false) ||
            !reune("SELECT CodMercadoria, DataEmissao, 0, 0, Quantidade, BaseCalculo FROM mmr.rec WHERE Aliquota = 'F' "
                   "ORDER BY DataEmissao COLLATE VNOCASE, rid",
                   true))
            return false;
        for (auto& [produto, v] : linhas)
            std::stable_sort(v.begin(), v.end(), [](const Movimento& a, const Movimento& b) { return a.data < b.data; });
        std::map<int, int> colunas;
        {
            Stmt q{s.prep("SELECT CODIGO, COMPLEMENTO, COLUNA FROM cfo.rec WHERE ESTADO = ''")};
            while (sqlite3_step(q.st) == SQLITE_ROW)
                colunas[sqlite3_column_int(q.st, 0) * 1000 + sqlite3_column_int(q.st, 1)] = sqlite3_column_int(q.st, 2);
        }
        Stmt produtos{s.prep("SELECT Codigo, Alicota FROM pro.rec ORDER BY Codigo")};
        Stmt apaga{s.prep("DELETE FROM main.rec WHERE Produto = ? COLLATE VNOCASE AND Aliquota = ? AND Competencia BETWEEN ? AND ?")};
        Stmt dezembro{s.prep("SELECT QuantProdutos, BaseAcunulada, ValorUnit FROM ant.rec WHERE Produto = ? COLLATE VNOCASE "
                             "AND Competencia = ? AND Aliquota = ?")};
        Stmt grava{s.prep("INSERT INTO main.rec (Produto, Competencia, Aliquota, QuantProdutos, ValorUnit, BaseAcunulada, "
                          "CalcUsuFinal, CalcFGNRealisado, CalcIsenta, CalcOutUF, CalcSubsequente, ConfUsuFinal, ConfDemHip, "
                          "Situacao) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,1)")};
        int meses[13];
        for (int m = 1; m <= 12; ++m) meses[m] = date::first_of_month(kAno, m);
        if (!s.exec("BEGIN")) return false;
        while (sqlite3_step(produtos.st) == SQLITE_ROW) {
            const long long codigo = sqlite3_column_int64(produtos.st, 0);
            const long long aliquota = sqlite3_column_int64(produtos.st, 1);
            const std::string texto = std::to_string(codigo);
            sqlite3_bind_text(apaga.st, 1, texto.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int64(apaga.st, 2, aliquota);
            sqlite3_bind_int(apaga.st, 3, meses[1]);
            sqlite3_bind_int(apaga.st, 4, meses[12]);
            if (sqlite3_step(apaga.st) != SQLITE_DONE) return false;
            sqlite3_reset(apaga.st);
            long long q = 0, base = 0, unit = 0;  // 3, 2 and 3 places
            sqlite3_bind_text(dezembro.st, 1, texto.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(dezembro.st, 2, date::first_of_month(kAno - 1, 12));
            sqlite3_bind_int64(dezembro.st, 3, aliquota);
            if (sqlite3_step(dezembro.st) == SQLITE_ROW) {
                q = sqlite3_column_int64(dezembro.st, 0);
                base = sqlite3_column_int64(dezembro.st, 1);
                unit = sqlite3_column_int64(dezembro.st, 2) / 1000;
            }
            sqlite3_reset(dezembro.st);
            long long colunasMes[7] = {};
            int mes = 1;
            const auto fecha = [&] {
                bool escreve = q != 0;
                for (int c = 0; c < 5; ++c) escreve = escreve || colunasMes[c] != 0;
                if (!escreve) return true;
                sqlite3_bind_text(grava.st, 1, texto.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(grava.st, 2, meses[mes]);
                sqlite3_bind_int64(grava.st, 3, aliquota);
                sqlite3_bind_int64(grava.st, 4, q);
                sqlite3_bind_int64(grava.st, 5, unit * 1000);
                sqlite3_bind_int64(grava.st, 6, base);
                for (int c = 0; c < 7; ++c) sqlite3_bind_int64(grava.st, 7 + c, colunasMes[c]);
                const bool ok = sqlite3_step(grava.st) == SQLITE_DONE;
                sqlite3_reset(grava.st);
                return ok;
            };
            for (const Movimento& m : linhas[codigo]) {
                const int mesDoMovimento = date::month(m.data);
                if (mesDoMovimento != mes) {
                    if (!fecha()) return false;
                    std::fill(std::begin(colunasMes), std::end(colunasMes), 0);
                    mes = mesDoMovimento;
                }
                const auto it = colunas.find(m.cfo * 1000 + m.complemento);
                const int coluna = m.caixa ? 2 : (it == colunas.end() ? 0 : it->second);
                if (coluna == 1 || coluna == 7) {
                    q += m.quantidade;
                    base += m.base;
                    if (coluna == 7) colunasMes[6] += m.base;
                    unit = q ? base * 10000 / q : 0;
                } else if (coluna >= 2 && coluna <= 6) {
                    const long long valor = m.quantidade * unit / 10000;
                    q -= m.quantidade;
                    base -= valor;
                    colunasMes[coluna - 2] += valor;
                    if (coluna == 2) colunasMes[5] += m.base;
                }
            }
            if (!fecha()) return false;
        }
        sqlite3_reset(produtos.st);
        return s.exec("COMMIT");
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    if (const char* arquivo = std::getenv("VOREL_BENCH_DUMP"); arquivo && *arquivo) {
        bool ok = Motor() >= 0 && Motor() >= 0;
        if (std::FILE* out = std::fopen(arquivo, "w")) {
            bench_company::Despeja(out, files::resolve(g_ano.CaminhoSaldosVorel).string(), "month");
            ok = std::fclose(out) == 0 && ok;
        } else {
            ok = false;
        }
        dictionary::TeardownDictionary();
        std::error_code ec;
        fs::remove_all(g_root, ec);
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    Motor();  // one pass first, so the year's records exist on both sides
    g_saldosBase = g_root / "Temp" / "saldos-base.db";
    fs::copy_file(files::resolve(g_ano.CaminhoSaldosVorel), g_saldosBase, fs::copy_options::overwrite_existing);
    bench_rounds::add("annual recalculation, " + std::to_string(movimentos()) + " movements", "raw SQLite", kRounds, Base,
                      Motor);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    bench_company::Memoria(std::to_string(movimentos()) + " movements", Motor);
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
