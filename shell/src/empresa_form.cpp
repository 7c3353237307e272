// UEmpresa ("Cadastro de Empresa"): the company form. Tables: Empresa (written), CNAE, Estados,
// Funcionarios, Municipios (looked up).
//
// While the form is open the edited company is the working company (its folders exist and the
// per-company tables point at them); when it closes no company is chosen. The UF, CNAE and
// responsible lookups open their registers for selection; a register that is not in the program
// yet is named in a message. The CNPJ look-up runs the outside program WebBrowser\WebBrowser.exe
// under the data root when it is there. After a completed delete the company's folder can be
// deleted (ApagaEmpresa).
#include "vorel/ui/pictured_use.h"
#include "register_lookup.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/check_digits.h"
#include "vorel/shell/cnpj_lookup.h"
#include "vorel/shell/company_register.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/picture_file.h"
#include "vorel/shell/text_utils.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/form.h"
#include "vorel/ui/message_box.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;
using dictionary::EmpresaRec;

// Digits only: masks and blanks typed around a number are dropped.
std::string SoDigitos(std::string_view s) {
    std::string d;
    for (char c : s)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

// The CNPJ as the form shows it: through its picture when it is fourteen digits, else as it is.
std::string MostraCnpj(std::string_view cgc) {
    std::string v(cgc);
    if (v.size() == 14 && v.find_first_not_of("0123456789") == std::string::npos)
        return FormatText("@p##.###.###/####-##p", v);
    return v;
}

class FormEmpresa : public FormController {
public:
    enum : int {
        kPromptCodigo = 1, kCodigo, kPromptRazao, kRazao, kInativa, kPromptEndereco, kEndereco, kPromptNumero, kNumero,
        kPromptCompl, kCompl, kPromptBairro, kBairro, kPromptCidade, kCidade, kPromptUf, kUf, kBuscaUf, kPromptCep, kCep,
        kPromptDdd, kDdd, kPromptFone, kFone, kPromptRamal, kRamal, kPromptFax, kFax, kPromptRamalFax, kRamalFax,
        kPromptCnae, kCnae, kBuscaCnae, kPromptCgc, kCgc, kConsultaCgc, kPromptInsc, kInsc, kPromptFornecedor,
        kFornecedor, kPromptProdutos, kProdutos, kAdotaLei, kPromptEmail, kEmail, kPromptWeb, kWeb, kPromptResp,
        kResp, kNomeResp, kBuscaResp, kLogo, kOk, kCancela, kAjuda
    };

    FormEmpresa(ProcContext& ctx, TableAccess& access)
        : FormController(ctx, "UEmpresa", "Cadastro de Empresa", access,
                         {"Inclui Nova Empresa", "Altera Cadastro de Empresa", "Exclui Cadastro de Empresa"}),
          emp_(data::dictionary::file(dictionary::Empresa())),
          rec_(emp_.rec<EmpresaRec>()) {}

    Level Setup() override {
        GLO_EMPRESA_CODIGO.Set(rec_.Codigo);
        CaminhosArquivosEmpresa();
        for (const data::TableDesc* t : {&dictionary::CNAE(), &dictionary::Estados(), &dictionary::Funcionarios(),
                                         &dictionary::Municipios()}) {
            data::FileManager& f = data::dictionary::file(*t);
            if (f.open() == data::kNoError) abertas_.push_back(&f);
        }
        Level l = FormController::Setup();
        Window& w = window();
        w.Prompt(kPromptCodigo, "01 Código...........");
        w.Entry(kCodigo, Use(rec_.Codigo), "@n6");
        w.Prompt(kPromptRazao, "02 Razão Social...");
        w.Entry(kRazao, Use(rec_.RAZAOSOCIAL), "@s40");
        w.Check(kInativa, "Inativa", Use(rec_.EMPRESAINATIVA)).Tip("Quando a empresa for inativa");
        w.Prompt(kPromptEndereco, "03 Endereço......");
        w.Entry(kEndereco, Use(rec_.ENDERECO), "@s40");
        w.Prompt(kPromptNumero, "04 Número.....");
        w.Entry(kNumero, Use(rec_.NUMERO), "@n6");
        w.Prompt(kPromptCompl, "05 Compl...");
        w.Entry(kCompl, Use(rec_.COMPLEMENTO), "@s25");
        w.Prompt(kPromptBairro, "06 Bairro............");
        w.Entry(kBairro, Use(rec_.BAIRRO), "@s25");
        w.Prompt(kPromptCidade, "07 Cidade........");
        w.Entry(kCidade, Use(rec_.CIDADE), "@s25");
        w.Prompt(kPromptUf, "08 UF.......");
        w.Entry(kUf, UseFn([this] { return text::to_utf8(rec_.UF.clipped()); },
                           [this](const std::string& s) { rec_.UF = text::upper(text::from_utf8(s)); return true; }),
                "@s2");
        w.Button(kBuscaUf, "").Icon("Find.ico").Tip("Pesquisa na Tabela de Estados").Skip();
        w.Prompt(kPromptCep, "09 CEP...............");
        w.Entry(kCep, rec_.CEP, "@p##.###-###p", ui::Zero::Blank);
        w.Prompt(kPromptDdd, "10 D.D.D....");
        w.Entry(kDdd, rec_.DDD, "@p<###p", ui::Zero::Blank);
        w.Prompt(kPromptFone, "11 Fone..........");
        w.Entry(kFone, rec_.FONE, "@p<###-####p", ui::Zero::Blank);
        w.Prompt(kPromptRamal, "12 Ramal...");
        w.Entry(kRamal, rec_.RAMALFONE, "@p<<<<<p", ui::Zero::Blank);
        w.Prompt(kPromptFax, "13 Fax................");
        w.Entry(kFax, rec_.FAX, "@p<###-####p", ui::Zero::Blank);
        w.Prompt(kPromptRamalFax, "14 Ramal.....");
        w.Entry(kRamalFax, rec_.RAMALFAX, "@p<<<<<p", ui::Zero::Blank);
        w.Prompt(kPromptCnae, "15 CNAE........");
        w.Entry(kCnae, rec_.CNAE, "@p####-#/##p", ui::Zero::Blank);
        w.Button(kBuscaCnae, "").Icon("Find.ico").Tip("Pesquisa na Tabela de CNAE").Skip();
        w.Prompt(kPromptCgc, "16 C.N.P.J..........");
        w.Entry(kCgc, UseFn([this] { return MostraCnpj(rec_.CGC.clipped()); },
                            [this](const std::string& s) {
                                // Digits beyond the field's fourteen are refused, never cut.
                                std::string d = SoDigitos(s);
                                if (d.size() > rec_.CGC.capacity) return false;
                                rec_.CGC = d;
                                return true;
                            }),
                "@s18");
        w.Button(kConsultaCgc, "").Icon("WebBrowser.ico").Tip("Consulta o C.N.P.J. na Receita Federal").Skip();
        w.Prompt(kPromptInsc, "17 Insc Est......");
        w.Entry(kInsc, Use(rec_.INSCESTADUAL), "@s20");
        w.Prompt(kPromptFornecedor, "18 Fornecedor....");
        w.DropList(kFornecedor, Use(rec_.TIPOFORNECEDOR), {"01 - Geral", "02 - Individual"}, {"1", "2"})
            .Tip("Fornecedor / Cliente é Individual ou Geral");
        w.Prompt(kPromptProdutos, "19 Produtos.....");
        w.DropList(kProdutos, Use(rec_.TIPONBM), {"01 - Geral", "02 - Individual"}, {"1", "2"}).Tip("Tipo do NBM");
        w.Check(kAdotaLei, "Adota Lei 13.291", Use(rec_.ADOTALEI));
        w.Prompt(kPromptEmail, "20 E-Mail............");
        w.Entry(kEmail, Use(rec_.EMAIL), "@s30");
        w.Prompt(kPromptWeb, "21 Pagina na Internet.......");
        w.Entry(kWeb, Use(rec_.PAGINAWEB), "@s30");
        w.Prompt(kPromptResp, "22 Codigo Responsável Escrita......");
        w.Entry(kResp, Use(rec_.CODRESPESCR), "@n3");
        w.Entry(kNomeResp, Use(nomeResp_), "@s70").ReadOnly();
        w.Button(kBuscaResp, "").Icon("Find.ico").Tip("Pesquisa responsável.").Skip();
        w.Add(kLogo, ControlType::Image).Tip("Logotipo da empresa");
        w.Button(kOk, "&O.K.").Tip("Confirma Cadastro e Retona a Tela de Visualização");
        w.Button(kCancela, "&Cancela").Tip("Cancela e Retorna a Tela Principal");
        w.Button(kAjuda, "&Ajuda").Tip("Ajuda On-Line");
        SetOkButton(kOk);
        SetCancelButton(kCancela);
        w.SetDefaultButton(kOk);
        for (int f : {kCodigo, kRazao, kInativa, kEndereco, kNumero, kCompl, kBairro, kCidade, kUf, kCep, kDdd, kFone,
                      kRamal, kFax, kRamalFax, kCnae, kCgc, kInsc, kFornecedor, kProdutos, kAdotaLei, kEmail, kWeb, kResp})
            LinkHistoryControl(f);
        DisableOnDelete({kCodigo, kRazao, kEndereco, kNumero, kCompl, kBairro, kCidade, kUf, kCep, kDdd, kFone, kRamal,
                         kFax, kRamalFax, kCnae, kCgc, kInsc, kEmail, kWeb, kResp, kBuscaUf, kBuscaCnae});
        OnButton(kBuscaUf, [this] { return BuscaUf(); });
        OnButton(kBuscaCnae, [this] { return BuscaCnae(); });
        OnButton(kBuscaResp, [this] { return BuscaResponsavel(); });
        OnButton(kConsultaCgc, [this] { return ConsultaCnpj(); });
        OnButton(kLogo, [this] { return EscolheLogo(); });
        return l;
    }

    Level OnWindowOpened() override {
        Window& w = window();
        if (request() == Request::Insert) {
            // The number the table gave the new company is the working company from now.
            GLO_EMPRESA_CODIGO.Set(rec_.Codigo);
            CaminhosArquivosEmpresa();
        }
        if (request() == Request::Change) w[kOk].Text("&Grava").Tip("Grava Alteração do Cadastro e Retona a Tela Anterior");
        if (request() == Request::Delete) w[kOk].Text("&Exclui").Tip("Confirma Exclusão do Cadastro e Retona a Tela Anterior");
        if (request() != Request::Insert) {
            MostraResponsavel(LeResponsavel());
            w[kCodigo].Disable();
        }
        MostraLogo();
        codigoOriginal_ = rec_.Codigo;
        nomeOriginal_ = std::string(rec_.RAZAOSOCIAL.clipped());
        w.Display();
        return Level::Benign;
    }

    Level OnAccepted(int feq) override {
        Window& w = window();
        switch (feq) {
            case kCodigo:
                if (!w.acceptAll) {
                    GLO_EMPRESA_CODIGO.Set(rec_.Codigo);
                    CaminhosArquivosEmpresa();
                }
                return Level::Benign;
            case kCgc: return ConfereCnpj();
            case kResp:
                if (rec_.CODRESPESCR == 0 || LeResponsavel()) {
                    MostraResponsavel(rec_.CODRESPESCR != 0);
                    return Level::Benign;
                }
                return BuscaResponsavel();
            case kUf: return ConfereUf();
            case kCnae: return ConfereCnae();
            case kOk: return Ok();
            default: return FormController::OnAccepted(feq);
        }
    }

    Level Teardown() override {
        GLO_EMPRESA_CODIGO.Set(0);
        for (data::FileManager* f : abertas_) (void)f->close();
        abertas_.clear();
        const bool apagou = request() == Request::Delete && confirmou_ && response() == Response::Completed;
        Level l = FormController::Teardown();
        if (apagou) ApagaEmpresa(context(), codigoOriginal_, nomeOriginal_);
        return l;
    }

private:
    Level Ok() {
        Window& w = window();
        if (request() == Request::View) return FormController::OnAccepted(kOk);
        w.Update();
        if (request() == Request::Delete) {
            const std::string resposta = Ask(
                "É altamente recomendavel, que antes da exclusão desta empresa, seja feito um backup, pois se houver a "
                "necessidade de recuperar as informações desta empresa, sem a existencia de um backup não será possivel. "
                "Lembrando que serão excluídos todas as informações desta empresa da Escrita, Contabilidade, VOREL, Livro "
                "Caixa. Deseja continuar a exclusão da empresa ?",
                "Confirma exclusão da empresa ?", Icon::Question, "&Não|&Sim");
            confirmou_ = resposta == "&Sim";
            if (!confirmou_) {
                w.Select(kCancela);
                return kHandled;
            }
        } else {
            if (rec_.RAZAOSOCIAL.clipped().empty()) return Recusa("Campo com a Razão Social é Indispensável", kRazao);
            if (rec_.CGC.clipped().empty()) return Recusa("Campo de C.G.C. é Indispensável", kCgc);
            for (std::uint8_t* campo : {&rec_.MESDATABASE, &rec_.CLASSESTABIPI, &rec_.TIPOHIST, &rec_.LOTES,
                                        &rec_.TIPOAPURACAO, &rec_.TIPOPAGAMENTO})
                if (*campo == 0) *campo = 1;
            if (rec_.QUALIFPJ == 0) rec_.QUALIFPJ = 7;
        }
        return FormController::OnAccepted(kOk);
    }

    Level Recusa(const char* texto, int foco) {
        Message(texto, "Atenção");
        window().Select(foco);
        return kHandled;
    }

    // The CNPJ as 14 digits with leading zeros, and its check digits.
    Level ConfereCnpj() {
        std::string d(rec_.CGC.clipped());
        if (d.empty()) return Level::Benign;
        if (d.size() < 14) d.insert(0, 14 - d.size(), '0');
        rec_.CGC = d;
        window().Display();
        if (!ConsisteCGC(d)) {
            window().Select(kCgc);
            return kHandled;
        }
        return Level::Benign;
    }

    Level ConfereUf() {
        if (rec_.UF.clipped().empty()) return Level::Benign;
        data::FileManager& est = data::dictionary::file(dictionary::Estados());
        est.clear_record();
        est.rec<dictionary::EstadosRec>().UF = rec_.UF.value();
        if (est.get(dictionary::keys::EST_KEY_SIGLA) == data::kNoError) return Level::Benign;
        if (BuscaUfNoCadastro()) return Level::Benign;
        window().Select(kUf);
        return kHandled;
    }

    bool BuscaUfNoCadastro() {
        if (!EscolheNoCadastro(context(), "Estados", "Estados")) return false;
        rec_.UF = data::dictionary::file(dictionary::Estados()).rec<dictionary::EstadosRec>().UF.value();
        window().Display();
        return true;
    }

    Level BuscaUf() {
        BuscaUfNoCadastro();
        return Level::Benign;
    }

    Level ConfereCnae() {
        if (rec_.CNAE == 0) return Level::Benign;
        data::FileManager& cnae = data::dictionary::file(dictionary::CNAE());
        cnae.clear_record();
        cnae.rec<dictionary::CNAERec>().CODIGO = rec_.CNAE;
        if (cnae.get(dictionary::keys::CNAE_KEY_CODIGO) == data::kNoError) return Level::Benign;
        if (BuscaCnaeNoCadastro()) return Level::Benign;
        window().Select(kCnae);
        return kHandled;
    }

    bool BuscaCnaeNoCadastro() {
        if (!EscolheNoCadastro(context(), "CNAE", "CNAE")) return false;
        rec_.CNAE = data::dictionary::file(dictionary::CNAE()).rec<dictionary::CNAERec>().CODIGO;
        window().Display();
        return true;
    }

    Level BuscaCnae() {
        BuscaCnaeNoCadastro();
        return Level::Benign;
    }

    bool LeResponsavel() {
        data::FileManager& fun = data::dictionary::file(dictionary::Funcionarios());
        fun.clear_record();
        if (rec_.CODRESPESCR <= 0) return false;
        fun.rec<dictionary::FuncionariosRec>().CODIGO = static_cast<std::uint32_t>(rec_.CODRESPESCR);
        return fun.get(dictionary::keys::FUN_Key_Codigo) == data::kNoError;
    }

    void MostraResponsavel(bool achou) {
        nomeResp_ = achou ? text::to_utf8(data::dictionary::file(dictionary::Funcionarios())
                                              .rec<dictionary::FuncionariosRec>().Nome.clipped())
                          : std::string();
        window().Display();
    }

    Level BuscaResponsavel() {
        if (EscolheNoCadastro(context(), "BFuncionarios", "Responsáveis")) {
            const auto& f = data::dictionary::file(dictionary::Funcionarios()).rec<dictionary::FuncionariosRec>();
            rec_.CODRESPESCR = static_cast<std::int32_t>(f.CODIGO);
            MostraResponsavel(f.CODIGO != 0);
        }
        window().Select(kResp);
        return kHandled;
    }

    // The CNPJ look-up (shell services): the form filled with what the program found.
    Level ConsultaCnpj() {
        window().Update();
        if (auto c = shell::ConsultaCnpj(rec_.CGC.value(), "O programa de consulta do C.N.P.J. não foi encontrado: ")) {
            rec_.RAZAOSOCIAL = c->razaoSocial;
            rec_.UF = c->uf;
            rec_.CIDADE = c->cidade;
            rec_.ENDERECO = c->endereco;
            rec_.NUMERO = c->numero <= 0xFFFF ? static_cast<std::uint16_t>(c->numero) : 0;
            rec_.CEP = c->cep;
            rec_.COMPLEMENTO = c->complemento;
            rec_.BAIRRO = c->bairro;
            window().Display();
        }
        return Level::Benign;
    }

    // The logo: the file EMP:LOGO names, or LogEmp.bmp when it names none; nothing shows when the
    // file is not there.
    void MostraLogo() {
        const std::string_view logo = rec_.LOGO.clipped();
        window()[kLogo].Text(ArquivoImagem(logo.empty() ? std::string_view("LogEmp.bmp") : logo, PastaImagens()));
    }

    // A picture file chosen from the data root's "Imagens" folder.
    Level EscolheLogo() {
        if (request() == Request::View || request() == Request::Delete) return Level::Benign;
        FileChooser escolha("Escolha um Arquivo", "Imagens | *.bmp;*.gif;*.jpg;*.wmf;*.ico;*.pcx");
        const std::string pasta = PastaImagens();
        const auto f = escolha.File(files::resolve(pasta).string(), ArquivoImagem(rec_.LOGO.clipped(), pasta));
        if (!f) return Level::Benign;
        const std::optional<std::string> nome = NomeParaGravar(*f, pasta, rec_.LOGO.capacity);
        if (!nome) {
            Message("O nome do arquivo não cabe no cadastro: " + *f, "Atenção", Icon::Exclamation);
            return Level::Benign;
        }
        rec_.LOGO = *nome;
        MostraLogo();
        return Level::Benign;
    }

    data::FileManager& emp_;
    EmpresaRec& rec_;
    std::vector<data::FileManager*> abertas_;
    std::string nomeResp_;
    std::uint16_t codigoOriginal_ = 0;
    std::string nomeOriginal_;
    bool confirmou_ = false;
};

}  // namespace

void UEmpresa(ProcContext& ctx) {
    data::FileManager& emp = data::dictionary::file(dictionary::Empresa());
    if (emp.open() != data::kNoError) {
        Message("Não foi possível abrir o cadastro de empresas: " + text::to_utf8(data::last_error().text), "Atenção");
        ctx.response = Response::Cancelled;
        return;
    }
    {
        TableAccess access(emp);
        FormEmpresa(ctx, access).Execute();
    }
    (void)emp.close();
}

}  // namespace vorel::shell
