// The window every invoice text import shows ("&Geral": file, layout, option, counter, buttons and
// the error list; "&Registros Lidos": the staged records), with its events: choosing the file and
// the layout, the read, printing the errors and the import. An importer gives its texts, its run
// (import_run.h) and the columns of its staged records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "vorel/data/table_desc.h"
#include "vorel/integration/import_run.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/window_controller.h"

namespace vorel::integration {

struct TextosImportacao {
    const char* procedimento;    // "ImportaSaidasNota"
    const char* titulo;          // window caption
    const char* promptArquivo;   // "Arquivo texto de NF saídas....................."
    const char* tituloDialogo;   // the file dialog's title
    const char* secaoUtiliza;    // Vorel.ini section of the option ("ImportaSaidas")
    const char* grupoRegistros;  // "Notas Fiscais de Saídas"
    const data::TableDesc& (*alvo)();  // the target table, whose file is taken when the window opens
};

class JanelaImportacao : public ui::WindowController {
public:
    enum : int {
        kSheet = 1, kTabGeral, kPromptArquivo, kArquivo, kBusca, kPromptLayout, kLayouts, kProgresso,
        kGrupoUtiliza, kCodigo, kApelido, kContador, kLer, kImprime, kImporta, kFecha, kAjuda,
        kGrupoErros, kPromptErros, kQuantErros, kErros, kTabRegistros, kGrupoRegistros, kRegistros
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

private:
    void EscolheArquivo();
    void Ler();
    void ImprimeErros();
    void Importa();
    bool ArquivoExiste() const;

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
