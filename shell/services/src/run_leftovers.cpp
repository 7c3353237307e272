#include "vorel/shell/run_leftovers.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

#include "byte_locks.h"
#include "vorel/core/paths.h"
#include "vorel/data/data_root.h"
#include "vorel/data/state_folder.h"

namespace vorel::shell {

namespace {

namespace fs = std::filesystem;

constexpr int kSlots = 4096;
constexpr const char* kDonos = "Temporarios.lck";
constexpr const char* kRaiz = "<root>/";

// Where the owners and their lists lie: the data root's journal folder (shared by every workstation),
// else the state folder.
fs::path Registro() {
    const fs::path root = data::data_root();
    fs::path folder = root.empty() ? data::state_folder() : root / data::kJournalFolder;
    std::error_code ec;
    fs::create_directories(folder, ec);
    return folder;
}

// A file as the lists keep it: relative to the data root when inside it (every workstation mounts
// the root elsewhere), else its full name.
std::string Nome(const fs::path& native) {
    const fs::path root = data::data_root();
    if (!root.empty()) {
        const fs::path rel = native.lexically_relative(root);
        if (!rel.empty() && *rel.begin() != "..") return kRaiz + rel.generic_string();
    }
    return native.string();
}
fs::path Arquivo(const std::string& nome) {
    if (nome.rfind(kRaiz, 0) == 0) return data::data_root() / nome.substr(std::string_view(kRaiz).size());
    return fs::path(nome);
}

struct Slot {
    int fd = -1;
    int slot = 0;
};

std::mutex g_mutex;
std::map<fs::path, Slot> g_slots;  // by native folder

bool LockByte(int fd, short type, off_t at) { return byte_locks::Lock(fd, type, at); }

fs::path Lista(const fs::path& folder, int slot) { return folder / ("Temporarios" + std::to_string(slot) + ".lst"); }

// Removes the files a list names (each with its journal and lock file) and the list.
int Limpa(const fs::path& lista) {
    int removed = 0;
    {
        std::ifstream in(lista);
        std::string name;
        std::error_code ec;
        while (std::getline(in, name)) {
            if (name.empty()) continue;
            const fs::path f = Arquivo(name);
            if (fs::remove(f, ec)) ++removed;
            for (const char* end : {"-journal", "-lock"}) fs::remove(f.string() + end, ec);
        }
    }
    std::error_code ec;
    fs::remove(lista, ec);
    return removed;
}

// A forked child does not share its parent's slots: it takes its own (the parent's locks stay the
// parent's, and die with the parent, not with the child).
void ForgetInChild() {
    for (auto& [folder, s] : g_slots) ::close(s.fd);
    g_slots.clear();
}

// This process's slot in `folder`, taken at the first call; what a dead holder of that slot left
// is cleared first. Null when no slot can be had.
// The slot this process holds in `folder`, if it still is the folder's lock file's (not one
// deleted with its folder and made again since); null when none.
Slot* Own(const fs::path& folder) {
    auto it = g_slots.find(folder);
    if (it == g_slots.end()) return nullptr;
    struct stat held {}, now {};
    if (::fstat(it->second.fd, &held) == 0 && ::stat((folder / kDonos).c_str(), &now) == 0 &&
        held.st_ino == now.st_ino && held.st_dev == now.st_dev)
        return &it->second;
    ::close(it->second.fd);
    g_slots.erase(it);
    return nullptr;
}

Slot* Take(const fs::path& folder) {
    if (Slot* own = Own(folder)) return own;
    static const bool registered = (::pthread_atfork(nullptr, nullptr, ForgetInChild), true);
    (void)registered;
    const int fd = ::open((folder / kDonos).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    for (int s = 1; s <= kSlots; ++s) {
        if (!LockByte(fd, F_WRLCK, s)) continue;
        Limpa(Lista(folder, s));
        return &(g_slots[folder] = Slot{fd, s});
    }
    ::close(fd);
    return nullptr;
}

}  // namespace

std::string AnotaTemporario(const std::string& arquivo) {
    const fs::path native = files::resolve(arquivo);
    const fs::path folder = Registro();
    std::lock_guard lock(g_mutex);
    Slot* s = Take(folder);
    if (!s) return "Não foi possível registrar o dono do arquivo temporário " + native.string() + ": " + std::strerror(errno);
    const std::string line = Nome(native) + "\n";
    const int fd = ::open(Lista(folder, s->slot).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return "Não foi possível registrar o arquivo temporário " + native.string() + ": " + std::strerror(errno);
    const bool ok = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    const int err = errno;
    ::close(fd);
    if (!ok) return "Não foi possível registrar o arquivo temporário " + native.string() + ": " + std::strerror(err);
    return {};
}

int RemoveSobras() {
    const fs::path folder = Registro();
    std::lock_guard lock(g_mutex);
    int own = 0;
    int fd = -1;
    if (Slot* s = Own(folder)) {
        own = s->slot;
        fd = s->fd;
    } else {
        fd = ::open((folder / kDonos).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) return 0;
    }
    int removed = 0;
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        constexpr std::string_view kInicio = "Temporarios", kFim = ".lst";
        if (name.size() <= kInicio.size() + kFim.size() || name.compare(0, kInicio.size(), kInicio) != 0 ||
            name.compare(name.size() - kFim.size(), kFim.size(), kFim) != 0)
            continue;
        const std::string digits = name.substr(kInicio.size(), name.size() - kInicio.size() - kFim.size());
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) continue;
        const int slot = std::atoi(digits.c_str());
        if (slot == own || slot < 1 || slot > kSlots) continue;
        // Held for the clean-up, so that no process takes the slot meanwhile; a slot held by a
        // running process is left alone.
        if (!LockByte(fd, F_WRLCK, slot)) continue;
        removed += Limpa(e.path());
        (void)LockByte(fd, F_UNLCK, slot);
    }
    if (own == 0) ::close(fd);
    return removed;
}

}  // namespace vorel::shell
