// The text report viewer, the folder picker and the splash as the Qt front end shows them
// (offscreen): the viewer's lines in a fixed-pitch face, their pieces abutting so a 136-column
// report lines up; the folder picker's list, drive list and buttons; the splash without a caption
// bar. With VOREL_SCREENS_DIR set, pictures of the viewer and the picker are saved there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtGui/QFontInfo>
#include <QtGui/QFontMetrics>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

#include <filesystem>
#include <fstream>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/shell/folder_picker.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

class ReportWindows : public ::testing::Test {
protected:
    void SetUp() override {
        qt::TestApplication();
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-rw-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        ::setenv("VOREL_SETTINGS_DIR", (dir_ / "settings").c_str(), 1);
        ::setenv("VOREL_STATE_DIR", (dir_ / "state").c_str(), 1);
        front_ = std::make_unique<qt::QtFrontEnd>(runtime_);
        front_->mainWindow()->resize(1280, 800);
        front_->Show();
    }
    void TearDown() override {
        runtime_.Shutdown();
        front_.reset();
        ::unsetenv("VOREL_SETTINGS_DIR");
        ::unsetenv("VOREL_STATE_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    int Opened(const std::string& caption) {
        EXPECT_TRUE(qt::RunEventsUntil([&] { return front_->WindowByCaption(caption) != 0 && runtime_.Idle(); }, 15000))
            << caption;
        qt::RunEventsUntil([] { return false; }, 100);  // lets the layout settle
        return front_->WindowByCaption(caption);
    }
    void Shot(int window, const char* name) {
        if (QByteArray shots = qgetenv("VOREL_SCREENS_DIR"); !shots.isEmpty())
            front_->WindowWidget(window)->grab().save(QDir(QString::fromUtf8(shots)).filePath(name));
    }
    std::filesystem::path dir_;
    ui::Runtime runtime_;
    std::unique_ptr<qt::QtFrontEnd> front_;
};

// A dot-matrix listing 136 characters wide: a heading, ruled lines and columns of figures.
std::string Relatorio136() {
    std::string r;
    auto linha = [&](std::string l) {
        l.resize(136, ' ');
        r += l + "\r\n";
    };
    linha(std::string(136, '='));
    linha("MERCADO CENTRAL LTDA                         RELACAO DE ENTRADAS - MARCO/2016                                          PAGINA:    1");
    linha(std::string(136, '-'));
    linha("DATA       NOTA    FORNECEDOR                               CFOP   PRODUTO                        QUANTIDADE     VALOR TOTAL  ICMS ST");
    linha(std::string(136, '-'));
    for (int i = 1; i <= 40; ++i) {
        char buf[200];
        std::snprintf(buf, sizeof buf, "%02d/03/2016 %06d  %-40s %-6s %-30s %10d.000 %12d,%02d %7d,%02d", 1 + i % 28,
                      1000 + i, i % 2 ? "DISTRIBUIDORA DE BEBIDAS NORTE LTDA" : "ATACADO SUL COMERCIO DE ALIMENTOS",
                      i % 3 ? "1403" : "2403", i % 2 ? "CERVEJA LATA 350ML" : "REFRIGERANTE PET 2L", 12 * i,
                      37 * i, i % 100, 5 * i, (7 * i) % 100);
        linha(buf);
    }
    linha(std::string(136, '-'));
    linha("TOTAL GERAL" + std::string(99, ' ') + "      30.340,00");
    return r;
}

TEST_F(ReportWindows, TheViewerShowsAReportInFixedPitchWithItsColumnsLinedUp) {
    std::filesystem::create_directories(dir_ / "temp");
    const std::string arquivo = files::to_program_path(dir_ / "temp" / "00000001.000");
    std::ofstream(dir_ / "temp" / "00000001.000", std::ios::binary) << Relatorio136();
    shell::CodigosImpressoraRec codigos;
    codigos.NLINHAS = 66;
    runtime_.Start("RelEntradas", [&](ui::ProcContext& ctx) {
        shell::Visualiza_Relatorio_Matricial(ctx, arquivo, codigos, "RelEntradas.txt");
    });
    int w = Opened("Visualização Impressão Matricial");
    auto* list = qobject_cast<QTableWidget*>(front_->ControlWidget(w, shell::visualizador::kLista));
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(QFontInfo(list->font()).fixedPitch()) << list->font().family().toStdString();
    EXPECT_TRUE(list->isColumnHidden(0)) << "the line number is not shown";
    const double piece = QFontMetricsF(list->font()).horizontalAdvance(QString(10, '0'));
    for (int c = 1; c < 14; ++c) {
        int width = list->columnViewportPosition(c + 1) - list->columnViewportPosition(c);
        EXPECT_GE(width, piece) << "column " << c << ": ten characters fit";
        EXPECT_LT(width, piece + 1) << "column " << c << ": no gap";
    }
    EXPECT_FALSE(list->showGrid());
    // A piece keeps its blanks: the heading's "RELACAO" begins in column 46 (piece 5, its sixth character).
    EXPECT_EQ(list->item(1, 5)->text(), QString("     RELAC"));
    Shot(w, "text_viewer_136.png");
}

TEST_F(ReportWindows, TheFolderPickerIsAWindowWithTheFolderListAndTheDrives) {
    for (const char* p : {"TRABALHO/Relatorios", "TRABALHO/Exportacao", "TRABALHO/BComuns", "TRABALHO/Temp"})
        std::filesystem::create_directories(dir_ / p);
    std::string pasta = files::to_program_path(dir_ / "TRABALHO");
    runtime_.Start("Salva", [&](ui::ProcContext& ctx) { shell::SelecionaDiretorio(ctx, pasta, 0, 0); });
    int w = Opened("Selecione Diretório");
    namespace d = shell::seleciona_diretorio;
    auto* list = qobject_cast<QTableWidget*>(front_->ControlWidget(w, d::kPastas));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 5);
    EXPECT_EQ(list->item(1, 0)->text(), QString("BCOMUNS"));
    auto* up = qobject_cast<QPushButton*>(front_->ControlWidget(w, d::kAcima));
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->text(), QString("Nível Anterior"));
    EXPECT_NE(qobject_cast<QComboBox*>(front_->ControlWidget(w, d::kUnidades)), nullptr);
    Shot(w, "folder_picker.png");
}

TEST_F(ReportWindows, TheSplashHasNoCaptionBar) {
    runtime_.Start("Abertura", [](ui::ProcContext& ctx) { shell::Abertura(ctx, nullptr, nullptr); });
    ASSERT_TRUE(qt::RunEventsUntil([&] { return !front_->Windows().empty(); }, 15000));
    auto* sub = qobject_cast<QMdiSubWindow*>(front_->WindowWidget(front_->Windows().back()));
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->windowFlags().testFlag(Qt::FramelessWindowHint));
}

}  // namespace
