// A text file written whole or not at all.
//
// The lines go to a temporary file beside the target (same folder, so the final rename stays on
// one file system); every write is checked; `Conclui` flushes, syncs and renames the temporary
// file over the target. Until then the target is the file it was (or absent); a run that fails,
// is abandoned or dies leaves at most the temporary file, which the next writer of that name and
// the destructor remove.
//
//     ArquivoInteiro f;
//     if (auto erro = f.Abre("C:\\00121603.TXT"); !erro.empty()) ...
//     f.Linha("01...");                       // the line, then CR LF
//     std::string erro = f.Conclui();          // "" when the file is in place
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace vorel::computation {

class ArquivoInteiro {
public:
    ArquivoInteiro() = default;
    ~ArquivoInteiro();
    ArquivoInteiro(const ArquivoInteiro&) = delete;
    ArquivoInteiro& operator=(const ArquivoInteiro&) = delete;

    // Opens the temporary file for the target (a program path). UTF-8 error text, "" when open.
    std::string Abre(std::string_view alvo);
    // Appends the line and CR LF; after the first failure the lines are dropped and `Conclui` fails.
    void Linha(std::string_view linha);
    // Puts the file in place. UTF-8 error text naming the file, "" when done.
    std::string Conclui();
    // Drops the temporary file; the target stays as it was.
    void Abandona();

    long long linhas() const { return linhas_; }

private:
    std::string Falha(std::string_view oque, int erro) const;
    std::FILE* f_ = nullptr;
    std::string alvo_;        // native path
    std::string temporario_;  // native path
    std::string exibido_;     // the target as the user wrote it (UTF-8)
    std::string erro_;
    long long linhas_ = 0;
};

}  // namespace vorel::computation
