// The maintenance (table files, unification, batch repairs) procedures, registered by name for the main menu.
#pragma once

namespace vorel::ui {
class ProcContext;
}

namespace vorel::maintenance {

// Registers every procedure of this folder (once per process).
void AddMaintenanceProcedures();

// The batch changes of movements and products.
void RunJanAltCFOLote(ui::ProcContext& ctx);
void RunCopiaCodProdutos(ui::ProcContext& ctx);


}  // namespace vorel::maintenance
