// Steps on the running thread's users table (`Senhas`, open by the caller): find a user, list
// them, add one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::shell {

// A name or password as the table holds it: Windows-1252, at most 20 characters, no padding.
std::string Campo20Cp(std::string_view cp1252);

data::FileManager& TabelaSenhas();
dictionary::SenhasRec& RegistroSenhas();
// The user of that name (case ignored, as the key does), or none.
std::optional<dictionary::SenhasRec> ProcuraUsuario(const std::string& nome);
std::vector<dictionary::SenhasRec> TodosUsuarios();
// Adds a user (raw add): kNoError, or kDuplicateKey when the name exists.
data::Result AdicionaUsuario(const std::string& nome, const std::string& senha, std::uint8_t adm);

}  // namespace vorel::shell
