#include "vorel/report/print_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "vorel/core/paths.h"
#include "vorel/core/program.h"

namespace vorel::report {

namespace {

Outcome to_queue(const std::string& file, const PrintTarget& target, const PrintOptions& options) {
    std::vector<std::string> arguments;
    if (!target.name.empty()) arguments = {"-d", target.name};
    arguments.push_back(file);
    const std::string queue = target.name.empty() ? "na impressora padrão" : "na impressora " + target.name;
    const program::RunResult r = program::run(options.program, arguments);
    if (r.error)
        return Outcome::failure("Não foi possível imprimir " + file + " " + queue + ": o comando de impressão " + options.program +
                                " não pôde ser iniciado (" + r.error.message() + ").");
    if (r.exit_code != 0)
        return Outcome::failure("A impressão de " + file + " " + queue + " falhou: o comando de impressão " + options.program +
                                " terminou com o código " + std::to_string(r.exit_code) + ".");
    return Outcome::success();
}

Outcome to_device(const std::string& file, const PrintTarget& target) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return Outcome::failure("Não foi possível ler o arquivo a imprimir " + file + ".");
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string device = files::resolve(target.name).string();
    const int fd = ::open(device.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);  // never creates a file
    if (fd < 0) return Outcome::failure("Não foi possível abrir a porta da impressora " + device + ": " + std::strerror(errno) + ".");
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            const std::string why = std::strerror(errno);
            ::close(fd);
            return Outcome::failure("A impressão na porta da impressora " + device + " parou: " + why + ".");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0)
        return Outcome::failure("A impressão na porta da impressora " + device + " falhou: " + std::strerror(errno) + ".");
    return Outcome::success();
}

}  // namespace

bool print_command_available(const std::string& program) {
    if (program.empty()) return false;
    if (program.find('/') != std::string::npos) return ::access(program.c_str(), X_OK) == 0;
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/usr/bin:/bin";
    for (std::size_t start = 0; start <= folders.size();) {
        std::size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = end > start ? folders.substr(start, end - start) : ".";
        if (::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

Outcome print_file(std::string_view program_path, const PrintTarget& target, const PrintOptions& options) {
    const std::string file = files::resolve(program_path).string();
    return target.kind == PrintTarget::Kind::Queue ? to_queue(file, target, options) : to_device(file, target);
}

}  // namespace vorel::report
