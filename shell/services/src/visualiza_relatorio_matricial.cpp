// Window "Visualização Impressão Matricial" (Visualiza_Relatorio_Matricial): a text report's lines
// in pages of the printer's lines, search, page jump, save and print. Reads the table Impressora
// (the chosen printer's name and port for the title).
#include <optional>

#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/report/print_file.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace v = visualizador;

std::string U(std::string_view cp1252) { return text::to_utf8(cp1252); }

class Visualizador : public WindowController {
public:
    Visualizador(ProcContext& ctx, std::string_view arquivo, const CodigosImpressoraRec& codigos, std::string_view nome)
        : WindowController(ctx, "Visualiza_Relatorio_Matricial", "Visualização Impressão Matricial"),
          arquivo_(arquivo), codigos_(codigos), nomeSalvar_(nome),
          paginas_(Linhas(arquivo, codigos, erroLeitura_), codigos.NLINHAS) {}

    Level Setup() override {
        WindowController::Setup();
        Window& w = window();
        std::vector<Column> colunas{{"Linha", 0, 'R'}};
        for (int i = 0; i < 30; ++i) colunas.push_back({"", 10 * 4, 'L'});
        // The lines as the printer prints them: a fixed-pitch face, so their columns line up.
        w.List(v::kLista, colunas).Font("Courier New").Rows(Linhas());
        w.Prompt(v::kPromptBusca, "Pesquisar no relatório por");
        w.Entry(v::kBusca, Use(busca_));
        w.Radio(v::kAcima, " Acima", Direcao(1));
        w.Radio(v::kAbaixo, " Abaixo", Direcao(0));
        w.Button(v::kPesquisar, "&Pesquisar").Tip("Pesquisar - Alt + P");
        w.Prompt(v::kPromptTotal, "Total de Paginas");
        w.String(v::kTotal, std::to_string(paginas_.totalPaginas()));
        w.Entry(v::kPagina, UseFn([this] { return std::to_string(pagina_); },
                                  [this](const std::string& s) {
                                      long long p = 0;
                                      if (!ParseLeadingInteger(s, p)) return false;
                                      Salta(p);
                                      return true;
                                  }));
        w.Button(v::kSalvar, "&Salvar").Tip("Salvar - Alt + S");
        w.Button(v::kImprimir, "&Imprimir").Tip("Imprimir - Alt + I");
        w.Button(v::kFechar, "&Fechar").Tip("Fechar - Alt + F");
        SetCancelButton(v::kFechar);
        navigator().ExcludeControl(v::kLista);
        if (auto imp = LeImpressora(GLO_CODIMPRESSORA.Get()))
            w.SetCaption("Visualização Impressão Matricial - " + U(imp->NOME.clipped()) + " em " + U(imp->PORTA.clipped()));
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        if (!erroLeitura_.empty()) Message(erroLeitura_, "!! Atenção !!", Icon::Exclamation, "&OK");
        return WindowController::OnWindowOpened();
    }

    Level OnNewSelection(int feq) override {
        if (feq == v::kLista) {
            posicao_ = window()[v::kLista].selected();
            pagina_ = paginas_.PaginaDaLinha(posicao_);
        }
        return WindowController::OnNewSelection(feq);
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case v::kBusca: {
                bool vazio = text::clip(busca_).empty();
                window()[v::kPesquisar].Enable(!vazio);
                window()[v::kAcima].Enable(!vazio);
                window()[v::kAbaixo].Enable(!vazio);
                if (!vazio) window().Select(direcao_ == 1 ? v::kAcima : v::kAbaixo);
                return Level::Benign;
            }
            case v::kPesquisar: Pesquisa(); return Level::Benign;
            case v::kSalvar: Salva_Relatorio_Matricial(ctx_, arquivo_, nomeSalvar_); return Level::Benign;
            case v::kImprimir: Imprime(); return Level::Benign;
            default: return WindowController::OnAccepted(feq);
        }
    }

private:
    static std::vector<std::string> Linhas(std::string_view arquivo, const CodigosImpressoraRec& codigos,
                                           std::string& erro) {
        std::vector<std::string> linhas = LeLinhasArquivo(arquivo, &erro);
        for (std::string& l : linhas) l = LinhaExibida(l, codigos);
        return linhas;
    }

    std::vector<Row> Linhas() const {
        std::vector<Row> rows;
        rows.reserve(static_cast<std::size_t>(paginas_.linhas()));
        for (int n = 1; n <= paginas_.linhas(); ++n) {
            Row r;
            r.push_back({text::zero_fill(n, 5)});
            const std::string& l = paginas_.linha(n);
            for (std::size_t c = 0; c < 30; ++c) r.push_back({U(c * 10 < l.size() ? l.substr(c * 10, 10) : "")});
            rows.push_back(std::move(r));
        }
        return rows;
    }

    UsePtr Direcao(int valor) {
        return UseFn([this, valor] { return std::string(direcao_ == valor ? "1" : "0"); },
                     [this, valor](const std::string& s) {
                         if (s == "1") direcao_ = valor;
                         return true;
                     });
    }

    void Seleciona(int linha) {
        if (linha >= 1 && linha <= paginas_.linhas()) window()[v::kLista].Selected(linha);
    }

    void Salta(long long p) {
        PaginasTexto::Salto s = paginas_.SaltaParaPagina(p);
        pagina_ = s.pagina;
        if (s.linha == 0) return;
        posicao_ = s.linha;
        Seleciona(s.linha);
    }

    void Pesquisa() {
        const std::string procura = text::from_utf8(busca_);
        const bool acima = direcao_ == 1;
        int achada = paginas_.Pesquisa(procura, acima, posicao_);
        if (achada) {
            Seleciona(achada);
            pagina_ = paginas_.PaginaDaLinha(achada);
        } else {
            pagina_ = paginas_.PaginaDaLinha(posicao_);
            Message(TextoNaoEncontrado(procura, acima), "!! Atenção !!", Icon::Information, "&OK");
        }
    }

    void Imprime() {
        report::Outcome o = report::print_file(arquivo_, DestinoDaPorta(codigos_.PORTA));
        if (!o.ok()) {
            Message("Não foi possível imprimir o relatório.|" + o.error, "!! Atenção !!", Icon::Exclamation, "&OK");
            return;
        }
        CloseWith(Response::Completed);
    }

    std::string arquivo_;
    CodigosImpressoraRec codigos_;
    std::string nomeSalvar_;
    std::string erroLeitura_;  // the file could not be read (UTF-8)
    PaginasTexto paginas_;
    std::string busca_;
    int direcao_ = 0;   // LOC:TIPOP: 1 up, 0 down
    int pagina_ = 1;    // LOC:PAG
    int posicao_ = 0;   // the search position (a line number)
};

}  // namespace

void Visualiza_Relatorio_Matricial(ProcContext& ctx, std::string_view arquivo, const CodigosImpressoraRec& codigos,
                                   std::string_view nomeSalvar) {
    Visualizador(ctx, arquivo, codigos, nomeSalvar).Execute();
}

report::Outcome EncerraRelatorioTexto(ProcContext& ctx, ArquivoTexto& arquivo, std::string_view nomeSalvar,
                                      bool visualizar) {
    report::Outcome o = arquivo.Fecha();
    if (o.ok()) {
        if (visualizar)
            Visualiza_Relatorio_Matricial(ctx, arquivo.nome(), arquivo.codigos(), nomeSalvar);
        else
            o = report::print_file(arquivo.nome(), DestinoDaPorta(arquivo.codigos().PORTA));
    }
    arquivo.Apaga();
    if (!o.ok()) Message("O relatório não foi impresso.|" + o.error, "!! Atenção !!", Icon::Exclamation, "&OK");
    return o;
}

}  // namespace vorel::shell
