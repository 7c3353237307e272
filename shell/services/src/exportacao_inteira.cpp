// An export written beside its target and put in place when whole (exportacao_inteira.h).
#include "vorel/shell/exportacao_inteira.h"

#include <unistd.h>

#include <atomic>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {
std::atomic<unsigned> contador{0};
}

ExportacaoInteira::ExportacaoInteira(std::string_view alvo) : alvo_(text::clip(alvo)) {
    // The process and a counter make the name this run's, against other threads and workstations.
    temporario_ = alvo_ + ".~" + std::to_string(::getpid()) + "_" + std::to_string(++contador);
}

ExportacaoInteira::~ExportacaoInteira() { Abandona(); }

report::Outcome ExportacaoInteira::Falha(const report::Outcome& o) {
    Abandona();
    // The writer's message names the run's own file; the user knows only the target: keep its reason.
    const std::size_t fim = o.error.rfind(": ");
    const std::string motivo = fim == std::string::npos ? o.error : o.error.substr(fim + 2);
    return report::Outcome::failure("Não foi possível gravar o arquivo " + text::to_utf8(alvo_) + ": " + motivo);
}

report::Outcome ExportacaoInteira::Abre() {
    pendente_ = true;
    if (report::Outcome o = arquivo_.AbreExportacao(temporario_); !o.ok()) return Falha(o);
    return report::Outcome::success();
}

report::Outcome ExportacaoInteira::Linha(std::string_view linha) {
    if (report::Outcome o = arquivo_.GravaLinhaTexto(linha); !o.ok()) return Falha(o);
    return report::Outcome::success();
}

report::Outcome ExportacaoInteira::LinhaInteira(std::string_view linha) {
    if (report::Outcome o = arquivo_.GravaLinhaInteira(linha); !o.ok()) return Falha(o);
    return report::Outcome::success();
}

report::Outcome ExportacaoInteira::Conclui() {
    if (!pendente_) return report::Outcome::failure("O arquivo " + text::to_utf8(alvo_) + " não foi aberto");
    if (report::Outcome o = arquivo_.Fecha(); !o.ok()) return Falha(o);
    if (std::error_code ec = files::rename(temporario_, alvo_); ec) return Falha(report::Outcome::failure(ec.message()));
    pendente_ = false;
    return report::Outcome::success();
}

void ExportacaoInteira::Abandona() {
    if (!pendente_) return;
    (void)arquivo_.Fecha();
    (void)files::remove_file(temporario_);
    pendente_ = false;
}

}  // namespace vorel::shell
