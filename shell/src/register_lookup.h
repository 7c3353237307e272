// Opening another register's browse for selection from a form's lookup, on the form's thread.
// The registers of the later subsystems join the program one by one: a browse that is not
// registered yet is named in a message instead.
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

// True when the user chose a record (it is in the register table's buffer of this thread).
bool EscolheNoCadastro(ui::ProcContext& ctx, const std::string& procedimento, const std::string& nome);

}  // namespace vorel::shell
