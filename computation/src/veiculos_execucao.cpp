// The vehicle runs started from their option windows: progress windows, message boxes, the output
// chosen, the December carry after it, and the work table deleted at the end.
#include "veiculos_execucao.h"

#include <algorithm>
#include <utility>

#include "vorel/computation/planilha_veiculos_paginas.h"
#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/text_viewer.h"

#include "vorel/core/text.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/email_options.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window_controller.h"

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

shell::OpcoesRelatorio Opcoes(const char* nome, const char* anexo) {
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.anexo = anexo;
    o.email = shell::CapturaCamposEmail();
    return o;
}

// The page report of the sheet ("PlanilhaVeiculo" / "PlanilhaVeiculo2") from the run's work table
// in Esa:Key:DataEspelho order, through the previewer step; an empty table shows nothing.
void PlanilhaVeiculo(ui::ProcContext& ctx, const ResultadoVeiculos& r, const OpcoesVeiculos& opcoes) {
    const int modelo = opcoes.modelo == 1 ? 1 : 0;
    const char* nome = modelo == 0 ? "PlanilhaVeiculo" : "PlanilhaVeiculo2";
    data::ProcedureScope procedimento(nome);
    data::FileManager trabalho(dictionary::EntradaSaidaVorel());
    if (!trabalho.open_path(r.arquivoTrabalho).ok()) return Falhou("Atenção!!!", "Abrindo a tabela de trabalho");
    CabecalhoVeiculos cab = CabecalhoDaEmpresa(opcoes.percentual, r.periodo);
    cab.emissao = date::today();
    PaginasPlanilhaVeiculos paginas(modelo, cab, shell::RodapeRelatorio());
    report::RecordLoop loop;
    loop.total = static_cast<std::size_t>(std::max<std::int64_t>(0, trabalho.records()));
    bool primeiro = true;
    loop.next = [&] {
        if (std::exchange(primeiro, false)) {
            trabalho.clear_record();
            if (!LeSoCamposDaLinhaVeiculo(trabalho).ok() || !trabalho.set(dictionary::keys::Esa_Key_DataEspelho).ok()) {
                data::AvisoPadraoSemTexto(36);
                return false;
            }
        }
        const data::Result lido = trabalho.next();
        if (lido.ok()) return true;
        if (lido != data::kRecordNotAvailable) (void)data::AvisoPadraoComTexto(35, "EntradaSaidaVorel");
        return false;
    };
    loop.on_record = [&](report::ReportController&) { paginas.Linha(trabalho.rec<dictionary::EntradaSaidaVorelRec>()); };
    loop.on_end = [&](report::ReportController&) { paginas.Fecha(); };
    ctx.response = shell::ExecutaRelatorio(ctx, paginas.Relatorio(), std::move(loop), Opcoes(nome, "PlanilhaVeiculos.zip"));
    (void)trabalho.close();
}

// The final summary's page report from the run's `ResumoFinal`, pages numbered from `paginaInicial`.
void RelatorioFinal(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, data::FileManager& resumo,
                    int paginaInicial) {
    data::ProcedureScope procedimento("RelatorioFinalVeiculos");
    std::vector<LinhaResumoVeiculo> linhas;
    if (!LeResumoFinalVeiculo(resumo, linhas)) return data::AvisoPadraoSemTexto(36);
    CabecalhoFinalVeiculos cab;
    cab.razao = shell::GLO_EMPRESA_RAZAO.Get();
    cab.inscricao = std::string(text::clip(CabecalhoDaEmpresa({}, periodo).inscricao));
    cab.mes = periodo.mes;
    cab.ano = periodo.ano;
    cab.emissao = date::today();
    RelatorioFinalVeiculos relatorio(cab, paginaInicial, shell::RodapeRelatorio());
    std::size_t proxima = 0;
    report::RecordLoop loop;
    loop.total = linhas.size();
    loop.next = [&] { return proxima < linhas.size(); };
    loop.on_record = [&](report::ReportController&) { relatorio.Linha(linhas[proxima++]); };
    loop.on_end = [&](report::ReportController&) { relatorio.Fecha(); };
    ctx.response = shell::ExecutaRelatorio(ctx, relatorio.Relatorio(), std::move(loop),
                                           Opcoes("RelatorioFinalVeiculos", "PlanilhaFinalVeiculos.zip"));
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
        CabecalhoVeiculos cab = CabecalhoDaEmpresa(opcoes.percentual, r.periodo);
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
        bool lendo =
            LeSoCamposDaLinhaVeiculo(trabalho).ok() && trabalho.set(dictionary::keys::Esa_Key_DataEspelho).ok();
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

void ExecutaPlanilhaVeiculos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const OpcoesVeiculos& opcoes,
                             const std::string& nomeArquivo) {
    static const char* const kProcedimentos[2][2] = {{"CalculoPlanilhaVeiculos", "CalculoPlanilhaVeiculos2"},
                                                     {"CalculoPlanilhaVeicFornecedor", "CalculoPlanilhaVeicFornecedor2"}};
    const int modelo = opcoes.modelo == 1 ? 1 : 0;
    data::ProcedureScope procedimento(kProcedimentos[opcoes.umFornecedor ? 1 : 0][modelo]);
    ResultadoVeiculos r;
    {
        JanelaVeiculos janela(ctx, "Cálculo da Planilha de Veículos");
        r = CalculoPlanilhaVeiculos(periodo, opcoes, janela);
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
        PlanilhaVeiculo(ctx, r, opcoes);
    }

    ResultadoVeiculos t = TransportaVeiculos(r, opcoes);
    ApagaTrabalho(r.arquivoTrabalho);
    if (!t.ok) Falhou("Transporte dos Veículos para o Ano Seguinte", t.erro);
}

void ExecutaResumoFinalVeiculo(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, int paginaInicial) {
    data::ProcedureScope procedimento("ResumoFinalVeiculo");
    ResultadoResumoVeiculos r;
    {
        JanelaVeiculos janela(ctx, "Resumo Final de Veículos");
        r = ResumoFinalVeiculo(periodo, janela);
    }
    if (!r.ok) return Falhou("Resumo Final de Veículos", r.erro == "Cancelado" ? std::string() : r.erro);
    // The rows live in a `ResumoFinal` of this run's own, deleted when the report is done.
    data::FileManager resumo(dictionary::ResumoFinal());
    if (std::string erro = AbreResumoFinal(resumo); !erro.empty()) return Falhou("Resumo Final de Veículos", erro);
    const ApagaResumoFinal apaga(resumo);
    if (std::string erro = GravaResumoFinalVeiculo(r.linhas, resumo); !erro.empty())
        return Falhou("Resumo Final de Veículos", erro);
    if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) return;
    RelatorioFinal(ctx, periodo, resumo, paginaInicial);
}

void AdicionaModeloEPercentual(ui::Window& w, OpcoesVeiculos& opcoes, int primeiro) {
    w.Prompt(primeiro, "Modelo:");
    w.DropList(primeiro + 1,
               ui::UseFn([&opcoes] { return std::to_string(opcoes.modelo); },
                         [&opcoes](const std::string& s) {
                             opcoes.modelo = s == "1" ? 1 : 0;
                             return true;
                         }),
               {"0-Data", "1-Compra e Venda"}, {"0", "1"});
    w.Prompt(primeiro + 2, "Percentual:");
    w.Entry(primeiro + 3, ui::UseDecimal(opcoes.percentual, 5, 2)).Tip("Percentual a ser Impresso Relatório");
}

void PreencheEmailVeiculos(const char* titulo, bool comFornecedor, const std::string& codigo, const std::string& nome) {
    shell::PreencheEmail(titulo, comFornecedor ? " - Fornecedor: " + codigo + " - " + std::string(text::clip(nome)) : std::string());
}

}  // namespace vorel::computation
