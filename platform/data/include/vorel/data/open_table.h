// AbreArquivo and the standard warnings (AvisoPadrao and its short forms).
//
// Reports and batch processes open their tables with AbreArquivo: it opens, retries an access
// denied (32) after "Recover=10", creates a missing file, offers to rebuild invalid keys (46), and
// ends the program with a standard warning when the table cannot be used. The warnings are boxes in
// English shown through the thread's asker; a warning that ends the program asks the asker to halt
// with its halt message ("Invalid File!", "Disk Error", ...). When the asker's halt returns (tests),
// AbreArquivo returns with the table closed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vorel/data/file_manager.h"

namespace vorel::data {

void AbreArquivo(FileManager& table, std::uint8_t create = 1, std::uint8_t noCreate = 0, std::uint8_t accessMode = 0,
                 std::uint8_t shared = 1);

// Shows the standard warning `number` (1, 2, 3, 4, 5, 30, 35, 36) with text1 as its name text.
// Returns the button pressed (1 for OK), 2 for Yes on the key-rebuild question; a warning that ends
// the program halts and returns 0 if the halt comes back.
int AvisoPadrao(int number, std::string_view text1, std::string_view text2);
int AvisoPadraoComTexto(int number, std::string_view text);
void AvisoPadraoSemTexto(int number);

// The error text E of a warning, from the thread's last error: "<message> (<code>)", the system's
// own message and code for 90; at most 150 characters.
std::string warning_error_text();

}  // namespace vorel::data
