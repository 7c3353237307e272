// The calculation base of the retained-tax purchases (vorel/maintenance/base_calculo_entrada.h).
#include "vorel/maintenance/base_calculo_entrada.h"

#include "passos_reparo.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/cfop.h"

namespace vorel::maintenance {

using namespace detail;

ResultadoReparo CopiaBasePropriaParaBaseCalculo(const shell::EmpresaPeriodo& ano,
                                                const ProgressoReparo& progresso) {
    return Roda(
        [&](ResultadoReparo& r) {
            TabelaDoReparo entradas(dictionary::EntradaVorel(), ano, "Abrindo as entradas do ano");
            data::FileManager& m = entradas.fm;
            Checa(data::Cursor::read_only(
                      m, {"ENT:DataEmissao", "ENT:CFO", "ENT:BaseICMS", "ENT:BaseICMSPropria"}),
                  "Lendo as entradas do ano");
            PercorreAnoEmLotes(m, dictionary::keys::ENT_KEY_DATA, &dictionary::EntradaVorelRec::DataEmissao,
                               ano.ano, progresso, r, [&](dictionary::EntradaVorelRec& e) {
                                   if (!e.BaseICMS.value().is_zero() || !fiscal::CompraComRetencao(e.CFO))
                                       return false;
                                   e.BaseICMS = e.BaseICMSPropria.value();
                                   Checa(m.put(), "Gravando a base de cálculo de uma entrada");
                                   return true;
                               });
        },
        Interrompido);
}

}  // namespace vorel::maintenance
