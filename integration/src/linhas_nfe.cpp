// The NF-e item layouts as the import's field positions.
#include "vorel/integration/linhas_nfe.h"

namespace vorel::integration {

Posicoes PosicoesItensNfe(SentidoNfe sentido) {
    const LayoutNfe<CampoItem>& layout = LayoutItens(sentido);
    Posicoes p(1);
    for (const DefCampoNfe<CampoItem>& d : layout.Campos()) {
        if (d.codigo == 0) continue;
        if (p.size() <= static_cast<std::size_t>(d.codigo)) p.resize(d.codigo + 1);
        p[d.codigo] = layout[d.campo];
    }
    return p;
}

}  // namespace vorel::integration
