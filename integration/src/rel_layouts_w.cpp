// "RelLayoutsW": the page form of the layout printout (portrait, detail area 193 x 249 mm at
// 11 mm, 9 mm): band DESCRICAO once (title, the type's title, the layout's description, the
// documentation with the legend, column titles), band TABELA per field; texts that do not fit
// their box grow downwards and take their band, and what lies below them, along. A page footer
// with "Página :" and the page number; no page header, no e-mail.
#include <algorithm>
#include <cmath>

#include "vorel/core/text.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/integration/layout_printout.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::integration {

namespace {

using report::Align;
using report::BandPainter;
using report::Font;
using report::Mils;

using fiscal::estilo::Mm;

Font Fonte(const char* familia, int pontos, bool negrito = false, bool sublinhado = false) {
    Font f;
    f.family = familia;
    f.points = pontos;
    f.bold = negrito;
    f.underline = sublinhado;
    return f;
}

Mils AlturaLinha(int pontos) { return static_cast<Mils>(pontos * 1000 * 6 / 5 / 72); }

// The text cut into the lines a box of `largura` shows at `pontos` (an average character of half
// the font's size), by words, keeping the text's own line ends.
std::vector<std::string> Quebra(const std::string& texto, Mils largura, int pontos) {
    const std::size_t porLinha = std::max<std::size_t>(1, static_cast<std::size_t>(largura * 72 * 2 / (pontos * 1000)));
    std::vector<std::string> linhas;
    std::size_t de = 0;
    while (de <= texto.size()) {
        std::size_t fim = texto.find('\n', de);
        std::string paragrafo = texto.substr(de, fim == std::string::npos ? std::string::npos : fim - de);
        if (!paragrafo.empty() && paragrafo.back() == '\r') paragrafo.pop_back();
        do {
            std::size_t corte = paragrafo.size();
            if (corte > porLinha) {
                corte = paragrafo.rfind(' ', porLinha);
                if (corte == std::string::npos || corte == 0) corte = porLinha;
            }
            linhas.push_back(paragrafo.substr(0, corte));
            paragrafo.erase(0, std::min(paragrafo.size(), corte + (corte < paragrafo.size() && paragrafo[corte] == ' ')));
        } while (!paragrafo.empty());
        if (fim == std::string::npos) break;
        de = fim + 1;
    }
    return linhas;
}

// A growing text box: its lines, each one line high; the height it takes (at least `minima`).
Mils Altura(const std::vector<std::string>& linhas, int pontos, Mils minima) {
    return std::max(minima, static_cast<Mils>(linhas.size()) * AlturaLinha(pontos));
}

void Escreve(BandPainter& p, Mils x, Mils y, Mils largura, const std::vector<std::string>& linhas, const Font& f) {
    for (std::size_t i = 0; i < linhas.size(); ++i)
        p.text({x, y + static_cast<Mils>(i) * AlturaLinha(f.points), largura, AlturaLinha(f.points)}, linhas[i], f);
}

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

std::string Descricao(int tipo) {
    const TextoLayout t = TextosLayout(tipo);
    std::string out;
    for (const std::string& p : t.paragrafos)
        if (!p.empty()) out += W(p) + "\r\n\r\n";
    out += W("Legenda: \r\n\r\n");
    out += W("O arquivo deverá ser gerado no formato TXT (ASCII), o nome do arquivo fica a critério do usuário \r\n \r\n");
    out += W("N - Numérico: Todos os campos numéricos devem ser alinhados a direita e sem pontos e virgulas.\r\n");
    out += W("X - Alfanumérico: Todos os campos alfanuméricos devem ser alinhados a esquerda. \r\n");
    return out;
}

report::ReportSetup Pagina() {
    report::ReportSetup s;
    s.title = "RelLayoutsW";
    s.paper = report::Paper::a4();
    s.left = Mm(11);
    s.form_top = Mm(9);
    s.header_top = Mm(9);
    s.detail_top = Mm(9);
    s.detail_height = Mm(249);
    s.footer_top = Mm(258);
    return s;
}

void Monta(report::ReportController& r, const DadosLayout& d) {
    r.set_page_footer({Mm(6), [](BandPainter& p) {
                           p.line(Mm(4), Mm(1), Mm(189), Mm(1));
                           p.text({Mm(4), Mm(2), Mm(169), Mm(4)}, std::string(text::clip(shell::RodapeRelatorio())),
                                  Fonte("MS Sans Serif", 8));
                           p.text({Mm(174), Mm(2), Mm(10), Mm(4)}, W("Página :"), Fonte("MS Sans Serif", 8));
                           p.page_text({Mm(184), Mm(2), Mm(5), Mm(4)}, "{page}", Fonte("MS Sans Serif", 8), Align::Right);
                       }});
    if (!d.existe) return;
    const std::string titulo = W(TextosLayout(d.tipo).titulo);
    const auto descricao = Quebra(Descricao(d.tipo), Mm(185), 9);
    const Mils cresce = Altura(descricao, 9, Mm(5)) - Mm(5);
    const std::string nomeLayout = d.descricao;
    r.print({Mm(35) + cresce, [titulo, descricao, cresce, nomeLayout](BandPainter& p) {
                 const Font negrito = Fonte("MS Sans Serif", 9, true);
                 p.text({Mm(3), Mm(1), Mm(185), Mm(7)}, W("Layout de Integração com o Sistema"),
                        Fonte("Times New Roman", 16, true, true), Align::Center);
                 p.text({Mm(4), Mm(9), Mm(185), Mm(7)}, titulo, Fonte("Times New Roman", 14, true), Align::Center);
                 p.text({Mm(4), Mm(17), Mm(52), Mm(5)}, W("Descrição do Layout no Sistema :"), negrito);
                 p.text({Mm(56), Mm(17), Mm(65), Mm(5)}, nomeLayout, Fonte("MS Sans Serif", 9));
                 Escreve(p, Mm(4), Mm(23), Mm(185), descricao, Fonte("MS Sans Serif", 9));
                 p.text({Mm(5), Mm(30) + cresce, Mm(45), Mm(5)}, "Campo", negrito);
                 p.text({Mm(52), Mm(30) + cresce, Mm(98), Mm(5)}, W("Descrição do Campo"), negrito);
                 p.text({Mm(153), Mm(30) + cresce, Mm(7), Mm(5)}, "Tipo", negrito, Align::Center);
                 p.text({Mm(161), Mm(30) + cresce, Mm(14), Mm(5)}, "Tamanho", negrito);
                 p.text({Mm(176), Mm(30) + cresce, Mm(12), Mm(5)}, W("Posição"), negrito);
                 p.line(Mm(4), Mm(34) + cresce, Mm(189), Mm(34) + cresce);
             }});
    for (const CampoImpresso& f : d.campos) {
        const auto nome = Quebra(W(NomeCampoImpressao(d.tipo, f.codigo, true)), Mm(45), 8);
        const auto desc = Quebra(f.descricao, Mm(98), 8);
        const Mils altura = std::max(Altura(nome, 8, Mm(4)), Altura(desc, 8, Mm(4)));
        r.print({Mm(2) + altura, [nome, desc, f](BandPainter& p) {
                     const Font fonte = Fonte("MS Sans Serif", 8);
                     Escreve(p, Mm(5), Mm(1), Mm(45), nome, fonte);
                     Escreve(p, Mm(52), Mm(1), Mm(98), desc, fonte);
                     p.text({Mm(153), Mm(1), Mm(7), Mm(4)}, f.tipo, fonte, Align::Center);
                     p.text({Mm(161), Mm(1), Mm(14), Mm(4)}, std::to_string(f.tamanho), fonte, Align::Center);
                     p.text({Mm(176), Mm(1), Mm(12), Mm(4)}, std::to_string(f.posicao), Fonte("Arial", 8), Align::Center);
                 }});
    }
}

}  // namespace

report::Document DocumentoRelLayoutsW(const DadosLayout& dados) {
    report::ReportController r(Pagina());
    Monta(r, dados);
    return r.finish();
}

void RelLayoutsW(ui::ProcContext& ctx, int tipo, int codigo) {
    report::ReportController r(Pagina());
    shell::OpcoesRelatorio o;
    o.nome = "RelLayoutsW";
    o.tituloPergunta = "Preview";
    o.textoPergunta = "Do you wish to PREVIEW this Report?";
    o.anexo.clear();  // never e-mailed
    o.email = {};
    bool lido = false;
    DadosLayout dados;
    report::RecordLoop loop;
    loop.total = 1;
    loop.next = [&] {
        if (lido) return false;
        lido = true;
        dados = LeDadosLayout(tipo, codigo);
        return dados.existe;
    };
    loop.on_record = [&](report::ReportController& rc) { Monta(rc, dados); };
    (void)shell::ExecutaRelatorio(ctx, r, std::move(loop), o);
}

}  // namespace vorel::integration
