// What the two unification windows share ("Gerar Arquivos para Unificação", which writes the files,
// and "Unificação dos Aquivos", which merges them): the heading, the four tabs (entries, exits,
// cash-register records with their three inner lists, suppliers and customers), a path field with
// its search button per file, the lists of the run's staging tables (arquivos_unificacao.h), the
// buttons "&Ler", "&Grava", "&Fecha", "&Ajuda" and the progress bar. "&Ler" and "&Grava" act on the
// group of the tab selected; each window says what they do.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "vorel/maintenance/arquivos_unificacao.h"
#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

// The six path fields: the entries, the exits, the three cash-register files, the suppliers.
enum class Campo : int { Entradas, Saidas, Mestre, Analitico, Diario, Fornecedores };
inline constexpr int kCampos = 6;

struct TextosCampo {
    const char* prompt;
    const char* tip;
    const char* tipBusca;
};

struct TextosUnificacao {
    const char* procedimento;
    const char* titulo;
    std::array<TextosCampo, kCampos> campos;
    bool numeroDoFornecedor;   // the suppliers' list shows "Número" after the address
    const char* enderecoDoFornecedor;  // the heading of the address column
};

class JanelaUnificacao : public ui::WindowController {
public:
    enum : int {
        kTitulo = 1, kSheet, kTabEntradas, kTabSaidas, kTabEcf, kTabFornecedores,
        kSheetEcf, kTabMestre, kTabAnalitico, kTabDiario, kLocaliza,
        kLer, kGrava, kFecha, kAjuda, kProgresso,
        kPrompt0 = 20,   // + Campo: the prompts
        kCampo0 = 30,    // + Campo: the path fields
        kBusca0 = 40,    // + Campo: their search buttons
        kLista0 = 50,    // + Campo: the lists (the three cash-register files' lists on the inner tabs)
    };

    JanelaUnificacao(ui::ProcContext& ctx, const TextosUnificacao& textos);
    ~JanelaUnificacao() override;

    ui::Level Setup() override;
    ui::Level TakeEvent(const ui::Event& e) override;
    ui::Level OnAccepted(int feq) override;
    ui::Level Teardown() override;

protected:
    virtual void Ler(GrupoUnificacao g) = 0;
    virtual void Grava(GrupoUnificacao g) = 0;
    virtual void Busca(Campo c) = 0;

    PreparoUnificacao& preparo() { return preparo_; }
    const shell::EmpresaPeriodo& periodo() const { return periodo_; }
    std::string& campo(Campo c) { return campos_[static_cast<std::size_t>(c)]; }  // UTF-8 as typed
    // The field's text as a program path, trailing blanks cut.
    std::string Caminho(Campo c);
    // The lists of a group read again from the top.
    void MostraGrupo(GrupoUnificacao g);
    // The progress bar over `total` records, shown every few hundred, and the program's stop.
    ProgressoReparo Andamento();
    // A message box titled "Atenção!!!" with one button.
    static void Aviso(const std::string& texto);
    // A question titled "Atenção!!!", "&Sim|&Não", "&Não" preselected: true for "&Sim".
    static bool Pergunta(const std::string& texto);

private:
    void Lista(Campo c, ArquivoUnificacao a, int pai);
    GrupoUnificacao GrupoDaAba();

    TextosUnificacao textos_;
    shell::EmpresaPeriodo periodo_;
    PreparoUnificacao preparo_;
    bool preparado_ = false;
    std::array<std::string, kCampos> campos_;
    std::array<std::unique_ptr<ui::TableSource>, kCampos> fontes_;
    std::array<std::unique_ptr<ui::BrowseManager>, kCampos> listas_;
};

}  // namespace vorel::maintenance
