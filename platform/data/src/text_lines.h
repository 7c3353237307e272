// The text-line driver: a table over a text file, one record per line (Windows-1252, CR LF, lines
// of up to 2000 characters). The record's fields lie along the line at their widths; the last text
// field takes the rest of the line. Written lines end without trailing blanks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "vorel/data/table_desc.h"

namespace vorel::data {

class TextLines {
public:
    static constexpr std::size_t kMaxLine = 2000;

    int open(const std::filesystem::path& path, const std::string& name, bool create);
    static int create(const std::filesystem::path& path, const std::string& name);
    void close();
    void rewind();
    int next(const TableDesc& d, void* record);  // 33 at the end
    int add(const TableDesc& d, const void* record);
    std::int64_t count();
    std::int64_t position() const { return line_start_; }
    int reget(const TableDesc& d, void* record, std::int64_t offset);

private:
    std::filesystem::path path_;
    std::string name_;
    std::ifstream in_;
    std::int64_t next_offset_ = 0;
    std::int64_t line_start_ = 0;
};

// Splits a line into the record's fields and back (used by the driver and by imports).
void line_to_record(const TableDesc& d, std::string_view line, void* record);
std::string record_to_line(const TableDesc& d, const void* record);

}  // namespace vorel::data
