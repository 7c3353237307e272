// The entry-invoice import's run (`ImportaEntradasNota`'s work, layout type 16): each line's
// mapping into an `EntradaVorel` record staged in `EntradaVorel0`, the supplier, product, CFO,
// period, ICMS and month checks, and the import into the year's `EntradaVorel` with what goes with
// each entry in the same transaction: the supplier-product link (`ForCliQel`, the supplier found by
// CNPJ or else by the CPF in the CNPJ's first 11 columns), the product's batch (`LoteVorel`) and the
// rate history (`AtualizaAliquotaProduto` when the entry's rate differs from the product's rate on
// the invoice date). The shared read and import steps are import_run.h's.
#pragma once

#include <set>
#include <string>

#include "vorel/integration/import_run.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

class ImportacaoEntradas : public ImportacaoTexto {
public:
    ImportacaoEntradas();

protected:
    void NovaLeitura() override;
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    void DepoisDeAdicionar(LinhaImportada& linha) override;
    data::Result ImportaRegistro(int mesImpor) override;

private:
    BuscaParceiro fornecedores_;  // with a state
    BuscaProduto produtos_;
    std::set<int> cfos_;
};

}  // namespace vorel::integration
