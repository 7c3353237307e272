// One run of the monthly computation: its options, period, product list, its own table cursors
// (the work table on the run's own file) and its progress. Shared by the run's steps: the set-up
// (calculo_produtos.cpp), the gathering of each product's rows (reuniao_produtos.cpp), the
// valuation (calcula_planilha_mensal.cpp) and the base of the last entries
// (base_ultimas_entradas.cpp). Nothing here outlives the run.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/computation/regras_colunas.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/shell/period.h"

namespace vorel::computation::detail {

// An entry of the product list (QUE:PRODUTO), kept in code order.
struct ItemProduto {
    DecimalField<7, 3> aliquota{};
    DecimalField<15, 3> saldoBaseRetencao{};
    DecimalField<15, 3> saldoQuantidade{};
    DecimalField<19, 6> saldoValUnitario{};
};

// Stops the run: a failed write or transaction (erro set), or the user's cancel.
struct Interrupcao {
    bool cancelado = false;
    std::string erro;
};

// The page caches a run asks for (KiB), fixed, so that its memory does not grow with the movements
// the month holds. The monthly computation reads a product's month through the (product, date) keys
// of its exits and entries, each row looked up in its file out of the file's order, and the next
// product's rows lie on the same pages: those two caches hold the pages of one product's month of a
// large month (2,000,000 movements over 2,000 products: about 600 pages of exits and 400 of
// entries), else every row read is a read from the system. While the products are gathered the work
// table is only appended to (at the exits', the entries' and the cash items' places) and needs few
// pages; once every product is valued the movement files give their pages back
// (kCacheDevolvido) and the work table takes kCacheDasChaves to build its keys, so the two phases'
// caches are never held together. The other files a run reads take kCacheDaExecucao.
// Resident peak of one pass of the benchmark's month: 15.5 MB at 20,000 rows, 16.5 MB at 200,000,
// 17.3 MB at 2,000,000 (with 1 MB movement caches and the work table's 4 MB from start to end: 16.4,
// 17.6 and 18.8 MB, and the pass at 2,000,000 rows took 40 s of CPU against 22-24 s).
inline constexpr const char* kCacheDaExecucao = "CacheKiB=1024";
inline constexpr const char* kCacheDasSaidas = "CacheKiB=3072";
inline constexpr const char* kCacheDasEntradas = "CacheKiB=2048";
inline constexpr const char* kCacheDoTrabalho = "CacheKiB=512";
inline constexpr const char* kCacheDasChaves = "CacheKiB=4096";
inline constexpr const char* kCacheDevolvido = "CacheKiB=64";

// A failed table operation as an interruption naming what failed.
[[noreturn]] void Falha(const std::string& oque);
inline void Checa(data::Result r, const char* oque) {
    if (!r.ok()) Falha(oque);
}

struct Execucao {
    Execucao(const shell::EmpresaPeriodo& p, const OpcoesCalculo& o, AvisosCalculo& a);
    ~Execucao();

    const shell::EmpresaPeriodo periodo;  // the company and month computed
    const OpcoesCalculo& opcoes;
    AvisosCalculo& avisos;
    date::Day inicio = 0, fim = 0;    // the period gathered
    int ano = 0, mes = 0;              // the month computed
    date::Day mesTrabalho = 0;         // first day of the month computed
    date::Day mesAnterior = 0;         // first day of the month before it
    std::uint32_t empresa = 0;
    ContextoRegra regra;
    bool gravaMes = true;              // the month's records are written (not for another period)

    std::map<Decimal, ItemProduto> produtos;
    ProgressoCalculo progresso;
    std::vector<CfoAusente> cfosAusentes;
    bool negativo = false;             // a valued product went below zero

    std::string arquivoTrabalho;
    data::FileManager trabalho;

    // Counts one record on the first bar; false from the caller stops the run.
    void Conta();
    void Mostra();
    // Opens `fm` at its table's file in the year computed (never through the name variable); a
    // failure stops the run naming `oque`.
    void Abre(data::FileManager& fm, const char* oque) const;
    // Opens `fm` at its table's file in another year of the company when that file exists; false
    // when it does not.
    bool AbreDoAno(data::FileManager& fm, int outroAno) const;
};

// A transaction of the run with its lock wait of one second. One that cannot start shows the
// storage layer's error ("Codigo Erro N") and stops the run: no step goes on unprotected.
class TransacaoDoCalculo {
public:
    TransacaoDoCalculo(Execucao& run, std::vector<data::FileManager*> tabelas);
    // Commits inside the wait window; a failed commit stops the run naming `oque`.
    void Confirma(const char* oque);

private:
    Execucao& run_;
    data::Transaction t_;
};

// Gathering helpers shared with the valuation: the product code as SQEL:Produto holds it.
std::string CodigoTexto(const Decimal& codigo);
// The number a text starts with, blanks before it skipped (a day or complement kept as text); 0
// when there is none.
int NumeroDoTexto(std::string_view t);

// The positions (record ids) of the work rows: one band per source, so that rows of equal key
// values read in the order the sources are gathered, as the sheets and exports list them: every
// exit, then every entry, then every cash-register item, then the products' opening rows. Within a
// band the rows take the order in which their source is read (products in code order, a product's
// items in their file's (product, date) key order), whatever the order in which they are written.
inline constexpr std::int64_t kPosicaoSaidas = 1;
inline constexpr std::int64_t kPosicaoEntradas = std::int64_t{1} << 40;
inline constexpr std::int64_t kPosicaoCaixas = std::int64_t{1} << 41;
inline constexpr std::int64_t kPosicaoAberturas = std::int64_t{1} << 42;

// A product's work row held until it is valued and written, with its position.
struct LinhaDoProduto {
    LinhaTrabalho linha;
    std::int64_t posicao = 0;
};

class ReuniaoProdutos;

// The valuation of every product the gathering hands over, each product's rows written once with
// their results, the month records, the carry of the other products and the work table's keys: all
// in one transaction.
void CalculaPlanilhaMensal(Execucao& run, ReuniaoProdutos& reuniao);

// An entry a base of columns 4, 5 and 9 is taken from (CFOP 1403, 2403, 1409 or 2409).
struct EntradaDeBase {
    date::Day dia = 0;
    int cfo = 0;
    Decimal quantidade, baseIcmsPropria, aliquota;
};

// The entry bases of columns 4, 5 and 9, read from the working year's entries and the earlier
// years' files, through cursors of the run.
class BasesDaExecucao : public BasesEntradas {
public:
    explicit BasesDaExecucao(Execucao& run);
    ~BasesDaExecucao() override;
    void Abre();
    void Produto(const Decimal& aliquotaProduto) { aliquotaProduto_ = aliquotaProduto; }
    Decimal UltimasEntradas(const LinhaTrabalho& linha) override;
    Decimal DevolucaoEstoque(const LinhaTrabalho& linha) override;

private:
    data::FileManager* Ano(int ano);  // nullptr when that year's entry file does not exist
    // The product's base entries of a year's file in the key's order (product, date), read on
    // the first call for the product and year; nullptr when that year's file does not exist.
    const std::vector<EntradaDeBase>* Entradas(int ano, const Decimal& produto);

    Execucao& run_;
    Decimal aliquotaProduto_;
    std::map<int, std::unique_ptr<data::FileManager>> anos_;
    Decimal produtoLido_{-1};
    std::map<int, std::optional<std::vector<EntradaDeBase>>> lidas_;
};

}  // namespace vorel::computation::detail
