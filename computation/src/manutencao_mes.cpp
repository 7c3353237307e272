// The month clean-ups and the recalculation of entry items (vorel/computation/manutencao_mes.h).
#include "vorel/computation/manutencao_mes.h"

#include <algorithm>
#include <tuple>

#include "vorel/computation/regras_colunas.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/cfop.h"

namespace vorel::computation {
namespace {

namespace keys = dictionary::keys;
using dictionary::SaidaVorelRec;
using dictionary::SaldosVorelRec;

// A failed step, named for the user.
struct Falhou {
    std::string oque;
};
void Checa(data::Result r, const char* oque) {
    if (!r.ok()) throw Falhou{oque};
}

// Closes what it opened when the step ends, however it ends.
struct Aberta {
    data::FileManager fm;
    explicit Aberta(const data::TableDesc& t, const char* oque) : fm(t) { Checa(fm.open(), oque); }
    ~Aberta() { (void)fm.close(); }
};

struct Cancelou {};

// The month records of `mes`'s month (positions), read through SQEL:KEY:DATA from its first day to
// its last.
std::vector<data::Position> RegistrosDoMes(data::FileManager& saldos, date::Day mes) {
    std::vector<data::Position> out;
    auto& s = saldos.rec<SaldosVorelRec>();
    saldos.clear_record();
    s.Competencia = date::first_of_month(mes);
    Checa(saldos.set_at(keys::SQEL_KEY_DATA), "Lendo os saldos do mês");
    const date::Day ultimo = date::last_of_month(mes);
    while (saldos.next().ok() && s.Competencia <= ultimo) out.push_back(saldos.position());
    return out;
}

// Whether an exit lowers the stock (a stock-raising return never does).
bool BaixaEstoque(const SaidaVorelRec& s) {
    return s.Quantidade.value() > Decimal(0) && !fiscal::RetornaAoEstoque(s.CFO);
}

}  // namespace

ResultadoLimpeza ExcluiAliquotasZeradas(date::Day mes, const ProgressoManutencao& progresso) {
    ResultadoLimpeza r;
    try {
        Aberta saldos(dictionary::SaldosVorel(), "Abrindo os saldos");
        data::Transaction t({&saldos.fm}, 1);
        Checa(t.status(), "Iniciando a transação");
        const long long total = saldos.fm.records();
        long long feitos = 0;
        for (auto p : RegistrosDoMes(saldos.fm, mes)) {
            if (progresso && !progresso(++feitos, total)) throw Cancelou{};
            Checa(saldos.fm.reget(p), "Lendo um saldo do mês");
            if (saldos.fm.rec<SaldosVorelRec>().Aliquota.value() != Decimal(0)) continue;
            Checa(saldos.fm.remove(), "Excluindo um saldo de alíquota zero");
            ++r.saldosExcluidos;
        }
        Checa(t.commit(), "Confirmando a exclusão");
    } catch (const Falhou& f) {
        r = {};
        r.erro = f.oque;
    } catch (const Cancelou&) {
        r = {};
        r.cancelado = true;
    }
    return r;
}

ResultadoLimpeza ExcluiSaldoNegativo(date::Day mes, const ProgressoManutencao& progresso) {
    ResultadoLimpeza r;
    try {
        Aberta saldos(dictionary::SaldosVorel(), "Abrindo os saldos");
        Aberta saidas(dictionary::SaidaVorel(), "Abrindo as saídas");
        data::Transaction t({&saldos.fm, &saidas.fm}, 1);
        Checa(t.status(), "Iniciando a transação");
        const long long total = saldos.fm.records();
        long long feitos = 0;
        auto& s = saldos.fm.rec<SaldosVorelRec>();
        auto& sai = saidas.fm.rec<SaidaVorelRec>();
        for (auto p : RegistrosDoMes(saldos.fm, mes)) {
            if (progresso && !progresso(++feitos, total)) throw Cancelou{};
            Checa(saldos.fm.reget(p), "Lendo um saldo do mês");
            if (s.QuantProdutos.value() >= Decimal(0)) continue;
            Decimal deficit = s.QuantProdutos.value();
            const Decimal produto = Decimal::from_string(std::string(s.Produto.clipped()));
            const date::Day ultimo = date::last_of_month(s.Competencia);
            // The product's exits of the month, from its last day backwards.
            std::vector<data::Position> apagar;
            saidas.fm.clear_record();
            sai.CodMercadoria = produto;
            sai.DataSaida = ultimo;
            Checa(saidas.fm.set_at(keys::SAI_KEY_PRODUTODATA), "Lendo as saídas do produto");
            while (deficit < Decimal(0) && saidas.fm.previous().ok()) {
                if (sai.CodMercadoria.value() != produto || sai.DataSaida < date::first_of_month(ultimo)) break;
                if (!BaixaEstoque(sai)) continue;
                deficit += sai.Quantidade.value();
                apagar.push_back(saidas.fm.position());
            }
            for (auto q : apagar) {
                Checa(saidas.fm.reget(q), "Lendo uma saída");
                Checa(saidas.fm.remove(), "Excluindo uma saída");
                ++r.saidasExcluidas;
            }
            Checa(saldos.fm.reget(p), "Lendo um saldo do mês");
            Checa(saldos.fm.remove(), "Excluindo um saldo negativo");
            ++r.saldosExcluidos;
        }
        Checa(t.commit(), "Confirmando a exclusão");
    } catch (const Falhou& f) {
        r = {};
        r.erro = f.oque;
    } catch (const Cancelou&) {
        r = {};
        r.cancelado = true;
    }
    return r;
}

namespace {

// The latest unit value of `produto` on or before `data`; 0 when none is in force.
Decimal ValorEmVigor(data::FileManager& valores, const Decimal& produto, date::Day data) {
    auto& v = valores.rec<dictionary::TabValorIndProdutoRec>();
    valores.clear_record();
    v.CODPRODUTO = produto;
    v.COMPETENCIA = data;
    if (!valores.set_at(keys::TVP_KEY_COMPPRODUTO).ok() || !valores.previous().ok()) return Decimal(0);
    if (v.CODPRODUTO.value() != produto || v.COMPETENCIA > data) return Decimal(0);
    return v.VALOR.value();
}

Decimal AliquotaDoProduto(data::FileManager& produtos, const Decimal& produto) {
    auto& p = produtos.rec<dictionary::ProdutosRec>();
    produtos.clear_record();
    p.Codigo = produto;
    return produtos.get(keys::PRO_KEY_CODIGO).ok() ? p.Alicota.value() : Decimal(0);
}

}  // namespace

ResultadoRecalculo RecalculaEntradas(const OpcoesRecalculo& o, const ProgressoManutencao& progresso) {
    ResultadoRecalculo r;
    try {
        Aberta entradas(dictionary::EntradaVorel(), "Abrindo as entradas");
        Aberta valores(dictionary::TabValorIndProduto(), "Abrindo a tabela de valores");
        Aberta produtos(dictionary::Produtos(), "Abrindo os produtos");
        auto& e = entradas.fm.rec<dictionary::EntradaVorelRec>();

        // The period's items, in the reading order of the choice.
        std::vector<data::Position> itens;
        entradas.fm.clear_record();
        e.DataEmissao = o.inicio;
        if (!o.todos) e.CodMercadoria = o.produto;
        Checa(entradas.fm.set_at(o.todos ? keys::ENT_KEY_DATA : keys::ENT_KEY_PRODUTODATA), "Lendo as entradas");
        while (entradas.fm.next().ok()) {
            if (!o.todos && e.CodMercadoria.value() != o.produto) break;
            if (e.DataEmissao > o.fim) break;
            itens.push_back(entradas.fm.position());
        }

        data::Transaction t({&entradas.fm}, 1);
        Checa(t.status(), "Iniciando a transação");
        long long feitos = 0;
        for (auto p : itens) {
            Checa(entradas.fm.reget(p), "Lendo uma entrada");
            const Decimal valor = ValorEmVigor(valores.fm, e.CodMercadoria.value(), e.DataEmissao);
            if (valor != Decimal(0)) {
                e.BaseICMS = valor * e.Quantidade.value();
                e.ValorICMS = e.BaseICMS.value() * AliquotaDoProduto(produtos.fm, e.CodMercadoria.value()) / Decimal(100);
            }
            Checa(entradas.fm.put(), "Gravando uma entrada");
            r.linhas.push_back({e.DataEmissao, std::string(e.Serie.clipped()), e.Numero, e.CodMercadoria.value(),
                                e.Quantidade.value(), e.BaseICMS.value()});
            if (progresso && !progresso(++feitos, static_cast<long long>(itens.size()))) throw Cancelou{};
        }
        Checa(t.commit(), "Confirmando o recálculo");
    } catch (const Falhou& f) {
        r = {};
        r.erro = f.oque;
    } catch (const Cancelou&) {
        r = {};
        r.cancelado = true;
    }
    std::stable_sort(r.linhas.begin(), r.linhas.end(), [](const LinhaRecalculo& a, const LinhaRecalculo& b) {
        return std::tie(a.data, a.serie, a.numero, a.produto) < std::tie(b.data, b.serie, b.numero, b.produto);
    });
    return r;
}

}  // namespace vorel::computation
