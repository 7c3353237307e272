// The annual recalculation: the valuation of one product's year, and the run over the tables that
// gathers the year's movements, deletes the year's records of each product at its current rate and
// writes the new ones, in one transaction.
//
// Tables: Produtos, EntradaVorel, SaidaVorel, MovMaqRegistradora, CFO, SaldosVorel (the working
// year's file, and the previous year's through a cursor of its own). Each movement file is walked
// once along its (product, date) key, in step with the products; the run holds one product's
// movements at a time.

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

// A gathered movement of the year: the product's rows in date order; same-day rows keep the order
// in which they were read (entries, exits, cash-register items). The quantity and the base are
// kept as the fields store them (3 and 2 places), so the year's rows take 32 bytes each.
struct LinhaAnual {
    date::Day data = 0;
    int cfo = 0;
    int complemento = 0;
    bool caixa = false;
    long long quantidade = 0;  // thousandths
    long long base = 0;        // cents
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
            data::Transaction t({&saldos_}, 1);
            Checa(t.status(), "Iniciando a gravação dos saldos");
            auto& p = produtos_.rec<dictionary::ProdutosRec>();
            produtos_.clear_record();
            Checa(produtos_.set(keys::PRO_KEY_CODIGO), "Lendo os produtos");
            while (produtos_.next().ok()) {
                if (!Produto(p.Codigo.value(), p.Alicota.value())) {
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
        // Of the wide movement records, only what the year's walk takes.
        Checa(data::Cursor::read_only(ent_, {"CodMercadoria", "DataEmissao", "CFO", "Complemento", "Quantidade", "BaseICMS"}),
              "Abrindo as entradas");
        Checa(data::Cursor::read_only(sai_, {"CodMercadoria", "DataSaida", "CFO", "Complemento", "Quantidade", "BaseCalculo"}),
              "Abrindo as saídas");
        Checa(data::Cursor::read_only(mmr_, {"CodMercadoria", "DataEmissao", "Aliquota", "Quantidade", "BaseCalculo"}),
              "Abrindo os itens das máquinas registradoras");
    }

    // One movement file walked once along its (product, date) key, in step with the products
    // (valued in the order of their codes): a walk per product started the key's search anew for
    // each, in small batches. `le` turns the record read into a row (none: a record not counted)
    // and says its product's code.
    class Passeio {
    public:
        using Leitura = std::function<std::optional<LinhaAnual>(long long& codigo)>;
        Passeio(FileManager& fm, data::KeyName chave, const char* oque, Leitura le)
            : fm_(fm), chave_(chave), oque_(oque), le_(std::move(le)) {}
        // The product's rows, in the key's order, after those of lower codes (not in the register).
        void Toma(long long codigo, std::vector<LinhaAnual>& v) {
            if (!comecou_) {
                comecou_ = true;
                fm_.clear_record();
                Checa(fm_.set(chave_), oque_);
                Avanca();
            }
            while (!fim_ && atual_ < codigo) Avanca();
            for (; !fim_ && atual_ == codigo; Avanca())
                if (linha_) v.push_back(*linha_);
        }

    private:
        void Avanca() {
            fim_ = !fm_.next().ok();
            if (!fim_) linha_ = le_(atual_);
        }
        FileManager& fm_;
        data::KeyName chave_;
        const char* oque_;
        Leitura le_;
        bool comecou_ = false, fim_ = false;
        long long atual_ = 0;
        std::optional<LinhaAnual> linha_;
    };

    // The product's movements of the year in date order: its entries, exits and "F" cash-register
    // items, each file read along its (product, date) key; same-day rows keep that order (entries,
    // exits, cash-register items).
    std::vector<LinhaAnual> Movimentos(const Decimal& codigo) {
        std::vector<LinhaAnual> v;
        for (Passeio* p : {&entradas_, &saidas_, &caixa_}) p->Toma(codigo.scaled(0), v);
        std::stable_sort(v.begin(), v.end(), [](const LinhaAnual& a, const LinhaAnual& b) { return a.data < b.data; });
        return v;
    }

    // The print column of a CFOP (blank state); 0 when the register lacks it.
    int Coluna(int cfo, int complemento) { return colunas_.Coluna(cfo, complemento).value_or(0); }

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

    bool Produto(const Decimal& codigo, const Decimal& aliquota) {
        const std::string texto = detail::CodigoTexto(codigo);
        auto& q = saldos_.rec<dictionary::SaldosVorelRec>();
        // The year's month records at the rate, January to December, in one deletion.
        saldos_.clear_record();
        q.Produto = texto;
        q.Aliquota = aliquota;
        q.Competencia = date::first_of_month(ano_, 12);
        const dictionary::SaldosVorelRec dezembro = q;
        q.Competencia = date::first_of_month(ano_, 1);
        Checa(saldos_.remove_range(keys::SQEL_PRODUTOALIQDATA, &dezembro), "Apagando os saldos");
        std::vector<MovimentoAnual> movimentos;
        for (const LinhaAnual& l : Movimentos(codigo)) {
            const int coluna = l.caixa ? 2 : Coluna(l.cfo, l.complemento);
            movimentos.push_back(
                {date::month(l.data), coluna, Decimal::from_scaled(l.quantidade, 3), Decimal::from_scaled(l.base, 2)});
        }
        for (const MesAnual& m : ValoraAnoProduto(Dezembro(texto, aliquota), movimentos)) {
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
    Passeio entradas_{ent_, keys::ENT_KEY_PRODUTODATA, "Lendo as entradas", [this](long long& codigo) {
                          auto& e = ent_.rec<dictionary::EntradaVorelRec>();
                          codigo = e.CodMercadoria.scaled();
                          return std::optional<LinhaAnual>(
                              {.data = e.DataEmissao, .cfo = e.CFO, .complemento = e.Complemento,
                               .quantidade = e.Quantidade.scaled(), .base = e.BaseICMS.scaled()});
                      }};
    Passeio saidas_{sai_, keys::SAI_KEY_PRODUTODATA, "Lendo as saídas", [this](long long& codigo) {
                        auto& s = sai_.rec<dictionary::SaidaVorelRec>();
                        codigo = s.CodMercadoria.scaled();
                        return std::optional<LinhaAnual>(
                            {.data = s.DataSaida, .cfo = s.CFO, .complemento = s.Complemento,
                             .quantidade = s.Quantidade.scaled(), .base = s.BaseCalculo.scaled()});
                    }};
    Passeio caixa_{mmr_, keys::MMR_KEY_PRODUTODATA, "Lendo os itens das máquinas registradoras",
                   [this](long long& codigo) -> std::optional<LinhaAnual> {
                       auto& m = mmr_.rec<dictionary::MovMaqRegistradoraRec>();
                       codigo = m.CodMercadoria.scaled();
                       if (m.Aliquota.clipped() != "F") return std::nullopt;
                       return LinhaAnual{.data = detail::NumeroDoTexto(m.DataEmissao.value()), .caixa = true,
                                         .quantidade = m.Quantidade.scaled(), .base = m.BaseCalculo.scaled()};
                   }};
    fiscal::ColunasDoCfo colunas_{cfo_};
    ProgressoCalculo progresso_;
};

}  // namespace

ResultadoAnual CalculoAnualProdutos(const shell::EmpresaPeriodo& periodo, AvisosCalculo& avisos) {
    return Recalculo(periodo, avisos).Executa();
}

}  // namespace vorel::computation
