#include "vorel/report/pdf.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <fstream>

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

std::string pdf_bytes(const Document& document) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDpi);
        writer.setTitle(QString::fromStdString(text::to_utf8(document.title)));
        writer.setCreator(QStringLiteral("Vorel"));
        if (!document.pages.empty()) writer.setPageLayout(layout_of(document.pages.front()));
        QPainter painter(&writer);
        for (std::size_t i = 0; i < document.pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(layout_of(document.pages[i]));
                writer.newPage();
            }
            paint_page(painter, document.pages[i], kPdfDpi, kPdfDpi);
        }
        painter.end();
    }
    return bytes.toStdString();
}

Outcome write_pdf(const Document& document, const std::string& path) {
    const std::string bytes = pdf_bytes(document);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return Outcome::failure("Cannot create the PDF file " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) return Outcome::failure("Cannot write the PDF file " + path);
    return Outcome::success();
}

}  // namespace vorel::report
