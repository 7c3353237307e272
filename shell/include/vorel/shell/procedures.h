// The shell's procedures in the procedure registry, by the names the menu and other subsystems
// use ("Main", "Login", "Sobre", "TrocaPapelParede", ...). The program calls this once at start;
// a shell procedure joins by one line in src/procedures.cpp.
#pragma once

namespace vorel::shell {

void RegisterShellProcedures();

}  // namespace vorel::shell
