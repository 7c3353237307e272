// What the repairs of this folder share inside, beside the batch changes' steps (lote_passos.h: a
// failed step named for the user, the cancel of the progress callback): the next record of a walk,
// a year's table opened for the run and closed however the run ends, the transactions of the runs
// that commit after every 1001 records read, and the result of an interrupted run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lote_passos.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance::detail {

using lote::Avanca;
using lote::Cancelou;
using lote::Checa;
using lote::Falha;
using lote::Falhou;

// The next record of a walk: false at the end of the key order; any other failure is `oque`'s.
inline bool Proximo(data::FileManager& fm, const char* oque) {
    const data::Result r = fm.next();
    if (r == data::kRecordNotAvailable) return false;
    Checa(r, oque);
    return true;
}

// A table of the run at its file of the year of `p` (created when missing, as the working year's
// are; a table not kept per year at its name variable), closed when the run ends. Its page cache is
// kept small (1 MB), so a run over a large year takes the memory of a small one.
struct TabelaDoReparo {
    data::FileManager fm;
    TabelaDoReparo(const data::TableDesc& t, const shell::EmpresaPeriodo& p, const char* oque) : fm(t) {
        Checa(shell::AbreNoAno(fm, p), oque);
        (void)fm.send("CacheKiB=1024");
    }
    ~TabelaDoReparo() { (void)fm.close(); }
};

// The runs that commit in batches: a transaction over `tabelas` begun at once and, after every
// 1001 records read (`Conta` returns true after the count passes 1000), committed and begun anew.
// Each commit is noted in the result's `confirmados`. Destroyed uncommitted, the open batch rolls
// back and the result's counts go back to those of the last commit.
class TransacaoEmLotes {
public:
    TransacaoEmLotes(std::vector<data::FileManager*> tabelas, ResultadoReparo& r);
    ~TransacaoEmLotes();
    TransacaoEmLotes(const TransacaoEmLotes&) = delete;
    TransacaoEmLotes& operator=(const TransacaoEmLotes&) = delete;
    void Conta();     // one more record read; commits the batch when it is whole
    void Encerra();   // commits the open batch
private:
    void Inicia();
    void Confirma();
    std::vector<data::FileManager*> tabelas_;
    ResultadoReparo& r_;
    std::optional<data::Transaction> t_;
    long long noLote_ = 0;
    long long lidos_ = 0, alterados_ = 0;  // at the last commit
};

// The year's records of `m` (open, its fields selected) walked by `chave`, whose first component
// is the date `data`, from 1 January to 31 December of `ano`, in batches of 1001: `passo(rec)`
// for each record read (true when it rewrote it). Counts into `r`; a failure or a cancel throws.
template <class Rec, class Passo>
void PercorreAnoEmLotes(data::FileManager& m, data::KeyName chave, std::int32_t Rec::*data, int ano,
                        const ProgressoReparo& progresso, ResultadoReparo& r, Passo passo) {
    const long long total = m.records();
    const date::Day fim = date::make(ano, 12, 31);
    auto& rec = m.rec<Rec>();
    TransacaoEmLotes lotes({&m}, r);
    m.clear_record();
    rec.*data = date::make(ano, 1, 1);
    Checa(m.set_at(chave), "Lendo os registros do ano");
    while (Proximo(m, "Lendo os registros do ano") && rec.*data <= fim) {
        Avanca(progresso, ++r.lidos, total);
        if (passo(rec)) ++r.alterados;
        lotes.Conta();
    }
    lotes.Encerra();
}

// The run's result after a failure (`falha`) or a cancel (null), saying how far it got when
// batches were committed.
void Interrompido(ResultadoReparo& r, const Falhou* falha);
// The result of a run of one transaction after a failure (`falha`) or a cancel (null): nothing done.
void Desfeito(ResultadoReparo& r, const Falhou* falha);

// The run `corpo(r)`; a failure or a cancel it throws goes to `interrompido` (Interrompido for
// the runs in batches, Desfeito for the others).
template <class Corpo>
ResultadoReparo Roda(Corpo corpo, void (*interrompido)(ResultadoReparo&, const Falhou*)) {
    ResultadoReparo r;
    try {
        corpo(r);
    } catch (const Falhou& f) {
        interrompido(r, &f);
    } catch (const Cancelou&) {
        interrompido(r, nullptr);
    }
    return r;
}

}  // namespace vorel::maintenance::detail
