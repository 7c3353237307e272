// The clipboard: kept text, or the front end's own clipboard once installed.
#include "vorel/shell/clipboard.h"

#include <mutex>

namespace vorel::shell {

namespace {

struct Area {
    std::mutex m;
    std::string texto;
    std::function<std::string()> le;
    std::function<void(const std::string&)> grava;
};

Area& A() {
    static Area a;
    return a;
}

}  // namespace

std::string LeAreaTransferencia() {
    std::function<std::string()> le;
    {
        std::lock_guard lock(A().m);
        if (!A().le) return A().texto;
        le = A().le;
    }
    return le();
}

void GravaAreaTransferencia(const std::string& texto) {
    std::function<void(const std::string&)> grava;
    {
        std::lock_guard lock(A().m);
        A().texto = texto;
        grava = A().grava;
    }
    if (grava) grava(texto);
}

void InstalaAreaTransferencia(std::function<std::string()> le, std::function<void(const std::string&)> grava) {
    std::lock_guard lock(A().m);
    A().le = std::move(le);
    A().grava = std::move(grava);
}

}  // namespace vorel::shell
