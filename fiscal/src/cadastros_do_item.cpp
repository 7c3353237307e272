// The registers kept up beside an invoice item (cadastros_do_item.h).
#include "vorel/fiscal/cadastros_do_item.h"

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/product_rate.h"
#include "vorel/shell/produto_aliquota.h"

namespace vorel::fiscal {

namespace keys = dictionary::keys;

bool VinculoExiste(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto) {
    auto& v = vinculos.rec<dictionary::ForCliQelRec>();
    vinculos.clear_record();
    v.CODFOR = fornecedor;
    v.CODPROD = produto;
    return vinculos.get(keys::FCC_KEY_FORPROD).ok();
}

data::Result VinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto) {
    if (fornecedor == 0 || VinculoExiste(vinculos, fornecedor, produto)) return data::kNoError;
    auto& v = vinculos.rec<dictionary::ForCliQelRec>();
    vinculos.clear_record();
    v.CODFOR = fornecedor;
    v.CODPROD = produto;
    return vinculos.add();
}

data::Result DesvinculaFornecedorProduto(data::FileManager& vinculos, std::uint32_t fornecedor, const Decimal& produto) {
    if (!VinculoExiste(vinculos, fornecedor, produto)) return data::kNoError;
    return vinculos.remove();
}

namespace {

// Looks for the batch by `chave` (with `tipo` in the buffer) and adds it when it is not there.
data::Result AdicionaLote(data::FileManager& lotes, data::KeyName chave, std::string_view lote, const Decimal& produto,
                          std::uint8_t tipo) {
    auto& l = lotes.rec<dictionary::LoteVorelRec>();
    const auto preenche = [&] {
        lotes.clear_record();
        l.LOTE = lote;
        l.CODPRODUTO = produto;
        l.TIPO = tipo;
    };
    preenche();
    const data::Result r = lotes.get(chave);
    if (r.ok()) return data::kNoError;
    if (r != data::kRecordNotFound) return r;
    preenche();
    return lotes.add();
}

}  // namespace

data::Result RegistraLote(data::FileManager& lotes, std::string_view lote, const Decimal& produto, std::uint8_t tipo) {
    return AdicionaLote(lotes, keys::LTC_KEY_LOTEPROD, lote, produto, tipo);
}

data::Result RegistraLoteDoTipo(data::FileManager& lotes, std::string_view lote, const Decimal& produto,
                                std::uint8_t tipo) {
    return AdicionaLote(lotes, keys::LTC_KEY_PRODLOTE, lote, produto, tipo);
}

bool HistoricoAliquotaMuda(const Decimal& vigente, date::Day alteracao, const Decimal& aliquota, date::Day data) {
    return vigente.rounded(3) != aliquota || data > alteracao;
}

data::Result AtualizaHistoricoAliquota(const Decimal& produto, date::Day data, const Decimal& aliquota) {
    if (produto.sign() <= 0 || aliquota.sign() <= 0) return data::kNoError;
    date::Day alteracao = data;
    const Decimal vigente = shell::AliquotaProdutoData(produto, alteracao, 1);
    if (!HistoricoAliquotaMuda(vigente, alteracao, aliquota, data)) return data::kNoError;
    return shell::AtualizaAliquotaProduto(produto, data, aliquota);
}

data::Result RegistraCadastrosDaEntrada(data::FileManager& vinculos, data::FileManager& lotes,
                                        const dictionary::EntradaVorelRec& item, std::uint32_t fornecedor) {
    if (data::Result r = VinculaFornecedorProduto(vinculos, fornecedor, item.CodMercadoria); !r.ok()) return r;
    if (data::Result r = RegistraLote(lotes, item.Lote.clipped(), item.CodMercadoria, kLoteAtual); !r.ok()) return r;
    return AtualizaHistoricoAliquota(item.CodMercadoria, item.DataEmissao, item.Aliquota);
}

}  // namespace vorel::fiscal
