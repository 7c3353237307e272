// The sheet's placement of a work-table row and its totals, as the sheets name them: the rule
// itself is the fiscal floor's (vorel/fiscal/linha_planilha.h), shared with the sheet's `;` file.
#pragma once

#include "vorel/fiscal/linha_planilha.h"

namespace vorel::sheets {

using fiscal::ColocaLinha;
using fiscal::kValores;
using fiscal::LinhaPlanilha;
using fiscal::NumeroNaEntrada;
using fiscal::Tipo;
using fiscal::TipoDaLinha;
using fiscal::TipoLinha;
using fiscal::TotaisPlanilha;

}  // namespace vorel::sheets
