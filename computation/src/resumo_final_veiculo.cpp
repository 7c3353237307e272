// ResumoFinalVeiculo: every vehicle sold in the working month, whatever its rate, set against its
// entry by chassis; the complement bases, reimbursement and compensation parcels summed by rate
// and netted per rate, with the standard rates added up to four rows; the rows kept in the run's
// `ResumoFinal` for its report.
#include "execucao.h"
#include "vorel/computation/planilha_veiculos.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/period.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;
using detail::Checa;
using detail::Interrupcao;

namespace {

std::vector<SomaTaxa> SomaSaidas(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos) {
    const date::Day inicio = periodo.Inicio();
    const date::Day fim = periodo.Fim();
    FileManager sai(dictionary::SaidaVeiculo());
    FileManager ent(dictionary::EntradaVeiculo());
    Checa(shell::AbreNoAno(sai, periodo), "Abrindo as saídas de veículos");
    Checa(shell::AbreNoAno(ent, periodo), "Abrindo as entradas de veículos");
    // Only what the split of each sale against its entry takes.
    Checa(data::Cursor::read_only(sai, {"DataSaida", "Chassi", "BaseSaidaConsFinal", "Aliquota"}),
          "Lendo as saídas de veículos");
    Checa(data::Cursor::read_only(ent, {"Chassi", "BaseCalcRetencao", "BasepropSubstituid"}),
          "Lendo as entradas de veículos");
    struct Fecha {
        FileManager &a, &b;
        ~Fecha() {
            (void)a.close();
            (void)b.close();
        }
    } fecha{sai, ent};
    auto& s = sai.rec<dictionary::SaidaVeiculoRec>();
    auto& e = ent.rec<dictionary::EntradaVeiculoRec>();
    ProgressoCalculo progresso;
    progresso.total1 = sai.records();

    std::vector<SomaTaxa> somas;
    sai.clear_record();
    s.DataSaida = inicio;
    Checa(sai.set_at(keys::SAV_KEY_NUMERO), "Lendo as saídas de veículos");
    while (sai.next().ok()) {
        ++progresso.barra1;
        if (!avisos.Progresso(progresso)) throw Interrupcao{true, {}};
        if (s.DataSaida > fim) break;
        ent.clear_record();
        e.Chassi = s.Chassi;
        data::Result achou = ent.get(keys::ENV_KEY_CHASSI);
        Decimal r, p;
        if (achou.ok()) {
            r = e.BaseCalcRetencao.value();
            p = e.BasepropSubstituid.value();
        } else if (achou == data::kRecordNotFound) {
            avisos.Mensagem("Atenção!!!", "Veículo com Chassi " + std::string(text::clip(s.Chassi.value())) +
                                              " não possui Lançamento de Entrada!!!");
        } else {
            Checa(achou, "Lendo as entradas de veículos");
        }
        const DivisaoBase d = DivideBaseVeiculo(s.BaseSaidaConsFinal.value(), r, p);
        const Decimal taxa = s.Aliquota.value().rounded(2);
        SomaTaxa* t = nullptr;
        for (SomaTaxa& x : somas)
            if (x.percentual == taxa) t = &x;
        if (!t) t = &somas.emplace_back(SomaTaxa{taxa, {}, {}, {}});
        t->sc += d.complementar;
        t->sr += d.ressarcir;
        t->sk += d.compensar;
    }
    return somas;
}

}  // namespace

ResultadoResumoVeiculos ResumoFinalVeiculo(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos) {
    ResultadoResumoVeiculos r;
    try {
        r.linhas = LinhasResumoVeiculo(SomaSaidas(periodo, avisos));
    } catch (const Interrupcao& i) {
        r.ok = false;
        r.erro = i.cancelado ? "Cancelado" : i.erro;
    }
    return r;
}

std::string GravaResumoFinalVeiculo(const std::vector<LinhaResumoVeiculo>& linhas, FileManager& resumo) {
    data::Transaction t({&resumo}, 1);
    if (!t.status().ok()) return "Iniciando a transação do resumo final de veículos";
    auto& r = resumo.rec<dictionary::ResumoFinalRec>();
    for (const LinhaResumoVeiculo& l : linhas) {
        resumo.clear_record();
        r.PERCENTUAL = l.percentual;
        r.VEICDIFCOMPLEMENTADO = l.complementar;
        r.VEICDIFRESSARCIDO = l.ressarcir;
        r.VEICDIFCOMPENSADO = l.compensar;
        if (!resumo.add().ok()) return "Gravando o resumo final de veículos";
    }
    if (!t.commit().ok()) return "Confirmando o resumo final de veículos";
    return {};
}

bool LeResumoFinalVeiculo(FileManager& resumo, std::vector<LinhaResumoVeiculo>& linhas) {
    linhas.clear();
    resumo.clear_record();
    if (!resumo.set(keys::RFC_KEY_NUMERO).ok()) return false;
    const auto& r = resumo.rec<dictionary::ResumoFinalRec>();
    data::Result lido;
    while ((lido = resumo.next()).ok())
        linhas.push_back({r.PERCENTUAL.value(), r.VEICDIFCOMPLEMENTADO.value(), r.VEICDIFRESSARCIDO.value(),
                          r.VEICDIFCOMPENSADO.value()});
    return lido == data::kRecordNotAvailable;
}

}  // namespace vorel::computation
