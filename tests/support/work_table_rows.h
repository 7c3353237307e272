// Work-table rows with every field set, written to a work table file and read back as a pass reads
// them. A pass that reads only some fields (data::Cursor::read_only) must give from the file what it
// gives from the whole rows: a field it uses but does not select reads blank, and the two differ.
//
//     const auto rows = vorel::testing::RowsOfKinds({{1, 2, 1, 1102, 1, "", false}, ...});
//     vorel::testing::ReadBack(path, rows, keys::ESA_KEY_DATA_ENTSAI_NUM_AUX, fiscal::LeSoCamposDaLinha,
//                              [&](const dictionary::EntradaSaidaVorelRec& r) { sheet.Linha(r); });
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/key_name.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::testing {

// Gives every field of the row a value of its own, different for each `n` (1 to 99): texts, codes,
// dates, quantities and values alike.
inline void FillEveryField(dictionary::EntradaSaidaVorelRec& r, int n) {
    const auto d = [n](int campo, const char* casas) {
        return Decimal(n * 100 + campo) + Decimal::from_string(casas);
    };
    const std::string t = std::to_string(n);
    r.DATA = r.SDATA = r.DATAESPELHO = r.SDATAESPELHO = date::make(2016, 7, n % 28 + 1);
    r.CNPJFORPROD = "1111111100" + std::to_string(1000 + n);
    r.SERIE = r.SSERIE = std::to_string(n % 9 + 1);
    r.NUMERO = r.SNUMERO = std::to_string(9000 + n);
    r.CFO = r.SCFO = static_cast<std::uint16_t>(5400 + n % 10);
    r.COMPLEMENTO = r.SCOMPLEMENTO = static_cast<std::uint8_t>(n % 3 + 1);
    r.CFOCOMPL = r.SCFOCOMPL = static_cast<std::int16_t>(n);
    r.QUANTIDADE = r.SQUANTIDADE = d(1, "0.125");
    r.BASEICMS = r.SBASEICMS = d(2, "0.21");
    r.CODMERCADORIA = r.SCODMERCADORIA = Decimal(n % 4 + 1);
    r.ALIQUOTA = r.SALIQUOTA = "";
    r.CHASSI = r.SCHASSI = "CHASSI" + t;
    r.BASEPROPSUBSTITUIDO = r.SBASEPROPSUBSTITUIDO = d(3, "0.31");
    r.BASEEFETENT = r.SBASEEFETENT = d(4, "0.41");
    r.BASEESTREMANESCENTE = r.SBASEESTREMANESCENTE = d(5, "0.51");
    r.ENTSAI = static_cast<std::uint8_t>(n % 2 + 1);
    r.LOTE = "LOTE" + t;
    r.SAIVALUNITARIO = d(6, "0.123456");
    r.SAICONSFINAL = d(7, "0.71");
    r.SAINREALIZADO = d(8, "0.81");
    r.SAIISENTA = d(9, "0.91");
    r.SAIOUTORUF = d(10, "0.11");
    r.SAISUBSEQUENTE = d(11, "0.12");
    r.CONFUSUFINAL = d(12, "0.13");
    r.CONFENTRADASDEMHIP = d(13, "0.14");
    r.SALDOQUANTIDADE = d(14, "0.155");
    r.SALDOVALUNITARIO = d(15, "0.654321");
    r.SALDOBASERETENCAO = d(16, "0.17");
    r.INSCESTADUAL = "IE" + t;
    r.UF = "SP";
    r.CODIGOFORCLI = static_cast<std::uint32_t>(700 + n);
}

// The fields that choose a row's kind, for a test's table of cases.
struct RowKind {
    int produto, dia, entsai;  // dia: a day of July 2016
    std::uint16_t cfo;
    std::uint8_t complemento;
    const char* aliquota;
    bool semNumero;  // NUMERO blank
};

// A row of each kind, the i-th (from 1) with every other field as FillEveryField(r, i) sets it.
inline std::vector<dictionary::EntradaSaidaVorelRec> RowsOfKinds(std::initializer_list<RowKind> kinds) {
    std::vector<dictionary::EntradaSaidaVorelRec> rows;
    for (const RowKind& k : kinds) {
        dictionary::EntradaSaidaVorelRec r{};
        FillEveryField(r, static_cast<int>(rows.size()) + 1);
        r.CODMERCADORIA = Decimal(k.produto);
        r.DATA = date::make(2016, 7, k.dia);
        r.ENTSAI = static_cast<std::uint8_t>(k.entsai);
        r.CFO = k.cfo;
        r.COMPLEMENTO = k.complemento;
        r.ALIQUOTA = k.aliquota;
        if (k.semNumero) r.NUMERO = "";
        rows.push_back(r);
    }
    return rows;
}

// Writes `rows` (in the order of `key`) to a new work table at `path`, then reads it in that order
// after `seleciona` chose the fields (its result must be kNoError) from a blank record, handing each
// record read to `each`.
inline void ReadBack(const std::string& path, const std::vector<dictionary::EntradaSaidaVorelRec>& rows, data::KeyName key,
                     const std::function<data::Result(data::FileManager&)>& seleciona,
                     const std::function<void(const dictionary::EntradaSaidaVorelRec&)>& each) {
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    ASSERT_EQ(esa.open_path(path), data::kNoError);
    {
        data::Transaction t({&esa});
        for (const auto& r : rows) {
            esa.rec<dictionary::EntradaSaidaVorelRec>() = r;
            ASSERT_EQ(esa.add(), data::kNoError);
        }
        ASSERT_EQ(t.commit(), data::kNoError);
    }
    esa.clear_record();
    ASSERT_EQ(seleciona(esa), data::kNoError);
    ASSERT_EQ(esa.set(key), data::kNoError);
    std::size_t lidos = 0;
    while (esa.next().ok()) {
        each(esa.rec<dictionary::EntradaSaidaVorelRec>());
        ++lidos;
    }
    EXPECT_EQ(lidos, rows.size());
    (void)esa.close();
}

}  // namespace vorel::testing
