// The batch changes' test fixture: a data root with company 1, year 2016 and the working month
// March; records written straight into a table (the working year's file or another year's), a
// table read back in a key's order, a library call run on a thread with its own table dictionary,
// the headless user for the windows, and products with their rate history written and read back.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::maintenance::testing {

namespace keys = dictionary::keys;

inline Decimal D(const char* s) { return Decimal::from_string(s); }
inline date::Day Dia(int y, int m, int d) { return date::make(y, m, d); }

struct LoteFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser {
    const shell::EmpresaPeriodo periodo{.empresa = 1, .ano = 2016, .mes = 3};

    void SetUp() override {
        CreateDataRoot("vorel-lote");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp\\");
        shell::DataHoje.Set(Dia(2016, 3, 15));
        AddMaintenanceProcedures();
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }

    // The entries file of year `ano` of company 1 (its folder made).
    std::string EntradasDoAno(int ano) {
        auto a = dictionary::CaminhosArquivosAno(root, 1, ano);
        EXPECT_FALSE(dictionary::CriaPastas(a));
        return a.CaminhoEntradaVorel;
    }

    // Runs `f` on a thread with its own table dictionary and returns its result.
    template <class F>
    static auto NaThread(F f) {
        decltype(f()) r{};
        std::thread([&] {
            dictionary::InitDictionary();
            r = f();
            dictionary::TeardownDictionary();
        }).join();
        return r;
    }

    // Adds a record filled by `fill` to the table's file (or to `arquivo`).
    template <class Rec>
    void Grava(const data::TableDesc& table, const std::function<void(Rec&)>& fill, const std::string& arquivo = {}) {
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            fill(fm.rec<Rec>());
            ASSERT_TRUE(fm.add().ok()) << table.label;
            (void)fm.close();
        }).join();
    }

    // Every record of a table (or of `arquivo`) in the order of `key`.
    template <class Rec>
    std::vector<Rec> Le(const data::TableDesc& table, data::KeyName key, const std::string& arquivo = {}) {
        std::vector<Rec> out;
        std::thread([&] {
            data::FileManager fm(table);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            ASSERT_TRUE(fm.set(key).ok());
            while (fm.next().ok()) out.push_back(fm.rec<Rec>());
            (void)fm.close();
        }).join();
        return out;
    }

    // A product of the register at `aliquota`, its start date 01/01/2010.
    void Produto(int codigo, const char* aliquota, const char* apelido = "") {
        Grava<dictionary::ProdutosRec>(dictionary::Produtos(), [&](auto& r) {
            r.Codigo = codigo;
            r.Alicota = D(aliquota);
            r.Apelido = apelido;
            r.DataInicio = Dia(2010, 1, 1);
        });
    }
    // Row `codigo` of the rate history of `produto`, open when `fim` is 0.
    void LinhaAliquota(int produto, int codigo, const char* aliquota, date::Day inicio, date::Day fim = 0) {
        Grava<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), [&](auto& r) {
            r.CODIGO_PRODUTO = produto;
            r.CODIGO = codigo;
            r.ALIQUOTA = D(aliquota);
            r.DATA_INICIAL = inicio;
            r.DATA_FINAL = fim;
        });
    }
    static std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
    // "rate start-end change #row" of a product's history rows, in the order of rate and start.
    std::vector<std::string> Historico(int produto) {
        std::vector<std::string> out;
        for (const auto& a : Le<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), keys::PALIQ_KEY_PRODUTOALIQ))
            if (a.CODIGO_PRODUTO.value() == Decimal(produto))
                out.push_back(a.ALIQUOTA.value().to_fixed(0) + " " + Data(a.DATA_INICIAL) + "-" + Data(a.DATA_FINAL) + " " +
                              Data(a.DATA_ALTERACAO) + " #" + a.CODIGO.value().to_fixed(0));
        return out;
    }
};

}  // namespace vorel::maintenance::testing
