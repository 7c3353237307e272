// The month's balance row marked by a movement.
#include "vorel/fiscal/saldo_do_mes.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::fiscal {

data::Result MarcaSaldoDoMes(data::FileManager& saldos, const Decimal& produto, date::Day competencia,
                             const Decimal& aliquota, bool exclusao) {
    auto& s = saldos.rec<dictionary::SaldosVorelRec>();
    saldos.clear_record();
    s.Produto = produto.to_fixed(0);
    s.Competencia = competencia;
    s.Aliquota = aliquota;
    const bool found = saldos.get(dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA).ok();
    if (!found) {
        saldos.clear_record();
        s.Produto = produto.to_fixed(0);
        s.Competencia = competencia;
        s.Aliquota = aliquota;
    }
    s.Situacao = 0;
    if (exclusao) s.Exclusao = 1;
    return found ? saldos.put() : saldos.add();
}

}  // namespace vorel::fiscal
