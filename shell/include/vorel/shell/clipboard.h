// The clipboard as the shell's windows see it: the calculator takes its first value from it and
// carries its result to it.
//
// The text is kept in the process (UTF-8); a front end with a real clipboard installs its two
// functions with `InstalaAreaTransferencia` (called on procedure threads: it must hand the work to
// its GUI thread and wait), and the headless tests read and set the kept text.
#pragma once

#include <functional>
#include <string>

namespace vorel::shell {

std::string LeAreaTransferencia();
void GravaAreaTransferencia(const std::string& texto);
void InstalaAreaTransferencia(std::function<std::string()> le, std::function<void(const std::string&)> grava);

}  // namespace vorel::shell
