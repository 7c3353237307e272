// Picture files named in records (a company's logo): where they are looked for, and the file an
// image control is given.
//
// A record holds a picture as the program wrote it: a program path (backslashes, any letter case,
// a drive letter) or a name relative to the data root's "Imagens" folder. An image control needs a
// file the front end can open as it stands, so windows hand it `ArquivoImagem(...)`: the native
// path of the existing file, or "" (the control shows nothing) when there is none.
//
//     w[kLogo].Text(ArquivoImagem(rec.LOGO.clipped(), PastaImagens()));
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorel::shell {

// PastaRaiz & "Imagens\" (program path, Windows-1252).
std::string PastaImagens();

// The native path (UTF-8) of the picture file `nome` (Windows-1252; blanks around it ignored),
// a relative name taken inside `pastaImagens`; "" when `nome` is blank or names no file.
std::string ArquivoImagem(std::string_view nome, std::string_view pastaImagens);

// What a record keeps of a picture file chosen in the file dialog (`escolhido`, a native UTF-8
// path): its name relative to `pastaImagens` when it lies inside that folder, else its program
// path; nothing when that does not fit in `capacidade` characters (it would be kept cut).
std::optional<std::string> NomeParaGravar(const std::string& escolhido, std::string_view pastaImagens,
                                          std::size_t capacidade);

}  // namespace vorel::shell
