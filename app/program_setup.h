// What both runs of the program (with windows and headless) do before the first procedure starts:
// every subsystem built so far registers its procedures by name, the shell finds the data root and
// makes its folders, and each procedure thread gets its own table dictionary.
#pragma once

#include "vorel/ui/runtime.h"

namespace vorel::app {

// Registers the procedures and runs the start-up; returns the runtime options for procedure
// threads (the dictionary built and torn down on each thread).
ui::Runtime::Options PrepareProgram();

}  // namespace vorel::app
