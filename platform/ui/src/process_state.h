// Internal: the process-wide state of the window layer, all defined in process_state.cpp.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "vorel/ui/guarded.h"
#include "vorel/ui/runtime.h"

namespace vorel::ui::detail {

struct ProcedureTable {
    std::mutex m;
    std::map<std::string, std::pair<std::string, ProcedureFn>> byFoldedName;  // folded -> (name, fn)
};
ProcedureTable& Procedures();

struct GlobalTable {
    std::mutex m;
    std::map<std::string, GlobalRegistry::Entry> byFoldedName;
};
GlobalTable& Globals();

// The procedure context of the running thread.
ProcContext*& CurrentContext();

}  // namespace vorel::ui::detail
