// The month's entries of the entry listings (entradas_do_mes.h).
#include "entradas_do_mes.h"

#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::listings::itens {

namespace {

std::int32_t& DataEmissao(data::FileManager& fm) { return fm.rec<dictionary::EntradaVorelRec>().DataEmissao; }

}  // namespace

EntradasDoMes::EntradasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida fornecedor)
    : periodo_(periodo), fornecedor_(std::move(fornecedor)),
      entradas_(dictionary::EntradaVorel(), "EntradaVorel", dictionary::keys::ENT_KEY_NUMERO, DataEmissao) {}

bool EntradasDoMes::Abre() { return entradas_.Abre(periodo_.Inicio(), periodo_.Fim()); }

bool EntradasDoMes::Le() {
    if (!entradas_.Proximo()) return false;
    ++lidas_;
    return true;
}

bool EntradasDoMes::Listada() {
    const dictionary::EntradaVorelRec& e = entrada();
    if (!fornecedor_.Aceita(e.Cnpj.value(), e.CodigoForCli)) return false;
    produto_ = consultas_.LeProduto(e.CodMercadoria.value());
    parte_ = consultas_.LeParte(e.Cnpj.value(), e.CodigoForCli, fornecedor_);
    aliquota_ = AliquotaPropria(e.CFO, produto_.aliquota);
    icms_ = IcmsProprio(e.BaseICMSPropria.value(), aliquota_);
    return true;
}

bool EntradasDoMes::ProximaListada() {
    while (Le())
        if (Listada()) return true;
    return false;
}

std::string EntradasDoMes::ColunaCnpj(bool mascara) {
    if (parte_.codigo) return TextoCodigo(*parte_.codigo);
    const std::string_view cnpj = entrada().Cnpj.value();
    static const picture::Picture cnpjMascara("@p##.###.###/####-##p");
    return mascara ? picture::format(cnpjMascara, cnpj) : std::string(cnpj);
}

}  // namespace vorel::listings::itens
