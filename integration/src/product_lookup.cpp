// The imports' product and CFO look-ups.
#include "vorel/integration/product_lookup.h"

#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/integration/text_import.h"

namespace vorel::integration {

Decimal ValorNumerico(const std::string& texto) {
    std::optional<Decimal> v = NumeroDoTexto(texto, 0);
    return v && v->fits(15, 0) ? *v : Decimal(0);
}

bool LeProdutoDaLinha(const std::string& texto, const Decimal& valor, int utiliza, bool porCodigo) {
    data::FileManager& pro = data::dictionary::file(dictionary::Produtos());
    if (utiliza != 1) return fiscal::LeProdutoPorApelido(pro, texto);
    if (porCodigo) return fiscal::LeProdutoPorCodigoOuApelido(pro, valor, texto);
    return fiscal::LeProdutoPorApelido(pro, texto) || fiscal::LeProdutoPorApelido(pro, fiscal::ApelidoDeVinteDigitos(valor));
}

std::optional<Decimal> BuscaProduto::Busca(const std::string& texto, const Decimal& aliquota, int utiliza) {
    auto chave = std::make_pair(texto, aliquota);
    if (auto it = cache_.find(chave); it != cache_.end()) return it->second;
    std::string vinte = texto;
    vinte.resize(20, ' ');
    if (!LeProdutoDaLinha(texto, ValorNumerico(texto), utiliza, qualquerTexto_ || SomenteDigitos(vinte)))
        return std::nullopt;
    const Decimal codigo = data::dictionary::file(dictionary::Produtos()).rec<dictionary::ProdutosRec>().Codigo;
    cache_.emplace(std::move(chave), codigo);
    return codigo;
}

const BuscaParceiro::Parceiro* BuscaParceiro::Busca(const std::string& cnpj, bool comEstado) {
    if (auto it = cache_.find(cnpj); it != cache_.end()) return &it->second;
    data::FileManager& forcli = data::dictionary::file(dictionary::ForCli());
    const auto& f = forcli.rec<dictionary::ForCliRec>();
    if (!fiscal::LeFornecedorPorCnpj(forcli, cnpj) || (comEstado && f.Estado.empty())) return nullptr;
    return &cache_.emplace(cnpj, Parceiro{std::string(f.Estado.clipped()), f.Codigo}).first->second;
}

bool CfoCadastrado(int cfo, std::set<int>& cache) {
    if (cache.count(cfo)) return true;
    if (!fiscal::ColunaDoCfo(data::dictionary::file(dictionary::CFO()), cfo, 1)) return false;
    cache.insert(cfo);
    return true;
}

}  // namespace vorel::integration
