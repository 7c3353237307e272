// Number and grid helpers of the sheet.
#include "formato.h"

#include <algorithm>

namespace vorel::sheets::formato {

std::string Numero(const Decimal& v, int casas, bool brancoZero) {
    if (brancoZero && v.is_zero()) return {};
    std::string fixo = v.abs().to_fixed(casas, ',');
    const std::size_t virgula = casas > 0 ? fixo.find(',') : fixo.size();
    std::string inteiro = fixo.substr(0, virgula);
    std::string com;
    for (std::size_t i = 0; i < inteiro.size(); ++i) {
        if (i > 0 && (inteiro.size() - i) % 3 == 0) com += '.';
        com += inteiro[i];
    }
    return (v.sign() < 0 ? "-" : "") + com + fixo.substr(virgula);
}

std::string Numero(const Decimal& v, int casas, std::size_t largura, bool brancoZero) {
    std::string n = Numero(v, casas, brancoZero);
    if (n.size() > largura) return std::string(largura, '#');
    return std::string(largura - n.size(), ' ') + n;
}

Grade& Grade::Poe(std::size_t coluna, std::string_view texto) {
    if (coluna == 0 || coluna > linha_.size()) return *this;
    const std::size_t n = std::min(texto.size(), linha_.size() - (coluna - 1));
    linha_.replace(coluna - 1, n, texto.substr(0, n));
    return *this;
}

Grade& Grade::Barras(std::initializer_list<std::size_t> colunas) {
    for (std::size_t c : colunas) Poe(c, "|");
    return *this;
}

Grade& Grade::Tracos(std::size_t de, std::size_t ate, char c) {
    for (std::size_t i = de; i <= ate && i <= linha_.size(); ++i) linha_[i - 1] = c;
    return *this;
}

}  // namespace vorel::sheets::formato
