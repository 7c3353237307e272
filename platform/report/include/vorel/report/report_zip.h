// The e-mail attachment of a report: its PDF inside a zip archive.
//
// `attachment_name` is the name the report gives its attachment ("RelatorioEntradas.zip"); ".zip"
// is added when missing. The archive holds one file, the same name ending in ".pdf".
//
//   std::string zip = zip_report(pdf_bytes(document), "RelatorioEntradas.zip");
#pragma once

#include <string>

namespace vorel::report {

std::string attachment_zip_name(const std::string& attachment_name);
std::string attachment_pdf_name(const std::string& attachment_name);

// The zip's bytes; throws std::runtime_error when the archive cannot be built.
std::string zip_report(const std::string& pdf, const std::string& attachment_name);

}  // namespace vorel::report
