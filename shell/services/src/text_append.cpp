// Appending text to a file through the operating system's file calls.
#include "vorel/shell/text_append.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

constexpr std::size_t kBuffer = 2000;

// Closes the descriptor on every path out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

}  // namespace

std::uint8_t AnexaTextoArquivo(std::string_view arquivo, std::string_view texto, std::uint8_t portaImpressora,
                               std::uint8_t fimLinha1, std::uint8_t fimLinha2) {
    // A printer port has no device here: the program prints by handing files to a print queue.
    if (portaImpressora != 0) return kAnexaNaoAbriu;
    std::string alvo(text::clip(arquivo));
    if (alvo.empty()) return kAnexaNaoAbriu;

    std::string buffer(texto);
    if ((fimLinha2 != 0 || fimLinha1 == 1) && text::clip(texto) != "\f") buffer += "\r\n";
    if (buffer.size() > kBuffer) buffer.resize(kBuffer);
    buffer.resize(text::clip(buffer).size());

    auto path = files::resolve(alvo);
    Descriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
    if (fd.get() < 0) return kAnexaNaoAbriu;
    // Regular files are appended to; a device is written from where it stands.
    struct stat st {};
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode)) {
        if (::lseek(fd.get(), 0, SEEK_END) < 0) return kAnexaNaoPosicionou;
    }
    std::size_t done = 0;
    while (done < buffer.size()) {
        ssize_t n = ::write(fd.get(), buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return kAnexaGravacaoIncompleta;
        done += static_cast<std::size_t>(n);
    }
    if (!fd.Close()) return kAnexaNaoFechou;
    return kAnexaOk;
}

std::string MensagemAnexaTexto(std::uint8_t resultado, std::string_view arquivo) {
    std::string nome = text::to_utf8(text::clip(arquivo));  // the message is shown: UTF-8
    switch (resultado) {
        case kAnexaOk: return {};
        case kAnexaNaoAbriu: return "Não foi possível abrir nem criar o arquivo " + nome + ".";
        case kAnexaGravacaoIncompleta: return "Não foi possível gravar no arquivo " + nome + ".";
        case kAnexaNaoFechou: return "Não foi possível fechar o arquivo " + nome + ".";
        case kAnexaNaoPosicionou: return "Não foi possível posicionar no fim do arquivo " + nome + ".";
        default: return "Erro " + std::to_string(resultado) + " ao gravar o arquivo " + nome + ".";
    }
}

}  // namespace vorel::shell
