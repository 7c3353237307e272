// The Qt front end on the offscreen platform: the frame opens with its menu, toolbar and status
// zones; a register is opened from the menu, typed into with the keyboard (Tab, Enter, the
// keypad's decimal key) and saved, and the record lands; a message box disables only its own
// procedure's window; a browse's list shows as many rows as fit it as its window is resized; a picture
// shows its file and a click on it reaches the procedure as a press. With
// VOREL_SCREENS_DIR set, the tests also save pictures of what they show.
#include <gtest/gtest.h>

#include <QtCore/QDir>
#include <QtGui/QImage>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>
#include <QtWidgets/QToolBar>

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "browse_list.h"
#include "sample_register.h"
#include "vorel/qt/test_application.h"
#include "vorel/core/text.h"
#include "vorel/qt/front_end.h"
#include "vorel/ui/focus_highlighter.h"
#include "vorel/ui/runtime.h"

namespace vorel::qt {
namespace {

QApplication& App() { return vorel::qt::TestApplication(); }

class Smoke : public ::testing::Test {
protected:
    void SetUp() override {
        App();
        std::string tmpl = (std::filesystem::temp_directory_path() / "vorel-qt-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
        ::setenv("VOREL_STATE_DIR", (dir / "state").c_str(), 1);
        ::setenv("VOREL_SETTINGS_DIR", (dir / "settings").c_str(), 1);
        testing::SetSampleTablePath((dir / "TesteQt.tps").string());
        testing::RegisterSampleProcedures();
        rt = std::make_unique<ui::Runtime>(testing::SampleRuntimeOptions());
        ui::StandardHighlightColour().Set(13828095);  // what the login sets: a pale yellow
    }
    void TearDown() override {
        rt->Shutdown();  // procedure threads end before the front end goes
        front.reset();
        rt.reset();
        ::unsetenv("VOREL_STATE_DIR");
        ::unsetenv("VOREL_SETTINGS_DIR");
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    bool Until(const std::function<bool()>& pred, int ms = 20000) { return qt::RunEventsUntil(pred, ms); }
    // Until every procedure waits for the user and every message is shown.
    void Settle() {
        ASSERT_TRUE(Until([&] { return rt->Idle(); }));
        QCoreApplication::processEvents();
    }
    template <class W>
    W* Control(int window, int feq) {
        return qobject_cast<W*>(front->ControlWidget(window, feq));
    }
    void Shot(const char* name) {
        QByteArray dir = qgetenv("VOREL_SCREENS_DIR");
        if (dir.isEmpty()) return;
        QCoreApplication::processEvents();
        front->mainWindow()->grab().save(QDir(QString::fromUtf8(dir)).filePath(QString::fromUtf8(name)));
    }
    int StartFrame() {
        front = std::make_unique<QtFrontEnd>(*rt);
        front->mainWindow()->resize(1000, 640);
        front->Show();
        front->mainWindow()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(front->mainWindow()));
        rt->Start("TesteFrame");
        EXPECT_TRUE(Until([&] { return front->FrameWindow() != 0; }));
        return front->FrameWindow();
    }

    std::filesystem::path dir;
    std::unique_ptr<ui::Runtime> rt;
    std::unique_ptr<QtFrontEnd> front;
};

TEST_F(Smoke, FrameShowsMenuToolbarAndStatusZones) {
    StartFrame();
    Settle();
    QMainWindow* mw = front->mainWindow();
    EXPECT_EQ(mw->windowTitle(), "Vorel  -  Teste");
    QStringList menus;
    for (QAction* a : mw->menuBar()->actions()) menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&Cadastros", "&Sair"}));
    QMenu* cad = mw->menuBar()->actions().front()->menu();
    ASSERT_NE(cad, nullptr);
    QAction* item = cad->actions().front();
    EXPECT_EQ(item->text(), "&Registro de Teste\tCtrl + T");
    EXPECT_EQ(item->shortcut(), QKeySequence("Ctrl+T"));
    auto* tb = mw->findChild<QToolBar*>("toolbar");
    ASSERT_NE(tb, nullptr);
    EXPECT_TRUE(tb->isVisible());
    auto* company = tb->findChild<QWidget*>("feq-11");
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->toolTip(), "Seleciona Empresa. < F2 >.");
    EXPECT_EQ(front->StatusZone(1), "Pronto");
    EXPECT_EQ(front->StatusZone(4), "12:34:56");
    Shot("frame.png");
    // The toolbar button's key works wherever the focus is in the main window.
    QTest::keyClick(mw, Qt::Key_F2);
    EXPECT_TRUE(Until([&] { return front->StatusZone(2) == "F2"; }));
}

TEST_F(Smoke, RegisterTypedIntoAndSavedFromTheKeyboard) {
    StartFrame();
    Settle();
    // The menu's shortcut opens the browse on a thread of its own.
    QTest::keyClick(front->mainWindow(), Qt::Key_T, Qt::ControlModifier);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") != 0; }));
    int browse = front->WindowByCaption("Registros de Teste");
    Settle();
    auto* insert = Control<QPushButton>(browse, 40);
    ASSERT_NE(insert, nullptr);
    QTest::mouseClick(insert, Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Registro de Teste") != 0; }));
    int form = front->WindowByCaption("Inclui Registro de Teste");
    Settle();
    // The browse below the form (same thread) takes no input meanwhile.
    EXPECT_FALSE(front->WindowWidget(browse)->findChild<QWidget*>("content-" + QString::number(browse))->isEnabled());

    auto* code = Control<QLineEdit>(form, 2);
    auto* desc = Control<QLineEdit>(form, 4);
    auto* value = Control<QLineEdit>(form, 6);
    ASSERT_TRUE(code && desc && value);
    ASSERT_TRUE(Until([&] { return code->hasFocus(); }));
    QTest::keyClicks(code, "5102");
    QTest::keyClick(code, Qt::Key_Tab);  // the model moves the focus
    ASSERT_TRUE(Until([&] { return desc->hasFocus(); }));
    QTest::keyClicks(desc, "Venda de mercadoria");
    QTest::keyClick(desc, Qt::Key_Return);  // Enter moves on like Tab in an entry
    ASSERT_TRUE(Until([&] { return value->hasFocus(); }));
    QTest::keyClicks(value, "12");
    QTest::keyClick(value, Qt::Key_Period, Qt::KeypadModifier);  // the keypad's decimal key
    QTest::keyClicks(value, "50");
    EXPECT_EQ(value->text(), "12,50");
    Settle();
    // The focus highlight: a box around the focused entry, and its background.
    auto* box = front->WindowWidget(form)->findChild<QWidget*>("highlight");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->geometry().contains(value->geometry()));
    EXPECT_EQ(value->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xD2));

    auto* column = Control<QComboBox>(form, 8);
    auto* vehicle = Control<QComboBox>(form, 10);
    ASSERT_TRUE(column && vehicle);
    EXPECT_EQ(column->currentIndex(), -1);  // a new record shows no column chosen
    EXPECT_EQ(vehicle->currentText(), "CFO de Entrada de Veículo");
    emit column->activated(1);
    emit vehicle->activated(2);
    QTest::mouseClick(Control<QCheckBox>(form, 11), Qt::LeftButton);
    Settle();
    Shot("form.png");

    QTest::mouseClick(Control<QPushButton>(form, 14), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Registro de Teste") == 0; }));
    auto records = testing::ReadSampleRecords();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].Codigo, 5102);
    EXPECT_EQ(text::to_utf8(text::clip(records[0].Descricao.value())), "Venda de mercadoria");
    EXPECT_EQ(text::clip(records[0].Valor.value()), "12,50");
    EXPECT_EQ(records[0].Coluna, 2);
    EXPECT_EQ(records[0].Veiculo, 3);
    EXPECT_EQ(records[0].Ativo, 1);

    // The form is gone; the browse takes input again and lists the record.
    Settle();
    auto* list = Control<QTableWidget>(browse, 30);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 0)->text(), "5102");
    EXPECT_EQ(list->item(0, 1)->text(), "Venda de mercadoria");
    EXPECT_EQ(list->item(0, 2)->textAlignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_TRUE(front->WindowWidget(browse)->findChild<QWidget*>("content-" + QString::number(browse))->isEnabled());
    Shot("browse.png");
}

TEST_F(Smoke, MessageBoxDisablesOnlyItsOwnProceduresWindow) {
    StartFrame();
    Settle();
    rt->Start("UTesteRegistro", ui::Request::Insert);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Registro de Teste") != 0; }));
    int form = front->WindowByCaption("Inclui Registro de Teste");
    rt->Start("TesteRegistro");
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") != 0; }));
    int browse = front->WindowByCaption("Registros de Teste");
    Settle();
    QTest::mouseClick(Control<QPushButton>(form, 14), Qt::LeftButton);  // OK with no code
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    Settle();
    QWidget* box = front->OpenDialog();
    EXPECT_EQ(box->windowTitle(), "Atenção");
    auto* text = box->findChild<QLabel*>("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Código é Indispensável");
    auto content = [&](int w) { return front->WindowWidget(w)->findChild<QWidget*>("content-" + QString::number(w)); };
    EXPECT_FALSE(content(form)->isEnabled());
    EXPECT_TRUE(content(browse)->isEnabled());
    // The other procedure goes on: its window answers while the box waits.
    QTest::mouseClick(Control<QPushButton>(browse, 43), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") == 0; }));
    auto buttons = box->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons[0]->text(), "&OK");
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() == nullptr && content(form)->isEnabled(); }));
    Settle();
    EXPECT_EQ(front->mainWindow()->focusWidget(), Control<QLineEdit>(form, 2));  // the form selected the code again
    EXPECT_TRUE(testing::ReadSampleRecords().empty());
}

TEST_F(Smoke, ABrowseShowsAsManyRowsAsFitItsList) {
    std::vector<testing::SampleRecord> records(40);
    for (int i = 0; i < 40; ++i) {
        records[static_cast<std::size_t>(i)].Codigo = static_cast<std::uint16_t>(i + 1);
        records[static_cast<std::size_t>(i)].Descricao = text::from_utf8("Item " + std::to_string(i + 1));
    }
    ASSERT_TRUE(testing::WriteSampleRecords(records));
    StartFrame();
    Settle();
    rt->Start("TesteRegistro");
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") != 0; }));
    int browse = front->WindowByCaption("Registros de Teste");
    Settle();
    auto* list = dynamic_cast<BrowseList*>(front->ControlWidget(browse, 30));
    ASSERT_NE(list, nullptr);
    auto filled = [&] { return list->rowCount() == list->rowsFit(); };
    ASSERT_TRUE(Until(filled));
    QWidget* sub = front->WindowWidget(browse);
    int rows = list->rowCount();
    int height = sub->height();
    // Taller: the model sends more rows, from the same first record.
    sub->resize(sub->width(), height + 6 * list->verticalHeader()->defaultSectionSize());
    ASSERT_TRUE(Until([&] { return filled() && list->rowCount() > rows; }));
    EXPECT_EQ(list->item(0, 0)->text(), "1");
    // Shorter again with a row below the new bottom highlighted: the page ends on it.
    int taller = list->rowCount();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(taller - 2, 0)).center());
    Settle();
    sub->resize(sub->width(), height);
    ASSERT_TRUE(Until([&] { return filled() && list->rowCount() == rows; }));
    EXPECT_EQ(list->item(rows - 1, 0)->text(), QString::number(taller - 1));
    EXPECT_EQ(list->item(rows - 1, 0)->background().color(), list->palette().color(QPalette::Highlight));
}

TEST_F(Smoke, ALocatorIsTypedIntoKeyByKey) {
    std::vector<testing::SampleRecord> records(5);
    const std::pair<int, const char*> rows[] = {
        {1102, "MINAS GERAIS"}, {5102, "SAO PAULO"}, {5405, "SANTA CATARINA"}, {6102, "PARANA"}, {6405, "BAHIA"}};
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i].Codigo = static_cast<std::uint16_t>(rows[i].first);
        records[i].Descricao = rows[i].second;
    }
    ASSERT_TRUE(testing::WriteSampleRecords(records));
    StartFrame();
    Settle();
    rt->Start("TesteRegistro");
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") != 0; }));
    int browse = front->WindowByCaption("Registros de Teste");
    Settle();
    auto* list = dynamic_cast<BrowseList*>(front->ControlWidget(browse, 30));
    auto* code = Control<QLineEdit>(browse, 23);
    ASSERT_TRUE(list && code);
    auto highlighted = [&](int column) {
        for (int r = 0; r < list->rowCount(); ++r)
            if (list->item(r, column)->background().color() == list->palette().color(QPalette::Highlight))
                return list->item(r, column)->text();
        return QString();
    };
    // Opening: row 1 highlighted, the locator blank (not the last record the list read).
    ASSERT_TRUE(Until([&] { return list->rowCount() == 5; }));
    EXPECT_EQ(highlighted(0), "1102");
    EXPECT_EQ(code->text(), "");
    // Typed key by key, each key moving the list (a number: 5, 54 and 540 reach 1102 first): the
    // locator keeps what was typed, its cursor at the end.
    ASSERT_TRUE(Until([&] { return code->hasFocus(); }));
    for (char c : std::string("5405")) {
        QTest::keyClick(code, c);
        Settle();
    }
    EXPECT_EQ(code->text(), "5405");
    EXPECT_EQ(code->cursorPosition(), 4);
    EXPECT_EQ(highlighted(0), "5405");
    // The description's tab (its access key), then "SA" key by key.
    QTest::keyClick(code, Qt::Key_S, Qt::AltModifier);
    Settle();
    auto* name = Control<QLineEdit>(browse, 24);
    ASSERT_TRUE(Until([&] { return name->isVisible(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);  // from the tab to its locator
    Settle();
    ASSERT_TRUE(Until([&] { return name->hasFocus(); }));
    for (char c : std::string("SA")) {
        QTest::keyClick(name, c, Qt::ShiftModifier);
        Settle();
    }
    EXPECT_EQ(name->text(), "SA");
    EXPECT_EQ(highlighted(1), "SANTA CATARINA");
}

TEST_F(Smoke, TheMainWindowOpensMaximisedThenAsItWasClosed) {
    auto run = [&](const std::function<void(QMainWindow&)>& use) {
        FrontEndOptions options;
        options.frameSettings = "Vorel.ini";
        front = std::make_unique<QtFrontEnd>(*rt, options);
        int frame = rt->Start("TesteFrame");
        ASSERT_TRUE(Until([&] { return front->FrameWindow() != 0 && front->mainWindow()->isVisible(); }));
        Settle();
        use(*front->mainWindow());
        ui::UserEvent sair;
        sair.kind = ui::UserEvent::Press;
        sair.window = front->FrameWindow();
        sair.feq = 4;  // "&Sair"
        rt->Post(sair);
        ASSERT_TRUE(Until([&] { return rt->Finished(frame).has_value() && front->FrameWindow() == 0; }));
        front.reset();
    };
    QRect closed;
    run([&](QMainWindow& mw) {
        EXPECT_TRUE(mw.isMaximized()) << "nothing stored: the whole screen";
        mw.showNormal();
        mw.setGeometry(40, 30, 760, 540);
        QCoreApplication::processEvents();
        closed = mw.geometry();
    });
    run([&](QMainWindow& mw) {
        EXPECT_FALSE(mw.isMaximized());
        EXPECT_EQ(mw.geometry(), closed);
        mw.showMaximized();
        QCoreApplication::processEvents();
    });
    run([](QMainWindow& mw) { EXPECT_TRUE(mw.isMaximized()) << "closed maximised, opens maximised"; });
}

TEST_F(Smoke, APictureShowsItsFileAndAClickOnItPressesIt) {
    StartFrame();
    Settle();
    const std::string file = (dir / "Logo.bmp").string();
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(file), "BMP"));
    std::atomic<int> pressed{0};
    rt->Start("Logo", [&pressed, file](ui::ProcContext& ctx) {
        ui::Window w(ctx, "Logo");
        w.Add(1, ui::ControlType::Image).Text(file).At(4, 4, 40, 40);
        w.Add(2, ui::ControlType::Image).Text("").At(50, 4, 40, 40);  // no file: shows nothing
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::Accepted && e.feq == 1) ++pressed;
            if (e.code == ui::event::CloseWindow) w.Close();
        }
    });
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Logo") != 0; }));
    Settle();
    const int w = front->WindowByCaption("Logo");
    auto* logo = Control<QLabel>(w, 1);
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    EXPECT_TRUE(Control<QLabel>(w, 2)->pixmap().isNull());
    QTest::mouseClick(logo, Qt::LeftButton);
    EXPECT_TRUE(Until([&] { return pressed == 1; }));
}

}  // namespace
}  // namespace vorel::qt

namespace vorel::qt {
namespace {

TEST_F(Smoke, AWindowIsToldWhenAnotherOneBecomesActive) {
    StartFrame();
    Settle();
    std::atomic<int> lostFocus{0};
    rt->Start("Aviso", [&lostFocus](ui::ProcContext& ctx) {
        ui::Window w(ctx, "Aviso");
        w.String(1, "Aguarde");
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::LoseFocus) {
                ++lostFocus;
                w.Close();
            }
            if (e.code == ui::event::CloseWindow) w.Close();
        }
    });
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Aviso") != 0; }));
    Settle();
    EXPECT_EQ(lostFocus, 0) << "opening and showing a window does not take its focus away";
    rt->Start("TesteRegistro");
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Aviso") == 0; })) << "closed on losing the focus";
    EXPECT_EQ(lostFocus, 1);
    EXPECT_NE(front->WindowByCaption("Registros de Teste"), 0);
}

}  // namespace
}  // namespace vorel::qt

namespace vorel::qt {
namespace {

TEST_F(Smoke, AWindowWhoseProcedureWorksShowsTheBusyCursor) {
    StartFrame();
    Settle();
    std::atomic<bool> work{false}, worked{false};
    rt->Start("Trabalho", [&](ui::ProcContext& ctx) {
        ui::Window w(ctx, "Trabalho");
        w.Button(1, "&Calcular");
        w.Open();
        for (ui::Event e; (e = w.Accept()).code != ui::event::None;) {
            if (e.code == ui::event::CloseWindow) w.Close();
            if (e.code == ui::event::Accepted && e.feq == 1) {
                while (work) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a long computation
                worked = true;
            }
        }
    });
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Trabalho") != 0; }));
    Settle();
    int w = front->WindowByCaption("Trabalho");
    QWidget* window = front->WindowWidget(w);
    EXPECT_FALSE(window->testAttribute(Qt::WA_SetCursor)) << "waiting for the user";
    work = true;
    QTest::mouseClick(Control<QPushButton>(w, 1), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return window->testAttribute(Qt::WA_SetCursor); }, 5000));
    EXPECT_EQ(window->cursor().shape(), Qt::BusyCursor);
    work = false;
    ASSERT_TRUE(Until([&] { return worked && !window->testAttribute(Qt::WA_SetCursor); }, 5000))
        << "back to the ordinary cursor once it waits for the user again";
}

TEST_F(Smoke, ADeleteQuestionOpenWhenTheProgramEndsDeletesNothing) {
    testing::SampleRecord r;
    r.Codigo = 7;
    r.Descricao = "Parafuso";
    ASSERT_TRUE(testing::WriteSampleRecords({r}));
    StartFrame();
    Settle();
    rt->Start("TesteRegistro");
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Registros de Teste") != 0; }));
    int browse = front->WindowByCaption("Registros de Teste");
    Settle();
    QTest::mouseClick(Control<QPushButton>(browse, 42), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Exclui Registro de Teste") != 0; }));
    int form = front->WindowByCaption("Exclui Registro de Teste");
    Settle();
    QTest::mouseClick(Control<QPushButton>(form, 14), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    Settle();
    auto* text = front->OpenDialog()->findChild<QLabel*>("text");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text(), "Confirma a exclusão deste registro?");
    // The user leaves the program with the question on screen.
    rt->Shutdown();
    auto records = testing::ReadSampleRecords();
    ASSERT_EQ(records.size(), 1u) << "the unanswered question deleted the record";
    EXPECT_EQ(records[0].Codigo, 7);
}

TEST_F(Smoke, AnEntryTakesNoMoreThanItsPictureAndField) {
    StartFrame();
    Settle();
    rt->Start("UTesteRegistro", ui::Request::Insert);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Inclui Registro de Teste") != 0; }));
    int form = front->WindowByCaption("Inclui Registro de Teste");
    Settle();
    auto* code = Control<QLineEdit>(form, 2);
    auto* desc = Control<QLineEdit>(form, 4);
    auto* value = Control<QLineEdit>(form, 6);
    ASSERT_TRUE(code && desc && value);
    EXPECT_EQ(code->maxLength(), 4) << "@n4";
    EXPECT_EQ(desc->maxLength(), 40) << "@s40 over a field of 40";
    EXPECT_EQ(value->maxLength(), 14) << "@n-14`2 over a field of 16: the picture is shorter";
    desc->setFocus();
    QTest::keyClicks(desc, QString(45, QChar('x')));
    EXPECT_EQ(desc->text(), QString(40, QChar('x')));
}

}  // namespace
}  // namespace vorel::qt
