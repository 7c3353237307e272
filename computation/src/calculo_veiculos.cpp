// CalculoPlanilhaVeiculos: the month's vehicle entries and exits of one rate gathered into a work
// table of the run's own (model 0: entries and exits on rows of their own; model 1: one row per
// vehicle, its sale set on its entry's row), and TransportaVeiculos, the December carry of the
// unsold vehicles into the next year's entry file.
//
// Tables: EntradaVeiculo and SaidaVeiculo of the working year (read), EntradaSaidaVorel on the
// run's file, EntradaVeiculo of the next year (its own cursor; the shared name is never repointed).
#include <utility>

#include "execucao.h"
#include "vorel/computation/planilha_veiculos.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/period.h"
#include "vorel/shell/text_report.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;
using detail::Checa;
using detail::Interrupcao;

namespace {

using Entrada = dictionary::EntradaVeiculoRec;
using Saida = dictionary::SaidaVeiculoRec;
using Linha = dictionary::EntradaSaidaVorelRec;

std::string Digitos(std::uint32_t n) { return std::to_string(n); }

bool DoFornecedor(const OpcoesVeiculos& o, const Entrada& e) {
    if (!o.umFornecedor) return true;
    std::string cnpj = o.cnpjFornecedor;
    cnpj.resize(14, ' ');
    std::string dele(e.CNPJforcli.value());
    dele.resize(14, ' ');
    return cnpj == dele;
}

// The first record that a chassis key yields; false when the chassis has none.
template <class Rec>
bool PorChassi(FileManager& fm, data::KeyName chave, const auto& chassi) {
    fm.clear_record();
    fm.rec<Rec>().Chassi = chassi;
    data::Result r = fm.get(chave);
    if (r == data::kRecordNotFound) return false;
    Checa(r, "Lendo os veículos");
    return true;
}

class Execucao {
public:
    Execucao(const shell::EmpresaPeriodo& p, const OpcoesVeiculos& o, AvisosCalculo& a)
        : periodo_(p), o_(o), avisos_(a), trabalho_(dictionary::EntradaSaidaVorel()), ent_(dictionary::EntradaVeiculo()),
          entChassi_(dictionary::EntradaVeiculo()), sai_(dictionary::SaidaVeiculo()),
          saiChassi_(dictionary::SaidaVeiculo()) {}
    ~Execucao() {
        for (FileManager* fm : {&trabalho_, &ent_, &entChassi_, &sai_, &saiChassi_})
            if (fm->is_open()) (void)fm->close();
    }

    void Executa(ResultadoVeiculos& r) {
        r.periodo = periodo_;
        inicio_ = periodo_.Inicio();
        fim_ = periodo_.Fim();

        shell::NomeTemporario nome = shell::NomeArqTemp();
        if (!nome.ok()) throw Interrupcao{false, nome.erro};
        r.arquivoTrabalho = nome.nome;
        (void)files::remove_file(r.arquivoTrabalho);
        Checa(trabalho_.open_path(r.arquivoTrabalho), "Abrindo a tabela de trabalho");
        for (FileManager* fm : {&ent_, &entChassi_, &sai_, &saiChassi_}) {
            Checa(shell::AbreNoAno(*fm, periodo_), "Abrindo os veículos");
            (void)fm->send(detail::kCacheDaExecucao);
        }
        progresso_.total1 = ent_.records() + sai_.records();
        if (!avisos_.Progresso(progresso_)) throw Interrupcao{true, {}};

        data::Transaction t({&trabalho_}, 1);
        Checa(t.status(), "Gravando a tabela de trabalho");
        Entradas(r);
        Saidas();
        Checa(t.commit(), "Gravando a tabela de trabalho");
    }

private:
    void Conta() {
        ++progresso_.barra1;
        ++progresso_.contador;
        if (!avisos_.Progresso(progresso_)) throw Interrupcao{true, {}};
    }

    // The vehicle's first exit, when it has one.
    bool Saiu(const Entrada& e, date::Day& quando) {
        if (!PorChassi<Saida>(saiChassi_, keys::SAV_KEY_CHASSI, e.Chassi)) return false;
        quando = saiChassi_.rec<Saida>().DataSaida;
        return true;
    }

    void Entradas(ResultadoVeiculos& r) {
        auto& e = ent_.rec<Entrada>();
        auto& w = trabalho_.rec<Linha>();
        ent_.clear_record();
        Checa(ent_.set(keys::ENV_KEY_NUMERO), "Lendo as entradas de veículos");
        while (ent_.next().ok()) {
            Conta();
            if (e.DataEntrada > fim_) break;
            if (e.Aliquota.value() != o_.percentual || !DoFornecedor(o_, e)) continue;
            date::Day saida = 0;
            const bool saiu = Saiu(e, saida);
            const bool emEstoque = !saiu || saida > fim_;
            if (emEstoque && r.periodo.mes == 12) r.transporte.push_back(Transportado(e));
            // An earlier entry shows only while the vehicle was in stock on the month's first day.
            if (e.DataEntrada < inicio_ && saiu && saida < inicio_) continue;
            trabalho_.clear_record();
            w.ENTSAI = 1;
            w.CHASSI = e.Chassi.value();
            w.DATA = e.DataEntrada;
            w.DATAESPELHO = e.DataEntrada;
            w.NUMERO = Digitos(e.Numero);
            w.SERIE = e.Serie.value();
            w.BASEPROPSUBSTITUIDO = e.BasepropSubstituid.value();
            w.BASEICMS = e.BaseCalcRetencao.value();
            if (emEstoque) w.BASEESTREMANESCENTE = e.BaseCalcRetencao.value();
            Checa(trabalho_.add(), "Gravando a tabela de trabalho");
        }
    }

    void Saidas() {
        auto& s = sai_.rec<Saida>();
        auto& w = trabalho_.rec<Linha>();
        const auto& e = entChassi_.rec<Entrada>();
        sai_.clear_record();
        s.DataSaida = inicio_;
        Checa(sai_.set_at(keys::SAV_KEY_NUMERO), "Lendo as saídas de veículos");
        while (sai_.next().ok()) {
            Conta();
            if (s.DataSaida > fim_) break;
            if (s.Aliquota.value() != o_.percentual) continue;
            const bool temEntrada = PorChassi<Entrada>(entChassi_, keys::ENV_KEY_CHASSI, s.Chassi);
            if (!temEntrada) {
                avisos_.Mensagem("Atenção!!!", "Veículo com Chassi " + std::string(text::clip(s.Chassi.value())) +
                                                   " não possui Lançamento de Entrada!!!");
            }
            if (o_.umFornecedor && (!temEntrada || !DoFornecedor(o_, e))) continue;
            if (o_.modelo == 0) {
                trabalho_.clear_record();
                w.ENTSAI = 2;
                w.CHASSI = s.Chassi.value();
                w.DATA = s.DataSaida;
                w.DATAESPELHO = s.DataSaida;
                w.NUMERO = Digitos(s.Numero);
                w.SERIE = s.Serie.value();
                w.BASEICMS = s.BaseSaidaConsFinal.value();
                if (temEntrada) {
                    w.BASEEFETENT = e.BaseCalcRetencao.value();
                    w.BASEPROPSUBSTITUIDO = e.BasepropSubstituid.value();
                }
                Checa(trabalho_.add(), "Gravando a tabela de trabalho");
                continue;
            }
            // One row per vehicle: the sale goes on its entry's row, when the month has one.
            trabalho_.clear_record();
            w.CHASSI = s.Chassi.value();
            data::Result achou = trabalho_.get(keys::ESA_KEY_CHASSIS);
            if (achou == data::kRecordNotFound) continue;
            Checa(achou, "Lendo a tabela de trabalho");
            w.SDATA = s.DataSaida;
            w.SNUMERO = Digitos(s.Numero);
            w.SSERIE = s.Serie.value();
            w.SBASEICMS = s.BaseSaidaConsFinal.value();
            w.DATAESPELHO = s.DataSaida;
            w.ENTSAI = 2;
            if (temEntrada) {
                w.DATAESPELHO = e.DataEntrada;
                w.BASEEFETENT = e.BaseCalcRetencao.value();
                w.BASEPROPSUBSTITUIDO = e.BasepropSubstituid.value();
            }
            Checa(trabalho_.put(), "Gravando a tabela de trabalho");
        }
    }

    static VeiculoTransportado Transportado(const Entrada& e) {
        VeiculoTransportado v;
        v.cnpj = e.CNPJforcli.value();
        v.chassi = e.Chassi.value();
        v.data = e.DataEntrada;
        v.numero = e.Numero;
        v.serie = e.Serie.value();
        v.basePropria = e.BasepropSubstituid.value();
        v.baseRetencao = e.BaseCalcRetencao.value();
        v.cfo = e.CFO;
        v.complemento = e.Complemento;
        v.aliquota = e.Aliquota.value();
        v.cfoComplementar = e.CFOComplementar;
        v.quantidade = e.Quantidade.value();
        v.produto = e.CodProduto.value();
        v.mesImportacao = e.MesImpor;
        return v;
    }

    const shell::EmpresaPeriodo periodo_;
    const OpcoesVeiculos& o_;
    AvisosCalculo& avisos_;
    date::Day inicio_ = 0, fim_ = 0;
    ProgressoCalculo progresso_;
    FileManager trabalho_, ent_, entChassi_, sai_, saiChassi_;
};

}  // namespace

ResultadoVeiculos CalculoPlanilhaVeiculos(const shell::EmpresaPeriodo& periodo, const OpcoesVeiculos& opcoes,
                                          AvisosCalculo& avisos) {
    ResultadoVeiculos r;
    try {
        Execucao run(periodo, opcoes, avisos);
        run.Executa(r);
    } catch (const Interrupcao& i) {
        r.ok = false;
        r.erro = i.cancelado ? "Cancelado" : i.erro;
    } catch (const DecimalOverflow& e) {
        r.ok = false;
        r.erro = e.what();
    }
    if (!r.ok) {
        ApagaTrabalho(r.arquivoTrabalho);
        r.arquivoTrabalho.clear();
        r.transporte.clear();
    }
    return r;
}

ResultadoVeiculos TransportaVeiculos(const ResultadoVeiculos& run, const OpcoesVeiculos& opcoes) {
    ResultadoVeiculos r;
    r.periodo = run.periodo;
    if (!run.ok || run.periodo.mes != 12) return r;
    try {
        auto c = dictionary::CaminhosArquivosAno(shell::PastaRaiz.Get(), run.periodo.empresa, run.periodo.ano + 1);
        if (std::error_code ec = dictionary::CriaPastas(c)) throw Interrupcao{false, "Criando a pasta " + c.PastaAno};
        FileManager prox(dictionary::EntradaVeiculo());
        Checa(prox.open_path(c.CaminhoEntradaVeiculo), "Abrindo as entradas de veículos do ano seguinte");
        struct Fecha {
            FileManager& fm;
            ~Fecha() { (void)fm.close(); }
        } fecha{prox};
        auto& e = prox.rec<Entrada>();
        data::Transaction t({&prox}, 1);
        Checa(t.status(), "Transportando os veículos");
        // The earlier carry of this rate (and supplier): the records dated up to the working year.
        std::vector<data::Position> antigos;
        prox.clear_record();
        Checa(prox.set(keys::ENV_KEY_NUMERO), "Lendo as entradas de veículos do ano seguinte");
        while (prox.next().ok()) {
            if (date::year(e.DataEntrada) > run.periodo.ano) break;
            if (e.Aliquota.value() == opcoes.percentual && DoFornecedor(opcoes, e)) antigos.push_back(prox.position());
        }
        for (const data::Position& p : antigos) {
            Checa(prox.reget(p), "Lendo as entradas de veículos do ano seguinte");
            Checa(prox.remove(), "Removendo o transporte anterior");
        }
        for (const VeiculoTransportado& v : run.transporte) {
            prox.clear_record();
            e.CNPJforcli = v.cnpj;
            e.Chassi = v.chassi;
            e.DataEntrada = v.data;
            e.Numero = v.numero;
            e.Serie = v.serie;
            e.BasepropSubstituid = v.basePropria;
            e.BaseCalcRetencao = v.baseRetencao;
            e.CFO = v.cfo;
            e.Complemento = v.complemento;
            e.Aliquota = v.aliquota;
            e.CFOComplementar = v.cfoComplementar;
            e.Quantidade = v.quantidade;
            e.CodProduto = v.produto;
            e.MesImpor = v.mesImportacao;
            Checa(prox.add(), "Transportando os veículos");
        }
        Checa(t.commit(), "Transportando os veículos");
    } catch (const Interrupcao& i) {
        r.ok = false;
        r.erro = i.erro;
    }
    return r;
}

}  // namespace vorel::computation
