// Text-report files: the lines of a text (dot-matrix) report or a ';' export, written into a file
// that belongs to one run.
//
// Lines are Windows-1252 bytes, written as given (printer control strings and form feeds included)
// and ended with CR LF. `Create::New` makes a file that must not exist yet, so two runs never write
// into one file; `Create::Replace` is for an export whose path the user chose. Every write is
// checked: a failure comes back as an Outcome naming the file, and the run must stop on it.
//
//   TextReportFile file;
//   if (Outcome o = file.open(path, TextReportFile::Create::New); !o.ok()) return fail(o);
//   for (...) if (Outcome o = file.write_line(line); !o.ok()) return fail(o);
//   if (Outcome o = file.close(); !o.ok()) return fail(o);
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "vorel/report/outcome.h"

namespace vorel::report {

class TextReportFile {
public:
    enum class Create { New, Replace };

    TextReportFile() = default;
    TextReportFile(const TextReportFile&) = delete;
    TextReportFile& operator=(const TextReportFile&) = delete;
    ~TextReportFile();  // closes without reporting: call close() to know the file is complete

    // `path` is a program path (backslashes allowed, resolved without regard to case).
    Outcome open(std::string_view path, Create mode);
    Outcome write_line(std::string_view line);
    Outcome close();

    bool is_open() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }  // native path of the open file
    long long lines() const { return lines_; }

private:
    std::FILE* file_ = nullptr;
    std::string path_;
    long long lines_ = 0;
};

}  // namespace vorel::report
