// SubstituiTexto and LimpaTexto.
#include "vorel/shell/text_utils.h"

#include "vorel/core/text.h"

namespace vorel::shell {

std::string SubstituiTexto(std::string_view texto, std::string_view busca, std::string_view troca) {
    std::string buffer(texto.substr(0, std::min(texto.size(), kTamanhoSubstituiTexto)));
    std::string_view procura = text::clip(busca);
    std::string_view nova = text::clip(troca);
    if (!procura.empty()) {
        std::size_t from = 0;
        for (;;) {
            std::string_view usado = text::clip(buffer);
            std::size_t p = usado.find(procura, from);
            if (p == std::string_view::npos) break;
            std::string depois = p + busca.size() < buffer.size() ? buffer.substr(p + busca.size()) : std::string();
            buffer = buffer.substr(0, p) + std::string(nova) + depois;
            if (buffer.size() > kTamanhoSubstituiTexto) buffer.resize(kTamanhoSubstituiTexto);
            from = p + troca.size();
        }
    }
    buffer.resize(kTamanhoSubstituiTexto, ' ');
    return buffer;
}

std::string LimpaTexto(std::string_view texto) {
    std::string t(texto);
    for (const char* mask : {".", "-", "/"}) t = SubstituiTexto(t, mask, "").substr(0, texto.size());
    return t;
}

}  // namespace vorel::shell
