#include <gtest/gtest.h>

#include <vector>

#include "test_tables.h"
#include "vorel/data/view.h"

namespace vorel::data::testing {
namespace {

class ViewTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        ASSERT_EQ(fm.open(), kNoError);
        // group, date: A 10,20,30; B 10,20; C 5
        const struct {
            const char* g;
            int d;
        } rows[] = {{"B", 20}, {"A", 10}, {"C", 5}, {"A", 30}, {"B", 10}, {"A", 20}};
        std::uint32_t code = 0;
        for (auto& r : rows) {
            fm.clear_record();
            auto& rec = fm.rec<ItemRec>();
            rec.Codigo = ++code;
            rec.Nome = "n" + std::to_string(code);
            rec.Grupo = r.g;
            rec.Data = r.d;
            ASSERT_EQ(fm.add(), kNoError);
        }
    }
    std::vector<std::pair<std::string, int>> read(View& v, int dir = 1) {
        std::vector<std::pair<std::string, int>> out;
        EXPECT_EQ(v.open(), kNoError);
        while ((dir > 0 ? v.next() : v.previous()) == kNoError)
            out.emplace_back(std::string(fm.rec<ItemRec>().Grupo.clipped()), fm.rec<ItemRec>().Data);
        return out;
    }
    FileManager fm{Itens()};
};

using Rows = std::vector<std::pair<std::string, int>>;

TEST_F(ViewTest, RangeOnLeadingComponentsBothWaysWithDescendingDates) {
    View v(fm, data::KeyName{"ITE:KEY:GRUPODATA"});
    fm.clear_record();
    fm.rec<ItemRec>().Grupo = "a";
    v.range_equal(1);
    EXPECT_EQ(read(v), (Rows{{"A", 30}, {"A", 20}, {"A", 10}}));
    fm.clear_record();
    fm.rec<ItemRec>().Grupo = "A";
    EXPECT_EQ(read(v, -1), (Rows{{"A", 10}, {"A", 20}, {"A", 30}}));

    ItemRec lo, hi;
    lo.Grupo = "A";
    lo.Data = 20;
    hi.Grupo = "B";
    hi.Data = 20;
    v.range(2, &lo, &hi);  // from A/20 to B/20 in key order (dates descend)
    EXPECT_EQ(read(v), (Rows{{"A", 20}, {"A", 10}, {"B", 20}}));
    EXPECT_EQ(read(v, -1), (Rows{{"B", 20}, {"A", 10}, {"A", 20}}));
}

TEST_F(ViewTest, FilterPredicateWithoutRange) {
    View v(fm, data::KeyName{"ITE:KEY:GRUPODATA"});
    v.filter<ItemRec>([](const ItemRec& r) { return r.Data >= 20; });
    EXPECT_EQ(read(v), (Rows{{"A", 30}, {"A", 20}, {"B", 20}}));
    View none(fm, data::KeyName{"ITE:KEY:CODIGO"});
    none.filter<ItemRec>([](const ItemRec&) { return false; });
    EXPECT_TRUE(read(none).empty());
}

}  // namespace
}  // namespace vorel::data::testing

namespace vorel::data::testing {
namespace {

TEST_F(ViewTest, DynamicOrderChosenAtRunTime) {
    View v(fm, data::KeyName{"ITE:KEY:CODIGO"});
    v.order_by({"Data", "-Grupo"});
    v.filter<ItemRec>([](const ItemRec& r) { return r.Grupo != "C"; });
    EXPECT_EQ(read(v), (Rows{{"B", 10}, {"A", 10}, {"B", 20}, {"A", 20}, {"A", 30}}));
    EXPECT_EQ(read(v, -1), (Rows{{"A", 30}, {"A", 20}, {"B", 20}, {"A", 10}, {"B", 10}}));
    ASSERT_EQ(v.open(), kNoError);
    ASSERT_EQ(v.next(), kNoError);
    ASSERT_EQ(v.next(), kNoError);
    ASSERT_EQ(v.previous(), kNoError);  // back to the first
    EXPECT_EQ(fm.rec<ItemRec>().Grupo, "B");
    EXPECT_EQ(fm.put(), kNoError);      // the record shown is the current one

    // With a range over the key: only the records in range, ties in the key's order.
    View r(fm, data::KeyName{"ITE:KEY:GRUPODATA"});
    r.order_by({"Data"});
    fm.clear_record();
    fm.rec<ItemRec>().Grupo = "a";
    r.range_equal(1);
    EXPECT_EQ(read(r), (Rows{{"A", 10}, {"A", 20}, {"A", 30}}));
    ItemRec lo, hi;
    lo.Grupo = "A";
    lo.Data = 20;
    hi.Grupo = "B";
    hi.Data = 20;
    r.range(2, &lo, &hi);
    EXPECT_EQ(read(r), (Rows{{"A", 10}, {"A", 20}, {"B", 20}}));
    EXPECT_EQ(read(r, -1), (Rows{{"B", 20}, {"A", 20}, {"A", 10}}));
}

}  // namespace
}  // namespace vorel::data::testing
