#include "text_lines.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "vorel/data/error.h"

namespace vorel::data {

namespace fs = std::filesystem;

namespace {
int os_error(const std::string& name, int err) {
    return set_error(err == ENOENT ? kFileNotFound : (err == EACCES ? kAccessDenied : kOsError), name,
                     std::strerror(err), err);
}
}  // namespace

void line_to_record(const TableDesc& d, std::string_view line, void* record) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        const FieldDesc& f = d.fields[i];
        for (int e = 0; e < f.elements; ++e) {
            bool last = i + 1 == d.fields.size() && e + 1 == f.elements;
            std::size_t w = last ? std::string::npos : static_cast<std::size_t>(f.width);
            std::string_view part = pos < line.size() ? line.substr(pos, w) : std::string_view("");
            pos += last ? part.size() : static_cast<std::size_t>(f.width);
            if (!set_field_text(f, record, part, e)) set_field_int(f, record, 0, e);
        }
    }
}

std::string record_to_line(const TableDesc& d, const void* record) {
    std::string line;
    for (const FieldDesc& f : d.fields) {
        for (int e = 0; e < f.elements; ++e) {
            std::string v = field_text(f, record, e);
            if (v.size() < static_cast<std::size_t>(f.width)) v.append(static_cast<std::size_t>(f.width) - v.size(), ' ');
            line += v.substr(0, static_cast<std::size_t>(f.width));
        }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (line.size() > TextLines::kMaxLine) line.resize(TextLines::kMaxLine);
    return line;
}

int TextLines::create(const fs::path& path, const std::string& name) {
    std::error_code ec;
    if (!fs::is_directory(path.parent_path(), ec)) return set_error(kPathNotFound, name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return os_error(name, errno);
    clear_error();
    return kNoError;
}

int TextLines::open(const fs::path& path, const std::string& name, bool create) {
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        if (!create) return set_error(kFileNotFound, name);
        if (int rc = TextLines::create(path, name); rc) return rc;
    }
    path_ = path;
    name_ = name;
    in_.close();
    in_.clear();
    in_.open(path, std::ios::binary);
    if (!in_) return os_error(name, errno);
    next_offset_ = line_start_ = 0;
    clear_error();
    return kNoError;
}

void TextLines::close() { in_.close(); }

void TextLines::rewind() {
    in_.clear();
    next_offset_ = 0;
}

int TextLines::next(const TableDesc& d, void* record) {
    in_.clear();
    in_.seekg(next_offset_);
    std::string line;
    if (!std::getline(in_, line)) return set_error(kRecordNotAvailable, name_);
    line_start_ = next_offset_;
    next_offset_ += static_cast<std::int64_t>(line.size()) + (in_.eof() ? 0 : 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > kMaxLine) line.resize(kMaxLine);
    for (const FieldDesc& f : d.fields) clear_field(f, record);
    line_to_record(d, line, record);
    clear_error();
    return kNoError;
}

int TextLines::reget(const TableDesc& d, void* record, std::int64_t offset) {
    std::int64_t keep = next_offset_;
    next_offset_ = offset;
    int rc = next(d, record);
    if (rc == kRecordNotAvailable) rc = set_error(kRecordNotFound, name_);
    next_offset_ = keep;
    return rc;
}

int TextLines::add(const TableDesc& d, const void* record) {
    std::ofstream out(path_, std::ios::binary | std::ios::app);
    if (!out) return os_error(name_, errno);
    std::string line = record_to_line(d, record);
    line += "\r\n";
    out.write(line.data(), static_cast<std::streamsize>(line.size()));
    out.flush();
    if (!out) return os_error(name_, errno);
    clear_error();
    return kNoError;
}

std::int64_t TextLines::count() {
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        os_error(name_, errno);
        return -1;
    }
    std::int64_t n = 0;
    std::string line;
    while (std::getline(in, line)) ++n;
    clear_error();
    return n;
}

}  // namespace vorel::data
