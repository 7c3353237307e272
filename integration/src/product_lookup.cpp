// The imports' product and CFO look-ups.
#include "vorel/integration/product_lookup.h"

#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/text_import.h"

namespace vorel::integration {

namespace keys = dictionary::keys;

Decimal ValorNumerico(const std::string& texto) {
    std::optional<Decimal> v = NumeroDoTexto(texto, 0);
    return v && v->fits(15, 0) ? *v : Decimal(0);
}

std::optional<Decimal> BuscaProduto::Busca(const std::string& texto, const Decimal& aliquota, int utiliza) {
    auto chave = std::make_pair(texto, aliquota);
    if (auto it = cache_.find(chave); it != cache_.end()) return it->second;
    data::FileManager& pro = data::dictionary::file(dictionary::Produtos());
    auto& p = pro.rec<dictionary::ProdutosRec>();
    const Decimal valor = ValorNumerico(texto);
    auto porApelido = [&](const std::string& apelido) {
        pro.clear_record();
        p.Apelido = apelido;
        return pro.get(keys::PRO_Key_Apelido).ok();
    };
    bool achou = false;
    if (utiliza == 1) {
        pro.clear_record();
        p.Codigo = valor;
        std::string vinte = texto;
        vinte.resize(20, ' ');
        achou = pro.get(keys::PRO_KEY_CODIGO).ok() && SomenteDigitos(vinte);
        if (!achou) achou = porApelido(texto);
        if (!achou) {
            std::string digitos = valor.to_fixed(0);
            if (digitos.size() < 20) digitos.insert(0, 20 - digitos.size(), '0');
            achou = porApelido(digitos);
        }
    } else {
        achou = porApelido(texto);
    }
    if (!achou) return std::nullopt;
    const Decimal codigo = p.Codigo;
    cache_.emplace(std::move(chave), codigo);
    return codigo;
}

bool CfoForaDoPeriodo(int cfo, int ano) { return (cfo < 1000 && ano > 2002) || (cfo >= 1000 && ano <= 2002); }

bool CfoCadastrado(int cfo, std::set<int>& cache) {
    if (cache.count(cfo)) return true;
    data::FileManager& t = data::dictionary::file(dictionary::CFO());
    auto& c = t.rec<dictionary::CFORec>();
    t.clear_record();
    c.CODIGO = static_cast<std::int16_t>(cfo);
    c.COMPLEMENTO = 1;
    if (!t.get(keys::CFO_KEY_CFO).ok()) return false;
    cache.insert(cfo);
    return true;
}

}  // namespace vorel::integration
