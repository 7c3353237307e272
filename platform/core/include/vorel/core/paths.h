// Paths and files as the program names them.
//
// Procedures write paths the Windows way ("C:\Vorel\BVOREL\\Produtos.tps", "BComuns\Vorel.ini"):
// backslashes, doubled separators, any letter case. On Linux each component is resolved against
// what exists, without regard to case ("BVOREL" and "BVorel" are one folder); components that do
// not exist yet keep the case given, so a created file carries the name the program wrote.
// The process never changes its working folder: relative paths resolve against the folder given,
// or the working folder the program started in.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vorel::files {

namespace fs = std::filesystem;

// A program path (Windows-1252, backslashes or slashes) turned into a native path, resolving each
// existing component case-insensitively. Doubled separators are tolerated. "X:\" drive prefixes are
// dropped on Linux.
fs::path resolve(std::string_view program_path);

// Native path back to program form (Windows-1252, backslashes).
std::string to_program_path(const fs::path& native);

bool exists(std::string_view program_path);
bool is_folder(std::string_view program_path);
// Creates the folder and its parents; an existing folder is fine. Returns the error, if any.
std::error_code make_folder(std::string_view program_path);
std::error_code remove_file(std::string_view program_path);
std::error_code copy_file(std::string_view from, std::string_view to, bool overwrite = true);
std::error_code rename(std::string_view from, std::string_view to);

struct Entry {
    std::string name;  // Windows-1252
    bool folder = false;
    std::uintmax_t size = 0;
};
// Entries of a folder whose names match `pattern` ("*.txt", "*.*", "?" and "*" wildcards,
// case-insensitive), sorted by name without regard to case.
std::vector<Entry> list(std::string_view folder, std::string_view pattern = "*");

struct DeleteFailure {
    std::string path;
    std::string message;
};
// Deletes a folder and everything under it, going on past failures; returns what could not be
// deleted (empty on full success).
std::vector<DeleteFailure> remove_tree(std::string_view program_path);

}  // namespace vorel::files
