// What the batch changes of products and movements share inside: a failed step named for the user
// (with the storage layer's own words), the cancel of the progress callback, and a table opened for
// the run and closed however the run ends.
#pragma once

#include <string>

#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"
#include "vorel/maintenance/resultado_reparo.h"

namespace vorel::maintenance::lote {

// A failed step: what was being done and why (UTF-8).
struct Falhou {
    std::string texto;
};
[[noreturn]] inline void Falha(const std::string& oque) {
    throw Falhou{oque + ": " + text::to_utf8(data::describe(data::last_error()))};
}
inline void Checa(data::Result r, const std::string& oque) {
    if (!r.ok()) Falha(oque);
}

// The progress callback said stop.
struct Cancelou {};
inline void Avanca(const ProgressoReparo& progresso, long long feitos, long long total) {
    if (progresso && !progresso(feitos, total)) throw Cancelou{};
}

// The run of a change made one product at a time, each product in a transaction of its own:
// `corpo(r)`. A failure it throws comes back as its text and how many products before it stayed
// changed (`r.alterados`); a cancel as `cancelado`.
template <class Corpo>
ResultadoReparo PorProduto(Corpo corpo) {
    ResultadoReparo r;
    try {
        corpo(r);
    } catch (const Falhou& f) {
        r.erro = f.texto;
        if (r.alterados > 0)
            r.erro += ". Os " + std::to_string(r.alterados) +
                      " primeiros produtos ficaram ajustados; os demais ficaram como estavam.";
    } catch (const Cancelou&) {
        r.cancelado = true;
    }
    return r;
}

// A table of the run, closed when the run ends; `abre` opens it (at the name variable, or at a
// year's file).
struct Aberta {
    data::FileManager fm;
    explicit Aberta(const data::TableDesc& t) : fm(t) {}
    ~Aberta() {
        if (fm.is_open()) (void)fm.close();
    }
};

}  // namespace vorel::maintenance::lote
