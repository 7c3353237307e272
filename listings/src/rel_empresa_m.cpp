// Text report "RelEmpresaM" (window "Relatório de Empresas"): the company listing for the
// dot-matrix printer, every company of `Empresa` by name, three 136-column lines each under a
// seven-line page header, pages of the printer's length, written as the companies are read behind a
// small window with "&Cancela"; the run's temporary file is copied straight to the printer's port
// and deleted (nothing is sent after a cancel). Writes nothing but that file.
#include "estilo.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/empresas.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_report_run.h"
#include "vorel/ui/message_box.h"

namespace vorel::listings {

namespace {

using estilo::W;
using fiscal::estilo::Centro;

std::string Campo(std::string_view t, std::size_t largura) { return text::pad(text::left(t, largura), largura); }
std::string Brancos(std::size_t n) { return std::string(n, ' '); }

// The listing's lines, handed one by one to the run's writer as the companies are read.
class ListagemTexto {
public:
    ListagemTexto(const shell::CodigosImpressoraRec& c, shell::EscreveLinhaTexto escreve)
        : c_(c), escreve_(std::move(escreve)) {
        // A printer without a page length prints pages of 66 lines.
        limite_ = (c.NLINHAS >= 12 ? c.NLINHAS : 66) - 2;
        rodape_ = shell::RodapeRelatorio();
    }

    // Every company by name; stops at a line that cannot be written or when `progresso` says the
    // user cancelled. The open page is ended either way.
    report::Outcome Escreve(const shell::ProgressoTexto& progresso) {
        estilo::Leitura empresas(dictionary::Empresa(), "Empresa");
        if (empresas.Abre(dictionary::keys::EMP_KEY_RAZAOSOCIAL)) {
            const std::size_t total = empresas.Total();
            std::size_t lidos = 0;
            while (falha_.ok() && empresas.Proximo()) {
                EscreveEmpresa(empresas.rec<dictionary::EmpresaRec>());
                if (progresso && !progresso(++lidos, total)) break;
            }
        }
        if (contagem_ > 0) FimDePagina();
        return falha_;
    }

private:
    void Linha(const std::string& l) {
        if (falha_.ok()) falha_ = escreve_(l);
    }

    void Cabecalho() {
        ++pagina_;
        Linha(std::string(text::clip(c_.LEXP)) + std::string(text::clip(c_.LNEG)) +
              Centro("Listagem do Arquivo de Empresas", 40) + std::string(text::clip(c_.DNEG)) +
              std::string(text::clip(c_.DEXP)));
        const std::string pagina = W("Número Página....") + picture::format("@n03", pagina_);
        Linha(Brancos(80 - pagina.size()) + pagina);
        Linha(std::string(text::clip(c_.CPI17)) + std::string(136, '='));
        Linha("| " + Campo(W("Código"), 7) + Campo(W("Razão Social"), 41) + Campo("C.N.P.J.", 45) +
              Campo(W("Inscrição Estadual"), 40) + "|");
        Linha("| " + Campo(W("Endereço"), 48) + Campo(W("Número"), 12) + Campo("Complemento", 33) + Campo("Bairro", 40) +
              "|");
        Linha("| " + Campo("Cidade", 30) + Campo("UF", 18) + Campo("C.E.P.", 12) + Campo("E-Mail", 33) +
              Campo("C.N.A.E.", 12) + Campo("D.D.D.", 7) + Campo("Fone", 15) + Campo("Ramal", 6) + "|");
        Linha(std::string(136, '-'));
        contagem_ = 7;
    }

    void FimDePagina() {
        Linha(std::string(136, '='));
        Linha(rodape_);
        Linha("\f");
        contagem_ = 0;
    }

    void EscreveEmpresa(const dictionary::EmpresaRec& e) {
        if (contagem_ == 0) Cabecalho();
        Linha("| " + picture::format("@n6", e.Codigo) + " " + Campo(e.RAZAOSOCIAL.value(), 40) + " " +
              picture::format(estilo::kPadraoCnpj, e.CGC.value()) + Brancos(27) + Campo(e.INSCESTADUAL.value(), 20) +
              Brancos(20) + "|");
        Linha("| " + Campo(e.ENDERECO.value(), 40) + Brancos(8) + picture::format("@p####p", e.NUMERO) + Brancos(8) +
              Campo(e.COMPLEMENTO.value(), 25) + Brancos(8) + Campo(e.BAIRRO.value(), 25) + Brancos(15) + "|");
        Linha("| " + Campo(e.CIDADE.value(), 25) + Brancos(5) + Campo(e.UF.value(), 2) + Brancos(16) +
              picture::format("@p##.###-###p", e.CEP) + Brancos(2) + Campo(e.EMAIL.value(), 30) + Brancos(3) +
              picture::format("@p####-#/##p", e.CNAE) + Brancos(2) + picture::format("@p<###p", e.DDD) + Brancos(4) +
              picture::format("@p####-####p", e.FONE) + Brancos(6) + picture::format("@p####p", e.RAMALFONE) +
              Brancos(2) + "|");
        contagem_ += 3;
        if (contagem_ >= limite_) FimDePagina();
    }

    shell::CodigosImpressoraRec c_;
    shell::EscreveLinhaTexto escreve_;
    report::Outcome falha_;
    int limite_ = 64;
    std::string rodape_;
    int contagem_ = 0;
    int pagina_ = 0;
};

}  // namespace

std::vector<std::string> LinhasRelEmpresaM(const shell::CodigosImpressoraRec& codigos) {
    std::vector<std::string> linhas;
    (void)ListagemTexto(codigos, [&linhas](const std::string& l) {
        linhas.push_back(l);
        return report::Outcome{};
    }).Escreve({});
    return linhas;
}

void RelEmpresaM(ui::ProcContext& ctx) {
    data::ProcedureScope procedimento("RelEmpresaM");
    if (shell::GLO_CODIMPRESSORA.Get() == 0) {
        ui::Message("Selecione uma impressora para imprimir", "Impressora não selecionada", ui::Icon::Information);
        return;
    }
    // "&Cancela" stops the listing: the open page is ended and the printed part goes to the port.
    // An empty register sends nothing.
    (void)shell::ExecutaRelatorioTexto(ctx, {"Relatório de Empresas", "", false, true, true},
                                       [](const shell::CodigosImpressoraRec& codigos, const shell::EscreveLinhaTexto& escreve,
                                          const shell::ProgressoTexto& progresso) {
                                           return ListagemTexto(codigos, escreve).Escreve(progresso);
                                       });
}

}  // namespace vorel::listings
