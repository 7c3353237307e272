// The exports (the `;` files for spreadsheets) procedures, registered by name for the main menu.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::exports {

// Registers every procedure of this folder (once per process).
void AddExportProcedures();

}  // namespace vorel::exports
