// Every process-wide variable of the window layer lives here, so that each exists once.
#include "process_state.h"

#include "vorel/ui/focus_highlighter.h"

namespace vorel::ui::detail {

ProcedureTable& Procedures() {
    static ProcedureTable table;
    return table;
}

GlobalTable& Globals() {
    static GlobalTable table;
    return table;
}

ProcContext*& CurrentContext() {
    thread_local ProcContext* current = nullptr;
    return current;
}

}  // namespace vorel::ui::detail


namespace vorel::ui {

Guarded<long>& StandardHighlightColour() {
    static Guarded<long> colour{0};
    return colour;
}

}  // namespace vorel::ui
