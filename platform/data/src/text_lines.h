// The text-line driver: a table over a text file, one record per line (Windows-1252; written with
// CR LF, read with CR LF, LF or CR alone as the line's end; lines of up to 2000 characters, a longer
// one read cut, its whole length told by `line_length`). A pipe, socket or folder is refused (47), never waited on. The record's fields lie along the line at their widths; the last text
// field takes the rest of the line. Written lines end without trailing blanks.
//
// The file is opened once per open of the table: lines are read in large blocks into a buffer of our
// own, which a reget or a rewind inside it reuses (elsewhere the reading seeks), and added through one
// buffered stream in append mode. Every write is checked; buffered lines reach the file before the
// file is read or counted and when the table closes (close reports a failed write).
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
    int close();  // writes what is buffered; the error code of a failed write
    void rewind();
    int next(const TableDesc& d, void* record);  // 33 at the end
    int add(const TableDesc& d, const void* record);
    std::int64_t count();
    std::int64_t position() const { return line_start_; }
    // The length of the line read last, before it was cut to kMaxLine.
    std::size_t line_length() const { return line_length_; }
    int reget(const TableDesc& d, void* record, std::int64_t offset);

private:
    int flush();              // buffered lines to the file
    int write_failed();       // the error of a failed write, the writer closed
    int read_line(std::string_view& line);  // the line at next_offset_; 33 at the end

    std::filesystem::path path_;
    std::string name_;
    std::ifstream in_;
    std::int64_t in_at_ = -1;  // where the read stream stands, -1 unknown
    std::string buf_;          // bytes read from the file, from offset buf_off_
    std::int64_t buf_off_ = 0;
    std::size_t buf_len_ = 0;
    bool buf_eof_ = false;     // the file ends at buf_off_ + buf_len_
    std::ofstream out_;
    std::string pending_;      // added lines not yet handed to the stream
    std::int64_t next_offset_ = 0;
    std::int64_t line_start_ = 0;
    std::size_t line_length_ = 0;
    std::string line_;
};

// Splits a line into the record's fields and back (used by the driver and by imports).
void line_to_record(const TableDesc& d, std::string_view line, void* record);
std::string record_to_line(const TableDesc& d, const void* record);
// The same into a caller's string (its capacity kept from line to line).
void record_to_line(const TableDesc& d, const void* record, std::string& line);

}  // namespace vorel::data
