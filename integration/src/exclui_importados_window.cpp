// The eight windows that delete imported data by import month ("ExcluiSaidasImportada" and its
// copies): the range of months, the list of the records in it, the deletion after a question.
#include <memory>

#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/exclui_importados.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::integration {

namespace {

using ui::Level;

struct Membro {
    const char* procedimento;
    const char* titulo;
    Importados qual;
    const char* sucesso;  // empty: no message (the members that never had one)
};

std::string Texto(std::string_view cp1252) { return text::to_utf8(std::string(cp1252)); }
std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
std::string Cnpj(std::string_view c) { return ui::FormatText("@p##.###.###/####-##p", std::string(c)); }
std::string Nome(int mes) {
    static const char* const nomes[] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    return mes >= 1 && mes <= 12 ? nomes[mes - 1] : std::string();
}

class ExcluiImportada : public ui::WindowController {
public:
    enum : int {
        kGrupo = 1, kPromptIni, kMesIni, kNomeIni, kPromptFim, kMesFim, kNomeFim, kLista, kContador, kProgresso,
        kExcluir, kFechar
    };

    ExcluiImportada(ui::ProcContext& ctx, Membro m)
        : ui::WindowController(ctx, m.procedimento, m.titulo), m_(m), tabela_(TabelaListada(m.qual)) {}

    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        mesIni_ = mesFim_ = std::to_string(shell::GLO_MES.Get());
        data::FileManager& f = data::dictionary::file(tabela_);
        if (data::Result r = f.open(); !r.ok()) {
            ui::Message("Não foi possível abrir " + Texto(data::error_text(r)), "Atenção!!!", ui::Icon::Exclamation);
            return Level::Cancel;
        }
        aberta_ = true;

        std::vector<std::string> meses, valores;
        for (int i = 1; i <= 12; ++i) {
            meses.push_back((i < 10 ? "0" : "") + std::to_string(i));
            valores.push_back(std::to_string(i));
        }
        ui::Window& w = window();
        w.Add(kGrupo, ui::ControlType::Group, "Período");
        w.Prompt(kPromptIni, "Mês Inicial").Parent(kGrupo);
        w.DropList(kMesIni, ui::Use(mesIni_), meses, valores).Parent(kGrupo);
        w.String(kNomeIni, "").Parent(kGrupo);
        w.Prompt(kPromptFim, "Mês Final").Parent(kGrupo);
        w.DropList(kMesFim, ui::Use(mesFim_), meses, valores).Parent(kGrupo);
        w.String(kNomeFim, "").Parent(kGrupo);
        w.List(kLista);
        w.String(kContador, "0");
        w.Progress(kProgresso);
        w.Button(kExcluir, "&Excluir");
        w.Button(kFechar, "&Fechar");

        fonte_ = std::make_unique<ui::TableSource>(f);
        lista_ = std::make_unique<ui::BrowseManager>(*this, *fonte_);
        lista_->SetList(kLista);
        lista_->AddSortOrder({0, 0, false, {}});
        lista_->SetFilter([this] { return NoIntervalo(m_.qual, data::dictionary::file(tabela_), Faixa(), shell::GLO_ANO.Get()); });
        Colunas(f);
        SetCancelButton(kFechar);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::WindowController::OnWindowOpened();
        MostraNomes();
        return l;
    }

    Level TakeEvent(const ui::Event& e) override {
        if (lista_ && lista_->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        return ui::WindowController::TakeEvent(e);
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
            case kMesIni:
            case kMesFim:
                window().Update();
                MostraNomes();
                lista_->ResetToTop();
                break;
            case kExcluir: Exclui(); break;
            case kFechar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

    Level Teardown() override {
        lista_.reset();
        fonte_.reset();
        if (aberta_) (void)data::dictionary::file(tabela_).close();
        return ui::WindowController::Teardown();
    }

private:
    FaixaMeses Faixa() const { return {std::atoi(mesIni_.c_str()), std::atoi(mesFim_.c_str())}; }

    void MostraNomes() {
        ui::Window& w = window();
        const FaixaMeses f = Faixa();
        if (!Nome(f.inicio).empty()) w[kNomeIni].Text(Nome(f.inicio));
        if (!Nome(f.fim).empty()) w[kNomeFim].Text(Nome(f.fim));
    }

    void Exclui() {
        ui::Window& w = window();
        const FaixaMeses faixa = Faixa();
        const int ano = shell::GLO_ANO.Get();
        const long total = ContaImportados(m_.qual, faixa, ano);
        const std::string pergunta = "Excluir os " + std::to_string(total) +
                                     " registros importados nos meses de " + Nome(faixa.inicio) + " a " +
                                     Nome(faixa.fim) + "?";
        if (ui::Message(pergunta, "Atenção!!!", ui::Icon::Question, "&Não|&Sim", 1) != 2) return;
        w[kProgresso].Range(0, static_cast<int>(total)).Progress(0);
        w[kContador].Text("0");
        ResultadoExclusao r = ExcluiImportados(m_.qual, faixa, shell::PeriodoDeTrabalho(), [&](long n) {
            w[kContador].Text(std::to_string(n));
            w[kProgresso].Progress(static_cast<int>(n));
        });
        lista_->ResetToTop();
        w[kProgresso].Progress(0);
        if (!r.recusa.empty()) {
            ui::Message(r.recusa, "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        if (!r.falha.ok()) {
            w[kContador].Text("0");
            ui::Message("A exclusão falhou e nada foi excluído: " + Texto(data::error_text(r.falha)), "Atenção!!!",
                        ui::Icon::Exclamation);
            return;
        }
        w.Select(kFechar);
        if (*m_.sucesso) ui::Message(m_.sucesso);
    }

    void Colunas(data::FileManager& f) {
        ui::BrowseManager& l = *lista_;
        auto n = [](auto v) { return std::to_string(v); };
        switch (m_.qual) {
            case Importados::Saidas: {
                auto& r = f.rec<dictionary::SaidaVorelRec>();
                l.AddColumn({"Número", 40, 'R', [&r, n] { return n(r.Numero); }});
                l.AddColumn({"Série", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
                l.AddColumn({"CFO", 25, 'R', [&r, n] { return n(r.CFO); }});
                l.AddColumn({"CNPJ", 80, 'L', [&r] { return Cnpj(r.CNPJ.clipped()); }});
                l.AddColumn({"Data Saida", 45, 'C', [&r] { return Data(r.DataSaida); }});
                l.AddColumn({"Complemento", 30, 'R', [&r, n] { return n(r.Complemento); }});
                break;
            }
            case Importados::Entradas: {
                auto& r = f.rec<dictionary::EntradaVorelRec>();
                l.AddColumn({"Número", 40, 'R', [&r, n] { return n(r.Numero); }});
                l.AddColumn({"Serie", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
                l.AddColumn({"CFO", 25, 'R', [&r, n] { return n(r.CFO); }});
                l.AddColumn({"CNPJ", 80, 'L', [&r] { return Cnpj(r.Cnpj.clipped()); }});
                l.AddColumn({"Data Emissão", 45, 'C', [&r] { return Data(r.DataEmissao); }});
                l.AddColumn({"Complemento", 30, 'R', [&r, n] { return n(r.Complemento); }});
                break;
            }
            case Importados::SaldoAnterior: {
                auto& r = f.rec<dictionary::EntradaVorelRec>();
                l.AddColumn({"Data Emissao", 45, 'C', [&r] { return Data(r.DataEmissao); }});
                l.AddColumn({"Quantidade", 60, 'R', [&r] { return r.Quantidade.value().to_fixed(3, ','); }});
                l.AddColumn({"Base ICMS", 60, 'R', [&r] { return r.BaseICMS.value().to_fixed(2, ','); }});
                l.AddColumn({"Base ICMSP ropria", 60, 'R', [&r] { return r.BaseICMSPropria.value().to_fixed(2, ','); }});
                l.AddColumn({"CFO", 25, 'R', [&r, n] { return n(r.CFO); }});
                l.AddColumn({"Comp", 20, 'R', [&r, n] { return n(r.Complemento); }});
                l.AddColumn({"Cod Mercadoria", 60, 'R', [&r] { return r.CodMercadoria.value().to_fixed(0); }});
                break;
            }
            case Importados::EntradaVeiculos: {
                auto& r = f.rec<dictionary::EntradaVeiculoRec>();
                l.AddColumn({"CNPJ", 80, 'L', [&r] { return Cnpj(r.CNPJforcli.clipped()); }});
                l.AddColumn({"Chassi", 80, 'L', [&r] { return Texto(r.Chassi.clipped()); }});
                l.AddColumn({"Data Entrada", 45, 'C', [&r] { return Data(r.DataEntrada); }});
                l.AddColumn({"Numero", 40, 'R', [&r, n] { return n(r.Numero); }});
                l.AddColumn({"Série", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
                l.AddColumn({"Estado", 15, 'L', [&r] { return Texto(r.Estado.clipped()); }});
                break;
            }
            case Importados::SaidaVeiculos: {
                auto& r = f.rec<dictionary::SaidaVeiculoRec>();
                l.AddColumn({"CNPJ", 80, 'L', [&r] { return Cnpj(r.CNPJforcli.clipped()); }});
                l.AddColumn({"Chassi", 80, 'L', [&r] { return Texto(r.Chassi.clipped()); }});
                l.AddColumn({"Data Saida", 45, 'C', [&r] { return Data(r.DataSaida); }});
                l.AddColumn({"Número", 40, 'R', [&r, n] { return n(r.Numero); }});
                l.AddColumn({"Série", 20, 'L', [&r] { return Texto(r.Serie.clipped()); }});
                l.AddColumn({"Estado", 15, 'L', [&r] { return Texto(r.Estado.clipped()); }});
                break;
            }
            case Importados::Lancamentos: {
                auto& r = f.rec<dictionary::LancICMSEletronicoRec>();
                auto dia = [&r] { return Data(std::atoi(std::string(r.DataEmissao.clipped()).c_str())); };
                l.AddColumn({"Código", 30, 'R', [&r, n] { return n(r.Codigo); }});
                l.AddColumn({"Data Emissão", 45, 'C', dia});
                l.AddColumn({"Inicial Cupom", 40, 'R', [&r, n] { return n(r.InicialCupom); }});
                l.AddColumn({"Final Cupom", 40, 'R', [&r, n] { return n(r.FinalCupom); }});
                l.AddColumn({"Cont Redução", 40, 'R', [&r, n] { return n(r.ContReducao); }});
                l.AddColumn({"GT Inicio", 60, 'R', [&r] { return r.GTInicio.value().to_fixed(2, ','); }});
                l.AddColumn({"GT Final", 60, 'R', [&r] { return r.GTFinal.value().to_fixed(2, ','); }});
                l.AddColumn({"Fechamento", 25, 'R', [&r, n] { return n(r.Fechamento); }});
                break;
            }
            case Importados::Maquinas: {
                auto& r = f.rec<dictionary::ICMSEletronicaRec>();
                l.AddColumn({"Codigo", 30, 'R', [&r, n] { return n(r.Codigo); }});
                l.AddColumn({"Nome", 120, 'L', [&r] { return Texto(r.Nome.clipped()); }});
                l.AddColumn({"Serie", 60, 'L', [&r] { return Texto(r.Serie.clipped()); }});
                l.AddColumn({"Cumpom Fiscal", 20, 'L', [&r] { return Texto(r.CumpomFiscal.clipped()); }});
                break;
            }
            case Importados::Produtos: {
                auto& r = f.rec<dictionary::ProdutosRec>();
                l.AddColumn({"Codigo", 60, 'R', [&r] { return r.Codigo.value().to_fixed(0); }});
                l.AddColumn({"Apelido", 60, 'L', [&r] { return Texto(r.Apelido.clipped()); }});
                l.AddColumn({"Produtos", 120, 'L', [&r] { return Texto(r.Produtos.clipped()); }});
                break;
            }
        }
    }

    Membro m_;
    const data::TableDesc& tabela_;
    std::string mesIni_, mesFim_;  // LOC:MESINI, LOC:MESFIM
    bool aberta_ = false;
    std::unique_ptr<ui::TableSource> fonte_;
    std::unique_ptr<ui::BrowseManager> lista_;
};

void Roda(ui::ProcContext& ctx, Membro m) { ExcluiImportada(ctx, m).Execute(); }

}  // namespace

void RunExcluiProdutosIntegrados(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiProdutosIntegrados", " Exclusão dos Produtos Integrados", Importados::Produtos,
               "Produtos excluídos com sucesso !!!"});
}
void RunExcluiEntradaImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiEntradaImportada", " Exclusão das Notas de Entrada Importadas", Importados::Entradas,
               "Notas excluídas com sucesso !!!"});
}
void RunExcluiSaidasImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiSaidasImportada", " Exclusão das Notas de Saída Importadas", Importados::Saidas,
               "Notas excluídas com sucesso !!!"});
}
void RunExcluiSaldoAnterior(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiSaldoAnterior", " Exclusão dos Saldos Anteriores", Importados::SaldoAnterior,
               "Saldos excluídos com sucesso !!!"});
}
void RunExcluiEntradaVeiculoImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiEntradaVeiculoImportada", " Exclusão das Entradas de Veículos Importadas",
               Importados::EntradaVeiculos, ""});
}
void RunExcluiSaidaVeiculoImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiSaidaVeiculoImportada", " Exclusão das Saidas de Veículos Importadas", Importados::SaidaVeiculos,
               ""});
}
void RunExcluiLancamentoImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiLancamentoImportada", " Exclusão dos Lançamentos de ECF Importadas", Importados::Lancamentos, ""});
}
void RunExcluiMaquinaECFImportada(ui::ProcContext& ctx) {
    Roda(ctx, {"ExcluiMaquinaECFImportada", " Exclusão das Máquinas ECF Importadas", Importados::Maquinas, ""});
}

}  // namespace vorel::integration
