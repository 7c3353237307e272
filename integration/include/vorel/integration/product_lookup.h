// The imports' look-ups of the registers, each with the cache of one read: the product of a line's
// product text (by code or by nickname, as the user's option says), the active partner of a CNPJ
// and the CFO register (the code's working-year rule is the floor's `fiscal::CfoDoPeriodo`).
#pragma once

#include <cstdint>
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

// Reads into the thread's Produtos buffer the product a line names. Option 1: by the code `valor`
// (unless `porCodigo` is false), else by `texto` as a nickname, else by `valor` written with 20
// digits as a nickname; another option: by `texto` as a nickname only.
bool LeProdutoDaLinha(const std::string& texto, const Decimal& valor, int utiliza, bool porCodigo = true);

// The active partners (ForCli by CNPJ, inactive mark 0) of a read, each CNPJ looked up once.
class BuscaParceiro {
public:
    struct Parceiro {
        std::string estado;  // clipped
        std::uint32_t codigo = 0;
    };
    // The partner of the CNPJ (clipped); nullptr when none is registered, or, with `comEstado`, when
    // the one registered has no state.
    const Parceiro* Busca(const std::string& cnpj, bool comEstado);
    void Esvazia() { cache_.clear(); }

private:
    std::map<std::string, Parceiro> cache_;
};

// The text's whole-number value (0 when it is not a number).
Decimal ValorNumerico(const std::string& texto);

// True when the CFO register holds the code with complement 1 (cached for the caller).
bool CfoCadastrado(int cfo, std::set<int>& cache);

}  // namespace vorel::integration
