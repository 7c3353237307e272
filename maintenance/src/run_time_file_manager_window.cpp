// Window "RunTimeFileManager" ("Atualização Arquivos"): the 36 tables of the maintenance utility
// (vorel/maintenance/manutencao_arquivos.h), sorted by description, each with its mark, description,
// record count and file name; the user marks tables (accepting a row toggles its mark) and runs one of
// seven operations on every marked table in turn, behind the progress window "Progress..."
// ("&Cancel" leaves the table in hand as it was and goes on with the next). The seven operation
// buttons are enabled only while a row is marked. Two questions come first ("&Não" preselected);
// anything but "&Sim" to either closes the window. A table that another program or window holds
// gives the "File Access Error" message and the run goes on.
#include <chrono>
#include <functional>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/maintenance/manutencao_arquivos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::maintenance {

namespace {

using ui::Level;

struct Linha {
    TabelaListada tabela;
    bool marcada = false;
    std::string registros = "?";
    std::string nome;
};

// The first `n` characters of a UTF-8 text (its Windows-1252 characters).
std::string Corta(const std::string& utf8, std::size_t n) {
    const std::string t = text::from_utf8(utf8);
    return text::to_utf8(t.substr(0, std::min(n, t.size())));
}

// The progress window of a run: the table in hand, the action, a bar with its number, the tables
// left and "&Cancel", which stops the table in hand.
class Andamento {
public:
    enum : int {
        kPromptArquivo = 1, kArquivo, kPromptAcao, kAcao, kPromptProgresso, kBarra, kPercentual,
        kPromptFaltam, kFaltam, kCancelar
    };
    explicit Andamento(ui::ProcContext& ctx) : ctx_(ctx), w_(ctx, "Progress...") {
        w_.Prompt(kPromptArquivo, "Current File :");
        w_.String(kArquivo, "");
        w_.Prompt(kPromptAcao, "Action :");
        w_.String(kAcao, "");
        w_.Prompt(kPromptProgresso, "Progress :");
        w_.Progress(kBarra).Range(0, 100);
        w_.String(kPercentual, "0");
        w_.Prompt(kPromptFaltam, "Files Left     :");
        w_.String(kFaltam, "");
        w_.Button(kCancelar, "&Cancel");
        w_.Open();
    }
    void Tabela(const std::string& rotulo, int faltam) {
        w_[kArquivo].Text(Corta(rotulo, 20));
        w_[kAcao].Text("");
        w_[kFaltam].Text(text::to_utf8(picture::format("@n3", faltam)));
        Mostra(0);
        parar_ = false;
        w_.Flush();
    }
    // The operation's progress: false once "&Cancel" was pressed for this table, or the program stops.
    bool operator()(const std::string& acao, int percent) {
        w_[kAcao].Text(Corta(acao, 20));
        Mostra(percent);
        const auto agora = std::chrono::steady_clock::now();
        if (agora - visto_ >= std::chrono::milliseconds(50)) {
            visto_ = agora;
            for (ui::Event e; (e = w_.Poll()).code != ui::event::None;)
                if ((e.code == ui::event::Accepted && e.feq == kCancelar) || e.code == ui::event::CloseWindow) parar_ = true;
        }
        return !parar_ && !ctx_.StopRequested() && !w_.closing();
    }

private:
    void Mostra(int percent) {
        w_[kBarra].Progress(percent);
        w_[kPercentual].Text(std::to_string(percent));
    }
    ui::ProcContext& ctx_;
    ui::Window w_;
    bool parar_ = false;
    std::chrono::steady_clock::time_point visto_{};
};

class RunTimeFileManager : public ui::WindowController {
public:
    enum : int {
        kLista = 1, kMarcaTodos, kDesmarcaTodos, kReindexa, kLimpa, kAtualiza, kCorrige, kForca, kInformacoes,
        kCria, kFecha
    };

    explicit RunTimeFileManager(ui::ProcContext& ctx)
        : ui::WindowController(ctx, "RunTimeFileManager", "Atualização Arquivos") {}

    Level Setup() override {
        // Both questions are asked whatever the first answer.
        const bool suporte = Pergunta("Esta opção deve ser utilizada mediante suporte técnico! Deseja continuar ?");
        const bool sozinho = Pergunta(
            "Esta opção não deve ser utilizada se existir alguma estação com o programa aberto. Deseja continuar ?");
        if (!suporte || !sozinho) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        for (TabelaListada& t : TabelasDaManutencao()) linhas_.push_back({std::move(t)});
        ui::Window& w = window();
        w.List(kLista, {{"", 10, 'C'}, {"Arquivo", 160, 'L'}, {"Registros", 44, 'R'}, {"Nome do Arquivo", 220, 'L'}});
        w.Button(kMarcaTodos, "&Marca Todos").Tip("Tag all the files");
        w.Button(kDesmarcaTodos, "&Desmarca Todos").Tip("Untag all of the files");
        w.Button(kReindexa, "&Reindexa").Tip("Build the key files for the tagged data files");
        w.Button(kLimpa, "&Limpa").Tip("Pack the tagged data files");
        w.Button(kAtualiza, "&Atualiza").Tip("Release any held records in the tagged files");
        w.Button(kCorrige, "&Corrige").Tip("Interface to TPSFix utility");
        w.Button(kForca, "Força Indexação").Tip("Copy the records into a new file");
        w.Button(kInformacoes, "&Informações").Tip("Get information about each file");
        w.Button(kCria, "&Cria Arquivos").Tip("Create any non-existent files");
        w.Button(kFecha, "&Fecha").Tip("Close this window");
        SetCancelButton(kFecha);
        Mostra();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
            case kLista: {
                const int n = window()[kLista].selected();
                if (n >= 1 && n <= static_cast<int>(linhas_.size())) linhas_[static_cast<std::size_t>(n - 1)].marcada ^= true;
                Mostra();
                break;
            }
            case kMarcaTodos:
            case kDesmarcaTodos:
                for (Linha& x : linhas_) x.marcada = feq == kMarcaTodos;
                Mostra();
                break;
            case kReindexa: Executa(Operacao::Build); break;
            case kLimpa: Executa(Operacao::Pack); break;
            case kAtualiza: Executa(Operacao::Release); break;
            case kCorrige: Executa(Operacao::Fix); break;
            case kForca: Executa(Operacao::Freshen); break;
            case kInformacoes: Executa(Operacao::Info); break;
            case kCria: Executa(Operacao::Create); break;
            case kFecha: CloseWith(ui::Response::Completed); break;
            default: break;
        }
        return l;
    }

private:
    static bool Pergunta(const std::string& texto) {
        return ui::Message(texto, "ATENÇÃO!!!", ui::Icon::Question, "&Não|&Sim", 1) == 2;
    }

    // The list as the rows stand, and the operation buttons enabled while a row is marked.
    void Mostra() {
        ui::Window& w = window();
        std::vector<ui::Row> rows;
        bool alguma = false;
        for (const Linha& x : linhas_) {
            ui::Cell marca;
            if (x.marcada) {
                marca.icon = 1;  // the tick
                marca.text = "\u2713";
            }
            rows.push_back({marca, {Corta(x.tabela.descricao, 40)}, {x.registros}, {x.nome}});
            alguma = alguma || x.marcada;
        }
        const int selecionada = w[kLista].selected();
        w[kLista].Rows(std::move(rows));
        // The list stands on its first row until the user moves: Enter marks a row at once.
        if (selecionada > 0) w[kLista].Selected(selecionada);
        else if (!linhas_.empty()) w[kLista].Selected(1);
        for (int b : {kReindexa, kLimpa, kAtualiza, kCorrige, kForca, kInformacoes, kCria}) w[b].Enable(alguma);
        w.Display();
    }

    // One operation over every marked table in turn.
    void Executa(Operacao op) {
        int faltam = 0;
        for (const Linha& x : linhas_) faltam += x.marcada ? 1 : 0;
        {
            Andamento andamento(context());
            for (Linha& x : linhas_) {
                if (!x.marcada) continue;
                if (context().StopRequested()) break;
                andamento.Tabela(x.tabela.rotulo, faltam--);
                const ResultadoOperacao r = ExecutaOperacao(op, x.tabela, std::ref(andamento));
                if (r.registros) x.registros = Corta(*r.registros, 10);
                if (r.nome) x.nome = *r.nome;  // a path is never cut
                if (!r.acessoNegado.empty()) ui::Message(r.acessoNegado, "File Access Error", ui::Icon::Exclamation);
            }
        }
        Mostra();
    }

    std::vector<Linha> linhas_;
};

}  // namespace

void RunRunTimeFileManager(ui::ProcContext& ctx) { RunTimeFileManager(ctx).Execute(); }

}  // namespace vorel::maintenance
