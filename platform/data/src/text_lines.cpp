#include "text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "vorel/core/text.h"
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
            if (is_text(f.type))
                f.access.set_text(f.element(record, e), part);
            else if (!set_field_text(f, record, part, e))
                set_field_int(f, record, 0, e);
        }
    }
}

void record_to_line(const TableDesc& d, const void* record, std::string& line) {
    line.clear();
    for (const FieldDesc& f : d.fields) {
        std::size_t w = static_cast<std::size_t>(f.width);
        for (int e = 0; e < f.elements; ++e) {
            const void* p = f.element(record, e);
            if (is_text(f.type)) {
                std::string_view v = f.access.get_text(p);
                v = v.substr(0, w);
                line.append(v);
                line.append(w - v.size(), ' ');
            } else {
                std::string v = field_text(f, record, e);
                if (v.size() < w) v.append(w - v.size(), ' ');
                line.append(v, 0, w);
            }
        }
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    if (line.size() > TextLines::kMaxLine) line.resize(TextLines::kMaxLine);
}

std::string record_to_line(const TableDesc& d, const void* record) {
    std::string line;
    record_to_line(d, record, line);
    return line;
}

namespace {
constexpr std::size_t kWriteChunk = 1 << 16;  // added lines handed to the stream in pieces of this size
constexpr std::size_t kReadChunk = 1 << 16;   // bytes read from the file at a time
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
    const fs::file_status st = fs::status(path, ec);
    if (!fs::exists(st)) {
        if (!create) return set_error(kFileNotFound, name);
        if (int rc = TextLines::create(path, name); rc) return rc;
    } else if (fs::is_fifo(st) || fs::is_socket(st) || fs::is_directory(st)) {
        // A pipe would block the open until someone writes to it: files and devices only.
        return set_error(kInvalidFile, name, text::from_utf8("não é um arquivo comum"));
    }
    path_ = path;
    name_ = name;
    in_.close();
    in_.clear();
    in_.open(path, std::ios::binary);
    if (!in_) return os_error(name, errno);
    in_at_ = 0;
    buf_off_ = 0;
    buf_len_ = 0;
    buf_eof_ = false;
    next_offset_ = line_start_ = 0;
    clear_error();
    return kNoError;
}

int TextLines::close() {
    int rc = flush();
    if (out_.is_open()) {
        out_.close();
        if (!out_ && rc == kNoError) rc = write_failed();
    }
    in_.close();
    if (rc == kNoError) clear_error();
    return rc;
}

void TextLines::rewind() {
    next_offset_ = 0;
}

int TextLines::write_failed() {
    int err = errno ? errno : EIO;
    out_.close();
    out_.clear();
    pending_.clear();
    return os_error(name_, err);
}

int TextLines::flush() {
    if (!out_.is_open()) return kNoError;
    if (!pending_.empty()) {
        errno = 0;
        out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
        pending_.clear();
        if (!out_) return write_failed();
    }
    errno = 0;
    out_.flush();
    if (!out_) return write_failed();
    buf_eof_ = false;  // the file grew under the reader: read on from a fresh seek
    in_at_ = -1;
    return kNoError;
}

// The line at next_offset_, from the read buffer (refilled from the file as needed): a view into
// the buffer, valid until the next read.
int TextLines::read_line(std::string_view& line) {
    if (int rc = flush(); rc) return rc;
    if (next_offset_ < buf_off_ || next_offset_ > buf_off_ + static_cast<std::int64_t>(buf_len_)) {
        buf_off_ = next_offset_;  // elsewhere in the file: read from there
        buf_len_ = 0;
        buf_eof_ = false;
    }
    std::size_t used = 0;
    for (;;) {
        std::size_t start = static_cast<std::size_t>(next_offset_ - buf_off_);
        const char* from = buf_.data() + start;
        const char* end = buf_.data() + buf_len_;
        const char* at = std::find_if(from, end, [](char c) { return c == '\n' || c == '\r'; });
        // CR LF, LF and CR alone each end a line; a CR at the end of what was read waits for the
        // next block to tell whether an LF follows.
        if (at != end && (*at == '\n' || at + 1 != end || buf_eof_)) {
            line = std::string_view(from, static_cast<std::size_t>(at - from));
            used = line.size() + (*at == '\r' && at + 1 != end && at[1] == '\n' ? 2 : 1);
            break;
        }
        if (at == end && buf_eof_) {
            if (start == buf_len_) return set_error(kRecordNotAvailable, name_);
            line = std::string_view(from, buf_len_ - start);  // a last line without its end
            used = line.size();
            break;
        }
        // Keep the partial line, read on after it (a line longer than the buffer doubles it).
        std::memmove(buf_.data(), from, buf_len_ - start);
        buf_len_ -= start;
        buf_off_ += static_cast<std::int64_t>(start);
        if (buf_.size() < kReadChunk) buf_.resize(kReadChunk);
        if (buf_len_ == buf_.size()) buf_.resize(buf_.size() * 2);
        std::int64_t want_at = buf_off_ + static_cast<std::int64_t>(buf_len_);
        if (in_at_ != want_at) {
            in_.clear();
            in_.seekg(want_at);
        }
        in_.read(buf_.data() + buf_len_, static_cast<std::streamsize>(buf_.size() - buf_len_));
        std::size_t got = static_cast<std::size_t>(in_.gcount());
        buf_len_ += got;
        in_at_ = want_at + static_cast<std::int64_t>(got);
        if (!in_) {
            in_.clear();
            buf_eof_ = true;
        }
    }
    line_start_ = next_offset_;
    next_offset_ += static_cast<std::int64_t>(used);
    line_length_ = line.size();
    if (line.size() > kMaxLine) line = line.substr(0, kMaxLine);
    return kNoError;
}

int TextLines::next(const TableDesc& d, void* record) {
    std::string_view line;
    if (int rc = read_line(line); rc) return rc;
    line_to_record(d, line, record);  // sets every field (blank or 0 past the line's end)
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
    if (!out_.is_open()) {
        errno = 0;
        out_.clear();
        out_.open(path_, std::ios::binary | std::ios::app);
        if (!out_) return write_failed();
    }
    record_to_line(d, record, line_);
    pending_.append(line_);
    pending_.append("\r\n");
    if (pending_.size() >= kWriteChunk) {
        errno = 0;
        out_.write(pending_.data(), static_cast<std::streamsize>(pending_.size()));
        pending_.clear();
        if (!out_) return write_failed();
    }
    clear_error();
    return kNoError;
}

std::int64_t TextLines::count() {
    if (flush()) return -1;
    std::ifstream in(path_, std::ios::binary);
    if (!in) {
        os_error(name_, errno);
        return -1;
    }
    std::int64_t n = 0;
    char buf[1 << 16];
    char last = '\n';
    while (in) {
        in.read(buf, sizeof buf);
        std::streamsize got = in.gcount();
        // Line ends as the reader takes them: LF, and CR when no LF follows it.
        for (std::streamsize i = 0; i < got; ++i) {
            n += (buf[i] == '\n') + (last == '\r' && buf[i] != '\n');
            last = buf[i];
        }
    }
    if (last != '\n') ++n;  // a last line ending in CR, or without its end
    clear_error();
    return n;
}

}  // namespace vorel::data
