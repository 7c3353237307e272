// The month's entries of the entry listings (entradas_do_mes.h).
#include "entradas_do_mes.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::listings::itens {

namespace {

std::int32_t& DataEmissao(data::FileManager& fm) { return fm.rec<dictionary::EntradaVorelRec>().DataEmissao; }

}  // namespace

EntradasDoMes::EntradasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida fornecedor)
    : ItensListados(periodo, std::move(fornecedor), dictionary::EntradaVorel(), "EntradaVorel",
                    dictionary::keys::ENT_KEY_NUMERO, DataEmissao) {}

void EntradasDoMes::Seleciona(data::FileManager& tabela) {
    (void)data::Cursor::read_only(tabela, {"DataEmissao", "Numero", "Serie", "Cnpj", "CodigoForCli", "CodMercadoria", "CFO",
                                           "CFOComplementar", "Quantidade", "BaseICMS", "ValorICMS", "BaseICMSPropria"});
}

void EntradasDoMes::Calcula() {
    aliquota_ = AliquotaPropria(entrada().CFO, produto().aliquota);
    icms_ = IcmsProprio(entrada().BaseICMSPropria.value(), aliquota_);
}

std::string EntradasDoMes::ColunaCnpj(bool mascara) {
    if (parte().codigo) return TextoCodigo(*parte().codigo);
    const std::string_view cnpj = entrada().Cnpj.value();
    static const picture::Picture cnpjMascara("@p##.###.###/####-##p");
    // A blank field (an entry named by its register code alone) stays blank, not a CNPJ of zeros.
    return mascara && !text::clip(cnpj).empty() ? picture::format(cnpjMascara, cnpj) : std::string(cnpj);
}

}  // namespace vorel::listings::itens
