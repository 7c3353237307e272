// The vehicle sheets: every vehicle is valued by itself, its exit set against its entry by chassis.
//
// Owns the vehicle sheet computation (`CalculoPlanilhaVeiculos`: models 0 "0-Data" and 1 "1-Compra
// e Venda", for every supplier or one), the December carry of the unsold vehicles into the next
// year's `EntVeic.Tps` (`TransportaVeiculos`), the sheet's `;` file (`PlanilhaVeiculoExcel`), the
// vehicle final summary by rate (`ResumoFinalVeiculo`, its rows kept in `ResumoFinal`) and the pure
// rules they share: how a sale base set against its entry splits into complement, reimbursement
// and compensation, and how the sums of those net out.
//
// Library calls with no window, like the monthly computation: messages and progress go through an
// `AvisosCalculo`. They run on a thread whose table dictionary is set up, with the working company,
// year and month set.
//
//     OpcoesVeiculos o;  o.percentual = Decimal(12);
//     ResultadoVeiculos r = CalculoPlanilhaVeiculos(o, avisos);    // the work table on r.arquivoTrabalho
//     PlanilhaVeiculoExcel(r, o, "C:\\Excel\\Planilha.csv", avisos);
//     TransportaVeiculos(r, o, avisos);                             // December only; a no-op otherwise
//     ApagaTrabalho(r.arquivoTrabalho);
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/shell/period.h"

namespace vorel::data {
class FileManager;
}
namespace vorel::dictionary {
struct EntradaSaidaVorelRec;
}

namespace vorel::computation {

// ---- Rules ----

// A sale base V set against its entry's retention base E and own-operation base P.
struct DivisaoBase {
    Decimal complementar;  // V - E when the sale lies above the entry
    Decimal excesso;       // E - V otherwise: the total excess
    Decimal ressarcir;     // the part of the excess above P
    Decimal compensar;     // the part of the excess below P
};
// `complementaQuandoIgual`: V equal to E counts as a (zero) complement (the one-row model) rather
// than a (zero) excess; it only changes the parcels when P lies above V.
DivisaoBase DivideBaseVeiculo(const Decimal& v, const Decimal& e, const Decimal& p, bool complementaQuandoIgual = false);

// The sums of complement (18), reimbursement (19) and compensation (20) netted: 21 to complement,
// 22 to reimburse, 23 to compensate, each floored at zero.
struct SaldosVeiculo {
    Decimal complementar;  // 18 - 19 - 20
    Decimal ressarcir;     // 19 - 18
    Decimal compensar;     // 19 + 20 - 18 - 22
};
SaldosVeiculo ApuraSaldosVeiculo(const Decimal& s18, const Decimal& s19, const Decimal& s20);

// ---- Sheet computation ----

struct OpcoesVeiculos {
    int modelo = 0;            // 0: entries and exits on rows of their own; 1: one row per vehicle
    Decimal percentual;        // the rate of the sheet
    bool umFornecedor = false; // only the vehicles of `cnpjFornecedor`
    std::string cnpjFornecedor;
};

// An unsold vehicle for the next year's entry file: the entry as it stands, without its state.
struct VeiculoTransportado {
    std::string cnpj, chassi, serie;
    date::Day data = 0;
    std::uint32_t numero = 0;
    Decimal basePropria, baseRetencao, aliquota, quantidade, produto;
    std::uint16_t cfo = 0;
    std::int16_t complemento = 0;
    std::uint8_t cfoComplementar = 0;
    std::uint8_t mesImportacao = 0;
};

struct ResultadoVeiculos {
    bool ok = true;
    std::string erro;                            // UTF-8, when it failed
    std::string arquivoTrabalho;                 // the run's work table (the caller deletes it)
    shell::EmpresaPeriodo periodo;               // the company and month it covered
    std::vector<VeiculoTransportado> transporte; // filled in December only, in entry order
};

// Gathers the vehicle rows of `periodo`'s month of the rate into a work table of the run's own. An exit whose
// chassis has no entry says "Veículo com Chassi ... não possui Lançamento de Entrada!!!".
[[nodiscard]] ResultadoVeiculos CalculoPlanilhaVeiculos(const shell::EmpresaPeriodo& periodo, const OpcoesVeiculos& opcoes,
                                                        AvisosCalculo& avisos);

// In December, replaces in the next year's entry file the vehicles that an earlier run of the same
// rate (and supplier) carried with this run's unsold ones; the new year's own entries and the
// carries of other rates and suppliers stay. One transaction. Does nothing in other months.
[[nodiscard]] ResultadoVeiculos TransportaVeiculos(const ResultadoVeiculos& r, const OpcoesVeiculos& opcoes);

// ---- The sheet's columns ----

// The 17 columns of a sheet line; columns 02/07 are dates, 03/08 numbers, 04/09 series, the rest
// amounts (index 0 is column 01).
struct LinhaVeiculo {
    std::string chassi, serieEntrada, serieSaida;
    date::Day dataEntrada = 0, dataSaida = 0;
    std::uint32_t numeroEntrada = 0, numeroSaida = 0;
    // Columns 05, 06 and 10 to 17, in that order.
    std::array<Decimal, 10> valores{};
    const Decimal& coluna(int n) const;  // 5, 6, 10..17
};
LinhaVeiculo LinhaDaPlanilha(const dictionary::EntradaSaidaVorelRec& w, int modelo);
// Makes the work table's reads fill only what LinhaDaPlanilha reads (the sheet's pages, text and
// `;` file print nothing else of a row); the other fields read blank.
[[nodiscard]] data::Result LeSoCamposDaLinhaVeiculo(data::FileManager& trabalho);

// Column totals, sums 18 to 20 and balances 21 to 23 as lines are added.
struct TotaisVeiculos {
    std::array<Decimal, 10> colunas{};
    Decimal s18, s19, s20;
    SaldosVeiculo saldos;
    void Soma(const LinhaVeiculo& l);
};

// The sheet as a `;` file at `caminho` (replaced when it exists). A run stopped through `avisos`
// or failing deletes the file: no partial sheet is left looking whole.
[[nodiscard]] ResultadoVeiculos PlanilhaVeiculoExcel(const ResultadoVeiculos& r, const OpcoesVeiculos& opcoes,
                                                     std::string_view caminho, AvisosCalculo& avisos);
// One line of the file as written (the accents still in).
std::string LinhaCsv(const LinhaVeiculo& l);

// ---- Vehicle final summary ----

struct LinhaResumoVeiculo {
    Decimal percentual, complementar, ressarcir, compensar;  // the rate's netted bases (lines 1 to 3)
};
// The exits of `periodo`'s month of every rate netted by rate, with the standard rates 12, 18, 25 and 9.5
// added while fewer than four rows exist; in rate order.
struct ResultadoResumoVeiculos {
    bool ok = true;
    std::string erro;
    std::vector<LinhaResumoVeiculo> linhas;
};
[[nodiscard]] ResultadoResumoVeiculos ResumoFinalVeiculo(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos);

// The rows into `ResumoFinal` (open on the run's own file, see resumo_final.h `AbreResumoFinal`):
// the rate and the three net bases of each, every other field zero; one transaction. Returns the
// error text, empty when written.
[[nodiscard]] std::string GravaResumoFinalVeiculo(const std::vector<LinhaResumoVeiculo>& linhas, data::FileManager& resumo);
// The rows of `ResumoFinal` in rate order (RFC:KEY:NUMERO); false when they cannot be read.
[[nodiscard]] bool LeResumoFinalVeiculo(data::FileManager& resumo, std::vector<LinhaResumoVeiculo>& linhas);

// The netting and the standard rows alone: sums per rate in the order the rates first occur.
struct SomaTaxa {
    Decimal percentual, sc, sr, sk;
};
std::vector<LinhaResumoVeiculo> LinhasResumoVeiculo(const std::vector<SomaTaxa>& somas);

}  // namespace vorel::computation
