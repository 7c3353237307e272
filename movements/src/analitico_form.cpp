// Form "UAnalitico": window "Updade Arquivo Analítico" over one record of table AnaliticoICMS, the
// amount a cash register totalised for one rate (tax situation) of a master reading, with a second
// tab listing the record's product lines (MovMaqRegistradora, form UDiario) and each product's
// description. A new record starts with the machine, date and closing of the master in the buffer
// (the calling master form's). Nothing typed here is looked up or tested. A delete takes the product
// lines with it (the table's relation). Tables: AnaliticoICMS (written), MovMaqRegistradora
// (listed), Produtos0 (the descriptions, read).
#include "movement_form.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::AnaliticoICMSRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;
using dictionary::ProdutosRec;

class AnaliticoForm : public MovementForm {
public:
    enum : int {
        kSheet = 1, kTabAnalitico, kPanel, kPCodigo, kCodigo, kPData, kData, kPAliquota, kAliquota,
        kPTotalizador, kTotalizador, kPFechamento, kFechamento, kParaDiario, kTabDiario, kList, kInsert,
        kChange, kDelete, kOk, kCancel, kHelp
    };

    explicit AnaliticoForm(ProcContext& ctx)
        : MovementForm(
              ctx, "UAnalitico", "Updade Arquivo Analítico", dictionary::AnaliticoICMS(),
              {"Inclui Lançamento Analítico", "Altera Lançamento Analítico", "Exclui Lançamento Analítico"}),
          rec_(file().rec<AnaliticoICMSRec>()),
          linhas_(ui::ThreadFile(dictionary::MovMaqRegistradora())),
          descricoes_(ui::ThreadFile(dictionary::Produtos0())),
          mmr_(linhas_.rec<MovMaqRegistradoraRec>()) {}

    Level Setup() override {
        Level l = MovementForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::MovMaqRegistradora(), &dictionary::Produtos0()})) return Level::Cancel;
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTabAnalitico, kSheet, "Lançamento &Analítico");
        w.Add(kPanel, ui::ControlType::Panel, "Lançamento Analítico").Parent(kTabAnalitico);
        w.Prompt(kPCodigo, "01 Código").Parent(kTabAnalitico);
        w.Entry(kCodigo, ui::UseInRange(rec_.Codigo, -9999, 9999), "@n-5")
            .Parent(kTabAnalitico)
            .Tip("Código da Máquina Registradora");
        w.Prompt(kPData, "02 Data").Parent(kTabAnalitico);
        w.Spin(kData, UseDataTexto(rec_.DataEmissao), "@d06b")
            .Parent(kTabAnalitico)
            .Tip("Data de Emissão dos Cupons");
        w.Prompt(kPAliquota, "03 Alíquota").Parent(kTabAnalitico);
        w.Entry(kAliquota, ui::Use(rec_.Aliquota), "@s4")
            .Parent(kTabAnalitico)
            .Tip("Alícota dos Lançamentos");
        w.Prompt(kPTotalizador, "04 Totalizador").Parent(kTabAnalitico);
        w.Entry(kTotalizador, ui::UseDecimal(rec_.Totalizador, 2), "@n-17.2")
            .Parent(kTabAnalitico)
            .Tip("Valor Totalizado");
        w.Prompt(kPFechamento, "05 Fechamento").Parent(kTabAnalitico);
        w.Entry(kFechamento, ui::UseInRange(rec_.Fechamento, 0, 255), "@n3")
            .Parent(kTabAnalitico)
            .Tip("Fechamento da Máquina Registradora");
        w.Button(kParaDiario, "").Parent(kTabAnalitico).Icon("arrow");
        w.Tab(kTabDiario, kSheet, "Lançamento &Diário");
        w.List(kList).Parent(kTabDiario);
        w.Button(kInsert, "&Inclui Lançamento").Parent(kTabDiario);
        w.Button(kChange, "&Altera Lançamento").Parent(kTabDiario);
        w.Button(kDelete, "&Exclui Lançamento").Parent(kTabDiario);
        w.Button(kOk, "&Grava");
        w.Button(kCancel, "&Cancela");
        w.Button(kHelp, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kData, kAliquota, kTotalizador, kFechamento});
        OkOnDelete({"&Exclui", "Exclui Lançamento", "Exclui Lançamento"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kParaDiario, kInsert, kChange, kDelete, kOk, kCancel, kHelp});
        SetUpList();
        return Level::Benign;
    }

    // A new record belongs to the master in the buffer (the calling master form's record).
    void PrimeInsert() override {
        const auto& mestre = ui::ThreadFile(dictionary::LancICMSEletronico()).rec<LancICMSEletronicoRec>();
        rec_.Codigo = mestre.Codigo;
        rec_.DataEmissao = mestre.DataEmissao;
        rec_.Fechamento = mestre.Fechamento;
    }

    Level OnWindowOpened() override {
        Level l = MovementForm::OnWindowOpened();
        if (request() == Request::Delete) {
            // Entries, buttons and the list read-only, then OK, cancel and help usable again.
            for (int b : {kParaDiario, kInsert, kChange, kDelete}) window()[b].ReadOnly();
        }
        return l;
    }

    Level OnAccepted(int feq) override {
        if (std::optional<Level> l = AbasDaLista(feq, kSheet, kParaDiario, kCancel)) return *l;
        return MovementForm::OnAccepted(feq);
    }

    // The product-line form from the list.
    Response CallProcedure(int, Request r) override { return ChamaFormDaLista("UDiario", r); }

private:
    void SetUpList() {
        ui::BrowseManager& b = ChildList(
            kList, linhas_, dictionary::keys::MMR_KEY_CODIGO, 4,
            [this] {
                mmr_.DataEmissao = rec_.DataEmissao;
                mmr_.Codigo = rec_.Codigo;
                mmr_.Fechamento = rec_.Fechamento;
                mmr_.Aliquota = rec_.Aliquota;
            },
            [this] {
                return mmr_.Codigo == rec_.Codigo && mmr_.Fechamento == rec_.Fechamento &&
                       mmr_.DataEmissao == rec_.DataEmissao && mmr_.Aliquota == rec_.Aliquota;
            },
            kInsert, kChange, kDelete);
        b.AddColumn({"Código", 30, 'R', [this] { return std::to_string(mmr_.Codigo); }});
        b.AddColumn({"Data", 48, 'C', [this] { return MostraDataTexto(mmr_.DataEmissao); }});
        b.AddColumn({"Produto", 50, 'R', [this] { return mmr_.CodMercadoria.to_string(); }});
        b.AddColumn({"Descrição Produto", 120, 'L', [this] { return Descricao(); }});
        b.AddColumn({"Quantidade", 50, 'R', [this] { return ui::ShowDecimal(mmr_.Quantidade, 3); }});
        b.AddColumn({"Base Cálculo", 50, 'R', [this] { return ui::ShowDecimal(mmr_.BaseCalculo, 2); }});
        b.AddColumn({"Valor ICMS", 50, 'R', [this] { return ui::ShowDecimal(mmr_.ValorICMS, 2); }});
        b.AddColumn({"Alíquota", 24, 'L', [this] { return text::to_utf8(mmr_.Aliquota.clipped()); }});
        b.AddColumn({"Fechamento", 30, 'R', [this] { return std::to_string(mmr_.Fechamento); }});
    }

    // The product's description, read through a cursor of its own so that the product the
    // product-line form looked up stays in the Produtos buffer.
    std::string Descricao() {
        descricoes_.clear_record();
        auto& p = descricoes_.rec<ProdutosRec>();
        p.Codigo = mmr_.CodMercadoria;
        if (descricoes_.get(dictionary::keys::PROE_KEY_CODIGO) != data::kNoError) return {};
        return text::to_utf8(p.Produtos.clipped());
    }

    AnaliticoICMSRec& rec_;
    data::FileManager& linhas_;
    data::FileManager& descricoes_;
    MovMaqRegistradoraRec& mmr_;
};

}  // namespace

void RunAnaliticoForm(ProcContext& ctx) {
    AnaliticoForm(ctx).Execute();
}

}  // namespace vorel::movements
