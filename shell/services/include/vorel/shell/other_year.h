// A cursor on another year's file of a per-year table of the working company.
//
// `OtherYearFile` is a FileManager of its own (its own record buffer, key order and position) opened
// at the file that `table` has in year `year` of the working company (PastaRaiz,
// GLO:EMPRESA:CODIGO): the previous year's entries for a look-back, the previous year's balances in
// January, the next year's vehicle entries. Nothing else moves: the table's name variable, the
// thread's dictionary object of the table and the windows of every thread keep the working year's
// file. A year the company has no such file for is not created: `open` answers data::kFileNotFound
// (so does a table that is not kept per year). The file is closed when the cursor goes.
//
//     OtherYearFile anterior(dictionary::EntradaVorel(), GLO_ANO.Get() - 1);
//     data::Result r = anterior.open();
//     if (r == data::kFileNotFound) ...nothing to look back on
//     else if (!r.ok()) ...report it
//     auto& e = anterior.rec<dictionary::EntradaVorelRec>();
//     e.CodMercadoria = produto; e.DataEmissao = fim;
//     (void)anterior.file().set_at(dictionary::keys::ENT_KEY_PRODUTODATA);
//     while (anterior.file().previous().ok() && e.CodMercadoria == produto) ...   // newest first
#pragma once

#include <string>

#include "vorel/data/file_manager.h"

namespace vorel::shell {

// The file of `table` in year `year` of the working company ("" for a table not kept per year).
std::string ArquivoDoAno(const data::TableDesc& table, int year);

class OtherYearFile {
public:
    OtherYearFile(const data::TableDesc& table, int year);
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
