// The shell's procedures in the procedure registry, by the names the menu and other subsystems
// use ("Main", "Login", "Sobre", "TrocaPapelParede", ...). The program calls this once at start;
// a shell procedure joins by one line in src/procedures.cpp.
#pragma once

namespace vorel::shell {

void RegisterShellProcedures();

// The company register, the working company and period windows, the calculator, the month closing
// and the parameters windows (called by RegisterShellProcedures).
void RegisterCompanyProcedures();

}  // namespace vorel::shell
