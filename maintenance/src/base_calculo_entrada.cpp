// The calculation base of the retained-tax purchases (vorel/maintenance/base_calculo_entrada.h).
#include "vorel/maintenance/base_calculo_entrada.h"

#include "passos_reparo.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/cfop.h"

namespace vorel::maintenance {

using namespace detail;

ResultadoReparo CopiaBasePropriaParaBaseCalculo(const shell::EmpresaPeriodo& ano, const ProgressoReparo& progresso) {
    ResultadoReparo r;
    try {
        TabelaDoReparo entradas(dictionary::EntradaVorel(), ano, "Abrindo as entradas do ano");
        data::FileManager& m = entradas.fm;
        Checa(data::Cursor::read_only(m, {"ENT:DataEmissao", "ENT:CFO", "ENT:BaseICMS", "ENT:BaseICMSPropria"}),
              "Lendo as entradas do ano");
        const long long total = m.records();
        const date::Day fim = date::make(ano.ano, 12, 31);
        auto& e = m.rec<dictionary::EntradaVorelRec>();
        TransacaoEmLotes lotes({&m}, r);
        m.clear_record();
        e.DataEmissao = date::make(ano.ano, 1, 1);
        Checa(m.set_at(dictionary::keys::ENT_KEY_DATA), "Lendo as entradas do ano");
        while (Proximo(m, "Lendo as entradas do ano")) {
            if (e.DataEmissao > fim) break;
            Avanca(progresso, ++r.lidos, total);
            if (e.BaseICMS.value().is_zero() && fiscal::CompraComRetencao(e.CFO)) {
                e.BaseICMS = e.BaseICMSPropria.value();
                Checa(m.put(), "Gravando a base de cálculo de uma entrada");
                ++r.alterados;
            }
            lotes.Conta();
        }
        lotes.Encerra();
    } catch (const Falhou& f) {
        Interrompido(r, &f);
    } catch (const Cancelou&) {
        Interrompido(r, nullptr);
    }
    return r;
}

}  // namespace vorel::maintenance
