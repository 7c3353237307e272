// The opening-balances import's mapping, checks and import phase.
#include "vorel/integration/importa_saldo_anterior.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;
using dictionary::EntradaVorelRec;

constexpr int kCampos = 20;
// The balances carry no invoice number: the texts name number 0.
const std::string kPrefixo = "Nota Fiscal de número 0";

}  // namespace

ImportacaoSaldoAnterior::ImportacaoSaldoAnterior()
    : ImportacaoTexto(kTipoSaldoAnterior, kCampos,
                      {dictionary::EntradaVorel0(),
                       {&dictionary::Produtos()},
                       {&dictionary::EntradaVorel(), &dictionary::ForCliQel(), &dictionary::LoteVorel(),
                        &dictionary::ForCli()},
                       keys::ENT_KEY_NUMERO}) {}

ImportacaoTexto::DadosLinha ImportacaoSaldoAnterior::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& e = staging().rec<EntradaVorelRec>();
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    int dia = 0, mes = 0, ano = 0;
    e.DataEmissao = l.Data(1, 2, 3, dia, mes, ano);
    l.Valor(e.Quantidade, 4, 3);
    l.Valor(e.BaseICMS, 5, 2);
    l.Valor(e.BaseICMSPropria, 6, 2);
    e.CFO = l.Inteiro<std::uint16_t>(7);
    e.Complemento = l.Inteiro<std::int16_t>(8);
    e.Lote = l.Texto(10);

    // Product by its text with the rate read; a rate of 0 takes the product's.
    std::string texto = l.Texto(9);
    texto.resize(20, ' ');
    const Decimal valor = ValorNumerico(texto);
    e.CodMercadoria = valor;
    l.Valor(e.Aliquota, 12, 3);
    const auto chave = std::make_pair(texto, static_cast<Decimal>(e.Aliquota));
    auto it = produtos_.find(chave);
    if (it == produtos_.end()) {
        if (LeProdutoDaLinha(texto, valor, o.utiliza)) {
            const auto& p = data::dictionary::file(dictionary::Produtos()).rec<dictionary::ProdutosRec>();
            const Decimal lida = chave.second;
            const Decimal aliquota = lida == Decimal(0) ? static_cast<Decimal>(p.Alicota) : lida;
            it = produtos_.emplace(chave, std::make_pair(static_cast<Decimal>(p.Codigo), aliquota)).first;
        }
    }
    if (it != produtos_.end()) {
        e.CodMercadoria = it->second.first;
        e.Aliquota = it->second.second;
    } else {
        lista(kPrefixo + " Produto não cadastrado.");
    }

    e.Cnpj = l.Texto(11);
    if (ValorNumerico(std::string(e.Cnpj.clipped())) == Decimal(0)) lista(kPrefixo + " Fornecedor deve ser informado.");
    DadosLinha d{o.mes, 0};
    if (ano != o.ano) {
        lista("O ano do saldo anterior é diferente do ano selecionado produto: " + e.CodMercadoria.value().to_fixed(0));
        d.recusa = true;
    }
    return d;
}

data::Result ImportacaoSaldoAnterior::ImportaRegistro(int mesImpor) {
    data::FileManager& ent = data::dictionary::file(dictionary::EntradaVorel());
    auto& e = ent.rec<EntradaVorelRec>();
    e = staging().rec<EntradaVorelRec>();
    e.Complemento = 1;
    e.MesImpor = static_cast<std::uint8_t>(mesImpor);
    e.Saldo_Inicial = 1;
    if (data::Result r = ent.add(); !r.ok()) return r;
    const std::uint32_t fornecedor =
        fiscal::CodigoDoDocumento(data::dictionary::file(dictionary::ForCli()), e.Cnpj.value());
    if (data::Result r = fiscal::VinculaFornecedorProduto(data::dictionary::file(dictionary::ForCliQel()), fornecedor,
                                                          e.CodMercadoria);
        !r.ok())
        return r;
    return fiscal::RegistraLote(data::dictionary::file(dictionary::LoteVorel()), e.Lote.clipped(), e.CodMercadoria,
                                fiscal::kLoteAnterior);
}

}  // namespace vorel::integration
