// A small test-only register for the front end's tests: a frame with a menu, and a register of its
// own table ("TesteQt": code, description, value, print column, vehicle column, active, notes)
// with a browse and a form written like the program's registers (BrowseWindow, FormController).
// The table lives at `SampleTablePath`; each procedure thread opens it (`SampleRuntimeOptions`).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/core/fixed_string.h"
#include "vorel/ui/runtime.h"

namespace vorel::qt::testing {

struct SampleRecord {
    std::uint16_t Codigo = 0;
    String<40> Descricao;
    String<16> Valor;            // as typed, with the decimal comma ("12,50")
    std::uint8_t Coluna = 0;     // position in the drop list, 0 none
    std::uint8_t Veiculo = 1;    // explicit values 1..3
    std::uint8_t Ativo = 0;
    String<200> Observacoes;
};

// Where the table file goes (set before the first procedure starts).
void SetSampleTablePath(const std::string& path);
// Thread start and end that open and close the table on every procedure thread.
ui::Runtime::Options SampleRuntimeOptions();
// The table's records in key order, read on a thread of its own.
std::vector<SampleRecord> ReadSampleRecords();
// Adds records to the table, on a thread of its own; false when one is refused.
bool WriteSampleRecords(const std::vector<SampleRecord>& records);

// Registers "TesteFrame" (the frame: menu "&Cadastros" with "&Registro de Teste\tCtrl + T",
// toolbar, clock zone), "TesteRegistro" (browse "Registros de Teste") and "UTesteRegistro" (form,
// caption "Inclui Registro de Teste" on insert).
void RegisterSampleProcedures();

}  // namespace vorel::qt::testing
