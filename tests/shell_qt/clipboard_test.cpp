// The calculator's clipboard is the desktop's: what a procedure thread writes lands on the
// desktop clipboard, and what the user copied elsewhere is what a procedure reads.
#include <gtest/gtest.h>

#include <QtCore/QCoreApplication>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>

#include <chrono>
#include <string>
#include <thread>

#include "system_clipboard.h"
#include "vorel/qt/test_application.h"
#include "vorel/shell/clipboard.h"

namespace {

using namespace vorel;


TEST(SystemClipboard, ProcedureThreadsReadAndWriteTheDesktopClipboard) {
    qt::TestApplication();
    QClipboard* desktop = QGuiApplication::clipboard();
    desktop->setText("1.234,56");
    {
        app::SystemClipboard clipboard;
        std::string read;
        std::thread([&] { read = shell::LeAreaTransferencia(); }).join();
        EXPECT_EQ(read, "1.234,56") << "the text on the desktop clipboard when the program started";

        desktop->setText("R$ 7,50 ção");  // copied by the user in another program
        QCoreApplication::processEvents();
        std::thread([&] { read = shell::LeAreaTransferencia(); }).join();
        EXPECT_EQ(read, "R$ 7,50 ção");

        // A write from a procedure thread never waits for the GUI thread, reads back at once and
        // reaches the desktop clipboard when the GUI thread runs.
        std::thread([&] {
            shell::GravaAreaTransferencia("99,00");
            read = shell::LeAreaTransferencia();
        }).join();
        EXPECT_EQ(read, "99,00");
        EXPECT_TRUE(qt::RunEventsUntil([&] { return desktop->text() == "99,00"; })) << desktop->text().toStdString();
    }
    // Once the program's clipboard is gone the shell keeps its own text and the desktop is left alone.
    std::thread([] { shell::GravaAreaTransferencia("kept"); }).join();
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop->text().toStdString(), "99,00");
    EXPECT_EQ(shell::LeAreaTransferencia(), "kept");
}

}  // namespace
