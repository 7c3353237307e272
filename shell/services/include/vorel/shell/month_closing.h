// The closing rule of the months and its log (tables FechamentoEscrita and LogEscrita).
//
// Month m/y is closed exactly when FechamentoEscrita holds the record with FEF:MESANO = day 1 of
// m/y and FEF:CODEMPRESA = 0 (a closed month is closed for every company). Closing adds that
// record, reopening deletes it, and each change made adds one LogEscrita record (type 1 closing,
// 0 reopening, company 0) for the user who confirmed it, written after the change and in the same
// transaction: a month that was closed already (or not closed) is no change and writes no log.
// The user is handed over in memory by the caller; nothing is read from a settings file.
// The last month that can be closed or reopened is 11/9999: the month after 12/9999 has no date.
// A range stops, writing nothing, when its caller's stop test says the program is closing.
//
// Everything here works through the calling thread's own table objects (its dictionary).
//
//     Alteracao a = FechaMeses(date::make(2015, 11, 1), date::make(2016, 2, 1), {"ANA", hoje, agora});
//     if (!a.erro.empty()) Message(a.erro, "Aviso!");
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/date.h"

namespace vorel::shell {

enum class TipoLog : std::uint8_t { Abertura = 0, Fechamento = 1 };

// Who confirmed, and when (the log's LOG1:USUARIO, LOG1:DATA, LOG1:HORA).
struct Autor {
    std::string usuario;   // Windows-1252, up to 20 characters
    date::Day data = 0;
    date::Time hora = 0;
};

struct Alteracao {
    std::vector<date::Day> meses;  // day 1 of each month actually closed or reopened, in order
    std::string erro;              // not empty: nothing was written (the message to show, UTF-8)
};

// True when the month of `dia` is closed.
bool MesFechado(date::Day dia);

// The first day of the last month that can be closed or reopened (11/9999).
date::Day UltimoMesAceito();

// The range check of the two range windows: "" when the range can run, else the message
// ("Preencha o Mês / Ano Inicial", "Preencha o Mês / Ano Final",
// "Mês / Ano Inicial maior que Mês / Ano Final", "Mês / Ano Final além de 11/9999").
std::string ConfereIntervalo(date::Day inicial, date::Day final);

// True when the program is closing (e.g. `[&ctx] { return ctx.StopRequested(); }`).
using Parar = std::function<bool()>;

// Closes (or reopens) every month from the month of `inicial` to the month of `final`, in order,
// in one transaction; a failed write undoes them all and says so, and so does `parar` turning
// true on the way ("Fechamento interrompido...").
Alteracao FechaMeses(date::Day inicial, date::Day final, const Autor& autor, const Parar& parar = {});
Alteracao AbreMeses(date::Day inicial, date::Day final, const Autor& autor, const Parar& parar = {});

// One month (the form of the closed-months list): the change and its log, or the message why not
// ("Mês já está fechado" when closing a closed month, "Mês não está fechado" when reopening,
// "Mês / Ano além de 11/9999").
Alteracao FechaMes(date::Day mes, const Autor& autor);
Alteracao AbreMes(date::Day mes, const Autor& autor);

// A log record's description: "Fechamento" for a type other than 0, else "Abertura".
std::string DescricaoLog(std::uint8_t tipo);

}  // namespace vorel::shell
