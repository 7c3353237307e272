// The rebuild of products' rate history (vorel/maintenance/ajuste_aliquota_produtos.h).
#include "vorel/maintenance/ajuste_aliquota_produtos.h"

#include <functional>

#include "lote_passos.h"
#include "vorel/core/date.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/produto_aliquota.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using lote::Checa;

class Reconstrucao {
public:
    Reconstrucao(std::uint32_t empresa, const std::vector<ProdutoDoAjuste>& selecao, const ProgressoReparo& progresso,
                 ResultadoReparo& r)
        : empresa_(empresa), selecao_(selecao), progresso_(progresso), r_(r), aliq_(dictionary::ProdutosAliq()) {
        Checa(aliq_.fm.open(), "Abrindo o histórico de alíquotas");
    }

    // Each product in its own transaction: `refaz` adds the rows after the deletion, which tells
    // whether the product had any.
    void Cada(const std::function<void(const ProdutoDoAjuste&, bool tinha)>& refaz) {
        for (const ProdutoDoAjuste& p : selecao_) {
            data::Transaction t({&aliq_.fm}, 1);
            Checa(t.status(), "Iniciando a transação do produto " + p.codigo.to_fixed(0));
            const bool tinha = ApagaHistorico(p.codigo);
            refaz(p, tinha);
            Checa(t.commit(), "Confirmando o produto " + p.codigo.to_fixed(0));
            ++r_.alterados;
        }
    }

    // The product's entries of year `ano` from `inicio` on: each change of rate (above 0) recorded.
    void DasEntradas(const Decimal& produto, int ano, date::Day inicio, Decimal& ultima) {
        shell::OtherYearFile entradas(dictionary::EntradaVorel(), empresa_, ano);
        const data::Result aberta = entradas.open();
        if (aberta == data::kFileNotFound) return;
        const std::string oque = "Lendo as entradas de " + std::to_string(ano);
        Checa(aberta, oque);
        auto& e = entradas.rec<dictionary::EntradaVorelRec>();
        entradas.file().clear_record();
        e.CodMercadoria = produto;
        e.DataEmissao = inicio;
        Checa(entradas.file().set_at(keys::ENT_KEY_PRODUTODATA), oque);
        for (;;) {
            const data::Result lido = entradas.file().next();
            if (lido == data::kRecordNotAvailable) break;
            Checa(lido, oque);
            if (e.CodMercadoria.value() != produto) break;
            Conta();
            const Decimal aliquota = e.Aliquota.value();
            if (e.CodMercadoria.value() <= Decimal(0) || aliquota <= Decimal(0) || aliquota == ultima) continue;
            Registra(produto, e.DataEmissao, aliquota);
            ultima = aliquota;
        }
    }

    void Registra(const Decimal& produto, date::Day data, const Decimal& aliquota) {
        Checa(shell::AtualizaAliquotaProduto(produto, data, aliquota),
              "Gravando o histórico de alíquotas do produto " + produto.to_fixed(0));
    }

private:
    void Conta() { lote::Avanca(progresso_, ++r_.lidos, static_cast<long long>(selecao_.size())); }

    bool ApagaHistorico(const Decimal& produto) {
        data::FileManager& aliq = aliq_.fm;
        auto& a = aliq.rec<dictionary::ProdutosAliqRec>();
        std::vector<data::Position> linhas;
        aliq.clear_record();
        a.CODIGO_PRODUTO = produto;
        Checa(aliq.set_at(aliq.key_number(keys::PALIQ_KEY_PRODUTOALIQ), 1), "Lendo o histórico de alíquotas");
        for (;;) {
            const data::Result lido = aliq.next();
            if (lido == data::kRecordNotAvailable) break;
            Checa(lido, "Lendo o histórico de alíquotas");
            if (a.CODIGO_PRODUTO.value() != produto) break;
            linhas.push_back(aliq.position());
        }
        for (data::Position p : linhas) {
            Checa(aliq.reget(p), "Lendo o histórico de alíquotas");
            Checa(aliq.remove(), "Excluindo o histórico de alíquotas");
            Conta();
        }
        return !linhas.empty();
    }

    std::uint32_t empresa_;
    const std::vector<ProdutoDoAjuste>& selecao_;
    const ProgressoReparo& progresso_;
    ResultadoReparo& r_;
    lote::Aberta aliq_;
};

}  // namespace

ResultadoReparo AjustaAliquotasPelasEntradas(std::uint32_t empresa, const std::vector<ProdutoDoAjuste>& selecao,
                                             int anoInicial, int anoFinal, const ProgressoReparo& progresso) {
    if (anoInicial > anoFinal) {
        ResultadoReparo r;
        r.erro = "O Ano Inicial (" + std::to_string(anoInicial) + ") é posterior ao Ano Final (" +
                 std::to_string(anoFinal) + "); nenhum histórico foi alterado.";
        return r;
    }
    return lote::PorProduto([&](ResultadoReparo& r) {
        Reconstrucao run(empresa, selecao, progresso, r);
        run.Cada([&](const ProdutoDoAjuste& p, bool) {
            Decimal ultima(0);
            for (int ano = anoInicial; ano <= anoFinal; ++ano) run.DasEntradas(p.codigo, ano, 0, ultima);
        });
    });
}

ResultadoReparo AjustaAliquotasPelaRegra(std::uint32_t empresa, const std::vector<ProdutoDoAjuste>& selecao,
                                         const ProgressoReparo& progresso) {
    return lote::PorProduto([&](ResultadoReparo& r) {
        Reconstrucao run(empresa, selecao, progresso, r);
        const Decimal dezoito(18);
        run.Cada([&](const ProdutoDoAjuste& p, bool tinha) {
            if (!tinha) return;
            run.Registra(p.codigo, date::make(2008, 4, 1), p.aliquota);
            if (p.aliquota != dezoito) run.Registra(p.codigo, date::make(2010, 12, 1), dezoito);
            Decimal ultima = dezoito;
            run.DasEntradas(p.codigo, 2014, date::make(2014, 4, 1), ultima);
        });
    });
}

}  // namespace vorel::maintenance
