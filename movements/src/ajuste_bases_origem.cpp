// The bases of a year's 1409 entry items taken again from their sources (ajuste_bases_origem.h).
#include "vorel/movements/ajuste_bases_origem.h"

#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/entry_items.h"
#include "vorel/shell/other_year.h"

namespace vorel::movements {

namespace {

struct Falhou {
    std::string texto;
};
void Checa(data::Result r, const char* oque) {
    if (!r.ok()) throw Falhou{std::string(oque) + ": " + text::to_utf8(data::describe(data::last_error()))};
}
struct Cancelou {};

// A cursor of the run on the year's file, closed when the run ends.
struct NoAno {
    data::FileManager fm;
    NoAno(const data::TableDesc& t, const shell::EmpresaPeriodo& ano) : fm(t) {
        Checa(shell::AbreNoAno(fm, ano), "Abrindo as entradas do ano");
    }
    ~NoAno() { (void)fm.close(); }
};

}  // namespace

ResultadoAjusteBases AjustaBasesDeOrigem(const shell::EmpresaPeriodo& ano, const ProgressoAjusteBases& progresso) {
    ResultadoAjusteBases r;
    try {
        NoAno entradas(dictionary::EntradaVorel(), ano), origens(dictionary::EntradaVorel0(), ano);
        data::FileManager& m = entradas.fm;
        auto& e = m.rec<dictionary::EntradaVorelRec>();
        const long long total = m.records();
        const date::Day fim = date::make(ano.ano, 12, 31);
        data::Transaction t({&m, &origens.fm}, 1);
        Checa(t.status(), "Iniciando a transação");
        m.clear_record();
        e.DataEmissao = date::make(ano.ano, 1, 1);
        Checa(m.set_at(dictionary::keys::ENT_KEY_DATA), "Lendo as entradas do ano");
        for (;;) {
            const data::Result lido = m.next();
            if (lido == data::kRecordNotAvailable) break;
            Checa(lido, "Lendo as entradas do ano");
            if (e.DataEmissao > fim) break;
            ++r.lidos;
            if (progresso && !progresso(r.lidos, total)) throw Cancelou{};
            if (e.CFO != 1409) continue;
            const BaseOrigem b = ProcuraBaseOrigem(origens.fm, ano.empresa, ano.ano, e.CodMercadoria.value(),
                                                   NotaDoItem{e.DataEmissao, std::string(e.Serie.clipped()), e.Numero},
                                                   e.Quantidade.value());
            if (!b.encontrada) continue;
            e.BaseICMS = b.base;
            e.BaseICMSPropria = b.basePropria;
            Checa(m.put(), "Gravando as bases de uma entrada");
            ++r.ajustados;
        }
        Checa(t.commit(), "Confirmando o ajuste");
    } catch (const Falhou& f) {
        r = {};
        r.erro = f.texto;
    } catch (const Cancelou&) {
        r = {};
        r.cancelado = true;
    }
    return r;
}

}  // namespace vorel::movements
