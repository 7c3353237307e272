#include "vorel/report/previewer.h"

#include <stdlib.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "vorel/core/text.h"
#include "vorel/report/print_file.h"
#include "vorel/report/renderer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

namespace vorel::report {

namespace {

namespace fs = std::filesystem;

// The folder of one preview's page images; removed with everything in it when the preview ends.
class ImageFolder {
public:
    ImageFolder() {
        std::string pattern = (fs::temp_directory_path() / "vorel-preview-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("Cannot make a folder for the preview's pages in " +
                                     fs::temp_directory_path().string());
        path_ = pattern;
    }
    ~ImageFolder() {
        std::error_code ignored;  // a page image still open elsewhere only leaves a file behind
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// The entries of the printer list: the queues, or one entry for the system's default when there is
// none. Returns the queue to choose first.
std::string queue_entries(const PreviewOptions& options, std::vector<std::string>& names) {
    const PrintQueues queues = options.queues ? options.queues() : system_print_queues();
    names = queues.names;
    if (names.empty()) {
        names.push_back("");
        return "";
    }
    for (const std::string& wanted : {options.printer, queues.default_name})
        if (std::find(names.begin(), names.end(), wanted) != names.end()) return wanted;
    return names.front();
}

class Preview {
public:
    Preview(ui::ProcContext& ctx, const Document& pages, const PreviewOptions& options)
        : ctx_(ctx), pages_(pages), zoom_(options.zoom), copies_(options.copies) {
        printer_ = queue_entries(options, queues_);
        const bool anyQueue = !(queues_.size() == 1 && queues_.front().empty());
        canPrint_ = options.can_print ? options.can_print : [anyQueue] { return anyQueue && print_command_available(); };
    }

    PreviewResult run() {
        using namespace preview;
        ui::Window w(ctx_, "Visualiza\xC3\xA7\xC3\xA3o - " + text::to_utf8(pages_.title));
        w.Add(kPage, ui::ControlType::Image);
        w.Button(kFirst, "&Primeira");
        w.Button(kPrevious, "&Anterior");
        w.Button(kNext, "Pr\xC3\xB3&xima");
        w.Button(kLast, "\xC3\x9A&ltima");
        w.Prompt(kPagePrompt, "P\xC3\xA1gina:");
        w.Entry(kPageNumber, ui::Use(page_)).Alert(ui::key::Enter);
        w.String(kPageCount, "de " + std::to_string(pages_.pages.size()));
        w.Prompt(kZoomPrompt, "Zoom (%):");
        w.Spin(kZoom, ui::Use(zoom_)).Range(kMinZoom, kMaxZoom).Alert(ui::key::Enter);
        w.Prompt(kCopiesPrompt, "C\xC3\xB3pias:");
        w.Spin(kCopies, ui::Use(copies_)).Range(1, kMaxCopies).Alert(ui::key::Enter);
        w.Prompt(kPrinterPrompt, "Impressora:");
        std::vector<std::string> entries = queues_;
        if (entries.size() == 1 && entries.front().empty()) entries.front() = "(padr\xC3\xA3o do sistema)";
        w.DropList(kPrinter, ui::Use(printer_), std::move(entries), queues_);
        w.Button(kPrint, "&Imprimir");
        w.Button(kClose, "&Fechar");
        w.SetDefaultButton(kPrint);
        w.SetMaximized(true);  // the page as large as the screen allows
        show(w);
        w.Open();
        PreviewResult result;
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::CloseWindow) w.Close();
            if (e.code == ui::event::AlertKey && e.key == ui::key::Enter) {
                // Enter in a value applies it; it never prints.
                w.Update(e.feq);
                show(w);
                continue;
            }
            if (e.code != ui::event::Accepted) continue;
            const int count = static_cast<int>(pages_.pages.size());
            switch (e.feq) {
                case kFirst: page_ = 1; break;
                case kPrevious: page_ = std::max(1, page_ - 1); break;
                case kNext: page_ = std::min(count, page_ + 1); break;
                case kLast: page_ = count; break;
                case kPrint:
                    if (!canPrint_()) {
                        ui::Message("Nenhuma impressora dispon\xC3\xADvel; o relat\xC3\xB3rio n\xC3\xA3o foi impresso.",
                                    "Aten\xC3\xA7\xC3\xA3o!!!", ui::Icon::Exclamation);
                        continue;
                    }
                    result = {true, copies_, printer_};
                    w.Close();
                    continue;
                case kClose: w.Close(); continue;
                default: break;
            }
            show(w);
        }
        return result;
    }

private:
    // Brings the typed values into range and points the image control at the page's image.
    void show(ui::Window& w) {
        const int count = static_cast<int>(pages_.pages.size());
        page_ = std::clamp(page_, 1, count);
        zoom_ = std::clamp(zoom_, preview::kMinZoom, preview::kMaxZoom);
        copies_ = std::clamp(copies_, 1, preview::kMaxCopies);
        w[preview::kPage].Text(image_of(page_ - 1));
        w[preview::kFirst].Enable(page_ > 1);
        w[preview::kPrevious].Enable(page_ > 1);
        w[preview::kNext].Enable(page_ < count);
        w[preview::kLast].Enable(page_ < count);
        w.Display();
    }

    std::string image_of(int index) {
        const fs::path file = folder_.path() / ("page-" + std::to_string(index + 1) + "-zoom-" +
                                                std::to_string(zoom_) + ".png");
        if (!fs::exists(file)) {
            const QImage image = page_image(pages_.pages[static_cast<std::size_t>(index)], 96.0 * zoom_ / 100.0);
            if (!image.save(QString::fromStdString(file.string()), "PNG"))
                throw std::runtime_error("Cannot write the preview's page image " + file.string());
        }
        return file.string();
    }

    ui::ProcContext& ctx_;
    const Document& pages_;
    ImageFolder folder_;
    int page_ = 1;
    int zoom_;
    int copies_;
    std::vector<std::string> queues_;  // the queue names behind the printer list's entries
    std::string printer_;
    std::function<bool()> canPrint_;
};

}  // namespace

PreviewResult preview_report(ui::ProcContext& context, const Document& pages, PreviewOptions options) {
    if (pages.empty()) return {};
    return Preview(context, pages, options).run();
}

}  // namespace vorel::report
