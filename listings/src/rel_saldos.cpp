// Report "RelSaldosW" ("Relação de Saldos - MM/AAAA"): the working month's balances (`SaldosVorel`
// in the order of product text, month and rate), one line per product and rate, the product's
// description from `Produtos`, the working company (`Empresa`) in the page header. A4 portrait, no
// totals; never e-mailed.
#include "estilo.h"
#include "vorel/core/date.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/listings/saldos.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::Caixa;
using estilo::Fonte;
using estilo::Times;
using estilo::W;
using report::Align;
using report::BandPainter;

// The numeric value of a product code kept as text: its digits after leading blanks, 0 when none.
Decimal CodigoDoTexto(std::string_view texto) {
    const std::string_view t = text::trim(texto);
    std::size_t n = 0;
    while (n < t.size() && n < 15 && t[n] >= '0' && t[n] <= '9') ++n;
    return n == 0 ? Decimal(0) : Decimal::from_string(t.substr(0, n));
}

class RelatorioSaldos {
public:
    RelatorioSaldos(const shell::EmpresaPeriodo& periodo, bool somenteComSaldo)
        : somenteComSaldo_(somenteComSaldo), relatorio_(estilo::PaginaA4(6, 7, 27, 276, "RelSaldosW")),
          saldos_(dictionary::SaldosVorel(), "SaldosVorel", periodo), produtos_(periodo) {
        mes_ = periodo.mes;
        ano_ = periodo.ano;
        titulo_ = W("Relação de Saldos - ") + picture::format("@n02", mes_) + "/" + picture::format("@n04", ano_);
        empresa_ = estilo::LeEmpresa(periodo.empresa);
        rodape_ = shell::RodapeRelatorio();
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        (void)saldos_.Abre(dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA);
        saldos_.Filtro([this] {
            const auto& s = saldos_.rec<dictionary::SaldosVorelRec>();
            if (s.Competencia <= 0 || date::month(s.Competencia) != mes_ || date::year(s.Competencia) != ano_) return false;
            return !somenteComSaldo_ || !s.QuantProdutos.value().is_zero();
        });
        return estilo::LacoListagem(saldos_, [this] { return Detalhe(saldos_.rec<dictionary::SaldosVorelRec>()); },
                                    estilo::BandaFecho(194, 6, rodape_, 9));
    }

private:
    std::string Produto(const dictionary::SaldosVorelRec& s) {
        const Decimal codigo = CodigoDoTexto(s.Produto.value());
        return codigo.to_string() + " - " + produtos_.Descricao(codigo);
    }

    report::Band Detalhe(const dictionary::SaldosVorelRec& s) {
        return {estilo::Mm(4), [produto = picture::format("@s150", Produto(s)),
                                aliquota = picture::format("@n-8.2", s.Aliquota.value()),
                                quantidade = picture::format("@n-16.3", s.QuantProdutos.value()),
                                unitario = picture::format("@n-14.3", s.ValorUnit.value()),
                                base = picture::format("@n-15.2", s.BaseAcunulada.value())](BandPainter& b) {
                    const report::Font f = Fonte(9);
                    b.text(Caixa(2, 0, 103, 4), produto, f);
                    b.text(Caixa(109, 0, 9, 4), aliquota, f, Align::Right);
                    b.text(Caixa(117, 0, 27, 4), quantidade, f, Align::Right);
                    b.text(Caixa(144, 0, 23, 4), unitario, f, Align::Right);
                    b.text(Caixa(168, 0, 25, 4), base, f, Align::Right);
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({estilo::Mm(20), [this](BandPainter& p) {
            p.text(Caixa(5, 0, 184, 8), titulo_, Times(18), Align::Center);
            estilo::CabecalhoListagem(p, empresa_);
            const report::Font f = Times(10, true);
            p.text(Caixa(2, 15, 100, 4), W("Código e Descrição do Produto"), f);
            p.text(Caixa(112, 15, 14, 4), "Aliq", f);
            p.text(Caixa(128, 15, 20, 4), "Quantidade", f);
            p.text(Caixa(149, 15, 20, 4), W("Vlr Unitário"), f);
            p.text(Caixa(170, 15, 24, 4), W("Base de Cálculo"), f);
        }});
        relatorio_.set_page_footer(estilo::RodapeListagem(rodape_));
    }

    bool somenteComSaldo_;
    int mes_ = 0, ano_ = 0;
    std::string titulo_;
    report::ReportController relatorio_;
    estilo::Leitura saldos_;
    fiscal::ConsultaProdutos produtos_;
    estilo::Empresa empresa_;
    std::string rodape_;
};

}  // namespace

report::Document DocumentoRelSaldos(const shell::EmpresaPeriodo& periodo, bool somenteComSaldo) {
    RelatorioSaldos r(periodo, somenteComSaldo);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelSaldosW(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, bool somenteComSaldo) {
    data::ProcedureScope procedimento("RelSaldosW");
    RelatorioSaldos r(periodo, somenteComSaldo);
    ctx.response = estilo::ExecutaSemEmail(ctx, r.relatorio(), r.Laco(), "RelSaldosW");
}

}  // namespace vorel::listings
