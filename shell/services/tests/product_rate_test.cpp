// The rate of a product on a date, across its rate history, with the product's own rate behind.
#include <gtest/gtest.h>

#include <thread>

#include "table_fixture.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/product_rate.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::shell {
namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

Decimal D(const char* s) { return Decimal::from_string(s); }
date::Day Dia(int a, int m, int d) { return date::make(a, m, d); }

class ProductRate : public shell_test::TableTest {
protected:
    void SetUp() override {
        TableTest::SetUp();
        Point(dictionary::CaminhoProdutos, "Produtos.Tps");
        Point(dictionary::CaminhoProdutosAliq, "ProdAliq.Tps");
        Produto(10, "", "17");
        Produto(20, "3030", "12");
        // Product 10: 18% in 2015, then 25% (first day 1 Jan 2016, open), and a later 0% row.
        Linha(10, 1, "18", Dia(2015, 1, 1), Dia(2015, 12, 31), Dia(2014, 12, 20));
        Linha(10, 2, "25", Dia(2016, 1, 1), 0, Dia(2015, 12, 15));
        Linha(10, 3, "0", Dia(2017, 1, 1), Dia(2017, 6, 30), Dia(2016, 12, 1));
        // Product 11 has only history; the row after it is another product's.
        Linha(11, 4, "7", Dia(2016, 1, 1), Dia(2016, 1, 31), Dia(2016, 1, 2));
    }
    void Produto(int codigo, const char* apelido, const char* aliquota) {
        auto& f = data::dictionary::file(dictionary::Produtos());
        ASSERT_EQ(f.open(), data::kNoError);
        f.clear_record();
        auto& r = f.rec<ProdutosRec>();
        r.Codigo = codigo;
        r.Apelido = apelido;
        r.Alicota = D(aliquota);
        ASSERT_EQ(f.add(), data::kNoError);
        (void)f.close();
    }
    void Linha(int produto, int codigo, const char* aliquota, date::Day inicial, date::Day final, date::Day alteracao) {
        auto& f = data::dictionary::file(dictionary::ProdutosAliq());
        ASSERT_EQ(f.open(), data::kNoError);
        f.clear_record();
        auto& r = f.rec<ProdutosAliqRec>();
        r.CODIGO_PRODUTO = produto;
        r.CODIGO = codigo;
        r.ALIQUOTA = D(aliquota);
        r.DATA_INICIAL = inicial;
        r.DATA_FINAL = final;
        r.DATA_ALTERACAO = alteracao;
        ASSERT_EQ(f.add(), data::kNoError);
        (void)f.close();
    }
};

TEST_F(ProductRate, RateOnADateAcrossTheHistory) {
    struct Caso {
        int produto;
        date::Day dia;
        const char* aliquota;
        date::Day devolvida;  // the date handed back with the flag 1
    } casos[] = {
        {10, Dia(2014, 6, 1), "17", Dia(2014, 6, 1)},       // before the first row: the product's own
        {10, Dia(2015, 1, 1), "18", Dia(2014, 12, 20)},     // first day of a closed row
        {10, Dia(2015, 12, 31), "18", Dia(2014, 12, 20)},   // its last day
        {10, Dia(2016, 7, 9), "25", Dia(2015, 12, 15)},     // inside the open row
        {10, Dia(2020, 1, 1), "25", Dia(2015, 12, 15)},     // the open row has no end
        {10, Dia(2017, 3, 1), "25", Dia(2015, 12, 15)},     // the open row comes first in key order
        {11, Dia(2016, 1, 15), "7", Dia(2016, 1, 2)},
        {11, Dia(2016, 2, 1), "0", Dia(2016, 2, 1)},        // no row, no product: 0
        {20, Dia(2016, 2, 1), "12", Dia(2016, 2, 1)},       // no history: the product's own
        {3030, Dia(2016, 2, 1), "12", Dia(2016, 2, 1)},     // found by its nickname
        {99, Dia(2016, 2, 1), "0", Dia(2016, 2, 1)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::to_string(c.produto) + " " + std::to_string(c.dia));
        date::Day dia = c.dia;
        EXPECT_EQ(AliquotaProdutoData(c.produto, dia, 0, 0), D(c.aliquota));
        EXPECT_EQ(dia, c.dia);  // flag 0: the date stays
        EXPECT_EQ(AliquotaProdutoData(c.produto, dia, 1, 0), D(c.aliquota));
        EXPECT_EQ(dia, c.devolvida);
    }
}

TEST_F(ProductRate, ARowOfRateZeroFallsBackButHandsBackItsDate) {
    // Product 30 has a 0% row that covers the day, and its own rate 4.
    Produto(30, "", "4");
    Linha(30, 5, "0", Dia(2016, 1, 1), 0, Dia(2015, 11, 11));
    date::Day dia = Dia(2016, 5, 5);
    EXPECT_EQ(AliquotaProdutoData(30, dia, 1, 0), D("4"));
    EXPECT_EQ(dia, Dia(2015, 11, 11));
}

TEST_F(ProductRate, OfficeChoiceOrNoDateUsesTheProductsOwnRate) {
    date::Day dia = Dia(2016, 7, 9);
    EXPECT_EQ(AliquotaProdutoData(10, dia, 1, 1), D("17"));
    EXPECT_EQ(dia, Dia(2016, 7, 9));
    dia = 0;
    EXPECT_EQ(AliquotaProdutoData(10, dia, 1, 0), D("17"));
    EXPECT_EQ(dia, 0);
}

TEST_F(ProductRate, LeavesTheCallersCursorsAlone) {
    // The caller reads the history and the products itself meanwhile.
    auto& hist = data::dictionary::file(dictionary::ProdutosAliq());
    auto& pro = data::dictionary::file(dictionary::Produtos());
    ASSERT_EQ(hist.open(), data::kNoError);
    ASSERT_EQ(pro.open(), data::kNoError);
    (void)hist.set(dictionary::keys::PALIQ_Key_Codigo);
    ASSERT_EQ(hist.next(), data::kNoError);
    pro.clear_record();
    pro.rec<ProdutosRec>().Codigo = 20;
    ASSERT_EQ(pro.get(dictionary::keys::PRO_KEY_CODIGO), data::kNoError);
    date::Day dia = Dia(2016, 7, 9);
    EXPECT_EQ(AliquotaProdutoData(11, dia, 0, 0), D("0"));  // reads product 11's rows and Produtos0
    EXPECT_EQ(pro.rec<ProdutosRec>().Codigo.value(), 20);   // the caller's Produtos buffer is intact
    EXPECT_TRUE(hist.is_open());
    EXPECT_TRUE(pro.is_open());
    (void)hist.close();
    (void)pro.close();
    // Another thread with its own dictionary asks at the same time.
    Decimal outra;
    std::thread t([&] {
        data::dictionary::init(dictionary::table_descs());
        date::Day d = Dia(2015, 6, 1);
        outra = AliquotaProdutoData(10, d, 0, 0);
        data::dictionary::teardown();
    });
    t.join();
    EXPECT_EQ(outra, D("18"));
}

}  // namespace
}  // namespace vorel::shell
