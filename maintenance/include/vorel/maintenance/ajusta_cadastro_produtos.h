// The batch change of the product register ("Ajustar Cadastro de Produtos"): over every product in
// code order, any of four changes: the alias becomes the code (its digits, left-aligned, as the
// look-ups by code text write it: "123"), the start date and the end date take given values (an
// empty one included), and the rate changes from a date (`shell::MudaAliquotaDesde`: the open rows
// of another rate close on the day before, a row of the new rate opens on the date; the product's
// `PRO:Alicota` takes the new rate only when it had an open row).
//
// Each product is one transaction holding its record and its rate-history rows, read and written
// through this run's own cursors: a failure, or the progress callback's false, rolls back the
// product in hand and stops; the products done before stay changed. Every product is rewritten and
// counted, also when no option changed it.
//
//     AjusteCadastro a{.apelido = true};
//     ResultadoReparo r = AjustaCadastroProdutos(a, progresso);   // r.alterados: products done
#pragma once

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/maintenance/resultado_reparo.h"

namespace vorel::maintenance {

struct AjusteCadastro {
    bool apelido = false;
    bool dataInicial = false;
    date::Day dataInicialProduto = 0;
    bool dataFinal = false;
    date::Day dataFinalProduto = 0;
    bool aliquota = false;
    date::Day dataAliquota = 0;  // the first day of the new rate
    Decimal novaAliquota;
    date::Day hoje = 0;          // the change date of the rows closed
};

// Over the product register of the working company (the table's name variable); the progress
// hears (products done, products in all).
[[nodiscard]] ResultadoReparo AjustaCadastroProdutos(const AjusteCadastro& a, const ProgressoReparo& progresso = {});

}  // namespace vorel::maintenance
