// The work table handed from a computation run to the procedure it calls (work_table_handover.h).
#include "vorel/shell/work_table_handover.h"

#include <utility>

namespace vorel::shell {

namespace {
thread_local const TrabalhoEntregue* emEntrega = nullptr;
}

EntregaTrabalho::EntregaTrabalho(TrabalhoEntregue t) : atual_(std::move(t)), anterior_(emEntrega) { emEntrega = &atual_; }

EntregaTrabalho::~EntregaTrabalho() { emEntrega = anterior_; }

const TrabalhoEntregue* TrabalhoEmEntrega() { return emEntrega; }

}  // namespace vorel::shell
