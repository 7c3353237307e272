// A small test-only register for the front end's tests: a frame with a menu, a browse over an
// in-memory table of its own and a form that inserts into it. Its records live in `Store`, which
// the procedures reach under a lock (the browse and the form run on one procedure thread; the
// test reads from the GUI thread).
#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace vorel::qt::testing {

struct SampleRecord {
    int code = 0;
    std::string description;   // UTF-8
    std::string value;         // typed with the picture's decimal comma ("12,50")
    int column = 0;            // position in the drop list, 0 none
    int vehicle = 1;           // explicit values 1..3
    bool active = false;
    std::string notes;
};

struct SampleStore {
    std::mutex m;
    std::vector<SampleRecord> records;
    std::vector<SampleRecord> Snapshot() {
        std::lock_guard lock(m);
        return records;
    }
};

SampleStore& Store();

// Registers "TesteFrame" (the frame: menu "&Cadastros" with "&Registro de Teste\tCtrl + T",
// toolbar, clock zone), "TesteRegistro" (browse "Registros de Teste") and "TesteForm" (form
// "Cadastro de Teste", caption "Inclui Registro de Teste" on insert).
void RegisterSampleProcedures();

}  // namespace vorel::qt::testing
