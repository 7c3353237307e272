// What a procedure thread pays for its dictionary: InitDictionary and TeardownDictionary over the
// 62 tables (every thread start and end), and opening the entry table of a company's year.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/tables.h"

namespace {

using namespace vorel;

void BM_InitAndTeardownDictionary(benchmark::State& state) {
    for (auto& t : dictionary::all_tables()) t.desc();  // descriptions are built once per process
    for (auto _ : state) {
        dictionary::InitDictionary();
        dictionary::TeardownDictionary();
    }
}
BENCHMARK(BM_InitAndTeardownDictionary)->Unit(benchmark::kMicrosecond);

void BM_OpenAndCloseEntradaVorel(benchmark::State& state) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("vorel_bench_dictionary_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string root = files::to_program_path(dir) + "\\";
    const dictionary::CaminhosAno a = dictionary::CaminhosArquivosAno(root, 15, 2016);
    if (dictionary::CriaPastas(a)) state.SkipWithError("folder");
    dictionary::AplicaCaminhos(a);
    dictionary::InitDictionary();
    data::FileManager& ent = data::dictionary::file(dictionary::EntradaVorel());
    for (auto _ : state) {
        if (!ent.open().ok()) state.SkipWithError("open");
        (void)ent.close();
    }
    dictionary::TeardownDictionary();
    fs::remove_all(dir);
}
BENCHMARK(BM_OpenAndCloseEntradaVorel)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
