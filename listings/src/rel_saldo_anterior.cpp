// Report "RelatorioSaldoAnterior" ("Relatório de Saldo Anterior"): a company's opening balances of
// a year, the entries of that year's `EntradaVorel` numbered 0 and dated in the year, by product
// and date, the description from the company's `Produtos`; every page footer shows the running totals of quantity, ICMS
// base and own ICMS base as the page ends, the last page's those of the whole listing. A4 portrait;
// never e-mailed.
#include "estilo.h"
#include "vorel/core/date.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/listings/saldos.h"
#include "vorel/report/running_total.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::Caixa;
using estilo::Mm;
using estilo::Times;
using estilo::W;
using report::Align;
using report::BandPainter;

constexpr const char* kNome = "RelatorioSaldoAnterior";

class RelatorioSaldoAnteriorPaginas {
public:
    explicit RelatorioSaldoAnteriorPaginas(const shell::EmpresaPeriodo& periodo)
        : relatorio_(Pagina()), entradas_(dictionary::EntradaVorel(), "EntradaVorel", periodo), produtos_(periodo) {
        ano_ = periodo.ano;
        rodape_ = shell::RodapeRelatorio();
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        if (entradas_.Abre(dictionary::keys::ENT_KEY_PRODUTODATA)) loop.total = entradas_.Total();
        entradas_.Filtro([this] {
            const auto& e = entradas_.rec<dictionary::EntradaVorelRec>();
            return e.Numero == 0 && e.DataEmissao > 0 && date::year(e.DataEmissao) == ano_;
        });
        loop.next = [this] { return entradas_.Proximo(); };
        loop.on_record = [this](report::ReportController& r) {
            const auto& e = entradas_.rec<dictionary::EntradaVorelRec>();
            const Decimal quantidade = e.Quantidade, base = e.BaseICMS, propria = e.BaseICMSPropria;
            r.print(Detalhe(e, produtos_.Descricao(e.CodMercadoria)), [this, quantidade, base, propria] {
                quantidade_.add(quantidade);
                base_.add(base);
                propria_.add(propria);
            });
        };
        return loop;
    }

private:
    static report::ReportSetup Pagina() {
        report::ReportSetup s = estilo::PaginaA4(6, 9, 25, 250, kNome);
        s.footer_on_last_page = true;  // its footer holds the totals of the whole listing
        return s;
    }

    static report::Band Detalhe(const dictionary::EntradaVorelRec& e, const std::string& descricao) {
        return {Mm(4), [data = picture::format("@D06b", e.DataEmissao),
                        codigo = picture::format("@N-19.", e.CodMercadoria.value()),
                        produto = picture::format("@s100", descricao),
                        quantidade = picture::format("@n-18`3", e.Quantidade.value()),
                        base = picture::format("@n-18`2", e.BaseICMS.value()),
                        propria = picture::format("@n-18.2", e.BaseICMSPropria.value())](BandPainter& b) {
                    const report::Font f = Times(8);
                    b.text(Caixa(4, 0, 18, 4), data, f, Align::Center);
                    b.text(Caixa(24, 0, 14, 4), codigo, f, Align::Right);
                    b.text(Caixa(39, 0, 81, 4), produto, f);
                    b.text(Caixa(125, 0, 19, 4), quantidade, f, Align::Right);
                    b.text(Caixa(139, 0, 31, 4), base, f, Align::Right);
                    b.text(Caixa(171, 0, 27, 4), propria, f, Align::Right);
                }};
    }

    void Bandas() {
        // The two vertical lines that join the header's box and the footer's down the body.
        relatorio_.set_form({Mm(241), [](BandPainter& p) {
            p.line(Mm(3), Mm(16), Mm(3), Mm(239));
            p.line(Mm(199), Mm(16), Mm(199), Mm(239));
        }});
        relatorio_.set_page_header({Mm(16), [](BandPainter& p) {
            p.box(Caixa(3, 1, 196, 15));
            p.text(Caixa(4, 1.5, 194, 7.5), W("Relatório de Saldo Anterior"), Times(20, true), Align::Center);
            p.line(Mm(3), Mm(9), Mm(199), Mm(9));
            const report::Font f = Times(8, true);
            p.text(Caixa(4, 12, 19, 4), W("Data Emissão"), f);
            p.text(Caixa(24, 12, 14, 4), W("Código"), f);
            p.text(Caixa(39, 12, 80, 4), "Produto", f);
            p.text(Caixa(127, 12, 19, 4), "Quantidade", f);
            p.text(Caixa(147, 12, 24, 4), "Base de I.C.M.S.", f);
            p.text(Caixa(172, 12, 27, 4), "Base ICMS Propria", f);
        }});
        // Each total in its own column's decimal mark: comma for quantity and ICMS base, point for
        // the own base.
        relatorio_.set_page_footer({Mm(9), [this](BandPainter& p) {
            const report::Font f = Times(8, true);
            p.line(Mm(3), 0, Mm(199), 0);
            p.line(Mm(3), Mm(4), Mm(199), Mm(4));
            p.line(Mm(3), -Mm(2), Mm(3), Mm(4));
            p.line(Mm(199), -Mm(2), Mm(199), Mm(4));
            p.text(Caixa(108, 0.3, 10, 3.5), "Totais", f);
            p.text(Caixa(118, 0.3, 26, 3.5), picture::format("@n-18`3", quantidade_.value()), f, Align::Right);
            p.text(Caixa(139, 0.3, 31, 3.5), picture::format("@n-18`2", base_.value()), f, Align::Right);
            p.text(Caixa(171, 0.3, 27, 3.5), picture::format("@n-18.2", propria_.value()), f, Align::Right);
            p.text(Caixa(3, 4.3, 195, 3.5), rodape_, Times(8));
        }});
    }

    int ano_ = 0;
    report::ReportController relatorio_;
    estilo::Leitura entradas_;
    fiscal::ConsultaProdutos produtos_;
    report::RunningTotal<Decimal> quantidade_, base_, propria_;
    std::string rodape_;
};

}  // namespace

report::Document DocumentoSaldoAnterior(const shell::EmpresaPeriodo& periodo) {
    RelatorioSaldoAnteriorPaginas r(periodo);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelatorioSaldoAnterior(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    data::ProcedureScope procedimento(kNome);
    RelatorioSaldoAnteriorPaginas r(periodo);
    ctx.response = estilo::ExecutaSemEmail(ctx, r.relatorio(), r.Laco(), kNome);
}

}  // namespace vorel::listings
