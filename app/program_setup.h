// What both runs of the program (with windows and headless) do before the first procedure starts:
// every subsystem built so far registers its procedures by name, the shell finds the data root and
// makes its folders, and each procedure thread gets its own table dictionary.
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::app {

struct ProgramSetup {
    ui::Runtime::Options options;  // the dictionary built and torn down on each procedure thread
    std::string error;             // not empty: the program cannot start (a missing data root)
};

// Registers the procedures and runs the start-up.
ProgramSetup PrepareProgram();

// Adds every subsystem's procedures to the registry (the shell's come with its start-up); what
// PrepareProgram does besides the start-up, for tests that open the program's windows.
void AddSubsystemProcedures();

}  // namespace vorel::app
