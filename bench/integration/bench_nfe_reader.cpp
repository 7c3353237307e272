// The NF-e reader over a folder of 1,000 and of 10,000 documents (VOREL_BENCH_NFE_DOCS, a list such
// as "1000,10000,100000", changes the sizes): copies of the test documents of one company (its
// exits of August 2018) with changed invoice numbers. Reports documents per second of wall time
// ("docs/s wall"), the wall time of the first and of the last pass ("first_s", "last_s": the first
// pass after the files were made may meet the system still writing them) and the process's peak
// resident set after each size: the reader keeps nothing of a document once its lines are written,
// so the peak must not grow with the number of documents.
//
// BM_FluxoSimples is the plain baseline at each size: the same files walked in the same order, each
// read whole with a plain input stream, and as many bytes as the reader wrote written with a plain
// output stream (the reader's own lines, repeated), parsing nothing. What grows in the reader as in
// the baseline is the machine's (reading the folder's files and writing the lines), not the reader's.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
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

// VOREL_BENCH_NFE_FOLDER names a folder where the document folders are made once and kept between
// runs (a run then measures the passes without making the files); otherwise they are made in the
// temporary folder and removed at the end.
const char* PastaMantida() {
    const char* v = std::getenv("VOREL_BENCH_NFE_FOLDER");
    return v && *v ? v : nullptr;
}

fs::path CaminhoPasta(int quantos) {
    if (const char* mantida = PastaMantida()) return fs::path(mantida) / ("documentos_" + std::to_string(quantos));
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

// The output files of the reader's month, in the folder.
const char* kSaidasDoLeitor[] = {"CNPJ.txt", "Produtos082018.txt", "Fornecedores082018.txt", "NFSaida082018.txt"};

// Runs `passo` once per iteration and reports its documents per second of wall time, the wall time
// of the first and of the last pass, and the process's peak resident set.
template <class Passo>
void Mede(benchmark::State& state, Passo passo) {
    long documentos = 0;
    double primeira = 0, ultima = 0;
    for (auto _ : state) {
        const auto inicio = std::chrono::steady_clock::now();
        documentos += passo();
        ultima = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
        if (primeira == 0) primeira = ultima;
    }
    // A rate of a benchmark timed in real time is per second of wall time.
    state.counters["docs/s wall"] = benchmark::Counter(static_cast<double>(documentos), benchmark::Counter::kIsRate);
    state.counters["first_s"] = primeira;
    state.counters["last_s"] = ultima;
    state.counters["peak_KiB"] = static_cast<double>(PicoKiB());
}

void BM_LeitorXml(benchmark::State& state) {
    const int quantos = static_cast<int>(state.range(0));
    const fs::path pasta = Pasta(quantos);
    integration::ArgumentosLeitor a{files::to_program_path(pasta), 8, 2018, integration::SentidoNfe::Saida,
                                    "34128745000152"};
    Mede(state, [&] {
        integration::ResultadoLeitor r = integration::LeitorXML(a);
        if (!r.ok() || r.documentos != quantos) state.SkipWithError("documents not all read");
        return r.documentos;
    });
}

void BM_FluxoSimples(benchmark::State& state) {
    const int quantos = static_cast<int>(state.range(0));
    const fs::path pasta = Pasta(quantos);
    // The bytes the reader wrote for this folder (run before at this size), spread evenly over the
    // documents; written from the reader's item lines.
    std::uintmax_t total = 0;
    for (const char* s : kSaidasDoLeitor) {
        std::error_code erro;
        const std::uintmax_t t = fs::file_size(pasta / s, erro);
        if (!erro) total += t;
    }
    if (total == 0) {
        state.SkipWithError("the reader has not written this folder's lines yet");
        return;
    }
    const std::size_t porDocumento = static_cast<std::size_t>(total / static_cast<std::uintmax_t>(quantos));
    std::string linhas(porDocumento, ' ');
    std::ifstream(pasta / kSaidasDoLeitor[3], std::ios::binary).read(linhas.data(), static_cast<std::streamsize>(porDocumento));
    std::string documento;
    Mede(state, [&] {
        std::ofstream out(pasta / "base.txt", std::ios::binary | std::ios::trunc);
        long lidos = 0;
        for (const fs::directory_entry& e : fs::directory_iterator(pasta)) {
            if (e.path().extension() != ".xml") continue;
            std::ifstream in(e.path(), std::ios::binary | std::ios::ate);
            documento.resize(static_cast<std::size_t>(in.tellg()));
            in.seekg(0);
            in.read(documento.data(), static_cast<std::streamsize>(documento.size()));
            out.write(linhas.data(), static_cast<std::streamsize>(linhas.size()));
            ++lidos;
        }
        if (!out || lidos != quantos) state.SkipWithError("documents not all read");
        return lidos;
    });
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
    for (int n : Tamanhos()) {
        benchmark::RegisterBenchmark("BM_LeitorXml", BM_LeitorXml)->Arg(n)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
        benchmark::RegisterBenchmark("BM_FluxoSimples", BM_FluxoSimples)->Arg(n)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!PastaMantida())
        for (int n : Tamanhos()) fs::remove_all(CaminhoPasta(n));
    return 0;
}
