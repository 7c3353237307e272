// The window started in place of a procedure that is not in the program yet: it names the function
// and says it is not available, on the thread the menu started for it.
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

// The message shown for `procedimento` chosen through the menu text `texto` (UTF-8).
std::string TextoIndisponivel(const std::string& procedimento, const std::string& texto);
void FuncaoIndisponivel(ui::ProcContext& ctx, const std::string& procedimento, const std::string& texto);

}  // namespace vorel::shell
