// Dates kept as text in the cash-register tables (`LAN:DataEmissao`, `ANA:DataEmissao`,
// `MMR:DataEmissao`): a text of 8 holding the date's day number in decimal digits, left-aligned and
// blank-padded ("76511   "). Forms show them as dates; readers turn them into day numbers before
// comparing, since the text orders as the dates do only while every day number has 5 digits.
//
//     rec.DataEmissao = DataComoTexto(date::make(2010, 3, 10));
//     date::Day d = DiaDoTexto(rec.DataEmissao.value());   // 0 for blank or a text that is no number
#pragma once

#include <string>
#include <string_view>

#include "vorel/core/date.h"

namespace vorel::dictionary {

// The day number as the tables keep it: its digits, or "" for no date (0 or negative).
std::string DataComoTexto(date::Day dia);

// The day number in a stored text: its leading digits after leading blanks; 0 when there are none,
// or when they do not fit a day number.
date::Day DiaDoTexto(std::string_view texto);

}  // namespace vorel::dictionary
