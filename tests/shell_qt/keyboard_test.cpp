// The program used as a clerk uses it: keyboard only, key by key, through the Qt front end on the
// offscreen platform. The login, a company, a CFOP and a supplier are typed with Enter between the
// fields, and after every key the keyboard focus is checked: it is always on the control the model
// says has the focus, and that is the next field.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtTest/QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMainWindow>
#include <QtWidgets/QMdiArea>
#include <QtWidgets/QMdiSubWindow>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableWidget>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <functional>
#include <string>

#include "program_root.h"
#include "program_setup.h"
#include "vorel/core/paths.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/qt/front_end.h"
#include "vorel/qt/test_application.h"
#include "vorel/registers/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/procedures.h"
#include "vorel/shell/startup.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace {

using namespace vorel;

using vorel::testing::WithDictionary;

class Keyboard : public ::testing::Test {
protected:
    void SetUp() override {
        qt::TestApplication();
        ASSERT_TRUE(root_.Start());
        front = std::make_unique<qt::QtFrontEnd>(runtime);
        front->mainWindow()->resize(1200, 860);
    }
    void TearDown() override {
        runtime.Shutdown();
        front.reset();
        shell::GLO_EMPRESA_CODIGO.Set(0);
        shell::GLO_ANO.Set(0);
        shell::GLO_MES.Set(0);
    }

    bool Until(const std::function<bool()>& pred, int ms = 10000) { return qt::RunEventsUntil(pred, ms); }
    void Settle() {
        ASSERT_TRUE(Until([&] { return runtime.Idle(); }));
        QCoreApplication::processEvents();
        ASSERT_TRUE(Until([&] { return runtime.Idle(); }));
        QCoreApplication::processEvents();
    }
    static QWidget* Focused() { return QApplication::focusWidget(); }
    static QString Name(QWidget* w) {
        for (QWidget* p = w; p; p = p->parentWidget())
            if (p->objectName().startsWith("feq-")) return p->objectName();
        return w ? QString("<%1>").arg(w->metaObject()->className()) : QString("<none>");
    }
    // Whether the keyboard focus is in the widget of control `feq` of window `window`.
    bool FocusOn(int window, int feq) {
        QWidget* w = front->ControlWidget(window, feq);
        QWidget* f = Focused();
        return w && f && (f == w || w->isAncestorOf(f));
    }
    void Keys(const char* text) {
        QWidget* f = Focused();
        ASSERT_NE(f, nullptr) << "nothing has the keyboard focus";
        // Key by key, capitals with Shift held as on a keyboard.
        for (const char* c = text; *c; ++c)
            QTest::keyClick(f, *c, *c >= 'A' && *c <= 'Z' ? Qt::ShiftModifier : Qt::NoModifier);
        Settle();
    }
    void Key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* f = Focused();
        if (!f) f = QApplication::activeWindow();
        ASSERT_NE(f, nullptr) << "nothing has the keyboard focus";
        QTest::keyClick(f, k, mods);
        Settle();
    }
    // Types a field's text, then Enter; the focus must land on `next`.
    void Field(int window, const char* text, int next) {
        Keys(text);
        Key(Qt::Key_Return);
        EXPECT_TRUE(Until([&] { return FocusOn(window, next); }, 3000))
            << "after \"" << text << "\" and Enter the focus is on " << Name(Focused()).toStdString()
            << ", not on feq-" << next;
    }
    // The text of an open message box, for failure messages.
    std::string Box() {
        QWidget* d = front->OpenDialog();
        auto* text = d ? d->findChild<QLabel*>("text") : nullptr;
        return text ? text->text().toStdString() : std::string("(no message box)");
    }
    bool Closed(const std::string& caption) { return Until([&] { return front->WindowByCaption(caption) == 0; }); }
    // With VOREL_SCREENS_DIR set, a picture of a window is saved there; with VOREL_SCREEN_FB also
    // set (the screen file of an Xvfb started with -fbdir), a copy of the whole screen beside it
    // ("<name>.xwd").
    void Shot(const char* name, QWidget* what) {
        QByteArray dir = qgetenv("VOREL_SCREENS_DIR");
        if (dir.isEmpty() || !what) return;
        QCoreApplication::processEvents();
        const QString file = QDir(QString::fromUtf8(dir)).filePath(QString::fromUtf8(name));
        what->grab().save(file);
        if (QByteArray fb = qgetenv("VOREL_SCREEN_FB"); !fb.isEmpty()) {
            QCoreApplication::processEvents();
            QFile::remove(file + ".xwd");
            QFile::copy(QString::fromUtf8(fb), file + ".xwd");
        }
    }
    int WaitWindow(const std::string& caption) {
        EXPECT_TRUE(Until([&] { return front->WindowByCaption(caption) != 0; })) << caption;
        Settle();
        return front->WindowByCaption(caption);
    }

    int StartLogin() {
        shell::ServicosMain s = shell::ServicosPadrao();
        s.abertura = false;
        main_ = runtime.Start("Main", [s](ui::ProcContext& c) { shell::Main(c, s); });
        return WaitWindow("Login de Usuário");
    }

    void LogIn() {
        int login = StartLogin();
        ASSERT_TRUE(Until([&] { return FocusOn(login, 5); })) << Name(Focused()).toStdString();
        Field(login, "PAINELCHEFIA", 7);
        Field(login, "PAINELCHEFIA", 9);  // on to "&Ok", which the next Enter presses
        Key(Qt::Key_Return);
        ASSERT_TRUE(Until([&] { return front->FrameWindow() != 0; }));
        Settle();
    }

    // The states and the CNAE code the company refers to, written on a procedure thread of
    // their own (the frame has set the shared tables' names).
    void Seed() {
        int t = runtime.Start("SeedTables", [](ui::ProcContext&) {
            data::FileManager est(dictionary::Estados());
            ASSERT_EQ(est.open(), data::kNoError);
            est.clear_record();
            est.rec<dictionary::EstadosRec>().UF = "SP";
            est.rec<dictionary::EstadosRec>().DESC = "SAO PAULO";
            ASSERT_EQ(est.add(), data::kNoError);
            (void)est.close();
            data::FileManager cnae(dictionary::CNAE());
            ASSERT_EQ(cnae.open(), data::kNoError);
            cnae.clear_record();
            cnae.rec<dictionary::CNAERec>().CODIGO = 4711302;
            cnae.rec<dictionary::CNAERec>().DESCRICAO = "COMERCIO VAREJISTA";
            ASSERT_EQ(cnae.add(), data::kNoError);
            (void)cnae.close();
        });
        ASSERT_TRUE(Until([&] { return runtime.Finished(t).has_value(); }));
    }
    // Logged in, the states and CNAE written, then the company register (Ctrl+E) and its insert
    // form (Alt+I for "&Inclui Empresa", not the menu "&Integração"), with the focus on the code:
    // the browse's and the form's windows (the form 0 when something failed).
    std::pair<int, int> NewCompany() {
        LogIn();
        Seed();
        Key(Qt::Key_E, Qt::ControlModifier);
        int empresas = WaitWindow("Visualização de Empresas Cadastradas");
        Key(Qt::Key_I, Qt::AltModifier);
        int empresa = WaitWindow("Inclui Nova Empresa");
        EXPECT_TRUE(Until([&] { return FocusOn(empresa, 2); })) << Name(Focused()).toStdString();
        return {empresas, FocusOn(empresa, 2) ? empresa : 0};
    }
    // The list control of a browse window.
    int ListOf(int window) {
        for (int feq = 1; feq < 100; ++feq)
            if (qobject_cast<QTableWidget*>(front->ControlWidget(window, feq))) return feq;
        return 0;
    }

    // A clerk's month: company 1, supplier 1, product 1 at 18 %, CFOPs 1403 (an entry's) and 5405
    // (an exit's); with `working`, company 1 and December 2026 are the working company and period
    // (as F2 and F3 leave them), with their folders.
    void SeedMonth(bool working) {
        app::AddSubsystemProcedures();
        Seed();
        const std::string dados = shell::PastaRaiz.Get();
        vorel::testing::NameCompanyTables(dados, 1);  // (suppliers and products are the company's)
        vorel::testing::NameYearTables(dados, 1, 2026);
        int t = runtime.Start("SeedMonth", [](ui::ProcContext&) {
            auto add = [](const data::TableDesc& d, auto fill) {
                data::FileManager f(d);
                ASSERT_EQ(f.open(), data::kNoError) << d.label;
                f.clear_record();
                fill(f);
                ASSERT_EQ(f.add(), data::kNoError) << d.label;
                (void)f.close();
            };
            add(dictionary::Empresa(), [](data::FileManager& f) {
                auto& e = f.rec<dictionary::EmpresaRec>();
                e.Codigo = 1;
                e.RAZAOSOCIAL = "COMERCIAL EXEMPLO";
            });
            add(dictionary::ForCli(), [](data::FileManager& f) {
                auto& r = f.rec<dictionary::ForCliRec>();
                r.Codigo = 1;
                r.CGC = "11222333000181";
                r.Nome = "DISTRIBUIDORA MODELO";
                r.Estado = "SP";
                r.TipoInscricao = 1;
            });
            add(dictionary::Produtos(), [](data::FileManager& f) {
                auto& r = f.rec<dictionary::ProdutosRec>();
                r.Codigo = 1;
                r.Produtos = "PNEU ARO 13";
                r.Alicota = 18;
            });
            for (int code : {1403, 5405})
                add(dictionary::CFO(), [code](data::FileManager& f) {
                    auto& r = f.rec<dictionary::CFORec>();
                    r.CODIGO = static_cast<std::int16_t>(code);
                    r.COMPLEMENTO = 0;
                    r.DESCRICAO = code == 1403 ? "COMPRA COM ST" : "VENDA COM ST";
                    r.ESTADO = "SP";
                    r.COLUNA = code == 1403 ? 1 : 2;
                });
        });
        ASSERT_TRUE(Until([&] { return runtime.Finished(t).has_value(); }));
        if (!working) return;
        shell::GLO_EMPRESA_CODIGO.Set(1);
        shell::GLO_ANO.Set(2026);
        shell::GLO_MES.Set(12);
    }
    // Records in a table of the working company (read on a thread of their own).
    long long Stored(const data::TableDesc& (*table)()) {
        std::atomic<long long> n{-1};
        int t = runtime.Start("Stored", [&n, table](ui::ProcContext&) {
            data::FileManager f(table());
            if (f.open() != data::kNoError) return;
            n = f.records();
            (void)f.close();
        });
        EXPECT_TRUE(Until([&] { return runtime.Finished(t).has_value(); }));
        return n.load();
    }
    // The insert form of "Lançamentos de Entradas" (Ctrl+Alt+E, then "&Inclui"), or of "Saídas".
    int OpenInsertForm(bool exits) {
        Key(exits ? Qt::Key_S : Qt::Key_E, Qt::ControlModifier | Qt::AltModifier);
        WaitWindow(exits ? "Janela de Lançamentos de Saídas" : "Janela de Lançamentos de Entrada");
        Key(Qt::Key_I, Qt::AltModifier);
        return WaitWindow(exits ? "Inclui Novo Registro de Saída" : "Inclui Novo Lançamento");
    }
    // The line edit of a control (an entry, or a spin's editor).
    QLineEdit* EditOf(int window, int feq) {
        QWidget* w = front->ControlWidget(window, feq);
        if (auto* e = qobject_cast<QLineEdit*>(w)) return e;
        return w ? w->findChild<QLineEdit*>() : nullptr;
    }
    // The open message box's buttons' texts, the default one first.
    QPushButton* DialogButton(const QString& text) {
        QWidget* d = front->OpenDialog();
        if (!d) return nullptr;
        for (auto* b : d->findChildren<QPushButton*>())
            if (b->text() == text) return b;
        return nullptr;
    }
    // A picture of the main window (and of the box, when it is a window of its own).
    void ShotWithBox(const char* name) {
        Shot(name, front->mainWindow());
        if (QWidget* d = front->OpenDialog(); d && d->isWindow())
            Shot((std::string("box-") + name).c_str(), d);
    }

    vorel::testing::ProgramRoot root_{"vorel-keys"};
    ui::Runtime runtime{WithDictionary()};
    std::unique_ptr<qt::QtFrontEnd> front;
    int main_ = 0;
};

// One field of a form typed as a clerk does: the text, Enter, and where the focus must be then.
struct Step {
    const char* text;
    int next;
};

TEST_F(Keyboard, ConfigurarSenhasOnTheLoginIsClicked) {
    int login = StartLogin();
    ASSERT_TRUE(Until([&] { return FocusOn(login, 5); }));
    QWidget* link = front->ControlWidget(login, 8);
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(link, Qt::LeftButton);
    int config = WaitWindow("Configuração de Senhas");
    ASSERT_NE(config, 0);
    QTest::mouseClick(qobject_cast<QPushButton*>(front->ControlWidget(config, 3)), Qt::LeftButton);  // "Fecha"
    ASSERT_TRUE(Closed("Configuração de Senhas"));
    Settle();
    EXPECT_TRUE(Until([&] { return FocusOn(login, 5); })) << "the login's user keeps the focus";
}

TEST_F(Keyboard, OfficeNumbersShowThroughTheirPictures) {
    auto p = shell::GLO_PARAMETROS.Get();
    p.PARCEP = 1001000;
    p.PARDDD = 11;
    p.PARTELEFONE = 32345678;
    p.PARFAX = 2345678;
    p.PARTIPINS = 1;
    p.PARCGC = "11222333000181";
    shell::GLO_PARAMETROS.Set(p);
    front->mainWindow()->resize(1280, 900);
    front->Show();
    runtime.Start("Parametros");
    int janela = WaitWindow("Parâmetros do Escritório Licenciado");
    auto shown = [&](int feq) {
        auto* e = qobject_cast<QLineEdit*>(front->ControlWidget(janela, feq));
        return e ? e->text().toStdString() : std::string("(none)");
    };
    EXPECT_EQ(shown(20), "01-001-000");
    EXPECT_EQ(shown(26), "011");
    EXPECT_EQ(shown(28), "3234-5678");
    EXPECT_EQ(shown(30), " 234-5678");
    EXPECT_EQ(shown(33), "11-222-333/0001-81");
    Shot("parametros.png", front->WindowWidget(janela));
}

TEST_F(Keyboard, TheCalculatorTakesItsKeys) {
    front->Show();
    runtime.Start("Calculadora");
    int calc = WaitWindow("Calculadora");
    auto* result = qobject_cast<QLineEdit*>(front->ControlWidget(calc, 29));  // the result
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(Until([&] { return Focused() != nullptr; }));
    auto shows = [&](const char* want) { return Until([&] { return result->text().trimmed() == want; }, 3000); };
    // 12 * 3 with the main keys (Shift+8 is "*"), Enter for "=".
    Keys("12");
    Key(Qt::Key_Asterisk, Qt::ShiftModifier);
    Keys("3");
    Key(Qt::Key_Return);
    EXPECT_TRUE(shows("36,00")) << result->text().toStdString();
    // A second Enter: a total of 0. Then 100 + 25 - = on the keypad.
    Key(Qt::Key_Return);
    EXPECT_TRUE(shows("0,00")) << result->text().toStdString();
    for (Qt::Key k : {Qt::Key_1, Qt::Key_0, Qt::Key_0, Qt::Key_Plus, Qt::Key_2, Qt::Key_5, Qt::Key_Minus, Qt::Key_Enter})
        Key(k, Qt::KeypadModifier);
    EXPECT_TRUE(shows("75,00")) << result->text().toStdString();
    // 10 / 4 with the "/" key.
    Keys("10");
    Key(Qt::Key_Slash);
    Keys("4");
    Key(Qt::Key_Return);
    EXPECT_TRUE(shows("2,50")) << result->text().toStdString();
}

// Tab walks the calculator from top to bottom (display, keypad row by row, buttons) and only then
// goes back up to the result.
TEST_F(Keyboard, TabWalksTheCalculatorTopToBottom) {
    front->Show();
    runtime.Start("Calculadora");
    int calc = WaitWindow("Calculadora");
    QWidget* result = front->ControlWidget(calc, 29);
    ASSERT_NE(result, nullptr);
    ASSERT_TRUE(Until([&] { return FocusOn(calc, 29); }));
    QWidget* content = result->window();
    // (measured at the middle: a row's icon buttons are smaller than its others)
    auto middle = [&](QWidget* w) { return w->mapTo(content, QPoint(0, w->height() / 2)).y(); };
    QWidget* was = Focused();
    int steps = 0;
    for (; steps < 60; ++steps) {
        Key(Qt::Key_Tab);
        ASSERT_TRUE(Until([&] { return Focused() && Focused() != was; }, 3000))
            << "Tab leaves the focus on " << Name(was).toStdString();
        QWidget* now = Focused();
        if (FocusOn(calc, 29)) break;
        EXPECT_GE(middle(now) + 2, middle(was))
            << "Tab goes up from " << Name(was).toStdString() << " to " << Name(now).toStdString();
        was = now;
    }
    EXPECT_GT(steps, 20) << "Tab passes the keypad by";
    EXPECT_LT(steps, 60) << "Tab never comes back to the result";
}

TEST_F(Keyboard, ALookupStaysInFrontOfItsFormAndTheFormOfItsBrowse) {
    auto [empresas, empresa] = NewCompany();
    ASSERT_NE(empresa, 0);
    const Step toUf[] = {{"", 4}, {"X", 5}, {"", 7}, {"", 9}, {"", 11}, {"", 13}, {"", 15}, {"", 17}};
    for (const Step& f : toUf) Field(empresa, f.text, f.next);
    // A state that is not in the register: the states' browse opens for selection.
    Keys("RJ");
    Key(Qt::Key_Return);
    int estados = WaitWindow("Visualização da Tabela Unidade de Federação");
    ASSERT_NE(estados, 0);
    auto order = [&] {
        std::vector<int> ids;
        for (QMdiSubWindow* w : front->mainWindow()->findChild<QMdiArea*>()->subWindowList(QMdiArea::StackingOrder))
            for (int id : {empresas, empresa, estados})
                if (front->WindowWidget(id) == w) ids.push_back(id);
        return ids;
    };
    EXPECT_EQ(order(), (std::vector<int>{empresas, empresa, estados})) << "bottom to top";
    // "Incluir" in the lookup, the new state typed and written...
    Key(Qt::Key_I, Qt::AltModifier);
    int novo = WaitWindow("Incluindo um Estado");
    Field(novo, "RJ", 4);
    Field(novo, "RIO DE JANEIRO", 5);
    Key(Qt::Key_Return);  // "&Grava"
    ASSERT_TRUE(Closed("Incluindo um Estado")) << Box();
    Settle();
    // ...leaves every window where it was, and the lookup's list with the focus, so Enter
    // selects the new state (the default button), not "Incluir" again.
    EXPECT_EQ(order(), (std::vector<int>{empresas, empresa, estados})) << "bottom to top";
    Shot("lookup-order.png", front->mainWindow());
    EXPECT_TRUE(Until([&] { return FocusOn(estados, ListOf(estados)); }, 3000)) << Name(Focused()).toStdString();
    Key(Qt::Key_Return);
    ASSERT_TRUE(Closed("Visualização da Tabela Unidade de Federação")) << Box();
    EXPECT_TRUE(Until([&] { return FocusOn(empresa, 20); }, 3000)) << Name(Focused()).toStdString();
    EXPECT_EQ(qobject_cast<QLineEdit*>(front->ControlWidget(empresa, 17))->text(), "RJ");
}

TEST_F(Keyboard, CompanyCfopAndSupplierTypedWithEnterBetweenFields) {
    auto [empresas, empresa] = NewCompany();
    ASSERT_NE(empresa, 0);
    // The UF, CNAE and CNPJ are checked or looked up as they are left; the look-up buttons beside
    // them are passed by, so the next keys go into the next field.
    const Step company[] = {
        {"", 4},          {"COMERCIAL EXEMPLO", 5}, {"", 7},   {"RUA A", 9},       {"10", 11},
        {"", 13},         {"CENTRO", 15},           {"SAO PAULO", 17}, {"SP", 20}, {"01001000", 22},
        {"11", 24},       {"32345678", 26},         {"", 28},  {"", 30},           {"", 32},
        {"4711302", 35},  {"11222333000181", 38},   {"ISENTO", 40}, {"", 42},      {"", 43},
        {"", 45},         {"", 47},                 {"", 49},  {"", 50},           {"", 53},
    };
    for (const Step& f : company) Field(empresa, f.text, f.next);
    EXPECT_EQ(qobject_cast<QLineEdit*>(front->ControlWidget(empresa, 35))->text(), "11.222.333/0001-81");
    Shot("empresa-form.png", front->WindowWidget(empresa));
    Key(Qt::Key_O, Qt::AltModifier);  // "&O.K." (Enter on it moves on: the form leaves it to the navigator)
    ASSERT_TRUE(Closed("Inclui Nova Empresa")) << Box();
    Settle();
    auto* list = qobject_cast<QTableWidget*>(front->ControlWidget(empresas, ListOf(empresas)));
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(Until([&] { return list->rowCount() >= 1 && list->item(0, 2) && list->item(0, 2)->text() == "COMERCIAL EXEMPLO"; }));
    EXPECT_EQ(list->item(0, 5)->text(), "11.222.333/0001-81");
    // Every column shows its heading and its texts whole.
    for (int c = 0; c < list->columnCount(); ++c) {
        const int room = list->columnWidth(c);
        EXPECT_GE(room, list->horizontalHeader()->fontMetrics().horizontalAdvance(list->horizontalHeaderItem(c)->text()))
            << "heading of column " << c;
        EXPECT_GE(room, list->fontMetrics().horizontalAdvance(list->item(0, c)->text())) << "cell of column " << c;
    }
    Key(Qt::Key_F, Qt::AltModifier);  // "&Fecha"
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Visualização de Empresas Cadastradas") == 0; }));

    // A CFOP.
    Key(Qt::Key_O, Qt::ControlModifier);
    int cfops = WaitWindow("Janela de C.F.O.P. Cadastrados");
    Key(Qt::Key_I, Qt::AltModifier);
    int cfop = WaitWindow("Inclui Novo Cadastro de C.F.O.P.");
    ASSERT_TRUE(Until([&] { return FocusOn(cfop, 3); })) << Name(Focused()).toStdString();
    const Step cfopSteps[] = {{"1102", 5}, {"", 7}, {"", 9}, {"", 11}, {"", 13}, {"Compra para revenda", 14}};
    for (const Step& f : cfopSteps) Field(cfop, f.text, f.next);
    Key(Qt::Key_Return);  // "&OK"
    ASSERT_TRUE(Closed("Inclui Novo Cadastro de C.F.O.P.")) << Box();
    Settle();
    auto* cfopList = qobject_cast<QTableWidget*>(front->ControlWidget(cfops, ListOf(cfops)));
    ASSERT_NE(cfopList, nullptr);
    ASSERT_TRUE(Until([&] { return cfopList->rowCount() >= 1 && cfopList->item(0, 0)->text() == "1102"; }));
    Key(Qt::Key_Escape);
    ASSERT_TRUE(Until([&] { return front->WindowByCaption("Janela de C.F.O.P. Cadastrados") == 0; }));

    // A supplier: no working company yet, so F2's window asks for one first.
    Key(Qt::Key_F, Qt::ControlModifier);
    int selecao = WaitWindow("");
    ASSERT_TRUE(Until([&] { return FocusOn(selecao, 3); })) << Name(Focused()).toStdString();
    Field(selecao, "1", 7);
    Field(selecao, "", 8);
    Key(Qt::Key_Return);  // "&Seleciona"
    // No period yet either: F3's window, the year typed, the month chosen with the arrow keys.
    int periodo = WaitWindow("");
    ASSERT_NE(periodo, selecao);
    ASSERT_TRUE(Until([&] { return FocusOn(periodo, 3); })) << Name(Focused()).toStdString();
    Field(periodo, "2016", 5);
    Key(Qt::Key_Home);  // January
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_TRUE(Until([&] { return FocusOn(periodo, 6); })) << Name(Focused()).toStdString();
    Key(Qt::Key_Return);  // "&Seleciona"
    ASSERT_TRUE(Until([&] { return shell::GLO_ANO.Get() == 2016; })) << Box();
    EXPECT_EQ(shell::GLO_MES.Get(), 3);
    EXPECT_EQ(shell::GLO_EMPRESA_CODIGO.Get(), 1);
    int fornecedores = WaitWindow("Janela de Fornecedores e Clientes Cadastrados");
    Key(Qt::Key_I, Qt::AltModifier);
    int fornecedor = WaitWindow("Inclui Novo Cadastro de Fornecedor");
    ASSERT_TRUE(Until([&] { return FocusOn(fornecedor, 2); })) << Name(Focused()).toStdString();
    const Step supplier[] = {
        {"", 4},        {"11222333000181", 7}, {"ISENTO", 9}, {"DISTRIBUIDORA MODELO", 11}, {"RUA B", 13},
        {"20", 15},     {"", 17},              {"CENTRO", 19}, {"CAMPINAS", 21},            {"SP", 24},
        {"13010000", 26}, {"19", 28},          {"32345678", 30}, {"", 32},                  {"", 33},
    };
    for (const Step& f : supplier) Field(fornecedor, f.text, f.next);
    Key(Qt::Key_Return);  // "&OK"
    ASSERT_TRUE(Closed("Inclui Novo Cadastro de Fornecedor")) << Box();
    Settle();
    auto* suppliers = qobject_cast<QTableWidget*>(front->ControlWidget(fornecedores, ListOf(fornecedores)));
    ASSERT_NE(suppliers, nullptr);
    ASSERT_TRUE(Until([&] { return suppliers->rowCount() >= 1 && suppliers->item(0, 1)->text() == "DISTRIBUIDORA MODELO"; }));
}

// ---- A clerk's month, typed with Enter ----

// The entry form's controls (UEntradas) and the exit form's (Usaidas) that the keys reach.
namespace entrada {
constexpr int kCnpj = 2, kCodigo = 4, kUf = 8, kSerie = 12, kNumero = 14, kData = 16, kContagem = 17,
              kQuantidade = 19, kLinhas = 28, kProduto = 30, kLote = 35, kCfo = 37, kCompl = 39;
}
namespace saida {
constexpr int kCnpj = 2, kCodigo = 4, kUf = 8, kSerie = 12, kNumero = 14, kData = 16, kQuantidade = 18,
              kContagem = 19, kLinhas = 24, kProduto = 26;
}

// Enter on the counting grid, empty because counting is not ticked, moves on to the product as Tab
// does: it never accepts the half-typed item (it was saved with quantity 10 and base 0,00).
TEST_F(Keyboard, EnterOnTheEmptyCountingGridMovesOnAndSavesNothing) {
    LogIn();
    SeedMonth(true);
    {
        SCOPED_TRACE("entry form");
        using namespace entrada;
        const int f = OpenInsertForm(false);
        ASSERT_TRUE(Until([&] { return FocusOn(f, kCnpj); })) << Name(Focused()).toStdString();
        const Step steps[] = {{"1", kCodigo}, {"", kUf}, {"", kSerie}, {"1", kNumero}, {"100", kData},
                              {"05/12/2026", kContagem}, {"", kQuantidade}, {"10", kLinhas}, {"", kProduto}};
        for (const Step& s : steps) Field(f, s.text, s.next);
        Shot("entry-form-after-enters.png", front->WindowWidget(f));
        EXPECT_EQ(front->WindowByCaption("Inclui Novo Lançamento"), f) << "the form is still open";
        EXPECT_EQ(Box(), "(no message box)");
        EXPECT_EQ(Stored(dictionary::EntradaVorel), 0) << "nothing was saved";
        Key(Qt::Key_Escape);
        ASSERT_TRUE(Closed("Inclui Novo Lançamento")) << Box();
        Key(Qt::Key_Escape);
        ASSERT_TRUE(Closed("Janela de Lançamentos de Entrada"));
    }
    {
        SCOPED_TRACE("exit form");
        using namespace saida;
        const int f = OpenInsertForm(true);
        ASSERT_TRUE(Until([&] { return FocusOn(f, kCnpj); })) << Name(Focused()).toStdString();
        const Step steps[] = {{"1", kCodigo}, {"", kUf}, {"", kSerie}, {"1", kNumero}, {"100", kData},
                              {"05/12/2026", kQuantidade}, {"10", kContagem}, {"", kLinhas}, {"", kProduto}};
        for (const Step& s : steps) Field(f, s.text, s.next);
        EXPECT_EQ(front->WindowByCaption("Inclui Novo Registro de Saída"), f) << "the form is still open";
        EXPECT_EQ(Stored(dictionary::SaidaVorel), 0) << "nothing was saved";
    }
}

// A CFOP that is not registered is said so; the list opens at the nearest code without choosing it;
// the code typed changes only when the clerk picks one.
TEST_F(Keyboard, AnUnregisteredCfopIsSaidSoAndReplacedOnlyByTheClerksChoice) {
    using namespace entrada;
    LogIn();
    SeedMonth(true);
    const int f = OpenInsertForm(false);
    ASSERT_TRUE(Until([&] { return FocusOn(f, kCnpj); })) << Name(Focused()).toStdString();
    const Step steps[] = {{"1", kCodigo}, {"", kUf}, {"", kSerie}, {"1", kNumero}, {"100", kData},
                          {"05/12/2026", kContagem}, {"", kQuantidade}, {"10", kLinhas}, {"", kProduto},
                          {"1", kLote}, {"", kCfo}, {"9999", kCompl}};
    for (const Step& s : steps) Field(f, s.text, s.next);
    // The code on the list's highlighted row (drawn in the palette's highlight colour).
    auto highlighted = [&](int lookup) {
        auto* list = qobject_cast<QTableWidget*>(front->ControlWidget(lookup, ListOf(lookup)));
        for (int r = 0; list && r < list->rowCount(); ++r)
            if (QTableWidgetItem* i = list->item(r, 0);
                i && i->data(Qt::BackgroundRole).value<QColor>() == list->palette().color(QPalette::Highlight))
                return i->text().toStdString();
        return std::string("(none)");
    };
    Key(Qt::Key_Return);  // leaves the complement: 9999 / 0 is not registered
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    EXPECT_EQ(Box(), "C.F.O.P. não cadastrado");
    ShotWithBox("cfop-not-registered.png");
    Key(Qt::Key_Return);  // OK
    int lookup = WaitWindow("Janela de C.F.O.P. Cadastrados");
    EXPECT_EQ(highlighted(lookup), "5405") << "the nearest code, highlighted";
    Key(Qt::Key_Escape);  // left without a choice
    ASSERT_TRUE(Closed("Janela de C.F.O.P. Cadastrados"));
    Settle();
    EXPECT_TRUE(Until([&] { return FocusOn(f, kCfo); }, 3000)) << Name(Focused()).toStdString();
    EXPECT_EQ(EditOf(f, kCfo)->text().trimmed().toStdString(), "9999") << "the code typed stays";
    // OK with the code not registered: said again, nothing saved.
    Key(Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    EXPECT_EQ(Box(), "C.F.O.P. não cadastrado");
    Key(Qt::Key_Return);
    WaitWindow("Janela de C.F.O.P. Cadastrados");
    Key(Qt::Key_Escape);
    ASSERT_TRUE(Closed("Janela de C.F.O.P. Cadastrados"));
    Settle();
    EXPECT_EQ(Stored(dictionary::EntradaVorel), 0) << "nothing was saved";
    EXPECT_EQ(front->WindowByCaption("Inclui Novo Lançamento"), f);
    // 1400 is not registered either: the list opens at 1403, and Enter there picks it.
    ASSERT_TRUE(Until([&] { return FocusOn(f, kCfo); }, 3000)) << Name(Focused()).toStdString();
    EditOf(f, kCfo)->selectAll();
    Field(f, "1400", kCompl);
    Key(Qt::Key_Return);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    Key(Qt::Key_Return);
    lookup = WaitWindow("Janela de C.F.O.P. Cadastrados");
    EXPECT_EQ(highlighted(lookup), "1403");
    Key(Qt::Key_Return);  // the clerk picks it
    ASSERT_TRUE(Closed("Janela de C.F.O.P. Cadastrados"));
    Settle();
    EXPECT_TRUE(Until([&] { return EditOf(f, kCfo)->text().trimmed() == "1403"; }, 3000))
        << EditOf(f, kCfo)->text().toStdString();
}

// A date the calendar lacks keeps the focus and says why.
TEST_F(Keyboard, ADateTheCalendarLacksSaysDataInvalida) {
    using namespace entrada;
    LogIn();
    SeedMonth(true);
    const int f = OpenInsertForm(false);
    ASSERT_TRUE(Until([&] { return FocusOn(f, kCnpj); })) << Name(Focused()).toStdString();
    const Step steps[] = {{"1", kCodigo}, {"", kUf}, {"", kSerie}, {"1", kNumero}, {"100", kData}};
    for (const Step& s : steps) Field(f, s.text, s.next);
    Keys("31/02/2026");
    Key(Qt::Key_Return);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    EXPECT_EQ(Box(), "Data inválida");
    Key(Qt::Key_Return);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() == nullptr; }));
    Settle();
    EXPECT_TRUE(Until([&] { return FocusOn(f, kData); }, 3000)) << Name(Focused()).toStdString();
    EXPECT_EQ(Stored(dictionary::EntradaVorel), 0);
}

// Leaving the program while an insert form holds typed values asks first, with No as the default;
// No closes nothing. A form as it opened (nothing typed) asks nothing.
TEST_F(Keyboard, LeavingWithTypedValuesAsksFirstAndNoClosesNothing) {
    using namespace entrada;
    LogIn();
    SeedMonth(true);
    const int f = OpenInsertForm(false);
    ASSERT_TRUE(Until([&] { return FocusOn(f, kCnpj); })) << Name(Focused()).toStdString();
    const Step steps[] = {{"1", kCodigo}, {"", kUf}, {"", kSerie}, {"1", kNumero}};
    for (const Step& s : steps) Field(f, s.text, s.next);
    Keys("100");  // typed, not yet left
    const char* question = "Há dados digitados que não foram gravados. Sair assim mesmo?";
    for (const char* how : {"Alt+S", "the frame's close"}) {
        SCOPED_TRACE(how);
        if (std::string(how) == "Alt+S") Key(Qt::Key_S, Qt::AltModifier);
        else front->mainWindow()->close();
        ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; })) << "no question";
        EXPECT_EQ(Box(), question);
        QPushButton* no = DialogButton("&Não");
        ASSERT_NE(no, nullptr);
        EXPECT_TRUE(no->isDefault()) << "No is the default";
        if (std::string(how) == "Alt+S") ShotWithBox("leave-with-typed-values.png");
        QTest::keyClick(front->OpenDialog(), Qt::Key_Return);  // the default: No
        ASSERT_TRUE(Until([&] { return front->OpenDialog() == nullptr; }));
        Settle();
        EXPECT_NE(front->FrameWindow(), 0) << "the program goes on";
        EXPECT_EQ(front->WindowByCaption("Inclui Novo Lançamento"), f) << "the form stays open";
        EXPECT_EQ(EditOf(f, kNumero)->text().trimmed().toStdString(), "100") << "with what was typed";
    }
    EXPECT_EQ(Stored(dictionary::EntradaVorel), 0);
    // Yes: the program ends, the item unsaved.
    Key(Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(Until([&] { return front->OpenDialog() != nullptr; }));
    QTest::mouseClick(DialogButton("&Sim"), Qt::LeftButton);
    ASSERT_TRUE(Until([&] { return front->FrameWindow() == 0; })) << Box();
    EXPECT_EQ(Stored(dictionary::EntradaVorel), 0);
}

TEST_F(Keyboard, LeavingWithAFormAsItOpenedAsksNothing) {
    LogIn();
    SeedMonth(true);
    const int f = OpenInsertForm(false);
    ASSERT_TRUE(Until([&] { return FocusOn(f, entrada::kCnpj); })) << Name(Focused()).toStdString();
    Key(Qt::Key_S, Qt::AltModifier);
    ASSERT_TRUE(Until([&] { return front->FrameWindow() == 0 || front->OpenDialog() != nullptr; }));
    EXPECT_EQ(front->FrameWindow(), 0) << "asked: " << Box();
}

// F3 while the period window is open (the company window called it) brings that window forward
// instead of opening a second one; every window is reached and closed from the keyboard.
TEST_F(Keyboard, ASecondF3BringsThePeriodWindowForward) {
    LogIn();
    SeedMonth(false);
    Key(Qt::Key_F2);
    int selecao = WaitWindow("");
    ASSERT_TRUE(Until([&] { return FocusOn(selecao, 3); })) << Name(Focused()).toStdString();
    Field(selecao, "1", 7);
    Field(selecao, "", 8);
    Key(Qt::Key_Return);  // "&Seleciona": no period yet, so the period window opens
    int periodo = 0;
    ASSERT_TRUE(Until([&] {
        for (int w : front->Windows())
            if (w != selecao && w != front->FrameWindow()) periodo = w;
        return periodo != 0;
    }));
    Settle();
    ASSERT_TRUE(Until([&] { return FocusOn(periodo, 3); })) << Name(Focused()).toStdString();
    const std::size_t open = front->Windows().size();
    for (int i = 0; i < 2; ++i) {
        Key(Qt::Key_F3);
        Settle();
        EXPECT_EQ(front->Windows().size(), open) << "no second period window";
        EXPECT_TRUE(Until([&] { return FocusOn(periodo, 3); }, 3000)) << Name(Focused()).toStdString();
    }
    // Ctrl+Tab onto the company window, which waits on the period window, lands on the latter.
    Key(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_TRUE(Until([&] { return FocusOn(periodo, 3); }, 3000)) << Name(Focused()).toStdString();
    // Escape closes the period window, and the company window that called it goes with it (the
    // company chosen, the period left as it was).
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Until([&] { return front->Windows().size() == 1; })) << "only the frame is left";
    EXPECT_EQ(shell::GLO_EMPRESA_CODIGO.Get(), 1);
}

}  // namespace
