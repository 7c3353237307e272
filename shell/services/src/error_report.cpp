// Report Rel_Erro_ECF_W: the error lines of an import or an audit under the working company's
// heading ("RELATÓRIO DE ERROS"). Reads the table Empresa (the working company only) and
// BComuns\Folha.Ini (ErroVorel).
#include <optional>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/report/report_controller.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

namespace {

using report::Band;
using report::BandPainter;
using report::Font;

constexpr std::size_t kPorLinha = 100;  // characters of an error line per printed row
constexpr report::Mils kAlturaLinha = 130;

Font Courier(int pontos, bool negrito = false) {
    Font f{"Courier New", pontos, negrito};
    f.fixed_pitch = true;
    return f;
}

struct Empresa {
    std::uint32_t codigo = 0;
    std::string razao;
};

// The working company; nullopt when it has no record (a read error shows standard warning 35).
std::optional<Empresa> EmpresaDeTrabalho() {
    const data::TableDesc& desc = dictionary::Empresa();
    std::optional<data::FileManager> proprio;
    data::FileManager* emp = data::dictionary::find(desc);
    if (!emp) emp = &proprio.emplace(desc);
    data::AbreArquivo(*emp, 1, 0, 0, 1);  // an unusable table is told by its standard warning
    if (!emp->is_open()) return std::nullopt;
    auto& rec = emp->rec<dictionary::EmpresaRec>();
    emp->clear_record();
    rec.Codigo = static_cast<decltype(rec.Codigo)>(GLO_EMPRESA_CODIGO.Get());
    std::optional<Empresa> achada;
    const data::Result e = emp->get(dictionary::keys::EMP_KEY_CODIGO);
    if (e.ok()) achada = Empresa{rec.Codigo, std::string(rec.RAZAOSOCIAL.clipped())};
    else if (e != data::kRecordNotFound && e != data::kRecordNotAvailable)
        data::AvisoPadraoComTexto(35, "Empresa");
    (void)emp->close();
    return achada;
}

}  // namespace

ui::Response Rel_Erro_ECF_W(ui::ProcContext& ctx, const std::vector<std::string>& erros, const OpcoesRelatorio* servicos) {
    OpcoesRelatorio o;
    if (servicos) o = *servicos;
    o.nome = "Rel_Erro_ECF_W";
    o.tituloPergunta = "Preview";
    o.textoPergunta = "Do you wish to PREVIEW this Report?";
    o.gravaRViewer = false;
    o.anexo.clear();  // this report is never e-mailed
    o.email = {};

    report::ReportSetup setup;
    setup.title = "Rel_Erro_ECF_W";
    setup.paper = report::Paper::a4();
    setup.left = 400;
    setup.form_top = 400;
    setup.header_top = 450;
    setup.detail_top = 1250;
    setup.footer_top = 11000;
    setup.detail_height = setup.footer_top - setup.detail_top - 50;
    report::ReportController relatorio(setup);

    std::optional<Empresa> empresa;
    std::string rodape;  // LOC:RODAPE
    const report::Mils largura = setup.paper.width - 2 * setup.left;
    relatorio.set_form({setup.footer_top + 300 - setup.form_top, [largura](BandPainter& p) {
                            p.box({0, 0, largura, 11000 + 300 - 400});
                        }});
    relatorio.set_page_header({700, [&empresa, largura](BandPainter& p) {
                                   p.text({0, 60, largura, 250}, text::from_utf8("RELATÓRIO DE ERROS"), Courier(14, true),
                                          report::Align::Center);
                                   p.text({100, 400, 900, 160}, "Empresa:", Courier(9, true));
                                   if (empresa)
                                       p.text({1000, 400, largura - 1100, 160},
                                              text::zero_fill(empresa->codigo, 5) + " - " + empresa->razao, Courier(9));
                                   p.line(0, 650, largura, 650);
                               }});
    relatorio.set_page_footer({200, [&rodape, largura](BandPainter& p) {
                                   p.text({100, 0, largura - 200, 160}, std::string(text::clip(rodape)), Courier(8));
                               }});

    bool lido = false;
    report::RecordLoop loop;
    loop.total = 1;
    loop.next = [&] {
        if (lido) return false;
        lido = true;
        empresa = EmpresaDeTrabalho();
        return empresa.has_value();
    };
    loop.on_record = [&](report::ReportController& r) {
        rodape = RodapeRelatorioCurto();
        if (!ImprimeErros()) return;
        for (const std::string& erro : erros) {
            std::string linha = text::sub(erro, 1, 500);
            linha.resize(text::clip(linha).size());
            const std::size_t partes = linha.empty() ? 1 : (linha.size() + kPorLinha - 1) / kPorLinha;
            r.print({static_cast<report::Mils>(partes) * kAlturaLinha, [linha, partes, largura](BandPainter& p) {
                         for (std::size_t i = 0; i < partes; ++i)
                             p.text({100, static_cast<report::Mils>(i) * kAlturaLinha, largura - 200, kAlturaLinha},
                                    linha.substr(std::min(linha.size(), i * kPorLinha), kPorLinha), Courier(8));
                     }});
        }
    };
    ui::Response r = ExecutaRelatorio(ctx, relatorio, std::move(loop), o);
    ctx.response = r;
    return r;
}

}  // namespace vorel::shell
