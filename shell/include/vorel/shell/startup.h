// The program's start (`ProgramaPrincipal`): the data root, the fixed folders under it and the
// shell-wide folder values, before any window exists.
//
// The data root is the working folder when its full path, in upper case, contains "TRABALHO";
// otherwise key "NetPath" of section "Servidor_Vorel" of "Marvex.ini" (default: the working
// folder). It always ends in one backslash. Under it the start-up creates, in this order, the root
// itself, "BComuns", "BEscrita", "BCTB", "BVOREL", "Excel" and "Temp"; `PastaTemp` is root & "Temp\".
// Nothing here changes the process's working folder; it is only read.
//
//     auto r = vorel::shell::IniciaPrograma(vorel::shell::PastaTrabalho(), exeFolder);
//     for (auto& f : r.falhas) std::fprintf(stderr, "%s\n", f.c_str());
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorel::shell {

// The working folder of the process, in program form (Windows-1252, backslashes).
std::string PastaTrabalho();

// The folder of the running program's executable, in program form ("." when unknown).
std::string PastaDoExecutavel();

// The data root for a working folder (program form), by the rule above.
std::string DeterminaPastaRaiz(std::string_view pastaTrabalho);

// The fixed folders under a data root, in the order they are created (the root first).
std::vector<std::string> PastasFixas(std::string_view pastaRaiz);

// Creates the fixed folders; returns one line per folder that could not be created (empty when
// all exist afterwards).
std::vector<std::string> CriaPastas(std::string_view pastaRaiz);

struct Inicio {
    std::string pastaRaiz;
    std::vector<std::string> falhas;  // folders that could not be created
};

// Steps of the start-up that need no window: registers the shell's globals, finds the data root,
// creates the folders and sets `PastaRaiz`, `PastaTemp` and `PastaPrograma`.
Inicio IniciaPrograma(std::string_view pastaTrabalho, std::string_view pastaPrograma);

// The program's own start: the shell's procedures registered, then IniciaPrograma on the process's
// working folder and the executable's folder; folders that could not be created are said on
// standard error (the tables in them say it again when they cannot open).
Inicio ProgramaPrincipal();

}  // namespace vorel::shell
