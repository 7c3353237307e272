// Dates kept as the text of their day number.
#include "vorel/dictionary/text_dates.h"

namespace vorel::dictionary {

std::string DataComoTexto(date::Day dia) { return dia > 0 ? std::to_string(dia) : std::string(); }

date::Day DiaDoTexto(std::string_view texto) {
    std::size_t i = 0;
    while (i < texto.size() && texto[i] == ' ') ++i;
    long long dia = 0;
    std::size_t digitos = 0;
    for (; i < texto.size() && texto[i] >= '0' && texto[i] <= '9'; ++i, ++digitos) {
        dia = dia * 10 + (texto[i] - '0');
        if (digitos >= 8) return 0;  // more digits than a text of 8 holds
    }
    return static_cast<date::Day>(dia);
}

}  // namespace vorel::dictionary
