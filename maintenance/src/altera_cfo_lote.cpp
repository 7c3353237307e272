// The batch CFOP change (vorel/maintenance/altera_cfo_lote.h).
#include "vorel/maintenance/altera_cfo_lote.h"

#include <limits>

#include "lote_passos.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/other_year.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using lote::Checa;

std::string NaoCabe(const char* oque, unsigned valor, const char* campo, unsigned maximo) {
    return std::string(oque) + " " + std::to_string(valor) + " não cabe no campo " + campo + " (até " +
           std::to_string(maximo) + ").";
}

// Walks the side's items of the period by their date key; `muda` rewrites a chosen one.
template <class Rec, class Data, class Muda>
void Percorre(data::FileManager& fm, data::KeyName chave, Data data, const AlteracaoCfo& a, const ProgressoReparo& progresso,
              ResultadoReparo& r, Muda muda) {
    auto& rec = fm.rec<Rec>();
    const long long total = fm.records();
    fm.clear_record();
    rec.*data = a.inicio;
    Checa(fm.set_at(chave), "Lendo os lançamentos do período");
    for (;;) {
        const data::Result lido = fm.next();
        if (lido == data::kRecordNotAvailable) break;
        Checa(lido, "Lendo os lançamentos do período");
        if (rec.*data > a.fim) break;
        lote::Avanca(progresso, ++r.lidos, total);
        if (rec.CFO != a.cfo || rec.Complemento != static_cast<std::int16_t>(a.complemento)) continue;
        rec.CFO = static_cast<std::uint16_t>(a.novoCfo);
        rec.Complemento = static_cast<std::int16_t>(a.novoComplemento);
        muda(rec);
        Checa(fm.put(), "Gravando um lançamento");
        ++r.alterados;
    }
}

}  // namespace

std::string ValorForaDoCampo(const AlteracaoCfo& a) {
    const bool entradas = AlteraEntradas(a.cfo);
    if (a.novoCfo > std::numeric_limits<std::uint16_t>::max())
        return NaoCabe("O CFO", a.novoCfo, entradas ? "ENT:CFO" : "SAI:CFO", std::numeric_limits<std::uint16_t>::max());
    if (a.novoComplemento > static_cast<unsigned>(std::numeric_limits<std::int16_t>::max()))
        return NaoCabe("O Complemento", a.novoComplemento, entradas ? "ENT:Complemento" : "SAI:Complemento",
                       std::numeric_limits<std::int16_t>::max());
    if (entradas && a.novoCfoComplementar > 255)
        return NaoCabe("O CFO Complementar", a.novoCfoComplementar, "ENT:CFOComplementar", 255);
    if (!entradas && a.novoCfoComplementar > 99)
        return NaoCabe("O CFO Complementar", a.novoCfoComplementar, "SAI:CFOComplementar", 99);
    return {};
}

ResultadoReparo AlteraCfoEmLote(const shell::EmpresaPeriodo& ano, const AlteracaoCfo& a, const ProgressoReparo& progresso) {
    ResultadoReparo r;
    if (std::string e = ValorForaDoCampo(a); !e.empty()) {
        r.erro = e;
        return r;
    }
    const bool entradas = AlteraEntradas(a.cfo);
    try {
        lote::Aberta tabela(entradas ? dictionary::EntradaVorel() : dictionary::SaidaVorel());
        Checa(shell::AbreNoAno(tabela.fm, ano), entradas ? "Abrindo as entradas" : "Abrindo as saídas");
        data::Transaction t({&tabela.fm}, 1);
        Checa(t.status(), "Iniciando a transação");
        if (entradas) {
            Percorre<dictionary::EntradaVorelRec>(tabela.fm, keys::ENT_KEY_DATA, &dictionary::EntradaVorelRec::DataEmissao,
                                                  a, progresso, r, [&a](dictionary::EntradaVorelRec& e) {
                                                      e.CFOComplementar = static_cast<std::uint8_t>(a.novoCfoComplementar);
                                                  });
        } else {
            Percorre<dictionary::SaidaVorelRec>(tabela.fm, keys::SAI_KEY_DATA, &dictionary::SaidaVorelRec::DataSaida, a,
                                                progresso, r, [&a](dictionary::SaidaVorelRec& s) {
                                                    s.CFOComplementar = std::to_string(a.novoCfoComplementar);
                                                });
        }
        Checa(t.commit(), "Confirmando a alteração");
    } catch (const lote::Falhou& f) {
        r = {};
        r.erro = f.texto;
    } catch (const lote::Cancelou&) {
        r = {};
        r.cancelado = true;
    }
    return r;
}

}  // namespace vorel::maintenance
