// The only file of platform/report that uses Qt's print support (which links Qt Widgets).
#include "vorel/report/print_queues.h"

#include <QPrinterInfo>
#include <QString>
#include <QStringList>

namespace vorel::report {

PrintQueues system_print_queues() {
    PrintQueues queues;
    const QStringList names = QPrinterInfo::availablePrinterNames();
    queues.names.reserve(static_cast<std::size_t>(names.size()));
    for (const QString& name : names) queues.names.push_back(name.toStdString());
    queues.default_name = QPrinterInfo::defaultPrinterName().toStdString();
    return queues;
}

}  // namespace vorel::report
