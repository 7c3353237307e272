// The entries of a company's month as the entry listings read them: `EntradaVorel` in the order of
// `ENT:KEY:NUMERO` (date, number, series, product, CFOP, base, batch) from the month's first day
// to its last, the supplier filter, and for each listed entry its supplier, its product and the
// ICMS of the supplier's own operation (model 02).
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "itens_do_mes.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/ui/types.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/period.h"

namespace vorel::listings::itens {

class EntradasDoMes : public ItensListados {
public:
    EntradasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida fornecedor);

    // The entry read and, once listed, the ICMS of the supplier's own operation.
    const dictionary::EntradaVorelRec& entrada() { return itens_.rec<dictionary::EntradaVorelRec>(); }
    const Decimal& aliquotaPropria() const { return aliquota_; }
    const Decimal& icmsProprio() const { return icms_; }

    // The CNPJ column: the code kept in the CNPJ field when the supplier was found by it, else the
    // field as stored (`mascara`: through "##.###.###/####-##", a blank field left blank).
    std::string ColunaCnpj(bool mascara);

private:
    std::string_view CnpjDoItem() override { return entrada().Cnpj.value(); }
    std::uint32_t CodigoDoItem() override { return entrada().CodigoForCli; }
    Decimal ProdutoDoItem() override { return entrada().CodMercadoria.value(); }
    void Calcula() override;
    void Seleciona(data::FileManager& tabela) override;

    Decimal aliquota_, icms_;
};

}  // namespace vorel::listings::itens

namespace vorel::listings::entradas {

// The pages of each model, without the previewer.
report::Document Documento01(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
report::Document Documento02(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);

// A text form's model: the headings of its pages, the three lines of a listed entry (model 02 also
// sums the entry into its summary), and what follows the entries' last page.
class ModeloTexto {
public:
    virtual ~ModeloTexto() = default;
    virtual itens::FolhaTexto::Forma Forma() const = 0;
    virtual std::vector<std::string> Linhas(itens::EntradasDoMes& e) = 0;
    virtual report::Outcome Fim(itens::FolhaTexto& /*folha*/) { return {}; }
};
std::unique_ptr<ModeloTexto> ModeloTexto01();
std::unique_ptr<ModeloTexto> ModeloTexto02();

}  // namespace vorel::listings::entradas
