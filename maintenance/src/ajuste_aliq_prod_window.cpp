// Window "AjusteAliqProd" ("Ajustar alíquota do cadastro de Produtos conforme Lançamentos de
// Entrada"): the user gathers a selection of products from the product list (the highlighted one,
// every one) and rebuilds their rate history, by the entries of a range of years or by the fixed
// rule (`AjustaAliquotasPelasEntradas`, `AjustaAliquotasPelaRegra`,
// vorel/maintenance/ajuste_aliquota_produtos.h), each after asking. The selection stays after a run.
// Tables: Produtos (listed and read), ProdutosAliq (rebuilt), the years' EntradaVorel files (read).
#include <algorithm>
#include <memory>
#include <vector>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/maintenance/ajuste_aliquota_produtos.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/shell/repair_window.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using dictionary::ProdutosRec;

// A product of the selection, as the register had it when it was added.
struct Selecionado {
    Decimal codigo;
    std::string apelido, descricao;  // UTF-8
    Decimal aliquota;
};

Selecionado DoRegistro(const ProdutosRec& p) {
    return {p.Codigo.value(), text::to_utf8(p.Apelido.clipped()), text::to_utf8(p.Produtos.clipped()), p.Alicota.value()};
}

std::string Numero(const char* pic, const Decimal& v) { return text::to_utf8(picture::format(pic, v)); }

class AjusteAliqProd : public shell::JanelaReparo {
public:
    enum : int {
        kPromptAnoInicial = 1, kAnoInicial, kPromptAnoFinal, kAnoFinal, kPromptPesquisa, kPesquisa, kProdutos,
        kAdiciona, kRetira, kAdicionaTodos, kSelecao, kLimpa, kContador, kProgresso, kPelasEntradas, kPelaRegra,
        kFechar
    };

    explicit AjusteAliqProd(ui::ProcContext& ctx)
        : JanelaReparo(ctx, "AjusteAliqProd", "Ajustar alíquota do cadastro de Produtos conforme Lançamentos de Entrada",
                       {kContador, kProgresso, kPelasEntradas, kFechar},
                       "&Ajustar conforme Alíquota dos Lançamentos de Entrada", "&Fechar"),
          produtos_(data::dictionary::file(dictionary::Produtos())),
          pro_(produtos_.rec<ProdutosRec>()) {}

    ui::Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return ui::Level::Cancel;
        if (!produtos_.open().ok()) {
            ui::Message("Não foi possível abrir o cadastro de produtos: " + text::to_utf8(data::last_error().text),
                        "Erro ao Abrir", ui::Icon::Exclamation);
            return ui::Level::Cancel;
        }
        aberta_ = true;
        return JanelaReparo::Setup();
    }

    ui::Level TakeEvent(const ui::Event& e) override {
        if (lista_ && lista_->TakeEvent(e) == ui::kHandled) return ui::kHandled;
        return JanelaReparo::TakeEvent(e);
    }

    ui::Level Teardown() override {
        lista_.reset();
        fonte_.reset();
        if (aberta_) (void)produtos_.close();
        return JanelaReparo::Teardown();
    }

protected:
    void AdicionaCampos(ui::Window& w) override {
        w.Prompt(kPromptAnoInicial, "Ano Inicial:");
        w.Entry(kAnoInicial, ui::UsePattern(anoInicial_, "@p####p"), "@p####p");
        w.Prompt(kPromptAnoFinal, "Ano Final:");
        w.Entry(kAnoFinal, ui::UsePattern(anoFinal_, "@p####p"), "@p####p");
        w.Prompt(kPromptPesquisa, "Pesquisa por Código........");
        w.Entry(kPesquisa, ui::UseDecimal(pro_.Codigo, 0), "@N-19.").Immediate().Tip("Código do produto procurado na lista");
        w.List(kProdutos).Tip("Produtos cadastrados");
        w.Button(kAdiciona, "Incluir >").Tip("Inclui o produto destacado na seleção");
        w.Button(kRetira, "< Retirar").Tip("Retira da seleção o produto destacado nela");
        w.Button(kAdicionaTodos, "Incluir Todos >>").Tip("Inclui todos os produtos na seleção");
        w.List(kSelecao, {{"Código", 60, 'R'}, {"Apelido", 60, 'L'}, {"Descricão", 160, 'L'}, {"Alíquota", 36, 'R'}})
            .Tip("Produtos selecionados");
        w.Button(kLimpa, "Limpar Seleção").Tip("Retira todos os produtos da seleção");
        for (int b : {kAdiciona, kRetira, kAdicionaTodos, kLimpa}) navigator().ExcludeControl(b);

        fonte_ = std::make_unique<ui::TableSource>(produtos_);
        lista_ = std::make_unique<ui::BrowseManager>(*this, *fonte_);
        ui::BrowseManager& l = *lista_;
        l.SetList(kProdutos);
        l.AddColumn({"Código", 60, 'R', [this] { return Numero("@N-19.", pro_.Codigo); }});
        l.AddColumn({"Apelido", 60, 'L', [this] { return text::to_utf8(pro_.Apelido.clipped()); }});
        l.AddColumn({"Descrição", 160, 'L', [this] { return text::to_utf8(pro_.Produtos.clipped()); }});
        l.AddColumn({"Alíquota", 36, 'R', [this] { return Numero("@n-8.3", pro_.Alicota); }});
        l.AddSortOrder({produtos_.desc().key_index(keys::PRO_KEY_CODIGO), kPesquisa, true, {}});
    }

    void AdicionaBotoes(ui::Window& w) override {
        w.Button(kPelaRegra, "Ajustar conforme Regra Específica");
        navigator().ExcludeControl(kPelaRegra);
    }

    void OnCampo(int feq) override {
        switch (feq) {
            case kAdiciona: Adiciona(); break;
            case kRetira: Retira(); break;
            case kAdicionaTodos: AdicionaTodos(); break;
            case kLimpa:
                selecao_.clear();
                MostraSelecao();
                break;
            case kPelaRegra: PelaRegra(); break;
            default: break;
        }
    }

    // "&Ajustar conforme Alíquota dos Lançamentos de Entrada".
    void Executa() override {
        ui::Window& w = window();
        if (!TemSelecao()) return;
        if (anoInicial_ == 0) {
            ui::Message("Favor informar Ano Inicial!", "Aviso!");
            w.Select(kAnoInicial);
            return;
        }
        if (anoFinal_ == 0) {
            ui::Message("Favor informar Ano Final!", "Aviso!");
            w.Select(kAnoFinal);
            return;
        }
        if (anoInicial_ > anoFinal_) {
            ui::Message("O Ano Inicial não pode ser posterior ao Ano Final!", "Aviso!");
            w.Select(kAnoInicial);
            return;
        }
        if (!Confirma("Esse ajuste apagará todos os registros de históricos de Alíquotas do cadastro dos produtos "
                      "selecionados, e incluirá novamente conforme alíquota dos lançamentos de entrada! Deseja "
                      "continuar?"))
            return;
        Termina(AjustaAliquotasPelasEntradas(shell::PeriodoDeTrabalho().empresa, Produtos(), anoInicial_, anoFinal_,
                                             Contador()));
    }

private:
    void PelaRegra() {
        if (!TemSelecao()) return;
        if (!Confirma("Esse ajuste apagará todos os registros de históricos de Alíquotas do cadastro dos produtos "
                      "selecionados, e incluirá novamente um histórico de 01/04/2008 a 31/11/2010 alíquota conforme "
                      "cadastro do produto; de 01/12/2010 a 31/03/2014 alíquota 18%; e a partir de 01/04/2014 alíquota "
                      "conforme lançamentos de entrada! Deseja continuar?"))
            return;
        Termina(AjustaAliquotasPelaRegra(shell::PeriodoDeTrabalho().empresa, Produtos(), Contador()));
    }

    bool TemSelecao() {
        if (!selecao_.empty()) return true;
        ui::Message("Não foram encontrados produtos para serem ajustados!", "Aviso!");
        return false;
    }

    std::vector<ProdutoDoAjuste> Produtos() const {
        std::vector<ProdutoDoAjuste> out;
        for (const Selecionado& s : selecao_) out.push_back({s.codigo, s.aliquota});
        return out;
    }

    // The run's counter of history rows deleted and entries read (the window shows no bar).
    ProgressoReparo Contador() {
        ProgressoReparo andamento = Andamento();
        window()[kProgresso].Hide();
        return andamento;
    }

    void Termina(const ResultadoReparo& r) {
        Conclui(r.erro, r.ok(), "Ajuste efetuado com sucesso!", "Concluído!", Depois::Zera);
        window()[kProgresso].Hide();
        if (r.ok()) window().Select(kFechar);
    }

    void Adiciona() {
        if (!lista_->FetchHighlighted()) return;
        for (const Selecionado& s : selecao_)
            if (s.codigo == pro_.Codigo.value()) {
                ui::Message("Produto já selecionado!", "Aviso!");
                return;
            }
        selecao_.push_back(DoRegistro(pro_));
        MostraSelecao();
    }

    void Retira() {
        const int linha = window()[kSelecao].selected();
        if (linha < 1 || linha > static_cast<int>(selecao_.size())) return;
        selecao_.erase(selecao_.begin() + (linha - 1));
        MostraSelecao();
    }

    // Every product in code order, on a cursor of its own (the list keeps its place); a product
    // already selected is listed again.
    void AdicionaTodos() {
        data::FileManager todos(dictionary::Produtos());
        if (!todos.open().ok()) {
            ui::Message("Não foi possível ler o cadastro de produtos: " + text::to_utf8(data::last_error().text),
                        "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        todos.clear_record();
        data::Result r = todos.set(keys::PRO_KEY_CODIGO);
        while (r.ok() && (r = todos.next()).ok()) selecao_.push_back(DoRegistro(todos.rec<ProdutosRec>()));
        if (r != data::kRecordNotAvailable)
            ui::Message("Não foi possível ler o cadastro de produtos: " + text::to_utf8(data::last_error().text),
                        "Atenção!!!", ui::Icon::Exclamation);
        (void)todos.close();
        MostraSelecao();
    }

    void MostraSelecao() {
        std::vector<ui::Row> linhas;
        for (const Selecionado& s : selecao_)
            linhas.push_back({{Numero("@N-19.", s.codigo)}, {s.apelido}, {s.descricao}, {Numero("@n-8`3", s.aliquota)}});
        ui::Control& c = window()[kSelecao];
        const int antes = c.selected();
        const int n = static_cast<int>(linhas.size());
        c.Rows(std::move(linhas)).Selected(n == 0 ? 0 : std::min(std::max(antes, 1), n));
        window().Display();
    }

    data::FileManager& produtos_;
    ProdutosRec& pro_;
    bool aberta_ = false;
    std::unique_ptr<ui::TableSource> fonte_;
    std::unique_ptr<ui::BrowseManager> lista_;
    std::int16_t anoInicial_ = 0, anoFinal_ = 0;
    std::vector<Selecionado> selecao_;
};

}  // namespace

void RunAjusteAliqProd(ui::ProcContext& ctx) { AjusteAliqProd(ctx).Execute(); }

}  // namespace vorel::maintenance
