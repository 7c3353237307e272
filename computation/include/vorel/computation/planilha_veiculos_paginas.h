// The page reports of the vehicle sheets, A4 landscape.
//
// `PaginasPlanilhaVeiculos` lays out the sheet of one rate from the work rows handed to it in
// order: model 0 ("PlanilhaVeiculo", an entry and an exit on lines of their own) or model 1
// ("PlanilhaVeiculo2", a vehicle's purchase and sale on one numbered line, the date of issue in the
// heading). The 17 columns are `LinhaDaPlanilha`'s; every page's footer shows the sums 18 to 20
// and balances 21 to 23 as they stood after its last line; `Fecha` prints them once more as the
// closing block, and the page on which the sheet ends has no footer. No row: no page.
//
// `RelatorioFinalVeiculos` lays out the vehicle final summary (lines 1 to 6 per rate, the
// "TOTAL" line and the balances 7 to 9), its pages numbered from the first page number given.
//
// Both only build pages; the procedures that read the tables and hand the pages to the previewer
// step are in veiculos_execucao.cpp.
//
//     PaginasPlanilhaVeiculos p(0, CabecalhoDaEmpresa(taxa, mes, ano), rodape);
//     for (each work row in Esa:Key:DataEspelho order) p.Linha(row);
//     p.Fecha();
//     report::Document d = p.Relatorio().finish();
#pragma once

#include <array>
#include <string>

#include "vorel/computation/planilha_veiculos.h"
#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/report/report_controller.h"

namespace vorel::computation {

class PaginasPlanilhaVeiculos {
public:
    // `cab` and `rodape` in Windows-1252; `cab.emissao` is model 1's date of issue.
    PaginasPlanilhaVeiculos(int modelo, CabecalhoVeiculos cab, std::string rodape);
    void Linha(const dictionary::EntradaSaidaVorelRec& w);
    // The closing block with the sums and balances, after the last line (nothing when no line came).
    void Fecha();
    report::ReportController& Relatorio() { return relatorio_; }
    const TotaisVeiculos& Totais() const { return totais_; }

private:
    int modelo_;
    CabecalhoVeiculos cab_;
    std::string rodape_;
    TotaisVeiculos totais_;
    int numeroLinha_ = 0;
    report::ReportController relatorio_;
};

// The heading of the final summary (Windows-1252).
struct CabecalhoFinalVeiculos {
    std::string razao, inscricao;
    int mes = 0, ano = 0;
    date::Day emissao = 0;
};

class RelatorioFinalVeiculos {
public:
    RelatorioFinalVeiculos(CabecalhoFinalVeiculos cab, int paginaInicial, std::string rodape);
    // One rate's line: its three bases and the tax of each at the rate.
    void Linha(const LinhaResumoVeiculo& l);
    // The "TOTAL" line and the balances 7 to 9.
    void Fecha();
    report::ReportController& Relatorio() { return relatorio_; }

private:
    CabecalhoFinalVeiculos cab_;
    std::string rodape_;
    std::array<Decimal, 6> totais_{};
    report::ReportController relatorio_;
};

}  // namespace vorel::computation
