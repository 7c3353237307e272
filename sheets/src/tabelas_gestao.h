// The tables behind the management sheets (internal): the valuation's look-ups (CFO column, the
// previous month's balance, the product's entries), the product, the batch type and the supplier
// of a row. Each table on a cursor of the run; a table whose file is missing reads as empty.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "vorel/sheets/planilha_mensal.h"
#include "vorel/sheets/valor_medio.h"

namespace vorel::sheets {

struct FornecedorLinha {
    std::uint32_t codigo = 0;
    std::string nome;  // FOR:Nome, clipped
    std::string cgc;
};

class TabelasGestao {
public:
    TabelasGestao(FormaPlanilha forma, const shell::EmpresaPeriodo& periodo);
    ~TabelasGestao();
    TabelasGestao(const TabelasGestao&) = delete;
    TabelasGestao& operator=(const TabelasGestao&) = delete;

    // The valuation's look-ups; they live as long as these tables.
    ConsultasGestao Consultas();
    // The product of the rows now read (its rate is the one the balance record is read with).
    ProdutoPlanilha Produto(const Decimal& codigo);
    // kLoteAnterior, kLoteAtual or kLoteAusente.
    std::uint8_t TipoLote(std::string_view lote, const Decimal& produto);
    // The supplier registered under that CNPJ (any, active or not).
    std::optional<FornecedorLinha> FornecedorPorCnpj(std::string_view cnpj);
    // The text sheet's supplier of a row: the product's first supplier pair, or the supplier of the
    // batch's opening entry when the batch is old and that supplier passes the CNPJ filter.
    std::uint32_t FornecedorDaLinha(const Decimal& produto, std::string_view lote, std::string_view cnpj,
                                    std::string_view filtro);

private:
    struct Estado;
    std::unique_ptr<Estado> e_;
};

}  // namespace vorel::sheets
