// The opening-balances import's run (`ImportaSaldoAnterior`'s work, layout type 38): each line a
// balance staged as an entry numbered 0 (`EntradaVorel0`), the product look-up (a rate read as 0
// takes the product's), the supplier check; a balance of another year is listed and withholds the
// import. The import adds every balance (`ENT:Saldo_Inicial` = 1, complement 1) with the
// supplier-product link and the batch, in one transaction.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "vorel/core/decimal.h"
#include "vorel/integration/import_run.h"

namespace vorel::integration {

class ImportacaoSaldoAnterior : public ImportacaoTexto {
public:
    ImportacaoSaldoAnterior();

protected:
    void NovaLeitura() override { produtos_.clear(); }
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    data::Result ImportaRegistro(int mesImpor) override;

private:
    // (text, rate read) -> (product code, rate held)
    std::map<std::pair<std::string, Decimal>, std::pair<Decimal, Decimal>> produtos_;
};

}  // namespace vorel::integration
