// The one-time conversion of the rate history ("Atualização", at start-up after an update and from
// "&Utilitários" > "Configura Arquivos"): every product of every company gets a rate-history row
// (`ProdutosAliq`) of its current rate starting on 1 January 1900.
//
// Companies are taken in code order from the data root's company register. For each one the
// company's folders and its year folders 1999 to 2010 are made when missing; then its products
// (`PRO:Codigo`, `PRO:Alicota`, in code order) are looked up in its rate history by product, rate
// and 1 January 1900, and a product without that row gets one, numbered after the highest
// `PALIQ:CODIGO` of the file, with no end and no change date. So a second run adds nothing, and a
// product whose rate changed since gets one row more.
//
// Which `Produtos` and `ProdutosAliq` files belong to a company follows from its `EMP:TIPONBM`
// (dictionary/folders.h): the office's shared files are converted once in a run, with the first
// company that uses them. The files are opened at their paths on cursors of the run's own: the
// working company, its year and every table's name variable stay as they were, so other windows
// see nothing change. Each company is one transaction over its two files: a failure, or the
// progress callback's false, rolls back the company in hand. A failure is noted and the run goes
// on with the next company; a stop ends the run.
//
//     ResultadoConversao r = AtualizaArquivos(PastaRaiz.Get(), andamento);
//     for (auto& f : r.falhas) ...   // one text per company whose files could not be converted
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorel::maintenance {

// Where the run stands, for its window.
struct AndamentoConversao {
    std::string empresa;               // the company's name (EMP:RAZAOSOCIAL, trailing blanks cut), UTF-8
    int ano = 0;                       // the year folder in hand (1999..2010)
    bool produtos = false;             // the products are being gone through
    long long produtosFeitos = 0;      // products of the company done
    long long produtosTotal = 0;       // the products' bar's range: products + rate-history rows
    long long empresasFeitas = 0;      // companies done
    long long empresasTotal = 0;       // companies in the register
};

// Answers false to stop the run (the company in hand is rolled back).
using ProgressoConversao = std::function<bool(const AndamentoConversao&)>;

struct ResultadoConversao {
    long long empresas = 0;            // companies gone through
    long long incluidos = 0;           // rate-history rows added (and committed)
    std::vector<std::string> falhas;   // UTF-8, one per company that failed: which and why
    bool cancelado = false;
    bool ok() const { return falhas.empty() && !cancelado; }
};

// `pastaRaiz`: the data root in program form, ending in a separator.
[[nodiscard]] ResultadoConversao AtualizaArquivos(std::string_view pastaRaiz, const ProgressoConversao& progresso = {});

}  // namespace vorel::maintenance
