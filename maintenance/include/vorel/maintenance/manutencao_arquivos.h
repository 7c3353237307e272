// The table files of the maintenance window ("Atualização Arquivos") and the seven operations on one
// of them, as library calls the window runs table by table.
//
// `TabelasDaManutencao()` lists the 36 tables, sorted by description; three of them are files a run
// makes for itself (`EntradaSaidaVorel`, `ResumoFinal`, `ImpMatricial`): no shared file stands behind
// them, and every operation passes them over with "Arquivo temporário". The others are opened at the
// file their name variable holds (the working company's and year's files, or the shared ones).
//
// What each operation does to our table files:
// - Build ("&Reindexa"): every key rebuilt in one transaction (`FileManager::rebuild_keys`), the
//   progress telling "Key :" and the key's name.
// - Pack ("&Limpa"): the file compacted in one transaction (`FileManager::pack`).
// - Release ("&Atualiza"): every record read, nothing changed; the count, and the records left primed
//   by a program that died with a form open, which the exclusive open takes away.
// - Fix ("&Corrige"): the integrity check; a damaged file is rebuilt from every record that still
//   reads, the original kept under a dated name (`data::fix_table_file`); the row tells records kept
//   and lost.
// - Freshen ("Força Indexação"): the file rewritten in the current structure
//   (`data::freshen_table_file`), then Info.
// - Info ("&Informações"): the file opened shared, for reading: its record count and full name, or
//   "?" and "Error <code> : <text>".
// - Create ("&Cria Arquivos"): Info, which makes a missing file empty ("0").
// Every operation that writes opens the file exclusively: when another program or window has it,
// the row is left alone and `acessoNegado` holds the "File Access Error" text. A missing file is
// passed over by Build, Pack and Release without a word.
//
//     for (const TabelaListada& t : TabelasDaManutencao()) ...
//     ResultadoOperacao r = ExecutaOperacao(Operacao::Info, tabela, andamento);
//     if (r.registros) row.registros = *r.registros;
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vorel::data {
struct TableDesc;
}

namespace vorel::maintenance {

struct TabelaListada {
    std::string rotulo;                          // the table's label ("ProdutosAliq")
    std::string descricao;                       // UTF-8, as stored (the window shows 40 characters)
    const data::TableDesc* tabela = nullptr;     // nullptr: a file a run makes for itself
};

// The 36 tables, ascending by description.
std::vector<TabelaListada> TabelasDaManutencao();

enum class Operacao { Build, Pack, Release, Fix, Freshen, Info, Create };

// What the operation leaves in the row's columns (UTF-8); nullopt: the column stays as it was.
struct ResultadoOperacao {
    std::optional<std::string> registros;  // "Registros"
    std::optional<std::string> nome;       // "Nome do Arquivo"
    std::string acessoNegado;              // the "File Access Error" message, when the file is held elsewhere
};

// (the action's text, percent 0..100); false stops the operation on this table, which then stays as
// it was, and the run goes on with the next.
using AndamentoOperacao = std::function<bool(const std::string& acao, int percent)>;

[[nodiscard]] ResultadoOperacao ExecutaOperacao(Operacao op, const TabelaListada& tabela,
                                                const AndamentoOperacao& andamento = {});

}  // namespace vorel::maintenance
