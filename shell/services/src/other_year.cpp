// Cursors on a company's year files.
#include "vorel/shell/other_year.h"

#include "vorel/core/paths.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

std::string ArquivoDoAno(const data::TableDesc& table, std::uint32_t empresa, int year) {
    return dictionary::CaminhoNoAno(dictionary::CaminhosArquivosAno(PastaRaiz.Get(), empresa, year), table);
}

namespace {

dictionary::CaminhosEmpresa CaminhosDaEmpresa(std::uint32_t empresa) {
    data::FileManager emp(dictionary::Empresa());
    auto& e = emp.rec<dictionary::EmpresaRec>();
    emp.clear_record();
    if (emp.open().ok()) {
        e.Codigo = static_cast<decltype(e.Codigo)>(empresa);
        if (!emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) emp.clear_record();  // no record: the shared files
        (void)emp.close();
    }
    return dictionary::CaminhosArquivosEmpresa(PastaRaiz.Get(), empresa, e.TIPONBM, e.TIPOFORNECEDOR);
}

// Whether the table is kept per company (the names are only computed, nothing is read).
bool DaEmpresa(const data::TableDesc& table) {
    static const dictionary::CaminhosEmpresa qualquer = dictionary::CaminhosArquivosEmpresa("\\", 1, 0, 0);
    return !dictionary::CaminhoNaEmpresa(qualquer, table).empty();
}

}  // namespace

std::string ArquivoDaEmpresa(const data::TableDesc& table, std::uint32_t empresa) {
    if (!DaEmpresa(table)) return {};
    return dictionary::CaminhoNaEmpresa(CaminhosDaEmpresa(empresa), table);
}

data::Result AbreNoAno(data::FileManager& fm, const EmpresaPeriodo& p) {
    const dictionary::CaminhosAno c = dictionary::CaminhosArquivosAno(PastaRaiz.Get(), p.empresa, p.ano);
    if (const std::string arquivo = dictionary::CaminhoNoAno(c, fm.desc()); !arquivo.empty()) {
        if (!files::exists(arquivo)) (void)dictionary::CriaPastas(c);  // a failure shows as the open's
        return fm.open_path(arquivo);
    }
    if (!DaEmpresa(fm.desc())) return fm.open();
    const dictionary::CaminhosEmpresa e = CaminhosDaEmpresa(p.empresa);
    const std::string arquivo = dictionary::CaminhoNaEmpresa(e, fm.desc());
    if (!files::exists(arquivo)) (void)dictionary::CriaPastas(e);
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
