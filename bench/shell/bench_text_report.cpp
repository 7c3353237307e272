// Text reports: lines through GravaLinhaTexto into a run's file (accents converted for the
// printer), and the viewer's work on a large file (display lines, then a search that finds nothing).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "vorel/core/paths.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"

namespace {

using namespace vorel::shell;

const std::string kLinha =
    "\x1BG00012345  PRODUTO DE LIMPEZA ACONDICIONADO EM EMBALAGEM PL\xC1STICA  UN  1.234,56  Sa\xED" "da a consumidor\x1BH";

void BM_GravaLinhaTexto(benchmark::State& state) {
    auto dir = std::filesystem::temp_directory_path() / "vorel-bench-text";
    std::filesystem::create_directories(dir);
    CodigosImpressoraRec codigos;
    codigos.ACENTOS = 1;
    for (auto _ : state) {
        ArquivoTexto arq(codigos);
        if (!arq.AbreExportacao(vorel::files::to_program_path(dir / "rel.txt")).ok()) state.SkipWithError("open");
        for (int i = 0; i < state.range(0); ++i) benchmark::DoNotOptimize(arq.GravaLinhaTexto(kLinha).ok());
        if (!arq.Fecha().ok()) state.SkipWithError("close");
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_GravaLinhaTexto)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ViewerLinesAndSearch(benchmark::State& state) {
    CodigosImpressoraRec codigos;
    codigos.LNEG = "\x1BG";
    codigos.DNEG = "\x1BH";
    std::vector<std::string> arquivo(static_cast<std::size_t>(state.range(0)), kLinha);
    for (auto _ : state) {
        std::vector<std::string> linhas;
        linhas.reserve(arquivo.size());
        for (const std::string& l : arquivo) linhas.push_back(LinhaExibida(l, codigos));
        PaginasTexto paginas(std::move(linhas), 60);
        int posicao = 0;
        benchmark::DoNotOptimize(paginas.Pesquisa("inexistente", false, posicao));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ViewerLinesAndSearch)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
