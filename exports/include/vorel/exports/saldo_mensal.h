// The month's balances as a `;` file: `ExportaSaldoMensal` writes the balance rows of a company's
// month (`SaldosVorel` of the period's year, in the order of `SQEL:KEY:DATA`) with each product's
// description (`Produtos`) and the working company's name and state registration (`Empresa`) in
// its heading; the window "ExpExcelSaldoMensal" asks for the kind of rows, the folder and the name.
//
// The file is written beside the target and replaces it only when whole (shell/exportacao_inteira.h):
// a failed write or a value too wide for its column stops the export and leaves the old file.
//
//     report::Outcome o = ExportaSaldoMensal(periodo, TipoSaldoMensal::ComMovimento,
//                                            CaminhoSaldoMensal(pasta, NomeSaldoMensal(3, 2016)));
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "vorel/report/outcome.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::exports {

enum class TipoSaldoMensal : std::uint8_t {
    Todos = 0,         // every balance row of the month
    ComMovimento = 1,  // the rows whose results (the final-consumer confrontation left out) sum above 0
    QtdeNegativa = 2,  // the rows with a negative quantity in stock
};

// "Calculo_Mensal_03_2016.csv" for March 2016.
std::string NomeSaldoMensal(int mes, int ano);
// The folder and the name with one backslash between them (Windows-1252 program paths).
std::string CaminhoSaldoMensal(std::string_view pasta, std::string_view arquivo);

// Called with the rows read and the month's rows so far; false stops the export (no file).
using ProgressoSaldo = std::function<bool(long long lidos, long long total)>;

[[nodiscard]] report::Outcome ExportaSaldoMensal(const shell::EmpresaPeriodo& periodo, TipoSaldoMensal tipo,
                                                 std::string_view caminho, const ProgressoSaldo& progresso = {});

// The window "Calculo Saldo Mensal Excel".
void RunExpExcelSaldoMensal(ui::ProcContext& ctx);

}  // namespace vorel::exports
