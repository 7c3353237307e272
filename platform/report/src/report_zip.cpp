#include "vorel/report/report_zip.h"

#include <zip.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

#include "vorel/core/text.h"

namespace vorel::report {

namespace {

bool ends_with_zip(const std::string& name) {
    return name.size() >= 4 && text::lower(name.substr(name.size() - 4)) == ".zip";
}

[[noreturn]] void fail(const std::string& what, zip_error_t* error) {
    std::string message = "Cannot build the e-mail attachment: " + what;
    if (error != nullptr) message += std::string(": ") + zip_error_strerror(error);
    throw std::runtime_error(message);
}

struct SourceFree {
    void operator()(zip_source_t* s) const { zip_source_free(s); }
};

}  // namespace

std::string attachment_zip_name(const std::string& name) { return ends_with_zip(name) ? name : name + ".zip"; }

std::string attachment_pdf_name(const std::string& name) {
    return (ends_with_zip(name) ? name.substr(0, name.size() - 4) : name) + ".pdf";
}

std::string zip_report(const std::string& pdf, const std::string& attachment_name) {
    zip_error_t error;
    zip_error_init(&error);
    // The archive is built in memory: a buffer source that outlives the archive.
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) fail("buffer", &error);
    zip_source_keep(buffer.get());
    zip_t* archive = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (archive == nullptr) fail("archive", &error);
    zip_source_t* file = zip_source_buffer(archive, pdf.data(), pdf.size(), 0);
    const std::string inner = text::to_utf8(attachment_pdf_name(attachment_name));
    if (file == nullptr || zip_file_add(archive, inner.c_str(), file, ZIP_FL_ENC_UTF_8) < 0) {
        if (file != nullptr) zip_source_free(file);
        std::string why = zip_strerror(archive);
        zip_discard(archive);
        throw std::runtime_error("Cannot build the e-mail attachment: " + why);
    }
    if (zip_close(archive) < 0) {
        std::string why = zip_strerror(archive);
        zip_discard(archive);
        throw std::runtime_error("Cannot build the e-mail attachment: " + why);
    }
    if (zip_source_open(buffer.get()) < 0) fail("reading back", zip_source_error(buffer.get()));
    zip_source_seek(buffer.get(), 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer.get());
    zip_source_seek(buffer.get(), 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size < 0 ? 0 : size), '\0');
    const zip_int64_t read = zip_source_read(buffer.get(), bytes.data(), bytes.size());
    zip_source_close(buffer.get());
    if (read != size) fail("reading back", nullptr);
    return bytes;
}

}  // namespace vorel::report
