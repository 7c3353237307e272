// The exits of a company's month as the exit listings read them: `SaidaVorel` in the order of
// `SAI:KEY:NUMERO` (date, number, series, product, CFOP, base) from the month's first day to its
// last, the customer filter, and for each listed exit its customer and product.
#pragma once

#include <string>

#include "itens_do_mes.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::listings::itens {

class SaidasDoMes : public ItensListados {
public:
    SaidasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida cliente);

    const dictionary::SaidaVorelRec& saida() { return itens_.rec<dictionary::SaidaVorelRec>(); }
    // The CNPJ column: a 14-character CNPJ through "##.###.###/####-##", else the number the field
    // holds as a code.
    std::string ColunaCnpj();
    // The item's two text lines' values.
    LinhaItem Linha();

private:
    std::string_view CnpjDoItem() override { return saida().CNPJ.value(); }
    std::uint32_t CodigoDoItem() override { return saida().CodigoForCli; }
    Decimal ProdutoDoItem() override { return saida().CodMercadoria.value(); }
    void Seleciona(data::FileManager& tabela) override;
};

}  // namespace vorel::listings::itens
