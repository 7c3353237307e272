// The previewer step of page reports: progress with its cancel questions, preview, report-viewer
// settings, e-mail and printing.
#include "vorel/shell/report_step.h"
#include "vorel/shell/printing_settings.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

#include "vorel/core/paths.h"
#include "vorel/core/settings_file.h"
#include "vorel/report/pdf.h"
#include "vorel/report/print_file.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace p = progresso;

std::string U(std::string_view cp1252) { return text::to_utf8(cp1252); }

std::string Percentual(int pct, const TextosVisualizador& t) {
    char numero[8];
    std::snprintf(numero, sizeof numero, "%3d", pct);
    return numero + U(t.ProgWinPctText);
}

// The questions of a cancel request: Continue (No, or Ignore), Cancel, or PreviewPartial.
report::Decision PerguntaCancelar(const TextosVisualizador& t, std::size_t paginas) {
    int r = Message(U(t.CancelAreYouSureText), U(t.CancelAreYouSureTitle), Icon::Exclamation, U(t.ButtonYesNo), 2);
    if (r == 2) return report::Decision::Continue;
    if (r != 1 || paginas == 0) return report::Decision::Cancel;  // 0: the program is closing
    r = Message(U(t.CancelPrvwPartialText), U(t.CancelPrvwPartialTitle), Icon::Exclamation, U(t.ButtonYesNoIgnore), 2);
    if (r == 1) return report::Decision::PreviewPartial;
    if (r == 3) return report::Decision::Continue;
    return report::Decision::Cancel;
}

struct Leitura {
    report::RunResult resultado;
    bool mostra = false;  // completed, or a partial preview asked for
};

Leitura LeRegistros(ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                    const TextosVisualizador& t, const OpcoesRelatorio& o) {
    report::ReportRun run(relatorio, std::move(loop));
    Window w(ctx, U(t.ProgWinTitlePrvw));
    w.Progress(p::kTermometro).Range(0, 100);
    w.String(p::kUsuario, U(t.ProgWinUsrText));
    w.String(p::kPercentual, Percentual(0, t));
    w.Button(p::kCancelar, "Cancel");
    w.SetTimer(o.tickCentesimos > 0 ? o.tickCentesimos : 1);
    w.Open();
    std::size_t porTick = o.registrosPorTick > 0 ? static_cast<std::size_t>(o.registrosPorTick) : 25;
    int mostrado = 0;
    for (;;) {
        Event e = w.Accept();
        if (e.code == event::None || ctx.StopRequested()) return {run.stop(report::Decision::Cancel), false};
        if (e.code == event::Timer) {
            if (!run.step(porTick)) return {run.finish(), true};
            int pct = run.progress().percent;
            if (pct != mostrado) {
                mostrado = pct;
                w[p::kTermometro].Progress(pct);
                w[p::kPercentual].Text(Percentual(pct, t));
            }
            continue;
        }
        bool cancela = (e.code == event::Accepted && e.feq == p::kCancelar) || e.code == event::CloseWindow;
        if (!cancela) continue;
        porTick = 1;  // from a cancel request on, one record per tick
        report::Decision d = PerguntaCancelar(t, run.progress().pages);
        if (d == report::Decision::Continue) continue;
        return {run.stop(d), d == report::Decision::PreviewPartial};
    }
}

int CodigoPapel(const report::Paper& papel) {
    if (papel == report::Paper::letter()) return 1;
    if (papel == report::Paper::a4()) return 9;
    return 256;  // a paper of its own size
}

}  // namespace

CamposEmail CapturaCamposEmail() {
    CamposEmail c;
    c.enviar = GLO_EMAIL_ENVIAR.Get() == 1;
    c.nome = GLO_EMAIL_NOME.Get();
    c.email = GLO_EMAIL_EMAIL.Get();
    c.assunto = GLO_EMAIL_ASSUNTO.Get();
    c.texto = GLO_EMAIL_TEXTO.Get();
    return c;
}

void GravaConfiguracaoRViewer(std::string_view arquivo, const report::ReportSetup& s) {
    settings::SettingsFile ini(arquivo);
    const report::Paper& papel = s.paper;
    const bool deitado = s.orientation == report::Orientation::Landscape;
    const long long largura = deitado ? papel.height : papel.width;
    // A failure to keep these settings is not the report's: the pages were shown already.
    (void)ini.update([&](settings::Content& c) {
        c.set("RVIEWER", "Landscape", deitado ? "YES" : "NO");
        c.set("RVIEWER", "PaperCode", std::to_string(CodigoPapel(papel)));
        c.set("RVIEWER", "PaperWidth", std::to_string(papel.width));
        c.set("RVIEWER", "PaperHeight", std::to_string(papel.height));
        c.set("RVIEWER", "Xpos", std::to_string(s.left));
        c.set("RVIEWER", "Ypos", std::to_string(s.header_top));
        c.set("RVIEWER", "Height", std::to_string(s.footer_top > s.header_top ? s.footer_top - s.header_top : 0));
        c.set("RVIEWER", "Width", std::to_string(largura > 2 * s.left ? largura - 2 * s.left : largura));
    });
}

report::Outcome ImprimePaginas(const report::Document& paginas, int copias, const std::string& fila,
                               const report::PrintOptions& opcoes) {
    report::Document todas = paginas;
    for (int i = 1; i < copias; ++i) {
        report::Document copia = paginas;
        todas.append(std::move(copia));
    }
    std::string modelo = (std::filesystem::temp_directory_path() / "vorel-impressao-XXXXXX.pdf").string();
    int fd = ::mkstemps(modelo.data(), 4);
    if (fd < 0) return report::Outcome::failure("Não foi possível criar o arquivo de impressão");
    ::close(fd);
    report::Outcome o = report::write_pdf(todas, modelo);
    if (o.ok()) o = report::print_file(files::to_program_path(modelo), {report::PrintTarget::Kind::Queue, fila}, opcoes);
    std::error_code ec;
    std::filesystem::remove(modelo, ec);
    return o;
}

ui::Response ExecutaRelatorio(ProcContext& ctx, report::ReportController& relatorio, report::RecordLoop loop,
                              const OpcoesRelatorio& o) {
    const TextosVisualizador t =
        CarregaTextosVisualizador(o.arquivoTextos, o.textoUsuario, o.tituloPergunta, o.textoPergunta);
    const report::ReportSetup setup = relatorio.setup();
    Leitura l = LeRegistros(ctx, relatorio, std::move(loop), t, o);  // the progress window is gone after this
    report::Document& paginas = l.resultado.document;
    if (l.mostra && o.anteriores) paginas.prepend(*o.anteriores);
    if (!l.mostra || paginas.empty()) return Response::Cancelled;
    if (paginas.title.empty()) paginas.title = o.nome;

    auto visualiza = o.visualiza ? o.visualiza : [](ProcContext& c, const report::Document& d, report::PreviewOptions po) {
        return report::preview_report(c, d, po);
    };
    const std::string filaAnterior = text::to_utf8(FilaRelatorios());
    const report::PreviewResult escolha =
        visualiza(ctx, paginas, {.zoom = o.zoom, .copies = 1, .printer = filaAnterior});
    if (escolha.print && !escolha.printer.empty() && escolha.printer != filaAnterior) {
        // The system's default (offered only when the system lists no queue) keeps the last queue
        // named. Only a convenience for the next preview: a settings file that cannot be written
        // costs the user one choice, never the printing.
        (void)GravaFilaRelatorios(text::from_utf8(escolha.printer));
    }

    if (o.gravaRViewer) GravaConfiguracaoRViewer(o.arquivoRViewer, setup);

    if (o.email.enviar && !o.anexo.empty()) {
        report::ReportMail mail{std::string(text::clip(o.email.nome)), std::string(text::clip(o.email.email)), std::string(text::clip(o.email.assunto)),
                                std::string(text::clip(o.email.texto)), o.anexo};
        report::Outcome enviado = o.envia ? o.envia(mail, paginas)
                                          : report::mail_report(report::read_email_settings(settings::SettingsFile(
                                                                    report::kEmailSettingsFile)),
                                                                mail, paginas);
        if (!enviado.ok())
            Message("O relatório não foi enviado por e-mail.|" + enviado.error, "Atenção!!!", Icon::Exclamation, "&OK");
        else if (!enviado.notice.empty())
            Message("O relatório foi enviado por e-mail sem criptografia.|" + enviado.notice, "Atenção!!!",
                    Icon::Exclamation, "&OK");
    }

    if (!escolha.print) return Response::Cancelled;
    const int copias = escolha.copies > 0 ? escolha.copies : 1;
    report::Outcome impresso = o.imprime ? o.imprime(paginas, copias, escolha.printer)
                                         : ImprimePaginas(paginas, copias, escolha.printer, o.impressao);
    if (!impresso.ok()) {
        Message("O relatório não foi impresso.|" + impresso.error, "Atenção!!!", Icon::Exclamation, "&OK");
        return Response::Cancelled;
    }
    return Response::Completed;
}

}  // namespace vorel::shell
