// Work rows of the vehicle sheets for the output tests: a model-0 entry row and exit row (a
// model-1 row is an entry row with its sale filled in).
#pragma once

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::computation::testing {

inline dictionary::EntradaSaidaVorelRec Entrada(const char* chassi, date::Day d, const char* numero, const char* base,
                                                const char* estoque) {
    dictionary::EntradaSaidaVorelRec w{};
    w.ENTSAI = 1;
    w.CHASSI = chassi;
    w.DATA = d;
    w.DATAESPELHO = d;
    w.NUMERO = numero;
    w.SERIE = "1";
    w.BASEICMS = Decimal::from_string(base);
    w.BASEPROPSUBSTITUIDO = Decimal::from_string("800");
    w.BASEESTREMANESCENTE = Decimal::from_string(estoque);
    return w;
}

// `entrada` is the paired entry's retention base ("0": no entry); the own-operation base is
// `propria`, else 800 for a paired exit.
inline dictionary::EntradaSaidaVorelRec Saida(const char* chassi, date::Day d, const char* numero, const char* base,
                                              const char* entrada, const char* propria = nullptr) {
    dictionary::EntradaSaidaVorelRec w{};
    w.ENTSAI = 2;
    w.CHASSI = chassi;
    w.DATA = d;
    w.DATAESPELHO = d;
    w.NUMERO = numero;
    w.SERIE = "2";
    w.BASEICMS = Decimal::from_string(base);
    w.BASEEFETENT = Decimal::from_string(entrada);
    w.BASEPROPSUBSTITUIDO = Decimal::from_string(propria ? propria : *entrada == '0' ? "0" : "800");
    return w;
}

// A model-1 row: the entry `e` sold on `d` at `base`, its own entry's bases on the row.
inline dictionary::EntradaSaidaVorelRec Vendido(dictionary::EntradaSaidaVorelRec e, date::Day d, const char* numero,
                                                const char* base) {
    e.ENTSAI = 2;
    e.SDATA = d;
    e.SNUMERO = numero;
    e.SSERIE = "2";
    e.SBASEICMS = Decimal::from_string(base);
    e.BASEEFETENT = e.BASEICMS;
    e.BASEESTREMANESCENTE = Decimal(0);
    return e;
}

}  // namespace vorel::computation::testing
