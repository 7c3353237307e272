// The vehicle runs started from their option windows: progress windows, message boxes, the output
// chosen, the December carry after it, and the work table deleted at the end.
#include "veiculos_execucao.h"

#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"

#include "vorel/core/text.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation {

namespace {

// A run's progress window and its message boxes.
class JanelaVeiculos : public AvisosCalculo {
public:
    JanelaVeiculos(ui::ProcContext& ctx, const char* titulo) : janela_(ctx, titulo) {}
    bool Progresso(const ProgressoCalculo& p) override { return janela_.Update(p.barra1, p.total1); }
    void Mensagem(std::string_view titulo, std::string_view texto) override {
        (void)ui::Message(std::string(texto), std::string(titulo), ui::Icon::Exclamation);
    }

private:
    ui::ProgressWindow janela_;
};

void Falhou(const std::string& titulo, const std::string& erro) {
    if (!erro.empty()) (void)ui::Message(erro, titulo, ui::Icon::Exclamation);
}

// A printed output that this version does not have yet.
void Indisponivel(const char* nome) {
    (void)ui::Message(std::string("A função \"") + nome + "\" ainda não está disponível nesta versão.", "Vorel",
                      ui::Icon::Exclamation);
}

// The text report of the sheet ("PlanilhaVeiculoM" / "PlanilhaVeiculoM2") from the run's work
// table, shown in the text viewer; the temporary file is deleted when the viewer closes.
void PlanilhaVeiculoM(ui::ProcContext& ctx, const ResultadoVeiculos& r, const OpcoesVeiculos& opcoes) {
    const int modelo = opcoes.modelo == 1 ? 1 : 0;
    data::ProcedureScope procedimento(modelo == 0 ? "PlanilhaVeiculoM" : "PlanilhaVeiculoM2");
    shell::ArquivoTexto arquivo(shell::CodigosImpressora.Get());
    if (report::Outcome o = arquivo.AbreTemporario(); !o.ok()) return Falhou("Atenção!!!", o.error);
    if (shell::GLO_CODIMPRESSORA.Get() != 0) {
        data::FileManager trabalho(dictionary::EntradaSaidaVorel());
        if (!trabalho.open_path(r.arquivoTrabalho).ok()) {
            arquivo.Apaga();
            return Falhou("Atenção!!!", "Abrindo a tabela de trabalho");
        }
        CabecalhoVeiculos cab = CabecalhoDaEmpresa(opcoes.percentual, r.mes, r.ano);
        cab.emissao = date::today();
        std::string erro;
        TextoPlanilhaVeiculos texto(modelo, cab, arquivo.codigos(), shell::RodapeRelatorio(), [&](const std::string& l) {
            if (erro.empty())
                if (report::Outcome o = arquivo.GravaLinhaTexto(l); !o.ok()) erro = o.error;
        });
        JanelaVeiculos janela(ctx, "Imprimindo Planilha de Veículos");
        ProgressoCalculo p;
        p.total1 = trabalho.records();
        trabalho.clear_record();
        bool lendo = trabalho.set(dictionary::keys::Esa_Key_DataEspelho).ok();
        while (lendo && erro.empty() && trabalho.next().ok()) {
            texto.Linha(trabalho.rec<dictionary::EntradaSaidaVorelRec>());
            ++p.barra1;
            lendo = janela.Progresso(p);  // "&Cancela": the lines written so far stay
        }
        texto.Fecha();
        (void)trabalho.close();
        if (!erro.empty()) {
            arquivo.Apaga();
            return Falhou("Atenção!!!", erro);
        }
    } else {
        (void)ui::Message("Selecione uma impressora para imprimir", "Impressora não selecionada", ui::Icon::Exclamation);
    }
    if (report::Outcome o = arquivo.Fecha(); !o.ok()) {
        arquivo.Apaga();
        return Falhou("Atenção!!!", o.error);
    }
    shell::Visualiza_Relatorio_Matricial(ctx, arquivo.nome(), arquivo.codigos(),
                                         modelo == 0 ? "RelPlaVeiculos.txt" : "RelPlaVeiculos2.txt");
    arquivo.Apaga();
}

}  // namespace

void ExecutaPlanilhaVeiculos(ui::ProcContext& ctx, const OpcoesVeiculos& opcoes, const std::string& nomeArquivo) {
    static const char* const kProcedimentos[2][2] = {{"CalculoPlanilhaVeiculos", "CalculoPlanilhaVeiculos2"},
                                                     {"CalculoPlanilhaVeicFornecedor", "CalculoPlanilhaVeicFornecedor2"}};
    const int modelo = opcoes.modelo == 1 ? 1 : 0;
    data::ProcedureScope procedimento(kProcedimentos[opcoes.umFornecedor ? 1 : 0][modelo]);
    ResultadoVeiculos r;
    {
        JanelaVeiculos janela(ctx, "Cálculo da Planilha de Veículos");
        r = CalculoPlanilhaVeiculos(opcoes, janela);
    }
    if (!r.ok) return Falhou("Cálculo da Planilha de Veículos", r.erro == "Cancelado" ? std::string() : r.erro);

    if (!nomeArquivo.empty()) {
        data::ProcedureScope saida(modelo == 0 ? "PlanilhaVeiculoExcel" : "PlanilhaVeiculo2Excel");
        JanelaVeiculos janela(ctx, modelo == 0 ? "Gerando Planilha de Veículos Excel" : "Imprimindo Planilha de Veículos");
        ResultadoVeiculos x = PlanilhaVeiculoExcel(r, opcoes, nomeArquivo, janela);
        if (!x.ok && x.erro != "Cancelado") Falhou("Planilha de Veículos Excel", x.erro);
    } else if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) {
        PlanilhaVeiculoM(ctx, r, opcoes);
    } else {
        Indisponivel(modelo == 0 ? "PlanilhaVeiculo" : "PlanilhaVeiculo2");
    }

    ResultadoVeiculos t = TransportaVeiculos(r, opcoes);
    ApagaTrabalho(r.arquivoTrabalho);
    if (!t.ok) Falhou("Transporte dos Veículos para o Ano Seguinte", t.erro);
}

void ExecutaResumoFinalVeiculo(ui::ProcContext& ctx, int /*paginaInicial*/) {
    data::ProcedureScope procedimento("ResumoFinalVeiculo");
    ResultadoResumoVeiculos r;
    {
        JanelaVeiculos janela(ctx, "Resumo Final de Veículos");
        r = ResumoFinalVeiculo(janela);
    }
    if (!r.ok) return Falhou("Resumo Final de Veículos", r.erro == "Cancelado" ? std::string() : r.erro);
    if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) return;
    Indisponivel("RelatorioFinalVeiculos");
}

void PreencheEmailVeiculos(const char* titulo, bool comFornecedor, const std::string& codigo, const std::string& nome) {
    shell::PreencheEmail(titulo, comFornecedor ? " - Fornecedor: " + codigo + " - " + std::string(text::clip(nome)) : std::string());
}

}  // namespace vorel::computation
