// `CalculoProdutos`: the monthly computation of the working company.
//
// One run gathers the period's exits, entries and cash-register items into a work table of its
// own (a fresh temporary file, never a shared name), values every product of its list by the
// weighted moving average (`CalculaPlanilhaMensal`) and stores the month's balances in
// `SaldosVorel`, one record per product. The valuation, the month records and the carry of the
// previous month for the other registered products are one transaction: a run that is cancelled,
// fails or dies leaves the month's records as they were.
//
// It is a library call with no window: progress, messages and the cancel come and go through an
// `AvisosCalculo` that the caller gives (a window, the headless driver, a test). It runs on a
// thread whose table dictionary is set up (InitDictionary). The company and month come as a value
// (`shell::EmpresaPeriodo`; a window passes `shell::PeriodoDeTrabalho()`): the run opens that
// year's movement and balance files and that company's products and rate history at their paths on
// cursors of its own, and reads neither the working period nor the name variables of those tables
// (the CFOP register is the office's, the same for every company).
//
//     OpcoesCalculo o;  o.todos = true;          // all products of the month
//     ResultadoCalculo r = CalculoProdutos(periodo, o, avisos);
//     if (!r.ok()) ... r.erro
//     EntregaCalculo(ctx, periodo, o, r, avisos); // sheet, confrontation or export, as asked
//
// A caller that reads the work table afterwards sets `manterTrabalho` and deletes
// `r.arquivoTrabalho` itself (ApagaTrabalho).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/shell/period.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::computation {

struct OpcoesCalculo {
    Decimal produto;                  // the product valued; ignored when `todos`
    bool todos = false;               // every product of the period (and the carry of the others)
    bool somenteNegativos = false;    // keep only the rows of products that went below zero; no month records of them
    std::uint8_t resumo = 0;          // summary option handed to the sheet or the export
    bool planilha = false;            // hand over to the monthly sheet
    bool exportacao = false;          // hand over to the spreadsheet export
    bool confronto = false;           // hand over to the confrontation report
    bool periodoExplicito = false;    // the items gathered are inicio..fim's, not the month's
    date::Day inicio = 0;
    date::Day fim = 0;
    bool manterTrabalho = false;      // the caller keeps (and deletes) the work table
};

// Where a run stands, for its progress window: the first bar counts the gathered records and then
// the products, the second the rows of the product being valued.
struct ProgressoCalculo {
    long long contador = 0;
    long long barra1 = 0, total1 = 0;
    long long barra2 = 0, total2 = 0;
    bool barra2Visivel = false;
};

// What the run tells its caller, and how the caller stops it.
class AvisosCalculo {
public:
    virtual ~AvisosCalculo() = default;
    // Called on every record and product; false stops the run (nothing of the month changes).
    virtual bool Progresso(const ProgressoCalculo& p) = 0;
    // A message box with an OK button (UTF-8 texts).
    virtual void Mensagem(std::string_view titulo, std::string_view texto) = 0;
    // The wait window ("Aguarde !!!") around a commit.
    virtual void Aguarde(bool /*aberta*/) {}
};

// A movement whose CFOP the register does not have (listed once at the end of the run).
struct CfoAusente {
    Decimal produto;
    date::Day data = 0;
    std::string numero;
    int cfo = 0;
    int complemento = 0;
};

struct ResultadoCalculo {
    enum class Estado { Concluido, Cancelado, Falhou };
    Estado estado = Estado::Concluido;
    std::string erro;              // UTF-8, when it failed
    std::string arquivoTrabalho;   // the work table's file (program path); empty once deleted
    long long produtosValorados = 0;
    std::vector<CfoAusente> cfosAusentes;
    bool ok() const { return estado == Estado::Concluido; }
};

[[nodiscard]] ResultadoCalculo CalculoProdutos(const shell::EmpresaPeriodo& periodo, const OpcoesCalculo& opcoes,
                                               AvisosCalculo& avisos);

// The hand-over after a finished run, by the first flag that holds: the sheet
// ("PlanilhaMensalProdutos") and the confrontation ("RelConfSaidaEnt") unless the printing mode is
// 2, the export ("PlanilhaExcelProdutos") in every mode. Each is called by name on the caller's
// thread with the work table and the period handed to it; one not in the program says it is not
// yet available.
void EntregaCalculo(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const OpcoesCalculo& opcoes,
                    const ResultadoCalculo& r, AvisosCalculo& avisos);

// Deletes a kept work table (closed), with its lock and journal files.
void ApagaTrabalho(const std::string& arquivo);

// The run with its hand-over, on a procedure thread, with the progress window
// "Cálculo Mensal de Produtos" and message boxes; the work table is deleted at the end.
ResultadoCalculo CalculoProdutos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, OpcoesCalculo opcoes);

}  // namespace vorel::computation
