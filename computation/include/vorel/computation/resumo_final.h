// The final summary (`VerificaSaldos`): the working month's balances (`SaldosVorel`) summed into
// the work table `ResumoFinal` by rate, or by supplier and rate, with the twelve lines of the
// final sheet; and the summary's `;` file by supplier (`GeraExcelPlanilhaFinalFornecedor`).
//
// Library calls without windows, on a thread whose table dictionary is set up, for the working
// company, year and month. The caller owns the work table: it opens `ResumoFinal` on a file of its
// own (`AbreResumoFinal` takes a new temporary name) and hands the open cursor in, so a caller
// that already has the table open gets the records in its file.
//
//     data::FileManager resumo(dictionary::ResumoFinal());
//     if (auto e = AbreResumoFinal(resumo); !e.empty()) ... e
//     OpcoesResumo o;  o.porFornecedor = true;
//     if (auto e = MontaResumoFinal(o, resumo); !e.empty()) ... e
//     ResultadoArquivo f = GeraArquivoResumoFornecedor(resumo, pasta + nome);
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/shell/period.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct ResumoFinalRec;
}

namespace vorel::computation {

struct OpcoesResumo {
    bool porFornecedor = false;       // group by supplier and rate, else by rate
    std::uint32_t codFornecedor = 0;  // the chosen supplier and its establishments; 0: all
};

// Opens `resumo` on a new temporary file (`NomeArqTemp`), which the run deletes when it ends
// (`ApagaResumoFinal`).
// Returns the error text, empty when open.
[[nodiscard]] std::string AbreResumoFinal(data::FileManager& resumo);
// Closes the run's `ResumoFinal` and deletes its file when the run ends, however it ends.
class ApagaResumoFinal {
public:
    explicit ApagaResumoFinal(data::FileManager& resumo);
    ~ApagaResumoFinal();
    ApagaResumoFinal(const ApagaResumoFinal&) = delete;
    ApagaResumoFinal& operator=(const ApagaResumoFinal&) = delete;

private:
    data::FileManager& resumo_;
    std::string arquivo_;
};

// The accumulation, in one transaction on `resumo` (open): one record per rate (or per supplier
// and rate) of the balance rows of `periodo`'s month, lines 1 to 8 summed, lines 9 to 12 worked out from the
// sums. `progresso` is called per row counted (done, all); false stops and rolls back.
// Returns the error text, empty when done.
[[nodiscard]] std::string MontaResumoFinal(const shell::EmpresaPeriodo& periodo, const OpcoesResumo& opcoes,
                                           data::FileManager& resumo,
                                           const std::function<bool(long long, long long)>& progresso = {});

// The twelve amounts of a record (lines 1 to 12 of the final sheet), in line order.
std::vector<Decimal> LinhasDoResumo(const dictionary::ResumoFinalRec& r);
// Whether the twelve amounts add up to zero (such a record is left out of the sheets and file).
bool ResumoZerado(const dictionary::ResumoFinalRec& r);

// A balance pair from the sums of lines 11 and 12: one of the two is always 0.
struct SaldoImposto {
    Decimal complemento;
    Decimal ressarcimento;
};
SaldoImposto SaldoDoImposto(const Decimal& soma11, const Decimal& soma12);

// The supplier label of the sheets and the file: "SOMA DE FORNECEDORES NÃO ENCONTRADOS" for code 0
// or a code that is no active register row, else "code - name" (UTF-8).
std::string RotuloFornecedor(std::uint32_t codigo);

// An amount as the file and the by-supplier sheet show it: 15 positions, points between thousands,
// a comma before two decimals (0,00 for zero).
std::string ValorPlanilha(const Decimal& v);

// The export's defaults: the data root's "Excel" folder (with its closing separator) and the name
// "PlFinal" month year ".csv" ("PlFinal032016.csv"); the file is the folder followed directly by
// the name.
std::string PastaExcelPadrao();
std::string NomePlanilhaFinal(int mes, int ano);
// The file the option window stored: `Caminho_Rel` followed directly by `Nome_Rel` (section
// `Excel` of Gerar_Excel.ini); empty when either is empty.
std::string ArquivoExcelConfigurado();

struct ResultadoArquivo {
    enum class Estado { Gerado, NadaAGerar, Falhou };
    Estado estado = Estado::NadaAGerar;
    std::string erro;  // UTF-8, when it failed
    long long linhas = 0;  // data lines written
};

// The `;` file (Windows-1252, CR LF, accents stripped) of `resumo` (open, built by supplier for
// `periodo`, whose company and month head it) at
// `arquivo`, replacing a file of that name. An empty `arquivo` name or an empty table: nothing
// happens. A line that cannot be written stops the file and says so.
[[nodiscard]] ResultadoArquivo GeraArquivoResumoFornecedor(const shell::EmpresaPeriodo& periodo, data::FileManager& resumo,
                                                           const std::string& arquivo,
                                                           const std::function<void(long long, long long)>& progresso = {});

}  // namespace vorel::computation
