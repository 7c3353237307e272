// Cursors on a company's year files, opened at their path without moving any name variable.
//
// `OtherYearFile` is a FileManager of its own (its own record buffer, key order and position) opened
// at the file that `table` has in year `year` of company `empresa`: the previous year's entries for
// a look-back, the previous year's balances in January, the next year's vehicle entries. Nothing
// else moves: the table's name variable, the thread's dictionary object of the table and the
// windows of every thread keep the working year's file. A year the company has no such file for is
// not created: `open` answers data::kFileNotFound (so does a table that is not kept per year). The
// file is closed when the cursor goes.
//
// `AbreNoAno` opens a cursor at the period's own file, which a library call given a company and
// month (period.h) reads and writes: a year table at the file of the period's year, a company
// table (products, rate history, suppliers and customers, ...) at the period's company's file (its
// own or the office's shared one, as the company's record says), created with its folder when
// missing, as the working files are at their first open. The office's shared registers (CFOP,
// companies, ...) are the same for every company and period: they open at their name variable.
//
//     OtherYearFile anterior(dictionary::EntradaVorel(), periodo.empresa, periodo.ano - 1);
//     data::Result r = anterior.open();
//     if (r == data::kFileNotFound) ...nothing to look back on
//     else if (!r.ok()) ...report it
//     auto& e = anterior.rec<dictionary::EntradaVorelRec>();
//     e.CodMercadoria = produto; e.DataEmissao = fim;
//     (void)anterior.file().set_at(dictionary::keys::ENT_KEY_PRODUTODATA);
//     while (anterior.file().previous().ok() && e.CodMercadoria == produto) ...   // newest first
//
//     FileManager saidas(dictionary::SaidaVorel());
//     if (!AbreNoAno(saidas, periodo).ok()) ...report it
#pragma once

#include <cstdint>
#include <string>

#include "vorel/data/file_manager.h"
#include "vorel/shell/period.h"

namespace vorel::shell {

// The file of `table` in year `year` of company `empresa` ("" for a table not kept per year).
std::string ArquivoDoAno(const data::TableDesc& table, std::uint32_t empresa, int year);

// The file of `table` kept per company for company `empresa`: its own or the office's shared one,
// as its record's EMP:TIPONBM (products, rates) and EMP:TIPOFORNECEDOR (suppliers and customers)
// say ("" for a table not kept per company).
std::string ArquivoDaEmpresa(const data::TableDesc& table, std::uint32_t empresa);

// Opens `fm` at its table's file in the year of `p`, or at the company's file of a table kept per
// company (creating the file and its folder when missing); any other table opens at its name
// variable.
[[nodiscard]] data::Result AbreNoAno(data::FileManager& fm, const EmpresaPeriodo& p);

// A cursor opened by `AbreNoAno` for a run, closed when it goes (when it opened).
struct AbertaNoAno {
    data::FileManager f;
    data::Result aberta;
    AbertaNoAno(const data::TableDesc& t, const EmpresaPeriodo& p) : f(t), aberta(AbreNoAno(f, p)) {}
    ~AbertaNoAno() {
        if (aberta.ok()) (void)f.close();
    }
    AbertaNoAno(const AbertaNoAno&) = delete;
    AbertaNoAno& operator=(const AbertaNoAno&) = delete;
};

class OtherYearFile {
public:
    OtherYearFile(const data::TableDesc& table, std::uint32_t empresa, int year);
    ~OtherYearFile();
    OtherYearFile(const OtherYearFile&) = delete;
    OtherYearFile& operator=(const OtherYearFile&) = delete;

    [[nodiscard]] data::Result open();
    data::FileManager& file() { return file_; }
    template <class R>
    R& rec() {
        return file_.rec<R>();
    }
    const std::string& path() const { return path_; }

private:
    data::FileManager file_;
    std::string path_;
};

}  // namespace vorel::shell
