// The month's exits of the exit listings (saidas_do_mes.h).
#include "saidas_do_mes.h"

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::listings::itens {

namespace {

std::int32_t& DataSaida(data::FileManager& fm) { return fm.rec<dictionary::SaidaVorelRec>().DataSaida; }

}  // namespace

SaidasDoMes::SaidasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida cliente)
    : ItensListados(periodo, std::move(cliente), dictionary::SaidaVorel(), "SaidaVorel",
                    dictionary::keys::SAI_KEY_NUMERO, DataSaida) {}

void SaidasDoMes::Seleciona(data::FileManager& tabela) {
    (void)data::Cursor::read_only(tabela, {"DataSaida", "Numero", "Serie", "CNPJ", "CodigoForCli", "CodMercadoria", "CFO",
                                           "CFOComplementar", "Quantidade", "BaseCalculo", "ICMS"});
}

std::string SaidasDoMes::ColunaCnpj() {
    const std::string_view cnpj = text::clip(saida().CNPJ.value());
    if (cnpj.size() == 14) return picture::format("@p##.###.###/####-##p", cnpj);
    return TextoCodigo(NumeroDoTexto(cnpj).value_or(LeituraNumerica(cnpj)));
}

LinhaItem SaidasDoMes::Linha() {
    const dictionary::SaidaVorelRec& r = saida();
    return {ColunaCnpj(),
            parte().nome,
            LeituraNumerica(r.Serie.value()),
            LeituraNumerica(r.CFOComplementar.value()),
            r.Numero,
            r.DataSaida,
            r.CFO,
            r.CodMercadoria.value(),
            produto().descricao,
            r.Quantidade.value(),
            r.BaseCalculo.value(),
            produto().aliquota,
            r.ICMS.value()};
}

}  // namespace vorel::listings::itens
