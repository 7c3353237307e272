// The clean-ups of a year's movements (vorel/maintenance/limpeza_lancamentos.h).
#include "vorel/maintenance/limpeza_lancamentos.h"

#include <string>

#include "passos_reparo.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::maintenance {

namespace keys = dictionary::keys;
using namespace detail;

namespace {

// Deletes the analytic records of `data` whose master record is missing.
void AnaliticosSemMestre(data::FileManager& analiticos, data::FileManager& mestres, std::string_view data,
                         ResultadoReparo& r) {
    auto& a = analiticos.rec<dictionary::AnaliticoICMSRec>();
    auto& m = mestres.rec<dictionary::LancICMSEletronicoRec>();
    analiticos.clear_record();
    a.DataEmissao = data;
    Checa(analiticos.set_at(analiticos.key_number(keys::ANA_KEY_ALICOTA), 1),
          "Lendo os registros analíticos");
    while (Proximo(analiticos, "Lendo os registros analíticos") && a.DataEmissao.clipped() == data) {
        mestres.clear_record();
        m.DataEmissao = a.DataEmissao;
        m.Codigo = a.Codigo;
        m.Fechamento = a.Fechamento;
        const data::Result achou = mestres.get(keys::LAN_KEY_CODIGO);
        if (achou.ok()) continue;
        if (achou != data::kRecordNotFound) Falha("Lendo os registros mestres");
        Checa(analiticos.remove(), "Excluindo um registro analítico");
        ++r.alterados;
    }
}

}  // namespace

ResultadoReparo ExcluiCuponsOrfaos(const shell::EmpresaPeriodo& ano, const ProgressoReparo& progresso) {
    return Roda(
        [&](ResultadoReparo& r) {
            TabelaDoReparo diarios(dictionary::MovMaqRegistradora(), ano, "Abrindo os registros diários");
            TabelaDoReparo analiticos(dictionary::AnaliticoICMS(), ano, "Abrindo os registros analíticos");
            TabelaDoReparo mestres(dictionary::LancICMSEletronico(), ano, "Abrindo os registros mestres");
            data::FileManager& d = diarios.fm;
            auto& mmr = d.rec<dictionary::MovMaqRegistradoraRec>();
            auto& a = analiticos.fm.rec<dictionary::AnaliticoICMSRec>();
            const long long total = d.records();
            data::Transaction t({&d, &analiticos.fm}, 1);
            Checa(t.status(), "Iniciando a transação");
            d.clear_record();
            Checa(d.set(keys::MMR_KEY_DATA), "Lendo os registros diários");
            std::string dataVista;
            bool primeira = true;
            while (Proximo(d, "Lendo os registros diários")) {
                Avanca(progresso, ++r.lidos, total);
                const std::string data(mmr.DataEmissao.clipped());
                if (primeira || data != dataVista) {  // each date's analytic records once
                    AnaliticosSemMestre(analiticos.fm, mestres.fm, data, r);
                    dataVista = data;
                    primeira = false;
                }
                analiticos.fm.clear_record();
                a.DataEmissao = mmr.DataEmissao;
                a.Codigo = mmr.Codigo;
                a.Fechamento = mmr.Fechamento;
                a.Aliquota = mmr.Aliquota;
                const data::Result achou = analiticos.fm.get(keys::ANA_KEY_ALICOTA);
                if (achou.ok()) continue;
                if (achou != data::kRecordNotFound) Falha("Lendo os registros analíticos");
                Checa(d.remove(), "Excluindo um registro diário");
                ++r.alterados;
            }
            Checa(t.commit(), "Confirmando a exclusão");
        },
        Desfeito);
}

ResultadoReparo ExcluiEntradasDeOutroAno(const shell::EmpresaPeriodo& ano, const ProgressoReparo& progresso) {
    return Roda(
        [&](ResultadoReparo& r) {
            TabelaDoReparo entradas(dictionary::EntradaVorel(), ano, "Abrindo as entradas do ano");
            data::FileManager& m = entradas.fm;
            auto& e = m.rec<dictionary::EntradaVorelRec>();
            const long long total = m.records();
            data::Transaction t({&m}, 1);
            Checa(t.status(), "Iniciando a transação");
            m.clear_record();
            Checa(m.set(keys::ENT_KEY_DATA), "Lendo as entradas do ano");
            while (Proximo(m, "Lendo as entradas do ano")) {
                Avanca(progresso, ++r.lidos, total);
                if (e.DataEmissao > 0 && date::year(e.DataEmissao) == ano.ano)
                    continue;  // no date: no year of its own
                Checa(m.remove(), "Excluindo uma entrada de outro ano");
                ++r.alterados;
            }
            Checa(t.commit(), "Confirmando a exclusão");
        },
        Desfeito);
}

}  // namespace vorel::maintenance
