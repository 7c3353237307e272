// The page frame of the text sheet (printing mode 2, a wide-carriage dot-matrix printer): the
// 18-line page header with the company, the month and the nineteen column headings, and the page
// footer that pads the page with the caller's empty grid line up to the printer's page length and
// ends it with the totals, the page number and a form feed.
//
// The frame keeps no state: it works on the page state of the text the caller writes. Lines go
// through the caller's writer (its `ArquivoTexto::GravaLinhaTexto`), which converts or strips the
// accents as the printer asks; the new model writes texts without accents and stays condensed.
//
//   PaginaTexto pagina;                                    // no page open
//   if (auto o = CabecalhoPaginaTexto(pagina, cab, codigos, grava); !o.ok()) return o;
//   ... write the lines, pagina.linhas += 1 each ...
//   if (auto o = RodapePaginaTexto(pagina, codigos, enchimento, grava); !o.ok()) return o;
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/core/decimal.h"
#include "vorel/report/outcome.h"
#include "vorel/sheets/colunas_planilha.h"
#include "vorel/shell/globals.h"

namespace vorel::sheets {

using GravaLinha = std::function<report::Outcome(std::string_view)>;

// The page state of a text.
struct PaginaTexto {
    int linhas = 0;                    // lines on the open page; 0: no page open
    std::uint8_t paginaCabecalho = 0;  // shown after "Número Página...." (3 digits)
    std::uint16_t paginaRodape = 0;    // shown after "Página: "
    std::string rodape;                // footer text (150 characters)
    TotaisPlanilha totais;             // printed in the totals line
};

// What the page header shows (Windows-1252 texts).
struct CabecalhoTexto {
    std::string empresa;      // code, " - ", name, " ( ", city, " ) "
    std::string inscricao;    // state registration
    std::string endereco;     // street, number, complement, district
    bool mostraEndereco = false;          // office parameter Endereco_Planilha = 1
    bool filtroFornecedor = false;        // a supplier filter is in force
    std::optional<std::string> fornecedor;  // its active supplier's name; none: no line 6
    std::string produto, medida;
    Decimal aliquota;
    int mes = 0, ano = 0;
    bool modeloNovo = false;  // texts without accents, the whole page condensed
};

// Writes the header when no page is open (line counter 0), and nothing otherwise; the line counter
// is then 18 and both page counters have gone up by one.
report::Outcome CabecalhoPaginaTexto(PaginaTexto& pagina, const CabecalhoTexto& cab,
                                     const shell::CodigosImpressoraRec& codigos, const GravaLinha& grava);

// Fills the page with `enchimento` (after the condensed code) up to the page length less 5, then
// writes the five footer lines and closes the page. With no page open and no room for filler lines
// it writes nothing.
report::Outcome RodapePaginaTexto(PaginaTexto& pagina, const shell::CodigosImpressoraRec& codigos,
                                  std::string_view enchimento, const GravaLinha& grava);

}  // namespace vorel::sheets
