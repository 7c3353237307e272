// The whole-or-nothing text file (arquivo_inteiro.h).
#include "vorel/computation/arquivo_inteiro.h"

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

namespace vorel::computation {

namespace fs = std::filesystem;

ArquivoInteiro::~ArquivoInteiro() { Abandona(); }

std::string ArquivoInteiro::Falha(std::string_view oque, int erro) const {
    return std::string(oque) + " \"" + exibido_ + "\": " + std::strerror(erro);
}

std::string ArquivoInteiro::Abre(std::string_view alvo) {
    Abandona();
    erro_.clear();
    linhas_ = 0;
    exibido_ = text::to_utf8(text::clip(alvo));
    if (text::clip(alvo).empty()) return erro_ = "Informe o nome do arquivo.";
    const fs::path nativo = files::resolve(text::clip(alvo));
    if (nativo.filename().empty()) return erro_ = Falha("Nome de arquivo inválido", EISDIR);
    alvo_ = nativo.string();
    temporario_ = (nativo.parent_path() / ("." + nativo.filename().string() + ".gravando")).string();
#ifndef _WIN32
    int fd = ::open(temporario_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int e = errno;
        temporario_.clear();
        return erro_ = Falha("Não foi possível criar o arquivo", e);
    }
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        const int e = errno;
        ::close(fd);
        Abandona();
        return erro_ = Falha("Não foi possível criar o arquivo", e);
    }
#else
    f_ = std::fopen(temporario_.c_str(), "wb");
    if (!f_) {
        const int e = errno;
        temporario_.clear();
        return erro_ = Falha("Não foi possível criar o arquivo", e);
    }
#endif
    std::setvbuf(f_, nullptr, _IOFBF, 1 << 16);
    return {};
}

void ArquivoInteiro::Linha(std::string_view linha) {
    if (!f_ || !erro_.empty()) return;
    if (std::fwrite(linha.data(), 1, linha.size(), f_) != linha.size() || std::fwrite("\r\n", 1, 2, f_) != 2) {
        erro_ = Falha("Erro gravando o arquivo", errno ? errno : EIO);
        return;
    }
    ++linhas_;
}

std::string ArquivoInteiro::Conclui() {
    if (!f_ && erro_.empty()) erro_ = "O arquivo não foi aberto.";
    if (erro_.empty() && std::fflush(f_) != 0) erro_ = Falha("Erro gravando o arquivo", errno);
#ifndef _WIN32
    if (erro_.empty() && ::fsync(::fileno(f_)) != 0) erro_ = Falha("Erro gravando o arquivo", errno);
#endif
    if (f_) {
        const int r = std::fclose(f_);
        f_ = nullptr;
        if (r != 0 && erro_.empty()) erro_ = Falha("Erro fechando o arquivo", errno);
    }
    if (erro_.empty()) {
        // std::filesystem::rename replaces an existing target on every system (std::rename does
        // not on Windows).
        std::error_code ec;
        fs::rename(temporario_, alvo_, ec);
        if (ec) erro_ = Falha("Não foi possível substituir o arquivo", ec.value());
    }
    if (!erro_.empty()) {
        Abandona();
        return erro_;
    }
    temporario_.clear();
#ifndef _WIN32
    const fs::path pasta = fs::path(alvo_).parent_path();
    int d = ::open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d >= 0) {
        ::fsync(d);  // the rename itself made durable; the file is already whole either way
        ::close(d);
    }
#endif
    return {};
}

void ArquivoInteiro::Abandona() {
    if (f_) {
        std::fclose(f_);
        f_ = nullptr;
    }
    if (!temporario_.empty()) {
        std::error_code ignored;
        fs::remove(temporario_, ignored);
        temporario_.clear();
    }
}

}  // namespace vorel::computation
