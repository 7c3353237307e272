// New-record defaults of the four tables that have them; every other field starts cleared.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorel/data/record_buffer.h"
#include "vorel/data/table_desc.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"

namespace vorel::dictionary {
namespace {

struct Expected {
    std::string field;
    std::int64_t value;
};

// Primes a new record as the engine does (cleared, then the table's defaults) and checks that the
// listed fields hold their values and every other field is empty.
void check_defaults(const data::TableDesc& d, const std::vector<Expected>& expected) {
    SCOPED_TRACE(d.label);
    data::RecordBuffer r(d);
    ASSERT_TRUE(d.defaults);
    d.defaults(r.get());
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
        const auto& f = d.fields[i];
        const Expected* e = nullptr;
        for (const auto& x : expected)
            if (d.field_index(x.field) == static_cast<int>(i)) e = &x;
        if (e)
            EXPECT_EQ(data::field_int(f, r.get()), e->value) << f.name;
        else
            EXPECT_TRUE(data::field_empty(f, r.get())) << f.name;
    }
}

TEST(Defaults, NewRecordsStartWithTheirTablesInitialValues) {
    check_defaults(Empresa(), {{"EMP:DIGITOSCGC", 14}, {"EMP:LOTES", 1}, {"EMP:QUALIFPJ", 1},
                               {"EMP:TIPOREGISTRO", 1}, {"EMP:TIPOAPURACAO", 1}, {"EMP:TIPOFORNECEDOR", 1},
                               {"EMP:TIPOCFO", 1}, {"EMP:TIPONBM", 1}, {"EMP:TIPOCONTAISS", 1},
                               {"EMP:TIPOPAGAMENTO", 1}, {"EMP:GPSLTRABINDIV", 0}, {"EMP:NFP_Digitacao", 0},
                               {"EMP:NFP_Integracao", 0}});
    check_defaults(CFO(), {{"CFO:INFAPUR", 0}, {"CFO:COLUNAVEIC", 1}, {"CFO:CONTRIBUINTE", 1}});
    check_defaults(ForCli(), {{"FOR:TipoInscricao", 1}});
    check_defaults(Funcionarios(), {{"FUN:ESTADOCIVIL", 1}, {"FUN:SEXO", 1}, {"FUN:GRAUINSTRUCAO", 1},
                                    {"FUN:RACA", 1}, {"FUN:DEPOSMESANTERIOR", 1}});
}

TEST(Defaults, OnlyFourTablesHaveThem) {
    std::vector<std::string> with;
    for (const TableInfo& t : all_tables())
        if (t.desc().defaults) with.push_back(t.desc().label);
    EXPECT_EQ(with, (std::vector<std::string>{"Empresa", "CFO", "ForCli", "Funcionarios"}));
}

}  // namespace
}  // namespace vorel::dictionary
