// The dated change history of a person's fields (table ACFuncionarios): read the value of one
// kind of change that applies on a date, and record a new value from a date.
//
// Records are keyed by person, change type and date (latest first); the record that applies on a
// date is the latest one dated on or before it (a form passes the working month's first day). The
// change type decides what tells a new value from the
// one in force: type 2 the second date, type 8 the text (the responsible person's function), types
// 1, 3 to 7 and 9 to 36 the value; for any other type a value is never taken as changed. Both
// routines work on the calling thread's ACFuncionarios object and leave it open when it was open.
// Texts are Windows-1252.
//
//     std::string funcao;
//     HistoricoLido lido;  lido.texto = &funcao;
//     LeHistoricoFuncionario(codigo, 8, mes, lido);
//     HistoricoNovo novo;  novo.texto = funcao;
//     GravaHistoricoFuncionario(codigo, 8, mes, novo);
#pragma once

#include <cstdint>
#include <string>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"

namespace vorel::registers {

// Where the values of the record found go; a null pointer skips that value.
struct HistoricoLido {
    std::string* texto = nullptr;      // ACFUN:ALTERACAO
    date::Day* dataEx = nullptr;       // ACFUN:DATAEX
    Decimal* valor = nullptr;          // ACFUN:VALOR
    std::string* anotacao = nullptr;   // ACFUN:ANOTACAO
};

// The values of a change: the text and the note are cut to 50 characters; the value is typed text
// read with four decimal places (blank is 0).
struct HistoricoNovo {
    std::string texto;
    std::string valor;
    std::string anotacao;
    date::Day dataEx = 0;
};

// True, with the values put where `out` says, when a record of that person and type is dated on
// or before `data`; false, changing nothing, when none is or it cannot be read.
bool LeHistoricoFuncionario(std::uint32_t codigo, std::uint8_t tipo, date::Day data, const HistoricoLido& out = {});

// Adds a record, or rewrites the one dated `data`, when the value differs from the one in force
// (or none is); true when it wrote (also when the write failed: the failure is shown in a message
// box), false when the value had not changed and nothing was written.
bool GravaHistoricoFuncionario(std::uint32_t codigo, std::uint8_t tipo, date::Day data, const HistoricoNovo& novo);

}  // namespace vorel::registers
