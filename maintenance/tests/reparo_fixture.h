// The batch repairs' test fixture: the batch changes' (lote_fixture.h: a data root with company 1,
// year 2016 and the working month March, records written and read back, library calls on a thread
// of their own, the headless user) with many records written in one transaction and any table's
// file of another year.
#pragma once

#include "lote_fixture.h"

namespace vorel::maintenance::testing {

struct ReparoFixture : LoteFixture {
    using LoteFixture::Grava;

    // The file of `table` in year `ano` of company 1 (its folder made).
    std::string NoAno(const data::TableDesc& table, int ano) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        EXPECT_FALSE(dictionary::CriaPastas(a));
        return dictionary::CaminhoNoAno(a, table);
    }

    // Adds `n` records filled by `fill(rec, i)` in one transaction, to the table's name variable's
    // file or to `arquivo`.
    template <class Rec>
    void Grava(const data::TableDesc& table, int n, const std::function<void(Rec&, int)>& fill,
               const std::string& arquivo = {}) {
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            {
                data::Transaction t({&fm});
                for (int i = 0; i < n; ++i) {
                    fm.clear_record();
                    fill(fm.rec<Rec>(), i);
                    ASSERT_TRUE(fm.add().ok()) << table.label;
                }
                ASSERT_TRUE(t.commit().ok());
            }
            (void)fm.close();
        }).join();
    }
};

}  // namespace vorel::maintenance::testing
