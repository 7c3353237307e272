// The integration tests' fixture: a data root in a temporary folder with company 1's folders and
// its 2016 tables, the working period March 2016, the temporary folder, a runtime with the table
// dictionary per thread and the subsystem's procedures, and the headless driver as the user.
// `OnThread` runs work on a thread with its own table dictionary; `Layout` stores a layout; the
// `Seed...` helpers store the product, supplier and CFOP most tests read their lines against.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "data_root.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"

namespace vorel::integration::testing {

namespace fs = std::filesystem;

struct CampoTeste {
    int codigo, posicao, tamanho;
};

// A line of the type's default layout: each field's text at its position (cut to the field's
// size), blanks elsewhere.
inline std::string LinhaPadrao(int tipo, const std::map<int, std::string>& campos) {
    std::string out(static_cast<std::size_t>(ComprimentoPadrao(tipo)), ' ');
    for (const auto& [codigo, texto] : campos) {
        const CampoCatalogo* c = EntradaDoCampo(tipo, codigo);
        out.replace(static_cast<std::size_t>(c->posicao - 1),
                    std::min(texto.size(), static_cast<std::size_t>(c->tamanho)), texto);
    }
    return out;
}

// The same with `mudancas` put over the fields of `base`.
inline std::string LinhaPadrao(int tipo, std::map<int, std::string> base,
                               const std::map<int, std::string>& mudancas) {
    for (const auto& [codigo, texto] : mudancas) base[codigo] = texto;
    return LinhaPadrao(tipo, base);
}

// Texts of the tables' code page (problem lists) as UTF-8.
inline std::vector<std::string> Utf8(const std::vector<std::string>& textos) {
    std::vector<std::string> out;
    for (const std::string& t : textos) out.push_back(text::to_utf8(t));
    return out;
}

struct ImportFixture : ::testing::Test, vorel::testing::DataRoot, vorel::testing::HeadlessUser {
    void SetUp() override {
        CreateDataRoot("vorel-integration");
        SetWorkingCompany();
        shell::PastaTemp.Set(root + "Temp/");
        AddIntegrationProcedures();
        StartUser();
    }
    void TearDown() override {
        StopUser();
        RemoveDataRoot();
    }

    // Runs `fn` on a thread of its own with the table dictionary.
    static void OnThread(const std::function<void()>& fn) {
        std::thread([&] {
            dictionary::InitDictionary();
            fn();
            dictionary::TeardownDictionary();
        }).join();
    }

    template <class Rec>
    void Seed(const data::TableDesc& table, const std::function<void(Rec&)>& fill) {
        OnThread([&] {
            data::FileManager fm(table);
            ASSERT_EQ(fm.open(), vorel::data::kNoError);
            fm.clear_record();
            fill(fm.rec<Rec>());
            ASSERT_EQ(fm.add(), vorel::data::kNoError);
            (void)fm.close();
        });
    }
    void Layout(int tipo, int codigo, const std::string& nome, const std::vector<CampoTeste>& campos) {
        Seed<dictionary::LayArquivosRec>(dictionary::LayArquivos(), [&](auto& l) {
            l.Arquivo = static_cast<std::uint8_t>(tipo);
            l.Codigo = static_cast<std::uint8_t>(codigo);
            l.Descricao = text::from_utf8(nome);
        });
        for (const CampoTeste& c : campos)
            Seed<dictionary::LayCampArquivosRec>(dictionary::LayCampArquivos(), [&](auto& f) {
                f.Arquivo = static_cast<std::uint8_t>(tipo);
                f.Codigo = static_cast<std::uint8_t>(codigo);
                f.CodigoCampo = static_cast<std::uint8_t>(c.codigo);
                f.Posicao = static_cast<std::uint16_t>(c.posicao);
                f.Tamanho = static_cast<std::uint16_t>(c.tamanho);
                f.Tipo = "N";
            });
    }
    // A layout of the type with the catalogue's default positions (all its fields, or only `codigos`).
    void LayoutPadrao(int tipo, int codigo, const std::string& nome, const std::vector<int>& codigos = {}) {
        std::vector<CampoTeste> campos;
        for (const CampoCatalogo& c : EntradasDoTipo(tipo))
            if (codigos.empty() || std::find(codigos.begin(), codigos.end(), c.codigo) != codigos.end())
                campos.push_back({c.codigo, c.posicao, c.tamanho});
        Layout(tipo, codigo, nome, campos);
    }
    // Product `codigo` with its rate and nickname.
    void SeedProduct(long long codigo, int aliquota = 0, const std::string& apelido = "") {
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), [&](auto& p) {
            p.Codigo = Decimal(codigo);
            p.Alicota = Decimal(aliquota);
            p.Apelido = apelido;
        });
    }
    // Supplier `codigo` with its CNPJ and state.
    void SeedSupplier(std::uint32_t codigo, const std::string& cnpj, const std::string& uf = "") {
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), [&](auto& f) {
            f.Codigo = codigo;
            f.CGC = cnpj;
            f.Estado = uf;
        });
    }
    // CFOP `codigo`, one the computation takes in.
    void SeedCfo(int codigo) {
        Seed<dictionary::CFORec>(dictionary::CFO(), [&](auto& c) {
            c.CODIGO = static_cast<std::int16_t>(codigo);
            c.COMPLEMENTO = 1;
        });
    }
    // A file under the test folder with these bytes.
    std::string File(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
        return (dir / name).string();
    }
    // A file under the test folder with these lines, each ended by `fim`.
    std::string FileOfLines(const std::string& name, const std::vector<std::string>& linhas,
                            const std::string& fim = "\r\n") {
        std::string bytes;
        for (const std::string& l : linhas) bytes += l + fim;
        return File(name, bytes);
    }
    template <class Rec>
    std::vector<Rec> All(const data::TableDesc& table, data::KeyName key) {
        std::vector<Rec> out;
        OnThread([&] {
            data::FileManager fm(table);
            ASSERT_EQ(fm.open(), vorel::data::kNoError);
            fm.clear_record();
            (void)fm.set(table.key_index(key));
            while (fm.next().ok()) out.push_back(fm.rec<Rec>());
            (void)fm.close();
        });
        return out;
    }
};

}  // namespace vorel::integration::testing
