// Window "ExcluirSaldoZero" ("Exclui Saldo Zero"): the working month's balances (`SaldosVorel`) of
// rate 0 with their products' descriptions (`Produtos`); "&Excluir" deletes them after asking
// (`ExcluiAliquotasZeradas`, vorel/computation/manutencao_mes.h), "&Imprimir" starts the report
// "RelExcluiSaldoZero" on a thread of its own (vorel/computation/rel_exclui_saldo_zero.h).
#include "vorel/computation/manutencao_mes.h"
#include "vorel/computation/procedures.h"
#include "vorel/computation/rel_exclui_saldo_zero.h"
#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/shell/company_register_browse.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/record_access.h"

namespace vorel::computation {

namespace {

using dictionary::SaldosVorelRec;
namespace keys = dictionary::keys;

class ExcluirSaldoZero : public shell::CompanyRegisterBrowse {
public:
    enum : int { kPromptProduto = 1, kProduto, kList, kContador, kProgresso, kImprimir, kExcluir, kFechar };

    explicit ExcluirSaldoZero(ui::ProcContext& ctx)
        : CompanyRegisterBrowse(ctx, "ExcluirSaldoZero", "Exclui Saldo Zero", dictionary::SaldosVorel(), ""),
          rec_(file().rec<SaldosVorelRec>()),
          produtos_(ui::ThreadFile(dictionary::Produtos())) {}

    ui::Level Build(ui::Window& w) override {
        if (!produtos_.open().ok()) {
            ui::Message("Não foi possível abrir a tabela de produtos.", "Erro ao Abrir");
            return ui::Level::Fatal;
        }
        produtosAbertos_ = true;
        w.Prompt(kPromptProduto, "Produto:");
        w.Entry(kProduto, ui::Use(rec_.Produto), "@s14").Immediate();
        w.List(kList).Tip("Browsing Records");
        w.String(kContador, "").Hide();
        w.Progress(kProgresso).Hide();
        w.Button(kImprimir, "&Imprimir");
        w.Button(kExcluir, "&Excluir");
        w.Button(kFechar, "&Fechar");

        ui::BrowseManager& b = browse();
        b.SetList(kList);
        auto numero = [](const char* pic, const Decimal& v) { return text::to_utf8(picture::format(pic, v)); };
        b.AddColumn({"Data", 36, 'L', [this] { return text::to_utf8(picture::format("@d014b", rec_.Competencia)); }});
        b.AddColumn({"Produto", 56, 'L', [this] { return text::to_utf8(rec_.Produto.clipped()); }});
        b.AddColumn({"Descrição", 160, 'L', [this] { return Descricao(); }});
        b.AddColumn({"Aliquota", 36, 'R', [this, numero] { return numero("@n-8.3", rec_.Aliquota); }});
        b.AddColumn({"Qtde Saldo", 56, 'R', [this, numero] { return numero("@n-16.3", rec_.QuantProdutos); }});
        b.AddColumn({"Vlr Unitário", 56, 'R', [this, numero] { return numero("@n-14.3", rec_.ValorUnit); }});
        b.AddColumn({"Saldo", 56, 'R', [this, numero] { return numero("@n-15.2", rec_.BaseAcunulada); }});
        b.AddSortOrder({file().desc().key_index(keys::SQEL_KEY_PRODDATAALIQUOTA), kProduto, true, {}});
        b.SetFilter([this] {
            return rec_.Competencia > 0 && date::month(rec_.Competencia) == shell::GLO_MES.Get() &&
                   date::year(rec_.Competencia) == shell::GLO_ANO.Get() && rec_.Aliquota.value().is_zero();
        });
        SetCloseButton(kFechar);
        ExcludeFromNavigation({kImprimir, kExcluir, kFechar});
        return ui::Level::Benign;
    }

    ui::Level OnAccepted(int feq) override {
        switch (feq) {
            case kImprimir: context().runtime().Start("RelExcluiSaldoZero"); return ui::Level::Benign;
            case kExcluir: Exclui(); return ui::Level::Benign;
            default: return ui::RegisterBrowse::OnAccepted(feq);
        }
    }

    ui::Level Teardown() override {
        if (produtosAbertos_) (void)produtos_.close();
        return ui::RegisterBrowse::Teardown();
    }

private:
    // The description of the row's product, empty when the register lacks it.
    std::string Descricao() {
        const Decimal codigo = Decimal::from_string(std::string(rec_.Produto.clipped()));
        if (!fiscal::LeProdutoPorCodigo(produtos_, codigo)) return {};
        return text::to_utf8(produtos_.rec<dictionary::ProdutosRec>().Produtos.clipped());
    }

    void Exclui() {
        const shell::EmpresaPeriodo p = shell::PeriodoDeTrabalho();
        const std::string mes = picture::format("@n02", p.mes) + "/" + picture::format("@n04", p.ano);
        if (ui::Message("Deseja realmente excluir todos os saldos com alíquota zero de " + mes + "?", "Atenção!!!",
                        ui::Icon::Question, "&Sim|&Não", 2) != 1)
            return;
        ui::Window& w = window();
        w[kContador].Unhide().Text(Contador(0));
        w[kProgresso].Unhide().Progress(0);
        w.Display();
        ResultadoLimpeza r = ExcluiAliquotasZeradas(p.Inicio(), [&w](long long feito, long long total) {
            w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feito));
            w.Display();
            return true;
        });
        w[kContador].Text(Contador(r.saldosExcluidos));
        w[kProgresso].Hide();
        w.Display();
        browse().ResetToTop();
        if (!r.ok()) ui::Message(r.erro, "Atenção!!!");
        else if (r.saldosExcluidos > 0) ui::Message("Saldos Excluidos com Sucesso !!!");
        w.Select(kFechar);
    }

    static std::string Contador(long long n) { return text::to_utf8(picture::format("@n13", n)); }

    SaldosVorelRec& rec_;
    data::FileManager& produtos_;
    bool produtosAbertos_ = false;
};

}  // namespace

void RunExcluirSaldoZero(ui::ProcContext& ctx) { ExcluirSaldoZero(ctx).Execute(); }

void RunRelExcluiSaldoZero(ui::ProcContext& ctx) {
    if (!shell::GaranteEmpresa(ctx)) return;
    RelExcluiSaldoZero(ctx, shell::PeriodoDeTrabalho());
}

}  // namespace vorel::computation
