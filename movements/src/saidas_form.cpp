// Form "Usaidas": window "Janela de Registro de Saídas" over one exit item of the working year's
// table SaidaVorel: customer (by CNPJ or register code, "ISENTO" for the CNPJ "0"), state, series,
// number, date (kept inside the working month), quantity and its counting lines, product, CFOP code
// and complement, complementary code, lot, base before reduction, base, rate, tax, and the
// automatic base from the product's exit unit value. OK checks, in order: the invoice number (not
// on delete), a code not registered,
// an entry CFOP column, a repeated item (insert), the counted quantity, the code's period, the lot;
// then the item, its month balance mark and its invoice's counting lines are written in one
// transaction, so a refused or failed save leaves nothing behind. Inserts run in batch with the
// last values carried over.
// Tables: SaidaVorel (written), SaidaVorel0, SaldosVorel and QuantidadeVorel (written with the
// item), ForCli, Produtos, CFO, CodCFOComplementar, LoteVorel, TabelaValorProdutoSaida, Estados.
#include <optional>

#include "vorel/data/error_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/colunas.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/saldo_do_mes.h"
#include "vorel/movements/counting_lines.h"
#include "vorel/movements/entry_items.h"
#include "vorel/movements/exit_items.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/movements/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/settings_read.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/register_window.h"
#include "cnpj_text.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using dictionary::CFORec;
using dictionary::CodCFOComplementarRec;
using dictionary::ForCliRec;
using dictionary::ProdutosRec;
using dictionary::SaidaVorelRec;

constexpr const char* kAtencao = "Atenção!!!";

// The exit item's writes as the form's OK makes them: the form's checks first (after the pass over
// the fields and the field rules), then in one transaction the month balance mark, the item and its
// invoice's counting lines. The item is written alone: its counting lines belong to the invoice and
// stay while another of its items remains, which the counting lines' own write sees to (the
// table's cascade would take them with any item).
class SaidaAccess : public ui::TableAccess {
public:
    SaidaAccess(data::FileManager& saidas, data::FileManager& saldos, data::FileManager& linhas)
        : ui::TableAccess(saidas, ui::Relations::RecordOnly), saldos_(saldos), linhas_(linhas) {}

    std::function<bool()> checks;                          // false: refused (said and focused)
    std::function<data::Result(bool exclusao)> alongside;  // written before the item
    std::function<data::Result()> afterItem;               // written after the item

    bool Insert() override { return Write(false, [this] { return ui::TableAccess::Insert(); }); }
    bool Update() override { return Write(false, [this] { return ui::TableAccess::Update(); }); }
    bool Delete() override { return Write(true, [this] { return ui::TableAccess::Delete(); }); }

private:
    bool Write(bool exclusao, const std::function<bool()>& item) {
        if (checks && !checks()) return false;
        data::Transaction tx({&file(), &saldos_, &linhas_});
        if (!tx.status().ok()) return Failed(tx.status());
        if (alongside) {
            if (data::Result r = alongside(exclusao); !r.ok()) return Failed(r);
        }
        if (!item()) return false;  // the framework said why; the transaction rolls back
        if (afterItem) {
            if (data::Result r = afterItem(); !r.ok()) return Failed(r);
        }
        if (data::Result r = tx.commit(); !r.ok()) return Failed(r);
        return true;
    }
    static bool Failed(data::Result r) {
        ui::Message("O lançamento de saída não foi gravado: " + text::to_utf8(std::string(data::error_text(r))) +
                        " (erro " + std::to_string(static_cast<int>(r.code())) + "). Nada foi gravado.",
                    kAtencao, ui::Icon::Exclamation);
        return false;
    }
    data::FileManager& saldos_;
    data::FileManager& linhas_;
};

class SaidasForm : public ui::RegisterForm {
public:
    // The write holds the working month against its computation.
    Level OnCompleted() override {
        if (request() == Request::View) return ui::RegisterForm::OnCompleted();
        return GravaNoMesDeTrabalho([this] { return ui::RegisterForm::OnCompleted(); });
    }
    enum : int {
        kPromptCnpj = 1, kCnpj, kBuscaCliente, kCodigoCliente, kPromptNome, kNome, kPromptEstado, kEstado,
        kPromptInscricao, kInscricao, kPromptSerie, kSerie, kPromptNumero, kNumero, kPromptData, kData,
        kPromptQuantidade, kQuantidade, kContagem, kPromptUnitario, kUnitario, kPromptPacotes, kPacotes, kLinhas,
        kPromptProduto, kProduto, kBuscaProduto, kPromptDescricao, kDescricao,
        kPromptCfo, kCfo, kPromptComplemento, kComplemento, kBuscaCfo, kPromptCfoCompl, kCfoCompl, kBuscaCfoCompl,
        kPromptLote, kLote, kPromptBaseAnt, kBaseAnt, kPromptReducao, kReducao, kPromptBase, kBase, kPromptAliquota,
        kAliquota,
        kPromptIcms, kIcms, kTipoValor, kOk, kCancel, kHelp
    };

    explicit SaidasForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "Usaidas", "Janela de Registro de Saídas", dictionary::SaidaVorel(),
                           {"Inclui Novo Registro de Saída", "Altera Registro de Saída", "Exclui Registro de Saída"},
                           &access_),
          access_(ui::ThreadFile(dictionary::SaidaVorel()), ui::ThreadFile(dictionary::SaldosVorel()),
                  ui::ThreadFile(dictionary::QuantidadeVorel())),
          rec_(file().rec<SaidaVorelRec>()),
          forcli_(ui::ThreadFile(dictionary::ForCli())),
          produtos_(ui::ThreadFile(dictionary::Produtos())),
          cfo_(ui::ThreadFile(dictionary::CFO())),
          compl_(ui::ThreadFile(dictionary::CodCFOComplementar())),
          lotes_(ui::ThreadFile(dictionary::LoteVorel())),
          valores_(ui::ThreadFile(dictionary::TabelaValorProdutoSaida())),
          saidas0_(ui::ThreadFile(dictionary::SaidaVorel0())),
          saldos_(ui::ThreadFile(dictionary::SaldosVorel())) {
        access_.checks = [this] { return ChecksPass(); };
        access_.alongside = [this](bool exclusao) { return WritesAlongside(exclusao); };
        access_.afterItem = [this] { return contagem_.Write(request(), Nota()); };
    }

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::SaidaVorel0(), &dictionary::SaldosVorel(), &dictionary::QuantidadeVorel(),
                       &dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO(),
                       &dictionary::CodCFOComplementar(), &dictionary::LoteVorel(),
                       &dictionary::TabelaValorProdutoSaida(), &dictionary::Estados()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPromptCnpj, "01 C.N.P.J/Cód.");
        w.Entry(kCnpj,
                ui::UseFn([this] { return ShowCnpj(rec_.CNPJ.value()); },
                          [this](const std::string& s) { return TakeCnpj(s); }),
                kCnpjPicture)
            .Tip("CNPJ de Clientes - F5 Pesquisa.");
        w.Button(kBuscaCliente, "").Icon("search").Skip();
        w.Entry(kCodigoCliente, ui::Use(rec_.CodigoForCli), "@n_10").Tip("Código do Cliente/Fornecedor");
        w.Prompt(kPromptNome, "02 Nome");
        w.Entry(kNome, ui::Use(nome_)).ReadOnly().Skip();
        w.Prompt(kPromptEstado, "03 U.F");
        w.DropList(kEstado, ui::Use(rec_.Estado), Estados());
        w.Prompt(kPromptInscricao, "04 Insc Est");
        w.Entry(kInscricao, ui::Use(inscricao_)).ReadOnly().Skip();
        w.Prompt(kPromptSerie, "05 Série");
        w.Entry(kSerie, ui::Use(rec_.Serie), "@s2");
        w.Prompt(kPromptNumero, "06 Número");
        w.Entry(kNumero, ui::Use(rec_.Numero), "@n_10");
        w.Prompt(kPromptData, "07 Data");
        w.Spin(kData, ui::UseDate(rec_.DataSaida, "@D06b"), "@D06b");
        w.Prompt(kPromptQuantidade, "08 Quantidade");
        w.Entry(kQuantidade, ui::UseDecimal(rec_.Quantidade, 3), "@n-17.3");
        w.Check(kContagem, "Deseja usar contagem de Produtos?", ui::Use(contando_));
        w.Prompt(kPromptUnitario, "Unitário");
        w.Entry(kUnitario, ui::Use(unitario_), "@n_10");
        w.Prompt(kPromptPacotes, "Quantidade");
        w.Entry(kPacotes, ui::Use(pacotes_), "@n_10");
        w.List(kLinhas, {{"Unitário", 40, 'R'}, {"Quantidade", 40, 'R'}});
        w.Prompt(kPromptProduto, "09 Produto");
        w.Entry(kProduto, ui::UseDecimal(rec_.CodMercadoria, 0), "@n15");
        w.Button(kBuscaProduto, "").Icon("search").Skip();
        w.Prompt(kPromptDescricao, "10 Descrição");
        w.Entry(kDescricao, ui::Use(descricao_)).ReadOnly().Skip();
        w.Prompt(kPromptCfo, "11 C.F.O.");
        w.Entry(kCfo, ui::Use(rec_.CFO), "@n4");
        w.Prompt(kPromptComplemento, "12 Compl..");
        w.Entry(kComplemento, ui::Use(rec_.Complemento), "@n-4");
        w.Button(kBuscaCfo, "").Icon("search").Skip();
        w.Prompt(kPromptCfoCompl, "13 Cód. Compl");
        w.Entry(kCfoCompl, ui::Use(rec_.CFOComplementar), "@s2");
        w.Button(kBuscaCfoCompl, "").Icon("search").Skip();
        w.Prompt(kPromptLote, "Lote");
        w.Entry(kLote, ui::Use(rec_.Lote), "@s20");
        w.Prompt(kPromptBaseAnt, "Base Redução...");
        w.Entry(kBaseAnt, ui::UseDecimal(rec_.BaseAntReducao, 2), "@n-15.2");
        w.Prompt(kPromptReducao, "% de Redução sobre a Base Informada");
        w.Entry(kReducao, ui::Use(reducaoTexto_)).ReadOnly().Skip();
        w.Prompt(kPromptBase, "14 Base Cálc");
        w.Entry(kBase, ui::UseDecimal(rec_.BaseCalculo, 2), "@n-15.2");
        w.Prompt(kPromptAliquota, "15 Alíquota");
        w.Entry(kAliquota, ui::UseDecimal(rec_.Alicota, 3), "@n-8.3");
        w.Prompt(kPromptIcms, "16 ICMS");
        w.Entry(kIcms, ui::UseDecimal(rec_.ICMS, 2), "@n-15.2");
        w.Check(kTipoValor, "Utilizar o cálculo automático da Base de Cálculo?", ui::Use(rec_.TipoValor));
        w.Button(kOk, "&OK").Tip("Confirma Lançamento de Saída");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        SetBatchInsert(true);
        LinkHistory({kCnpj, kCodigoCliente, kSerie, kNumero, kData, kQuantidade, kProduto, kCfo, kComplemento,
                     kCfoCompl, kLote, kBaseAnt, kBase, kAliquota, kIcms});
        DisableOnDelete({kCnpj, kBuscaCliente, kCodigoCliente, kEstado, kSerie, kNumero, kData, kQuantidade, kContagem,
                         kUnitario, kPacotes, kLinhas, kProduto, kBuscaProduto, kCfo, kComplemento, kBuscaCfo, kCfoCompl, kBuscaCfoCompl, kLote, kBaseAnt,
                         kBase, kAliquota, kIcms, kTipoValor});
        OkOnChange({"&Grava", "Grava Alteração de Lançamento de Saída", ""});
        OkOnDelete({"&Exclui", "Exclui Lançamento de Saída", ""});
        ExcludeFromNavigation({kBuscaCliente, kBuscaProduto, kBuscaCfo, kBuscaCfoCompl, kOk, kCancel, kHelp});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        if (request() == Request::Change || request() == Request::Delete) {
            // The invoice's lines of exits, as the item was stored.
            if (data::Result r = contagem_.Load(Nota()); !r.ok()) ShowReadError(r);
            contando_ = !contagem_.empty();
        }
        if (request() != Request::Insert) {
            ShowCustomer();
            ShowProduct(ReadProduct());
        } else {
            ShowProduct(false);
        }
        ShowLines();
        window().Display();
        return l;
    }

    // Batch inserts: the next item starts from the values last accepted in this window.
    Level PrepareRequest() override {
        if (request() == Request::Insert && response() == Response::Completed) {
            // An insert was just saved: its values start the next item.
            carry_ = Carry{std::string(rec_.CNPJ.value()), std::string(rec_.Serie.value()),
                           std::string(rec_.Estado.value()), std::string(rec_.CFOComplementar.value()),
                           rec_.CodigoForCli, rec_.DataSaida, rec_.CodMercadoria, rec_.CFO, rec_.Complemento,
                           rec_.TipoValor};
        }
        Level l = ui::RegisterForm::PrepareRequest();
        if (l != Level::Benign || request() != Request::Insert || !carry_) return l;
        const Carry& c = *carry_;
        rec_.CNPJ = c.cnpj;
        rec_.CodigoForCli = c.codigoCliente;
        rec_.DataSaida = c.data;
        rec_.Serie = c.serie;
        rec_.Estado = c.estado;
        rec_.CodMercadoria = c.produto;
        rec_.CFO = c.cfo;
        rec_.Complemento = c.complemento;
        rec_.CFOComplementar = c.cfoCompl;
        rec_.TipoValor = c.tipoValor;
        contagem_ = CountingLines(Procedencia::Saida);
        contando_ = false;
        if (hasWindow()) {
            ShowCustomer();
            ShowProduct(ReadProduct());
            ShowLines();
        }
        return l;
    }

    Level OnSelected(int feq) override {
        // Leaving these fields always runs their handling, changed or not.
        if (request() != Request::View && (feq == kUnitario || feq == kPacotes || feq == kProduto || feq == kComplemento))
            window()[feq].Touched();
        return ui::RegisterForm::OnSelected(feq);
    }

    Level OnAccepted(int feq) override {
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (feq == kOk || feq == kCancel || request() == Request::View) return l;
        const bool pass = window().acceptAll;
        switch (feq) {
            case kCnpj: if (!pass) CnpjAccepted(); break;
            case kCodigoCliente: if (!pass) CodigoAccepted(); break;
            case kBuscaCliente: ChooseCustomer(); break;
            case kData: DataAccepted(); break;
            case kComplemento: ComplementoAccepted(); break;
            case kBuscaCfo: ChooseCfo(); break;
            case kCfoCompl: if (!pass) CfoComplAccepted(); break;
            case kBuscaCfoCompl: ChooseCfoCompl(); break;
            case kProduto: ProdutoAccepted(); break;
            case kBuscaProduto: ChooseProduct(); break;
            case kBaseAnt: BaseAntAccepted(); break;
            case kBase: BaseAccepted(); break;
            case kTipoValor: if (!pass) window().Select(kData); break;
            case kContagem: ContagemAccepted(); break;
            case kUnitario: if (!pass) UnitarioAccepted(); break;
            case kPacotes: if (!pass) PacotesAccepted(); break;
            default: break;
        }
        window().Display();
        return l;
    }

    Level Teardown() override {
        (void)shell::EncerraCnpjAoCadastro();  // a hand-over left behind only pre-fills a later insert
        return ui::RegisterForm::Teardown();
    }

private:
    struct Carry {
        std::string cnpj, serie, estado, cfoCompl;
        std::uint32_t codigoCliente = 0;
        date::Day data = 0;
        Decimal produto;
        std::uint16_t cfo = 0;
        std::int16_t complemento = 0;
        std::uint8_t tipoValor = 0;
    };

    // --- the customer ---

    bool TakeCnpj(const std::string& typed) {
        std::string d = Digits(typed);
        while (d.size() > rec_.CNPJ.capacity && d.front() == '0') d.erase(0, 1);
        if (d.size() > rec_.CNPJ.capacity) return false;
        rec_.CNPJ = d;
        return true;
    }

    bool ReadCustomerByCnpj(std::string_view typed) { return fiscal::LeFornecedorPorCnpj(forcli_, FourteenDigits(typed)); }
    bool ReadCustomerByCode(std::uint32_t code, data::KeyName key) {
        auto& f = forcli_.rec<ForCliRec>();
        forcli_.clear_record();
        f.Codigo = code;
        f.Inativo = 0;
        return forcli_.get(key).ok();
    }
    void TakeCustomer() {
        const auto& f = forcli_.rec<ForCliRec>();
        rec_.CNPJ = f.CGC;
        rec_.Estado = f.Estado;
        rec_.CodigoForCli = f.Codigo;
        nome_ = text::to_utf8(f.Nome.clipped());
        inscricao_ = text::to_utf8(f.InscricaoEstadual.clipped());
    }

    // Opening on a stored item: by its register code, else by its CNPJ; the CNPJ "0" is exempt.
    void ShowCustomer() {
        nome_.clear();
        inscricao_.clear();
        if (rec_.CodigoForCli > 0 && ReadCustomerByCode(rec_.CodigoForCli, keys::FOR_KEY_CODIGO1)) {
            TakeCustomer();
            return;
        }
        const std::string cnpj(rec_.CNPJ.clipped());
        if (cnpj == "0") {
            inscricao_ = "ISENTO";
        } else if (ReadCustomerByCnpj(cnpj)) {
            const auto& f = forcli_.rec<ForCliRec>();
            nome_ = text::to_utf8(f.Nome.clipped());
            inscricao_ = text::to_utf8(f.InscricaoEstadual.clipped());
        }
    }

    void CnpjAccepted() {
        const std::string typed(rec_.CNPJ.clipped());
        long long code = 0;
        const bool asCode = ui::ParseLeadingInteger(typed, code) && code > 0 && code <= 0xFFFFFFFFLL;
        if (ReadCustomerByCnpj(typed) ||
            (asCode && ReadCustomerByCode(static_cast<std::uint32_t>(code), keys::FOR_KEY_CODIGO))) {
            TakeCustomer();
            return;
        }
        // The supplier and customer register's insert form offers the typed CNPJ; should the hand-over
        // not be written, that form only opens blank.
        (void)shell::EntregaCnpjAoCadastro(typed);
        ChooseCustomer();
    }

    void CodigoAccepted() {
        if (rec_.CodigoForCli == 0) return;
        if (ReadCustomerByCode(rec_.CodigoForCli, keys::FOR_KEY_CODIGO1)) TakeCustomer();
        else ChooseCustomer();
    }

    void ChooseCustomer() {
        UpdateComponents();
        if (context().Call("Fornecedores", Request::Select) != Response::Completed) return;
        rec_.CodigoForCli = forcli_.rec<ForCliRec>().Codigo;
        TakeCustomer();
        // Once a customer came from the register, the state stays the customer's.
        window()[kEstado].Disable();
    }

    // --- date, CFOP, complementary code ---

    void DataAccepted() { rec_.DataSaida = CorrigeDataPeriodo(rec_.DataSaida); }

    // A code not registered is said so and the register opens at the nearest code; the typed code
    // changes only when the user picks one, else the code keeps the focus.
    void ComplementoAccepted() {
        if (ConfereCfoDigitado(context(), window(), kCfo, cfo_, rec_.CFO, rec_.Complemento) == CfoDigitado::Escolhido)
            TakeCfo();
    }
    void ChooseCfo() {
        UpdateComponents();
        if (context().Call("CFO", Request::Select) != Response::Completed) return;
        TakeCfo();
    }
    void TakeCfo() {
        const auto& c = cfo_.rec<CFORec>();
        rec_.CFO = static_cast<std::uint16_t>(c.CODIGO);
        rec_.Complemento = c.COMPLEMENTO;
    }

    void CfoComplAccepted() {
        long long code = 0;
        if (!ui::ParseLeadingInteger(std::string(rec_.CFOComplementar.clipped()), code)) code = 0;
        if (code == 0) return;
        auto& c = compl_.rec<CodCFOComplementarRec>();
        compl_.clear_record();
        c.CODIGO = static_cast<std::uint8_t>(code);
        if (code <= 255 && compl_.get(keys::CCF_KEY_CODIGO).ok()) return;
        if (!ChooseCfoCompl()) window().Select(kCfoCompl);
    }
    bool ChooseCfoCompl() {
        UpdateComponents();
        if (context().Call("CFOComplementar", Request::Select) != Response::Completed) return false;
        rec_.CFOComplementar = std::to_string(compl_.rec<CodCFOComplementarRec>().CODIGO);
        return true;
    }

    // --- the product and the bases ---

    // By code, else by the user's own code equal to the typed code; the record stays in the buffer.
    bool ReadProduct() { return fiscal::LeProduto(produtos_, rec_.CodMercadoria); }
    void ShowProduct(bool found) {
        const auto& p = produtos_.rec<ProdutosRec>();
        descricao_ = found ? text::to_utf8(p.Produtos.clipped()) : std::string();
        const bool reduz = found && !static_cast<const Decimal&>(p.AliqReducao).is_zero();
        reducao_ = reduz ? static_cast<const Decimal&>(p.AliqReducao) : Decimal();
        for (int feq : {kPromptBaseAnt, kBaseAnt, kPromptReducao, kReducao}) window()[feq].Hide(!reduz);
        reducaoTexto_ = reduz ? reducao_.to_string(',') : std::string();
    }

    void ProdutoAccepted() {
        bool found = ReadProduct();
        if (!found) {
            ChooseProduct();
            return;
        }
        const auto& p = produtos_.rec<ProdutosRec>();
        rec_.CodMercadoria = p.Codigo;
        ShowProduct(true);
        if (static_cast<const Decimal&>(rec_.Alicota).is_zero()) rec_.Alicota = p.Alicota;
        if (rec_.TipoValor == 1 && !window().acceptAll && request() != Request::Delete) AutomaticBase();
    }
    void ChooseProduct() {
        UpdateComponents();
        if (context().Call("Produtos", Request::Select) != Response::Completed) return;
        rec_.CodMercadoria = produtos_.rec<ProdutosRec>().Codigo;
        ShowProduct(true);
    }

    void AutomaticBase() {
        std::optional<Decimal> base = BaseAutomaticaSaida(valores_, rec_);
        if (!base) return;
        if (request() == Request::Insert) {
            rec_.BaseCalculo = *base;
        } else if (static_cast<const Decimal&>(rec_.BaseCalculo) != *base) {
            if (ui::Ask("Atenção!!! Deseja calcular o valor da base de cálculo???", kAtencao, ui::Icon::Exclamation,
                        "&Não|&Sim") == "&Sim")
                rec_.BaseCalculo = *base;
        }
        BaseAccepted();
    }

    void BaseAntAccepted() {
        const Decimal& antes = rec_.BaseAntReducao;
        if (antes.sign() <= 0) return;
        rec_.BaseCalculo = antes - antes * reducao_ / Decimal(100);
        BaseAccepted();
    }
    void BaseAccepted() { rec_.ICMS = static_cast<const Decimal&>(rec_.BaseCalculo) * rec_.Alicota / Decimal(100); }

    // --- counting lines ---

    NotaFiscal Nota() const {
        return {rec_.DataSaida, rec_.Numero, std::string(rec_.Serie.clipped()), std::string(rec_.CNPJ.clipped())};
    }
    void ContagemAccepted() {
        ShowLines();
        if (!window().acceptAll) window().Select(kCnpj);
    }
    void UnitarioAccepted() {
        if (!contando_ || unitario_ != 0) return;
        pacotes_ = 0;  // a unit count of 0 ends the list
        window().Select(kQuantidade);
    }
    void PacotesAccepted() {
        if (!contando_ || unitario_ == 0) return;
        const Variacao v = contagem_.Record({unitario_, pacotes_});
        rec_.Quantidade = static_cast<const Decimal&>(rec_.Quantidade) + v.quantidade;
        ShowLines();
        window().Select(kUnitario);
    }
    void ShowLines() {
        std::vector<ui::Row> rows;
        for (const LinhaContagem& linha : contagem_.lines())
            rows.push_back({{std::to_string(linha.unitario)}, {std::to_string(linha.quantidade)}});
        window()[kLinhas].Rows(std::move(rows));
        for (int feq : {kUnitario, kPacotes}) window()[feq].Enable(contando_ && request() != Request::Delete);
    }
    static void ShowReadError(data::Result r) {
        ui::Message("As linhas de contagem da nota não puderam ser lidas: " +
                        text::to_utf8(std::string(data::error_text(r))) + " (erro " +
                        std::to_string(static_cast<int>(r.code())) + ").",
                    kAtencao, ui::Icon::Exclamation);
    }

    // --- OK ---

    bool Refuse(const std::string& message, int focus, const std::string& title = kAtencao) {
        ui::Message(message, title, ui::Icon::Question);
        window().Select(focus);
        return false;
    }

    bool ChecksPass() {
        // An exit without its invoice number would be left out of the monthly computation, which
        // takes a row without a number for the product's opening line.
        if (request() != Request::Delete && rec_.Numero == 0)
            return Refuse("Por favor informe o número da Nota Fiscal.", kNumero);
        std::optional<std::uint8_t> coluna = fiscal::ColunaDoCfo(cfo_, rec_.CFO, rec_.Complemento);
        if (!coluna) return Refuse("Atenção!!! O CFO informado não está cadastrado!!!", kCfo);
        if (fiscal::ColunaDeEntrada(*coluna))
            return Refuse("Você está fazendo um Lançamento de Saída com um CFO de Entrada!!!", kCfo);
        if (request() == Request::Insert && SaidaRepetida(saidas0_, rec_) &&
            ui::Ask("Atenção!!! Já existe lançamento com a mesma Data, Número, Série, CFOP e Produto informado!!! "
                    "Deseja continuar???",
                    kAtencao, ui::Icon::Information, "&Não|&Sim") != "&Sim") {
            window().Select(kSerie);
            return false;
        }
        if (contando_) {
            const Confirmacao c = contagem_.Confirm(request(), Nota(), rec_.Quantidade);
            if (!c.continua) {
                rec_.Quantidade = c.contada;
                window().Display();
                window().Select(kQuantidade);
                return false;
            }
        }
        if (!fiscal::CfoDoPeriodo(rec_.CFO, shell::GLO_ANO.Get())) {
            AvisaCfoForaDoPeriodo();
            window().Select(kCfo);
            return false;
        }
        if (!LoteAceito(lotes_, shell::LeLoteObrigatorio(shell::PastaRaiz.Get()), rec_.Lote.clipped(),
                        rec_.CodMercadoria))
            return Refuse("Atenção! Tentativa de lançar um Lote de Produto não cadastrado!", kLote, "Erro");
        return true;
    }

    data::Result WritesAlongside(bool exclusao) {
        const date::Day competencia = date::first_of_month(shell::GLO_ANO.Get(), shell::GLO_MES.Get());
        return fiscal::MarcaSaldoDoMes(saldos_, rec_.CodMercadoria, competencia, rec_.Alicota, exclusao);
    }

    static std::vector<std::string> Estados() {
        std::vector<std::string> ufs;
        data::FileManager& est = ui::ThreadFile(dictionary::Estados());
        est.clear_record();
        if (!est.set(keys::EST_KEY_SIGLA).ok()) return ufs;
        while (est.next().ok()) ufs.push_back(text::to_utf8(est.rec<dictionary::EstadosRec>().UF.clipped()));
        return ufs;
    }

    SaidaAccess access_;
    SaidaVorelRec& rec_;
    data::FileManager& forcli_;
    data::FileManager& produtos_;
    data::FileManager& cfo_;
    data::FileManager& compl_;
    data::FileManager& lotes_;
    data::FileManager& valores_;
    data::FileManager& saidas0_;
    data::FileManager& saldos_;
    std::string nome_, inscricao_, descricao_, reducaoTexto_;  // shown only
    Decimal reducao_;
    std::optional<Carry> carry_;
    CountingLines contagem_{Procedencia::Saida};
    bool contando_ = false;
    std::uint32_t unitario_ = 0, pacotes_ = 0;  // the line being typed
};

}  // namespace

void RunSaidasForm(ProcContext& ctx) { SaidasForm(ctx).Execute(); }

}  // namespace vorel::movements
