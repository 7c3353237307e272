// AtualizaAliquotaProduto: the rate history of a product through a sequence of movements (first
// row, same month, a new month, a change of rate, a new year), the product found by its user code,
// nothing written for a product that does not exist, and codes that stay unique when threads add
// rows at the same time.
#include "company_fixture.h"

#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/shell/produto_aliquota.h"
#include "vorel/dictionary/key_names.h"

namespace vorel::registers::testing {
namespace {

using shell::AtualizaAliquotaProduto;

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

struct ProductRateTest : CompanyFixture {
    void SetUp() override {
        CompanyFixture::SetUp();
        Seed<ProdutosRec>(dictionary::Produtos(), 3, [](ProdutosRec& r, int i) {
            r.Codigo = Decimal(i + 1);       // products 1, 2, 3
            r.Apelido = i == 2 ? "123" : "";  // product 3 has the user code 123
            r.Produtos = "Produto " + std::to_string(i + 1);
            r.TipoReceita = 1;
        });
    }
    // Runs on a thread of its own with the table dictionary, as a procedure would.
    void OnThread(const std::function<void()>& fn) {
        std::thread([&] {
            data::dictionary::init(dictionary::table_descs());
            fn();
            data::dictionary::teardown();
        }).join();
    }
    void Movement(int product, date::Day day, const char* rate) {
        OnThread([&] { EXPECT_TRUE(AtualizaAliquotaProduto(Decimal(product), day, Decimal::from_string(rate)).ok()); });
    }
    // "product/code rate first..last changed" per row, in code order.
    std::vector<std::string> Rows() {
        auto d = [](date::Day x) {
            if (x == 0) return std::string("open");
            char b[16];
            std::snprintf(b, sizeof b, "%02d/%02d/%04d", date::day(x), date::month(x), date::year(x));
            return std::string(b);
        };
        return Read<ProdutosAliqRec>(dictionary::ProdutosAliq(), dictionary::keys::PALIQ_Key_Codigo, [&](const ProdutosAliqRec& r) {
            return r.CODIGO_PRODUTO.to_string() + "/" + r.CODIGO.to_string() + " " + r.ALIQUOTA.to_string() + " " +
                   d(r.DATA_INICIAL) + ".." + d(r.DATA_FINAL) + " " + d(r.DATA_ALTERACAO);
        });
    }
};

TEST_F(ProductRateTest, SequenceOfMovementsKeepsOneOpenPeriodPerRateAndMonth) {
    using V = std::vector<std::string>;
    Movement(1, date::make(2016, 3, 15), "18");  // first row of an empty file: code 1
    EXPECT_EQ(Rows(), (V{"1/1 18.000 01/03/2016..open 15/03/2016"}));

    Movement(1, date::make(2016, 3, 20), "18");  // same rate, same month: the change date rises
    Movement(1, date::make(2016, 3, 10), "18");  // an earlier day leaves it
    EXPECT_EQ(Rows(), (V{"1/1 18.000 01/03/2016..open 20/03/2016"}));

    Movement(1, date::make(2016, 4, 5), "18");  // a new month: March closes, April opens
    EXPECT_EQ(Rows(), (V{"1/1 18.000 01/03/2016..31/03/2016 20/03/2016", "1/2 18.000 01/04/2016..open 05/04/2016"}));

    Movement(1, date::make(2016, 4, 6), "12");  // a change of rate in the month closes April's row before it begins
    EXPECT_EQ(Rows(), (V{"1/1 18.000 01/03/2016..31/03/2016 20/03/2016", "1/2 18.000 01/04/2016..31/03/2016 05/04/2016",
                         "1/3 12.000 01/04/2016..open 06/04/2016"}));

    Movement(1, date::make(2016, 4, 30), "18");  // April's row of 18 exists: only its change date moves
    EXPECT_EQ(Rows()[1], "1/2 18.000 01/04/2016..31/03/2016 30/04/2016");

    Movement(1, date::make(2017, 1, 10), "12");  // a new year closes the open rows on 31 December
    EXPECT_EQ(Rows(), (V{"1/1 18.000 01/03/2016..31/03/2016 20/03/2016", "1/2 18.000 01/04/2016..31/03/2016 30/04/2016",
                         "1/3 12.000 01/04/2016..31/12/2016 06/04/2016", "1/4 12.000 01/01/2017..open 10/01/2017"}));

    // Codes run over the whole file, not per product.
    Movement(2, date::make(2016, 5, 2), "7");
    EXPECT_EQ(Rows().back(), "2/5 7.000 01/05/2016..open 02/05/2016");
}

TEST_F(ProductRateTest, UserCodeFindsTheProductAndAnUnknownProductWritesNothing) {
    Movement(123, date::make(2016, 3, 1), "17");  // no product 123: the product whose user code is 123
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3/1 17.000 01/03/2016..open 01/03/2016"}));

    Movement(99, date::make(2016, 3, 1), "17");
    Movement(0, date::make(2016, 3, 1), "17");
    EXPECT_EQ(Rows().size(), 1u);  // no rows under product 0 or any other

    // The product found is left in the thread's product buffer, the row in the rate buffer.
    OnThread([] {
        EXPECT_TRUE(AtualizaAliquotaProduto(Decimal(2), date::make(2016, 6, 9), Decimal::from_string("4.5")).ok());
        EXPECT_EQ(data::dictionary::file(dictionary::Produtos()).rec<ProdutosRec>().Produtos, "Produto 2");
        const auto& a = data::dictionary::file(dictionary::ProdutosAliq()).rec<ProdutosAliqRec>();
        EXPECT_EQ(static_cast<const Decimal&>(a.CODIGO), Decimal(2));
        EXPECT_FALSE(data::dictionary::file(dictionary::ProdutosAliq()).is_open());
    });
}

TEST_F(ProductRateTest, ThreadsAddingAtOnceNeverShareACode) {
    constexpr int kPerThread = 12;
    std::vector<std::thread> threads;
    for (int product = 1; product <= 3; ++product)
        threads.emplace_back([product] {
            data::dictionary::init(dictionary::table_descs());
            for (int m = 0; m < kPerThread; ++m)
                EXPECT_TRUE(
                    AtualizaAliquotaProduto(Decimal(product), date::make(2016 + m / 12, m % 12 + 1, 3), Decimal(product)).ok());
            data::dictionary::teardown();
        });
    for (auto& t : threads) t.join();
    std::vector<std::string> rows = Rows();
    ASSERT_EQ(rows.size(), 3u * kPerThread);
    // Read in code order, the codes run 1..36 without a gap or a repeat.
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].substr(rows[i].find('/') + 1, rows[i].find(' ') - rows[i].find('/') - 1), std::to_string(i + 1));
}

}  // namespace
}  // namespace vorel::registers::testing
