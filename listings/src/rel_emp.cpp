// Report "RelEmp" ("Listagem do Arquivo de Empresas"): every company of `Empresa` in the order of its
// name key, three rows each (code, name, CNPJ, registration; address; city, state, CEP, e-mail, CNAE,
// telephone). Letter portrait, positions in thousandths of an inch; a closing band under the last
// company and no page footer on the last page; e-mailed as "ListagemEmpresas.zip".
#include "estilo.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/empresas.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::W;
using report::Align;
using report::BandPainter;
using report::Mils;

constexpr Mils kLargura = 7500;
constexpr Mils kLinha = 150;  // a row of 8-point text

report::Font Fonte(int pontos, bool negrito = false, bool sublinhado = false) {
    report::Font f = estilo::Times(pontos, negrito);
    f.underline = sublinhado;
    return f;
}

// One column of a row: where it starts and how wide it is.
struct Coluna {
    Mils x, largura;
};
constexpr Coluna kLinha1[] = {{73, 500}, {594, 2650}, {3292, 1900}, {5250, 2200}};
constexpr Coluna kLinha2[] = {{115, 2600}, {2781, 450}, {3281, 1900}, {5250, 2200}};
constexpr Coluna kLinha3[] = {{115, 1600}, {1729, 500}, {2271, 1000}, {3292, 1900}, {5208, 560}, {5792, 440}, {6250, 600}, {6875, 600}};

void Linha(BandPainter& p, Mils y, const Coluna* colunas, const std::vector<std::string>& textos, const report::Font& f,
           std::size_t numerica = 99) {
    for (std::size_t i = 0; i < textos.size(); ++i)
        p.text({colunas[i].x, y, colunas[i].largura, kLinha}, textos[i], f, i == numerica ? Align::Right : Align::Left);
}

class RelatorioEmp {
public:
    RelatorioEmp() : relatorio_(Pagina()), empresas_(dictionary::Empresa(), "Empresa") {
        rodape_ = shell::RodapeRelatorio();
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        (void)empresas_.Abre(dictionary::keys::EMP_KEY_RAZAOSOCIAL);
        return estilo::LacoListagem(empresas_, [this] { return Detalhe(empresas_.rec<dictionary::EmpresaRec>()); },
                                    Rodape());
    }

private:
    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.title = "RelEmp";
        s.left = 500;
        s.form_top = 500;
        s.header_top = 500;
        s.detail_top = 1500;
        s.detail_height = 8750;
        s.footer_top = 10250;
        s.footer_on_last_page = false;
        return s;
    }

    // The page footer, and the closing band under the last company: a line and the footer text.
    report::Band Rodape() const {
        return {300, [rodape = rodape_](BandPainter& p) {
                    p.line(0, 0, kLargura, 0);
                    p.text({0, 30, kLargura, kLinha}, rodape, Fonte(8));
                }};
    }

    static report::Band Detalhe(const dictionary::EmpresaRec& e) {
        std::vector<std::string> l1 = {picture::format("@n6", e.Codigo), picture::format("@s40", e.RAZAOSOCIAL.value()),
                                       picture::format(estilo::kPadraoCnpj, e.CGC.value()),
                                       picture::format("@s20", e.INSCESTADUAL.value())};
        std::vector<std::string> l2 = {picture::format("@s40", e.ENDERECO.value()), picture::format("@n6", e.NUMERO),
                                       picture::format("@s25", e.COMPLEMENTO.value()),
                                       picture::format("@s25", e.BAIRRO.value())};
        std::vector<std::string> l3 = {picture::format("@s25", e.CIDADE.value()), picture::format("@k^^k", e.UF.value()),
                                       picture::format("@p##.###-###p", e.CEP), picture::format("@s30", e.EMAIL.value()),
                                       picture::format("@p####-#/##p", e.CNAE), picture::format("@p<###p", e.DDD),
                                       picture::format("@p<###-####p", e.FONE), picture::format("@p<<<<<p", e.RAMALFONE)};
        return {3 * kLinha + 60, [l1 = std::move(l1), l2 = std::move(l2), l3 = std::move(l3)](BandPainter& p) {
                    p.line(0, 0, 0, 3 * kLinha + 60);
                    p.line(kLargura, 0, kLargura, 3 * kLinha + 60);
                    Linha(p, 20, kLinha1, l1, Fonte(8), 0);
                    Linha(p, 20 + kLinha, kLinha2, l2, Fonte(8), 1);
                    Linha(p, 20 + 2 * kLinha, kLinha3, l3, Fonte(8));
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({1000, [](BandPainter& p) {
            p.text({0, 0, kLargura, 400}, "Listagem do Arquivo de Empresas", Fonte(24, false, true), Align::Center);
            p.line(0, 480, kLargura, 480);
            const report::Font f = Fonte(8, true, true);
            Linha(p, 520, kLinha1, {W("Código"), "Nome", "C.N.P.J.", W("Inscrição Estadual")}, f);
            Linha(p, 520 + kLinha, kLinha2, {W("Endereço"), W("Número"), "Complemento", "Bairro"}, f);
            Linha(p, 520 + 2 * kLinha, kLinha3,
                  {"Cidade", "U.F.", "C.E.P.", "E-Mail", "C.N.A.E.", "D.D.D.", "Fone", "Ramal"}, f);
            p.line(0, 980, kLargura, 980);
            p.line(0, 480, 0, 1000);
            p.line(kLargura, 480, kLargura, 1000);
        }});
        relatorio_.set_page_footer(Rodape());
    }

    report::ReportController relatorio_;
    estilo::Leitura empresas_;
    std::string rodape_;
};

}  // namespace

report::Document DocumentoRelEmp() {
    RelatorioEmp r;
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelEmp(ui::ProcContext& ctx) {
    data::ProcedureScope procedimento("RelEmp");
    RelatorioEmp r;
    shell::OpcoesRelatorio o;
    o.nome = "RelEmp";
    o.anexo = "ListagemEmpresas.zip";
    o.gravaRViewer = true;
    o.email = shell::CapturaCamposEmail();
    ctx.response = shell::ExecutaRelatorio(ctx, r.relatorio(), r.Laco(), o);
}

}  // namespace vorel::listings
