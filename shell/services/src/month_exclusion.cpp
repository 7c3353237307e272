#include "vorel/shell/month_exclusion.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "byte_locks.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/folders.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

namespace {

constexpr off_t kGate = 0;
// The byte of a month's holders of one kind.
off_t Byte(MesEmUso::Uso uso, int mes) { return 2 * static_cast<off_t>(mes) + (uso == MesEmUso::Calculo ? 0 : 1); }

using byte_locks::Held;
using byte_locks::Lock;

std::string Mes(int mes, int ano) {
    char t[16];
    std::snprintf(t, sizeof t, "%02d/%04d", mes, ano);
    return t;
}

}  // namespace

MesEmUso::MesEmUso(Uso uso, std::uint32_t empresa, int ano, int mes) {
    const std::string pasta = dictionary::CaminhosArquivosAno(PastaRaiz.Get(), empresa, ano).PastaAno;
    const std::string quem = "da empresa " + std::to_string(empresa) + " em " + Mes(mes, ano);
    if (auto ec = files::make_folder(pasta)) {
        recusa_ = "A pasta do ano " + quem + " não pôde ser criada: " + ec.message() + " (" +
                  text::to_utf8(files::to_display_path(pasta)) + ")";
        return;
    }
    const std::string arquivo = files::join(pasta, "Meses.lck");
    const int fd = ::open(files::resolve(arquivo).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        recusa_ = "O controle dos meses " + quem + " não pôde ser aberto: " + std::strerror(errno) + " (" +
                  text::to_utf8(files::to_display_path(arquivo)) + ")";
        return;
    }
    const Uso outro = uso == Calculo ? Gravacao : Calculo;
    if (!Lock(fd, F_WRLCK, kGate, true)) {
        recusa_ = "O controle dos meses " + quem + " não pôde ser usado: " + std::strerror(errno) + " (" +
                  text::to_utf8(files::to_display_path(arquivo)) + ")";
        ::close(fd);
        return;
    }
    if (Held(fd, Byte(outro, mes))) {
        recusa_ = outro == Calculo
                      ? "O cálculo mensal " + quem +
                            " está em andamento (nesta ou em outra estação): nada foi gravado. Grave depois que "
                            "ele terminar."
                      : "Há uma gravação de movimentos " + quem +
                            " em andamento (importação, digitação ou exclusão, nesta ou em outra estação): o "
                            "cálculo não foi feito. Calcule depois que ela terminar.";
    } else if (!Lock(fd, F_RDLCK, Byte(uso, mes), false)) {
        recusa_ = "O controle dos meses " + quem + " não pôde ser usado: " + std::strerror(errno) + " (" +
                  text::to_utf8(files::to_display_path(arquivo)) + ")";
    }
    (void)Lock(fd, F_UNLCK, kGate, false);
    if (!recusa_.empty()) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

MesEmUso::~MesEmUso() {
    if (fd_ >= 0) ::close(fd_);
}

MesEmUso::MesEmUso(MesEmUso&& o) noexcept : fd_(o.fd_), recusa_(std::move(o.recusa_)) { o.fd_ = -1; }

}  // namespace vorel::shell
