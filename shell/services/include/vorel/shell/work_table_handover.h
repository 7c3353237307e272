// The work table a computation run hands to the procedure it calls next on its thread.
//
// The monthly computation calls the sheet, the confrontation report or the spreadsheet export by
// name, on its own thread, once its work table is complete. The called procedure reads that run's
// table (its own temporary file, never a shared name), the summary option and the company and month
// computed from here while the call lasts; outside such a call there is nothing to read. Each thread sees only its own hand-over.
//
//     {   // the computation
//         EntregaTrabalho entrega({.arquivo = run.arquivo, .resumo = 1, .periodo = periodo});
//         ctx.Call("PlanilhaMensalProdutos");
//     }
//     // the sheet
//     const TrabalhoEntregue* t = TrabalhoEmEntrega();  // nullptr: not called by a computation
//     FileManager esa(EntradaSaidaVorel()); esa.open_path(t->arquivo);
#pragma once

#include <cstdint>
#include <string>

#include "vorel/shell/period.h"

namespace vorel::shell {

struct TrabalhoEntregue {
    std::string arquivo;       // the work table's file (program path)
    std::uint8_t resumo = 0;   // summary option: 0 none, 1 by product, 2 by supplier
    EmpresaPeriodo periodo;    // the company and month the table was computed for
};

// Makes `t` this thread's hand-over until it goes out of scope (the previous one comes back).
class EntregaTrabalho {
public:
    explicit EntregaTrabalho(TrabalhoEntregue t);
    ~EntregaTrabalho();
    EntregaTrabalho(const EntregaTrabalho&) = delete;
    EntregaTrabalho& operator=(const EntregaTrabalho&) = delete;

private:
    TrabalhoEntregue atual_;
    const TrabalhoEntregue* anterior_;
};

// This thread's hand-over, nullptr when none is in force.
const TrabalhoEntregue* TrabalhoEmEntrega();

}  // namespace vorel::shell
