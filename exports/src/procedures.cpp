// Registration of the exports procedures under the names the main menu starts.
#include "vorel/exports/procedures.h"

#include <mutex>

#include "vorel/ui/runtime.h"

namespace vorel::exports {

void AddExportProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        using ui::ProcedureRegistry;
        (void)sizeof(ProcedureRegistry);  // each procedure of the folder adds its line here
    });
}

}  // namespace vorel::exports
