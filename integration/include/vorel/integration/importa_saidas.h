// The exit-invoice import's run (`ImportaSaidasNota`'s work, layout type 17): each line's mapping
// into a `SaidaVorel` record staged in `SaidaVorel0`, the customer, product, CFO, period, ICMS and
// month checks, and the import into the year's `SaidaVorel` with the batches of entry CFOs used on
// exits (`LoteVorel`). The shared read and import steps are import_run.h's.
//
// Runs on the calling thread with its table dictionary; the look-up tables (`ForCli`, `Produtos`,
// `CFO`) are opened by the read and closed after it.
#pragma once

#include <set>
#include <string>
#include <utility>

#include "vorel/integration/import_run.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

class ImportacaoSaidas : public ImportacaoTexto {
public:
    ImportacaoSaidas();

protected:
    void NovaLeitura() override;
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    void DepoisDeAdicionar(LinhaImportada& linha) override;
    data::Result ImportaRegistro(int mesImpor) override;

private:
    BuscaParceiro clientes_;
    BuscaProduto produtos_;
    std::set<int> cfos_;  // lives as long as the run
};

}  // namespace vorel::integration
