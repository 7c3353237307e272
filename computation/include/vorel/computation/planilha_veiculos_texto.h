// The vehicle sheet's text report lines (printing mode 2): `TextoPlanilhaVeiculos` takes the work
// rows in order and hands each finished line (before `GravaLinhaTexto`) to its sink: the page
// heading before a page's first row, a 228-character detail line per row (model 1 numbers them
// 01, 02, ... across pages), and the page end with the running sums 18 to 20 and balances 21 to
// 23 whenever the page holds the printer's lines per page minus 14 rows, and at `Fecha`.
#pragma once

#include <functional>
#include <string>

#include "vorel/computation/planilha_veiculos.h"
#include "vorel/shell/globals.h"

namespace vorel::computation {

struct CabecalhoVeiculos {
    std::string razao, inscricao;  // Windows-1252
    int mes = 0, ano = 0;
    Decimal percentual;
    date::Day emissao = 0;         // model 1's date of issue
};

// The name and state registration of the period's company, with the period and rate given.
CabecalhoVeiculos CabecalhoDaEmpresa(const Decimal& percentual, const shell::EmpresaPeriodo& periodo);

class TextoPlanilhaVeiculos {
public:
    TextoPlanilhaVeiculos(int modelo, CabecalhoVeiculos cab, shell::CodigosImpressoraRec codigos, std::string rodape,
                          std::function<void(const std::string&)> grava);
    void Linha(const dictionary::EntradaSaidaVorelRec& w);
    // The last page's end, unless that page was just closed (or no row came).
    void Fecha();

private:
    void Cabecalho();
    void FimDePagina();

    int modelo_;
    CabecalhoVeiculos cab_;
    shell::CodigosImpressoraRec codigos_;
    std::string rodape_;
    std::function<void(const std::string&)> grava_;
    TotaisVeiculos totais_;
    int pagina_ = 0;
    int linhasNaPagina_ = 0;
    int numeroLinha_ = 0;
};

}  // namespace vorel::computation
