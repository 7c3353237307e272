// CFOP codes as every subsystem reads them: the lists and ranges that the movement forms, the
// imports, the monthly computation and the sheets decide alike. A new rule over codes that a
// second subsystem needs goes here, not into a copy.
//
//     if (!fiscal::CfoDoPeriodo(item.CFO, ano)) ... refused: the other numbering's code
//     saldo += fiscal::RetornaAoEstoque(cfo) ? quantidade : -quantidade;
#pragma once

namespace vorel::fiscal {

// An entry's code: 1001 to 4999, or below 500 in the three-digit numbering.
inline bool CfoDeEntrada(int cfo) { return (cfo >= 1001 && cfo <= 4999) || cfo < 500; }
// An exit's code typed on an entry: up to 999, 500 or more; above 999, 5000 or more.
inline bool CfoDeSaida(int cfo) { return cfo <= 999 ? cfo >= 500 : cfo >= 5000; }
// The numbering of the working year: three-digit codes up to 2002, four-digit codes from 2003.
inline bool CfoDoPeriodo(int cfo, int ano) { return cfo <= 999 ? ano <= 2002 : ano >= 2003; }

// Returns, for which the entry form asks the origin invoice: 1411, 2411, 1661, 2661, 1662, 2662,
// 1202, 2202.
bool CfoDeDevolucao(int cfo);
// A movement of an exit column that returns its quantity to the stock: 178, 278, 1411, 2411, 1611,
// 2611, 1661, 2661, 1662, 2662, 1202, 2202.
bool RetornaAoEstoque(int cfo);
// A row subtracted from the month's totals: 178, 278, 1411, 2411, 1661, 2661, 1202, 2202.
bool SubtraidoDosTotais(int cfo);
// An entry valued at the current average instead of its own base: 176, 276, 1659, 2659.
bool EntradaReavaliada(int cfo);
// A purchase with the tax retained, whose bases later items take: 1403, 2403.
inline bool CompraComRetencao(int cfo) { return cfo == 1403 || cfo == 2403; }

}  // namespace vorel::fiscal
