// Report "RelExcluiSaldoZero" (vorel/computation/rel_exclui_saldo_zero.h): the month's balances of
// rate 0, the company in the page header, a closing rule with the footer text under the last line.
#include "vorel/computation/rel_exclui_saldo_zero.h"

#include <memory>

#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation {

namespace {

namespace keys = dictionary::keys;
using fiscal::estilo::Fonte;
using fiscal::estilo::Mm;
using fiscal::estilo::W;
using report::Align;
using report::BandPainter;

report::Rect Caixa(double x, double y, double largura, double altura) { return {Mm(x), Mm(y), Mm(largura), Mm(altura)}; }
report::Font Times(int pontos, bool negrito = false) { return Fonte(pontos, negrito, "Times New Roman"); }

// The numeric value of a product code kept as text: its leading digits, 0 when none.
Decimal CodigoDoTexto(std::string_view texto) {
    const std::string_view t = text::trim(texto);
    std::size_t n = 0;
    while (n < t.size() && n < 15 && t[n] >= '0' && t[n] <= '9') ++n;
    return n == 0 ? Decimal(0) : Decimal::from_string(t.substr(0, n));
}

class Relatorio {
public:
    explicit Relatorio(const shell::EmpresaPeriodo& periodo)
        : periodo_(periodo), relatorio_(Pagina()), saldos_(dictionary::SaldosVorel()), produtos_(dictionary::Produtos()) {
        titulo_ = W("Relação de Saldos Com Aliquota Zero - ") + picture::format("@n02", periodo.mes) + "/" +
                  picture::format("@n04", periodo.ano);
        LeEmpresa();
        rodape_ = shell::RodapeRelatorio();
        Bandas();
    }
    ~Relatorio() {
        if (saldos_.is_open()) (void)saldos_.close();
        if (produtos_.is_open()) (void)produtos_.close();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        if (shell::AbreNoAno(saldos_, periodo_).ok()) {
            saldos_.clear_record();
            if (!saldos_.set(keys::SQEL_KEY_PRODDATAALIQUOTA).ok()) data::AvisoPadraoSemTexto(36);
        }
        data::AbreArquivo(produtos_, 1, 0, 0, 1);
        report::RecordLoop loop;
        loop.total = saldos_.is_open() ? static_cast<std::size_t>(std::max<std::int64_t>(0, saldos_.records())) : 0;
        loop.next = [this] { return Proximo(); };
        loop.on_record = [this](report::ReportController& r) {
            r.print(Detalhe());
            impresso_ = true;
        };
        loop.on_end = [this](report::ReportController& r) {
            if (impresso_) r.print(Fecho());
        };
        return loop;
    }

private:
    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.title = "RelExcluiSaldoZero";
        s.paper = report::Paper::a4();
        s.left = Mm(6);
        s.form_top = Mm(7);
        s.header_top = Mm(7);
        s.detail_top = Mm(27);
        s.detail_height = Mm(276) - Mm(27);
        s.footer_top = Mm(276);
        s.footer_on_last_page = false;
        return s;
    }

    void LeEmpresa() {
        data::FileManager emp(dictionary::Empresa());
        emp.set_create(false);
        if (!emp.open().ok()) return;
        auto& e = emp.rec<dictionary::EmpresaRec>();
        emp.clear_record();
        e.Codigo = static_cast<std::uint16_t>(periodo_.empresa);
        if (emp.get(keys::EMP_KEY_CODIGO).ok()) {
            razao_ = std::string(e.RAZAOSOCIAL.value());
            cgc_ = std::string(e.CGC.value());
        }
        (void)emp.close();
    }

    // The next row of the month with rate 0; a read error other than the end warns and ends.
    bool Proximo() {
        if (!saldos_.is_open() || fim_) return false;
        const auto& s = saldos_.rec<dictionary::SaldosVorelRec>();
        for (;;) {
            data::Result r = saldos_.next();
            if (!r.ok()) {
                if (r != data::kRecordNotAvailable) data::AvisoPadraoComTexto(35, "SaldosVorel");
                fim_ = true;
                return false;
            }
            if (s.Competencia > 0 && date::month(s.Competencia) == periodo_.mes &&
                date::year(s.Competencia) == periodo_.ano && s.Aliquota.value().is_zero())
                return true;
        }
    }

    std::string Produto(const dictionary::SaldosVorelRec& s) {
        const Decimal codigo = CodigoDoTexto(s.Produto.value());
        std::string descricao;
        if (produtos_.is_open() && fiscal::LeProdutoPorCodigo(produtos_, codigo))
            descricao = std::string(text::clip(produtos_.rec<dictionary::ProdutosRec>().Produtos.value()));
        return codigo.to_string() + " - " + descricao;
    }

    report::Band Detalhe() {
        const auto& s = saldos_.rec<dictionary::SaldosVorelRec>();
        return {Mm(4), [produto = picture::format("@s150", Produto(s)), aliquota = picture::format("@n-8.2", s.Aliquota.value()),
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

    report::Band Fecho() const {
        return {Mm(6), [rodape = rodape_](BandPainter& p) {
                    p.line(0, 0, Mm(193), 0);
                    p.text(Caixa(1, 0.3, 192, 5.7), rodape, Fonte(9));
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({Mm(20), [this](BandPainter& p) {
            p.text(Caixa(5, 1, 184, 8), titulo_, Times(18), Align::Center);
            p.text(Caixa(2, 9, 18, 4), "Empresa :", Fonte(10, true));
            p.text(Caixa(20, 9, 60, 4), picture::format("@s40", razao_), Fonte(10));
            p.text(Caixa(91, 9, 12, 4), "CNPJ :", Fonte(10, true));
            p.text(Caixa(103, 9, 40, 4), picture::format("@p##.###.###/####-##p", cgc_), Fonte(10));
            p.line(Mm(1), Mm(14), Mm(194), Mm(14));
            const report::Font f = Fonte(10, true);
            p.text(Caixa(2, 15, 100, 4), W("Código e Descrição do Produto"), f);
            p.text(Caixa(112, 15, 14, 4), "Aliq", f);
            p.text(Caixa(128, 15, 20, 4), "Quantidade", f);
            p.text(Caixa(149, 15, 20, 4), W("Vlr Unitário"), f);
            p.text(Caixa(170, 15, 24, 4), W("Base de Cálculo"), f);
            p.line(Mm(1), Mm(19), Mm(194), Mm(19));
        }});
        relatorio_.set_page_footer({Mm(6), [this](BandPainter& p) {
            p.line(Mm(1), 0, Mm(194), 0);
            p.text(Caixa(1, 1, 192, 4), rodape_, Fonte(9));
        }});
    }

    shell::EmpresaPeriodo periodo_;
    report::ReportController relatorio_;
    data::FileManager saldos_;
    data::FileManager produtos_;
    std::string titulo_, razao_, cgc_, rodape_;
    bool fim_ = false;
    bool impresso_ = false;
};

}  // namespace

report::Document DocumentoRelExcluiSaldoZero(const shell::EmpresaPeriodo& periodo) {
    Relatorio r(periodo);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelExcluiSaldoZero(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    data::ProcedureScope procedimento("RelExcluiSaldoZero");
    Relatorio r(periodo);
    shell::OpcoesRelatorio o;
    o.nome = "RelExcluiSaldoZero";
    o.tituloPergunta = "Preview";
    o.textoPergunta = "Do you wish to PREVIEW this Report?";
    ctx.response = shell::ExecutaRelatorio(ctx, r.relatorio(), r.Laco(), o);
}

}  // namespace vorel::computation
