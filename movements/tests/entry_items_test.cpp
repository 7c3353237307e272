// Entry items driven through the browse "Entradas" and the form "UEntradas" headless: the CFOP
// checks by direction and working year, the supplier typed as a CNPJ or a register code, the base of
// origin of a CFOP 1409 item (also from the previous year's file), an item that lands in the working
// year's file with what is written beside it, and a refused insert that leaves nothing behind.
#include "movement_fixture.h"

#include "vorel/core/date.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/movements/entry_items.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using ui::Request;

constexpr const char* kBrowse = "Janela de Lançamentos de Entrada";
constexpr const char* kInsert = "Inclui Novo Lançamento";
constexpr const char* kSaida = "Você está fazendo um Lançamento de Entrada com um CFO de Saída!!!";
constexpr const char* kPeriodo = "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!";
constexpr int kNome = 6;  // the supplier's name, shown beside "02 Nome"

struct EntryTest : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        Seed<dictionary::EstadosRec>(dictionary::Estados(), 1, [](dictionary::EstadosRec& r, int) {
            r.UF = "SP";
            r.DESC = "Sao Paulo";
        });
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), 2, [](dictionary::ForCliRec& r, int i) {
            r.Codigo = i == 0 ? 7 : 123;
            r.CGC = i == 0 ? "00000000000123" : "11222333000181";
            r.Nome = i == 0 ? "Atacado Sete" : "Distribuidora 123";
            r.InscricaoEstadual = "ISENTO";
            r.Estado = "SP";
            r.TipoInscricao = 1;
        });
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 1, [](dictionary::ProdutosRec& r, int) {
            r.Codigo = 10;
            r.Produtos = "Pneu aro 13";
            r.Alicota = 18;
            r.TipoReceita = 1;
        });
        const int codes[] = {1102, 1403, 1409, 403, 499, 500, 4999, 5000};
        Seed<dictionary::CFORec>(dictionary::CFO(), 8, [&](dictionary::CFORec& r, int i) {
            r.CODIGO = static_cast<std::int16_t>(codes[i]);
            r.ESTADO = "SP";
            r.COLUNA = 1;
        });
    }

    // Makes `ano` (and March) the working period, with its year folder.
    void WorkingYear(int ano) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        ASSERT_FALSE(dictionary::CriaPastas(a));
        dictionary::AplicaCaminhos(a);
        shell::GLO_ANO.Set(ano);
        shell::GLO_MES.Set(3);
    }

    int OpenInsert() {
        ui->Start("Entradas");
        const int b = ui->WindowByCaption(kBrowse);
        ui->Press(ui->ByText(b, "&Inclui"));
        return ui->WindowByCaption(kInsert);
    }
    void TypeAndLeave(int f, const char* prompt, const std::string& text) {
        ui->Type(ui->ByPrompt(f, prompt), text);
        ui->Key(f, ui::key::Tab);
        ui->WaitIdle();
    }
    // An item of product 10 from supplier 7, dated 15 March of the working year.
    void TypeItem(int f, int cfo, const char* quantidade = "3", const char* base = "") {
        TypeAndLeave(f, "01 C.N.P.J/Cód.", "7");
        TypeAndLeave(f, "05 Série", "1");
        TypeAndLeave(f, "06 Número", "4711");
        char data[16];
        std::snprintf(data, sizeof data, "15/03/%04d", shell::GLO_ANO.Get());
        TypeAndLeave(f, "07 Data", data);
        TypeAndLeave(f, "08 Quantidade", quantidade);
        TypeAndLeave(f, "09 Produto", "10");
        TypeAndLeave(f, "Lote", "L-01");
        TypeAndLeave(f, "11 C.F.O.", std::to_string(cfo));
        TypeAndLeave(f, "12 Compl.", "0");
        if (*base) TypeAndLeave(f, "14 Base Cálc.", base);
    }
    std::vector<std::string> Entries() {
        return Read<EntradaVorelRec>(dictionary::EntradaVorel(), dictionary::keys::ENT_KEY_DATA, [](const EntradaVorelRec& r) {
            return std::to_string(r.Numero) + " " + std::string(r.Serie.clipped()) + " " +
                   ui::FormatNumber("@d06b", r.DataEmissao) + " " + std::string(r.Cnpj.clipped()) + " " +
                   std::to_string(r.CodigoForCli) + " " + std::string(r.Estado.clipped()) + " " +
                   r.CodMercadoria.to_string() + " " + std::to_string(r.CFO) + " " + r.Quantidade.to_string() + " " +
                   r.BaseICMS.to_string() + " " + r.Aliquota.to_string() + " " + r.ValorICMS.to_string() + " " +
                   std::string(r.Lote.clipped());
        });
    }
    // Entries straight into a year's file.
    void SeedEntries(int ano, std::vector<EntradaVorelRec> rows) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        ASSERT_FALSE(dictionary::CriaPastas(a));
        std::thread([&] {
            data::FileManager fm(dictionary::EntradaVorel());
            ASSERT_EQ(fm.open_path(a.CaminhoEntradaVorel), vorel::data::kNoError);
            for (const EntradaVorelRec& r : rows) {
                fm.rec<EntradaVorelRec>() = r;
                ASSERT_EQ(fm.add(), vorel::data::kNoError);
            }
            (void)fm.close();
        }).join();
    }
    static EntradaVorelRec Entry(date::Day dia, int cfo, const char* quantidade, const char* base, const char* propria = "0") {
        EntradaVorelRec r;
        r.DataEmissao = dia;
        r.Numero = 100;
        r.CFO = static_cast<std::uint16_t>(cfo);
        r.CodMercadoria = 10;
        r.Quantidade = Decimal::from_string(quantidade);
        r.BaseICMS = Decimal::from_string(base);
        r.BaseICMSPropria = Decimal::from_string(propria);
        return r;
    }
};

TEST_F(EntryTest, CfopCodesAreCheckedByDirectionAndByWorkingYear) {
    struct Case {
        int ano, cfo;
        const char* message;  // nullptr: the item is saved
    } cases[] = {
        {2016, 500, kSaida},  {2016, 5000, kSaida}, {2016, 499, kPeriodo}, {2016, 4999, nullptr},
        {2002, 1403, kPeriodo}, {2002, 403, nullptr}, {2003, 1403, nullptr}, {2003, 403, kPeriodo},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.ano) + " CFOP " + std::to_string(c.cfo));
        WorkingYear(c.ano);
        const std::size_t before = Entries().size();
        const int f = OpenInsert();
        TypeItem(f, c.cfo, "3", "10");
        ui->Press(ui->ByText(f, "&O.K."));
        if (c.message) {
            ASSERT_TRUE(ui->HasMessageBox());
            EXPECT_EQ(ui->PendingMessageBox().text, c.message);
            EXPECT_EQ(ui->PendingMessageBox().title, "Atenção!!!");
            ui->Answer(1);
            EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "11 C.F.O.").feq);
            EXPECT_EQ(Entries().size(), before);
        } else {
            EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
            EXPECT_EQ(Entries().size(), before + 1);
        }
        ui->Press(ui->ByText(f, "&Cancela"));
        ui->CloseWindow(ui->WindowByCaption(kBrowse));
        ui->WaitIdle();
    }
}

TEST_F(EntryTest, SupplierTypedAsACnpjNumberThenAsARegisterCode) {
    int f = OpenInsert();
    // "123" is first the CNPJ 00000000000123 (supplier 7), not the supplier whose code is 123.
    TypeAndLeave(f, "01 C.N.P.J/Cód.", "123");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 C.N.P.J/Cód.")), "00.000.000/0001-23");
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "Atacado Sete");
    // "124" is no CNPJ of the register and no code: the supplier look-up opens with it handed over.
    TypeAndLeave(f, "01 C.N.P.J/Cód.", "124");
    EXPECT_TRUE(ui->HasWindow("Janela de Fornecedores e Clientes Cadastrados"));
    ui->CloseWindow(ui->WindowByCaption("Janela de Fornecedores e Clientes Cadastrados"));
    ui->WaitIdle();
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->WaitIdle();

    // Without a supplier of CNPJ ...123, "123" is the register code 123.
    std::thread([] {
        data::FileManager fm(dictionary::ForCli());
        ASSERT_EQ(fm.open(), vorel::data::kNoError);
        fm.clear_record();
        fm.rec<dictionary::ForCliRec>().Codigo = 7;
        ASSERT_EQ(fm.get(fm.key_number(dictionary::keys::FOR_KEY_CODIGO1)), vorel::data::kNoError);
        ASSERT_EQ(fm.remove(), vorel::data::kNoError);
        (void)fm.close();
    }).join();
    f = ui->WindowByCaption(kBrowse);
    ui->Press(ui->ByText(f, "&Inclui"));
    f = ui->WindowByCaption(kInsert);
    TypeAndLeave(f, "01 C.N.P.J/Cód.", "123");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 C.N.P.J/Cód.")), "11.222.333/0001-81");
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "Distribuidora 123");
    ui->Press(ui->ByText(f, "&Cancela"));
}

TEST_F(EntryTest, BaseOfOriginIsTakenFromTheLatestEarlier1403Entry) {
    const date::Day marco = date::make(2016, 3, 1);
    // 2015's file: the 1403 entry of 10 units with base 100.00 that the look-back reaches.
    SeedEntries(2015, {Entry(date::make(2015, 11, 5), 1403, "10", "100.00", "40.00")});
    // 2016's file: a 1403 entry directly before the new item's place, which is passed over.
    SeedEntries(2016, {Entry(marco, 1403, "4", "80.00")});
    auto search = [&](date::Day dia) {
        BaseOrigem b;
        std::thread([&] {
            data::dictionary::init(dictionary::table_descs());
            data::FileManager& f = data::dictionary::file(dictionary::EntradaVorel0());
            ASSERT_EQ(f.open(), vorel::data::kNoError);
            b = ProcuraBaseOrigem(f, 1, 2016, Decimal(10), dia, Decimal(3));
            (void)f.close();
            data::dictionary::teardown();
        }).join();
        return b;
    };
    BaseOrigem b = search(date::make(2016, 3, 15));
    ASSERT_TRUE(b.encontrada);
    EXPECT_EQ(b.ano, 2015);
    EXPECT_EQ(b.base, Decimal::from_string("30.00"));
    EXPECT_EQ(b.basePropria, Decimal::from_string("12.00"));

    // With another item after it, the 1403 entry of the working year is reached and taken.
    SeedEntries(2016, {Entry(date::make(2016, 3, 10), 1102, "1", "5.00")});
    b = search(date::make(2016, 3, 15));
    EXPECT_EQ(b.ano, 2016);
    EXPECT_EQ(b.base, Decimal::from_string("60.00"));

    // Through the window: a 1409 item typed without a base takes it.
    const int f = OpenInsert();
    TypeItem(f, 1409, "3");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc.")), "60,00");
    ui->Press(ui->ByText(f, "&O.K."));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Entries().back(), "4711 1 15/03/2016 00000000000123 7 SP 10 1409 3.000 60.00 18.000 10.80 L-01");
}

TEST_F(EntryTest, TheProductsReferenceValueGivesTheBaseWhenTheProductIsTyped) {
    Seed<dictionary::TabValorIndProdutoRec>(dictionary::TabValorIndProduto(), 2,
                                            [](dictionary::TabValorIndProdutoRec& r, int i) {
                                                r.CODPRODUTO = 10;
                                                r.COMPETENCIA = date::make(2016, i == 0 ? 2 : 4, 1);
                                                r.VALOR = Decimal::from_string(i == 0 ? "12.5" : "99");
                                            });
    const int f = OpenInsert();
    TypeItem(f, 1102, "3");  // February's value, the latest not after 15 March: 3 x 12.50
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc.")), "37,50");
    TypeAndLeave(f, "14 Base Cálc.", "40");  // typed over, and not recomputed by OK's pass
    ui->Press(ui->ByText(f, "&O.K."));
    EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"4711 1 15/03/2016 00000000000123 7 SP 10 1102 3.000 40.00 18.000 7.20 L-01"}));
}

TEST_F(EntryTest, ItemLandsInTheYearFileWithWhatBelongsToIt) {
    const int f = OpenInsert();
    // A date outside the working month is moved into it when it is accepted.
    TypeAndLeave(f, "07 Data", "15/01/2016");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Mes/Ano inválidos");
    ui->Answer(1);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "07 Data")), "15/03/2016");
    TypeItem(f, 1102, "3", "150");
    TypeAndLeave(f, "15 Alíquota", "12");  // another rate than the product's 18%
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"4711 1 15/03/2016 00000000000123 7 SP 10 1102 3.000 150.00 12.000 18.00 L-01"}));
    // Beside it: the month's balance row marked, the supplier-product link, the lot, the rate history.
    EXPECT_EQ((Read<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA,
                                                [](const dictionary::SaldosVorelRec& r) {
                                                    return std::string(r.Produto.clipped()) + " " +
                                                           ui::FormatNumber("@d06b", r.Competencia) + " " +
                                                           r.Aliquota.to_string() + " " + std::to_string(r.Situacao) +
                                                           std::to_string(r.Exclusao);
                                                })),
              (std::vector<std::string>{"10 01/03/2016 12.000 00"}));
    EXPECT_EQ((Read<dictionary::ForCliQelRec>(dictionary::ForCliQel(), dictionary::keys::FCC_KEY_FORPROD,
                                              [](const dictionary::ForCliQelRec& r) {
                                                  return std::to_string(r.CODFOR) + "/" + r.CODPROD.to_string();
                                              })),
              (std::vector<std::string>{"7/10"}));
    EXPECT_EQ((Read<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD,
                                              [](const dictionary::LoteVorelRec& r) {
                                                  return std::string(r.LOTE.clipped()) + " " + r.CODPRODUTO.to_string() +
                                                         " " + std::to_string(r.TIPO);
                                              })),
              (std::vector<std::string>{"L-01 10 1"}));
    EXPECT_EQ((Read<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo,
                                                 [](const dictionary::ProdutosAliqRec& r) {
                                                     return r.CODIGO_PRODUTO.to_string() + " " + r.ALIQUOTA.to_string();
                                                 })),
              (std::vector<std::string>{"10 12.000"}));

    // The batch goes on with the values last accepted; the same invoice and product asks first.
    EXPECT_EQ(ui->Caption(f), kInsert);
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "06 Número")), "0");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "11 C.F.O.")), "1102");
    // The supplier typed by its code goes on as found: its CNPJ, not the code typed.
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "01 C.N.P.J/Cód.")), "00.000.000/0001-23");
    TypeAndLeave(f, "06 Número", "4711");
    TypeAndLeave(f, "08 Quantidade", "1");
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção!!! Já existe lançamento com a mesma Data, Número, Série, CFOP e Produto informado!!! Deseja "
              "continuar???");
    ui->Answer("&Não");
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "05 Série").feq);
    EXPECT_EQ(Entries().size(), 1u);
    TypeAndLeave(f, "06 Número", "4712");
    ui->Press(ui->ByText(f, "&O.K."));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Entries().back(), "4712 1 15/03/2016 00000000000123 7 SP 10 1102 1.000 0.00 18.000 0.00 ");
}

TEST_F(EntryTest, ARefusedItemLeavesNothingBehind) {
    const int f = OpenInsert();
    TypeItem(f, 499, "3", "150");  // refused by the working year, after the questions
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text, kPeriodo);
    ui->Answer(1);
    EXPECT_TRUE(Entries().empty());
    EXPECT_TRUE((Read<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA,
                                                  [](const dictionary::SaldosVorelRec&) { return std::string(); }))
                    .empty());
    EXPECT_TRUE((Read<dictionary::LoteVorelRec>(dictionary::LoteVorel(), dictionary::keys::LTC_KEY_LOTEPROD,
                                                [](const dictionary::LoteVorelRec&) { return std::string(); }))
                    .empty());
}

TEST_F(EntryTest, DeletingTheYearsLastItemOfASupplierAndProductAsksAboutTheLink) {
    EntradaVorelRec item = Entry(date::make(2016, 3, 15), 1102, "3", "150.00");
    item.Numero = 4711;
    item.Cnpj = "00000000000123";
    item.CodigoForCli = 7;
    item.Aliquota = 18;
    EntradaVorelRec saldoInicial = Entry(date::make(2016, 3, 1), 1102, "1", "1.00");
    saldoInicial.Numero = 0;  // an opening balance: not listed on the month's tab
    EntradaVorelRec fevereiro = Entry(date::make(2016, 2, 10), 1102, "1", "1.00");
    fevereiro.Numero = 99;  // another month: not listed on the month's tab
    SeedEntries(2016, {item, saldoInicial, fevereiro});
    Seed<dictionary::ForCliQelRec>(dictionary::ForCliQel(), 1, [](dictionary::ForCliQelRec& r, int) {
        r.CODFOR = 7;
        r.CODPROD = 10;
    });
    ui->Start("Entradas");
    const int b = ui->WindowByCaption(kBrowse);
    constexpr int kList = 9;
    ASSERT_EQ(ui->Rows(ui->Control(b, kList)).size(), 1u);
    EXPECT_EQ(ui->Rows(ui->Control(b, kList))[0][0], "4711");
    ui->PickRow(ui->Control(b, kList), 1);
    ui->Press(ui->ByText(b, "&Exclui"));
    const int f = ui->WindowByCaption("Exclui Lançamento");
    EXPECT_EQ(ui->Text(ui->Control(f, kNome)), "Atacado Sete");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "09 Produto")));
    ui->Press(ui->ByText(f, "&Exclui"));
    ASSERT_TRUE(ui->HasMessageBox());  // the framework's own question first
    ui->Answer("&Sim");
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Alerta");
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção! No ano de 2016 não foi encontrado outro lançamento com a combinação Produto/Fornecedor igual ao "
              "lançamento selecionado. Deseja excluir esse fornecedor da lista de Fornecedores do Produto 10 ?");
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_FALSE(ui->HasWindow("Exclui Lançamento"));
    EXPECT_EQ(Entries().size(), 2u) << "the opening balance and February's item stay";
    EXPECT_EQ((Read<dictionary::ForCliQelRec>(dictionary::ForCliQel(), dictionary::keys::FCC_KEY_FORPROD,
                                              [](const dictionary::ForCliQelRec& r) {
                                                  return std::to_string(r.CODFOR) + "/" + r.CODPROD.to_string();
                                              })),
              (std::vector<std::string>{"7/10"}))
        << "the link stays";
    EXPECT_EQ((Read<dictionary::SaldosVorelRec>(dictionary::SaldosVorel(), dictionary::keys::SQEL_KEY_PRODDATAALIQUOTA,
                                                [](const dictionary::SaldosVorelRec& r) {
                                                    return std::string(r.Produto.clipped()) + " " +
                                                           std::to_string(r.Situacao) + std::to_string(r.Exclusao);
                                                })),
              (std::vector<std::string>{"10 01"}))
        << "the month's balance row is marked as having lost an item";
}

TEST_F(EntryTest, AnInvoicesCountingLinesStayUntilItsLastEntryIsDeletedAndExitLinesAreNotTouched) {
    std::vector<EntradaVorelRec> itens;
    for (int cfo : {1102, 1403}) {
        EntradaVorelRec r = Entry(date::make(2016, 3, 15), cfo, "60", "0");
        r.Numero = 4711;
        r.Serie = "1";
        r.Cnpj = "00000000000123";
        r.CodigoForCli = 7;
        itens.push_back(r);
    }
    SeedEntries(2016, itens);
    Seed<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), 2, [](dictionary::QuantidadeVorelRec& r, int i) {
        r.DataEmissao = date::make(2016, 3, 15);
        r.Numero = 4711;
        r.Serie = "1";
        r.Cnpj = "00000000000123";
        r.Procedencia = i == 0 ? "E" : "S";  // an exit of the same customer, date, number and series
        r.Unitario = 12;
        r.Quantidade = 5;
    });
    auto lines = [&] {
        return Read<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), dictionary::keys::QUA_KEY_DATANUMSERIEUNIT,
                                                    [](const dictionary::QuantidadeVorelRec& r) {
                                                        return std::string(r.Procedencia.clipped());
                                                    });
    };
    ui->Start("Entradas");
    const int b = ui->WindowByCaption(kBrowse);
    constexpr int kList = 9;
    for (std::size_t left : {1u, 0u}) {
        ui->PickRow(ui->Control(b, kList), 1);
        ui->Press(ui->ByText(b, "&Exclui"));
        ui->Press(ui->ByText(ui->WindowByCaption("Exclui Lançamento"), "&Exclui"));
        ui->Answer("&Sim");                                // the framework's own question
        if (ui->HasMessageBox()) ui->Answer("&Não");       // the supplier-product link stays
        ASSERT_EQ(Entries().size(), left);
        EXPECT_EQ(lines(), left ? (std::vector<std::string>{"E", "S"}) : (std::vector<std::string>{"S"}));
    }
}

TEST_F(EntryTest, AClosedMonthRefusesInsertChangeAndDeleteUntilItIsReopened) {
    EntradaVorelRec item = Entry(date::make(2016, 3, 15), 1102, "3", "150.00");
    item.Numero = 4711;
    SeedEntries(2016, {item});
    SeedClosedMonth(2016, 3);
    ui->Start("Entradas");
    const int b = ui->WindowByCaption(kBrowse);
    constexpr int kList = 9;
    // Every way into the form: the three buttons, Insert, Delete and Enter on the list, a double click.
    auto waysIn = [&] {
        int opened = 0;
        auto formOpened = [&] {
            for (const char* caption : {kInsert, "Altera Lançamento", "Exclui Lançamento"})
                if (ui->HasWindow(caption)) {
                    ++opened;
                    ui->CloseWindow(ui->WindowByCaption(caption));
                    ui->WaitIdle();
                }
        };
        for (const char* button : {"&Inclui", "&Altera", "&Exclui"}) {
            if (ui->Enabled(ui->ByText(b, button))) ui->Press(ui->ByText(b, button));
            ui->WaitIdle();
            formOpened();
        }
        for (int k : {ui::key::Insert, ui::key::Delete, ui::key::Enter}) {
            ui->FocusOn(ui->Control(b, kList));
            ui->Key(b, k);
            ui->WaitIdle();
            formOpened();
        }
        ui->PickRow(ui->Control(b, kList), 1, true);
        ui->WaitIdle();
        formOpened();
        return opened;
    };
    EXPECT_EQ(ui->Text(ui->ByText(b, "Mês Fechado")), "Mês Fechado");
    for (const char* button : {"&Inclui", "&Altera", "&Exclui"}) EXPECT_FALSE(ui->Enabled(ui->ByText(b, button)));
    EXPECT_EQ(waysIn(), 0);

    UserConfirms("ANA");
    constexpr int kClosedPadlock = 20;
    ui->Press(ui->Control(b, kClosedPadlock));
    ui->WaitIdle();
    EXPECT_EQ(ui->Text(ui->ByText(b, "Mês Aberto")), "Mês Aberto");
    EXPECT_EQ(waysIn(), 7);
    EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(EntryTest, CountingLinesBuildQuantityAndBaseAndAreWrittenWithTheItem) {
    const int f = OpenInsert();
    TypeAndLeave(f, "01 C.N.P.J/Cód.", "7");
    TypeAndLeave(f, "06 Número", "4711");
    TypeAndLeave(f, "07 Data", "15/03/2016");
    ui->Check(ui->ByText(f, "Deseja usar contagem de Produtos?"), true);
    ui->WaitIdle();
    auto line = [&](const char* unitario, const char* pacotes, const char* valor, const char* margem) {
        TypeAndLeave(f, "Unitário", unitario);
        TypeAndLeave(f, "Quantidade", pacotes);
        TypeAndLeave(f, "Vlr Produto", valor);
        TypeAndLeave(f, "Margem Lucro", margem);
    };
    line("12", "5", "10", "1,5");  // 60 units, the base grows by 10.00 x 1.5
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Quantidade")), "60,000");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc.")), "15,00");
    line("12", "5", "20", "1,2");  // the same unit count again: the base changes by 24.00 - 15.00
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "14 Base Cálc.")), "24,00");
    line("6", "2", "0", "0");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Quantidade")), "72,000");
    constexpr int kLinhas = 28;  // the counting list beside the line fields
    EXPECT_EQ(ui->Rows(ui->Control(f, kLinhas)), (Rows{{"12", "5", "20,00", "1,200000"}, {"6", "2", "0,00", "0,000000"}}));
    TypeAndLeave(f, "09 Produto", "10");
    TypeAndLeave(f, "11 C.F.O.", "1102");
    TypeAndLeave(f, "12 Compl.", "0");
    TypeAndLeave(f, "08 Quantidade", "70");

    // The counted quantity differs: "&Não" takes it and stops, with nothing written.
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().text,
              "Atenção!!! Quantidade de produtos informada é diferente da lista informada!!! A quantidade calculada é 72 "
              "deseja continuar???");
    ui->Answer("&Não");
    EXPECT_EQ(ui->Value(ui->ByPrompt(f, "08 Quantidade")), "72,000");
    EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "08 Quantidade").feq);
    auto lines = [&] {
        return Read<dictionary::QuantidadeVorelRec>(dictionary::QuantidadeVorel(), dictionary::keys::QUA_KEY_DATANUMSERIEUNIT,
                                                    [](const dictionary::QuantidadeVorelRec& r) {
                                                        return std::string(r.Procedencia.clipped()) + " " +
                                                               std::to_string(r.Unitario) + "x" +
                                                               std::to_string(r.Quantidade) + " " +
                                                               r.VlrProduto.to_string() + " " + r.Margem.to_string();
                                                    });
    };
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(Entries().empty());

    ui->Press(ui->ByText(f, "&O.K."));
    EXPECT_FALSE(ui->HasMessageBox()) << ui->PendingMessageBox().text;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"4711  15/03/2016 00000000000123 7 SP 10 1102 72.000 24.00 18.000 4.32 "}));
    EXPECT_EQ(lines(), (std::vector<std::string>{"E 6x2 0.00 0.000000", "E 12x5 20.00 1.200000"}));

    // Opened again, the item shows its invoice's lines with counting on.
    ui->Press(ui->ByText(f, "&Cancela"));
    const int b = ui->WindowByCaption(kBrowse);
    ui->PickRow(ui->Control(b, 9), 1);
    ui->Press(ui->ByText(b, "&Altera"));
    const int c = ui->WindowByCaption("Altera Lançamento");
    EXPECT_EQ(ui->Rows(ui->Control(c, kLinhas)).size(), 2u);
    EXPECT_TRUE(ui->Enabled(ui->ByPrompt(c, "Unitário")));
    constexpr int kTotal = 59;  // the invoice's total base, at the foot
    EXPECT_EQ(ui->Text(ui->Control(c, kTotal)), "TOTAL BASE DE CÁLCULO ICMS ST NF Nº 4711 (           24,00 )");
    ui->Press(ui->ByText(c, "&Cancela"));
}

}  // namespace
}  // namespace vorel::movements::testing
