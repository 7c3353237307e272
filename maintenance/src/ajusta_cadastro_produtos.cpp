// The batch change of the product register (vorel/maintenance/ajusta_cadastro_produtos.h).
#include "vorel/maintenance/ajusta_cadastro_produtos.h"

#include <vector>

#include "lote_passos.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/produto_aliquota.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using dictionary::ProdutosRec;
using lote::Checa;

// Every product's code, in code order.
std::vector<Decimal> Codigos(data::FileManager& produtos) {
    std::vector<Decimal> out;
    auto& p = produtos.rec<ProdutosRec>();
    produtos.clear_record();
    Checa(produtos.set(keys::PRO_KEY_CODIGO), "Lendo os produtos");
    for (;;) {
        const data::Result r = produtos.next();
        if (r == data::kRecordNotAvailable) break;
        Checa(r, "Lendo os produtos");
        out.push_back(p.Codigo);
    }
    return out;
}

}  // namespace

ResultadoReparo AjustaCadastroProdutos(const AjusteCadastro& a, const ProgressoReparo& progresso) {
    return lote::PorProduto([&](ResultadoReparo& r) {
        lote::Aberta produtos(dictionary::Produtos());
        Checa(produtos.fm.open(), "Abrindo os produtos");
        lote::Aberta aliq(dictionary::ProdutosAliq());
        if (a.aliquota) Checa(aliq.fm.open(), "Abrindo o histórico de alíquotas");
        auto& p = produtos.fm.rec<ProdutosRec>();
        const std::vector<Decimal> codigos = Codigos(produtos.fm);
        const long long total = static_cast<long long>(codigos.size());
        for (const Decimal& codigo : codigos) {
            const std::string qual = "produto " + codigo.to_fixed(0);
            std::vector<data::FileManager*> tabelas{&produtos.fm};
            if (a.aliquota) tabelas.push_back(&aliq.fm);
            data::Transaction t(tabelas, 1);
            Checa(t.status(), "Iniciando a transação do " + qual);
            produtos.fm.clear_record();
            p.Codigo = codigo;
            Checa(produtos.fm.get(keys::PRO_KEY_CODIGO), "Lendo o " + qual);
            if (a.apelido) p.Apelido = codigo.to_fixed(0);
            if (a.dataInicial) p.DataInicio = a.dataInicialProduto;
            if (a.dataFinal) p.DataFinal = a.dataFinalProduto;
            if (a.aliquota) {
                bool comAberta = false;
                Checa(shell::MudaAliquotaDesde(aliq.fm, codigo, a.dataAliquota, a.novaAliquota, a.hoje, comAberta),
                      "Gravando o histórico de alíquotas do " + qual);
                if (comAberta) p.Alicota = a.novaAliquota;
            }
            Checa(produtos.fm.put(), "Gravando o " + qual);
            lote::Avanca(progresso, r.lidos + 1, total);
            Checa(t.commit(), "Confirmando o " + qual);
            ++r.lidos;
            ++r.alterados;
        }
    });
}

}  // namespace vorel::maintenance
