// The unification files and one run's staging of them.
//
// A month of a company's movements and its register of suppliers and customers travel between
// installations as eight table files of this system, each with the record layout of one table
// ("Entradas.Tps" of `EntradaVorel`, "EntQQel.Tps" of `QuantidadeVorel`, ...), in four groups:
// entries, exits, cash-register records, suppliers and customers. Files written by any other
// program are not read.
//
// `PreparoUnificacao` owns a run's eight staging tables, each a cursor of the run on an alias of
// its table (never the table's shared name variable): at first every one on an empty temporary file
// of its own (`NomeArqTemp`), which the generating window fills; the reading window binds one to
// a file the user chose instead (`Liga`), opened only to be read. `Encerra` (or the destructor)
// closes them and deletes the temporary files, never a chosen one.
//
//     PreparoUnificacao p;
//     if (auto erro = p.Abre(); !erro.empty()) ...say it
//     data::FileManager& e = p.tabela(ArquivoUnificacao::Entradas);   // EntradaVorelRec buffer
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "vorel/data/error.h"

namespace vorel::data {
class FileManager;
struct TableDesc;
}  // namespace vorel::data

namespace vorel::maintenance {

enum class GrupoUnificacao { Entradas, Saidas, ECF, Fornecedores };

enum class ArquivoUnificacao : int { Entradas, EntQQel, Saidas, SaiQQel, Mestre, Analitico, Diario, ForCli };
inline constexpr int kArquivosUnificacao = 8;

// "Entradas.Tps", "EntQQel.Tps", "Saidas.Tps", "SaiQQel.Tps", "CaLanMes.Tps", "CaLanAna.Tps",
// "CaLanCup.Tps", "ForCli.Tps".
const char* NomeDoArquivo(ArquivoUnificacao a);
// The staging alias of the file's table (`EntradaVorel0`, `QuantidadeVorel0`, ...).
const data::TableDesc& LayoutDoArquivo(ArquivoUnificacao a);
// A group's files: the movements first, then their quantity records.
std::vector<ArquivoUnificacao> ArquivosDoGrupo(GrupoUnificacao g);

class PreparoUnificacao {
public:
    PreparoUnificacao();
    ~PreparoUnificacao();
    PreparoUnificacao(const PreparoUnificacao&) = delete;
    PreparoUnificacao& operator=(const PreparoUnificacao&) = delete;

    // Takes eight temporary names and opens each staging table empty on its own; an error text
    // (UTF-8) when one cannot be made (nothing is left open then).
    std::string Abre();
    // The staging table back on its temporary file, emptied.
    [[nodiscard]] data::Result Esvazia(ArquivoUnificacao a);
    // The staging table on `arquivo` (a program path), opened to be read only.
    [[nodiscard]] data::Result Liga(ArquivoUnificacao a, const std::string& arquivo);
    // The staging table closed, on no file (a missing quantity file: nothing of it is merged).
    void Solta(ArquivoUnificacao a);
    // Closes the staging table for a copy of its file, and opens it again afterwards.
    void Suspende(ArquivoUnificacao a);
    [[nodiscard]] data::Result Retoma(ArquivoUnificacao a);
    // Closes every table and deletes the temporary files.
    void Encerra();

    data::FileManager& tabela(ArquivoUnificacao a);
    bool aberta(ArquivoUnificacao a) const;
    // The file the table is on: its temporary file, or the chosen one.
    const std::string& arquivo(ArquivoUnificacao a) const;
    bool ligada(ArquivoUnificacao a) const;  // on a chosen file

private:
    struct Tabela;
    Tabela& t(ArquivoUnificacao a) const;
    std::array<std::unique_ptr<Tabela>, kArquivosUnificacao> tabelas_;
};

}  // namespace vorel::maintenance
