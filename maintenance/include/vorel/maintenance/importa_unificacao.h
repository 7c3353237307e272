// Merging unification files into a company ("Unificação dos Aquivos").
//
// The run's staging tables (arquivos_unificacao.h) are bound to the files the user chose; each
// group is merged into the receiving company's tables in one transaction: all of it or nothing. A
// record the receiving table refuses (its unique key is there already: a cash-register record of
// the same date, machine and closing) is passed over, counted and named in the result; any other
// failure, or the progress callback's stop, rolls the whole group back.
//
// Entries and exits go into the period's year files with their quantity records. Their party is
// the incoming supplier file's record of their `CodigoForCli` (when that file was read), else their
// own document: `CodigoForCli` becomes the receiving register's code of that party's CNPJ, else its
// CPF, else 0; an item whose party came from the supplier file carries that party's CNPJ (or CPF)
// digits in its document field, and its invoice's quantity records the same, so a look-up by code
// or by document finds that party and no other. `ItensJaPresentes` names the incoming items whose
// date, number, series, product and CFOP stand in the receiving file already, so a merge done
// before can be asked about first.
//
// Suppliers and customers are matched against the register the company uses: by CNPJ, then by CPF,
// and by name only when neither side has a document. A match is updated with the incoming fields
// (its code and the rest kept); anything else is added under the highest code up to 99999 plus one.
// `ExaminaFornecedores` counts what a merge would do, without writing.
//
//     ItensJaUnificados ja = ItensJaPresentes(p, GrupoUnificacao::Entradas, periodo);
//     if (ja.itens == 0 || usuarioConfirma(ja)) r = UnificaGrupo(p, GrupoUnificacao::Entradas, periodo, andamento);
#pragma once

#include <string>
#include <vector>

#include "vorel/maintenance/arquivos_unificacao.h"
#include "vorel/maintenance/gera_unificacao.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance {

struct ItensJaUnificados {
    std::string erro;                   // UTF-8; empty when the files could be read
    long long itens = 0;
    std::vector<std::string> listados;  // at most kListados, named
};
// Entries or exits only (other groups: nothing).
[[nodiscard]] ItensJaUnificados ItensJaPresentes(PreparoUnificacao& p, GrupoUnificacao g,
                                                 const shell::EmpresaPeriodo& periodo);

struct ResumoFornecedores {
    std::string erro;
    long long porCnpj = 0, porCpf = 0, porNome = 0, novos = 0;
};
[[nodiscard]] ResumoFornecedores ExaminaFornecedores(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo);

// The progress hears (records merged, records of the group).
[[nodiscard]] ResultadoUnificacao UnificaGrupo(PreparoUnificacao& p, GrupoUnificacao g,
                                               const shell::EmpresaPeriodo& periodo,
                                               const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
