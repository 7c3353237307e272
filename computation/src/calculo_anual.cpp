// The annual recalculation: the valuation of one product's year, and the run over the tables that
// gathers the year's movements, deletes the year's records of each product at its current rate and
// writes the new ones, in one transaction.
//
// Tables: Produtos, EntradaVorel, SaidaVorel, MovMaqRegistradora, CFO, SaldosVorel (the working
// year's file, and the previous year's through a cursor of its own). Each movement file is read
// once along its date key, which follows the order in which the files are written, and its rows
// are gathered per product in memory (24 bytes a movement); then each product is valued in turn.

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "vorel/fiscal/consultas_cadastro.h"
#include "execucao.h"
#include "vorel/computation/calculo_anual.h"
#include "vorel/computation/calculo_produtos.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

namespace {

// Applies one movement to the running stock and the month's columns.
void Aplica(const MovimentoAnual& m, SaldoAnual& s, MesAnual& mes) {
    const Decimal q = m.quantidade;
    switch (m.coluna) {
        case 1:
        case 7:
            s.quantidade += q;
            s.base += m.base;
            if (m.coluna == 7) mes.colunas[kAnualConfDemaisHipoteses] += m.base;
            s.unitario = Decimal::divide_or_zero(s.base, s.quantidade);
            break;
        case 2:
        case 3:
        case 4:
        case 5:
        case 6: {
            const Decimal valor = q * s.unitario;
            s.quantidade -= q;
            s.base -= valor;
            mes.colunas[m.coluna - 2] += valor;
            if (m.coluna == 2) mes.colunas[kAnualConfUsuarioFinal] += m.base;
            break;
        }
        default:
            break;  // 0, 8, 9: nothing
    }
}

// GravaMesProduto's test: a month with no stock and no exits at average value writes nothing.
bool Grava(const MesAnual& m) {
    if (!m.saldo.quantidade.value().is_zero()) return true;
    for (int c = kAnualUsuarioFinal; c <= kAnualSubsequente; ++c)
        if (!m.colunas[c].value().is_zero()) return true;
    return false;
}

}  // namespace

std::vector<MesAnual> ValoraAnoProduto(const SaldoAnual& dezembro, const std::vector<MovimentoAnual>& movimentos) {
    std::vector<MesAnual> out;
    SaldoAnual s = dezembro;
    MesAnual mes;
    mes.mes = 1;
    auto fecha = [&] {
        mes.saldo = s;
        if (Grava(mes)) out.push_back(mes);
    };
    for (const MovimentoAnual& m : movimentos) {
        if (m.mes != mes.mes) {
            fecha();
            mes = MesAnual{};
        }
        mes.mes = m.mes;
        Aplica(m, s, mes);
    }
    fecha();
    return out;
}

namespace {

// A gathered movement of the year, with its print column; a product's rows are put in date order,
// same-day rows in the order in which they were read (entries, exits, cash-register items). The
// quantity and the base are kept as the fields store them (3 and 2 places): 24 bytes a row.
struct LinhaAnual {
    date::Day data = 0;
    std::uint8_t coluna = 0;
    long long quantidade = 0;  // thousandths
    long long base = 0;        // cents
};

// A registered product, its current rate and its movements of the year.
struct ProdutoDoAno {
    Decimal codigo;
    Decimal aliquota;
    std::vector<LinhaAnual> linhas;
};

struct Falhou {
    std::string oque;
};
void Checa(data::Result r, const char* oque) {
    if (!r.ok()) throw Falhou{oque};
}

class Recalculo {
public:
    Recalculo(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos)
        : avisos_(avisos), periodo_(periodo), saldos_(dictionary::SaldosVorel()), cfo_(dictionary::CFO()),
          produtos_(dictionary::Produtos()), anterior_(dictionary::SaldosVorel(), periodo.empresa, periodo.ano - 1) {
        ano_ = periodo.ano;
    }
    ~Recalculo() {
        for (FileManager* fm : {&saldos_, &cfo_, &produtos_, &ent_, &sai_, &mmr_})
            if (fm->is_open()) (void)fm->close();
    }

    ResultadoAnual Executa() {
        ResultadoAnual r;
        try {
            AbreMovimentos();
            Checa(shell::AbreNoAno(produtos_, periodo_), "Abrindo os produtos");
            Checa(cfo_.open(), "Abrindo os CFOs");
            Checa(shell::AbreNoAno(saldos_, periodo_), "Abrindo os saldos");
            // The previous year's balances, once for the run (none: every product starts from zero).
            temAnterior_ = anterior_.open().ok();
            progresso_.total1 = static_cast<long long>(produtos_.records());
            LeProdutos();
            if (!ReuneMovimentos()) {
                r.cancelado = true;
                return r;
            }
            data::Transaction t({&saldos_}, 1);
            Checa(t.status(), "Iniciando a gravação dos saldos");
            for (ProdutoDoAno& p : lista_) {
                if (!Produto(p)) {
                    r.cancelado = true;
                    (void)t.rollback();
                    return r;
                }
                ++r.produtos;
            }
            avisos_.Aguarde(true);
            data::Result c = t.commit();
            avisos_.Aguarde(false);
            Checa(c, "Gravando os saldos");
        } catch (const Falhou& f) {
            r.erro = f.oque + ": " + text::to_utf8(data::describe(data::last_error()));
        } catch (const std::exception& e) {  // a value too wide for its field
            r.erro = e.what();
        }
        return r;
    }

private:
    // The year's movement files, open for the run with a small page cache each.
    void AbreMovimentos() {
        Checa(shell::AbreNoAno(ent_, periodo_), "Abrindo as entradas");
        Checa(shell::AbreNoAno(sai_, periodo_), "Abrindo as saídas");
        Checa(shell::AbreNoAno(mmr_, periodo_), "Abrindo os itens das máquinas registradoras");
        for (FileManager* fm : {&ent_, &sai_, &mmr_}) (void)fm->send(detail::kCacheDaExecucao);
        // Of the wide movement records, only what the year's reading takes.
        Checa(data::Cursor::read_only(ent_, {"CodMercadoria", "DataEmissao", "CFO", "Complemento", "Quantidade", "BaseICMS"}),
              "Abrindo as entradas");
        Checa(data::Cursor::read_only(sai_, {"CodMercadoria", "DataSaida", "CFO", "Complemento", "Quantidade", "BaseCalculo"}),
              "Abrindo as saídas");
        Checa(data::Cursor::read_only(mmr_, {"CodMercadoria", "DataEmissao", "Aliquota", "Quantidade", "BaseCalculo"}),
              "Abrindo os itens das máquinas registradoras");
    }

    // The registered products in the order of their codes, with their current rates.
    void LeProdutos() {
        Checa(data::Cursor::read_only(produtos_, {"Codigo", "Alicota"}), "Abrindo os produtos");
        auto& p = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        Checa(produtos_.set(keys::PRO_KEY_CODIGO), "Lendo os produtos");
        for (;;) {
            const data::Result r = produtos_.next();
            if (r.code() == data::kRecordNotAvailable) break;
            Checa(r, "Lendo os produtos");
            indice_.emplace_back(p.Codigo.scaled(), lista_.size());
            lista_.push_back({p.Codigo.value(), p.Alicota.value(), {}});
        }
        std::sort(indice_.begin(), indice_.end());
    }

    // The year's entries, exits and "F" cash-register items of the registered products, each file
    // read whole along its date key (same-day records in the order they were written) and its rows
    // appended to their products'. False when the run was stopped.
    bool ReuneMovimentos() {
        return Reune(ent_, keys::ENT_KEY_DATA, "Lendo as entradas",
                     [this](long long& codigo) {
                         auto& e = ent_.rec<dictionary::EntradaVorelRec>();
                         codigo = e.CodMercadoria.scaled();
                         return std::optional<LinhaAnual>(
                             {e.DataEmissao, Coluna(e.CFO, e.Complemento), e.Quantidade.scaled(), e.BaseICMS.scaled()});
                     }) &&
               Reune(sai_, keys::SAI_KEY_DATA, "Lendo as saídas",
                     [this](long long& codigo) {
                         auto& s = sai_.rec<dictionary::SaidaVorelRec>();
                         codigo = s.CodMercadoria.scaled();
                         return std::optional<LinhaAnual>(
                             {s.DataSaida, Coluna(s.CFO, s.Complemento), s.Quantidade.scaled(), s.BaseCalculo.scaled()});
                     }) &&
               Reune(mmr_, keys::MMR_KEY_DATA, "Lendo os itens das máquinas registradoras",
                     [this](long long& codigo) -> std::optional<LinhaAnual> {
                         auto& m = mmr_.rec<dictionary::MovMaqRegistradoraRec>();
                         codigo = m.CodMercadoria.scaled();
                         if (m.Aliquota.clipped() != "F") return std::nullopt;
                         return LinhaAnual{detail::NumeroDoTexto(m.DataEmissao.value()), 2, m.Quantidade.scaled(),
                                           m.BaseCalculo.scaled()};
                     });
    }

    // One movement file read whole along `chave`; `le` turns the record read into a row (none: a
    // record not counted) and says its product's code. The run can be stopped while it reads.
    template <class Le>
    bool Reune(FileManager& fm, data::KeyName chave, const char* oque, Le le) {
        fm.clear_record();
        Checa(fm.set(chave), oque);
        for (long long n = 1;; ++n) {
            const data::Result r = fm.next();
            if (r.code() == data::kRecordNotAvailable) return true;
            Checa(r, oque);
            long long codigo = 0;
            if (std::optional<LinhaAnual> l = le(codigo)) {
                // A code registered twice: the first in the register's order takes the rows.
                const auto it = std::lower_bound(indice_.begin(), indice_.end(), std::make_pair(codigo, std::size_t{0}));
                if (it != indice_.end() && it->first == codigo) lista_[it->second].linhas.push_back(*l);
            }
            if (n % 4096 == 0 && !avisos_.Progresso(progresso_)) return false;
        }
    }

    // The print column of a CFOP (blank state); 0 when the register lacks it.
    std::uint8_t Coluna(int cfo, int complemento) { return colunas_.Coluna(cfo, complemento).value_or(0); }

    SaldoAnual Dezembro(const std::string& codigo, const Decimal& aliquota) {
        SaldoAnual s;
        if (!temAnterior_) return s;
        auto& q = anterior_.rec<dictionary::SaldosVorelRec>();
        anterior_.file().clear_record();
        q.Produto = codigo;
        q.Competencia = date::first_of_month(ano_ - 1, 12);
        q.Aliquota = aliquota;
        if (anterior_.file().get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok()) {
            s.quantidade = q.QuantProdutos;
            s.base = q.BaseAcunulada;
            s.unitario = q.ValorUnit.value().cut(3);
        }
        return s;
    }

    bool Produto(ProdutoDoAno& p) {
        const Decimal& aliquota = p.aliquota;
        const std::string texto = detail::CodigoTexto(p.codigo);
        auto& q = saldos_.rec<dictionary::SaldosVorelRec>();
        // The year's month records at the rate, January to December, in one deletion.
        saldos_.clear_record();
        q.Produto = texto;
        q.Aliquota = aliquota;
        q.Competencia = date::first_of_month(ano_, 12);
        const dictionary::SaldosVorelRec dezembro = q;
        q.Competencia = date::first_of_month(ano_, 1);
        Checa(saldos_.remove_range(keys::SQEL_PRODUTOALIQDATA, &dezembro), "Apagando os saldos");
        std::stable_sort(p.linhas.begin(), p.linhas.end(),
                         [](const LinhaAnual& a, const LinhaAnual& b) { return a.data < b.data; });
        movimentos_.clear();
        for (const LinhaAnual& l : p.linhas)
            movimentos_.push_back(
                {date::month(l.data), l.coluna, Decimal::from_scaled(l.quantidade, 3), Decimal::from_scaled(l.base, 2)});
        std::vector<LinhaAnual>().swap(p.linhas);
        for (const MesAnual& m : ValoraAnoProduto(Dezembro(texto, aliquota), movimentos_)) {
            saldos_.clear_record();
            q.Produto = texto;
            q.Competencia = date::first_of_month(ano_, m.mes);
            q.Aliquota = aliquota;
            q.QuantProdutos = m.saldo.quantidade;
            q.ValorUnit = m.saldo.unitario;
            q.BaseAcunulada = m.saldo.base;
            q.CalcUsuFinal = m.colunas[kAnualUsuarioFinal];
            q.CalcFGNRealisado = m.colunas[kAnualFatoNaoRealizado];
            q.CalcIsenta = m.colunas[kAnualIsenta];
            q.CalcOutUF = m.colunas[kAnualOutroEstado];
            q.CalcSubsequente = m.colunas[kAnualSubsequente];
            q.ConfUsuFinal = m.colunas[kAnualConfUsuarioFinal];
            q.ConfDemHip = m.colunas[kAnualConfDemaisHipoteses];
            q.Situacao = 1;
            Checa(saldos_.add(), "Gravando os saldos");
        }
        ++progresso_.barra1;
        ++progresso_.contador;
        return avisos_.Progresso(progresso_);
    }

    AvisosCalculo& avisos_;
    const shell::EmpresaPeriodo periodo_;
    int ano_ = 0;
    FileManager saldos_, cfo_, produtos_;
    shell::OtherYearFile anterior_;
    bool temAnterior_ = false;
    FileManager ent_{dictionary::EntradaVorel()}, sai_{dictionary::SaidaVorel()}, mmr_{dictionary::MovMaqRegistradora()};
    fiscal::ColunasDoCfo colunas_{cfo_};
    std::vector<ProdutoDoAno> lista_;
    std::vector<std::pair<long long, std::size_t>> indice_;
    std::vector<MovimentoAnual> movimentos_;  // the product in hand's, valued; its room kept from product to product  // (code, place in lista_), ascending
    ProgressoCalculo progresso_;
};

}  // namespace

ResultadoAnual CalculoAnualProdutos(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos) {
    return Recalculo(periodo, avisos).Executa();
}

}  // namespace vorel::computation
