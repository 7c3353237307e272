#include "vorel/core/program.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace vorel::program {

namespace fs = std::filesystem;

namespace {

std::error_code errno_code(int e) { return {e, std::generic_category()}; }

// The native path of the program: a program path, or a bare name looked up in PATH.
std::error_code find_program(std::string_view name, fs::path& out) {
    if (name.find_first_of("\\/") != std::string_view::npos || (name.size() >= 2 && name[1] == ':')) {
        out = files::resolve(name);
    } else {
        const char* path_env = std::getenv("PATH");
        std::string_view dirs = path_env ? path_env : "";
#ifdef _WIN32
        constexpr char kListSeparator = ';';
#else
        constexpr char kListSeparator = ':';
#endif
        out.clear();
        while (!dirs.empty() && out.empty()) {
            std::size_t sep = dirs.find(kListSeparator);
            std::string_view dir = dirs.substr(0, sep);
            dirs = sep == std::string_view::npos ? std::string_view() : dirs.substr(sep + 1);
            if (dir.empty()) continue;
            fs::path candidate = fs::path(std::string(dir)) / text::to_utf8(name);
            std::error_code ec;
            if (fs::is_regular_file(candidate, ec)) out = candidate;
        }
        if (out.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);
    }
    std::error_code ec;
    fs::file_status st = fs::status(out, ec);
    if (!fs::exists(st)) return std::make_error_code(std::errc::no_such_file_or_directory);
    if (!fs::is_regular_file(st)) return std::make_error_code(std::errc::permission_denied);
#ifndef _WIN32
    if (::access(out.c_str(), X_OK) != 0) return errno_code(errno);
#endif
    return {};
}

#ifdef _WIN32

// One argument quoted for the command line that the started program splits again
// (the CommandLineToArgvW rules: backslashes are literal unless they precede a quote).
void append_quoted(std::wstring& line, const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        line += arg;
        return;
    }
    line += L'"';
    std::size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
        } else if (c == L'"') {
            line.append(backslashes * 2 + 1, L'\\');
            line += L'"';
            backslashes = 0;
        } else {
            line.append(backslashes, L'\\');
            line += c;
            backslashes = 0;
        }
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

std::wstring wide(std::string_view cp1252) {
    std::string utf8 = text::to_utf8(cp1252);
    return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring();
}

RunResult start(const fs::path& exe, const std::vector<std::string>& arguments,
                const fs::path& folder, Wait wait) {
    RunResult r;
    std::wstring line;
    append_quoted(line, exe.wstring());
    for (const std::string& a : arguments) {
        line += L' ';
        append_quoted(line, wide(a));
    }
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::wstring dir = folder.wstring();
    if (!CreateProcessW(exe.wstring().c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : dir.c_str(), &si, &pi)) {
        r.error = {static_cast<int>(GetLastError()), std::system_category()};
        return r;
    }
    CloseHandle(pi.hThread);
    if (wait == Wait::Yes) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        DWORD code = 0;
        if (GetExitCodeProcess(pi.hProcess, &code)) r.exit_code = static_cast<int>(code);
    }
    CloseHandle(pi.hProcess);
    return r;
}

#else

// Reports errno to the parent through the pipe and ends the child. Only async-signal-safe calls.
[[noreturn]] void child_failed(int fd) {
    int e = errno;
    ssize_t ignored = ::write(fd, &e, sizeof e);
    (void)ignored;
    ::_exit(127);
}

RunResult start(const fs::path& exe, const std::vector<std::string>& arguments,
                const fs::path& folder, Wait wait) {
    RunResult r;
    // Everything the child needs is prepared before fork: after it, a child of a threaded process
    // may only make async-signal-safe calls.
    std::vector<std::string> args;
    args.reserve(arguments.size() + 1);
    args.push_back(exe.string());
    for (const std::string& a : arguments) args.push_back(text::to_utf8(a));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string dir = folder.string();
    std::string exe_path = exe.string();

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        r.error = errno_code(errno);
        return r;
    }
    pid_t pid = ::fork();
    if (pid < 0) {
        r.error = errno_code(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return r;
    }
    if (pid == 0) {
        ::close(fds[0]);
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        if (wait == Wait::No) {
            // The grandchild runs the program and is adopted by init, which reaps it.
            pid_t grandchild = ::fork();
            if (grandchild < 0) child_failed(fds[1]);
            if (grandchild > 0) ::_exit(0);
        }
        if (!dir.empty() && ::chdir(dir.c_str()) != 0) child_failed(fds[1]);
        ::execv(exe_path.c_str(), argv.data());
        child_failed(fds[1]);
    }
    ::close(fds[1]);
    int child_errno = 0;
    ssize_t n;
    do {
        n = ::read(fds[0], &child_errno, sizeof child_errno);
    } while (n < 0 && errno == EINTR);
    ::close(fds[0]);
    if (n == static_cast<ssize_t>(sizeof child_errno)) r.error = errno_code(child_errno);

    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(pid, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (wait == Wait::Yes && !r.error && waited == pid) {
        if (WIFEXITED(status)) {
            r.exit_code = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            r.exit_code = 128 + WTERMSIG(status);
        }
    }
    return r;
}

#endif

}  // namespace

RunResult run(std::string_view program, const std::vector<std::string>& arguments,
              const RunOptions& options) {
    RunResult r;
    std::string_view name = text::clip(program);
    if (name.empty()) {
        r.error = std::make_error_code(std::errc::invalid_argument);
        return r;
    }
    fs::path exe;
    if ((r.error = find_program(name, exe))) return r;
    fs::path folder;
    if (!options.working_folder.empty()) {
        folder = files::resolve(options.working_folder);
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) {
            r.error = std::make_error_code(std::errc::no_such_file_or_directory);
            return r;
        }
    }
    return start(exe, arguments, folder, options.wait);
}

}  // namespace vorel::program
