// Picture files named in records.
#include "vorel/shell/picture_file.h"

#include <algorithm>
#include <filesystem>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

namespace fs = std::filesystem;

std::string PastaImagens() { return std::string(text::clip(PastaRaiz.Get())) + "Imagens\\"; }

std::string ArquivoImagem(std::string_view nome, std::string_view pastaImagens) {
    while (!nome.empty() && nome.front() == ' ') nome.remove_prefix(1);
    if (text::clip(nome).empty()) return {};
    const fs::path arquivo = files::resolve(nome, files::resolve(pastaImagens));
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) return {};
    return arquivo.string();
}

std::optional<std::string> NomeParaGravar(const std::string& escolhido, std::string_view pastaImagens,
                                          std::size_t capacidade) {
    std::error_code ec;
    const fs::path arquivo = fs::weakly_canonical(files::resolve(text::from_utf8(escolhido)), ec);
    const fs::path pasta = fs::weakly_canonical(files::resolve(pastaImagens), ec);
    std::string nome = files::to_program_path(arquivo);
    const fs::path relativo = arquivo.lexically_relative(pasta);
    if (!relativo.empty() && *relativo.begin() != "..") nome = files::to_program_path(relativo);
    if (nome.size() > capacidade) return std::nullopt;
    return nome;
}

}  // namespace vorel::shell
