// The temporary files of runs whose process is gone: removed by the next program that looks.
//
// A temporary file (`NomeArqTemp`: a computation's work table, an import's staging file, a summary,
// a text report) belongs to the process that made it, which notes it under its owner slot: a byte of
// "Temporarios.lck" in the data root's journal folder (the state folder without a root) that the
// process holds locked for as long as it runs (an open-file-description lock, let go when the process
// dies, however it dies), and the list "Temporarios<slot>.lst" beside it of the files it made (named
// relative to the data root, so that any workstation finds them). A list whose slot no process holds
// was left by a process that is gone: each file it names is removed with its "-journal" and "-lock",
// then the list. A process that takes a slot first clears what a dead one left under it; the start-up
// clears the lists of every dead slot (`RemoveSobras`). A forked child takes a slot of its own.
//
//     AnotaTemporario(nome.nome);              // NomeArqTemp does this for every name it takes
//     RemoveSobras();                          // at start-up: the leftovers of killed runs
#pragma once

#include <string>

namespace vorel::shell {

// Notes `arquivo` (a program path) as this process's. An error text (UTF-8) when it could not be
// noted (the file is then left behind should the process be killed).
std::string AnotaTemporario(const std::string& arquivo);

// Removes the files that processes no longer running noted, and their lists; the number of files
// removed.
int RemoveSobras();

}  // namespace vorel::shell
