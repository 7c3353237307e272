// The program's start (`ProgramaPrincipal`): the data root, the fixed folders under it and the
// shell-wide folder values, before any window exists.
//
// The data root is the working folder when its full path, in upper case, contains "TRABALHO";
// otherwise key "NetPath" of section "Servidor_Vorel" of "Marvex.ini" (default: the working
// folder). It always ends in one backslash. The root must exist (a share that is not mounted is an
// error naming the path, and nothing is created); under it the start-up creates, in this order,
// "BComuns", "BEscrita", "BCTB", "BVOREL", "Excel" and "Temp"; `PastaTemp` is root & "Temp\".
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

// "" when the data root is an existing folder, else the message that names it (UTF-8).
std::string ConfereRaiz(std::string_view pastaRaiz);

struct Inicio {
    std::string pastaRaiz;
    std::string erro;                 // not empty: the data root is missing and the program must stop
    std::vector<std::string> falhas;  // folders that could not be created
};

// Steps of the start-up that need no window: registers the shell's globals, finds the data root,
// and, when it exists, creates the folders under it and sets `PastaRaiz`, `PastaTemp` and
// `PastaPrograma`.
Inicio IniciaPrograma(std::string_view pastaTrabalho, std::string_view pastaPrograma);

// The program's own start: the shell's procedures registered, then IniciaPrograma on the process's
// working folder and the executable's folder; a missing data root and folders that could not be
// created are said on standard error (the caller stops the program on `erro`).
Inicio ProgramaPrincipal();

}  // namespace vorel::shell
