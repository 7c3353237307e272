// Text report "RelEmpresaM" (window "Relatório de Empresas"): the company listing for the
// dot-matrix printer, every company of `Empresa` by name, three 136-column lines each under a
// seven-line page header, pages of the printer's length; the run's temporary file is copied straight
// to the printer's port and deleted. Writes nothing but that file.
#include "estilo.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/listings/empresas.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window.h"

namespace vorel::listings {

namespace {

using estilo::W;

std::string Centro(std::string_view t, std::size_t largura) {
    const std::string s(text::trim(t));
    if (s.size() >= largura) return s.substr(0, largura);
    const std::size_t antes = (largura - s.size()) / 2;
    return std::string(antes, ' ') + s + std::string(largura - s.size() - antes, ' ');
}

std::string Campo(std::string_view t, std::size_t largura) { return text::pad(text::left(t, largura), largura); }
std::string Brancos(std::size_t n) { return std::string(n, ' '); }

class ListagemTexto {
public:
    explicit ListagemTexto(const shell::CodigosImpressoraRec& c) : c_(c) {
        // A printer without a page length prints pages of 66 lines.
        limite_ = (c.NLINHAS >= 12 ? c.NLINHAS : 66) - 2;
        rodape_ = shell::RodapeRelatorio();
    }

    std::vector<std::string> Linhas(const std::function<void(std::size_t, std::size_t)>& progresso) {
        estilo::Leitura empresas(dictionary::Empresa(), "Empresa");
        if (empresas.Abre(dictionary::keys::EMP_KEY_RAZAOSOCIAL)) {
            const std::size_t total = empresas.Total();
            std::size_t lidos = 0;
            while (empresas.Proximo()) {
                Escreve(empresas.rec<dictionary::EmpresaRec>());
                if (progresso) progresso(++lidos, total);
            }
        }
        if (contagem_ > 0) FimDePagina();
        return std::move(linhas_);
    }

private:
    void Cabecalho() {
        ++pagina_;
        linhas_.push_back(std::string(text::clip(c_.LEXP)) + std::string(text::clip(c_.LNEG)) +
                          Centro("Listagem do Arquivo de Empresas", 40) + std::string(text::clip(c_.DNEG)) +
                          std::string(text::clip(c_.DEXP)));
        const std::string pagina = W("Número Página....") + picture::format("@n03", pagina_);
        linhas_.push_back(Brancos(80 - pagina.size()) + pagina);
        linhas_.push_back(std::string(text::clip(c_.CPI17)) + std::string(136, '='));
        linhas_.push_back("| " + Campo(W("Código"), 7) + Campo(W("Razão Social"), 41) + Campo("C.N.P.J.", 45) +
                          Campo(W("Inscrição Estadual"), 40) + "|");
        linhas_.push_back("| " + Campo(W("Endereço"), 48) + Campo(W("Número"), 12) + Campo("Complemento", 33) +
                          Campo("Bairro", 40) + "|");
        linhas_.push_back("| " + Campo("Cidade", 30) + Campo("UF", 18) + Campo("C.E.P.", 12) + Campo("E-Mail", 33) +
                          Campo("C.N.A.E.", 12) + Campo("D.D.D.", 7) + Campo("Fone", 15) + Campo("Ramal", 6) + "|");
        linhas_.push_back(std::string(136, '-'));
        contagem_ = 7;
    }

    void FimDePagina() {
        linhas_.push_back(std::string(136, '='));
        linhas_.push_back(rodape_);
        linhas_.push_back("\f");
        contagem_ = 0;
    }

    void Escreve(const dictionary::EmpresaRec& e) {
        if (contagem_ == 0) Cabecalho();
        linhas_.push_back("| " + picture::format("@n6", e.Codigo) + " " + Campo(e.RAZAOSOCIAL.value(), 40) + " " +
                          picture::format(estilo::kPadraoCnpj, e.CGC.value()) + Brancos(27) +
                          Campo(e.INSCESTADUAL.value(), 20) + Brancos(20) + "|");
        linhas_.push_back("| " + Campo(e.ENDERECO.value(), 40) + Brancos(8) + picture::format("@p####p", e.NUMERO) +
                          Brancos(8) + Campo(e.COMPLEMENTO.value(), 25) + Brancos(8) + Campo(e.BAIRRO.value(), 25) +
                          Brancos(15) + "|");
        linhas_.push_back("| " + Campo(e.CIDADE.value(), 25) + Brancos(5) + Campo(e.UF.value(), 2) + Brancos(16) +
                          picture::format("@p##.###-###p", e.CEP) + Brancos(2) + Campo(e.EMAIL.value(), 30) + Brancos(3) +
                          picture::format("@p####-#/##p", e.CNAE) + Brancos(2) + picture::format("@p<###p", e.DDD) +
                          Brancos(4) + picture::format("@p####-####p", e.FONE) + Brancos(6) +
                          picture::format("@p####p", e.RAMALFONE) + Brancos(2) + "|");
        contagem_ += 3;
        if (contagem_ >= limite_) FimDePagina();
    }

    shell::CodigosImpressoraRec c_;
    int limite_ = 64;
    std::string rodape_;
    std::vector<std::string> linhas_;
    int contagem_ = 0;
    int pagina_ = 0;
};

}  // namespace

std::vector<std::string> LinhasRelEmpresaM(const shell::CodigosImpressoraRec& codigos) {
    return ListagemTexto(codigos).Linhas({});
}

void RelEmpresaM(ui::ProcContext& ctx) {
    data::ProcedureScope procedimento("RelEmpresaM");
    if (shell::GLO_CODIMPRESSORA.Get() == 0) {
        ui::Message("Selecione uma impressora para imprimir", "Impressora não selecionada", ui::Icon::Information);
        return;
    }
    shell::ArquivoTexto arquivo(shell::CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) {
        ui::Message(o.error, "Atenção!!!", ui::Icon::Exclamation);
        return;
    }
    std::vector<std::string> linhas;
    {
        ui::Window w(ctx, "");
        w.SetCaptionBar(false);
        w.String(1, "Relatório de Empresas");
        w.Progress(2).Range(0, 100);
        w.Open();
        linhas = ListagemTexto(arquivo.codigos()).Linhas([&w](std::size_t lidos, std::size_t total) {
            if (total > 0 && (lidos % 3 == 0 || lidos == total))
                w[2].Range(0, static_cast<int>(total)).Progress(static_cast<int>(lidos));
        });
        w.Close();
    }
    for (const std::string& linha : linhas) {
        if (report::Outcome o = arquivo.GravaLinhaTexto(linha); !o.ok()) {
            ui::Message("O relatório não foi impresso.|" + o.error, "!! Atenção !!", ui::Icon::Exclamation);
            arquivo.Apaga();
            return;
        }
    }
    if (linhas.empty()) {  // an empty register sends nothing to the printer
        arquivo.Apaga();
        return;
    }
    (void)shell::EncerraRelatorioTexto(ctx, arquivo, "", false);  // tells the user of a failure itself
}

}  // namespace vorel::listings
