// Cash-register records driven headless: a master typed with machine 0 and a date outside the month
// is stored in the month with its date as the text of its day number; the nested forms prime a new
// analytic record and product line with their parent's linking fields; a product line's ICMS is the
// base times the product's register rate and its OK marks the product's balance of the working
// month in every mode; deleting a master takes its analytic records and product lines, and a delete
// that cannot be completed takes none.
#include "movement_fixture.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "vorel/core/paths.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/relation_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements::testing {
namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::DataComoTexto;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;
using dictionary::ProdutosRec;
using dictionary::SaldosVorelRec;

constexpr const char* kBrowse = "Janela de Lançamentos Mestre";
constexpr int kBrowseList = 5, kMestreSheet = 1, kMestreList = 23, kAnaliticoSheet = 1, kAnaliticoList = 16;

struct CashRegisterTest : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        Seed<ProdutosRec>(dictionary::Produtos(), 1, [](ProdutosRec& r, int) {
            r.Codigo = 123;
            r.Produtos = "Refrigerante lata";
            r.Alicota = 18;
        });
    }
    // A master of machine 3 on 10 March 2016, closing 1, with `analiticos` rates of `linhas` products.
    void SeedMaster(int analiticos, int linhas) {
        const std::string dia = DataComoTexto(date::make(2016, 3, 10));
        Seed<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), 1, [&](LancICMSEletronicoRec& r, int) {
            r.Codigo = 3;
            r.DataEmissao = dia;
            r.Fechamento = 1;
        });
        Seed<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), analiticos, [&](AnaliticoICMSRec& r, int i) {
            r.Codigo = 3;
            r.DataEmissao = dia;
            r.Fechamento = 1;
            r.Aliquota = "T1" + std::to_string(i);
        });
        Seed<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), analiticos * linhas,
                                    [&](MovMaqRegistradoraRec& r, int i) {
                                        r.Codigo = 3;
                                        r.DataEmissao = dia;
                                        r.Fechamento = 1;
                                        r.Aliquota = "T1" + std::to_string(i / linhas);
                                        r.CodMercadoria = 200 + i;
                                    });
    }
    std::int64_t Count(const data::TableDesc& t) {
        std::int64_t n = -1;
        std::thread([&] {
            data::FileManager fm(t);
            ASSERT_EQ(fm.open(), vorel::data::kNoError);
            n = fm.records();
            (void)fm.close();
        }).join();
        return n;
    }
    void TypeAndLeave(int f, const char* prompt, const std::string& text) {
        ui->Type(ui->ByPrompt(f, prompt), text);
        ui->Key(f, ui::key::Tab);
        ui->WaitIdle();
    }
    std::string Shown(int f, const char* prompt) { return ui->Value(ui->ByPrompt(f, prompt)); }
    // The browse, its first master opened by `button`, and the form's window.
    int OpenMaster(const char* button, const char* caption) {
        ui->Start("LancamentoMestre");
        int b = ui->WindowByCaption(kBrowse);
        ui->PickRow(ui->Control(b, kBrowseList), 1);
        ui->Press(ui->ByText(b, button));
        return ui->WindowByCaption(caption);
    }
};

TEST_F(CashRegisterTest, MasterMachineZeroAndDateMovedIntoTheMonthStoredAsDayNumberText) {
    ui->Start("LancamentoMestre");
    int b = ui->WindowByCaption(kBrowse);
    ui->Press(ui->ByText(b, "&Inclui Lançamento"));
    int f = ui->WindowByCaption("Inclui Lançamento Mestre");
    TypeAndLeave(f, "01 Código", "0");  // no look-up for machine 0
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(ui->Captions().back(), "Inclui Lançamento Mestre");
    TypeAndLeave(f, "03 Data Emissão", "10/07/2015");
    ASSERT_TRUE(ui->HasMessageBox());
    ui->Answer(1);
    EXPECT_EQ(Shown(f, "03 Data Emissão"), "10/03/2016");
    TypeAndLeave(f, "04 Cupom Inicial", "1001");
    TypeAndLeave(f, "07 GT Final", "12345,67");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasWindow("Inclui Lançamento Mestre"));
    auto stored = Read<LancICMSEletronicoRec>(
        dictionary::LancICMSEletronico(), dictionary::keys::LAN_KEY_CODIGO, [](const LancICMSEletronicoRec& r) {
            return std::string(r.DataEmissao.value()) + "|" + std::to_string(r.InicialCupom) + "|" +
                   r.GTFinal.to_string();
        });
    // 1 January 2016 is day 78531: 10 March 2016 is day 78600.
    EXPECT_EQ(stored, (std::vector<std::string>{"78600   |1001|12345.67"}));
    EXPECT_EQ(ui->Rows(ui->Control(b, kBrowseList)).at(0).at(1), "10/03/2016");
}

TEST_F(CashRegisterTest, NestedFormsPrimeTheLinkAndALineTakesIcmsFromTheProductAndMarksItsBalance) {
    SeedMaster(1, 0);
    Seed<SaldosVorelRec>(dictionary::SaldosVorel(), 1, [](SaldosVorelRec& r, int) {
        r.Produto = "123";
        r.Competencia = date::make(2016, 3, 1);
        r.Aliquota = 18;
        r.Situacao = 1;
        r.QuantProdutos = 5;
    });
    int m = OpenMaster("&Altera Lançamento", "Altera Lançamento Mestre");
    ui->PickTab(ui->Control(m, kMestreSheet), 2);
    auto analiticos = ui->Control(m, kMestreList);
    ASSERT_EQ(ui->Rows(analiticos).size(), 1u);
    // A new analytic record shows the master's machine, date and closing.
    ui->Press(ui->ByText(m, "&Inclui Lançamento"));
    int a = ui->WindowByCaption("Inclui Lançamento Analítico");
    EXPECT_EQ(Shown(a, "01 Código"), "3");
    EXPECT_EQ(Shown(a, "02 Data"), "10/03/2016");
    EXPECT_EQ(Shown(a, "05 Fechamento"), "1");
    TypeAndLeave(a, "03 Alíquota", "F");
    ui->PickTab(ui->Control(a, kAnaliticoSheet), 2);
    // Product lines added from its list are saved at once, with the record's fields as typed.
    ui->Press(ui->ByText(a, "&Inclui Lançamento"));
    int d = ui->WindowByCaption("Adding a MovMaqRegistradora Record");
    EXPECT_EQ(Shown(d, "01 Código"), "3");
    EXPECT_EQ(Shown(d, "02 Data"), "10/03/2016");
    EXPECT_EQ(Shown(d, "03 Alíquota"), "F");
    EXPECT_EQ(Shown(d, "04 Fechamento"), "1");
    TypeAndLeave(d, "05 Produtos", "123");
    EXPECT_EQ(Shown(d, "06 Produto"), "Refrigerante lata");
    TypeAndLeave(d, "08 Base Cálculo", "100,00");
    EXPECT_EQ(Shown(d, "09 Valor ICMS"), "18,00");
    TypeAndLeave(d, "09 Valor ICMS", "5,00");  // typed by hand: OK computes it again
    ui->Press(ui->ByText(d, "&Grava"));
    EXPECT_FALSE(ui->HasWindow("Adding a MovMaqRegistradora Record"));
    Rows linhas = ui->Rows(ui->Control(a, kAnaliticoList));
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0][3], "Refrigerante lata");
    EXPECT_EQ(linhas[0][6], "18,00");

    auto saldos = [&] {
        return Read<SaldosVorelRec>(
            dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA, [](const SaldosVorelRec& r) {
                return std::string(r.Produto.clipped()) + "|" + ui::FormatNumber("@d06b", r.Competencia) +
                       "|" + r.Aliquota.to_string() + "|" + std::to_string(r.Situacao) + "|" +
                       r.QuantProdutos.to_string();
            });
    };
    EXPECT_EQ(saldos(), (std::vector<std::string>{"123|01/03/2016|18.000|0|5.000"}));

    // Deleting the line marks the balance again, after its own question.
    std::thread([] {
        data::FileManager s(dictionary::SaldosVorel());
        ASSERT_EQ(s.open(), vorel::data::kNoError);
        ASSERT_EQ(s.set(dictionary::keys::SQEL_KEY_DATA), vorel::data::kNoError);
        ASSERT_EQ(s.next(), vorel::data::kNoError);
        s.rec<SaldosVorelRec>().Situacao = 1;
        ASSERT_EQ(s.put(), vorel::data::kNoError);
        (void)s.close();
    }).join();
    ui->PickRow(ui->Control(a, kAnaliticoList), 1);
    ui->Press(ui->ByText(a, "&Exclui Lançamento"));
    d = ui->WindowByCaption("Update Lançamento Diário");
    EXPECT_TRUE(ui->State(ui->ByPrompt(d, "08 Base Cálculo")).readOnly);
    ui->Press(ui->ByText(d, "&Exclui"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, "Deseja realmente excluir o registro selecionado?");
    ui->Answer("&Sim");
    EXPECT_TRUE(ui->Rows(ui->Control(a, kAnaliticoList)).empty());
    EXPECT_EQ(saldos(), (std::vector<std::string>{"123|01/03/2016|18.000|0|5.000"}));
}

TEST_F(CashRegisterTest, ARefusedLineLeavesNoMark) {
    Seed<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), 1,
                                [](MovMaqRegistradoraRec& r, int) { r.CodMercadoria = 123; });
    ui->Start("UDiario", ui::Request::Insert);  // no analytic record in the buffer: a blank link
    int d = ui->WindowByCaption("Adding a MovMaqRegistradora Record");
    TypeAndLeave(d, "05 Produtos", "123");
    ui->Press(ui->ByText(d, "&Grava"));
    ASSERT_TRUE(ui->HasMessageBox());  // the same analytic record and product: a duplicate
    ui->Answer(1);
    EXPECT_TRUE(ui->HasWindow("Adding a MovMaqRegistradora Record"));
    EXPECT_EQ(Count(dictionary::SaldosVorel()), 0);
    EXPECT_EQ(Count(dictionary::MovMaqRegistradora()), 1);
}

TEST_F(CashRegisterTest, CancellingAChangedLineAsksWhetherToSave) {
    ui->Start("UDiario", ui::Request::Insert);
    int d = ui->WindowByCaption("Adding a MovMaqRegistradora Record");
    TypeAndLeave(d, "05 Produtos", "123");
    TypeAndLeave(d, "08 Base Cálculo", "50,00");
    ui->Press(ui->ByText(d, "&Cancela"));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Salvar");
    ui->Answer("&Cancelar");  // stays
    EXPECT_TRUE(ui->HasWindow("Adding a MovMaqRegistradora Record"));
    ui->Press(ui->ByText(d, "&Cancela"));
    ui->Answer("&Sim");  // saves as OK does
    EXPECT_FALSE(ui->HasWindow("Adding a MovMaqRegistradora Record"));
    EXPECT_EQ(Read<MovMaqRegistradoraRec>(dictionary::MovMaqRegistradora(), dictionary::keys::MMR_KEY_CODIGO,
                                          [](const MovMaqRegistradoraRec& r) { return r.ValorICMS.to_string(); }),
              (std::vector<std::string>{"9.00"}));
    EXPECT_EQ(Count(dictionary::SaldosVorel()), 1);
}

TEST_F(CashRegisterTest, AnUnknownProductLeftUnchosenKeepsItsCodeAndIsNotSaved) {
    ui->Start("UDiario", ui::Request::Insert);
    int d = ui->WindowByCaption("Adding a MovMaqRegistradora Record");
    TypeAndLeave(d, "05 Produtos", "999");
    ui->Press(ui->ByText(ui->WindowByCaption("Cadastro de Produtos"), "&Fecha"));  // nothing chosen
    EXPECT_EQ(Shown(d, "05 Produtos"), "999");
    EXPECT_EQ(ui->Focus(d), ui->ByPrompt(d, "05 Produtos").feq);
    ui->Press(ui->ByText(d, "&Grava"));  // the pass looks it up again; left unchosen, nothing is saved
    ui->Press(ui->ByText(ui->WindowByCaption("Cadastro de Produtos"), "&Fecha"));
    EXPECT_TRUE(ui->HasWindow("Adding a MovMaqRegistradora Record"));
    EXPECT_EQ(Count(dictionary::MovMaqRegistradora()) + Count(dictionary::SaldosVorel()), 0);
}

TEST_F(CashRegisterTest, DeletingAMasterTakesItsAnalyticRecordsAndTheirProductLines) {
    SeedMaster(2, 3);
    int m = OpenMaster("&Exclui Lançamento", "Exclui Lançamento Mestre");
    EXPECT_EQ(ui->Rows(ui->Control(m, kMestreList)).size(), 2u);
    EXPECT_TRUE(ui->Hidden(ui->ByText(m, "&Inclui Lançamento")));
    ui->Press(ui->ByText(m, "&Exclui"));
    EXPECT_FALSE(ui->HasMessageBox());  // no further question
    EXPECT_FALSE(ui->HasWindow("Exclui Lançamento Mestre"));
    EXPECT_EQ(Count(dictionary::LancICMSEletronico()) + Count(dictionary::AnaliticoICMS()) +
                  Count(dictionary::MovMaqRegistradora()),
              0);
    EXPECT_TRUE(ui->Rows(ui->Control(ui->WindowByCaption(kBrowse), kBrowseList)).empty());
}

// A reader in another process: it holds the shared lock of SQLite's locking protocol on a table
// file (a read lock on the shared byte range), so a writer may change the file but not commit.
// Returns the process, or -1.
pid_t HoldReaderOn(const std::string& programPath) {
    const std::string native = files::resolve(programPath).string();
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = ::open(native.c_str(), O_RDONLY);
        struct flock shared {};
        shared.l_type = F_RDLCK;
        shared.l_whence = SEEK_SET;
        shared.l_start = 0x40000002;  // the shared range, after the pending and reserved bytes
        shared.l_len = 510;
        const char ok = fd >= 0 && fcntl(fd, F_SETLK, &shared) == 0 ? '1' : '0';
        if (write(ready[1], &ok, 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(ready[1]);
    char ok = '0';
    if (pid < 0 || read(ready[0], &ok, 1) != 1 || ok != '1') {
        if (pid > 0) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
        close(ready[0]);
        return -1;
    }
    close(ready[0]);
    return pid;
}

TEST_F(CashRegisterTest, ADeleteThatFailsPartWayRemovesNothing) {
    SeedMaster(2, 3);
    // The delete reaches every record, then cannot commit the product lines' file: all of it is
    // rolled back, in the three files.
    const pid_t reader = HoldReaderOn(dictionary::CaminhoMovMaqRegistradora.get());
    ASSERT_GT(reader, 0);
    std::thread([] {
        data::ScriptedAsker asker;
        data::ErrorManager::current().set_asker(&asker);
        data::FileManager lan(dictionary::LancICMSEletronico());
        ASSERT_EQ(lan.open(), vorel::data::kNoError);
        lan.set_lock_wait(1);
        ASSERT_EQ(lan.set(dictionary::keys::LAN_KEY_CODIGO), vorel::data::kNoError);
        ASSERT_EQ(lan.next(), vorel::data::kNoError);
        EXPECT_NE(data::RelationManager(lan).delete_record(), data::kBenign);
        // The engine's message for a commit that failed: nothing was written.
        ASSERT_EQ(asker.asked.size(), 1u);
        EXPECT_EQ(asker.asked[0].title, text::from_utf8("Erro ao Confirmar"));
        data::ErrorManager::current().set_asker(nullptr);
        (void)lan.close();
    }).join();
    kill(reader, SIGKILL);
    waitpid(reader, nullptr, 0);
    EXPECT_EQ(Count(dictionary::LancICMSEletronico()), 1);
    EXPECT_EQ(Count(dictionary::AnaliticoICMS()), 2);
    EXPECT_EQ(Count(dictionary::MovMaqRegistradora()), 6);
}

}  // namespace
}  // namespace vorel::movements::testing
