// The vehicle update form shared by UEntradaVeiculo and USaidaVeiculos (see vehicle_form.h).
#include "vehicle_form.h"

#include "cnpj_text.h"

#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/movements/entry_items.h"
#include "vorel/movements/exit_items.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::CFORec;
using dictionary::CodCFOComplementarRec;
using dictionary::EstadosRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;

// The CNPJ typed: its digits (the exit form's buyer "0" stays "0"); more than fourteen are refused.
ui::UsePtr UseCnpj(String<14>& cnpj) {
    return ui::UseFn([&cnpj] { return ShowCnpj(cnpj.value()); },
                     [&cnpj](const std::string& typed) {
                         const std::string digits = Digits(typed);
                         if (digits.size() > cnpj.capacity) return false;
                         cnpj = digits;
                         return true;
                     });
}

}  // namespace

template <class Rec>
VehicleForm<Rec>::VehicleForm(ProcContext& ctx, const data::TableDesc& table, VehicleTexts texts,
                              std::int32_t Rec::*data, DecimalField<13, 2> Rec::*base1,
                              DecimalField<13, 2> Rec::*base2)
    : MovementForm(ctx, texts.procedure, texts.caption, table, texts.captions),
      texts_(std::move(texts)),
      rec_(file().template rec<Rec>()),
      data_(data),
      base1_(base1),
      base2_(base2),
      forcli_(ui::ThreadFile(dictionary::ForCli())),
      produtos_(ui::ThreadFile(dictionary::Produtos())),
      cfo_(ui::ThreadFile(dictionary::CFO())),
      cfoCompl_(ui::ThreadFile(dictionary::CodCFOComplementar())),
      estados_(ui::ThreadFile(dictionary::Estados())) {}

template <class Rec>
dictionary::ForCliRec& VehicleForm<Rec>::fornecedor() {
    return forcli_.rec<ForCliRec>();
}

template <class Rec>
Level VehicleForm<Rec>::Setup() {
    Level l = MovementForm::Setup();
    if (l != Level::Benign) return l;
    if (!AlsoOpen({&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO(),
                   &dictionary::CodCFOComplementar(), &dictionary::Estados()}))
        return Level::Cancel;
    ui::Window& w = window();
    ForCliRec& f = fornecedor();
    ProdutosRec& p = produtos_.rec<ProdutosRec>();
    w.Prompt(kPCnpj, "01 C.N.P.J.");
    w.Entry(kCnpj, UseCnpj(rec_.CNPJforcli), kCnpjPicture).Tip(texts_.cnpjTip);
    w.Button(kBuscaCnpj, "").Icon("search").Skip();
    w.Prompt(kPNome, texts_.nomePrompt);
    w.Entry(kNome, ui::Use(f.Nome), "@s40").Tip(texts_.nomeTip).ReadOnly().Skip();
    w.Prompt(kPUf, "03 UF");
    w.Combo(kUf, ui::UseKeyIn(rec_.Estado, "@k^^k")).Picture("@k^^k");
    w[kUf].Columns({{"UF", 16, 'L'}, {"Descrição", 80, 'L'}});
    w.Prompt(kPInscricao, texts_.inscricaoPrompt);
    w.Entry(kInscricao, ui::Use(f.InscricaoEstadual), "@s20")
        .Tip("Número da Inscrição Estadual do Cliente/Fornecedor")
        .ReadOnly()
        .Skip();
    w.Prompt(kPSerie, "05 Série");
    w.Entry(kSerie, ui::Use(rec_.Serie), "@s2").Tip(texts_.serieTip);
    w.Prompt(kPNumero, "06 Número");
    w.Entry(kNumero, ui::UseInRange(rec_.Numero, 0, 9999999), "@n7").Tip(texts_.numeroTip);
    w.Prompt(kPData, "07 Data");
    w.Spin(kData, ui::UseDate(rec_.*data_, "@d06b"), "@d06b").Tip(texts_.dataTip);
    w.Prompt(kPQuantidade, "08 Quantidade");
    w.Entry(kQuantidade, ui::UseDecimal(rec_.Quantidade, 3), "@n-14.3");
    w.Prompt(kPProduto, "09 Código  Produto");
    w.Entry(kProduto, ui::UseDecimal(rec_.CodProduto, 0), "@n15").Tip("Código do Produto");
    w.Button(kBuscaProduto, "").Icon("search").Skip();
    w.Prompt(kPDescricao, "10 Descrição");
    w.Entry(kDescricao, ui::Use(p.Produtos), "@s100")
        .Tip("Descrição de Produtos Cadastrados")
        .ReadOnly()
        .Skip();
    w.Prompt(kPChassi, "11 Chassi");
    w.Entry(kChassi, ui::Use(rec_.Chassi), "@s22").Tip(texts_.chassiTip);
    w.Prompt(kPCfo, "12 C.F.O.");
    w.Entry(kCfo, ui::UseInRange(rec_.CFO, 0, 9999), "@n4").Tip(texts_.cfoTip);
    w.Prompt(kPComplemento, "13 Compl.");
    w.Entry(kComplemento, ui::UseInRange(rec_.Complemento, -99, 999), "@n-3").Tip("Código Fiscal");
    w.Button(kBuscaCfo, "").Icon("search").Skip();
    w.Prompt(kPCfoCompl, "14 CFO Compl.");
    w.Entry(kCfoCompl, ui::UseInRange(rec_.CFOComplementar, 0, 255), "@n3").Tip("CFO Complementar");
    w.Button(kBuscaCfoCompl, "").Icon("search").Skip();
    w.Prompt(kPAliquota, "15 Alíquota");
    w.Entry(kAliquota, ui::UseDecimal(rec_.Aliquota, 3), "@n-8.3").Tip("Alíquota de ICMS do Veículo");
    w.Prompt(kPBase1, texts_.base1Prompt);
    w.Entry(kBase1, ui::UseDecimal(rec_.*base1_, 2), "@n-17.2").Tip(texts_.base1Tip);
    if (!texts_.base2Prompt.empty()) {
        w.Prompt(kPBase2, texts_.base2Prompt);
        w.Entry(kBase2, ui::UseDecimal(rec_.*base2_, 2), "@n-17.2").Tip(texts_.base2Tip);
    }
    w.Button(kOk, texts_.ok.text).Tip(texts_.ok.tip);
    w.Button(kCancel, "&Cancela");
    w.Button(kHelp, "&Ajuda");
    w.SetDefaultButton(kOk);
    SetOkButton(kOk);
    SetCancelButton(kCancel);
    if (texts_.base2Prompt.empty())
        LinkHistory({kCnpj, kUf, kSerie, kNumero, kData, kQuantidade, kProduto, kChassi, kCfo, kComplemento,
                     kCfoCompl, kAliquota, kBase1});
    else
        LinkHistory({kCnpj, kUf, kSerie, kNumero, kData, kQuantidade, kProduto, kChassi, kCfo, kComplemento,
                     kCfoCompl, kAliquota, kBase1, kBase2});
    if (!texts_.okOnChange.text.empty()) OkOnChange(texts_.okOnChange);
    OkOnDelete(texts_.okOnDelete);
    ReadOnlyOnDelete();
    ExcludeFromNavigation({kBuscaCnpj, kBuscaProduto, kBuscaCfo, kBuscaCfoCompl, kOk, kCancel, kHelp});
    SetBatchInsert(true);
    LoadStates();
    return Level::Benign;
}

template <class Rec>
void VehicleForm<Rec>::LoadStates() {
    std::vector<std::string> items;
    std::vector<ui::Row> rows;
    auto& e = estados_.rec<EstadosRec>();
    estados_.clear_record();
    (void)estados_.set(dictionary::keys::EST_KEY_SIGLA);
    while (estados_.next() == data::kNoError) {
        items.push_back(text::to_utf8(e.UF.clipped()));
        rows.push_back({{items.back()}, {text::to_utf8(e.DESC.clipped())}});
    }
    window()[kUf].Items(items).ItemRows(std::move(rows));
}

// A new vehicle starts from the values of the last one saved in this window.
template <class Rec>
void VehicleForm<Rec>::PrimeInsert() {
    rec_.CNPJforcli = carried_.cnpj;
    rec_.Serie = carried_.serie;
    if (texts_.carriesNumero) rec_.Numero = carried_.numero;
    rec_.*data_ = carried_.data;
    rec_.Quantidade = carried_.quantidade;
    rec_.CFO = carried_.cfo;
    rec_.CFOComplementar = carried_.cfoComplementar;
    rec_.Aliquota = carried_.aliquota;
    rec_.Complemento = carried_.complemento;
    rec_.MesImpor = 0;
    produtos_.clear_record();
}

template <class Rec>
Level VehicleForm<Rec>::OnWindowOpened() {
    Level l = MovementForm::OnWindowOpened();
    if (request() == Request::Delete)
        for (int b : {kBuscaCnpj, kBuscaProduto, kBuscaCfo, kBuscaCfoCompl}) window()[b].ReadOnly();
    if (request() == Request::Insert) {
        forcli_.clear_record();
        produtos_.clear_record();
    } else {
        // The partner's name and registration, and the product's description, show.
        const bool found = LeFornecedor();
        (void)fiscal::LeProduto(produtos_, rec_.CodProduto);
        OpenedOnRecord(found);
    }
    window().Display();
    return l;
}

template <class Rec>
bool VehicleForm<Rec>::LeFornecedor() {
    return fiscal::LeFornecedorPorCnpj(forcli_, rec_.CNPJforcli.value());
}

template <class Rec>
Level VehicleForm<Rec>::OnSelected(int feq) {
    // Entering the CNPJ, the product or the complement makes leaving it run its look-up.
    if ((feq == kCnpj || feq == kProduto || feq == kComplemento) && request() != Request::View &&
        request() != Request::Delete)
        window()[feq].Touched();
    return MovementForm::OnSelected(feq);
}

template <class Rec>
Level VehicleForm<Rec>::OnAccepted(int feq) {
    switch (feq) {
        case kCnpj:
            if (auto ec = shell::EntregaCnpjAoCadastro(rec_.CNPJforcli.clipped()))
                ui::Message("Não foi possível gravar o CNPJ em Vorel.ini: " + ec.message(), "Atenção!!!",
                            ui::Icon::Exclamation);
            return CnpjAccepted() == Level::Benign ? MovementForm::OnAccepted(feq) : ui::kHandled;
        case kBuscaCnpj:
            BuscaCnpjPressed();
            return Level::Benign;
        case kSerie:
            carried_.serie = rec_.Serie;
            break;
        case kData: {
            MovementForm::OnAccepted(feq);
            rec_.*data_ = CorrigeDataPeriodo(rec_.*data_);
            window().Display();
            return Level::Benign;
        }
        case kProduto:
            ProdutoAccepted();
            break;
        case kBuscaProduto:
            BuscaProdutoPressed();
            return Level::Benign;
        case kComplemento:
            ComplementoAccepted();
            break;
        case kBuscaCfo:
            BuscaCfoPressed();
            return Level::Benign;
        case kCfoCompl:
            if (CfoComplAccepted() != Level::Benign) return ui::kHandled;
            break;
        case kBuscaCfoCompl:
            BuscaCfoComplPressed();
            return Level::Benign;
        case kOk:
            if (request() == Request::Insert || request() == Request::Change) {
                UpdateComponents();
                TakeCarried();
                if (!fiscal::CfoDoPeriodo(rec_.CFO, shell::GLO_ANO.Get())) {
                    AvisaCfoForaDoPeriodo();
                    window().Select(kCfo);
                    return ui::kHandled;
                }
            }
            break;
        case kCancel:
            if (texts_.cancelAsks && !MayCancel()) return ui::kHandled;
            break;
        default:
            break;
    }
    return MovementForm::OnAccepted(feq);
}

template <class Rec>
Level VehicleForm<Rec>::Teardown() {
    if (auto ec = shell::EncerraCnpjAoCadastro())
        ui::Message("Não foi possível gravar Vorel.ini: " + ec.message(), "Atenção!!!",
                    ui::Icon::Exclamation);
    return MovementForm::Teardown();
}

template <class Rec>
void VehicleForm<Rec>::TakeCarried() {
    carried_.cnpj = rec_.CNPJforcli;
    carried_.serie = rec_.Serie;
    carried_.numero = rec_.Numero;
    carried_.data = rec_.*data_;
    carried_.quantidade = rec_.Quantidade;
    carried_.cfo = rec_.CFO;
    carried_.cfoComplementar = rec_.CFOComplementar;
    // Two places, rounded half away from zero; a rate too large for them is not carried.
    if (Decimal two = static_cast<const Decimal&>(rec_.Aliquota).rounded(2); two.fits(5, 2))
        carried_.aliquota = two;
}

template <class Rec>
ui::Response VehicleForm<Rec>::Escolhe(const char* browse, data::FileManager& table,
                                       bool throughProcedureCall) {
    if (throughProcedureCall && request() == Request::View) return Response::Cancelled;
    return EscolheNoCadastro(browse, table);
}

// The supplier's CNPJ: a registered one gives the state; an unknown one is chosen in the register.
template <class Rec>
Level VehicleForm<Rec>::CnpjAccepted() {
    if (!rec_.CNPJforcli.empty() && !LeFornecedor()) {
        if (Escolhe("Fornecedores", forcli_, true) != Response::Completed) {
            window().Select(kCnpj);
            return ui::kHandled;
        }
        rec_.CNPJforcli = fornecedor().CGC;
    }
    if (LeFornecedor() && !rec_.CNPJforcli.empty() && rec_.CNPJforcli != "0")
        rec_.Estado = fornecedor().Estado;
    else
        BuscaCnpjPressed();
    window().Display();
    return Level::Benign;
}

template <class Rec>
void VehicleForm<Rec>::BuscaCnpjPressed() {
    UpdateComponents();
    fornecedor().CGC = rec_.CNPJforcli;
    if (Escolhe("Fornecedores", forcli_, true) == Response::Completed) rec_.CNPJforcli = fornecedor().CGC;
    window().Display();
    (void)LeFornecedor();
    rec_.Estado = fornecedor().Estado;
    window().Display();
}

template <class Rec>
void VehicleForm<Rec>::ProdutoAccepted() {
    if (fiscal::LeProduto(produtos_, rec_.CodProduto))
        rec_.CodProduto = produtos_.rec<ProdutosRec>().Codigo;
    else
        BuscaProdutoPressed();
    rec_.Aliquota = produtos_.rec<ProdutosRec>().Alicota;
    window().Display();
}

template <class Rec>
void VehicleForm<Rec>::BuscaProdutoPressed() {
    UpdateComponents();
    (void)Escolhe("Produtos", produtos_, false);
    window().Display();
    rec_.CodProduto = produtos_.rec<ProdutosRec>().Codigo;
    rec_.Aliquota = produtos_.rec<ProdutosRec>().Alicota;
    window().Display();
    window().Select(kProduto);
}

template <class Rec>
void VehicleForm<Rec>::ComplementoAccepted() {
    carried_.complemento = rec_.Complemento;
    if (!fiscal::ColunaDoCfo(cfo_, rec_.CFO, rec_.Complemento)) BuscaCfoPressed();
}

template <class Rec>
void VehicleForm<Rec>::BuscaCfoPressed() {
    UpdateComponents();
    auto& c = cfo_.rec<CFORec>();
    c.CODIGO = static_cast<std::int16_t>(rec_.CFO);
    c.COMPLEMENTO = rec_.Complemento;
    (void)Escolhe("CFO", cfo_, false);
    window().Display();
    rec_.CFO = static_cast<std::uint16_t>(c.CODIGO);
    rec_.Complemento = c.COMPLEMENTO;
    window().Display();
}

template <class Rec>
Level VehicleForm<Rec>::CfoComplAccepted() {
    if (rec_.CFOComplementar == 0) return Level::Benign;
    auto& c = cfoCompl_.rec<CodCFOComplementarRec>();
    cfoCompl_.clear_record();
    c.CODIGO = rec_.CFOComplementar;
    if (cfoCompl_.get(dictionary::keys::CCF_KEY_CODIGO) == data::kNoError) return Level::Benign;
    if (Escolhe("CFOComplementar", cfoCompl_, true) != Response::Completed) {
        window().Select(kCfoCompl);
        return ui::kHandled;
    }
    rec_.CFOComplementar = c.CODIGO;
    window().Display();
    return Level::Benign;
}

template <class Rec>
void VehicleForm<Rec>::BuscaCfoComplPressed() {
    UpdateComponents();
    if (Escolhe("CFOComplementar", cfoCompl_, true) == Response::Completed)
        rec_.CFOComplementar = cfoCompl_.rec<CodCFOComplementarRec>().CODIGO;
    window().Display();
}

template class VehicleForm<dictionary::EntradaVeiculoRec>;
template class VehicleForm<dictionary::SaidaVeiculoRec>;

}  // namespace vorel::movements
