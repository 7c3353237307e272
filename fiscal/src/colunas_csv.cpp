// Columns of the `;` exports (vorel/fiscal/colunas_csv.h).
#include "vorel/fiscal/colunas_csv.h"

#include <map>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"

namespace vorel::fiscal::colunas_csv {

std::string Numero(std::string_view picture, const Decimal& valor, std::string_view coluna) {
    // The exports write a handful of pictures a great many times: each is compiled once a thread.
    thread_local std::map<std::string, picture::Picture, std::less<>> compiladas;
    auto i = compiladas.find(picture);
    if (i == compiladas.end()) i = compiladas.emplace(std::string(picture), picture::Picture(picture)).first;
    const picture::Picture& p = i->second;
    if (!picture::fits(p, valor))
        throw NaoCabe("O valor " + valor.to_string() + " não cabe na coluna \"" + text::to_utf8(coluna) + "\" (" +
                      std::to_string(p.width()) + " posições).");
    return picture::format(p, valor);
}

std::string Simples(const Decimal& valor) { return valor.to_string(); }

std::string Texto(std::string_view texto, std::size_t largura) { return text::pad(texto.substr(0, largura), largura); }

std::string Cnpj(std::string_view cnpj) { return picture::format("@p##.###.###/####-##p", text::trim(cnpj)); }

Decimal CodigoDoTexto(std::string_view texto) { return Decimal::parse(text::trim(texto)).value_or(Decimal(0)); }

}  // namespace vorel::fiscal::colunas_csv
