// The steps of an exit item that hold without a window: automatic base, checks, balance marks.
#include "vorel/movements/exit_items.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::movements {

namespace keys = dictionary::keys;
using dictionary::SaidaVorelRec;

std::optional<Decimal> ValorSaidaNaData(data::FileManager& valores, const Decimal& produto, date::Day data) {
    auto& v = valores.rec<dictionary::TabelaValorProdutoSaidaRec>();
    valores.clear_record();
    v.CODPRODUTO = produto;
    v.DATA = data;
    // The last record at or before (product, date) in product-then-date order.
    if (!valores.set_at(keys::TVPS_KEY_DATAPRODUTO).ok() || !valores.previous().ok()) return std::nullopt;
    if (static_cast<const Decimal&>(v.CODPRODUTO) != produto || v.DATA > data) return std::nullopt;
    return static_cast<const Decimal&>(v.VALOR);
}

std::optional<Decimal> BaseAutomaticaSaida(data::FileManager& valores, const SaidaVorelRec& item) {
    std::optional<Decimal> valor = ValorSaidaNaData(valores, item.CodMercadoria, item.DataSaida);
    if (!valor) return std::nullopt;
    return static_cast<const Decimal&>(item.Quantidade) * *valor;
}

bool SaidaRepetida(data::FileManager& saidas0, const SaidaVorelRec& item) {
    auto& s = saidas0.rec<SaidaVorelRec>();
    saidas0.clear_record();
    s.DataSaida = item.DataSaida;
    s.Numero = item.Numero;
    s.Serie = item.Serie;
    s.CFO = item.CFO;
    s.CodMercadoria = item.CodMercadoria;
    return saidas0.get(keys::SAI0_KEY_DATANUMSERIECFOPROD).ok();
}

bool LoteAceito(data::FileManager& lotes, bool loteObrigatorio, std::string_view lote, const Decimal& produto) {
    if (!loteObrigatorio) return true;
    auto& l = lotes.rec<dictionary::LoteVorelRec>();
    lotes.clear_record();
    l.LOTE = lote;
    l.CODPRODUTO = produto;
    return lotes.get(keys::LTC_KEY_LOTEPROD).ok();
}

}  // namespace vorel::movements
