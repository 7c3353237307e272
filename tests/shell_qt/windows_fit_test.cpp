// Every window of the shell and the registers, opened in the Qt front end inside the frame, shows
// all its controls: none lies outside its window or overlaps the window's edge, and no text is cut. With
// VOREL_SCREENS_DIR set, a picture of each is saved there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "program_root.h"
#include "vorel/core/paths.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/registers/procedures.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

struct Opened {
    const char* procedure;
    ui::Request request;
};

// The windows a user opens from the menu, and the forms their buttons open.
const Opened kWindows[] = {
    {"SelecionaEmpresa", ui::Request::None}, {"SelecionaPeriodo", ui::Request::None},
    {"Empresa", ui::Request::None},          {"UEmpresa", ui::Request::Insert},
    {"Calculadora", ui::Request::None},      {"Parametros", ui::Request::None},
    {"Configura_Impressora", ui::Request::None}, {"Impressoras", ui::Request::None},
    {"UImpressoras", ui::Request::Insert},   {"UsuariosSenhas", ui::Request::None},
    {"UUsuariosSenhas", ui::Request::Insert}, {"AberturaFechamento", ui::Request::None},
    {"Sobre", ui::Request::None},            {"TrocaPapelParede", ui::Request::None},
    {"CFO", ui::Request::None},              {"UCFO", ui::Request::Insert},
    {"CFOComplementar", ui::Request::None},  {"UCFOComplementar", ui::Request::Insert},
    {"CNAE", ui::Request::None},             {"UCNAE", ui::Request::Insert},
    {"Estados", ui::Request::None},          {"UMunicipios", ui::Request::Insert},
    {"BFuncionarios", ui::Request::None},    {"UFuncionarios", ui::Request::Insert},
    {"Fornecedores", ui::Request::None},     {"UFornecedores", ui::Request::Insert},
    {"Produtos", ui::Request::None},         {"UProdutos", ui::Request::Insert},
    {"ICMSEletronico", ui::Request::None},   {"UICMSEletronico", ui::Request::Insert},
    {"ValorUnitario", ui::Request::None},
};

using vorel::testing::WithDictionary;


class WindowsFit : public ::testing::TestWithParam<Opened> {
protected:
    void SetUp() override {
        qt::TestApplication();
        ASSERT_TRUE(root_.Start());
        // The shared tables' file names, as the frame fixes them when it starts.
        const std::string root = shell::PastaRaiz.Get();
        dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(root));
        // A working company (1) and period (March 2016), as the selection windows leave them.
        auto c = dictionary::CaminhosArquivosEmpresa(root, 1, 0, 0);
        ASSERT_FALSE(dictionary::CriaPastas(c));
        dictionary::AplicaCaminhos(c);
        auto a = dictionary::CaminhosArquivosAno(root, 1, 2016);
        ASSERT_FALSE(dictionary::CriaPastas(a));
        dictionary::AplicaCaminhos(a);
        shell::GLO_EMPRESA_CODIGO.Set(1);
        shell::GLO_ANO.Set(2016);
        shell::GLO_MES.Set(3);
    }
    void TearDown() override {
        shell::GLO_EMPRESA_CODIGO.Set(0);
    }
    vorel::testing::ProgramRoot root_{"vorel-fit"};
};

TEST_P(WindowsFit, EveryControlLiesInsideItsWindow) {
    const Opened& o = GetParam();
    ui::Runtime runtime(WithDictionary());
    {
        qt::QtFrontEnd front(runtime);
        front.mainWindow()->resize(1200, 800);
        front.Show();
        runtime.Start(o.procedure, o.request);
        ASSERT_TRUE(qt::RunEventsUntil([&] { return (!front.Windows().empty() || front.OpenDialog()) && runtime.Idle(); }, 15000))
            << o.procedure << " opened no window";
        if (QWidget* box = front.OpenDialog()) {
            auto* text = box->findChild<QLabel*>("text");
            FAIL() << o.procedure << " said: " << (text ? text->text().toStdString() : std::string("?"));
        }
        qt::RunEventsUntil([&] { return false; }, 50);  // the views' deferred work (pages, placements)
        for (int id : front.Windows()) {
            QWidget* window = front.WindowWidget(id);
            if (!window) continue;
            auto* content = window->findChild<QWidget*>("content-" + QString::number(id));
            ASSERT_NE(content, nullptr);
            QRect inside = content->rect();
            if (!window->isWindow()) {
                QRect area = front.mainWindow()->findChild<QMdiArea*>()->viewport()->rect();
                EXPECT_LE(window->width(), area.width()) << o.procedure << ": wider than the frame";
                EXPECT_LE(window->height(), area.height()) << o.procedure << ": taller than the frame";
                // The content scrolls only in a direction where the frame is too small for it.
                if (auto* scroll = window->findChild<QScrollArea*>("scroll")) {
                    // (the scroll bars follow the window's last growth on a later turn of events)
                    if (window->width() < area.width()) {
                        EXPECT_TRUE(qt::RunEventsUntil([&] { return !scroll->horizontalScrollBar()->isVisible(); }, 2000))
                            << o.procedure << ": scrolls across";
                    }
                    if (window->height() < area.height()) {
                        EXPECT_TRUE(qt::RunEventsUntil([&] { return !scroll->verticalScrollBar()->isVisible(); }, 2000))
                            << o.procedure << ": scrolls down";
                    }
                }
            }
            for (QWidget* w : content->findChildren<QWidget*>()) {
                if (!w->objectName().startsWith("feq-") || !w->isVisibleTo(content)) continue;
                // A control on a tab page that is not shown is measured against its own page.
                QRect r(w->mapTo(content, QPoint(0, 0)), w->size());
                if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
                    EXPECT_LE(label->sizeHint().width(), label->width() + 1)
                        << o.procedure << ": the text of " << w->objectName().toStdString() << " is cut: \""
                        << label->text().toStdString() << "\"";
                }
                EXPECT_TRUE(inside.contains(r)) << o.procedure << ": " << w->objectName().toStdString() << " in \""
                                                << window->windowTitle().toStdString() << "\" at " << r.x() << ","
                                                << r.y() << " " << r.width() << "x" << r.height() << " outside "
                                                << inside.width() << "x" << inside.height();
            }
            if (QByteArray shots = qgetenv("VOREL_SCREENS_DIR"); !shots.isEmpty())
                window->grab().save(QDir(QString::fromUtf8(shots))
                                        .filePath(QString("window-%1-%2.png").arg(o.procedure).arg(id)));
        }
        runtime.Shutdown();
    }
}

INSTANTIATE_TEST_SUITE_P(ShellAndRegisters, WindowsFit, ::testing::ValuesIn(kWindows),
                         [](const ::testing::TestParamInfo<Opened>& i) { return std::string(i.param.procedure); });

}  // namespace
