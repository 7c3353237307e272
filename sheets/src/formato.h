// Number and grid helpers shared by the sheet's page and text forms (internal).
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

#include "vorel/core/decimal.h"

namespace vorel::sheets::formato {

// `v` with `casas` decimals, "." between thousands, "," before the decimals and a leading minus,
// right-aligned in `largura`; blank when zero and `brancoZero`; '#' characters when it does not fit.
std::string Numero(const Decimal& v, int casas, std::size_t largura, bool brancoZero);
// The same without alignment (for page-report text boxes).
std::string Numero(const Decimal& v, int casas, bool brancoZero);

// A line of fixed width where texts are put at 1-based columns.
class Grade {
public:
    explicit Grade(std::size_t largura) : linha_(largura, ' ') {}
    Grade& Poe(std::size_t coluna, std::string_view texto);
    Grade& Barras(std::initializer_list<std::size_t> colunas);
    Grade& Tracos(std::size_t de, std::size_t ate, char c = '-');
    const std::string& Texto() const { return linha_; }

private:
    std::string linha_;
};

}  // namespace vorel::sheets::formato
