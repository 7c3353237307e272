// Form "UMestre": window "Lançamento Mestre" over one record of table LancICMSEletronico, the
// reading of one cash-register machine on one day and closing (coupons, reduction counter, grand
// totals), with a second tab listing the master's analytic records (AnaliticoICMS, form UAnalitico).
// The machine is looked up in the company's machines (ICMSEletronica, browse ICMSEletronico); the
// date is kept inside the working month. A delete takes the analytic records and their product
// lines with it, in one transaction (the tables' relations). Tables: LancICMSEletronico (written),
// AnaliticoICMS (listed, and through the relations), ICMSEletronica (read).
#include "movement_form.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::ICMSEletronicaRec;
using dictionary::LancICMSEletronicoRec;

class MestreForm : public MovementForm {
public:
    enum : int {
        kSheet = 1, kTabMestre, kPCodigo, kCodigo, kBuscaMaquina, kNome, kPData, kData, kPCupomInicial,
        kCupomInicial, kPCupomFinal, kCupomFinal, kPGtInicial, kGtInicial, kPGtFinal, kGtFinal, kPContador,
        kContador, kPFechamento, kFechamento, kParaAnalitico, kTabAnalitico, kList, kInsert, kChange,
        kDelete, kOk, kCancel, kHelp
    };

    explicit MestreForm(ProcContext& ctx)
        : MovementForm(ctx, "UMestre", "Lançamento Mestre", dictionary::LancICMSEletronico(),
                       {"Inclui Lançamento Mestre", "Altera Lançamento Mestre", "Exclui Lançamento Mestre"}),
          rec_(file().rec<LancICMSEletronicoRec>()),
          maquinas_(ui::ThreadFile(dictionary::ICMSEletronica())),
          analitico_(ui::ThreadFile(dictionary::AnaliticoICMS())),
          ana_(analitico_.rec<AnaliticoICMSRec>()) {}

    Level Setup() override {
        Level l = MovementForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ICMSEletronica(), &dictionary::AnaliticoICMS()})) return Level::Cancel;
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabMestre, kSheet, "Lançamento &Mestre");
        auto field = [&](int prompt, const char* text, int feq, ui::UsePtr use, const char* picture,
                         const char* tip) {
            if (prompt) w.Prompt(prompt, text).Parent(kTabMestre);
            w.Entry(feq, std::move(use), picture).Parent(kTabMestre).Tip(tip);
        };
        field(kPCodigo, "01 Código", kCodigo, ui::UseInRange(rec_.Codigo, -9999, 9999), "@n-5",
              "Código da Máquina Registradora");
        w.Button(kBuscaMaquina, "")
            .Parent(kTabMestre)
            .Icon("search")
            .Tip("Pesquisa Máquinas Registradoras")
            .Skip();
        w.Entry(kNome, ui::Use(maquinas_.rec<ICMSEletronicaRec>().Nome), "@s30")
            .Parent(kTabMestre)
            .ReadOnly()
            .Skip();
        w.Prompt(kPData, "03 Data Emissão").Parent(kTabMestre);
        w.Spin(kData, UseDataTexto(rec_.DataEmissao), "@d06b")
            .Parent(kTabMestre)
            .Tip("Data de Emissão dos Cupons Fiscais");
        field(kPCupomInicial, "04 Cupom Inicial", kCupomInicial, ui::Use(rec_.InicialCupom), "@n-11",
              "Número Incial dos Cumpons");
        field(kPCupomFinal, "05 Cupom Final", kCupomFinal, ui::Use(rec_.FinalCupom), "@n-11",
              "Número Final dos Cupons Fiscais");
        field(kPGtInicial, "06 GT Inicial", kGtInicial, ui::UseDecimal(rec_.GTInicio, 2), "@n-21.2",
              "Valor do GT no Início do Dia");
        field(kPGtFinal, "07 GT Final", kGtFinal, ui::UseDecimal(rec_.GTFinal, 2), "@n-21.2",
              "Valor do GT no Final do Dia");
        field(kPContador, "08 Contador Redução", kContador, ui::Use(rec_.ContReducao), "@n-11",
              "Número do Contador d eRedução");
        field(kPFechamento, "09 Fechamento", kFechamento, ui::UseInRange(rec_.Fechamento, 0, 255), "@n3",
              "Número de Fechamento Caixa");
        w.Button(kParaAnalitico, "").Parent(kTabMestre).Icon("arrow");
        w.Tab(kTabAnalitico, kSheet, "Lançamento A&nalítico");
        w.List(kList).Parent(kTabAnalitico);
        w.Button(kInsert, "&Inclui Lançamento").Parent(kTabAnalitico).Tip("Inclui Novo Lançamento Analítico");
        w.Button(kChange, "&Altera Lançamento").Parent(kTabAnalitico).Tip("Altera Lançamento Analítico");
        w.Button(kDelete, "&Exclui Lançamento").Parent(kTabAnalitico).Tip("Exclui Lançamento Analítico");
        w.Button(kOk, "&OK").Tip("Confirma Inclusão de Lançamento Mestre");
        w.Button(kCancel, "&Cancela");
        w.Button(kHelp, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory(
            {kCodigo, kData, kCupomInicial, kCupomFinal, kGtInicial, kGtFinal, kContador, kFechamento});
        OkOnChange(
            {"&Grava", "Grava Alteração do Lançamento Mestre", "Grava Alteração do Lançamento Mestre"});
        OkOnDelete({"&Exclui", "Exclui Lançamento Mestre", "Exclui Lançamento Mestre"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation(
            {kBuscaMaquina, kParaAnalitico, kInsert, kChange, kDelete, kOk, kCancel, kHelp});
        SetUpList();
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = MovementForm::OnWindowOpened();
        ui::Window& w = window();
        if (request() == Request::Delete) {
            for (int b : {kBuscaMaquina, kParaAnalitico}) w[b].ReadOnly();
            for (int b : {kInsert, kChange, kDelete}) w[b].Hide();
        }
        LeMaquina();
        w.Display();
        return l;
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case kCodigo:
                if (!CodigoAccepted()) return ui::kHandled;
                break;
            case kBuscaMaquina:
                UpdateComponents();
                maquinas_.rec<ICMSEletronicaRec>().Codigo = rec_.Codigo;
                if (CallProcedure(1, Request::Select) == Response::Completed)
                    rec_.Codigo = maquinas_.rec<ICMSEletronicaRec>().Codigo;
                window().Display();
                return Level::Benign;
            case kData: {
                Level l = MovementForm::OnAccepted(feq);
                rec_.DataEmissao = dictionary::DataComoTexto(
                    CorrigeDataPeriodo(dictionary::DiaDoTexto(rec_.DataEmissao.value())));
                window().Display();
                return l;
            }
            default:
                break;
        }
        if (std::optional<Level> l = AbasDaLista(feq, kSheet, kParaAnalitico, kCancel)) return *l;
        return MovementForm::OnAccepted(feq);
    }

    // The machines (to select), or the analytic form from the list, which takes the master's
    // fields as they are typed.
    Response CallProcedure(int, Request r) override {
        if (request() == Request::View) return Response::Cancelled;
        if (r == Request::Select) return Escolhe(r);
        return ChamaFormDaLista("UAnalitico", r);
    }

private:
    void SetUpList() {
        ui::BrowseManager& b = ChildList(
            kList, analitico_, dictionary::keys::ANA_KEY_ALICOTA, 3,
            [this] {
                ana_.DataEmissao = rec_.DataEmissao;
                ana_.Codigo = rec_.Codigo;
                ana_.Fechamento = rec_.Fechamento;
            },
            [this] {
                return ana_.Codigo == rec_.Codigo && ana_.Fechamento == rec_.Fechamento &&
                       ana_.DataEmissao == rec_.DataEmissao;
            },
            kInsert, kChange, kDelete);
        b.AddColumn({"Código", 30, 'R', [this] { return std::to_string(ana_.Codigo); }});
        b.AddColumn({"Data Emissão", 48, 'C', [this] { return MostraDataTexto(ana_.DataEmissao); }});
        b.AddColumn({"Alíquota", 24, 'L', [this] { return text::to_utf8(ana_.Aliquota.clipped()); }});
        b.AddColumn({"Fechamento", 30, 'R', [this] { return std::to_string(ana_.Fechamento); }});
        b.AddColumn({"Totalizador", 60, 'R', [this] { return ui::ShowDecimal(ana_.Totalizador, 2); }});
    }

    // The machine typed: 0 looks nothing up; an unknown one is chosen among the machines.
    bool CodigoAccepted() {
        if (rec_.Codigo != 0 && !LeMaquina()) {
            if (CallProcedure(1, Request::Select) != Response::Completed) {
                window().Select(kCodigo);
                return false;
            }
            rec_.Codigo = maquinas_.rec<ICMSEletronicaRec>().Codigo;
        }
        window().Display();
        return true;
    }

    bool LeMaquina() {
        maquinas_.clear_record();
        maquinas_.rec<ICMSEletronicaRec>().Codigo = rec_.Codigo;
        return maquinas_.get(dictionary::keys::ICM_KEY_NUMERO) == data::kNoError;
    }

    Response Escolhe(Request r) { return EscolheNoCadastro("ICMSEletronico", maquinas_, r); }

    LancICMSEletronicoRec& rec_;
    data::FileManager& maquinas_;
    data::FileManager& analitico_;
    AnaliticoICMSRec& ana_;
};

}  // namespace

void RunMestreForm(ProcContext& ctx) {
    MestreForm(ctx).Execute();
}

}  // namespace vorel::movements
