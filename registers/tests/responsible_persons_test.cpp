// The responsible-person register and the change history of the function: history rows read back
// by date, the history written only after the person was stored by an insert or a change, the
// browse's colours and status, the part-name filter, the form's category and defaults, the CPF
// kept as eleven digits, the photo given to the picture box as a file the front end can open.
#include <fstream>

#include "register_fixture.h"

#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/employee_history.h"
#include "vorel/registers/responsible_persons.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/query.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using dictionary::ACFuncionariosRec;
using dictionary::EmpresaRec;
using dictionary::FuncionariosRec;
using ui::Request;
using ui::Response;

struct PersonsTest : RegisterFixture {
    void SetUp() override {
        RegisterFixture::SetUp();
        shell::PastaRaiz.Set(root);
        const auto c = dictionary::CaminhosArquivosEmpresa(root, 1, 1, 1);
        ASSERT_FALSE(dictionary::CriaPastas(c));
        dictionary::AplicaCaminhos(c);
        shell::GLO_EMPRESA_CODIGO.Set(1);
        WorkingMonth(2016, 3);
        Seed<EmpresaRec>(dictionary::Empresa(), 1, [](EmpresaRec& r, int) {
            r.Codigo = 1;
            r.RAZAOSOCIAL = "Comercial Vorel Ltda";
        });
    }
    void TearDown() override {
        shell::GLO_EMPRESA_CODIGO.Set(0);
        RegisterFixture::TearDown();
    }
    void WorkingMonth(int year, int month) {
        shell::GLO_ANO.Set(year);
        shell::GLO_MES.Set(month);
    }
    // Runs `work` on a procedure thread (with its dictionary) and waits for it.
    void OnThread(const std::function<void()>& work) {
        int t = rt->Start("Teste", [&](ui::ProcContext&) { work(); });
        WaitFinished(t);
    }
    std::vector<std::string> History() {
        return Read<ACFuncionariosRec>(dictionary::ACFuncionarios(), dictionary::keys::ACFUN_KEY_CODIGO, [](const ACFuncionariosRec& r) {
            date::Ymd d = date::split(r.DATA);
            return std::to_string(r.CODIGOFUN) + "/" + std::to_string(r.CODIGOCAMPO) + " " + std::to_string(d.month) +
                   "/" + std::to_string(d.year) + " " + std::string(r.ALTERACAO.clipped());
        });
    }
    void SeedPerson(std::uint32_t code, const std::string& name, date::Day admissao = 0) {
        Seed<FuncionariosRec>(dictionary::Funcionarios(), 1, [&](FuncionariosRec& r, int) {
            r.CODIGO = code;
            r.Nome = name;
            r.ADMISSAO = admissao;
            r.ESTADOCIVIL = r.SEXO = r.GRAUINSTRUCAO = r.RACA = 1;
        });
    }
};

TEST_F(PersonsTest, HistoryRowsAreReadBackByDate) {
    std::string read;
    auto readIn = [&](int year, int month) {
        read = "-";
        OnThread([&] {
            std::string t;
            HistoricoLido lido;
            lido.texto = &t;
            if (LeHistoricoFuncionario(5, 8, date::make(year, month, 1), lido)) read = t;
        });
        return read;
    };
    bool wrote = false;
    auto writeIn = [&](int year, int month, const std::string& text, std::uint8_t type = 8) {
        HistoricoNovo novo;
        novo.texto = text;
        OnThread([&] { wrote = GravaHistoricoFuncionario(5, type, date::make(year, month, 1), novo); });
        return wrote;
    };
    EXPECT_TRUE(writeIn(2016, 3, "A"));
    EXPECT_EQ(readIn(2016, 4), "A");
    EXPECT_EQ(readIn(2016, 2), "-");   // nothing applies before March
    EXPECT_TRUE(writeIn(2016, 3, "B"));  // same month: the March record is rewritten
    EXPECT_EQ(History(), (std::vector<std::string>{"5/8 3/2016 B"}));
    EXPECT_FALSE(writeIn(2016, 5, "B"));  // unchanged: nothing written
    EXPECT_TRUE(writeIn(2016, 6, "C"));   // a later month adds a record
    EXPECT_EQ(History(), (std::vector<std::string>{"5/8 6/2016 C", "5/8 3/2016 B"}));
    EXPECT_EQ(readIn(2016, 5), "B");
    EXPECT_EQ(readIn(2017, 1), "C");
    // A type above 36 is recorded the first time and never taken as changed after.
    EXPECT_TRUE(writeIn(2016, 3, "X", 40));
    EXPECT_FALSE(writeIn(2016, 7, "Y", 40));
    // A caller holding the history open keeps it open.
    OnThread([&] {
        auto& h = data::dictionary::file(dictionary::ACFuncionarios());
        ASSERT_EQ(h.open(), data::kNoError);
        std::string t;
        HistoricoLido lido;
        lido.texto = &t;
        EXPECT_TRUE(LeHistoricoFuncionario(5, 8, date::make(2016, 7, 1), lido));
        EXPECT_EQ(t, "C");
        EXPECT_EQ(h.open_count(), 1);
        (void)h.close();
    });
}

TEST_F(PersonsTest, FunctionHistoryIsWrittenOnlyAfterThePersonIsStored) {
    SeedPerson(1, "Ana Souza");
    ui->Start("BFuncionarios");
    int b = ui->WindowByCaption("Tabela de responsáveis");
    auto list = ui->Control(b, 11);

    // View: nothing is written, whatever the function shows.
    int t = rt->Start("Consulta", [](ui::ProcContext& ctx) {
        auto& f = data::dictionary::file(dictionary::Funcionarios());
        ASSERT_EQ(f.open(), data::kNoError);
        f.rec<FuncionariosRec>().CODIGO = 1;
        ASSERT_EQ(f.get(dictionary::keys::FUN_Key_Codigo), data::kNoError);
        ctx.Call("UFuncionarios", Request::View);
        (void)f.close();
    });
    int f = ui->WindowByCaption("View Record");
    ui->Type(ui->ByPrompt(f, "0&7-Função:"), "Gerente");
    ui->Press(ui->ByText(f, "&Grava"));
    WaitFinished(t);
    EXPECT_TRUE(History().empty());

    // Change: the person is stored, then the function.
    ui->PickRow(list, 1);
    ui->Press(ui->ByText(b, "&Altera"));
    f = ui->WindowByCaption("Alterando um Responsável");
    ui->Type(ui->ByPrompt(f, "0&7-Função:"), "Gerente");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_EQ(History(), (std::vector<std::string>{"1/8 3/2016 Gerente"}));

    // Insert refused by the table (a duplicate code): no history for it.
    ui->Press(ui->ByText(b, "&Inclui"));
    f = ui->WindowByCaption("Incluindo um Responsável");
    ui->Type(ui->ByPrompt(f, "0&1-Código:"), "1");
    ui->Type(ui->ByPrompt(f, "Nome:"), "Outra");
    ui->Type(ui->ByPrompt(f, "0&7-Função:"), "Contadora");
    ui->Press(ui->ByText(f, "&Grava"));
    ASSERT_TRUE(ui->HasMessageBox());
    ui->Answer(1);
    EXPECT_EQ(History(), (std::vector<std::string>{"1/8 3/2016 Gerente"}));
    // The same insert with a free code stores the person and then the history under its code.
    ui->Type(ui->ByPrompt(f, "0&1-Código:"), "2");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_FALSE(ui->HasWindow("Incluindo um Responsável"));
    EXPECT_EQ(History(), (std::vector<std::string>{"1/8 3/2016 Gerente", "2/8 3/2016 Contadora"}));

    // Delete: the form shows the function but writes none.
    ui->PickRow(list, 2);
    ui->Press(ui->ByText(b, "&Exclui"));
    f = ui->WindowByCaption("Excluindo um Responsável");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "0&7-Função:")), "Contadora");
    EXPECT_TRUE(ui->State(ui->ByPrompt(f, "0&7-Função:")).readOnly);
    EXPECT_EQ(ui->State(ui->ByText(f, "&Exclui")).msg, "Exclui a Empresa exibida na janela");
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer("&Sim");
    // The person's history goes with the person (the table's cascade); nothing new was written.
    EXPECT_EQ(History(), (std::vector<std::string>{"1/8 3/2016 Gerente"}));
}

TEST_F(PersonsTest, RowsOfPersonsAdmittedAfterTheWorkingMonthAreOrange) {
    SeedPerson(1, "Antes", date::make(2016, 3, 31));
    SeedPerson(2, "Depois", date::make(2016, 4, 1));
    SeedPerson(3, "Ano seguinte", date::make(2017, 1, 5));
    SeedPerson(4, "Sem data");
    ui->Start("BFuncionarios");
    int b = ui->WindowByCaption("Tabela de responsáveis");
    auto list = ui->Control(b, 11);
    const Rows rows = ui->Rows(list);
    ASSERT_EQ(rows.size(), 4u);
    const char* status[] = {"0", "1", "1", "0"};
    for (int r = 1; r <= 4; ++r) {
        SCOPED_TRACE(r);
        bool later = std::string(status[r - 1]) == "1";
        EXPECT_EQ(rows[static_cast<std::size_t>(r - 1)][9], status[r - 1]);
        for (int c = 1; c <= 10; ++c) {
            const ui::Cell& cell = ui->CellAt(list, r, c);
            EXPECT_EQ(cell.bg, later ? kFundoAdmitidoPosterior : ui::kDefaultColour);
            EXPECT_EQ(cell.selBg, later ? kFundoAdmitidoPosteriorSelecao : ui::kDefaultColour);
            EXPECT_EQ(cell.fg, ui::kDefaultColour);
        }
    }
    // The query button filters on the columns: only the orange rows.
    ui->Press(ui->ByText(b, "   &Filtrar"));
    int q = ui->WindowByCaption("Query");
    ui->Type(ui->ByPrompt(q, "Status"), "=1");
    ui->Press(ui->ByText(q, "&OK"));
    EXPECT_EQ(ui->Rows(list).size(), 2u);
    // A query filed under the browse's name comes back in a later query window.
    ui->Press(ui->ByText(b, "   &Filtrar"));
    q = ui->WindowByCaption("Query");
    EXPECT_EQ(ui->State(ui->ByText(q, "&Salva")).icon, "QkQBE.ico");
    EXPECT_EQ(ui->State(ui->ByText(q, "&Recupera")).icon, "QkLoad.ico");
    ui->Type(ui->ByPrompt(q, "Nome"), "Silva");
    ui->Press(ui->ByText(q, "&Salva"));
    int n = ui->WindowByCaption("Salvar Consulta");
    ui->Type(ui->ByPrompt(n, "Nome da consulta"), "Admitidos após");
    ui->Press(ui->ByText(n, "&OK"));
    ui->Press(ui->ByText(q, "&Limpa"));
    EXPECT_EQ(ui->Value(ui->ByPrompt(q, "Status")), "");
    ui->Press(ui->ByText(q, "&Recupera"));
    int r = ui->WindowByCaption("Recuperar Consulta");
    EXPECT_EQ(ui->State(ui->ByPrompt(r, "Nome da consulta")).items, std::vector<std::string>{"Admitidos após"});
    ui->Press(ui->ByText(r, "&OK"));
    EXPECT_EQ(ui->Value(ui->ByPrompt(q, "Status")), "=1");
    EXPECT_EQ(ui->Value(ui->ByPrompt(q, "Nome")), "Silva");
    ui->Press(ui->ByText(q, "&Cancela"));
    EXPECT_EQ(ui::Query("BFuncionarios").Saved("Admitidos após"),
              (std::map<int, std::string>{{1, "Silva"}, {9, "=1"}}));
    ui->Press(ui->ByText(b, "&Legenda"));
    int l = ui->WindowByCaption("Legenda dos funcionários");
    EXPECT_EQ(ui->State(ui->ByText(l, "Admitido no mês posterior")).text, "Admitido no mês posterior");
    ui->Press(ui->ByText(l, "&Ok"));
    EXPECT_FALSE(ui->HasWindow("Legenda dos funcionários"));
}

TEST_F(PersonsTest, PartNameFilterAndEnterAsTab) {
    SeedPerson(1, "Maria Silva");
    SeedPerson(2, "Jose Silveira");
    SeedPerson(3, "Ana SILVA");
    ui->Start("BFuncionarios");
    int b = ui->WindowByCaption("Tabela de responsáveis");
    auto list = ui->Control(b, 11);
    ui->PickTab(ui->Control(b, 1), "Parte Nome");
    ui->Type(ui->ByPrompt(b, "Parte nome:"), "Silv  ");
    ui->FocusOn(list);
    Rows rows = ui->Rows(list);
    ASSERT_EQ(rows.size(), 2u);  // case counts; in name order
    EXPECT_EQ(rows[0][1], "Jose Silveira");
    EXPECT_EQ(rows[1][1], "Maria Silva");
    EXPECT_EQ(ui->Focus(b), list.feq);
    ui->Key(b, ui::key::Enter);  // Enter now moves on instead of acting on the row
    EXPECT_NE(ui->Focus(b), list.feq);
    EXPECT_FALSE(ui->HasWindow("Alterando um Responsável"));
}

TEST_F(PersonsTest, NewPersonStartsWithCategory11AndDefaultsFillZeros) {
    Seed<FuncionariosRec>(dictionary::Funcionarios(), 1, [](FuncionariosRec& r, int) {
        r.CODIGO = 9;
        r.Nome = "Zeros";
    });
    ui->Start("BFuncionarios");
    int b = ui->WindowByCaption("Tabela de responsáveis");
    ui->Press(ui->ByText(b, "&Inclui"));
    int f = ui->WindowByCaption("Incluindo um Responsável");
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "0&1-Código:")));
    auto categoria = ui->ByPrompt(f, "0&5-Categoria:");
    EXPECT_EQ(ui->Value(categoria), "11");
    EXPECT_EQ(ui->Text(ui->Control(f, categoria.feq + 1)),
              "Contribuinte Individual - Diretor não empregado e demais empresários sem FGTS;");
    std::vector<std::string> codes = ui->State(categoria).items;
    EXPECT_EQ(codes.size(), 15u);
    for (const char* missing : {"08", "09", "10"})
        EXPECT_EQ(std::count(codes.begin(), codes.end(), missing), 0) << missing;
    const Rows categoryRows = ui->Rows(categoria);  // each code beside its description
    ASSERT_EQ(categoryRows.size(), codes.size());
    EXPECT_EQ(categoryRows[7], (std::vector<std::string>{"07", "Menor Aprendiz (Lei nº 10.097/2000)"}));
    ui->PickItem(categoria, "07");
    EXPECT_EQ(ui->Text(ui->Control(f, categoria.feq + 1)), "Menor Aprendiz (Lei nº 10.097/2000)");
    // A CPF typed without its leading zeros is kept as eleven digits; a wrong one cycles.
    auto cpf = ui->ByPrompt(f, "CPF");
    ui->Type(cpf, "123.456.789-01");
    ui->FocusOn(ui->ByPrompt(f, "Nome:"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Digito incorreto, o digito provavel é 09");
    ui->Answer(1);
    EXPECT_EQ(ui->Focus(f), cpf.feq);
    ui->Type(cpf, "1234567890");  // 012.345.678-90
    ui->Type(ui->ByPrompt(f, "Nome:"), "Novo");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_FALSE(ui->HasWindow("Incluindo um Responsável"));

    // Opening the person stored with zeros and saving stores 1 in the four fields.
    ui->PickRow(ui->Control(b, 11), 1);
    ui->Press(ui->ByText(b, "&Altera"));
    f = ui->WindowByCaption("Alterando um Responsável");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_EQ(Read<FuncionariosRec>(dictionary::Funcionarios(), dictionary::keys::FUN_Key_Codigo,
                                    [](const FuncionariosRec& r) {
                                        return std::to_string(r.CODIGO) + " " + std::string(r.CPF.clipped()) + " " +
                                               std::to_string(r.CATEGORIA) + " " + std::to_string(r.ESTADOCIVIL) +
                                               std::to_string(r.SEXO) + std::to_string(r.GRAUINSTRUCAO) +
                                               std::to_string(r.RACA);
                                    }),
              (std::vector<std::string>{"9  0 1111", "10 01234567890 7 1111"}));
}

TEST_F(PersonsTest, AStateTheComboLacksIsAddedThroughTheStateForm) {
    Seed<dictionary::EstadosRec>(dictionary::Estados(), 1, [](dictionary::EstadosRec& r, int) {
        r.UF = "SP";
        r.DESC = "Sao Paulo";
    });
    Seed<dictionary::MunicipiosRec>(dictionary::Municipios(), 2, [](dictionary::MunicipiosRec& r, int i) {
        r.CODIGO = static_cast<std::uint16_t>(i + 1);
        r.NOME = i ? "Santos" : "Curitiba";
        r.ESTADO = i ? "SP" : "PR";
    });
    ui->Start("BFuncionarios");
    int b = ui->WindowByCaption("Tabela de responsáveis");
    ui->Press(ui->ByText(b, "&Inclui"));
    int f = ui->WindowByCaption("Incluindo um Responsável");
    auto uf = ui->ByPrompt(f, "Estado:"), cidade = ui->ByPrompt(f, "Município:");
    EXPECT_EQ(ui->State(uf).items, (std::vector<std::string>{"SP"}));
    EXPECT_EQ(ui->State(uf).selected, 0);  // no first row chosen
    ui->PickItem(uf, "SP");
    EXPECT_EQ(ui->State(cidade).items, (std::vector<std::string>{"Santos"}));
    ui->Type(uf, "pr");
    ui->FocusOn(ui->ByPrompt(f, "Nome:"));
    int e = ui->WindowByCaption("Incluindo um Estado");
    ui->Type(ui->ByPrompt(e, "0&1-Unidade da Federação"), "PR");
    ui->Type(ui->ByPrompt(e, "0&2-Descrição da Unidade"), "Parana");
    ui->Press(ui->ByText(e, "&Grava"));
    EXPECT_EQ(ui->Value(uf), "PR");
    EXPECT_EQ(ui->State(uf).items, (std::vector<std::string>{"PR", "SP"}));
    EXPECT_EQ(ui->State(cidade).items, (std::vector<std::string>{"Curitiba"}));
    EXPECT_EQ(ui->Rows(uf), (Rows{{"PR", "Parana"}, {"SP", "Sao Paulo"}}));
    EXPECT_EQ(ui->Rows(cidade), (Rows{{"Curitiba", "PR"}}));

    // Cancelling the photo dialog leaves the photo as it was.
    ui->Press(ui->Control(f, 3));
    ASSERT_TRUE(ui->HasFileDialog());
    EXPECT_EQ(ui->PendingFileDialog().title, "Escolha um Arquivo");
    ui->AnswerFile("");
    EXPECT_EQ(ui->Text(ui->Control(f, 4)), "");
    // A chosen picture shows as a file the front end can open, and is kept by its name in the
    // data root's pictures folder.
    fs::create_directories(dir / "Imagens");
    std::ofstream(dir / "Imagens" / "Foto.bmp") << "x";
    ui->Press(ui->Control(f, 3));
    EXPECT_EQ(fs::path(ui->PendingFileDialog().folder), dir / "Imagens");
    ui->AnswerFile((dir / "Imagens" / "Foto.bmp").string());
    EXPECT_EQ(ui->Text(ui->Control(f, 4)), (dir / "Imagens" / "Foto.bmp").string());
    ui->Type(ui->ByPrompt(f, "Nome:"), "Ana");
    ui->Press(ui->ByText(f, "&Grava"));
    EXPECT_EQ(Read<FuncionariosRec>(dictionary::Funcionarios(), dictionary::keys::FUN_Key_Codigo,
                                    [](const FuncionariosRec& r) { return std::string(r.FOTO.clipped()); }),
              std::vector<std::string>{"Foto.bmp"});
}

}  // namespace
}  // namespace vorel::registers::testing

namespace vorel::registers::testing {
namespace {

TEST_F(RegisterFixture, ATableThatDoesNotOpenIsReported) {
    // A company is chosen, but its table's file name was never set.
    dictionary::CaminhoFuncionarios.set("");
    ui::ProcedureRegistry::Add("SelecionaEmpresa", [](ui::ProcContext& c) {
        shell::GLO_EMPRESA_CODIGO.Set(1);
        c.response = ui::Response::Completed;
    });
    int t = ui->Start("BFuncionarios");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Erro ao Abrir");
    ui->Answer(1);
    WaitFinished(t);
    EXPECT_TRUE(ui->Captions().empty());
    shell::GLO_EMPRESA_CODIGO.Set(0);
}

}  // namespace
}  // namespace vorel::registers::testing
