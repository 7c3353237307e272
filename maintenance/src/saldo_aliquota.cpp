// The balances of a year and rate deleted (vorel/maintenance/saldo_aliquota.h).
#include "vorel/maintenance/saldo_aliquota.h"

#include "passos_reparo.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::maintenance {

namespace keys = dictionary::keys;
using namespace detail;

namespace {

Decimal ComoNumero(std::string_view texto) { return Decimal::from_string(std::string(texto)); }

// The balances of the rate: every row, or the product's rows.
void ExcluiSaldos(data::FileManager& saldos, const OpcoesSaldoAliquota& o, const ProgressoReparo& progresso,
                  ResultadoReparo& r) {
    auto& s = saldos.rec<dictionary::SaldosVorelRec>();
    const long long total = saldos.records();
    saldos.clear_record();
    if (o.todos) {
        Checa(saldos.set(keys::SQEL_KEY_DATA), "Lendo os saldos");
    } else {
        s.Produto = o.produto.to_fixed(0);
        Checa(saldos.set_at(saldos.key_number(keys::SQEL_KEY_PRODDATAALIQUOTA), 1), "Lendo os saldos");
    }
    while (Proximo(saldos, "Lendo os saldos")) {
        if (!o.todos && ComoNumero(s.Produto.clipped()) != o.produto) break;
        Avanca(progresso, ++r.lidos, total);
        if (s.Aliquota.value() != o.aliquota) continue;
        Checa(saldos.remove(), "Excluindo um saldo");
        ++r.alterados;
    }
}

// The history rows at 18 of the products walked reopened, those at 17 deleted.
void ReescreveHistorico(data::FileManager& produtos, data::FileManager& historico, const OpcoesSaldoAliquota& o,
                        const ProgressoReparo& progresso) {
    auto& p = produtos.rec<dictionary::ProdutosRec>();
    auto& h = historico.rec<dictionary::ProdutosAliqRec>();
    const long long total = produtos.records();
    long long lidos = 0;
    produtos.clear_record();
    p.Codigo = o.produto;
    Checa(o.todos ? produtos.set(keys::PRO_KEY_CODIGO) : produtos.set_at(keys::PRO_KEY_CODIGO), "Lendo os produtos");
    while (Proximo(produtos, "Lendo os produtos")) {
        const Decimal codigo = p.Codigo.value();
        if (!o.todos && codigo != o.produto) break;
        Avanca(progresso, ++lidos, total);
        historico.clear_record();
        h.CODIGO_PRODUTO = codigo;
        Checa(historico.set_at(historico.key_number(keys::PALIQ_KEY_CODIGOPRODUTO), 1), "Lendo o histórico de alíquotas");
        while (Proximo(historico, "Lendo o histórico de alíquotas") && h.CODIGO_PRODUTO.value() == codigo) {
            if (h.ALIQUOTA.value() == Decimal(kAliquotaReaberta)) {
                h.DATA_FINAL = 0;
                h.DATA_ALTERACAO = 0;
                Checa(historico.put(), "Gravando o histórico de alíquotas");
            } else if (h.ALIQUOTA.value() == Decimal(kAliquotaExcluida)) {
                Checa(historico.remove(), "Excluindo do histórico de alíquotas");
            }
        }
    }
}

}  // namespace

ResultadoReparo ExcluiSaldosPorAliquota(const OpcoesSaldoAliquota& o, const ProgressoReparo& progresso) {
    if (!o.todos && o.produto.is_zero()) return {};  // no product chosen
    return Roda(
        [&](ResultadoReparo& r) {
            shell::OtherYearFile saldos(dictionary::SaldosVorel(), o.empresa, o.ano);
            const data::Result aberto = saldos.open();
            if (aberto == data::kFileNotFound)
                throw Falhou{"Não existe o arquivo de saldos de " + std::to_string(o.ano) + " (" + saldos.path() + ")"};
            Checa(aberto, "Abrindo os saldos do ano");
            const shell::EmpresaPeriodo empresa{.empresa = o.empresa, .ano = o.ano, .mes = 1};
            std::optional<TabelaDoReparo> produtos, historico;
            std::vector<data::FileManager*> tabelas{&saldos.file()};
            if (o.historico) {
                produtos.emplace(dictionary::Produtos(), empresa, "Abrindo os produtos");
                historico.emplace(dictionary::ProdutosAliq(), empresa, "Abrindo o histórico de alíquotas");
                tabelas.push_back(&historico->fm);
            }
            data::Transaction t(tabelas, 1);
            Checa(t.status(), "Iniciando a transação");
            ExcluiSaldos(saldos.file(), o, progresso, r);
            if (o.historico) ReescreveHistorico(produtos->fm, historico->fm, o, progresso);
            Checa(t.commit(), "Confirmando a exclusão");
        },
        Desfeito);
}

}  // namespace vorel::maintenance
