// The option window of the movement listings ("RelatorioEntradas", "RelatorioSaidas"): the
// "Filtrar Cliente/Fornecedor" box with the party's code, look-up button and name, the model's drop
// list, the e-mail options and the two buttons of `shell::JanelaOpcoesRelatorio`. A code accepted
// is looked up among the active parties of `ForCli`; one that is not there opens the register's
// browse ("Fornecedores", select), whose current record becomes the party. The window keeps the
// party chosen (code, CNPJ, CPF, name) for itself, so every print lists that party, and hands it to
// the report only while the box is ticked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vorel/listings/movimentos.h"
#include "vorel/shell/report_options_window.h"

namespace vorel::listings {

class JanelaParte : public shell::JanelaOpcoesRelatorio {
public:
    // The texts that differ between the two windows (UTF-8).
    struct Textos {
        std::string grupoFiltro, grupoModelo, titulo;
        std::vector<std::string> modelos;  // the drop list's entries, values 1, 2, ...
    };
    enum : int {
        kGrupoFiltro = 1, kFiltrar, kGrupoParte, kPromptCodigo, kCodigo, kPesquisa, kPromptNome, kNome,
        kGrupoModelo, kModelo, kImprimir, kCancelar, kEmail
    };

    JanelaParte(ui::ProcContext& ctx, std::string procedimento, std::string caption, Textos textos);

protected:
    // The report of the model chosen, for the party chosen (codigo 0: everyone).
    virtual void Imprime(const ParteEscolhida& parte, int modelo) = 0;

private:
    ui::Level AdicionaOpcoes(ui::Window& w) override;
    void Imprime() override;
    void OnOption(int feq) override;
    // The window opens without a company too; a print asks for one again and runs whatever the answer.
    bool AbreSemEmpresa() const override { return true; }

    bool Procura();   // the typed code among the active parties
    void Escolhe();   // the register's browse
    void Guarda(std::uint32_t codigo, std::string_view cgc, std::string_view cpf, std::string_view nome);

    Textos textos_;
    bool filtrar_ = false;
    std::uint32_t codigo_ = 0;
    std::string nome_;      // UTF-8, as shown
    ParteEscolhida parte_;  // the party whose code and name the window shows
    std::uint8_t modelo_ = 1;
};

}  // namespace vorel::listings
