#include "vorel/report/pdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "vorel/core/text.h"
#include "vorel/report/renderer.h"

namespace vorel::report {

namespace {

QPageLayout layout_of(const Page& page) {
    const QPageSize size(QSizeF(page.paper.width / 1000.0, page.paper.height / 1000.0), QPageSize::Inch,
                         QString(), QPageSize::ExactMatch);
    return QPageLayout(size,
                       page.orientation == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape,
                       QMarginsF(0, 0, 0, 0));
}

}  // namespace

Outcome paint_document(QPagedPaintDevice& device, const Document& document, int copies) {
    if (document.pages.empty()) return Outcome::failure("O relatório " + document.title + " não tem páginas.");
    device.setPageLayout(layout_of(document.pages.front()));
    QPainter painter;
    if (!painter.begin(&device)) return Outcome::failure("Não foi possível começar a impressão do relatório " + document.title + ".");
    const double dpi_x = device.logicalDpiX(), dpi_y = device.logicalDpiY();
    bool first = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (const Page& page : document.pages) {
            if (!first) {
                device.setPageLayout(layout_of(page));
                if (!device.newPage()) {
                    painter.end();
                    return Outcome::failure("A impressão do relatório " + document.title + " parou numa nova página.");
                }
            }
            first = false;
            paint_page(painter, page, dpi_x, dpi_y);
        }
    }
    if (!painter.end()) return Outcome::failure("A impressão do relatório " + document.title + " não terminou.");
    return Outcome::success();
}

std::string pdf_bytes(const Document& document) {
    QByteArray bytes;
    // Room for the usual size of a page, so the buffer does not grow by copying.
    bytes.reserve(static_cast<qsizetype>(std::max<std::size_t>(document.pages.size(), 16) * 8192));
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setTitle(QString::fromStdString(text::to_utf8(document.title)));
        writer.setCreator(QStringLiteral("Vorel"));
        const Outcome painted = paint_document(writer, document);
        if (!painted.ok()) throw std::runtime_error(painted.error);
    }
    return bytes.toStdString();
}

Outcome write_pdf(const Document& document, const std::string& path) {
    std::string bytes;
    try {
        bytes = pdf_bytes(document);
    } catch (const std::exception& e) {
        return Outcome::failure(e.what());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return Outcome::failure("Não foi possível criar o arquivo PDF " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Outcome::failure("Não foi possível gravar o arquivo PDF " + path);
    return Outcome::success();
}

}  // namespace vorel::report
