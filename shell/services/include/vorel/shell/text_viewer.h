// The text report viewer `Visualiza_Relatorio_Matricial` (window "Visualização Impressão Matricial")
// and its save window `Salva_Relatorio_Matricial` (window "Salva Relatório Matricial").
//
// A text report calls the viewer on its own thread with its run's file and codes: the viewer shows
// the lines as the printer would print them (accents stripped, control strings, form feeds and
// double quotes removed), in pages of the printer's lines per page, searches up or down, jumps to a
// page, saves a copy (a plain file copy) and prints: the file is handed to the printer's port or
// queue, never through a shell. The caller deletes its file afterwards.
//
// `PaginasTexto` is the viewer's arithmetic without the window (pages, jumps, search), for tests and
// for the window alike. A printer whose lines per page is 0 shows the whole file as one page.
//
//   Visualiza_Relatorio_Matricial(ctx, arq.nome(), arq.codigos(), "RelEntradas.txt");
//   EncerraRelatorioTexto(ctx, arq, "RelEntradas.txt");   // close, view (or print), delete
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorel/report/outcome.h"
#include "vorel/shell/printer_codes.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

inline constexpr std::size_t kLinhaExibida = 300;  // characters of a line the list shows
inline constexpr std::size_t kNomeSalvar = 20;     // characters of the name offered for saving

// The display form of one line of the file (Windows-1252): accents stripped, overstrike marks
// dropped, the control strings of `codigos`, CR LF, form feed, '"' and 'ª' removed, trailing blanks
// cut, and cut to 300 characters.
std::string LinhaExibida(std::string_view linhaArquivo, const CodigosImpressoraRec& codigos);

// The lines of a text file (CR LF or LF ends), Windows-1252 bytes; `erro` set when it cannot be read.
std::vector<std::string> LeLinhasArquivo(std::string_view caminho, std::string* erro = nullptr);

class PaginasTexto {
public:
    PaginasTexto(std::vector<std::string> linhas, int linhasPorPagina);

    int linhas() const { return static_cast<int>(linhas_.size()); }
    const std::string& linha(int n) const { return linhas_[static_cast<std::size_t>(n - 1)]; }  // 1-based
    int linhasPorPagina() const { return porPagina_; }
    // 1 when the lines fit one page (or the printer gives no lines per page), else lines / lines per
    // page rounded up.
    int totalPaginas() const;
    // The page of line n (1 for n <= 0).
    int PaginaDaLinha(int n) const;

    // Typing page p: out of range, the page field is corrected and nothing moves (`linha` 0);
    // otherwise `linha` is the first line of page p.
    struct Salto {
        int pagina = 1;
        int linha = 0;
    };
    Salto SaltaParaPagina(long long p) const;

    // Searches for `texto` (trailing blanks cut, any case) in the display lines. Up: from `posicao`
    // itself back to line 1; down: from the line after `posicao` to the last. `posicao` follows the
    // lines examined, so a repeated search goes on past the last hit. Returns the line found, or 0.
    int Pesquisa(std::string_view texto, bool acima, int& posicao) const;

private:
    std::vector<std::string> linhas_;
    int porPagina_;
};

// The "not found" text of a search (UTF-8): up and down differ in the blanks inside the quotes.
std::string TextoNaoEncontrado(std::string_view texto, bool acima);

// The window: shows `arquivo` with the codes of its run, offering `nomeSalvar` for saving.
void Visualiza_Relatorio_Matricial(ui::ProcContext& ctx, std::string_view arquivo, const CodigosImpressoraRec& codigos,
                                   std::string_view nomeSalvar);
// The save window, starting in `PastaRaiz` with `nomeSalvar` cut to 20 characters.
void Salva_Relatorio_Matricial(ui::ProcContext& ctx, std::string_view arquivo, std::string_view nomeSalvar);
// The copy the save window makes: `arquivo` to `pasta` & `nome`, replacing a file of that name.
report::Outcome CopiaRelatorio(std::string_view arquivo, std::string_view pasta, std::string_view nome);

class ArquivoTexto;
// The end of a text report: closes the run's file, then shows it in the viewer (`visualizar`) or
// hands it straight to the printer's port, and deletes it. A failure (the close, the printing) is
// told to the user and returned.
report::Outcome EncerraRelatorioTexto(ui::ProcContext& ctx, ArquivoTexto& arquivo, std::string_view nomeSalvar,
                                      bool visualizar = true);

// Control numbers of the viewer window.
namespace visualizador {
inline constexpr int kLista = 1, kPromptBusca = 2, kBusca = 3, kAcima = 4, kAbaixo = 5, kPesquisar = 6,
                     kPromptTotal = 7, kTotal = 8, kPagina = 9, kSalvar = 10, kImprimir = 11, kFechar = 12;
}
namespace salvar {
inline constexpr int kPromptCaminho = 1, kCaminho = 2, kPasta = 3, kPromptArquivo = 4, kArquivo = 5, kOk = 6,
                     kCancelar = 7;
}

}  // namespace vorel::shell
