// Paths and files as the program names them.
//
// Procedures write paths the Windows way ("C:\Vorel\BVOREL\\Produtos.tps", "BComuns\Vorel.ini"):
// backslashes, doubled separators, any letter case, Windows-1252 text. On Linux each component is
// resolved against what exists, without regard to case ("BVOREL" and "BVorel" are one folder);
// components that do not exist yet keep the case given, so a created file carries the name the
// program wrote. Names are Windows-1252 inside the program and UTF-8 on disk.
//
// The process never changes its working folder: a relative path resolves against the folder given
// to `resolve`, or against the working folder the process has. Every operation takes a program path
// and reports failure as a value (an error code, or the list of what a tree delete left behind).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vorel::files {

namespace fs = std::filesystem;

// A program path (Windows-1252, backslashes or slashes) turned into an absolute native path,
// resolving each existing component case-insensitively (an exact match wins over a folded one).
// Doubled separators and "." are tolerated, ".." goes up one folder; a "X:" drive prefix is
// dropped on Linux ("C:\Vorel" is "/Vorel"). A relative path resolves against `base`, or against
// the working folder when `base` is empty.
fs::path resolve(std::string_view program_path, const fs::path& base = {});

// Native path back to program form (Windows-1252, backslashes).
std::string to_program_path(const fs::path& native);

// A program path as this system writes paths for its user (captions, messages): on Linux with
// slashes, doubled separators made one and no drive prefix ("\home\escritorio\TRABALHO\" is
// "/home/escritorio/TRABALHO/"); on Windows as it stands. Windows-1252, like the program path.
std::string to_display_path(std::string_view program_path);

// Joins a folder and a name with one backslash ("C:\Vorel" + "BVOREL" and "C:\Vorel\" + "BVOREL"
// both give "C:\Vorel\BVOREL").
std::string join(std::string_view folder, std::string_view name);

bool exists(std::string_view program_path);
bool is_folder(std::string_view program_path);
// Creates the folder and its parents; an existing folder is fine, an existing file is an error.
[[nodiscard]] std::error_code make_folder(std::string_view program_path);
// Deletes one file (or an empty folder); a missing file is an error (no_such_file_or_directory).
[[nodiscard]] std::error_code remove_file(std::string_view program_path);
enum class Overwrite { No, Yes };
[[nodiscard]] std::error_code copy_file(std::string_view from, std::string_view to,
                                        Overwrite overwrite = Overwrite::Yes);
// Renames or moves a file or folder; an existing target file is replaced.
[[nodiscard]] std::error_code rename(std::string_view from, std::string_view to);

struct Entry {
    std::string name;  // Windows-1252
    bool folder = false;
    std::uintmax_t size = 0;  // 0 for folders
};
// Entries of a folder whose names match `pattern` ("*.txt", "*.*", "A?.DAT": "?" is one character,
// "*" any run; case-insensitive; "*.*" matches every name, as on Windows), sorted by name without
// regard to case. A folder that cannot be read gives no entries and sets `*error` when given.
std::vector<Entry> list(std::string_view folder, std::string_view pattern = "*",
                        std::error_code* error = nullptr);

// Whether a Windows-1252 name matches a wildcard pattern, as `list` matches them.
bool matches(std::string_view name, std::string_view pattern);

struct DeleteFailure {
    std::string path;  // program form
    std::string message;
};
// What a tree delete tells as it goes, for a window that shows its progress. Paths are in program
// form; every call comes on the deleting thread, one per entry, so an observer that draws must
// keep its drawing cheap.
class DeleteObserver {
public:
    virtual ~DeleteObserver() = default;
    virtual void entering(const std::string& folder) { (void)folder; }  // before its entries
    virtual void deleting(const std::string& file) { (void)file; }      // just before the delete
    virtual void leaving(const std::string& folder) { (void)folder; }   // after removing it (or not)
    // Asked before each entry: true stops the delete there (the program is closing); what is left
    // stays, and the folder where it stopped is the one failure reported for it.
    virtual bool stop() { return false; }
};

// Deletes a folder and everything under it, going on past failures; returns what could not be
// deleted (empty on full success, and when the folder does not exist). Symbolic links are deleted,
// never followed.
std::vector<DeleteFailure> remove_tree(std::string_view program_path, DeleteObserver* observer = nullptr);
// The same, refused (one failure, nothing deleted) unless the folder lies strictly inside
// `inside` (the data root) once both are resolved, links included.
std::vector<DeleteFailure> remove_tree(std::string_view program_path, std::string_view inside,
                                       DeleteObserver* observer = nullptr);

}  // namespace vorel::files
