// What a batch repair of this folder hands back, and the progress callback it takes.
//
// A repair is a library call: the company and year come as a value (shell::EmpresaPeriodo, the
// month unused), progress goes through the callback, called once per record read with (records
// read, records of the table walked); its false stops the run and rolls back what the run has not
// committed. A failed read, write or commit rolls back the same and comes back as a text that
// says what failed and how far the run got.
//
//     ResultadoReparo r = ExcluiEntradasDeOutroAno(periodo, andamento);
//     if (!r.ok()) ui::Message(r.erro, "Atenção!!!");
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vorel::maintenance {

// (records read, records in all); false stops the run and rolls back its open transaction.
using ProgressoReparo = std::function<bool(long long, long long)>;

struct ResultadoReparo {
    std::string erro;             // UTF-8; empty when done
    bool cancelado = false;       // the progress callback said stop
    long long lidos = 0;          // records read
    long long alterados = 0;      // records rewritten (or deleted, for a clean-up)
    // The runs that commit in batches: the records read when each commit was made, in order.
    // What was read up to the last of them stays written after a failure or a cancel.
    std::vector<long long> confirmados;
    bool ok() const { return erro.empty() && !cancelado; }
};

}  // namespace vorel::maintenance
