// Main: the application frame ("Vorel  -  <version> - <data root>"), its toolbar, status bar and
// menu bar. Tables: the company table with its related tables, kept open while the frame lives.
#include "vorel/shell/main_frame.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "not_available.h"
#include "vorel/core/date.h"
#include "vorel/core/paths.h"
#include "vorel/core/program.h"
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/main_menu.h"
#include "vorel/shell/settings_read.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
namespace q = quadro;

std::string U(std::string_view cp1252) { return text::to_utf8(cp1252); }

std::string Hora() {
    auto t = date::split_time(date::now());
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hours, t.minutes, t.seconds);
    return buf;
}

class QuadroPrincipal : public WindowController {
public:
    QuadroPrincipal(ProcContext& ctx, const ServicosMain& s)
        : WindowController(ctx, "Main", "Propgrama de Subistituição Tributária"), s_(s) {}

    bool loginOk = false;

    Level Setup() override {
        DataHoje.Set(date::today());
        if (s_.abreTabelas) tabelas_ = s_.abreTabelas(ctx_);
        IniciaNaveli();
        loginOk = Login();
        if (!loginOk) return Level::Fatal;

        WindowController::Setup();
        Window& w = window();
        w.SetFrame();
        ConstroiBarra(w);
        menu_ = ConstroiMenu(w, q::kPrimeiroMenu);
        // The frame's keys (F2, F3, F4 and the menu's shortcuts) reach it whatever has the focus.
        for (Control* c : w.Controls()) {
            if (c->type() != ControlType::Button) continue;
            for (int k : {key::F(2), key::F(3), key::F(4)}) c->Alert(k);
            for (const auto& [feq, item] : menu_.itens)
                if (item->tecla) c->Alert(item->tecla);
        }
        return Level::Benign;
    }

    void RunEventLoop() override {
        window().SetTimer(100);
        window().SetStatusZone(4, Hora());
        WindowController::RunEventLoop();
    }

    Level OnWindowOpened() override {
        Window& w = window();
        std::string raiz = PastaRaiz.Get();
        PapelParede p = PapelParedeDoQuadro(raiz);
        GLO_PAPELPAREDE.Set(LePapelParedeConfig().nenhum);
        w.SetWallpaper(U(p.arquivo), p.disposicao);

        ModoImpressaoConfig m = LeModoImpressao();
        ModoImpressao.Set(m.modo);
        GLO_CODIMPRESSORA.Set(m.impressora);
        GLO_PARAMETROS.Set(LeParametrosEscritorio(raiz));
        GLO_USAALIQPRODUTO.Set(LeUsaAliquotaProduto(raiz));
        MostraModo(true);
        PastaTemp.Set(std::string(text::clip(raiz)) + "Temp\\");
        if (auto carrega = Procura("CarregaCodigosImpressora")) ctx_.Call(*carrega);
        TecladoDecimalVirgula.Set(TecladoDecimalComVirgula());
        w.SetCaption("Vorel  -  " + U(GLO_VERSAO.Get()) + " - " + U(files::to_display_path(raiz)));
        if (s_.abertura) IniciaAbertura();
        return Level::Benign;
    }

    Level OnWindowEvent(const Event& e) override {
        if (e.code == event::Timer) {
            window().SetStatusZone(4, Hora());
            return Level::Benign;
        }
        if (e.code == event::CloseWindow) {
            Encerra();
            return Level::Benign;
        }
        return WindowController::OnWindowEvent(e);
    }

    Level OnAccepted(int feq) override {
        FechaAbertura();
        if (const ItemMenu* item = menu_.Item(feq)) return Executa(*item);
        switch (feq) {
            case q::kEmpresa: Inicia("SelecionaEmpresa", "Seleciona Empresa"); return Level::Benign;
            case q::kPeriodo:
                // With no working company the period button opens the company window instead.
                if (GLO_EMPRESA_CODIGO.Get() == 0) {
                    window().Post(event::Accepted, q::kEmpresa);
                    return Level::Benign;
                }
                // One period window at a time: an open one (also one the company window called)
                // comes forward instead.
                if (int aberta = ctx_.runtime().WindowOfProcedure("SelecionaPeriodo")) {
                    ctx_.runtime().Send(ui::WindowRaised{aberta});
                    return Level::Benign;
                }
                Inicia("SelecionaPeriodo", "Seleciona Período");
                return Level::Benign;
            case q::kCalculadora: Inicia("Calculadora", "Calculadora"); return Level::Benign;
            case q::kModoImpressao: ConfiguraImpressora(); return Level::Benign;
            case q::kSair: Encerra(); return Level::Benign;
            default: return WindowController::OnAccepted(feq);
        }
    }

    Level OnAlertKey(int feq, int keyCode) override {
        if (keyCode == key::F(2)) return OnAccepted(q::kEmpresa);
        if (keyCode == key::F(3)) return OnAccepted(q::kPeriodo);
        if (keyCode == key::F(4)) return OnAccepted(q::kModoImpressao);
        for (const auto& [itemFeq, item] : menu_.itens)
            if (item->tecla == keyCode) return OnAccepted(itemFeq);
        return WindowController::OnAlertKey(feq, keyCode);
    }

    Level Teardown() override {
        FechaAbertura();
        WindowController::Teardown();
        tabelas_.reset();
        return Level::Benign;
    }

private:
    std::optional<ProcedureFn> Procura(std::string_view nome) const {
        return s_.procura ? s_.procura(nome) : ProcedureRegistry::Find(nome);
    }

    bool Login() {
        auto login = Procura("Login");
        if (!login) {
            std::fprintf(stderr, "vorel: the login procedure is missing\n");
            return false;
        }
        return ctx_.Call(*login) == Response::Completed;
    }

    // The news program at every start, when it is there; its absence is said only when the user
    // asks for it (its menu item), not at every start.
    void IniciaNaveli() {
        std::string exe = PastaPrograma.Get() + "Naveli.exe";
        if (!files::exists(exe)) return;
        auto r = program::run(exe, {"6"}, {.wait = program::Wait::No, .working_folder = {}});
        if (r.error) std::fprintf(stderr, "vorel: Naveli.exe not started: %s\n", r.error.message().c_str());
    }

    void ConstroiBarra(Window& w) {
        w.Add(q::kBarra, ControlType::Toolbar);
        w.Button(q::kEmpresa, "Seleciona Empresa").Parent(q::kBarra).Tip("Seleciona Empresa. < F2 >.").Icon("Empresa.ico");
        w.Button(q::kPeriodo, "Seleciona Período").Parent(q::kBarra).Tip("Seleciona Período. < F3 >.").Icon("Calendario.ico");
        w.Prompt(q::kRotuloEmpresa, "Empresa Selecionada").Parent(q::kBarra);
        w.Entry(q::kCodigoEmpresa, UseFn([] { return std::to_string(GLO_EMPRESA_CODIGO.Get()); }, nullptr))
            .Parent(q::kBarra).ReadOnly().Picture("@n13");
        w.Entry(q::kRazaoEmpresa, UseFn([] { return U(GLO_EMPRESA_RAZAO.Get()); }, nullptr))
            .Parent(q::kBarra).ReadOnly().Picture("@s100");
        w.String(q::kModoTexto, "Vídeo").Parent(q::kBarra);
        w.Button(q::kSair, "").Parent(q::kBarra).Tip("Sair").Icon("Exit.ico");
        w.Button(q::kCalculadora, "").Parent(q::kBarra).Tip("Calculadora.").Icon("Calculadora.ico");
        w.Button(q::kModoImpressao, "Modo de Impressão").Parent(q::kBarra).Tip("Seleciona Impressora. < F4 >.").Icon("Computer.ico");
        w.Prompt(q::kRotuloMes, "Mês de Referência").Parent(q::kBarra);
        w.Entry(q::kAno, UseFn([] { return std::to_string(GLO_ANO.Get()); }, nullptr)).Parent(q::kBarra).ReadOnly().Picture("@n04");
        w.Entry(q::kMes, UseFn([] { return std::to_string(GLO_MES.Get()); }, nullptr)).Parent(q::kBarra).ReadOnly().Picture("@n3");
    }

    void MostraModo(bool aoAbrir) {
        ModoImpressaoVisual v = VisualModoImpressao(ModoImpressao.Get(), aoAbrir);
        window()[q::kModoImpressao].Icon(v.icone);
        window()[q::kModoTexto].Text(v.texto);
    }

    void ConfiguraImpressora() {
        if (auto configura = Procura("Configura_Impressora")) {
            ctx_.Call(*configura);
            MostraModo(false);
        } else {
            Inicia("Configura_Impressora", "Modo de Impressão");
        }
    }

    // Starts a procedure by name on a new thread; one that is not in the program yet starts a window
    // that says so.
    void Inicia(const std::string& nome, const std::string& texto) {
        try {
            if (auto fn = Procura(nome)) ctx_.runtime().Start(nome, std::move(*fn));
            else ctx_.runtime().Start(nome, [nome, texto](ProcContext& c) { FuncaoIndisponivel(c, nome, texto); });
        } catch (const std::exception& e) {
            Message(std::string("Não foi possível iniciar ") + nome + ": " + e.what(), "Vorel", Icon::Exclamation);
        }
    }

    Level Executa(const ItemMenu& item) {
        switch (item.acao) {
            case AcaoMenu::Inicia:
                if (item.qelLayout != 0) {
                    if (auto ec = GravaQelLayout(item.qelLayout)) {
                        Message("Não foi possível gravar o layout em Layout.ini: " + ec.message(), "Vorel", Icon::Exclamation);
                        return Level::Benign;
                    }
                }
                Inicia(item.procedimento, item.texto);
                return Level::Benign;
            case AcaoMenu::Naveli: {
                if (auto ec = GravaUltimoAcessoNaveli("01/03/2006"))
                    std::fprintf(stderr, "vorel: Naveli.ini not written: %s\n", ec.message().c_str());
                RodaExterno("Naveli.exe", {"6", "1"}, "O boletim de notícias");
                return Level::Benign;
            }
            case AcaoMenu::Trispo: RodaExterno("Trispo.exe", {}, "O programa Trispo"); return Level::Benign;
            case AcaoMenu::Sair: Encerra(); return Level::Benign;
        }
        return Level::Benign;
    }

    // An outside program the user asked for (`oQue` says what it is in a clerk's words).
    void RodaExterno(const std::string& nome, const std::vector<std::string>& args, const std::string& oQue) {
        std::string exe = PastaPrograma.Get() + nome;
        if (!files::exists(exe)) {
            Message(oQue + " não está instalado neste computador (falta o arquivo " + U(nome) + " na pasta do Vorel, " +
                        U(files::to_display_path(PastaPrograma.Get())) + ").",
                    "Vorel", Icon::Information);
            return;
        }
        auto r = program::run(exe, args, {.wait = program::Wait::No, .working_folder = {}});
        if (r.error) Message("Não foi possível iniciar " + U(nome) + ": " + r.error.message(), "Vorel", Icon::Exclamation);
    }

    void IniciaAbertura() {
        abertura_ = std::make_shared<std::atomic<int>>(0);
        auto procura = s_.procura;
        auto janela = abertura_;
        try {
            ctx_.runtime().Start("Abertura", [procura, janela](ProcContext& c) { Abertura(c, procura, janela); });
        } catch (const std::exception& e) {
            std::fprintf(stderr, "vorel: splash not started: %s\n", e.what());
        }
    }

    // The frame goes only after the other windows have gone, closed one by one, the last opened
    // first, each as its own close box would close it (its questions, its stored position). A
    // window that stays open (a question answered so) keeps the frame open too.
    void Encerra() {
        if (!ConfirmaSaida()) return;
        FechaAbertura();
        Runtime& rt = ctx_.runtime();
        for (;;) {
            if (ctx_.StopRequested()) break;
            int janela = 0, dona = 0;
            for (const auto& [w, t] : rt.OpenWindows())
                if (t != ctx_.thread()) janela = w, dona = t;
            if (janela == 0) break;
            rt.Post(UserEvent{.kind = UserEvent::Close, .window = janela, .feq = 0, .number = 0, .dialog = 0, .text = {}, .at = {}});
            // Until it has gone, or its thread waits for the user again with the window still there.
            auto aberta = [&] {
                for (const auto& [w, t] : rt.OpenWindows())
                    if (w == janela) return true;
                return false;
            };
            // The frame waits as a window does; what the user does to it meanwhile comes back to
            // it afterwards.
            std::vector<UserEvent> adiados;
            while (aberta() && !rt.WaitsForUser(dona) && !ctx_.StopRequested())
                if (auto e = ctx_.WaitEvent(std::chrono::milliseconds(20))) adiados.push_back(*e);
            for (const UserEvent& e : adiados) rt.Post(e);
            if (aberta() && !ctx_.StopRequested()) return;  // it refused to close
        }
        CloseWith(Response::Completed);
    }

    // An insert or change form holding typed values not saved: the user says whether to leave all
    // the same ("&Não", the default, closes nothing). Each other window's thread first takes what
    // was typed into it (a short wait while it works).
    bool ConfirmaSaida() {
        Runtime& rt = ctx_.runtime();
        for (const auto& [janela, dona] : rt.OpenWindows()) {
            if (dona == ctx_.thread()) continue;
            const auto ate = std::chrono::steady_clock::now() + std::chrono::seconds(1);
            while (!rt.WaitsForUser(dona) && std::chrono::steady_clock::now() < ate && !ctx_.StopRequested())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (rt.UnsavedWindows().empty()) return true;
        return Ask("Há dados digitados que não foram gravados. Sair assim mesmo?", "Atenção", Icon::Question, "&Sim|&Não",
                   2) == "&Sim";
    }

    // Closes the splash when it is still open.
    void FechaAbertura() {
        if (!abertura_) return;
        if (int id = abertura_->exchange(0)) ctx_.runtime().Post(UserEvent{.kind = UserEvent::Close, .window = id, .feq = 0, .number = 0, .dialog = 0, .text = {}, .at = {}});
        abertura_.reset();
    }

    const ServicosMain& s_;
    std::shared_ptr<void> tabelas_;
    MenuConstruido menu_;
    std::shared_ptr<std::atomic<int>> abertura_;
};

}  // namespace

void Main(ProcContext& ctx, const ServicosMain& servicos) {
    QuadroPrincipal quadro(ctx, servicos);
    quadro.Execute();
    ctx.response = quadro.loginOk ? Response::Completed : Response::Cancelled;
}

void Main(ProcContext& ctx) {
    static const ServicosMain servicos = ServicosPadrao();
    Main(ctx, servicos);
}

}  // namespace vorel::shell
