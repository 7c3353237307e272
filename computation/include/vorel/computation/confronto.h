// The confrontation of the interstate exits with the entries that supplied them
// ("Relatório de Confronto Entre as Saídas e as Entradas Interestaduais", `RelConfSaidaEnt`).
//
// For each exit of CFOP 6000..6999 in a monthly computation's work table, the product's entries of
// CFOP 1403, 1409, 2403 or 2409 are walked back from the exit's date (the computed year's, then the
// earlier years' files) until the exit's quantity is covered; each entry used is a line with the
// quantity taken from it, the matching share of its own-operation base, the rate and the ICMS. The
// lines are summed by (entry CFOP, exit CFOP, rate) into `ResumoCFO`; the CFOP 2411 rows (interstate
// sales returns) add summary lines that the totals subtract.
//
// `ConfrontaSaida` is the walk of one exit, pure over a source of entries; `MontaConfronto` reads the
// tables into a `Confronto`, which the page report prints (confronto_report.cpp).
//
//     Confronto c;
//     std::string erro = MontaConfronto(periodo, arquivoTrabalho, "", c, avisos);   // "" : no CNPJ filter
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/shell/period.h"

namespace vorel::computation {

class AvisosCalculo;

// An entry as the walk sees it.
struct EntradaConfronto {
    date::Day DataEmissao = 0;
    int CFO = 0;
    Decimal Quantidade;
    Decimal BaseICMSPropria;
    std::uint32_t Numero = 0;
};

// What one entry used gives the exit.
struct TomadaConfronto {
    bool continuacao = false;             // a second or later entry of the same exit
    DecimalField<13, 3> QTDE{};           // taken from the entry
    DecimalField<13, 2> BASEICMSPROPRIA{};
    DecimalField<7, 3> ALICOTA{};         // 0 when the own base is 0
    DecimalField<15, 2> VLRICMS{};
    std::string NUMERONFENTRADA;          // 13 wide, or "Estoque" for entry number 0
    date::Day DATANFENTRADA = 0;
    int cfoEntrada = 0;                   // for the summary: the entry's CFOP when interstate, else 0
};

// Walks the entries `proxima` gives (newest first; false when there are no more) to cover
// `quantidade` of an exit dated `data`, at the product's rate `aliquota`. Entries dated after the
// exit and of other CFOPs are skipped; `proxima` is not asked again once the exit is covered.
std::vector<TomadaConfronto> ConfrontaSaida(const Decimal& quantidade, date::Day data, const Decimal& aliquota,
                                            const std::function<bool(EntradaConfronto&)>& proxima);

// The summary by CFOP, in ascending (entry CFOP, exit CFOP, rate).
struct ItemResumoCFO {
    int cfoEntrada = 0;
    int cfoSaida = 0;
    Decimal aliquota;
    DecimalField<13, 2> base{};
    DecimalField<15, 2> icms{};
};

class ResumoCFO {
public:
    void Acumula(int cfoEntrada, int cfoSaida, const Decimal& aliquota, const Decimal& base, const Decimal& icms);
    std::vector<ItemResumoCFO> Itens() const;
    // TOTABASE and TOTALICMS: every item added, those of entry CFOP 2411 subtracted.
    DecimalField<13, 2> TOTABASE() const;
    DecimalField<13, 2> TOTALICMS() const;

private:
    std::map<std::tuple<int, int, Decimal>, ItemResumoCFO> itens_;
};

// A printed line: the exit's cells (blank on a continuation line) and the entry's.
struct LinhaConfronto {
    bool continuacao = false;
    std::string CNPJ_FORNECEDOR;  // masked NN.NNN.NNN/NNNN-NN; blank when the counterpart is not found
    std::string NOME;             // the counterpart's name, blank when not found
    std::string SAISERIE, SAINUMERO;
    date::Day DATA = 0;
    int CFO = 0, COMPLEMENTO = 0;
    Decimal CODMERCADORIA;
    std::string PRODUTOS;
    Decimal SAIQUANTIDADE, SAIOUTORUF, ALIQ;
    TomadaConfronto entrada;
};

struct Confronto {
    std::vector<LinhaConfronto> linhas;
    ResumoCFO resumo;
};

// Reads the work table `arquivoTrabalho` (program path), computed for `periodo`, and that company's
// entries into `out`. A CFOP missing
// from the register is told once per row through `avisos` ("Alerta!"); the row's exit cells are
// then blank. Returns the error (UTF-8) of a table that could not be read, else "".
[[nodiscard]] std::string MontaConfronto(const shell::EmpresaPeriodo& periodo, const std::string& arquivoTrabalho,
                                         std::string_view filtroCnpj, Confronto& out, AvisosCalculo& avisos);

}  // namespace vorel::computation
