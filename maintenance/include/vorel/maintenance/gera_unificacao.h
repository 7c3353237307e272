// Writing the unification files of a company's month ("Gerar Arquivos para Unificação").
//
// `LeParaUnificacao` stages one group of the period's month in the run's staging tables
// (arquivos_unificacao.h), emptied first, so a second read never doubles them: the entry items
// dated in the month (`ENT:KEY:DATA`) with the quantity records of origin "E" of each of their
// invoices (date, number and series, any CNPJ) once per invoice; the exits alike with origin "S";
// the three cash-register tables' records whose text date falls in the month; the whole register
// of suppliers and customers the company uses. The year's files are opened at their paths on
// cursors of the run; the staging is written in one transaction.
//
// `GravaUnificacao` copies the group's staging files into their folders, each under its fixed
// name joined to the folder with one separator: every file first to a temporary name in the
// destination, then renamed over the old file once every copy of the group is whole. A failure
// says which file and why, and leaves the files that were there.
//
//     PastasUnificacao pastas;                                     // every folder "A:\"
//     ResultadoUnificacao r = LeParaUnificacao(p, GrupoUnificacao::Entradas, periodo, andamento);
//     std::string erro = GravaUnificacao(p, GrupoUnificacao::Entradas, pastas);
#pragma once

#include <string>
#include <vector>

#include "vorel/maintenance/arquivos_unificacao.h"
#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"

namespace vorel::maintenance {

// What a read or a merge of the unification files hands back.
struct ResultadoUnificacao {
    std::string erro;                    // UTF-8; empty when done
    bool cancelado = false;              // the progress callback said stop (nothing written)
    long long registros = 0;             // records read (staged, or merged)
    long long recusados = 0;             // records the receiving table refused (a unique key there)
    std::vector<std::string> listados;   // the refused records, named (at most kListados)
    bool ok() const { return erro.empty() && !cancelado; }
};
inline constexpr std::size_t kListados = 50;

// The six destination folders of the generating window.
struct PastasUnificacao {
    std::string entradas = "A:\\", saidas = "A:\\", mestre = "A:\\", analitico = "A:\\", diario = "A:\\",
                fornecedores = "A:\\";
    const std::string& Do(ArquivoUnificacao a) const;
};

// The file's destination: the folder joined to its name with one separator ("A:\Entradas.Tps").
std::string DestinoDoArquivo(const std::string& pasta, ArquivoUnificacao a);

// The progress hears (records staged, records to stage); false stops and stages nothing.
[[nodiscard]] ResultadoUnificacao LeParaUnificacao(PreparoUnificacao& p, GrupoUnificacao g,
                                                   const shell::EmpresaPeriodo& periodo,
                                                   const ProgressoReparo& progresso = {});

// An error text (UTF-8) naming the file that could not be written; empty when every file is in place.
[[nodiscard]] std::string GravaUnificacao(PreparoUnificacao& p, GrupoUnificacao g, const PastasUnificacao& pastas);

}  // namespace vorel::maintenance
