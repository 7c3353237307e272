// A cursor on another year's file of the working company.
#include "vorel/shell/other_year.h"

#include "vorel/core/paths.h"
#include "vorel/dictionary/folders.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

std::string ArquivoDoAno(const data::TableDesc& table, int year) {
    return dictionary::CaminhoNoAno(
        dictionary::CaminhosArquivosAno(PastaRaiz.Get(), GLO_EMPRESA_CODIGO.Get(), year), table);
}

OtherYearFile::OtherYearFile(const data::TableDesc& table, int year) : file_(table), path_(ArquivoDoAno(table, year)) {
    file_.set_create(false);
}

OtherYearFile::~OtherYearFile() {
    for (int i = file_.open_count(); i > 0; --i) (void)file_.close();
}

data::Result OtherYearFile::open() {
    if (path_.empty() || !files::exists(path_)) return data::kFileNotFound;
    return file_.open_path(path_);
}

}  // namespace vorel::shell
