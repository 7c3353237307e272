// Exit items driven headless through the browse "Saidas" and the form "Usaidas" (company 1, year
// 2016, March unless a test moves the period): a typed exit lands in the company's 2016 file with
// its balance mark and counting lines, and the form stays open for the next item; the counting
// lines of an invoice stay while one of its exits remains; the automatic
// base takes the exit value in force on the item's date and asks on change only when it differs;
// the checks refuse an entry CFOP, a code of the other period and an unregistered lot, leaving
// nothing written; a customer CNPJ "0" shows "ISENTO"; a closed month stops insert, change and
// delete in the browse until it is reopened.
#include "movement_fixture.h"

#include "vorel/core/settings_file.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements::testing {
namespace {

namespace keys = dictionary::keys;
using dictionary::CFORec;
using dictionary::EstadosRec;
using dictionary::ForCliRec;
using dictionary::LoteVorelRec;
using dictionary::ProdutosRec;
using dictionary::QuantidadeVorelRec;
using dictionary::SaidaVorelRec;
using dictionary::SaldosVorelRec;
using dictionary::TabelaValorProdutoSaidaRec;
using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

constexpr const char* kBrowse = "Janela de Lançamentos de Saídas";
constexpr const char* kInsert = "Inclui Novo Registro de Saída";
constexpr const char* kChange = "Altera Registro de Saída";
constexpr const char* kDelete = "Exclui Registro de Saída";
// Controls of the browse.
constexpr int kList = 11, kClosedPadlock = 14;

struct ExitItems : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        struct Cfo { int codigo; std::uint8_t coluna; };
        static constexpr Cfo kCfos[] = {{5102, 2}, {1102, 1}, {1949, 7}, {512, 2}};
        Seed<CFORec>(dictionary::CFO(), 4, [](CFORec& r, int i) {
            r.ESTADO = "SP";
            r.CODIGO = static_cast<std::int16_t>(kCfos[i].codigo);
            r.COLUNA = kCfos[i].coluna;
        });
        Seed<ProdutosRec>(dictionary::Produtos(), 1, [](ProdutosRec& r, int) {
            r.Codigo = Decimal(10);
            r.Produtos = "Dez";
            r.Alicota = Decimal(18);
        });
        Seed<ForCliRec>(dictionary::ForCli(), 2, [](ForCliRec& r, int i) {
            r.Codigo = i == 0 ? 7 : 8;
            r.CGC = i == 0 ? "11222333000181" : "00000000000000";
            r.Nome = i == 0 ? "Cliente Sete" : "Consumidor";
            r.InscricaoEstadual = i == 0 ? "110042490114" : "";
            r.Estado = "SP";
        });
        Seed<EstadosRec>(dictionary::Estados(), 2, [](EstadosRec& r, int i) { r.UF = i == 0 ? "MG" : "SP"; });
    }

    // The browse, and the insert form opened from it.
    int Browse() {
        ui->Start("Saidas");
        return ui->WindowByCaption(kBrowse);
    }
    int InsertForm(int browse) {
        ui->Press(ui->ByText(browse, "&Inclui"));
        return ui->WindowByCaption(kInsert);
    }
    // Types a field and leaves it, as the user does.
    void Put(int form, const std::string& prompt, const std::string& value) {
        ui->Type(ui->ByPrompt(form, prompt), value);
        ui->Key(form, ui::key::Tab);
    }
    // An exit of product 10 with code 5102, up to the base; the customer is typed by CNPJ.
    void Fill(int form, const std::string& data, const std::string& quantidade, int cfo = 5102) {
        Put(form, "01 C.N.P.J/Cód.", "11222333000181");
        Put(form, "05 Série", "1");
        Put(form, "06 Número", "123");
        Put(form, "07 Data", data);
        Put(form, "08 Quantidade", quantidade);
        Put(form, "09 Produto", "10");
        Put(form, "11 C.F.O.", std::to_string(cfo));
        Put(form, "12 Compl..", "0");
    }

    Strings Exits() {
        return Read<SaidaVorelRec>(dictionary::SaidaVorel(), keys::SAI_KEY_NUMERO, [](const SaidaVorelRec& r) {
            return ui::FormatNumber("@d06b", r.DataSaida) + " " + std::string(r.CNPJ.clipped()) + " " +
                   std::to_string(r.CodigoForCli) + " " + std::string(r.Estado.clipped()) + " " +
                   std::string(r.Serie.clipped()) + "/" + std::to_string(r.Numero) + " cfo " + std::to_string(r.CFO) +
                   "." + std::to_string(r.Complemento) + " prod " + r.CodMercadoria.to_string() + " qtd " +
                   r.Quantidade.to_string() + " base " + r.BaseCalculo.to_string() + " aliq " + r.Alicota.to_string() +
                   " icms " + r.ICMS.to_string() + " tipo " + std::to_string(r.TipoValor);
        });
    }
    Strings Balances() {
        return Read<SaldosVorelRec>(dictionary::SaldosVorel(), keys::SQEL_KEY_PRODDATAALIQUOTA,
                                    [](const SaldosVorelRec& r) {
                                        return std::string(r.Produto.clipped()) + " " +
                                               ui::FormatNumber("@d06b", r.Competencia) + " " + r.Aliquota.to_string() +
                                               " sit " + std::to_string(r.Situacao) + " exc " +
                                               std::to_string(r.Exclusao);
                                    });
    }
    Strings Lines() {
        return Read<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_DATANUMSERIEUNIT,
                                        [](const QuantidadeVorelRec& r) {
                                            return std::string(r.Procedencia.clipped()) + " " +
                                                   std::to_string(r.Unitario) + "x" + std::to_string(r.Quantidade);
                                        });
    }
    // Records a counting line: units per package, then packages (the last line field).
    void CountLine(int form, const std::string& unitario, const std::string& pacotes) {
        Put(form, "Unitário", unitario);
        Put(form, "Quantidade", pacotes);
    }
    void SeedExit(int cfo, const char* cnpj, std::uint32_t numero = 50) {
        Seed<SaidaVorelRec>(dictionary::SaidaVorel(), 1, [&](SaidaVorelRec& r, int) {
            r.DataSaida = date::make(2016, 3, 10);
            r.CNPJ = cnpj;
            r.Serie = "1";
            r.Numero = numero;
            r.CFO = static_cast<std::uint16_t>(cfo);
            r.CodMercadoria = Decimal(10);
            r.Quantidade = Decimal(1);
            r.Alicota = Decimal(18);
        });
    }
    std::string Answer(const std::string& button) {
        if (!ui->HasMessageBox()) return "(no message)";
        std::string text = ui->PendingMessageBox().text;
        ui->Answer(button);
        return text;
    }
};

TEST_F(ExitItems, ATypedExitLandsInTheYearFileWithItsMarkAndLinesAndTheFormStaysForTheNext) {
    int b = Browse();
    int f = InsertForm(b);
    Fill(f, "15/03/2016", "0");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Nome")), "Cliente Sete");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Insc Est")), "110042490114");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "10 Descrição")), "Dez");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "15 Alíquota")), "18,000");
    // The quantity from counting lines: 12 × 5 and 6 × 2.
    ui->Check(ui->ByText(f, "Deseja usar contagem de Produtos?"), true);
    CountLine(f, "12", "5");
    CountLine(f, "6", "2");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Quantidade")), "72,000");
    Put(f, "14 Base Cálc", "100");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "16 ICMS")), "18,00");
    ui->Press(ui->ByText(f, "&OK"));
    EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;

    EXPECT_EQ(Exits(), (Strings{"15/03/2016 11222333000181 7 SP 1/123 cfo 5102.0 prod 10 qtd 72.000 base 100.00 "
                                "aliq 18.000 icms 18.00 tipo 0"}));
    EXPECT_TRUE(fs::exists(dir / "00000001" / "Vorel" / "2016" / "Saidas.Tps"));
    EXPECT_EQ(Balances(), (Strings{"10 01/03/2016 18.000 sit 0 exc 0"}));
    EXPECT_EQ(Lines(), (Strings{"S 6x2", "S 12x5"}));

    // The next item starts from the last one's customer, series, date, product and code.
    ASSERT_TRUE(ui->HasWindow(kInsert));
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "05 Série")), "1");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "07 Data")), "15/03/2016");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "09 Produto")), "10");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "11 C.F.O.")), "5102");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Nome")), "Cliente Sete");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Quantidade")), "0,000");
}

TEST_F(ExitItems, TheAutomaticBaseTakesTheValueInForceAndAsksOnChangeOnlyWhenItDiffers) {
    shell::GLO_MES.Set(5);
    Seed<TabelaValorProdutoSaidaRec>(dictionary::TabelaValorProdutoSaida(), 2,
                                     [](TabelaValorProdutoSaidaRec& r, int i) {
                                         r.CODPRODUTO = Decimal(10);
                                         r.DATA = date::make(2016, i == 0 ? 3 : 6, 1);
                                         r.VALOR = Decimal::from_string(i == 0 ? "2.50" : "4.00");
                                     });
    int b = Browse();
    int f = InsertForm(b);
    ui->Check(ui->ByText(f, "Utilizar o cálculo automático da Base de Cálculo?"), true);
    Fill(f, "20/05/2016", "4");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc")), "10,00");  // 4 × 1 March's 2.50
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "16 ICMS")), "1,80");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_EQ(Exits().size(), 1u);
    EXPECT_NE(Exits()[0].find("base 10.00 aliq 18.000 icms 1.80 tipo 1"), std::string::npos) << Exits()[0];
    ui->Press(ui->ByText(f, "&Cancela"));

    ui->PickRow(ui->Control(b, kList), 1);
    ui->Press(ui->ByText(b, "&Altera"));
    f = ui->WindowByCaption(kChange);
    ui->FocusOn(ui->ByPrompt(f, "09 Produto"));
    ui->Key(f, ui::key::Tab);
    EXPECT_FALSE(ui->HasMessageBox());  // 4 × 2.50 is the base already
    Put(f, "08 Quantidade", "5");
    ui->FocusOn(ui->ByPrompt(f, "09 Produto"));
    ui->Key(f, ui::key::Tab);
    EXPECT_EQ(Answer("&Sim"), "Atenção!!! Deseja calcular o valor da base de cálculo???");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc")), "12,50");
}

TEST_F(ExitItems, ARefusedExitLeavesNothingWritten) {
    struct Case {
        const char* name;
        int cfo;
        int ano;
        const char* lote;  // "Lote" required when not null
        const char* message;
        const char* numero = "123";
    } cases[] = {
        {"no invoice number", 5102, 2016, nullptr, "Por favor informe o número da Nota Fiscal.", "0"},
        {"entry column 1", 1102, 2016, nullptr, "Você está fazendo um Lançamento de Saída com um CFO de Entrada!!!"},
        {"entry column 7", 1949, 2016, nullptr, "Você está fazendo um Lançamento de Saída com um CFO de Entrada!!!"},
        {"three digits in 2016", 512, 2016, nullptr,
         "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!"},
        {"four digits in 2002", 5102, 2002, nullptr,
         "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!"},
        {"lot not registered", 5102, 2016, "L-9", "Atenção! Tentativa de lançar um Lote de Produto não cadastrado!"},
    };
    Seed<LoteVorelRec>(dictionary::LoteVorel(), 1, [](LoteVorelRec& r, int) {
        r.LOTE = "L-1";
        r.CODPRODUTO = Decimal(10);
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shell::GLO_ANO.Set(c.ano);
        settings::SettingsFile parametros(root + "BComuns\\Vorel.ini");
        ASSERT_FALSE(parametros.write_number("Parametros", "Lote", c.lote ? 1 : 0));
        int b = Browse();
        int f = InsertForm(b);
        Fill(f, c.ano == 2016 ? "15/03/2016" : "15/03/2002", "0", c.cfo);
        if (c.lote) Put(f, "Lote", c.lote);
        Put(f, "06 Número", c.numero);
        ui->Check(ui->ByText(f, "Deseja usar contagem de Produtos?"), true);
        CountLine(f, "12", "5");
        ui->Press(ui->ByText(f, "&OK"));
        EXPECT_EQ(Answer("&OK"), c.message);
        EXPECT_TRUE(ui->HasWindow(kInsert));
        EXPECT_EQ(Exits(), Strings{});
        EXPECT_EQ(Balances(), Strings{});
        EXPECT_EQ(Lines(), Strings{});
        ui->CloseWindow(f);
        ui->CloseWindow(b);
    }
}

TEST_F(ExitItems, AnInvoicesCountingLinesStayUntilItsLastExitIsDeleted) {
    int b = Browse();
    int f = InsertForm(b);
    Fill(f, "15/03/2016", "0");
    ui->Check(ui->ByText(f, "Deseja usar contagem de Produtos?"), true);
    CountLine(f, "12", "5");
    ui->Press(ui->ByText(f, "&OK"));
    // A second product of the same invoice.
    Seed<ProdutosRec>(dictionary::Produtos(), 1, [](ProdutosRec& r, int) {
        r.Codigo = Decimal(11);
        r.Produtos = "Onze";
        r.Alicota = Decimal(18);
    });
    Put(f, "06 Número", "123");  // the number is not carried over
    Put(f, "09 Produto", "11");
    Put(f, "08 Quantidade", "60");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
    ui->Press(ui->ByText(f, "&Cancela"));
    ASSERT_EQ(Exits().size(), 2u);
    EXPECT_EQ(Lines(), (Strings{"S 12x5"}));

    auto list = ui->Control(b, kList);
    ui->PickRow(list, 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    f = ui->WindowByCaption(kDelete);
    EXPECT_EQ(ui->Rows(ui->Control(f, 24)), (Rows{{"12", "5"}}));  // the invoice's lines, shown
    ui->Press(ui->ByText(f, "&Exclui"));
    ui->Answer(1);  // the framework's "delete?" question
    EXPECT_EQ(Exits().size(), 1u);
    EXPECT_EQ(Lines(), (Strings{"S 12x5"}));  // the other exit of the invoice keeps them

    ui->PickRow(list, 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    ui->Press(ui->ByText(ui->WindowByCaption(kDelete), "&Exclui"));
    ui->Answer(1);
    EXPECT_EQ(Exits(), Strings{});
    EXPECT_EQ(Lines(), Strings{});
    EXPECT_EQ(Balances(), (Strings{"10 01/03/2016 18.000 sit 0 exc 1", "11 01/03/2016 18.000 sit 0 exc 1"}));
}

TEST_F(ExitItems, AnEntryCodeOrAnUnregisteredLotIsRefusedOnDeleteToo) {
    ASSERT_FALSE(settings::SettingsFile(root + "BComuns\\Vorel.ini").write_number("Parametros", "Lote", 1));
    SeedExit(1102, "11222333000181");
    int b = Browse();
    ui->PickRow(ui->Control(b, kList), 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    int f = ui->WindowByCaption(kDelete);
    EXPECT_EQ(ui->Text(ui->ByText(f, "&Exclui")), "&Exclui");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "09 Produto")));
    ui->Press(ui->ByText(f, "&Exclui"));
    if (ui->PendingMessageBox().title != "Atenção!!!") ui->Answer(1);  // the framework's "delete?" question
    EXPECT_EQ(Answer("&OK"), "Você está fazendo um Lançamento de Saída com um CFO de Entrada!!!");
    EXPECT_EQ(Exits().size(), 1u);
}

TEST_F(ExitItems, ACustomerIsFoundByCnpjOrCodeElseChosenWithTheTypedCnpjHandedOver) {
    int b = Browse();
    int f = InsertForm(b);
    auto cnpj = ui->ByPrompt(f, "01 C.N.P.J/Cód.");
    Put(f, "01 C.N.P.J/Cód.", "7");  // no CNPJ 00000000000007: customer code 7
    EXPECT_EQ(ui->Value(cnpj), "11.222.333/0001-81");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Nome")), "Cliente Sete");

    Put(f, "01 C.N.P.J/Cód.", "55");  // neither: the register opens to choose, offering the CNPJ
    int escolha = ui->WindowByCaption("Janela de Fornecedores e Clientes Cadastrados");
    settings::SettingsFile vorel("Vorel.ini");
    EXPECT_EQ(vorel.read_text("Temp", "CNPJ", ""), "55");
    EXPECT_EQ(vorel.read_number("Temp", "Local", 0), 4);
    ui->CloseWindow(escolha);  // nothing chosen: the field stays as typed
    EXPECT_EQ(ui->Value(cnpj), "55");
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(f, "03 U.F")));

    ui->Press(ui->Control(f, 3));  // the look-up button: a customer chosen fixes the state
    escolha = ui->WindowByCaption("Janela de Fornecedores e Clientes Cadastrados");
    ui->PickRow(ui->Control(escolha, 11), 2);
    ui->Press(ui->ByText(escolha, "&Seleciona Cadastro"));
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Nome")), "Consumidor");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "03 U.F")));
    ui->Press(ui->ByText(f, "&Cancela"));
    EXPECT_EQ(vorel.read_number("Temp", "Local", 4), 0);  // the hand-over ends with the form
}

TEST_F(ExitItems, ACustomerCnpjZeroIsExemptAndABlankOneIsSearchedAsZeros) {
    SeedExit(5102, "0", 50);
    SeedExit(5102, "", 51);
    int b = Browse();
    for (int row : {1, 2}) {
        SCOPED_TRACE(row == 1 ? "CNPJ 0" : "blank CNPJ");
        ui->PickRow(ui->Control(b, kList), row);
        ui->Press(ui->ByText(b, "&Altera"));
        int f = ui->WindowByCaption(kChange);
        EXPECT_EQ(ui->Value(ui->ByPrompt(f, "04 Insc Est")), row == 1 ? "ISENTO" : "");
        EXPECT_EQ(ui->Value(ui->ByPrompt(f, "02 Nome")), row == 1 ? "" : "Consumidor");
        ui->Press(ui->ByText(f, "&Cancela"));
    }
}

TEST_F(ExitItems, AClosedMonthStopsInsertChangeAndDeleteUntilReopened) {
    SeedExit(5102, "11222333000181", 50);
    Seed<SaidaVorelRec>(dictionary::SaidaVorel(), 1, [](SaidaVorelRec& r, int) {
        r.DataSaida = date::make(2016, 2, 10);  // February: listed by date, not on the month's tab
        r.Numero = 40;
    });
    SeedClosedMonth(2016, 3);
    int b = Browse();
    auto list = ui->Control(b, kList);
    EXPECT_EQ(ui->Rows(list).size(), 1u);
    auto reaches = [&] {
        for (const char* button : {"&Inclui", "&Altera", "&Exclui"})
            if (ui->Enabled(ui->ByText(b, button))) return true;
        for (int k : {ui::key::Insert, ui::key::Delete, ui::key::Enter}) {
            ui->FocusOn(list);
            ui->Key(b, k);
            if (ui->Captions().size() > 1) return true;
        }
        ui->PickRow(list, 1, true);
        return ui->Captions().size() > 1;
    };
    EXPECT_FALSE(reaches());
    EXPECT_EQ(ui->Text(ui->ByText(b, "Mês Fechado")), "Mês Fechado");

    UserConfirms("ANA");
    ui->Press(ui->Control(b, kClosedPadlock));
    ui->WaitIdle();
    for (const char* button : {"&Inclui", "&Altera", "&Exclui"}) EXPECT_TRUE(ui->Enabled(ui->ByText(b, button)));
    ui->Press(ui->ByText(b, "&Inclui"));
    EXPECT_TRUE(ui->HasWindow(kInsert));
    ui->CloseWindow(ui->WindowByCaption(kInsert));
    ui->PickRow(list, 1, true);
    EXPECT_TRUE(ui->HasWindow(kChange));
    ui->CloseWindow(ui->WindowByCaption(kChange));

    ui->PickTab(ui->Control(b, 1), "Pesquisa Lançamentos por Data");
    EXPECT_EQ(ui->Rows(list).size(), 2u);
}

}  // namespace
}  // namespace vorel::movements::testing
