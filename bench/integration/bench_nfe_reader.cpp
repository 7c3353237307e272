// The NF-e reader over a folder of 1,000 and of 10,000 documents (VOREL_BENCH_NFE_DOCS, a list such
// as "1000,10000,100000", changes the sizes): copies of the test documents of one company (its
// exits of August 2018) with changed invoice numbers. Reports documents per second of wall time
// ("docs/s wall") and the process's peak resident set after each size: the reader keeps nothing of
// a document once its lines are written, so the peak must not grow with the number of documents.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "vorel/core/heap.h"
#include "vorel/core/paths.h"
#include "vorel/integration/leitor_xml.h"

namespace fs = std::filesystem;
using namespace vorel;

namespace {

const char* kDocumentos[] = {"35180834128745000152550010000474281920007498-nfe.xml",
                             "35180834128745000152550010000474491454651420-nfe.xml",
                             "35180834128745000152550010000476051695511860-nfe.xml",
                             "35180834128745000152550010000476711079516696-nfe.xml",
                             "35180834128745000152550010000476861118934859-nfe.xml"};

fs::path CaminhoPasta(int quantos) {
    return fs::temp_directory_path() / ("vorel_bench_nfe_" + std::to_string(::getpid()) + "_" + std::to_string(quantos));
}

fs::path Pasta(int quantos) {
    fs::path pasta = CaminhoPasta(quantos);
    if (fs::exists(pasta / "pronta")) return pasta;
    fs::create_directories(pasta);
    std::vector<std::pair<std::string, std::string>> modelos;  // text, its nNF element
    for (const char* d : kDocumentos) {
        std::ifstream in(fs::path(VOREL_NFE_TESTDATA) / d, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        std::string x = s.str();
        auto a = x.find("<nNF>"), b = x.find("</nNF>");
        modelos.emplace_back(x, x.substr(a, b + 6 - a));
    }
    for (int i = 0; i < quantos; ++i) {
        auto [x, nnf] = modelos[static_cast<std::size_t>(i) % modelos.size()];
        x.replace(x.find(nnf), nnf.size(), "<nNF>" + std::to_string(100000 + i) + "</nNF>");
        std::ofstream(pasta / ("nota" + std::to_string(i) + ".xml"), std::ios::binary) << x;
    }
    std::ofstream(pasta / "pronta") << "";
    return pasta;
}

long PicoKiB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

void BM_LeitorXml(benchmark::State& state) {
    const int quantos = static_cast<int>(state.range(0));
    const fs::path pasta = Pasta(quantos);
    integration::ArgumentosLeitor a{files::to_program_path(pasta), 8, 2018, integration::SentidoNfe::Saida,
                                    "34128745000152"};
    long documentos = 0;
    for (auto _ : state) {
        integration::ResultadoLeitor r = integration::LeitorXML(a);
        if (!r.ok() || r.documentos != quantos) state.SkipWithError("documents not all read");
        documentos += r.documentos;
    }
    // A rate of a benchmark timed in real time is per second of wall time.
    state.counters["docs/s wall"] = benchmark::Counter(static_cast<double>(documentos), benchmark::Counter::kIsRate);
    state.counters["peak_KiB"] = static_cast<double>(PicoKiB());
}

std::vector<int> Tamanhos() {
    std::vector<int> t;
    const char* v = std::getenv("VOREL_BENCH_NFE_DOCS");
    std::stringstream s(v && *v ? v : "1000,10000");
    for (std::string n; std::getline(s, n, ',');)
        if (!n.empty()) t.push_back(std::stoi(n));
    return t;
}

}  // namespace

int main(int argc, char** argv) {
    vorel::heap::keep_freed_memory();  // as the program does at its start
    // Smaller first: the peak after the largest folder is compared with the peak after the smallest.
    for (int n : Tamanhos())
        benchmark::RegisterBenchmark("BM_LeitorXml", BM_LeitorXml)->Arg(n)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (int n : Tamanhos()) fs::remove_all(CaminhoPasta(n));
    return 0;
}
