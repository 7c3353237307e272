// The imports' look-ups of the registers, each with the cache of one read: the product of a line's
// product text (by code or by nickname, as the user's option says), the CFO register, and the
// CFO-period rule (three-digit codes up to 2002, four-digit ones after).
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "vorel/core/decimal.h"
#include "vorel/data/error.h"

namespace vorel::integration {

class BuscaProduto {
public:
    // `qualquerTexto`: with option 1 a product found by the text's numeric value is taken whatever
    // else the text holds (otherwise only when the text is all digits).
    explicit BuscaProduto(bool qualquerTexto = false) : qualquerTexto_(qualquerTexto) {}
    // The product code of the text (trimmed, up to 20 characters) read with a rate; nullopt when no
    // product matches. Option 1: by code when the text is all digits, else by the text as a
    // nickname, else by the text's numeric value as a 20-digit nickname; another option: by the
    // text as a nickname only.
    std::optional<Decimal> Busca(const std::string& texto, const Decimal& aliquota, int utiliza);
    void Esvazia() { cache_.clear(); }

private:
    bool qualquerTexto_;
    std::map<std::pair<std::string, Decimal>, Decimal> cache_;
};

// The text's whole-number value (0 when it is not a number).
Decimal ValorNumerico(const std::string& texto);

// True when a CFO may not be used in the working year: below 1000 after 2002, 1000 or more up to 2002.
bool CfoForaDoPeriodo(int cfo, int ano);

// True when the CFO register holds the code with complement 1 (cached for the caller).
bool CfoCadastrado(int cfo, std::set<int>& cache);

// The supplier-product link (ForCliQel) of the active supplier whose CNPJ is `cnpj` (or whose CPF is
// its first 11 characters), added once per pair; nothing when no such supplier is registered.
data::Result VinculaFornecedor(const std::string& cnpj, const Decimal& produto);
// The product's batch (LoteVorel), added with `tipo` unless the batch and product are there (of any type).
data::Result GaranteLote(const std::string& lote, const Decimal& produto, int tipo);

}  // namespace vorel::integration
