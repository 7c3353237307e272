// The rules of the sheet columns: how one movement row of the monthly valuation changes a product's
// stock (weighted moving average) and which retention bases it yields.
//
// Pure arithmetic over a work row (`EntradaSaidaVorelRec`) and the product's running values
// (`Corrente`); the two entry bases that need the entry files (the base of the last entries of
// columns 4 and 5, the own base of the latest stock return entry of column 9) come through
// `BasesEntradas`, so the rules can be run from a table of cases without any file.
//
//     Corrente c;  ... opening balance in c.S, c.W, c.X ...
//     AplicaRegra(cfo.COLUNA, {.adotaLei = emp.ADOTALEI == 1}, c, linha, bases);
//     totais.Soma(linha, SubtraiDosTotais(cfo.COLUNA, linha.CFO));
//
// cut(x) is `TruncaDuasCasas` over x held with five places: cut toward zero to two decimals.
// Every other store rounds half away from zero to its field's places.
#pragma once

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/decimal_field.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/colunas.h"

namespace vorel::computation {

using LinhaTrabalho = dictionary::EntradaSaidaVorelRec;

// The rule a row follows (the floor's columns, named alike in every subsystem).
using fiscal::Coluna;
using enum fiscal::Coluna;

// `TruncaDuasCasas` of x computed as decimal(15,5).
Decimal TruncaDuasCasas(const Decimal& x);

// A product's running values while its rows are walked.
struct Corrente {
    DecimalField<15, 3> S{};   // quantity
    DecimalField<13, 6> W{};   // unit value
    DecimalField<11, 2> X{};   // retention base
    DecimalField<13, 6> L{};   // last positive unit value after an exit row (as wide as W)
    DecimalField<13, 6> E{};   // unit value of the latest exit of columns 2 to 6
    DecimalField<13, 6> P{};   // previous unit value (follows every row's unit value above 0)
    DecimalField<11, 4> baseUnitConsumidor{};  // unit base of the latest final-consumer exit with a base
    bool negativo = false;
};

// The entry bases some exits need from the entry files.
class BasesEntradas {
public:
    virtual ~BasesEntradas() = default;
    // Columns 4 and 5: own base of the product's latest qualifying entries covering `quantidade`.
    virtual Decimal UltimasEntradas(const LinhaTrabalho& linha) = 0;
    // Column 9: cut(cut(own base / quantity) x row quantity) of the latest 1403/2403 entry.
    virtual Decimal DevolucaoEstoque(const LinhaTrabalho& linha) = 0;
};

struct ContextoRegra {
    bool adotaLei = false;  // EMP:ADOTALEI is 1
};

// Whether the law's effective base (the computed retention) applies to a final-consumer or
// cash-register row of this date and CFOP.
bool LeiAplica(const ContextoRegra& ctx, date::Day data, int cfo);

// Applies the rule of `coluna` to `linha` (its DATA, CFO, QUANTIDADE, BASEICMS): writes its seven
// results, its SAIVALUNITARIO and its three balance columns, and moves `c` on. With `kSemRegra` the
// row carries the running values unchanged and its results are 0.
void AplicaRegra(int coluna, const ContextoRegra& ctx, Corrente& c, LinhaTrabalho& linha, BasesEntradas& bases);

// Whether a row's results are subtracted from the month totals (else added).
using fiscal::SubtraiDosTotais;

// The seven month totals of a product.
struct TotaisMes {
    DecimalField<11, 2> consumidorFinal{}, fatoGeradorNaoRealizado{}, isenta{}, outroEstado{},
        subsequente{}, confUsuarioFinal{}, confDemaisHipoteses{};
    void Soma(const LinhaTrabalho& linha, bool subtrai);
};

}  // namespace vorel::computation
