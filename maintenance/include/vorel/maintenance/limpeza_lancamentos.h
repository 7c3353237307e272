// The clean-ups of a year's movements, each one transaction (a failure or a cancel leaves the
// files as they were):
// - `ExcluiCuponsOrfaos` (window "AjustaECF"): for every date of the year's daily cash-register
//   records (`MovMaqRegistradora`), the analytic records (`AnaliticoICMS`) of that date without
//   their master record (`LancICMSEletronico`, same date, machine and closing) are deleted, then
//   every daily record without its analytic record (same date, machine, closing and rate). Master
//   records are never deleted; analytic records of dates without daily records are not examined.
//   The progress total is the daily records.
// - `ExcluiEntradasDeOutroAno` (window "AjustaLançamentos"): the entry items of the year's file
//   (`EntradaVorel`) dated in another year are deleted.
// `lidos` counts the records walked, `alterados` the records deleted.
//
//     ResultadoReparo r = ExcluiEntradasDeOutroAno(periodo, andamento);
#pragma once

#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance {

// The files of year `ano.ano` of company `ano.empresa` (the month is not used).
[[nodiscard]] ResultadoReparo ExcluiCuponsOrfaos(const shell::EmpresaPeriodo& ano, const ProgressoReparo& progresso = {});
[[nodiscard]] ResultadoReparo ExcluiEntradasDeOutroAno(const shell::EmpresaPeriodo& ano,
                                                       const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
