// What the `;` exports write alike (those of exports/ and those that run the computation first, in
// computation/): a number in its column's picture (decimal comma, points between thousands, a
// leading "-" on a negative value), refused with the value and the column named when the column
// cannot hold it; a plain number in digits; a text cut or filled to its width; the CNPJ pattern.
//
//     linha += colunas_csv::Numero("@n-15`2", total, "Base Calculo") + ";";
//     try { ... } catch (const colunas_csv::NaoCabe& e) { return report::Outcome::failure(e.what()); }
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "vorel/core/decimal.h"

namespace vorel::fiscal::colunas_csv {

// A value too wide for its column: the export stops rather than write '#' or lose digits.
struct NaoCabe : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// `valor` through `picture`; throws NaoCabe naming `coluna` when it does not fit.
std::string Numero(std::string_view picture, const Decimal& valor, std::string_view coluna);
// Digits only (a sign on a negative value), as many places as the value has ("18", "7.5").
std::string Simples(const Decimal& valor);
// The text cut or blank-filled to `largura` characters.
std::string Texto(std::string_view texto, std::size_t largura);
// A CNPJ text read as a number and written "##.###.###/####-##", leading zeros kept ("123" gives
// "00.000.000/0001-23").
std::string Cnpj(std::string_view cnpj);
// The product code kept as text in the balances (`SQEL:Produto`) as a number; 0 when it is none.
Decimal CodigoDoTexto(std::string_view texto);

}  // namespace vorel::fiscal::colunas_csv
