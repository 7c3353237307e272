// The window every invoice text import shows ("&Geral": file, layout, option, counter, buttons and
// the error list; "&Registros Lidos": the staged records), with its events: choosing the file and
// the layout, the read, printing the errors and the import. An importer gives its texts, its run
// (import_run.h) and the columns of its staged records.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vorel/data/table_desc.h"
#include "vorel/integration/import_run.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/window_controller.h"

namespace vorel::integration {

// Hands `run` a notice that opens the wait window "!!! Aguarde !!!" before each of its commits and
// closes it after; `janela` holds the open window meanwhile and must outlive the run's steps.
void AguardeAoGravar(ImportacaoTexto& run, ui::ProcContext& ctx, std::unique_ptr<ui::Window>& janela);

struct TextosImportacao {
    const char* procedimento;    // "ImportaSaidasNota"
    const char* titulo;          // window caption
    const char* promptArquivo;   // "Arquivo texto de NF saídas....................."
    const char* tituloDialogo;   // the file dialog's title
    const char* secaoUtiliza;    // Vorel.ini section of the option ("ImportaSaidas")
    const char* grupoRegistros;  // "Notas Fiscais de Saídas"
    const data::TableDesc& (*alvo)();  // the target table, whose file is taken when the window opens
    const char* promptLayout = "Layout do arquivo de NF........................";
    const char* pedeLayout = "Escolha o layout do arquivo antes de ler.";  // no layout chosen at the read
    const char* leituraOk = "Leitura Efetuada com sucesso";
    const char* importacaoOk = "Importação efetuada com sucesso !!!";
    bool opcaoUtiliza = true;     // the option "Cliente Utiliza" (kept in Vorel.ini under secaoUtiliza)
    bool apelidoPrimeiro = false; // its radio "Apelido - Código do Cliente" stands before "Código"
    bool aguardeAoGravar = false; // the wait window while the read's staging commits
    const char* botaoLer = "&Ler arquivo";
    const char* botaoImporta = "Importa Arquivo";
};

// Shared by the import windows: a failure with the file it concerns (for a message), whether the
// user's file name (UTF-8 as typed) names an existing file, the file dialog, the error list's rows
// and the error printout.
std::string TextoFalha(data::Result r);
bool ArquivoTextoExiste(const std::string& utf8);
std::string EscolheArquivoTexto(const char* titulo, const char* mascara, const std::string& atual);
std::vector<ui::Row> LinhasErros(const std::vector<std::string>& erros);
void ImprimeListaErros(ui::ProcContext& ctx, const std::vector<std::string>& erros);
// The error list (`lista`) and its count (`quantidade`) shown.
void MostraListaErros(ui::Window& w, int lista, int quantidade, const std::vector<std::string>& erros);

// How often the counter and the progress bar are shown again during a read or an import.
inline constexpr long kMostraACada = 500;
// The progress of a read: the counter `contador` shown every kMostraACada lines; the user's stop
// ends the read.
Progresso ContaLeitura(ui::ProcContext& ctx, ui::Window& w, int contador);
// The controls an import window shows the import phase in.
struct ControlesImportacao {
    int importa, contador, progresso;
};
// The import phase as the import windows run it over `total` staged records: the import button off
// (the records go in once), the counter and the progress bar from 0, shown every kMostraACada
// records while `importa` runs; the user's stop ends it. Done: the counter shows the records
// imported. Failed: said (unless the user stopped it), and the button back on, since nothing was
// written. The caller says what success means to it and moves the focus.
ResultadoImportacao FaseImportacao(ui::ProcContext& ctx, ui::Window& w, const ControlesImportacao& c, long total,
                                   const std::function<ResultadoImportacao(const Progresso&)>& importa);

class JanelaImportacao : public ui::WindowController {
public:
    enum : int {
        kSheet = 1, kTabGeral, kPromptArquivo, kArquivo, kBusca, kPromptLayout, kLayouts, kProgresso,
        kGrupoUtiliza, kCodigo, kApelido, kContador, kLer, kImprime, kImporta, kFecha, kAjuda,
        kGrupoErros, kPromptErros, kQuantErros, kErros, kTabRegistros, kGrupoRegistros, kRegistros,
        kProprios  // the first control number an importer may use for its own
    };

    JanelaImportacao(ui::ProcContext& ctx, TextosImportacao textos, ImportacaoTexto& run);
    ~JanelaImportacao() override;

    ui::Level Setup() override;
    ui::Level OnWindowOpened() override;
    ui::Level TakeEvent(const ui::Event& e) override;
    ui::Level OnAccepted(int feq) override;
    ui::Level Teardown() override;

protected:
    // The staged records' columns, read from the staging buffer.
    virtual void Colunas(ui::BrowseManager& lista) = 0;
    virtual int ChaveLista() const = 0;  // a key index of the staging table
    // Controls of an importer's own on the "&Geral" tab, and what it hands its run before a read.
    virtual void ControlesProprios(ui::Window&) {}
    virtual void AntesDeLer() {}

private:
    void EscolheArquivo();
    void Ler();
    void ImprimeErros();
    void Importa();
    bool ArquivoExiste() const;
    void MostraErros();

    TextosImportacao textos_;
    ImportacaoTexto& run_;
    std::string arquivo_;  // LOC:ARQUIVONF, UTF-8 as typed
    int utiliza_ = 1;
    std::vector<LayoutListado> layouts_;
    std::vector<std::string> erros_;
    std::unique_ptr<ui::TableSource> fonte_;
    std::unique_ptr<ui::BrowseManager> lista_;
    bool pronto_ = false;
};

}  // namespace vorel::integration
