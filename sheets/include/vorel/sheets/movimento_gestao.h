// The gathering of the management sheet: a company's month's exits, entries and "F" cash-register
// items, of one product or all, of one supplier or all, copied into the run's own work table
// (EntradaSaidaVorel at a temporary file of that run), with the opening values of the month's
// opening-balance entries and the error file "Erros_Notas.txt" of exits whose batch is not
// registered.
//
// The rows keep what the sheets need: the document, the CFO, quantity, base, product, batch, and
// for an exit of an old batch (type 0) the CNPJ of that batch's opening-balance entry, so the page
// sheet can find the supplier. A blank number marks a row the sheets skip (an opening-balance entry,
// a cash-register item of a machine without serial number).
//
//   data::FileManager esa(dictionary::EntradaSaidaVorel());   // opened at the run's own file
//   ResultadoMontagem r = MontaMovimentoMes(esa, opcoes, avisos);
//   if (!r.ok()) ...tell r.falha...
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/sheets/valor_medio.h"
#include "vorel/shell/period.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct SaidaVorelRec;
}

namespace vorel::sheets {

struct OpcoesMontagem {
    bool todos = true;
    Decimal produto;                  // the one product when not `todos`
    std::uint32_t fornecedor = 0;     // 0: every supplier
    std::string cnpjFornecedor;       // the supplier's FOR:CGC: entries of another CNPJ are left out
    // The company and month: that year's movements and that company's registers are read, at
    // their files, whatever the working period is.
    shell::EmpresaPeriodo periodo;
    std::string arquivoErros;         // program path of "Erros_Notas.txt"
};

struct AvisosMontagem {
    // The message of an exit whose batch is not registered (UTF-8; the window shows it).
    std::function<void(const std::string& texto)> loteAusente;
    // After each row read of the three tables.
    std::function<void()> avanca;
};

struct ResultadoMontagem {
    // The opening values of each product's opening-balance entry of the month (the last one read
    // when a product has several).
    std::map<Decimal, SaldoGestao> aberturas;
    long long linhas = 0;     // rows added to the work table
    // The first failed read or write (UTF-8, naming the table or file); the gathering stops there.
    std::string falha;
    bool ok() const { return falha.empty(); }
};

ResultadoMontagem MontaMovimentoMes(data::FileManager& trabalho, const OpcoesMontagem& opcoes,
                                    const AvisosMontagem& avisos);

// The error file's three header lines, and the line of an exit (135 characters each, Windows-1252).
const std::array<std::string, 3>& CabecalhoErrosNotas();
std::string LinhaErroNota(const dictionary::SaidaVorelRec& saida, const std::string& produto);

// An exit's number as the work table keeps it: six positions, blank-filled on the left; a longer
// number is kept whole.
std::string NumeroSaida(std::uint32_t numero);

}  // namespace vorel::sheets
