// The management sheet's own valuation: each product's stock valued movement by movement at its
// weighted moving average while the sheet prints, without the monthly computation.
//
// The product's opening is the previous month's balance record (in January the previous year's
// December, which the caller's look-up reads from that year's file) or, when that record holds
// nothing, the opening values the management window gathered for the run. Entries add their base
// and recompute the average; exits leave at the current average. The same pass fills the sheet
// line, decides which lines print (balance option "DescSaldo", negative option "SaldoNegativo"),
// keeps the product's totals and sums the rows into the run's summary by supplier.
//
// The page form and the text form differ on purpose in a few points (the number columns, the
// CFO read, the 1409/2409 transfer entry, column 4's same-day entry, column 9, the negative marker,
// what the balance options leave unvalued, the opening line). This valuation is the management
// road's own; the monthly computation values the stock its own way.
//
//   ValorMedioGestao v(opcoes, consultas);
//   for (each work-table row in key order) {
//       if (v.NovoProduto(esa.CODMERCADORIA)) ...end the page with v.Totais()...
//       for (const LinhaPlanilha& l : v.Linha(esa, tipoLote, fornecedor, nome)) ...print l...
//   }
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/sheets/colunas_planilha.h"
#include "vorel/sheets/resumo_planilha.h"

namespace vorel::dictionary {
struct EntradaSaidaVorelRec;
}
namespace vorel::data {
class FileManager;
}

namespace vorel::sheets {

enum class FormaPlanilha : std::uint8_t { Pagina, Texto };

// Balance options ("DescSaldo").
inline constexpr std::uint8_t kSaldoNormal = 0, kApenasSaldoAnterior = 1, kApenasSaldoAtual = 2;
// Batch types of a row: "0 - Anterior", "1 - Atual", not registered for the product.
inline constexpr std::uint8_t kLoteAnterior = 0, kLoteAtual = 1, kLoteAusente = 255;

struct SaldoGestao {
    Decimal quantidade, valUnitario, base;
};

// An entry of the product as column 4, 5 and 9 look back on it.
struct EntradaAnterior {
    date::Day data = 0;
    Decimal quantidade, basePropria;
    bool numeroZero = false;  // an opening-balance entry
};

struct ConsultasGestao {
    // The CFO register's print column of an invoice row's code and complement; nullopt when absent.
    std::function<std::optional<std::uint8_t>(std::uint16_t cfo, std::uint8_t complemento)> coluna;
    // The product's balance record of the previous month (zeros when there is none).
    std::function<SaldoGestao(const Decimal& produto)> saldoAnterior;
    // The product's entries dated on or before `ate`, newest first, until `visita` answers false.
    std::function<void(const Decimal& produto, date::Day ate, const std::function<bool(const EntradaAnterior&)>& visita)>
        entradas;
};

struct OpcoesGestao {
    FormaPlanilha forma = FormaPlanilha::Pagina;
    std::uint8_t descSaldo = kSaldoNormal;
    bool saldoNegativo = false;
    // The opening values the window gathered, by product (each product its own; none: zeros).
    std::map<Decimal, SaldoGestao> aberturas;
    bool umProduto = false;   // the run gathered one product
};

// Makes the work table's reads fill only what the management sheet takes of a row: what
// ValorMedioGestao::Linha reads, and the batch and supplier CNPJ the sheet looks up. The other
// fields read blank.
data::Result LeSoCamposDaGestao(data::FileManager& trabalho);

// Codes of the valuation.
bool EntradaAoCustoMedio(std::uint16_t cfo);  // column 1 valued at the average

class ValorMedioGestao {
public:
    ValorMedioGestao(OpcoesGestao opcoes, ConsultasGestao consultas);

    // Whether a row of `produto` starts another product than the previous row's.
    bool NovoProduto(const Decimal& produto) const;
    // Text form, one product: takes its opening before the first row; the opening line when it prints.
    std::optional<LinhaPlanilha> AberturaAntecipada(const Decimal& produto);
    // Values one work-table row (in key order) and returns the lines to print: the product's opening
    // line at its first row when it prints, then the movement's line when it prints.
    std::vector<LinhaPlanilha> Linha(const dictionary::EntradaSaidaVorelRec& esa, std::uint8_t tipoLote,
                                     std::uint32_t fornecedor, const std::string& nomeFornecedor);

    // The current product's totals (the footer's "Soma Geral") and running balance.
    const TotaisPlanilha& Totais() const { return totais_; }
    const SaldoGestao& Saldo() const { return saldo_; }
    // Whether the product's balance base went below zero (page form: kept until the product changes;
    // text form: the current base).
    bool Negativo() const;
    const ResumoPlanilha& Resumo() const { return resumo_; }
    // CFO code and complement of invoice rows whose CFO is not registered, each once.
    const std::set<std::pair<std::uint16_t, std::uint8_t>>& CfosDesconhecidos() const { return desconhecidos_; }

private:
    void Reinicia();
    std::optional<LinhaPlanilha> TomaAbertura(const Decimal& produto);
    void Valora(const dictionary::EntradaSaidaVorelRec& esa);
    void MovimentoDeSaida(std::uint16_t cfo, const Decimal& quantidade);
    Decimal Coluna16Isenta(const Decimal& produto, date::Day data, const Decimal& quantidade) const;
    Decimal Coluna16OutroEstado(const Decimal& produto, date::Day data, const Decimal& quantidade) const;
    bool Selecionada(std::uint8_t tipoLote) const;
    bool Imprime() const;
    void Fila(std::uint8_t tipoLote, std::uint32_t fornecedor, const std::string& nome);

    OpcoesGestao op_;
    ConsultasGestao c_;
    ResumoPlanilha resumo_;
    std::set<std::pair<std::uint16_t, std::uint8_t>> desconhecidos_;
    // Per product.
    bool primeiro_ = true;
    Decimal produto_;
    SaldoGestao saldo_;
    TotaisPlanilha totais_;
    LinhaPlanilha linha_;
    Decimal unitConsumidor_;   // exit unit of the last final-consumer exit with a base (11.4)
    bool negativo_ = false;
    bool aberturaImpressa_ = false;
    bool aberturaFeita_ = false;
};

}  // namespace vorel::sheets
