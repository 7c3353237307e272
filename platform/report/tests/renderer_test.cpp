// The renderer paints the page model; the PDF carries every page with its own orientation.
#include "vorel/report/pdf.h"
#include "vorel/report/renderer.h"

#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>

#include <gtest/gtest.h>

#include "sample_reports.h"

namespace vorel::report {
namespace {

// Share of dark pixels in a rectangle given in mils of the page.
double darkness(const QImage& image, double dpi, Rect r) {
    const int x0 = static_cast<int>(r.x * dpi / 1000), y0 = static_cast<int>(r.y * dpi / 1000);
    const int x1 = static_cast<int>((r.x + r.width) * dpi / 1000), y1 = static_cast<int>((r.y + r.height) * dpi / 1000);
    int dark = 0, all = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++all)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return all == 0 ? 0 : static_cast<double>(dark) / all;
}

TEST(Renderer, PaintsTextLinesAndBoxesWhereTheModelPutsThem) {
    Page page{1, Paper::letter(), Orientation::Portrait, {}};
    page.items.push_back(BoxItem{{1000, 1000, 2000, 1000}, 20, 0});             // filled black
    page.items.push_back(LineItem{1000, 3000, 7000, 3000, 30});
    page.items.push_back(TextItem{{1000, 4000, 6000, 600}, "WWWWWWWWWW", Font{"Arial", 36, true}, Align::Left});
    page.items.push_back(TextItem{{1000, 5000, 6000, 600}, "WWW", Font{"Arial", 36, true}, Align::Right});
    const double dpi = 100;
    const QImage image = page_image(page, dpi);
    ASSERT_EQ(image.width(), 850);
    ASSERT_EQ(image.height(), 1100);
    EXPECT_GT(darkness(image, dpi, {1100, 1100, 1800, 800}), 0.95);  // inside the filled box
    EXPECT_GT(darkness(image, dpi, {1000, 2990, 6000, 20}), 0.5);    // on the line
    EXPECT_LT(darkness(image, dpi, {1000, 3200, 6000, 700}), 0.01);  // between line and text
    EXPECT_GT(darkness(image, dpi, {1000, 4000, 2000, 500}), 0.1);   // left-aligned text starts left
    EXPECT_LT(darkness(image, dpi, {1000, 5000, 3000, 600}), 0.01);  // right-aligned text keeps right
    EXPECT_GT(darkness(image, dpi, {5000, 5000, 2000, 500}), 0.1);
}

TEST(Renderer, PdfHasEveryPageInItsOwnOrientation) {
    Document merged = samples::run_result_page(samples::result_lines(12)).document;  // 2 landscape
    merged.prepend(samples::run_entries_listing(samples::entries(14)).document);      // 3 portrait
    QTemporaryDir dir;
    const std::string pdf = dir.filePath("report.pdf").toStdString();
    const Outcome written = write_pdf(merged, pdf);
    ASSERT_TRUE(written.ok()) << written.error;

    // Turned into images by poppler's pdftoppm, as a person would look at it.
    const int rc = QProcess::execute("pdftoppm", {"-png", "-r", "40", QString::fromStdString(pdf),
                                                  dir.filePath("page")});
    ASSERT_EQ(rc, 0) << "pdftoppm failed";
    std::vector<QImage> pages;
    for (int i = 1; i <= 5; ++i) pages.emplace_back(dir.filePath(QString("page-%1.png").arg(i)));
    ASSERT_FALSE(pages[4].isNull());
    EXPECT_FALSE(std::filesystem::exists(dir.filePath("page-6.png").toStdString()));
    EXPECT_LT(pages[0].width(), pages[0].height());
    EXPECT_GT(pages[3].width(), pages[3].height());
    // The entries listing's header box and title are on paper where the model says.
    EXPECT_GT(darkness(pages[0], 40, {510, 219, 7500, 719}), 0.05);
    EXPECT_LT(darkness(pages[0], 40, {510, 4000, 7500, 4000}), 0.001);  // below the footer: blank
}

TEST(Renderer, CopiesRepeatTheWholeDocument) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath("copies.pdf");
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        const Outcome painted = paint_document(writer, samples::run_entries_listing(samples::entries(14)).document, 2);
        ASSERT_TRUE(painted.ok()) << painted.error;
    }
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(10000));
    EXPECT_TRUE(info.readAllStandardOutput().contains("Pages:           6")) << "pdfinfo";
    QPdfWriter unused(dir.filePath("empty.pdf"));
    EXPECT_FALSE(paint_document(unused, Document{}).ok());
}

TEST(Renderer, WritePdfReportsAFileItCannotWrite) {
    Document d;
    d.pages.push_back(Page{1, Paper::a4(), Orientation::Portrait, {}});
    const Outcome o = write_pdf(d, "/nonexistent-folder/x.pdf");
    EXPECT_FALSE(o.ok());
    EXPECT_NE(o.error.find("/nonexistent-folder/x.pdf"), std::string::npos);
}

}  // namespace
}  // namespace vorel::report
