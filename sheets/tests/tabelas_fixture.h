// A data root in a temporary folder (company 1, year 2016) and helpers that write records straight
// into its tables, for the tests that read the registers.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "data_root.h"
#include "vorel/core/date.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"

namespace vorel::sheets::testing {

namespace fs = std::filesystem;

struct TabelasFixture : ::testing::Test, vorel::testing::DataRoot {
    void SetUp() override {
        CreateDataRoot("vorel-sheets");
        vorel::testing::NameCompanyTables(root, 1);
        vorel::testing::NameYearTables(root, 1, 2016);
        shell::PastaRaiz.Set(root);  // a company's month is read at its files under the data root
    }
    void TearDown() override { RemoveDataRoot(); }

    template <class Rec>
    void Grava(const data::TableDesc& t, const std::function<void(Rec&)>& fill, const std::string& arquivo = {}) {
        std::thread([&] {
            data::FileManager fm(t);
            fm.set_create(true);
            ASSERT_TRUE((arquivo.empty() ? fm.open() : fm.open_path(arquivo)).ok());
            fm.clear_record();
            fill(fm.rec<Rec>());
            ASSERT_TRUE(fm.add().ok()) << t.name;
            (void)fm.close();
        }).join();
    }
    void Fornecedor(std::uint32_t codigo, const char* cgc, const char* nome, int inativo = 0) {
        Grava<dictionary::ForCliRec>(dictionary::ForCli(), [&](auto& r) {
            r.Codigo = codigo;
            r.CGC = cgc;
            r.Nome = nome;
            r.Inativo = static_cast<std::uint8_t>(inativo);
        });
    }
    void Entrada(int produto, int dia, const char* cnpj) {
        Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataEmissao = date::make(2016, 7, dia);
            r.Cnpj = cnpj;
        });
    }
};

}  // namespace vorel::sheets::testing
