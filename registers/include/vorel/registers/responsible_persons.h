// The responsible persons of the working company (table Funcionarios in the company folder): the
// test that a person was admitted after the working month, the employee categories the form
// offers, and the row colours of the browse "BFuncionarios".
//
//     bool later = AdmitidoAposPeriodo(file.rec<FuncionariosRec>());   // orange row, "Status" 1
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/shell/period.h"

namespace vorel::dictionary {
struct FuncionariosRec;
}

namespace vorel::registers {

// True when the admission's year is later than the period's year, or equal with a later month than
// the period's month; false for an empty admission date.
bool AdmitidoAposPeriodo(const dictionary::FuncionariosRec& rec, const shell::EmpresaPeriodo& periodo);

struct CategoriaFuncionario {
    std::uint8_t codigo = 0;
    std::string descricao;  // UTF-8, as the window shows it
};
// The categories in code order (codes 8 to 10 do not exist).
const std::vector<CategoriaFuncionario>& CategoriasFuncionario();
// The description of a category; nullptr when the code is not one.
const CategoriaFuncionario* CategoriaPorCodigo(int codigo);

// Colours of a person admitted after the working month (Windows RGB; other rows use the defaults).
inline constexpr long kFundoAdmitidoPosterior = 8437759;        // red 255, green 191, blue 128
inline constexpr long kFundoAdmitidoPosteriorSelecao = 27607;   // red 215, green 107, blue 0

}  // namespace vorel::registers
