// The super-journals of commits that a killed process left in the data root's journal folder.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "root_relative_vfs.h"
#include "vorel/data/data_root.h"

namespace vorel::data {

namespace fs = std::filesystem;

namespace {

// Whether the journal exists and names the super-journal (SQLite writes its name at the journal's
// end when the commit reaches it; a journal that names none, or another, never reads it). When the
// journal cannot be read, it is taken to name it.
bool names(const fs::path& journal, const std::string& super_journal) {
    std::error_code ec;
    if (!fs::exists(journal, ec)) return static_cast<bool>(ec);
    std::ifstream in(journal, std::ios::binary);
    if (!in) return true;
    const std::uintmax_t size = fs::file_size(journal, ec);
    if (ec) return true;
    const std::uintmax_t tail = std::min<std::uintmax_t>(size, 8192);
    in.seekg(static_cast<std::streamoff>(size - tail));
    std::string bytes(static_cast<std::size_t>(tail), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(tail));
    return bytes.find(super_journal) != std::string::npos;
}

}  // namespace

int remove_stale_super_journals(std::chrono::seconds min_age) {
    const fs::path root = data_root();
    if (root.empty()) return 0;
    const fs::path folder = root / kJournalFolder;
    const auto now = fs::file_time_type::clock::now();
    int removed = 0;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (name.find("-mj") == std::string::npos || !e.is_regular_file(ec)) continue;
        const auto written = e.last_write_time(ec);
        if (ec || now - written < min_age) continue;
        // The journals it names, each ended by a zero byte, inside the root as "<root>/..."; it is
        // needed while one of them names it.
        std::ifstream in(e.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bool needed = false;
        for (std::size_t at = 0; at < bytes.size() && !needed;) {
            std::size_t end = bytes.find('\0', at);
            if (end == std::string::npos) end = bytes.size();
            std::string journal = bytes.substr(at, end - at);
            at = end + 1;
            if (journal.empty()) continue;
            const std::string marker = std::string(kRootMarker) + "/";
            const fs::path path = journal.rfind(marker, 0) == 0 ? root / journal.substr(marker.size()) : fs::path(journal);
            needed = names(path, name);
        }
        if (!needed && fs::remove(e.path(), ec)) ++removed;
    }
    return removed;
}

}  // namespace vorel::data
