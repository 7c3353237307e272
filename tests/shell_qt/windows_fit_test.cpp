// Every window the main menu starts, and the forms their buttons open, opened in the Qt front end
// inside the frame on a fresh data root with one company and period: it opens without a message,
// shows all its controls (none lies outside its window or overlaps the window's edge, no text is
// cut, no line of text runs wider than a reader takes in, checks standing alone line up), closes
// again with Escape and leaves the data root as it found it. With VOREL_SCREENS_DIR set, a picture
// of each is saved there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QApplication>
#include <QtWidgets/QScrollBar>
#include <QtTest/QTest>

#include <cctype>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <thread>

#include "program_root.h"
#include "program_setup.h"
#include "vorel/core/paths.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/globals.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/registers/procedures.h"
#include "vorel/shell/main_menu.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/startup.h"
#include "vorel/shell/users.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

// What a test opens: a procedure by name with its request, and the layout a menu item writes to
// Layout.ini before the start (0 none).
struct Opened {
    std::string procedure;
    ui::Request request = ui::Request::None;
    long long layout = 0;
};
void PrintTo(const Opened& o, std::ostream* out) {
    *out << o.procedure;
    if (o.layout != 0) *out << " (layout " << o.layout << ")";
}

// The windows of the shell and the registers a user opens from the menu, and the forms their
// buttons open.
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

// The forms the buttons of the other subsystems' menu windows open (the menu windows themselves
// come from the menu, below).
const Opened kForms[] = {
    {"UEstados", ui::Request::Insert},       {"UForCliQel", ui::Request::Insert},
    {"UProdutoAliquotas", ui::Request::Insert}, {"ULoteVorel", ui::Request::Insert},
    {"WLegenda", ui::Request::None},
    {"USaldoAnterior", ui::Request::Insert}, {"UEntradas", ui::Request::Insert},
    {"Usaidas", ui::Request::Insert},        {"UEntradaVeiculo", ui::Request::Insert},
    {"USaidaVeiculos", ui::Request::Insert}, {"UMestre", ui::Request::Insert},
    {"UAnalitico", ui::Request::Insert},     {"UDiario", ui::Request::Insert},
    {"ULayout", ui::Request::Insert},        {"CampArquivos", ui::Request::Insert},
};

// Menu items whose procedure is not in the program yet (the menu says "ainda não está
// disponível" for them), each with why it is left out. An item built since is opened all the same.
struct NotBuilt {
    const char* procedure;
    const char* reason;
};
// Every menu item is built now; the list stays for the next item added before its procedure.
const std::vector<NotBuilt> kNotBuilt = {};

// Menu items that open no window of their own on a data root without records: a report without an
// option window that has nothing to list ends at once, as it should.
const NotBuilt kWithoutWindow[] = {
    {"RelatorioSaldoAnterior", "a report without an option window; nothing to list on an empty data root"},
    {"AtualizaArquivos", "the rate-history conversion closes its own window as soon as it has run"},
};

// Menu items whose own warning comes before their window opens: the check answers it and goes on.
const NotBuilt kWarnsFirst[] = {
    {"CopiaFornecedores", "warns that the copy replaces the company's register before its window opens"},
};

bool WarnsFirst(const std::string& procedure) {
    for (const NotBuilt& n : kWarnsFirst)
        if (procedure == n.procedure) return true;
    return false;
}

// Menu items that ask before their window opens: every question is answered "&Sim".
const char* const kAskFirst[] = {"RunTimeFileManager"};

bool AsksFirst(const std::string& procedure) {
    for (const char* p : kAskFirst)
        if (procedure == p) return true;
    return false;
}

const NotBuilt* WithoutWindow(const std::string& procedure) {
    for (const NotBuilt& n : kWithoutWindow)
        if (procedure == n.procedure) return &n;
    return nullptr;
}

const NotBuilt* Unbuilt(const std::string& procedure) {
    for (const NotBuilt& n : kNotBuilt)
        if (procedure == n.procedure) return &n;
    return nullptr;
}

// Every item of the main menu that starts a procedure, once per procedure and layout.
std::vector<Opened> MenuItems() {
    std::vector<Opened> items;
    for (const shell::ItemMenu& i : shell::MenuPrincipal()) {
        if (i.acao != shell::AcaoMenu::Inicia) continue;
        Opened o{i.procedimento, ui::Request::None, i.qelLayout};
        bool seen = false;
        for (const Opened& x : items) seen = seen || (x.procedure == o.procedure && x.layout == o.layout);
        if (!seen) items.push_back(o);
    }
    return items;
}

std::string TestName(const ::testing::TestParamInfo<Opened>& i) {
    std::string name;
    for (unsigned char c : i.param.procedure) name += std::isalnum(c) ? static_cast<char>(c) : '_';
    if (i.param.layout != 0) name += "_" + std::to_string(i.param.layout);
    return name;
}

using vorel::testing::WithDictionary;

// The records of every table whose file exists, by table.
std::map<std::string, std::int64_t> Records() {
    std::map<std::string, std::int64_t> records;
    for (const dictionary::TableInfo& t : dictionary::all_tables()) {
        const data::TableDesc& d = t.desc();
        if (t.base || !d.name || d.driver != data::Driver::Indexed) continue;  // an alias shares its base's file
        const std::string path = d.name->get();
        if (path.empty() || !files::exists(path)) continue;  // (a work table is named when it is made)
        data::FileManager table(d);
        if (!table.open_path(path).ok()) {
            ADD_FAILURE() << d.label << " does not open at " << path;
            continue;
        }
        records[d.label] = table.records();
        EXPECT_TRUE(table.close().ok());
    }
    return records;
}

class WindowsFit : public ::testing::TestWithParam<Opened> {
protected:
    void SetUp() override {
        qt::TestApplication();
        ASSERT_TRUE(root_.Start());
        app::AddSubsystemProcedures();
        // The shared tables' file names, as the frame fixes them when it starts.
        const std::string root = shell::PastaRaiz.Get();
        dictionary::AplicaCaminhos(dictionary::CaminhosArquivosComuns(root));
        // A working company (1) and period (March 2016), as the selection windows leave them.
        vorel::testing::SetWorkingCompany(root);
        // The built-in super user, as the first login leaves it.
        ui::Runtime seed(WithDictionary());
        seed.Start("GaranteSuperUsuario", [](ui::ProcContext&) {
            data::FileManager& senhas = data::dictionary::file(dictionary::Senhas());
            ASSERT_TRUE(senhas.open().ok());
            EXPECT_TRUE(shell::GaranteSuperUsuario().ok());
            EXPECT_TRUE(senhas.close().ok());
        });
        ASSERT_TRUE(qt::RunEventsUntil([&] { return seed.Running().empty(); }, 5000));
        seed.Shutdown();
    }
    void TearDown() override {
        shell::GLO_EMPRESA_CODIGO.Set(0);
    }
    // Opens the procedure, checks its windows, then closes them one by one, the last opened first,
    // with Escape (or, when Escape leaves it open, its close button).
    void OpenCheckAndClose(const Opened& o);
    vorel::testing::ProgramRoot root_{"vorel-fit"};
};

std::string DialogText(QWidget* box) {
    auto* text = box->findChild<QLabel*>("text");
    return text ? text->text().toStdString() : std::string("?");
}

// Every control of an open window lies inside it and shows its text whole; a picture is saved
// when VOREL_SCREENS_DIR is set.
void CheckWindow(qt::QtFrontEnd& front, int id, const std::string& procedure) {
    QWidget* window = front.WindowWidget(id);
    if (!window) return;
    auto* content = window->findChild<QWidget*>("content-" + QString::number(id));
    ASSERT_NE(content, nullptr);
    QRect inside = content->rect();
    if (!window->isWindow()) {
        QRect area = front.mainWindow()->findChild<QMdiArea*>()->viewport()->rect();
        EXPECT_LE(window->width(), area.width()) << procedure << ": wider than the frame";
        EXPECT_LE(window->height(), area.height()) << procedure << ": taller than the frame";
        EXPECT_TRUE(area.contains(window->geometry()))
            << procedure << ": reaches past the frame's area at " << window->x() << "," << window->y() << " "
            << window->width() << "x" << window->height() << " in " << area.width() << "x" << area.height();
        // The content scrolls only in a direction where the frame is too small for it.
        if (auto* scroll = window->findChild<QScrollArea*>("scroll")) {
            // (the scroll bars follow the window's last growth on a later turn of events)
            if (window->width() < area.width()) {
                EXPECT_TRUE(qt::RunEventsUntil([&] { return !scroll->horizontalScrollBar()->isVisible(); }, 2000))
                    << procedure << ": scrolls across";
            }
            if (window->height() < area.height()) {
                EXPECT_TRUE(qt::RunEventsUntil([&] { return !scroll->verticalScrollBar()->isVisible(); }, 2000))
                    << procedure << ": scrolls down";
            }
        }
    }
    for (QWidget* w : content->findChildren<QWidget*>()) {
        if (!w->objectName().startsWith("feq-") || !w->isVisibleTo(content)) continue;
        // A control on a tab page that is not shown is measured against its own page.
        QRect r(w->mapTo(content, QPoint(0, 0)), w->size());
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
            EXPECT_LE(label->sizeHint().width(), label->width() + 1)
                << procedure << ": the text of " << w->objectName().toStdString() << " is cut: \""
                << label->text().toStdString() << "\"";
            // A long explanation wraps instead of stretching its window across the frame.
            EXPECT_LE(label->sizeHint().width(), 800)
                << procedure << ": " << w->objectName().toStdString() << " is one line too wide to read";
        }
        EXPECT_TRUE(inside.contains(r)) << procedure << ": " << w->objectName().toStdString() << " in \""
                                        << window->windowTitle().toStdString() << "\" at " << r.x() << "," << r.y()
                                        << " " << r.width() << "x" << r.height() << " outside " << inside.width()
                                        << "x" << inside.height();
    }
    // Checks standing alone (no prompt before them on their row) line up at one left edge.
    std::map<QWidget*, std::pair<int, std::string>> aloneAt;  // by the widget that holds them
    for (QGridLayout* grid : content->findChildren<QGridLayout*>()) {
        for (int k = 0; k < grid->count(); ++k) {
            auto* check = qobject_cast<QCheckBox*>(grid->itemAt(k)->widget());
            if (!check || !check->isVisibleTo(content)) continue;
            int row, column, rows, columns;
            grid->getItemPosition(k, &row, &column, &rows, &columns);
            QLayoutItem* before = column > 0 ? grid->itemAtPosition(row, 0) : nullptr;
            if (before && before->widget() && before->widget()->isVisibleTo(content)) continue;
            const int x = check->mapTo(content, QPoint(0, 0)).x();
            auto at = aloneAt.try_emplace(check->parentWidget(), x, check->text().toStdString()).first;
            EXPECT_EQ(x, at->second.first) << procedure << ": \"" << check->text().toStdString()
                                           << "\" is not in line with \"" << at->second.second << "\"";
        }
    }
    if (QByteArray shots = qgetenv("VOREL_SCREENS_DIR"); !shots.isEmpty()) {
        std::string file = "window-" + procedure + "-" + std::to_string(id) + ".png";
        window->grab().save(QDir(QString::fromUtf8(shots)).filePath(QString::fromStdString(file)));
    }
}

void WindowsFit::OpenCheckAndClose(const Opened& o) {
    const auto before = Records();
    if (o.layout != 0) {
        ASSERT_FALSE(shell::GravaQelLayout(o.layout));
    }
    ui::Runtime runtime(WithDictionary());
    {
        qt::QtFrontEnd front(runtime);
        front.mainWindow()->resize(1200, 800);
        front.Show();
        runtime.Start(o.procedure, o.request);
        ASSERT_TRUE(qt::RunEventsUntil([&] { return (!front.Windows().empty() || front.OpenDialog()) && runtime.Idle(); }, 15000))
            << o.procedure << " opened no window";
        if (QWidget* box = front.OpenDialog(); box && WarnsFirst(o.procedure)) {
            QPushButton* ok = box->findChild<QPushButton*>();
            ASSERT_NE(ok, nullptr) << o.procedure << ": its warning has no button";
            ok->click();
            ASSERT_TRUE(qt::RunEventsUntil([&] { return !front.Windows().empty() && !front.OpenDialog() && runtime.Idle(); }, 15000))
                << o.procedure << " opened no window after its warning";
        }
        for (int asked = 0; asked < 4 && AsksFirst(o.procedure) && front.OpenDialog(); ++asked) {
            QWidget* box = front.OpenDialog();
            const QString name = box->objectName();
            for (auto* b : box->findChildren<QPushButton*>())
                if (b->text() == "&Sim") b->click();
            ASSERT_TRUE(qt::RunEventsUntil([&] {
                QWidget* next = front.OpenDialog();
                return ((next && next->objectName() != name) || (!next && !front.Windows().empty())) && runtime.Idle();
            }, 15000)) << o.procedure << " opened no window after its questions";
        }
        if (QWidget* box = front.OpenDialog()) {
            ADD_FAILURE() << o.procedure << " said on opening: " << DialogText(box);
            runtime.Shutdown();
            return;
        }
        qt::RunEventsUntil([&] { return false; }, 50);  // the views' deferred work (pages, placements)
        const std::string shot = o.layout != 0 ? o.procedure + std::to_string(o.layout) : o.procedure;
        for (int id : front.Windows()) CheckWindow(front, id, shot);

        for (int round = 0; round < 8 && !runtime.Running().empty(); ++round) {
            const std::vector<int> open = front.Windows();
            if (open.empty()) break;
            const int last = open.back();
            QWidget* window = front.WindowWidget(last);
            QWidget* target = QApplication::focusWidget();
            if (!target || !window->isAncestorOf(target)) target = window;
            QTest::keyClick(target, Qt::Key_Escape);
            auto gone = [&] { return front.WindowWidget(last) == nullptr && runtime.Idle(); };
            if (!qt::RunEventsUntil([&] { return gone() || front.OpenDialog(); }, 3000) && !front.OpenDialog()) {
                ADD_FAILURE() << o.procedure << ": Escape on " << target->objectName().toStdString() << " ("
                              << target->metaObject()->className() << ") leaves \""
                              << window->windowTitle().toStdString() << "\" open";
                if (auto* sub = qobject_cast<QMdiSubWindow*>(window)) sub->close();
                else window->close();
                qt::RunEventsUntil([&] { return gone() || front.OpenDialog(); }, 3000);
            }
            if (QWidget* box = front.OpenDialog()) {
                ADD_FAILURE() << o.procedure << " said on closing: " << DialogText(box);
                box->close();
                qt::RunEventsUntil(gone, 3000);
            }
        }
        EXPECT_TRUE(qt::RunEventsUntil([&] { return runtime.Running().empty(); }, 5000))
            << o.procedure << " still runs after its windows closed";
        runtime.Shutdown();
    }
    // Closing leaves the tables' records as they were.
    // Closing leaves every table with the records it held before (a table the window made, none).
    for (const auto& [table, records] : Records()) {
        auto was = before.find(table);
        EXPECT_EQ(records, was == before.end() ? 0 : was->second) << o.procedure << " left records in " << table;
    }
}

TEST_P(WindowsFit, EveryControlLiesInsideItsWindow) { OpenCheckAndClose(GetParam()); }

INSTANTIATE_TEST_SUITE_P(ShellAndRegisters, WindowsFit, ::testing::ValuesIn(kWindows), TestName);

INSTANTIATE_TEST_SUITE_P(Forms, WindowsFit, ::testing::ValuesIn(kForms), TestName);

// The main menu's items: an item whose procedure is not built yet is skipped, by its listed reason;
// an item neither built nor listed fails.
class MenuWindowsFit : public WindowsFit {};

TEST_P(MenuWindowsFit, EveryControlLiesInsideItsWindow) {
    const Opened& o = GetParam();
    if (!ui::ProcedureRegistry::Find(o.procedure)) {
        const NotBuilt* n = Unbuilt(o.procedure);
        ASSERT_NE(n, nullptr) << o.procedure << " is not in the program and not listed as not built";
        GTEST_SKIP() << o.procedure << ": " << n->reason;
    }
    if (const NotBuilt* n = WithoutWindow(o.procedure)) GTEST_SKIP() << o.procedure << ": " << n->reason;
    OpenCheckAndClose(o);
}

INSTANTIATE_TEST_SUITE_P(MainMenu, MenuWindowsFit, ::testing::ValuesIn(MenuItems()), TestName);

}  // namespace
