// Deleting imported data: the records one import stamped within a range of import months of the
// working year, removed table by table in one transaction (a failure part-way deletes nothing).
// Invoice deletions mark the working month's balance of each deleted item's product
// (`SQEL:Exclusao`), at the item's rate when such a balance exists, else the product's first
// balance of that month. Runs on the calling thread with its table dictionary.
//
//     ResultadoExclusao r = ExcluiImportados(Importados::Saidas, {3, 5}, periodo);  // company 1, March 2016
//     if (!r.falha.ok()) ... nothing was deleted
#pragma once

#include <functional>
#include <string>

#include "vorel/data/error.h"
#include "vorel/shell/period.h"

namespace vorel::data {
struct TableDesc;
class FileManager;
}

namespace vorel::integration {

// What each of the eight deletion windows removes.
enum class Importados {
    Produtos,         // PRO:MesImport (a date) within the months
    Entradas,         // ENT:MesImpor in range, with the balance mark
    Saidas,           // SAI:MesImpor in range, with the balance mark
    SaldoAnterior,    // ENT:MesImpor in range and ENT:Numero = 0
    EntradaVeiculos,  // ENV:MesImpor in range
    SaidaVeiculos,    // SAV:MesImpor in range
    Lancamentos,      // LAN, ANA and MMR, each by its own MesImpor
    Maquinas,         // ICM:MesImpor (the date the machine import writes) within the months
};

struct FaixaMeses {
    int inicio = 0;  // LOC:MESINI
    int fim = 0;     // LOC:MESFIM (a start after the end selects nothing)
};

struct ResultadoExclusao {
    long excluidos = 0;  // records deleted and committed
    data::Result falha;  // the failure that left everything in place
    std::string recusa;  // a month of the range is being computed: nothing was deleted (UTF-8)
};

// The table a deletion window lists (the first one deleted).
const data::TableDesc& TabelaListada(Importados qual);
// Whether the listed table's current buffer lies in the range (the window's list filter).
bool NoIntervalo(Importados qual, data::FileManager& tabela, FaixaMeses faixa, int ano);
// How many records the deletion would remove.
long ContaImportados(Importados qual, FaixaMeses faixa, int ano);
// Deletes them from `periodo`'s year (the working company and month: the months of the range are
// held for the company, the balance marks go to the month); `progresso` is called after each record
// with the count so far.
ResultadoExclusao ExcluiImportados(Importados qual, FaixaMeses faixa, const shell::EmpresaPeriodo& periodo,
                                   const std::function<void(long)>& progresso = {});

}  // namespace vorel::integration
