// The entry-invoice import's mapping, checks and import phase.
#include "vorel/integration/importa_entradas.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration {

namespace {

using dictionary::EntradaVorelRec;
namespace keys = dictionary::keys;

constexpr int kCampos = 20;

std::string Prefixo(std::uint32_t numero) { return "Nota Fiscal de número " + TextoNumero(numero); }

}  // namespace

ImportacaoEntradas::ImportacaoEntradas()
    : ImportacaoTexto(kTipoEntradas, kCampos,
                      {dictionary::EntradaVorel0(),
                       {&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO()},
                       {&dictionary::EntradaVorel(), &dictionary::LoteVorel(), &dictionary::ForCliQel(),
                        &dictionary::ProdutosAliq(), &dictionary::ForCli(), &dictionary::Produtos(),
                        &dictionary::SaldosVorel()},
                       keys::ENT_KEY_NUMERO}) {}

void ImportacaoEntradas::NovaLeitura() {
    fornecedores_.Esvazia();
    produtos_.Esvazia();
    cfos_.clear();
}

ImportacaoTexto::DadosLinha ImportacaoEntradas::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& e = staging().rec<EntradaVorelRec>();
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    e.Numero = l.Inteiro<std::uint32_t>(kCampoNotaNumero);
    const std::string prefixo = Prefixo(e.Numero);

    // Supplier: taken only when registered, active and with a state.
    e.Cnpj = l.Texto(kCampoNotaParceiro);
    const std::string cnpj(e.Cnpj.clipped());
    if (ValorNumerico(cnpj) == Decimal(0)) {
        lista(prefixo + " Fornecedor deve ser informado.");
    } else {
        if (const BuscaParceiro::Parceiro* f = fornecedores_.Busca(cnpj, true)) {
            e.Estado = f->estado;
            e.CodigoForCli = f->codigo;
        } else {
            lista(prefixo + " Fornecedor não cadastrado.");
        }
    }
    e.Serie = l.Texto(kCampoNotaSerie);
    int dia = 0, mes = 0, ano = 0;
    e.DataEmissao = l.Data(kCampoNotaDia, kCampoNotaMes, kCampoNotaAno, dia, mes, ano);
    l.Valor(e.Quantidade, kCampoNotaQuantidade, 3);

    const std::string produto = l.Aparado(kCampoNotaProduto).substr(0, 20);
    e.CodMercadoria = ValorNumerico(produto);
    l.Valor(e.Aliquota, kCampoNotaAliquota, 3);
    if (std::optional<Decimal> codigo = produtos_.Busca(produto, e.Aliquota, o.utiliza))
        e.CodMercadoria = *codigo;
    else
        lista(prefixo + " Produto não cadastrado.");

    e.CFO = l.Inteiro<std::uint16_t>(kCampoNotaCfo);
    if (!fiscal::CfoDoPeriodo(e.CFO, o.ano))
        lista("Nota fiscal no dia " + TextoData(e.DataEmissao) +
              " o CFO selecionado não pode ser utilizado no período em questão!!!");
    e.CFOComplementar = l.Inteiro<std::uint8_t>(kCampoNotaCfoComplementar);
    l.Valor(e.BaseICMS, kCampoNotaBase, 2);
    l.Valor(e.ValorICMS, kCampoNotaValor, 2);
    const Decimal calculado = static_cast<const Decimal&>(e.BaseICMS) * e.Aliquota / Decimal(100);
    const Decimal& lido = e.ValorICMS;
    if (lido > Decimal(0) && calculado != lido && calculado.fits(15, 2)) e.ValorICMS = calculado;
    l.Valor(e.BaseICMSPropria, kCampoEntradaBasePropria, 2);
    e.Lote = l.Texto(kCampoEntradaLote);
    e.Complemento = l.Inteiro<std::int16_t>(kCampoEntradaComplemento);
    return {mes, e.Numero};
}

void ImportacaoEntradas::DepoisDeAdicionar(LinhaImportada& l) {
    const auto& e = staging().rec<EntradaVorelRec>();
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    const std::string prefixo = Prefixo(e.Numero);
    if (e.Numero == 0) lista("Nota fiscal no dia " + TextoData(e.DataEmissao) + " sem número de nota.");
    if (e.DataEmissao == 0) lista(prefixo + " sem Data de Emissão.");
    if (static_cast<const Decimal&>(e.CodMercadoria) == Decimal(0)) lista(prefixo + " deve ser informado código do produto.");
    if (e.CFO == 0)
        lista(prefixo + " sem Código Fiscal de Operação (CFO).");
    else if (!CfoCadastrado(e.CFO, cfos_))
        lista(prefixo + " Código Fiscal de Operação (CFO) não cadastrado.");
}

data::Result ImportacaoEntradas::ImportaRegistro(int mesImpor) {
    data::FileManager& ent = data::dictionary::file(dictionary::EntradaVorel());
    auto& e = ent.rec<EntradaVorelRec>();
    e = staging().rec<EntradaVorelRec>();
    e.MesImpor = static_cast<std::uint8_t>(mesImpor);
    if (data::Result r = ent.add(); !r.ok()) return r;
    MarcaSaldo(e.CodMercadoria, e.Aliquota);

    // The supplier-product link (the active supplier of the CNPJ, else of a CPF in its first 11
    // characters), the product's batch and the rate history, as every entry's write keeps them.
    const std::uint32_t fornecedor =
        fiscal::CodigoDoDocumento(data::dictionary::file(dictionary::ForCli()), e.Cnpj.value());
    return fiscal::RegistraCadastrosDaEntrada(data::dictionary::file(dictionary::ForCliQel()),
                                              data::dictionary::file(dictionary::LoteVorel()), e, fornecedor);
}

}  // namespace vorel::integration
