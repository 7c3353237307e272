// Month maintenance of the computation, callable without windows: the two clean-ups of the
// monthly computation window (`CalculoMensal`) and the recalculation of entry items from the
// product value table (`RecalcLancamentos`).
//
// Each runs on a thread whose table dictionary is set up, for the working company and year, and
// writes in one transaction: a failure leaves the tables as they were and comes back as a text.
//
//     ResultadoLimpeza r = ExcluiSaldoNegativo(date::first_of_month(2016, 3), progresso);
//     if (!r.ok()) show(r.erro);
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"

namespace vorel::computation {

// Called once per record read with (records done, records in all); false stops and rolls back.
using ProgressoManutencao = std::function<bool(long long, long long)>;

struct ResultadoLimpeza {
    std::string erro;              // UTF-8; empty when done
    bool cancelado = false;
    long long saldosExcluidos = 0;
    long long saidasExcluidas = 0;
    bool ok() const { return erro.empty() && !cancelado; }
};

// "Excluir Alíquotas Zeradas" (and "Exclui Saldo Zero"): deletes the month records of `SaldosVorel`
// (month of `mes`) whose rate is 0, whatever their quantity and values. The progress hears every
// month record read, out of the records of the year's table.
[[nodiscard]] ResultadoLimpeza ExcluiAliquotasZeradas(date::Day mes, const ProgressoManutencao& progresso = {});

// "Excluir Saldo Negativo": for every month record whose quantity is below 0, deletes the
// product's exits of the month from the last day backwards until the deficit is covered, then the
// month record. Only exits that lower the stock are deleted (a positive quantity whose CFOP is not
// a stock-raising return); the others are passed over and left alone.
[[nodiscard]] ResultadoLimpeza ExcluiSaldoNegativo(date::Day mes, const ProgressoManutencao& progresso = {});

struct OpcoesRecalculo {
    bool todos = false;      // every product, else `produto` only
    Decimal produto;
    date::Day inicio = 0;
    date::Day fim = 0;
};

// A rewritten entry item as the window lists it; `base` is the item's base after the run (its own
// base when no value was in force).
struct LinhaRecalculo {
    date::Day data = 0;
    std::string serie;
    std::uint32_t numero = 0;
    Decimal produto;
    Decimal quantidade;
    Decimal base;
};

struct ResultadoRecalculo {
    std::string erro;  // UTF-8; empty when done
    bool cancelado = false;
    std::vector<LinhaRecalculo> linhas;  // in the order of date, series, number, product
    bool ok() const { return erro.empty() && !cancelado; }
};

// `RecalculaEntradasProduto` / `RecalculaEntradasTodos`: every entry item of the period gets the
// latest unit value of its product in force on its date (`TabValorIndProduto`) times its quantity
// as its ICMS base, and that base times the product register's rate / 100 as its ICMS value. An
// item without a value in force, or with a value of 0, keeps both.
[[nodiscard]] ResultadoRecalculo RecalculaEntradas(const OpcoesRecalculo& opcoes,
                                                   const ProgressoManutencao& progresso = {});

}  // namespace vorel::computation
