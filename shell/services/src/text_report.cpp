// Text report files: NomeArqTemp, the accent rules, GravaLinhaTexto and the footers.
#include "vorel/shell/text_report.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>

#include "vorel/core/paths.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/run_leftovers.h"

namespace vorel::shell {

namespace {

struct Acento {
    unsigned char letra;
    char simples;
    char marca;  // printed over the plain letter
};

// Windows-1252 codes of the accented letters the printers know.
constexpr std::array<Acento, 46> kAcentos{{
    {0xE1, 'a', '\''}, {0xE0, 'a', '`'}, {0xE2, 'a', '^'}, {0xE3, 'a', '~'}, {0xE4, 'a', '"'},
    {0xC1, 'A', '\''}, {0xC0, 'A', '`'}, {0xC2, 'A', '^'}, {0xC3, 'A', '~'}, {0xC4, 'A', '"'},
    {0xE9, 'e', '\''}, {0xE8, 'e', '`'}, {0xEA, 'e', '^'}, {0xEB, 'e', '"'},
    {0xC9, 'E', '\''}, {0xC8, 'E', '`'}, {0xCA, 'E', '^'}, {0xCB, 'E', '"'},
    {0xED, 'i', '\''}, {0xEC, 'i', '`'}, {0xEE, 'i', '^'}, {0xEF, 'i', '"'},
    {0xCD, 'I', '\''}, {0xCC, 'I', '`'}, {0xCE, 'I', '^'}, {0xCF, 'I', '"'},
    {0xF3, 'o', '\''}, {0xF2, 'o', '`'}, {0xF4, 'o', '^'}, {0xF5, 'o', '~'}, {0xF6, 'o', '"'},
    {0xD3, 'O', '\''}, {0xD2, 'O', '`'}, {0xD4, 'O', '^'}, {0xD5, 'O', '~'}, {0xD6, 'O', '"'},
    {0xFA, 'u', '\''}, {0xF9, 'u', '`'}, {0xFB, 'u', '^'}, {0xFC, 'u', '"'},
    {0xDA, 'U', '\''}, {0xD9, 'U', '`'}, {0xDB, 'U', '^'}, {0xDC, 'U', '"'},
    {0xE7, 'c', ','}, {0xC7, 'C', ','},
}};
constexpr unsigned char kOrdinalMasculino = 0xBA;  // º
constexpr unsigned char kOrdinalFeminino = 0xAA;   // ª

const Acento* AcentoDe(unsigned char c) {
    static const std::array<const Acento*, 256> porCodigo = [] {
        std::array<const Acento*, 256> t{};
        for (const Acento& a : kAcentos) t[a.letra] = &a;
        return t;
    }();
    return porCodigo[c];
}

std::optional<long long> Numero(const std::optional<std::string>& valor) {
    if (!valor) return std::nullopt;
    std::string_view v = text::trim(*valor);
    if (v.empty() || v.size() > 18) return std::nullopt;
    long long n = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

constexpr long long kMaxPrincipal = 99999999;  // the 8 digits of the name
constexpr int kMaxTentativas = 100000;

}  // namespace

std::string RetiraAcentos(std::string_view texto) {
    std::string out;
    out.reserve(texto.size());
    for (char ch : texto) {
        auto c = static_cast<unsigned char>(ch);
        if (c == kOrdinalMasculino || c == kOrdinalFeminino) continue;
        const Acento* a = AcentoDe(c);
        out.push_back(a ? a->simples : ch);
    }
    return out;
}

std::string ConverteAcentosImpressora(std::string_view texto) {
    std::string out;
    out.reserve(texto.size() + 16);
    for (char ch : texto) {
        const Acento* a = AcentoDe(static_cast<unsigned char>(ch));
        if (!a) {
            out.push_back(ch);
            continue;
        }
        out.push_back(a->simples);
        out.push_back('\b');
        out.push_back(a->marca);
    }
    return out;
}

std::string LinhaTexto(std::string_view linha, std::uint8_t acentosImpressora, bool forcaRetirar) {
    std::string_view trabalho = linha.substr(0, std::min(linha.size(), kLinhaTexto));
    std::string convertida = (!forcaRetirar && acentosImpressora == 1) ? ConverteAcentosImpressora(trabalho)
                                                                       : RetiraAcentos(trabalho);
    if (convertida.size() > kLinhaTexto) convertida.resize(kLinhaTexto);
    convertida.resize(text::clip(convertida).size());
    return convertida;
}

std::string RodapeRelatorio() { return std::string(150, ' '); }
std::string RodapeRelatorioCurto() { return std::string(100, ' '); }

namespace {
// Where the temporary names' counters are kept: WIN.INI [ArqTemp] ContadorPR (the name) and
// ContadorSC (the extension).
constexpr std::string_view kArquivoContadores = "WIN.INI", kSecaoContadores = "ArqTemp";
constexpr std::string_view kContadorPR = "ContadorPR", kContadorSC = "ContadorSC";
}  // namespace

NomeTemporario NomeArqTemp() {
    settings::SettingsFile win(kArquivoContadores);
    return NomeArqTemp(PastaTemp.Get(), win);
}

NomeTemporario NomeArqTemp(std::string_view pasta, settings::SettingsFile& contadores) {
    std::string base(text::clip(pasta));
    if (!base.empty() && base.back() != '\\' && base.back() != '/') base += '\\';
    NomeTemporario r;
    std::error_code escrita = contadores.update([&](settings::Content& c) {
        long long pr = Numero(c.find(kSecaoContadores, kContadorPR)).value_or(0);
        long long sc = Numero(c.find(kSecaoContadores, kContadorSC)).value_or(0);
        if (pr > kMaxPrincipal) pr = 0;
        if (sc > 999) sc = 0;
        for (int tentativa = 0; tentativa < kMaxTentativas; ++tentativa) {
            std::string candidato = base + text::zero_fill(pr, 8) + "." + text::zero_fill(sc, 3);
            if (++sc == 1000) {
                sc = 0;
                if (++pr > kMaxPrincipal) pr = 0;  // the names start over; taken ones are skipped
            }
            // Creating the file exclusively takes the name, against other threads and programs.
            int fd = ::open(files::resolve(candidato).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (fd < 0 && errno == EEXIST) continue;
            if (fd < 0) {
                r.erro = "Não foi possível criar o arquivo temporário " + text::to_utf8(candidato) + ": " + std::strerror(errno);
                return;
            }
            ::close(fd);
            r.nome = candidato;
            c.set(kSecaoContadores, kContadorPR, std::to_string(pr));
            c.set(kSecaoContadores, kContadorSC, std::to_string(sc));
            return;
        }
        r.erro = "Nenhum nome livre para arquivo temporário em " + text::to_utf8(base);
    });
    if (r.ok() && escrita) {
        (void)files::remove_file(r.nome);
        r.erro = "Não foi possível gravar os contadores de arquivos temporários: " + escrita.message();
        r.nome.clear();
    }
    // The name is this process's: should it be killed, the next start removes the file. A name that
    // cannot be noted still serves the run (only a crash would leave it behind), so the run goes on.
    if (r.ok()) (void)AnotaTemporario(r.nome);
    return r;
}

report::Outcome ArquivoTexto::AbreTemporario() {
    settings::SettingsFile win(kArquivoContadores);
    return AbreTemporario(PastaTemp.Get(), win);
}

report::Outcome ArquivoTexto::AbreTemporario(std::string_view pasta, settings::SettingsFile& contadores) {
    NomeTemporario n = NomeArqTemp(pasta, contadores);
    if (!n.ok()) return report::Outcome::failure(n.erro);
    nome_ = n.nome;
    exportacao_ = false;
    // The name was taken by creating the empty file: it is this run's to fill.
    report::Outcome o = arquivo_.open(nome_, report::TextReportFile::Create::Replace);
    if (!o.ok()) {
        (void)files::remove_file(nome_);
        nome_.clear();
    }
    return o;
}

report::Outcome ArquivoTexto::AbreExportacao(std::string_view caminho) {
    nome_ = std::string(text::clip(caminho));
    exportacao_ = true;
    return arquivo_.open(nome_, report::TextReportFile::Create::Replace);
}

report::Outcome ArquivoTexto::GravaLinhaTexto(std::string_view linha, std::uint8_t flag) {
    if (!arquivo_.is_open()) return report::Outcome::failure("O arquivo de texto não está aberto");
    return arquivo_.write_line(LinhaTexto(linha, codigos_.ACENTOS, flag != 0 || exportacao_));
}

report::Outcome ArquivoTexto::GravaLinhaInteira(std::string_view linha) {
    if (!arquivo_.is_open()) return report::Outcome::failure("O arquivo de texto não está aberto");
    return arquivo_.write_line(linha);
}

report::Outcome ArquivoTexto::Fecha() {
    if (!arquivo_.is_open()) return report::Outcome::success();
    return arquivo_.close();
}

void ArquivoTexto::Apaga() {
    if (arquivo_.is_open()) (void)arquivo_.close();
    if (!exportacao_ && !nome_.empty()) (void)files::remove_file(nome_);
}

}  // namespace vorel::shell
