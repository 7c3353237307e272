// The management text sheet (printing mode 2): the sheet's lines written through the text frame of
// vorel/sheets/quadro_texto.h, with the condensed detail line of the nineteen columns, the
// continuation line of a long exit number, the product's totals and a new page at each product, and
// the text result page after the last page.
//
// A product longer than a page goes on to a new page with its headers when the page is full (the
// page length less the five footer lines).
//
//   TextoPlanilhaGestao t(valor, cab, codigos, rodape, grava, produto, saldoNegativo);
//   for (each work-table row in key order) if (auto o = t.Linha(esa, tipoLote, fornecedor); !o.ok()) ...
//   if (auto o = t.Fecha(NomeFornecedorAtivo); !o.ok()) ...
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "vorel/sheets/planilha_mensal.h"
#include "vorel/sheets/quadro_texto.h"
#include "vorel/sheets/resultado_texto.h"
#include "vorel/sheets/valor_medio.h"

namespace vorel::sheets {

// The empty grid that fills a page (225 characters, after the condensed code).
extern const char* const kGradeGestaoTexto;
// The detail line (224 characters).
std::string LinhaDetalheGestaoTexto(const LinhaPlanilha& l);
// The second line of an exit number longer than 8 characters (its characters 9 to 15).
std::optional<std::string> ContinuacaoGestaoTexto(const LinhaPlanilha& l);

class TextoPlanilhaGestao {
public:
    TextoPlanilhaGestao(ValorMedioGestao& valor, CabecalhoTexto cab, shell::CodigosImpressoraRec codigos,
                        std::string rodape, GravaLinha grava, std::function<ProdutoPlanilha(const Decimal&)> produto,
                        bool saldoNegativo);

    // A one-product run: the product's opening and its first page before the first row.
    report::Outcome Abertura(const Decimal& produto);
    report::Outcome Linha(const dictionary::EntradaSaidaVorelRec& esa, std::uint8_t tipoLote, std::uint32_t fornecedor);
    // The last page's footer, then the result page (`modeloNovo`: office parameter ResulPlanilha not 0).
    report::Outcome Fecha(const NomeDoFornecedor& fornecedor, bool modeloNovo);

private:
    void Produto(const Decimal& produto);
    report::Outcome Escreve(const std::string& linha);
    report::Outcome Rodape();

    ValorMedioGestao& valor_;
    CabecalhoTexto cab_;
    shell::CodigosImpressoraRec codigos_;
    GravaLinha grava_;
    std::function<ProdutoPlanilha(const Decimal&)> produto_;
    bool saldoNegativo_;
    PaginaTexto pagina_;
    bool comecou_ = false;
};

}  // namespace vorel::sheets
