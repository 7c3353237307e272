// PDF output of a Document through the one renderer (renderer.h): one PDF page per page, each with
// its own paper size and orientation, no margins.
//
//   std::string bytes = pdf_bytes(document);
//   Outcome written = write_pdf(document, path);   // checked write; the message names the file
#pragma once

#include <string>

#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"

namespace vorel::report {

constexpr int kPdfDpi = 1200;

std::string pdf_bytes(const Document& document);
Outcome write_pdf(const Document& document, const std::string& path);

}  // namespace vorel::report
