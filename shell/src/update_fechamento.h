// UpdateFechamentoEscrita: the form of one closed month, run by AberturaFechamento with the
// request in ctx.request and, for change and delete, the month in the thread's FechamentoEscrita
// buffer. `usuario` is the user who confirmed (Windows-1252).
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void UpdateFechamentoEscrita(ui::ProcContext& ctx, const std::string& usuario);

}  // namespace vorel::shell
