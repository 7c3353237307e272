// The text report viewer's arithmetic (display lines, pages, jumps, search) and the file reading.
#include "vorel/shell/text_viewer.h"

#include <fstream>
#include <sstream>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/shell/text_report.h"

namespace vorel::shell {

namespace {

void RemoveTodas(std::string& s, std::string_view o) {
    if (o.empty()) return;
    for (std::size_t at = s.find(o); at != std::string::npos; at = s.find(o, at)) s.erase(at, o.size());
}

}  // namespace

std::string LinhaExibida(std::string_view linhaArquivo, const CodigosImpressoraRec& c) {
    std::string s = RetiraAcentos(linhaArquivo);
    for (const std::string* codigo : {&c.CPI17, &c.CPI10, &c.CPI20, &c.LSUB, &c.DSUB, &c.LEXP, &c.DEXP, &c.LNEG, &c.DNEG})
        RemoveTodas(s, *codigo);
    // An accent printed over its letter (letter, backspace, mark) shows as the letter alone.
    for (std::size_t at = s.find('\b'); at != std::string::npos; at = s.find('\b', at))
        s.erase(at, at + 1 < s.size() ? 2 : 1);
    RemoveTodas(s, "\r\n");
    RemoveTodas(s, "\f");
    RemoveTodas(s, "\"");
    RemoveTodas(s, "\xAA");
    s.resize(text::clip(s).size());
    if (s.size() > kLinhaExibida) s.resize(kLinhaExibida);
    return s;
}

std::vector<std::string> LeLinhasArquivo(std::string_view caminho, std::string* erro) {
    std::vector<std::string> linhas;
    std::ifstream in(files::resolve(caminho), std::ios::binary);
    if (!in) {
        if (erro) *erro = "Não foi possível ler o arquivo " + text::to_utf8(caminho);
        return linhas;
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    const std::string bytes = buf.str();
    std::size_t inicio = 0;
    while (inicio < bytes.size()) {
        std::size_t fim = bytes.find('\n', inicio);
        std::size_t ate = fim == std::string::npos ? bytes.size() : fim;
        std::string linha = bytes.substr(inicio, ate - inicio);
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        linhas.push_back(std::move(linha));
        if (fim == std::string::npos) break;
        inicio = fim + 1;
    }
    return linhas;
}

PaginasTexto::PaginasTexto(std::vector<std::string> linhas, int linhasPorPagina)
    : linhas_(std::move(linhas)), porPagina_(linhasPorPagina < 0 ? 0 : linhasPorPagina) {}

int PaginasTexto::totalPaginas() const {
    if (porPagina_ == 0 || linhas() <= porPagina_) return 1;
    return (linhas() + porPagina_ - 1) / porPagina_;
}

int PaginasTexto::PaginaDaLinha(int n) const {
    if (porPagina_ == 0 || n <= 0) return 1;
    return (n + porPagina_ - 1) / porPagina_;
}

PaginasTexto::Salto PaginasTexto::SaltaParaPagina(long long p) const {
    const int total = totalPaginas();
    if (p > total) return {total, 0};
    if (p <= 0) return {1, 0};
    const int pagina = static_cast<int>(p);
    return {pagina, pagina == 1 ? 1 : (pagina - 1) * porPagina_ + 1};
}

int PaginasTexto::Pesquisa(std::string_view texto, bool acima, int& posicao) const {
    const std::string procura = text::upper(text::clip(texto));
    if (procura.empty()) return 0;
    auto contem = [&](int n) { return text::upper(text::clip(linha(n))).find(procura) != std::string::npos; };
    if (posicao > linhas()) posicao = linhas();
    if (posicao < 0) posicao = 0;
    if (acima) {
        for (int n = posicao; n >= 1; --n) {
            posicao = n - 1;
            if (contem(n)) return n;
        }
        return 0;
    }
    for (int n = posicao + 1; n <= linhas(); ++n) {
        posicao = n;
        if (contem(n)) return n;
    }
    return 0;
}

std::string TextoNaoEncontrado(std::string_view texto, bool acima) {
    std::string t = text::to_utf8(text::clip(texto));
    return acima ? "A Pesquisa não encontrou a palavra ' " + t + " ' no relatório acima"
                 : "A Pesquisa não encontrou a palavra '" + t + "' no relatório abaixo";
}

report::Outcome CopiaRelatorio(std::string_view arquivo, std::string_view pasta, std::string_view nome) {
    std::string destino(text::clip(pasta));
    destino += text::clip(nome);
    destino.resize(text::clip(destino).size());
    if (std::error_code ec = files::copy_file(arquivo, destino, files::Overwrite::Yes))
        return report::Outcome::failure("Não foi possível gravar " + text::to_utf8(destino) + ": " + ec.message());
    return report::Outcome::success();
}

}  // namespace vorel::shell
