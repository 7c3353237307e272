// The entries of a company's month as the entry listings read them: `EntradaVorel` in the order of
// `ENT:KEY:NUMERO` (date, number, series, product, CFOP, base, batch) from the month's first day
// to its last, the supplier filter, and for each listed entry its supplier, its product and the
// ICMS of the supplier's own operation (model 02).
#pragma once

#include <cstddef>
#include <string>

#include "itens_do_mes.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/ui/types.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/period.h"

namespace vorel::listings::itens {

class EntradasDoMes {
public:
    EntradasDoMes(const shell::EmpresaPeriodo& periodo, ParteEscolhida fornecedor);

    bool Abre();
    std::size_t Total() { return entradas_.Total(); }
    std::size_t lidas() const { return lidas_; }
    // The next entry of the month, listed or not.
    bool Le();
    // Whether the entry read passes the supplier filter; when it does, its look-ups are made.
    bool Listada();
    // The next listed entry.
    bool ProximaListada();

    // The entry read and, once listed, what was looked up for it.
    const dictionary::EntradaVorelRec& entrada() { return entradas_.rec<dictionary::EntradaVorelRec>(); }
    const Consultas::Parte& parte() const { return parte_; }
    const Consultas::Produto& produto() const { return produto_; }
    const Decimal& aliquotaPropria() const { return aliquota_; }
    const Decimal& icmsProprio() const { return icms_; }

    // The CNPJ column: the code kept in the CNPJ field when the supplier was found by it, else the
    // field as stored (`mascara`: through "##.###.###/####-##").
    std::string ColunaCnpj(bool mascara);

private:
    shell::EmpresaPeriodo periodo_;
    ParteEscolhida fornecedor_;
    ItensDoMes entradas_;
    Consultas consultas_;
    Consultas::Parte parte_;
    Consultas::Produto produto_;
    Decimal aliquota_, icms_;
    std::size_t lidas_ = 0;
};

}  // namespace vorel::listings::itens

namespace vorel::listings::entradas {

// The previewer step of the entry listings' page reports: "RelatorioEntradas.zip", the report
// viewer's settings kept, the run's e-mail fields.
ui::Response Executa(ui::ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                     const char* nome);
// The pages of each model, without the previewer.
report::Document Documento01(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);
report::Document Documento02(const shell::EmpresaPeriodo& periodo, const ParteEscolhida& fornecedor);

}  // namespace vorel::listings::entradas
