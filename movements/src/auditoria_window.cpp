// Window "Auditoria" ("Auditoria de Lançamentos"): the audit of the working month's entry and exit
// items. Reads EntradaVorel or SaidaVorel (the working year's files, never redirected) and the
// registers; writes only the pass's own file of faulty items (EntradaVorel0 / SaidaVorel0 layout on
// a temporary name, a cursor of the window's own). Tabs "Geral" (progress, counter, error list,
// the passes, "Imprime Resultado"), "Notas Entradas" and "Notas Saídas" (the faulty items of the
// last pass of each kind, each with the button that starts its report on a thread of its own).
#include <memory>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/movements/audit_reports.h"
#include "vorel/movements/auditoria.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"
#include "vorel/shell/printer_codes.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"
#include "vorel/ui/window_controller.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using dictionary::EntradaVorelRec;
using dictionary::SaidaVorelRec;

constexpr int kMostraACada = 50;  // items between two redisplays of the list and the counter

// The product's description and the customer's or supplier's name of a listed item.
std::string Descricao(const Decimal& produto) {
    data::FileManager& pro = data::dictionary::file(dictionary::Produtos());
    pro.clear_record();
    pro.rec<dictionary::ProdutosRec>().Codigo = produto;
    if (!pro.get(keys::PRO_KEY_CODIGO).ok()) return {};
    return text::to_utf8(pro.rec<dictionary::ProdutosRec>().Produtos.clipped());
}

std::string Fornecedor(std::uint32_t codigo, std::string_view cnpj) {
    data::FileManager& f = data::dictionary::file(dictionary::ForCli());
    auto& r = f.rec<dictionary::ForCliRec>();
    f.clear_record();
    data::Result achou = data::kRecordNotFound;
    if (codigo > 0) {
        r.Codigo = codigo;
        achou = f.get(keys::FOR_KEY_CODIGO1);
    } else {
        r.CGC = cnpj;
        achou = f.get(keys::FOR_KEY_CGC);
    }
    if (!achou.ok()) return {};
    return text::to_utf8(text::clip(text::left(r.Nome.clipped(), 40)));
}

class Auditoria : public ui::WindowController {
public:
    enum : int {
        kSheet = 1, kTabGeral, kProgresso, kPromptCont, kCont, kLista1, kVerificaEntradas, kVerificaSaidas,
        kImprime, kFechar, kTabEntradas, kListaEntradas, kImprimeEntradas, kTabSaidas, kListaSaidas, kImprimeSaidas,
        kPromptLocalizaEntradas, kLocalizaEntradas, kPromptLocalizaSaidas, kLocalizaSaidas
    };

    explicit Auditoria(ui::ProcContext& ctx) : ui::WindowController(ctx, "Auditoria", "Auditoria de Lançamentos") {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        ui::Level l = ui::WindowController::Setup();
        if (l != ui::Level::Benign) return l;
        primeiroDia_ = date::make(shell::GLO_ANO.Get(), shell::GLO_MES.Get(), 1);
        ultimoDia_ = shell::UltimoDiaMes(primeiroDia_);
        if (data::Result r = cadastros_.Abre(); !r.ok()) {
            ui::Message(text::to_utf8(data::last_error().text) + " (" + text::to_utf8(data::last_error().file) + ")",
                        "Erro ao Abrir", ui::Icon::Exclamation);
            return ui::Level::Cancel;
        }
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabGeral, kSheet, "Geral");
        w.Progress(kProgresso).Parent(kTabGeral);
        w.Prompt(kPromptCont, "Registros lidos:").Parent(kTabGeral);
        w.String(kCont, "0").Parent(kTabGeral);
        w.List(kLista1, {{"Erros", 255, 'L'}}).Parent(kTabGeral);
        w.Button(kVerificaEntradas, "Verifica Entradas").Parent(kTabGeral);
        w.Button(kVerificaSaidas, "Verifica Saidas").Parent(kTabGeral);
        w.Button(kImprime, "Imprime Resultado").Parent(kTabGeral).Disable();
        w.Button(kFechar, "Fechar").Parent(kTabGeral);
        w.Tab(kTabEntradas, kSheet, "Notas Entradas").Hide();
        w.Prompt(kPromptLocalizaEntradas, "Data Emissão:").Parent(kTabEntradas);
        w.Entry(kLocalizaEntradas, Localizador(entradas_), "@D06b").Parent(kTabEntradas).Immediate().OwnText();
        w.List(kListaEntradas).Parent(kTabEntradas);
        w.Button(kImprimeEntradas, "Imprime nas Notas de Entradas").Parent(kTabEntradas);
        w.Tab(kTabSaidas, kSheet, "Notas Saídas").Hide();
        w.Prompt(kPromptLocalizaSaidas, "Data Saida:").Parent(kTabSaidas);
        w.Entry(kLocalizaSaidas, Localizador(saidas_), "@D06b").Parent(kTabSaidas).Immediate().OwnText();
        w.List(kListaSaidas).Parent(kTabSaidas);
        w.Button(kImprimeSaidas, "Imprime nas Notas de Saídas").Parent(kTabSaidas);
        SetCancelButton(kFechar);
        for (int b : {kVerificaEntradas, kVerificaSaidas, kImprime, kFechar, kImprimeEntradas, kImprimeSaidas})
            navigator().ExcludeControl(b);
        return ui::Level::Benign;
    }

    ui::Level TakeEvent(const ui::Event& e) override {
        for (Lista* l : {&entradas_, &saidas_})
            if (l->lista && l->lista->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        return ui::WindowController::TakeEvent(e);
    }

    ui::Level OnAccepted(int feq) override {
        ui::Level l = ui::WindowController::OnAccepted(feq);
        ui::Window& w = window();
        switch (feq) {
            case kVerificaEntradas: w.Update(); Verifica(Movimento::Entrada); break;
            case kVerificaSaidas: w.Update(); Verifica(Movimento::Saida); break;
            case kImprime: w.Update(); ImprimeResultado(); break;
            case kImprimeEntradas: w.Update(); IniciaRelatorio(entradas_); break;
            case kImprimeSaidas: w.Update(); IniciaRelatorio(saidas_); break;
            case kFechar: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

    ui::Level Teardown() override {
        for (Lista* l : {&entradas_, &saidas_}) Solta(*l);
        return ui::WindowController::Teardown();
    }

private:
    // The faulty items of the last pass of a kind: the pass's file and its list.
    struct Lista {
        std::shared_ptr<ArquivoErros> arquivo;
        std::unique_ptr<ui::TableSource> fonte;
        std::unique_ptr<ui::BrowseManager> lista;
    };
    Lista& ListaDe(Movimento t) { return t == Movimento::Entrada ? entradas_ : saidas_; }

    // The date locator of a list: the typed date into the date of its pass's record buffer.
    static ui::UsePtr Localizador(Lista& l) {
        return ui::UseFn([] { return std::string(); },
                         [&l](const std::string& s) {
                             if (!l.arquivo) return false;
                             const auto dia = picture::parse_number(picture::Picture("@D06b"), text::from_utf8(s));
                             const auto valor = dia ? static_cast<std::int32_t>(dia->to_integer()) : 0;
                             if (l.arquivo->tipo() == Movimento::Entrada)
                                 l.arquivo->tabela().rec<EntradaVorelRec>().DataEmissao = valor;
                             else
                                 l.arquivo->tabela().rec<SaidaVorelRec>().DataSaida = valor;
                             return true;
                         });
    }

    // The window lets the file go: its list and cursor end here, on the window's thread; a report
    // still reading the file keeps it until the report ends.
    void Solta(Lista& l) {
        l.lista.reset();
        l.fonte.reset();
        if (l.arquivo && l.arquivo->tabela().is_open()) (void)l.arquivo->tabela().close();
        l.arquivo.reset();
    }

    void Verifica(Movimento tipo) {
        ui::Window& w = window();
        auto arquivo = std::make_shared<ArquivoErros>(tipo);
        if (data::Result r = arquivo->Cria(); !r.ok()) {
            ui::Message(arquivo->erro().empty() ? "Erro ao tentar fazer a Verificação"
                                              : "Erro ao tentar fazer a Verificação|" + arquivo->erro(),
                        std::to_string(static_cast<int>(r.code())), ui::Icon::Exclamation);
            return;
        }
        Lista& lista = ListaDe(tipo);
        Solta(lista);
        lista.arquivo = arquivo;
        erros_.clear();
        w[kLista1].Rows({});
        w[kImprime].Disable();
        w[kTabEntradas].Hide();
        w[kTabSaidas].Hide();

        const bool entrada = tipo == Movimento::Entrada;
        data::FileManager& itens = data::dictionary::file(entrada ? dictionary::EntradaVorel() : dictionary::SaidaVorel());
        data::FileManager& faltosos = arquivo->tabela();
        if (data::Result r = itens.open(); !r.ok()) {
            ui::Message(text::to_utf8(data::last_error().text), "Erro ao tentar fazer a Verificação", ui::Icon::Exclamation);
            return;
        }
        data::Transaction tx({&faltosos}, 1);
        if (!tx.status().ok()) {
            (void)itens.close();
            ui::Message(text::to_utf8(data::last_error().text), "Erro ao tentar fazer a Verificação", ui::Icon::Exclamation);
            return;
        }
        const std::int64_t total = itens.records();
        w[kProgresso].Range(0, static_cast<int>(total > 0 ? total : 0)).Progress(0);
        long cont = 0;
        w[kCont].Text("0");

        itens.clear_record();
        int chave = 0;
        if (entrada) {
            itens.rec<EntradaVorelRec>().DataEmissao = primeiroDia_;
            chave = itens.key_number(keys::ENT_KEY_NUMERO);
        } else {
            itens.rec<SaidaVorelRec>().DataSaida = primeiroDia_;
            chave = itens.key_number(keys::SAI_KEY_NUMERO);
        }
        data::Result falha = itens.set_at(chave, 1);
        while (falha.ok()) {
            data::Result lido = itens.next();
            if (!lido.ok()) {
                if (lido != data::kRecordNotAvailable) falha = lido;
                break;
            }
            const ItemAuditado item = entrada ? DaEntrada(itens.rec<EntradaVorelRec>()) : DaSaida(itens.rec<SaidaVorelRec>());
            if (item.data > ultimoDia_) break;
            std::vector<std::string> linhas = TestaItem(item, tipo, cadastros_, shell::GLO_ANO.Get());
            if (!linhas.empty()) {
                if (entrada)
                    faltosos.rec<EntradaVorelRec>() = itens.rec<EntradaVorelRec>();
                else
                    faltosos.rec<SaidaVorelRec>() = itens.rec<SaidaVorelRec>();
                falha = faltosos.add();
                for (std::string& linha : linhas) erros_.push_back(linha.substr(0, 500));
            }
            ++cont;
            if (cont % kMostraACada == 0) {
                MostraErros();
                w[kCont].Text(std::to_string(cont));
                w[kProgresso].Progress(static_cast<int>(cont));
            }
            if (context().StopRequested()) break;
        }
        if (falha.ok()) falha = tx.commit();
        (void)itens.close();
        w[kCont].Text(std::to_string(cont));
        w[kProgresso].Progress(static_cast<int>(cont));
        MostraErros();
        if (!falha.ok()) {
            // Nothing of the pass's faulty items was kept: the list stays empty and cannot mislead.
            ui::Message("A auditoria falhou: " + text::to_utf8(data::error_text(falha)) + " (" +
                            text::to_utf8(data::last_error().file) + ")",
                        "Erro ao tentar fazer a Verificação", ui::Icon::Exclamation);
            return;
        }
        if (cont > 0) w[kImprime].Enable();
        if (faltosos.records() > 0) {
            MontaLista(lista, tipo);
            w[entrada ? kTabEntradas : kTabSaidas].Unhide();
        }
    }

    void MostraErros() {
        std::vector<ui::Row> linhas;
        linhas.reserve(erros_.size());
        for (const std::string& e : erros_) linhas.push_back({ui::Cell{text::to_utf8(e.substr(0, 255))}});
        window()[kLista1].Rows(std::move(linhas));
    }

    void MontaLista(Lista& l, Movimento tipo) {
        data::FileManager& f = l.arquivo->tabela();
        l.fonte = std::make_unique<ui::TableSource>(f);
        l.lista = std::make_unique<ui::BrowseManager>(*this, *l.fonte);
        const bool entrada = tipo == Movimento::Entrada;
        l.lista->SetList(entrada ? kListaEntradas : kListaSaidas);
        const int chave = f.key_number(entrada ? keys::ESPENT_KEY_NUMERO : keys::SAI0_KEY_NUMERO);
        l.lista->AddSortOrder({chave, entrada ? kLocalizaEntradas : kLocalizaSaidas, true, {}});
        l.fonte->SetOrder(chave);
        auto col = [&](const char* titulo, int largura, std::function<std::string()> texto) {
            l.lista->AddColumn({titulo, largura, 'L', std::move(texto)});
        };
        if (entrada) {
            auto& r = f.rec<EntradaVorelRec>();
            col("Data Emissão", 40, [&r] { return picture::format("@D06b", r.DataEmissao); });
            col("Série", 12, [&r] { return text::to_utf8(picture::format("@s2", r.Serie.value())); });
            col("Numero", 52, [&r] { return picture::format("@n13", r.Numero); });
            col("CFO", 24, [&r] { return picture::format("@n6", r.CFO); });
            col("Produto", 76, [&r] { return picture::format("@N-19.", r.CodMercadoria.value()); });
            col("Descrição", 200, [&r] { return Descricao(r.CodMercadoria); });
            col("Cnpj", 56, [&r] { return text::to_utf8(r.Cnpj.value()); });
            col("Fornecedor", 160, [&r] { return Fornecedor(r.CodigoForCli, r.Cnpj.value()); });
        } else {
            auto& r = f.rec<SaidaVorelRec>();
            col("Data Saida", 40, [&r] { return picture::format("@D06b", r.DataSaida); });
            col("Série", 12, [&r] { return text::to_utf8(picture::format("@s2", r.Serie.value())); });
            col("Numero", 52, [&r] { return picture::format("@n13", r.Numero); });
            col("CFO", 24, [&r] { return picture::format("@n6", r.CFO); });
            col("Produto", 76, [&r] { return picture::format("@N-19.", r.CodMercadoria.value()); });
            col("Descrição", 200, [&r] { return Descricao(r.CodMercadoria); });
            col("CNPJ", 72, [&r] { return picture::format("@p##.###.###/####-##p", r.CNPJ.value()); });
            col("Fornecedor", 160, [&r] { return Fornecedor(r.CodigoForCli, r.CNPJ.value()); });
        }
        l.lista->ResetToTop();
    }

    void ImprimeResultado() {
        if (auto ec = shell::PedeImpressaoErros()) {
            ui::Message("Não foi possível gravar o pedido de impressão: " + ec.message(), "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        if (shell::FormaDoRelatorio(shell::ModoImpressao.Get()) == shell::FormaRelatorio::Texto) return;
        (void)shell::Rel_Erro_ECF_W(context(), erros_);
    }

    // The report of a kind's faulty items, on a thread of its own, holding the pass's file.
    void IniciaRelatorio(const Lista& l) {
        if (!l.arquivo) return;
        std::shared_ptr<ArquivoErros> arquivo = l.arquivo;
        const bool entrada = arquivo->tipo() == Movimento::Entrada;
        context().runtime().Start(entrada ? "Rel_Erros_Entradas" : "Rel_Erros_Saidas", [arquivo](ui::ProcContext& c) {
            RelErrosItens(c, *arquivo);
        });
        window().Display();
    }

    date::Day primeiroDia_ = 0, ultimoDia_ = 0;
    CadastrosAuditoria cadastros_;
    std::vector<std::string> erros_;  // Windows-1252, 500 characters at most
    Lista entradas_, saidas_;
};

}  // namespace

void RunAuditoria(ui::ProcContext& ctx) { Auditoria(ctx).Execute(); }

}  // namespace vorel::movements
