// The result page of the text sheet: one line per summary entry (a supplier, or code 0 "SALDO
// ANTERIOR" when no active supplier has the entry's code) with columns 10 to 16, framed by the text
// sheet's page header and footer, the footer carrying the sums of the seven columns.
//
// It writes into the text the sheet has open (through the sheet's writer) and starts its own page
// numbers at 1. A summary longer than a page continues on a new page with the header repeated.
//
//   CabecalhoTexto cab = ...;  cab.modeloNovo = resulPlanilha != 0;
//   if (auto o = PaginaResultadoTexto(resumo, cab, codigos, NomeFornecedorAtivo, grava); !o.ok()) ...
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "vorel/sheets/quadro_texto.h"
#include "vorel/sheets/resumo_planilha.h"

namespace vorel::sheets {

using NomeDoFornecedor = std::function<std::optional<std::string>(std::uint32_t)>;

report::Outcome PaginaResultadoTexto(const ResumoPlanilha& resumo, const CabecalhoTexto& cab,
                                     const shell::CodigosImpressoraRec& codigos, const NomeDoFornecedor& fornecedor,
                                     const GravaLinha& grava);

}  // namespace vorel::sheets
