// Paged output of a Document through the one renderer (renderer.h): on any paged device of Qt Gui
// (a QPdfWriter here, a QPrinter in the Qt front end), one device page per page, each with its own
// paper size and orientation, no margins; copies repeat the whole document (collated).
//
//   std::string bytes = pdf_bytes(document);
//   Outcome written = write_pdf(document, path);   // checked write; the message names the file
//   Outcome printed = paint_document(printer, document, copies);
#pragma once

#include <string>

#include "vorel/report/outcome.h"
#include "vorel/report/page_model.h"

class QPagedPaintDevice;

namespace vorel::report {

constexpr int kPdfDpi = 1200;

// The device must not be painted on yet; its resolution gives the painting's dots per inch.
Outcome paint_document(QPagedPaintDevice& device, const Document& document, int copies = 1);

std::string pdf_bytes(const Document& document);
Outcome write_pdf(const Document& document, const std::string& path);

}  // namespace vorel::report
