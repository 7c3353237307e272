// Copying a register of suppliers and customers over a company's own
// (vorel/maintenance/copia_fornecedores.h).
#include "vorel/maintenance/copia_fornecedores.h"

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::maintenance {

namespace {

std::string Mostra(const std::string& caminho) { return text::to_utf8(files::to_display_path(caminho)); }
std::string Motivo() { return text::to_utf8(data::describe(data::last_error())); }

// A table file of the register opened on a cursor of the copy's own, closed when it goes.
struct Registro {
    data::FileManager fm{dictionary::ForCli0()};
    ~Registro() {
        if (fm.is_open()) (void)fm.close();
    }
};

}  // namespace

std::string OrigemDaCopia(const std::string& raiz, TipoCopia tipo, std::uint32_t matriz) {
    if (tipo == TipoCopia::PlanoGeral) return dictionary::CaminhosArquivosEmpresa(raiz, matriz, 0, 1).CaminhoForCli;
    return dictionary::CaminhosArquivosEmpresa(raiz, matriz, 0, 2).CaminhoForCli;
}

std::string DestinoDaCopia(const std::string& raiz, std::uint32_t empresa) {
    return dictionary::CaminhosArquivosEmpresa(raiz, empresa, 0, 2).CaminhoForCli;
}

std::optional<std::uint8_t> TipoFornecedorDaEmpresa(std::uint32_t empresa) {
    data::FileManager emp(dictionary::Empresa());
    emp.set_create(false);
    if (!emp.open().ok()) return std::nullopt;
    auto& e = emp.rec<dictionary::EmpresaRec>();
    emp.clear_record();
    e.Codigo = static_cast<decltype(e.Codigo)>(empresa);
    std::optional<std::uint8_t> tipo;
    if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) tipo = e.TIPOFORNECEDOR;
    (void)emp.close();
    return tipo;
}

std::string CopiaCadastroFornecedores(const std::string& origem, const std::string& destino, const PassoCopia& passo) {
    auto Passo = [&](int n) {
        if (passo) passo(n);
    };
    if (!files::exists(origem) || files::is_folder(origem))
        return "O cadastro de origem " + Mostra(origem) + " não foi encontrado; nada foi copiado.";
    {
        Registro fonte;
        if (!fonte.fm.open_path(origem, data::open_mode::kReadOnly | data::open_mode::kDenyNone).ok())
            return "O cadastro de origem " + Mostra(origem) + " não pôde ser lido (" + Motivo() + "); nada foi copiado.";
    }
    // The destination stays taken until the copy is in place: no other window or station writes
    // it meanwhile, and one that has it open now makes the copy wait for another time.
    Registro alvo;
    if (files::exists(destino)) {
        if (!alvo.fm.open_path(destino, data::open_mode::kExclusive).ok())
            return "O cadastro de fornecedores da empresa (" + Mostra(destino) + ") está em uso ou não pôde ser aberto (" +
                   Motivo() + "); nada foi copiado.";
    } else if (std::error_code ec = files::make_folder(destino.substr(0, destino.find_last_of('\\')))) {
        return "A pasta de " + Mostra(destino) + " não pôde ser criada: " + ec.message();
    }
    Passo(1);
    const std::string novo = destino + ".novo";
    auto Desiste = [&](std::string erro) {
        (void)files::remove_file(novo);
        return erro + "; o cadastro da empresa ficou como estava.";
    };
    if (std::error_code ec = files::copy_file(origem, novo, files::Overwrite::Yes))
        return Desiste("A cópia de " + Mostra(origem) + " falhou: " + ec.message());
    Passo(2);
    {
        Registro copia;
        if (!copia.fm.open_path(novo, data::open_mode::kReadOnly | data::open_mode::kDenyNone).ok() ||
            !copia.fm.verify().ok())
            return Desiste("A cópia de " + Mostra(origem) + " não ficou inteira (" + Motivo() + ")");
    }
    (void)files::remove_file(novo + "-lock");
    Passo(3);
    if (std::error_code ec = files::rename(novo, destino))
        return Desiste("A cópia não pôde substituir " + Mostra(destino) + ": " + ec.message());
    Passo(4);
    return {};
}

}  // namespace vorel::maintenance
