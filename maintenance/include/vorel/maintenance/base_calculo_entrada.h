// The calculation base of a year's retained-tax purchases taken from their own-operation base: the
// repair of the window "AjustaBaseCalc_Ent". Every entry item of the year with CFOP 1403 or 2403
// and a calculation base (`ENT:BaseICMS`) of zero takes its own-operation base
// (`ENT:BaseICMSPropria`) as calculation base, zero included. The run reads the year's entries by
// date and commits after every 1001 read and at its end; a failure or a cancel rolls back only the
// open batch and says how many entries stayed adjusted.
//
//     ResultadoReparo r = CopiaBasePropriaParaBaseCalculo(periodo, andamento);
#pragma once

#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance {

// The year `ano.ano` of company `ano.empresa` (the month is not used).
[[nodiscard]] ResultadoReparo CopiaBasePropriaParaBaseCalculo(const shell::EmpresaPeriodo& ano,
                                                              const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
