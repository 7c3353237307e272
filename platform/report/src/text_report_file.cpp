#include "vorel/report/text_report_file.h"

#include <cerrno>
#include <cstring>

#include "vorel/core/paths.h"

namespace vorel::report {

namespace {
std::string reason() { return std::strerror(errno); }
}  // namespace

TextReportFile::~TextReportFile() {
    if (file_ != nullptr) std::fclose(file_);
}

Outcome TextReportFile::open(std::string_view program_path, Create mode) {
    if (file_ != nullptr) return Outcome::failure("O arquivo texto do relatório " + path_ + " já está aberto.");
    path_ = files::resolve(program_path).string();
    lines_ = 0;
    // "x": fail when the file exists, so a run never writes into another run's file.
    file_ = std::fopen(path_.c_str(), mode == Create::New ? "wbx" : "wb");
    if (file_ == nullptr) return Outcome::failure("Não foi possível criar o arquivo texto do relatório " + path_ + ": " + reason());
    return Outcome::success();
}

Outcome TextReportFile::write_line(std::string_view line) {
    if (file_ == nullptr) return Outcome::failure("O arquivo texto do relatório " + path_ + " não está aberto.");
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() || std::fwrite("\r\n", 1, 2, file_) != 2)
        return Outcome::failure("Não foi possível gravar no arquivo texto do relatório " + path_ + ": " + reason());
    ++lines_;
    return Outcome::success();
}

Outcome TextReportFile::close() {
    if (file_ == nullptr) return Outcome::success();
    const bool flushed = std::fflush(file_) == 0 && std::ferror(file_) == 0;
    const int saved = errno;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!flushed || !closed) {
        errno = flushed ? errno : saved;
        return Outcome::failure("Não foi possível gravar no arquivo texto do relatório " + path_ + ": " + reason());
    }
    return Outcome::success();
}

}  // namespace vorel::report
