// The CFOP columns kept for a run (colunas_cfo.h).
#include "colunas_cfo.h"

#include <cstdint>

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::computation {

std::optional<int> ColunasDoCfo::Coluna(int codigo, int complemento) {
    const int chave = codigo * 1000 + complemento;
    auto it = colunas_.find(chave);
    if (it == colunas_.end()) {
        auto& c = cfo_.rec<dictionary::CFORec>();
        cfo_.clear_record();
        c.ESTADO = "";
        c.CODIGO = static_cast<std::int16_t>(codigo);
        c.COMPLEMENTO = static_cast<std::int16_t>(complemento);
        std::optional<int> coluna;
        if (cfo_.get(dictionary::keys::CFO_KEY_CODIGO).ok()) coluna = static_cast<int>(c.COLUNA);
        it = colunas_.emplace(chave, coluna).first;
    }
    return it->second;
}

}  // namespace vorel::computation
