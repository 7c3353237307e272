// Vehicle entries and exits driven headless: a vehicle typed in the entry form takes the supplier's
// state, the product found by the user's code with its rate (a rate typed by hand is replaced at OK)
// and a date moved into the working month, and the next vehicle starts from the carried values; the
// CFOP numbering of the working year; the exit form's buyer "0" with a state chosen by hand, a
// registered customer locking the state, the invoice number carried; the browse lists the working
// month only; an exit's chassis finds its entry.
#include "movement_fixture.h"

#include "vorel/core/settings_file.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements::testing {
namespace {

using dictionary::CFORec;
using dictionary::EntradaVeiculoRec;
using dictionary::EstadosRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;
using dictionary::SaidaVeiculoRec;

constexpr const char* kEntradas = "Lançamento de Entrada de Veículos";
constexpr const char* kSaidas = "Janela de Lançamentos de Saídas";
constexpr const char* kNovaEntrada = "Inclui Novo Lançamento";
constexpr const char* kNovaSaida = "Inclui Lançamento de Saída";
constexpr const char* kCfoFora = "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!";
constexpr int kList = 5;

struct VehicleTest : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        Seed<EstadosRec>(dictionary::Estados(), 2, [](EstadosRec& r, int i) {
            r.UF = i == 0 ? "MG" : "SP";
            r.DESC = i == 0 ? "Minas Gerais" : "Sao Paulo";
        });
        Seed<ForCliRec>(dictionary::ForCli(), 1, [](ForCliRec& r, int) {
            r.Codigo = 7;
            r.CGC = "11222333000181";
            r.Nome = "Montadora Alfa";
            r.InscricaoEstadual = "110042490114";
            r.Estado = "SP";
        });
        Seed<ProdutosRec>(dictionary::Produtos(), 1, [](ProdutosRec& r, int) {
            r.Codigo = 501;
            r.Apelido = "77";
            r.Produtos = "Automovel sedan";
            r.Alicota = *Decimal::parse("12.345");
        });
        Seed<CFORec>(dictionary::CFO(), 3, [](CFORec& r, int i) {
            r.ESTADO = "SP";
            r.CODIGO = static_cast<std::int16_t>(i == 0 ? 1102 : i == 1 ? 5102 : 102);
        });
    }
    void TypeAndLeave(int f, const char* prompt, const std::string& text) {
        ui->Type(ui->ByPrompt(f, prompt), text);
        ui->Key(f, ui::key::Tab);
        ui->WaitIdle();
    }
    std::string Shown(int f, const char* prompt) { return ui->Value(ui->ByPrompt(f, prompt)); }
    int OpenInsert(const char* browse, const char* procedure, const char* caption) {
        if (!ui->HasWindow(browse)) ui->Start(procedure);
        ui->Press(ui->ByText(ui->WindowByCaption(browse), "&Inclui Lançamento"));
        return ui->WindowByCaption(caption);
    }
    // The fields every vehicle needs, typed in window order.
    void TypeVehicle(int f, const char* chassi, const char* cfo) {
        TypeAndLeave(f, "05 Série", "1");
        TypeAndLeave(f, "06 Número", "4321");
        TypeAndLeave(f, "08 Quantidade", "1");
        TypeAndLeave(f, "09 Código  Produto", "77");
        TypeAndLeave(f, "11 Chassi", chassi);
        TypeAndLeave(f, "12 C.F.O.", cfo);
        TypeAndLeave(f, "13 Compl.", "0");
    }
    std::vector<std::string> Entradas() {
        return Read<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), dictionary::keys::ENV_KEY_NUMERO, [](const EntradaVeiculoRec& r) {
            return std::string(r.CNPJforcli.clipped()) + " " + std::string(r.Estado.clipped()) + " " +
                   std::string(r.Chassi.clipped()) + " " + ui::FormatNumber("@d06b", r.DataEntrada) + " " +
                   std::to_string(r.Numero) + " " + r.CodProduto.to_string() + " " + r.Aliquota.to_string() + " " +
                   r.BaseCalcRetencao.to_string() + " " + r.BasepropSubstituid.to_string();
        });
    }
};

TEST_F(VehicleTest, EntryTakesSupplierProductAndMonthAndTheNextVehicleStartsFromTheCarriedValues) {
    int f = OpenInsert(kEntradas, "EntradaVeiculo", kNovaEntrada);
    TypeAndLeave(f, "01 C.N.P.J.", "11.222.333/0001-81");
    EXPECT_EQ(Shown(f, "03 UF"), "SP");
    EXPECT_EQ(Shown(f, "02 Fornecedor"), "Montadora Alfa");
    settings::SettingsFile ini("Vorel.ini");
    EXPECT_EQ(ini.read_text("Temp", "CNPJ"), "11222333000181");
    EXPECT_EQ(ini.read_number("Temp", "Local", -1), 4);

    TypeAndLeave(f, "07 Data", "15/05/2015");  // outside March 2016: moved into it
    ASSERT_TRUE(ui->HasMessageBox());
    EXPECT_EQ(ui->PendingMessageBox().title, "Mes/Ano inválidos");
    ui->Answer(1);
    EXPECT_EQ(Shown(f, "07 Data"), "15/03/2016");
    TypeVehicle(f, "9BWZZZ377VT004251", "1102");
    // The user's code 77 is product 501, whose rate the rate field takes.
    EXPECT_EQ(Shown(f, "09 Código  Produto"), "501");
    EXPECT_EQ(Shown(f, "10 Descrição"), "Automovel sedan");
    EXPECT_EQ(Shown(f, "15 Alíquota"), "12,345");
    TypeAndLeave(f, "16 Base Retenção", "30000,00");
    TypeAndLeave(f, "17 Base Substituto", "25000,00");
    ui->Press(ui->ByText(f, "&OK"));
    ASSERT_FALSE(ui->HasMessageBox());

    // The form stays open on the next vehicle: the carried values, the rate with two places.
    ASSERT_TRUE(ui->HasWindow(kNovaEntrada));
    EXPECT_EQ(Shown(f, "01 C.N.P.J."), "11.222.333/0001-81");
    EXPECT_EQ(Shown(f, "05 Série"), "1");
    EXPECT_EQ(Shown(f, "07 Data"), "15/03/2016");
    EXPECT_EQ(Shown(f, "08 Quantidade"), "1,000");
    EXPECT_EQ(Shown(f, "12 C.F.O."), "1102");
    EXPECT_EQ(Shown(f, "13 Compl."), "0");
    EXPECT_EQ(Shown(f, "15 Alíquota"), "12,350");
    EXPECT_EQ(Shown(f, "06 Número"), "0");
    EXPECT_EQ(Shown(f, "09 Código  Produto"), "0");
    EXPECT_EQ(Shown(f, "11 Chassi"), "");
    EXPECT_EQ(Shown(f, "16 Base Retenção"), "0,00");

    // A rate typed by hand gives way to the product's at OK.
    TypeVehicle(f, "9BWZZZ377VT009999", "1102");
    TypeAndLeave(f, "15 Alíquota", "17");
    ui->Press(ui->ByText(f, "&OK"));
    // Leaving the CNPJ for the cancel button looks the supplier up again, which fills the state: a
    // change, so cancel asks.
    ui->Press(ui->ByText(f, "&Cancela"));
    ui->Answer("&Sim");
    EXPECT_FALSE(ui->HasWindow(kNovaEntrada));
    EXPECT_EQ(ini.read_number("Temp", "Local", -1), 0);
    EXPECT_EQ(Entradas(), (std::vector<std::string>{
                              "11222333000181 SP 9BWZZZ377VT004251 15/03/2016 4321 501 12.345 30000.00 25000.00",
                              "11222333000181 SP 9BWZZZ377VT009999 15/03/2016 4321 501 12.345 0.00 0.00"}));
    EXPECT_EQ(ui->Rows(ui->Control(ui->WindowByCaption(kEntradas), kList)).size(), 2u);
}

TEST_F(VehicleTest, CfopNumberingFollowsTheWorkingYear) {
    struct Case {
        int ano;
        const char* cfo;
        bool refused;
    };
    for (const Case& c : {Case{2016, "102", true}, {2002, "1102", true}, {2002, "102", false}, {2003, "1102", false}}) {
        SCOPED_TRACE(std::to_string(c.ano) + " " + c.cfo);
        shell::GLO_ANO.Set(c.ano);
        int f = OpenInsert(kEntradas, "EntradaVeiculo", kNovaEntrada);
        TypeAndLeave(f, "01 C.N.P.J.", "11222333000181");
        TypeAndLeave(f, "07 Data", std::string("10/03/") + std::to_string(c.ano));
        TypeVehicle(f, (std::string("CHASSI-") + c.cfo + "-" + std::to_string(c.ano)).c_str(), c.cfo);
        const std::size_t before = Entradas().size();
        ui->Press(ui->ByText(f, "&OK"));
        if (c.refused) {
            ASSERT_TRUE(ui->HasMessageBox());
            EXPECT_EQ(ui->PendingMessageBox().text, kCfoFora);
            ui->Answer(1);
            EXPECT_EQ(ui->Focus(f), ui->ByPrompt(f, "12 C.F.O.").feq);
            EXPECT_EQ(Entradas().size(), before);
            // Changed fields: cancel asks, No stays, Yes leaves.
            ui->Press(ui->ByText(f, "&Cancela"));
            ASSERT_TRUE(ui->HasMessageBox());
            EXPECT_EQ(ui->PendingMessageBox().title, "As alterações serão perdidas!");
            ui->Answer("&Não");
            EXPECT_TRUE(ui->HasWindow(kNovaEntrada));
        } else {
            EXPECT_FALSE(ui->HasMessageBox());
            EXPECT_EQ(Entradas().size(), before + 1);
        }
        ui->Press(ui->ByText(f, "&Cancela"));
        if (ui->HasMessageBox()) ui->Answer("&Sim");
        ASSERT_FALSE(ui->HasWindow(kNovaEntrada));
    }
}

TEST_F(VehicleTest, ExitBuyerZeroTakesTheStateByHandAndACustomerLocksItTheNumberIsCarried) {
    int f = OpenInsert(kSaidas, "SaidaVeiculo", kNovaSaida);
    auto uf = ui->ByPrompt(f, "03 UF");
    TypeAndLeave(f, "01 C.N.P.J.", "11222333000181");
    EXPECT_EQ(ui->Value(uf), "SP");
    EXPECT_FALSE(ui->Enabled(uf));
    EXPECT_EQ(Shown(f, "02 Cliente"), "Montadora Alfa");

    TypeAndLeave(f, "01 C.N.P.J.", "0");
    EXPECT_TRUE(ui->Enabled(uf));
    EXPECT_EQ(ui->Focus(f), uf.feq);
    EXPECT_EQ(Shown(f, "02 Cliente"), "");
    TypeAndLeave(f, "03 UF", "MG");
    TypeAndLeave(f, "07 Data", "20/03/2016");
    TypeVehicle(f, "9bwzzz377vt004251", "5102");
    TypeAndLeave(f, "16 Base Saída", "41000,00");
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_FALSE(ui->HasMessageBox());
    EXPECT_EQ(Shown(f, "06 Número"), "4321");  // the exit form repeats the invoice number
    EXPECT_EQ(Shown(f, "11 Chassi"), "");
    ui->Type(ui->ByPrompt(f, "11 Chassi"), "TYPED");
    ui->Press(ui->ByText(f, "&Cancela"));  // leaves at once, changes or not
    EXPECT_FALSE(ui->HasWindow(kNovaSaida));

    auto saidas = Read<SaidaVeiculoRec>(dictionary::SaidaVeiculo(), dictionary::keys::SAV_KEY_NUMERO, [](const SaidaVeiculoRec& r) {
        return std::string(r.CNPJforcli.clipped()) + " " + std::string(r.Estado.clipped()) + " " +
               r.BaseSaidaConsFinal.to_string() + " " + r.BaeSaidaComercial.to_string();
    });
    EXPECT_EQ(saidas, (std::vector<std::string>{"0 MG 41000.00 0.00"}));
}

TEST_F(VehicleTest, AnUnknownCustomerLeftUnchosenDoesNotReopenTheLookUp) {
    int f = OpenInsert(kSaidas, "SaidaVeiculo", kNovaSaida);
    TypeAndLeave(f, "01 C.N.P.J.", "99");
    const char* kFornecedores = "Janela de Fornecedores e Clientes Cadastrados";
    ui->Press(ui->ByText(ui->WindowByCaption(kFornecedores), "&Fecha"));
    EXPECT_FALSE(ui->HasWindow(kFornecedores));
    EXPECT_EQ(Shown(f, "01 C.N.P.J."), "99");
    EXPECT_TRUE(ui->HasWindow(kNovaSaida));
}

TEST_F(VehicleTest, TheBrowseListsTheWorkingMonthAndAnExitFindsItsEntryByChassis) {
    auto vehicle = [](std::int32_t day, const char* chassi) {
        return [=](EntradaVeiculoRec& r, int) {
            r.DataEntrada = day;
            r.Chassi = chassi;
            r.CNPJforcli = "11222333000181";
        };
    };
    Seed<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), 1, vehicle(date::make(2016, 2, 29), "FEVEREIRO"));
    Seed<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), 1, vehicle(date::make(2016, 3, 1), "9BWZZZ377VT004251"));
    Seed<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), 1, vehicle(date::make(2016, 3, 31), "MARCO-FIM"));
    Seed<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), 1, vehicle(date::make(2016, 4, 1), "ABRIL"));
    ui->Start("EntradaVeiculo");
    Rows rows = ui->Rows(ui->Control(ui->WindowByCaption(kEntradas), kList));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], "9BWZZZ377VT004251");
    EXPECT_EQ(rows[0][1], "01/03/2016");
    EXPECT_EQ(rows[1][0], "MARCO-FIM");

    // The sale of that vehicle, typed in lower case, reaches its entry by the chassis key.
    int f = OpenInsert(kSaidas, "SaidaVeiculo", kNovaSaida);
    TypeAndLeave(f, "01 C.N.P.J.", "0");
    TypeAndLeave(f, "07 Data", "20/03/2016");
    TypeVehicle(f, "9bwzzz377vt004251", "5102");
    ui->Press(ui->ByText(f, "&O.K."));
    ASSERT_FALSE(ui->HasMessageBox());
    std::string found;
    std::thread([&] {
        data::FileManager sai(dictionary::SaidaVeiculo()), ent(dictionary::EntradaVeiculo());
        ASSERT_EQ(sai.open(), vorel::data::kNoError);
        ASSERT_EQ(ent.open(), vorel::data::kNoError);
        ASSERT_EQ(sai.set(dictionary::keys::SAV_KEY_CHASSI), vorel::data::kNoError);
        ASSERT_EQ(sai.next(), vorel::data::kNoError);
        ent.clear_record();
        ent.rec<EntradaVeiculoRec>().Chassi = sai.rec<SaidaVeiculoRec>().Chassi;
        if (ent.get(dictionary::keys::ENV_KEY_CHASSI).ok())
            found = ui::FormatNumber("@d06b", ent.rec<EntradaVeiculoRec>().DataEntrada);
        (void)sai.close();
        (void)ent.close();
    }).join();
    EXPECT_EQ(found, "01/03/2016");
}

TEST_F(VehicleTest, ChangeShowsPartnerAndProductAndDeleteAsksNothingMore) {
    Seed<SaidaVeiculoRec>(dictionary::SaidaVeiculo(), 1, [](SaidaVeiculoRec& r, int) {
        r.DataSaida = date::make(2016, 3, 5);
        r.Chassi = "9BWZZZ377VT004251";
        r.CNPJforcli = "11222333000181";
        r.Estado = "SP";
        r.CodProduto = 501;
    });
    ui->Start("SaidaVeiculo");
    int b = ui->WindowByCaption(kSaidas);
    ui->PickRow(ui->Control(b, kList), 1);
    ui->Press(ui->ByText(b, "&Altera Lançamento"));
    int f = ui->WindowByCaption("Altera Lançamentos de Saída");
    EXPECT_EQ(Shown(f, "02 Cliente"), "Montadora Alfa");
    EXPECT_EQ(Shown(f, "04 Inscrição. Est"), "110042490114");
    EXPECT_EQ(Shown(f, "10 Descrição"), "Automovel sedan");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "03 UF")));  // a registered customer's state
    EXPECT_EQ(ui->Text(ui->ByText(f, "&Grava")), "&Grava");
    ui->Press(ui->ByText(f, "&Cancela"));

    ui->Press(ui->ByText(b, "&Exclui Lançamento"));
    f = ui->WindowByCaption("Exclui Lançamento de Saída");
    EXPECT_FALSE(ui->Enabled(ui->ByPrompt(f, "11 Chassi")));
    EXPECT_TRUE(ui->State(ui->ByPrompt(f, "08 Quantidade")).readOnly);
    ui->Press(ui->ByText(f, "&Exclui"));
    EXPECT_FALSE(ui->HasMessageBox());
    EXPECT_FALSE(ui->HasWindow("Exclui Lançamento de Saída"));
    EXPECT_TRUE(ui->Rows(ui->Control(b, kList)).empty());
}

}  // namespace
}  // namespace vorel::movements::testing
