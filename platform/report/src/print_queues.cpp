// The only file of platform/report that uses Qt's print support (which links Qt Widgets).
#include "vorel/report/print_queues.h"

#include <QPrinterInfo>
#include <QString>
#include <QStringList>
#include <mutex>

namespace vorel::report {

PrintQueues system_print_queues() {
    // Qt loads its print-system plugin on first use without a lock, and previews of two reports
    // may open at once on their procedure threads: one asks at a time.
    static std::mutex one_at_a_time;
    const std::lock_guard<std::mutex> lock(one_at_a_time);
    PrintQueues queues;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    queues.names.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) queues.names.push_back(name.toStdString());
    queues.default_name = QPrinterInfo::defaultPrinterName().toStdString();
    return queues;
}

}  // namespace vorel::report
