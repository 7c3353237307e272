// The registers an item's write keeps up: the one rate-history rule of every movement that carries
// a rate, and the two batch rules (any type, or per type).
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "data_root.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/shell/globals.h"

namespace vorel::fiscal {
namespace {

using dictionary::LoteVorelRec;
using dictionary::ProdutosAliqRec;
namespace keys = dictionary::keys;

date::Day Dia(int d, int m) { return date::make(2016, m, d); }
Decimal D(const char* s) { return Decimal::from_string(s); }

struct Item : ::testing::Test, testing::DataRoot {
    void SetUp() override {
        CreateDataRoot("vorel-fiscal");
        SetWorkingCompany();  // the products and their rates lie in the company's folders
        data::dictionary::init(dictionary::table_descs());
        shell::GLO_USAALIQPRODUTO.Set(0);
    }
    void TearDown() override {
        data::dictionary::teardown();
        RemoveDataRoot();
    }
    data::FileManager& Aberta(const data::TableDesc& t) {
        data::FileManager& f = data::dictionary::file(t);
        EXPECT_EQ(f.open(), data::kNoError);
        return f;
    }
    void Produto(int codigo) {
        data::FileManager& f = Aberta(dictionary::Produtos());
        f.clear_record();
        f.rec<dictionary::ProdutosRec>().Codigo = codigo;
        ASSERT_EQ(f.add(), data::kNoError);
        (void)f.close();
    }
    // (rate, first day, last day, change date) of the product's history rows, in the order of
    // their codes.
    using Linha = std::tuple<std::string, date::Day, date::Day, date::Day>;
    std::vector<Linha> Historico(int produto) {
        data::FileManager& f = Aberta(dictionary::ProdutosAliq());
        std::vector<Linha> out;
        auto& r = f.rec<ProdutosAliqRec>();
        f.clear_record();
        if (f.set(keys::PALIQ_Key_Codigo).ok())
            while (f.next().ok())
                if (r.CODIGO_PRODUTO.value() == Decimal(produto))
                    out.emplace_back(r.ALIQUOTA.value().to_fixed(3), r.DATA_INICIAL, r.DATA_FINAL, r.DATA_ALTERACAO);
        (void)f.close();
        return out;
    }
};

// Each product holds 18% from 1 March 2016 (open), confirmed on 15 March; an item of the product
// then comes with a date and a rate. The entry form used to record a same rate confirmed later,
// the imports only a different rate: the rows of "later in the month" and "in a later month" are
// where the two differed. Both now follow the one rule.
TEST_F(Item, OneRateHistoryRuleForEveryMovement) {
    struct Caso {
        const char* nome;
        date::Day data;
        const char* aliquota;
        std::vector<Linha> historico;
    } casos[] = {
        {"same rate later in the month raises the change date", Dia(20, 3), "18",
         {{"18.000", Dia(1, 3), 0, Dia(20, 3)}}},
        {"same rate in a later month starts that month's period", Dia(5, 4), "18",
         {{"18.000", Dia(1, 3), Dia(31, 3), Dia(15, 3)}, {"18.000", Dia(1, 4), 0, Dia(5, 4)}}},
        {"same rate earlier than the change date changes nothing", Dia(10, 3), "18",
         {{"18.000", Dia(1, 3), 0, Dia(15, 3)}}},
        {"another rate closes the open row and opens its own", Dia(20, 3), "12",
         {{"18.000", Dia(1, 3), Dia(29, 2), Dia(15, 3)}, {"12.000", Dia(1, 3), 0, Dia(20, 3)}}},
        {"an item without a rate changes nothing", Dia(20, 3), "0", {{"18.000", Dia(1, 3), 0, Dia(15, 3)}}},
    };
    const int casosN = static_cast<int>(std::size(casos));
    for (int i = 0; i < casosN; ++i) {
        Produto(10 + i);
        data::FileManager& f = Aberta(dictionary::ProdutosAliq());
        auto& r = f.rec<ProdutosAliqRec>();
        f.clear_record();
        r.CODIGO_PRODUTO = 10 + i;
        r.CODIGO = 1 + i;
        r.ALIQUOTA = D("18");
        r.DATA_INICIAL = Dia(1, 3);
        r.DATA_ALTERACAO = Dia(15, 3);
        ASSERT_EQ(f.add(), data::kNoError);
        (void)f.close();
    }
    for (int i = 0; i < casosN; ++i) {
        const Caso& c = casos[i];
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(AtualizaHistoricoAliquota(Decimal(10 + i), c.data, D(c.aliquota)), data::kNoError);
        EXPECT_EQ(Historico(10 + i), c.historico);
    }
}

// A batch of an entry is added unless the product has it of any type; the opening-balance form's
// batch unless the product has it of that type.
TEST_F(Item, BatchAddedUnlessTheProductHasItOfAnyTypeOrOfThatType) {
    data::FileManager& lotes = Aberta(dictionary::LoteVorel());
    ASSERT_EQ(RegistraLote(lotes, "L1", Decimal(10), kLoteAtual), data::kNoError);
    ASSERT_EQ(RegistraLote(lotes, "L1", Decimal(10), kLoteAnterior), data::kNoError);  // of any type: there
    ASSERT_EQ(RegistraLoteDoTipo(lotes, "L1", Decimal(10), kLoteAtual), data::kNoError);  // of that type: there
    ASSERT_EQ(RegistraLoteDoTipo(lotes, "L1", Decimal(10), kLoteAnterior), data::kNoError);  // added
    ASSERT_EQ(RegistraLote(lotes, "", Decimal(11), kLoteAtual), data::kNoError);  // a blank batch too
    std::vector<std::tuple<std::string, int, int>> lidos;
    auto& l = lotes.rec<LoteVorelRec>();
    lotes.clear_record();
    ASSERT_TRUE(lotes.set(keys::LTC_KEY_PRODLOTE).ok());
    while (lotes.next().ok())
        lidos.emplace_back(std::string(l.LOTE.clipped()), std::stoi(l.CODPRODUTO.value().to_fixed(0)), l.TIPO);
    (void)lotes.close();
    const std::vector<std::tuple<std::string, int, int>> esperados = {{"L1", 10, 0}, {"L1", 10, 1}, {"", 11, 1}};
    EXPECT_EQ(lidos, esperados);
}

}  // namespace
}  // namespace vorel::fiscal
