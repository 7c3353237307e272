// The entries listing's first model over a month of 100,000 entries (VOREL_BENCH_LISTINGS_ROWS
// changes them; 2,000 suppliers, 500 products) against a raw baseline in the same program:
// - the page model (`DocumentoRelEntradas`, its report run driven directly: the progress window's
//   timer would pace the records) against the same rows read through SQLite in the same key order
//   (date, number, series, product, CFOP, base, batch), each entry's supplier (by register code, by
//   CNPJ among the active, or by the code kept in the CNPJ field) and product looked up through
//   their indexes, and the same thirteen texts of each entry kept in memory;
// - the text form's lines (`LinhasRelEntradasM` through the run's own `ArquivoTexto`) against the
//   same reads and look-ups and the same 136-column lines written through one buffered stream.
// Alternated rounds print every round and the median ratios (wall and CPU); then the text form's
// peak memory over a month of 10,000 entries and over the month measured.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "../company_month.h"
#include "../data/rounds.h"
#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/sqlite_collation.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/text_report.h"

namespace fs = std::filesystem;
using namespace vorel;
using bench_company::Sql;
using bench_company::Stmt;

namespace {

constexpr int kFornecedores = 2000;
constexpr int kProdutos = 500;
constexpr int kPequeno = 10000;  // April's entries, for the memory comparison
constexpr int kRounds = 5;

int Linhas() { return bench_company::Linhas("VOREL_BENCH_LISTINGS_ROWS", 100000); }

fs::path g_root;
bench_company::Pastas g_pastas;

std::string Cnpj(int fornecedor) {
    const std::string n = std::to_string(11222000000000LL + fornecedor);
    return std::string(14 - n.size(), '0') + n;
}

void Prepara() {
    g_pastas = bench_company::PreparaEmpresa("vorel-bench-listings", 2016, 3);
    g_root = g_pastas.root;
    data::FileManager forcli(dictionary::ForCli()), pro(dictionary::Produtos()), ent(dictionary::EntradaVorel());
    if (!forcli.open().ok() || !pro.open().ok() || !ent.open().ok()) std::abort();
    data::Transaction tr({&forcli, &pro, &ent});
    for (int i = 1; i <= kFornecedores; ++i) {
        forcli.clear_record();
        auto& f = forcli.rec<dictionary::ForCliRec>();
        f.Codigo = static_cast<std::uint32_t>(i);
        f.CGC = Cnpj(i);
        f.Nome = "FORNECEDOR DE TESTE NUMERO " + std::to_string(i);
        if (!forcli.add().ok()) std::abort();
    }
    for (int p = 1; p <= kProdutos; ++p) {
        pro.clear_record();
        auto& r = pro.rec<dictionary::ProdutosRec>();
        r.Codigo = p;
        r.Produtos = "PRODUTO DE TESTE " + std::to_string(p);
        r.Alicota = p % 2 ? 18 : 12;
        if (!pro.add().ok()) std::abort();
    }
    const int n = Linhas();
    for (int i = 0; i < n + kPequeno; ++i) {
        const bool marco = i < n;
        ent.clear_record();
        auto& e = ent.rec<dictionary::EntradaVorelRec>();
        const int fornecedor = 1 + i % kFornecedores;
        e.DataEmissao = date::make(2016, marco ? 3 : 4, 1 + i % 30);
        e.Numero = static_cast<std::uint32_t>(1 + i / 3);
        e.Serie = "1";
        // One in ten by register code, one in twenty with the code kept in the CNPJ field.
        e.Cnpj = i % 20 == 7 ? std::to_string(fornecedor) : Cnpj(fornecedor);
        e.CodigoForCli = i % 10 == 3 ? static_cast<std::uint32_t>(fornecedor) : 0;
        e.CodMercadoria = i % 50 == 9 ? 9999 : 1 + i % kProdutos;  // one in fifty not registered
        e.CFO = i % 3 == 0 ? 1102 : i % 3 == 1 ? 1403 : 2102;
        e.CFOComplementar = static_cast<std::uint8_t>(i % 4);
        e.Quantidade = Decimal::from_scaled(1000 + i % 7000, 3);
        e.BaseICMS = Decimal::from_scaled(10000 + i % 90000, 2);
        e.ValorICMS = Decimal::from_scaled(1800 + i % 9000, 2);
        if (!ent.add().ok()) std::abort();
    }
    if (!tr.commit().ok()) std::abort();
    for (auto* fm : {&forcli, &pro, &ent}) (void)fm->close();
}

const shell::EmpresaPeriodo kMarco{1, 2016, 3};

shell::CodigosImpressoraRec Impressora() {
    shell::CodigosImpressoraRec c;
    c.LEXP = "\x0E";
    c.DEXP = "\x14";
    c.LNEG = "\x1B" "E";
    c.DNEG = "\x1B" "F";
    c.CPI17 = "\x0F";
    c.NLINHAS = 66;
    return c;
}

double MotorPaginas() {
    return bench_rounds::seconds([] {
        return !listings::DocumentoRelEntradas(kMarco, {}, listings::ModeloEntradas::Modelo01).pages.empty();
    });
}

bool PassoTexto(const shell::EmpresaPeriodo& periodo) {
    shell::ArquivoTexto arq(Impressora());
    if (!arq.AbreTemporario().ok()) return false;
    const report::Outcome o = listings::LinhasRelEntradasM(periodo, {}, listings::ModeloEntradas::Modelo01, arq.codigos(),
                                                           [&arq](const std::string& l) { return arq.GravaLinhaTexto(l); });
    const bool ok = o.ok() && arq.Fecha().ok();
    arq.Apaga();
    if (!o.ok()) std::fprintf(stderr, "text form: %s\n", o.error.c_str());
    return ok;
}

double MotorTexto() {
    return bench_rounds::seconds([] { return PassoTexto(kMarco); });
}

// The raw side's reading: the month's entries in key order with each one's supplier and product.
struct Linha {
    std::string cnpj, nome, serie, produto;
    long long numero, data, cfo, complemento, codigo, quantidade, base, icms, aliquota;
    bool codigoNoCampo;
};

class Leitura {
public:
    bool Abre() {
        if (sqlite3_open_v2(files::resolve(g_pastas.ano.CaminhoEntradaVorel).c_str(), &s_.db, SQLITE_OPEN_READONLY,
                            nullptr) != SQLITE_OK)
            return false;
        data::register_collations(s_.db);
        const auto empresa = dictionary::CaminhosArquivosEmpresa(g_root.string() + "/", 1, 0, 0);
        if (!s_.exec("ATTACH '" + files::resolve(empresa.CaminhoForCli).string() + "' AS f") ||
            !s_.exec("ATTACH '" + files::resolve(empresa.CaminhoProdutos).string() + "' AS p"))
            return false;
        q_.st = s_.prep("SELECT Cnpj, CodigoForCli, Serie, Numero, DataEmissao, CFO, CFOComplementar, CodMercadoria, "
                        "Quantidade, BaseICMS, ValorICMS FROM main.rec WHERE DataEmissao BETWEEN ? AND ? ORDER BY "
                        "DataEmissao, Numero, Serie COLLATE VNOCASE, CodMercadoria, CFO, BaseICMS, Lote COLLATE VNOCASE, rid");
        porCodigo_.st = s_.prep("SELECT Nome FROM f.rec WHERE Codigo = ?");
        porCodigoAtivo_.st = s_.prep("SELECT Nome FROM f.rec WHERE Codigo = ? AND Inativo = 0 ORDER BY rid LIMIT 1");
        porCnpj_.st = s_.prep("SELECT Nome FROM f.rec WHERE CGC = ? COLLATE VNOCASE AND Inativo = 0 ORDER BY rid LIMIT 1");
        produto_.st = s_.prep("SELECT Produtos, Alicota FROM p.rec WHERE Codigo = ?");
        sqlite3_bind_int64(q_.st, 1, date::make(2016, 3, 1));
        sqlite3_bind_int64(q_.st, 2, date::make(2016, 3, 31));
        return q_.st && porCodigo_.st && porCodigoAtivo_.st && porCnpj_.st && produto_.st;
    }

    bool Proxima(Linha& l) {
        if (sqlite3_step(q_.st) != SQLITE_ROW) return false;
        auto texto = [](sqlite3_stmt* st, int c) {
            const unsigned char* t = sqlite3_column_text(st, c);
            return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
        };
        l.cnpj = texto(q_.st, 0);
        const long long codigoItem = sqlite3_column_int64(q_.st, 1);
        l.serie = texto(q_.st, 2);
        l.numero = sqlite3_column_int64(q_.st, 3);
        l.data = sqlite3_column_int64(q_.st, 4);
        l.cfo = sqlite3_column_int64(q_.st, 5);
        l.complemento = sqlite3_column_int64(q_.st, 6);
        l.codigo = sqlite3_column_int64(q_.st, 7);
        l.quantidade = sqlite3_column_int64(q_.st, 8);
        l.base = sqlite3_column_int64(q_.st, 9);
        l.icms = sqlite3_column_int64(q_.st, 10);
        l.codigoNoCampo = false;
        sqlite3_stmt* parte;
        if (codigoItem > 0) {
            parte = porCodigo_.st;
            sqlite3_reset(parte);
            sqlite3_bind_int64(parte, 1, codigoItem);
        } else if (text::clip(l.cnpj).size() == 14) {
            parte = porCnpj_.st;
            sqlite3_reset(parte);
            sqlite3_bind_text(parte, 1, l.cnpj.c_str(), static_cast<int>(l.cnpj.size()), SQLITE_TRANSIENT);
        } else {
            parte = porCodigoAtivo_.st;
            l.codigoNoCampo = true;
            sqlite3_reset(parte);
            sqlite3_bind_int64(parte, 1, std::atoll(l.cnpj.c_str()));
        }
        l.nome = sqlite3_step(parte) == SQLITE_ROW ? texto(parte, 0) : std::string();
        sqlite3_reset(produto_.st);
        sqlite3_bind_int64(produto_.st, 1, l.codigo);
        const bool achou = sqlite3_step(produto_.st) == SQLITE_ROW;
        l.produto = achou ? texto(produto_.st, 0) : std::string();
        l.aliquota = achou ? sqlite3_column_int64(produto_.st, 1) : 0;
        return true;
    }

private:
    Sql s_;
    Stmt q_{}, porCodigo_{}, porCodigoAtivo_{}, porCnpj_{}, produto_{};
};

std::string N(const picture::Picture& p, long long escalado, int casas) {
    return picture::format(p, Decimal::from_scaled(escalado, casas));
}

struct Pictures {
    picture::Picture s3{"@s3"}, n13{"@n13"}, d06b{"@D06b"}, n6p{"@n6."}, n19p{"@N-19."}, q18{"@n-18`3"},
        v18{"@n-18`2"}, v8{"@n-8`3"}, v8t{"@n-8`2"}, v19{"@n-19`2"}, s40{"@s40"}, n5{"@n5"}, n3{"@n3"}, n6{"@n6"},
        n2{"@n2"}, cnpj{"@p##.###.###/####-##p"};
};

double BasePaginas() {
    return bench_rounds::seconds([] {
        Leitura r;
        if (!r.Abre()) return false;
        const Pictures p;
        std::vector<std::array<std::string, 13>> textos;
        for (Linha l; r.Proxima(l);)
            textos.push_back({l.codigoNoCampo ? picture::format(p.n5, std::atoll(l.cnpj.c_str())) : l.cnpj,
                              picture::format(p.s40, l.nome), picture::format(p.s3, l.serie),
                              picture::format(p.n13, l.numero), picture::format(p.d06b, l.data),
                              picture::format(p.n6p, l.cfo), std::to_string(l.complemento),
                              picture::format(p.n19p, l.codigo), l.produto, N(p.q18, l.quantidade, 3),
                              N(p.v18, l.base, 2), N(p.v8, l.aliquota, 3), N(p.v19, l.icms, 2)});
        return !textos.empty();
    });
}

double BaseTexto() {
    const std::string saida = (g_root / "Temp" / "BASE.TXT").string();
    return bench_rounds::seconds([&] {
        Leitura r;
        if (!r.Abre()) return false;
        std::FILE* f = std::fopen(saida.c_str(), "wb");
        if (!f) return false;
        std::setvbuf(f, nullptr, _IOFBF, 1 << 16);
        auto grava = [f](const std::string& l) {
            const std::string_view c = text::clip(l);
            std::fwrite(c.data(), 1, c.size(), f);
            std::fwrite("\r\n", 1, 2, f);
        };
        const Pictures p;
        const shell::CodigosImpressoraRec c = Impressora();
        const std::string rodape(150, ' '), regua = "+" + std::string(134, '-') + "+";
        int contador = 0, pagina = 0;
        auto fimDePagina = [&] {
            for (; contador < 66; ++contador) grava("");
            grava(rodape);
            grava("\f");
            contador = 0;
        };
        for (Linha l; r.Proxima(l);) {
            if (contador == 0) {
                grava(c.LEXP + c.LNEG + "         Relatorio de Entradas          " + c.DNEG + c.DEXP);
                grava(std::string(60, ' ') + "Numero Pagina...." + text::zero_fill(++pagina, 3));
                grava(c.CPI17 + std::string(136, '='));
                grava("| " + text::pad("C.N.P.J. Fornecedor", 23) + text::pad("Forncedor", 44) + text::pad("Serie", 12) +
                      text::pad("Numero", 15) + text::pad("Data Emissao", 15) + text::pad("C.F.O.", 10) +
                      text::pad("C.F.O. Compl.", 14) + "|");
                grava("| " + text::pad("Codigo do Produto", 23) + text::pad("Produto", 39) + text::pad("Quantidade", 17) +
                      text::pad("Base de I.C.M.S.", 19) + text::pad("Aliquota", 17) + text::pad("Valor do I.C.M.S.", 18) +
                      "|");
                grava(std::string(136, '='));
                contador = 6;
            }
            const std::string cnpj = l.codigoNoCampo ? picture::format(p.n5, std::atoll(l.cnpj.c_str()))
                                                     : picture::format(p.cnpj, l.cnpj);
            grava("| " + text::pad(cnpj, 23) + text::pad(l.nome, 30) + std::string(16, ' ') +
                  picture::format(p.n3, std::atoll(l.serie.c_str())) + std::string(7, ' ') +
                  picture::format(p.n6, l.numero) + std::string(11, ' ') + picture::format(p.d06b, l.data) + "  " +
                  picture::format(p.n6p, l.cfo) + std::string(5, ' ') + picture::format(p.n2, l.complemento) +
                  std::string(12, ' ') + "|");
            grava("|" + picture::format(p.n19p, l.codigo) + std::string(5, ' ') + text::pad(l.produto, 30) + " " +
                  N(p.q18, l.quantidade, 3) + std::string(5, ' ') + N(p.v18, l.base, 2) + "   " +
                  N(p.v8t, l.aliquota, 3) + std::string(7, ' ') + N(p.v19, l.icms, 2) + " |");
            grava(regua);
            contador += 3;
            if (contador >= 65) fimDePagina();
        }
        if (contador > 0) fimDePagina();
        return std::fflush(f) == 0 && std::fclose(f) == 0;
    });
}

}  // namespace

int main(int argc, char** argv) {
    Prepara();
    benchmark::Initialize(&argc, argv);
    const std::string n = std::to_string(Linhas());
    bench_rounds::add("entries page model, " + n + " entries", "raw SQLite", kRounds, BasePaginas, MotorPaginas);
    bench_rounds::add("entries text lines, " + n + " entries", "raw SQLite", kRounds, BaseTexto, MotorTexto);
    benchmark::RunSpecifiedBenchmarks();
    bench_rounds::print_ratios();
    bench_company::Memoria(std::to_string(kPequeno) + " entries (text form)", [] { (void)PassoTexto({1, 2016, 4}); });
    bench_company::Memoria(n + " entries (text form)", [] { (void)PassoTexto(kMarco); });
    benchmark::Shutdown();
    dictionary::TeardownDictionary();
    std::error_code ec;
    fs::remove_all(g_root, ec);
    return 0;
}
