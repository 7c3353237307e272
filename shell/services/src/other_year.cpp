// Cursors on a company's year files.
#include "vorel/shell/other_year.h"

#include "vorel/core/paths.h"
#include "vorel/dictionary/folders.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

std::string ArquivoDoAno(const data::TableDesc& table, std::uint32_t empresa, int year) {
    return dictionary::CaminhoNoAno(dictionary::CaminhosArquivosAno(PastaRaiz.Get(), empresa, year), table);
}

data::Result AbreNoAno(data::FileManager& fm, const EmpresaPeriodo& p) {
    const dictionary::CaminhosAno c = dictionary::CaminhosArquivosAno(PastaRaiz.Get(), p.empresa, p.ano);
    const std::string arquivo = dictionary::CaminhoNoAno(c, fm.desc());
    if (arquivo.empty()) return fm.open();
    if (!files::exists(arquivo)) (void)dictionary::CriaPastas(c);  // a failure shows as the open's
    return fm.open_path(arquivo);
}

OtherYearFile::OtherYearFile(const data::TableDesc& table, std::uint32_t empresa, int year)
    : file_(table), path_(ArquivoDoAno(table, empresa, year)) {
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
