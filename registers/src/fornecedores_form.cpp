// Form "UFornecedores": window "Cadastro de Fornecedores" over one record of table ForCli (code,
// CNPJ, state registration, name, address, telephones). The CNPJ is zero-filled, its check digits
// tested and a second active record with it questioned when the entry is left; OK refuses a blank
// CNPJ and questions an invalid state registration (ConsisteInscricaoEstadual); a delete is
// confirmed and copies the record into the archive of deleted records (ForCliMorto) in the same
// transaction. The CNPJ look-up button runs the outside look-up program; the state entry and its
// button look the state up in Estados; a telephone or fax of more than 8 digits is refused with the
// reason. Tables: ForCli (written), ForCli0, Estados, Municipios.
#include <algorithm>
#include <cstring>

#include "vorel/core/date.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/inscricao_estadual.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/registers/supplier_archive.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/check_digits.h"
#include "vorel/shell/cnpj_lookup.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/program_settings.h"
#include "vorel/shell/text_utils.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

namespace {

using dictionary::EstadosRec;
using dictionary::ForCliRec;

constexpr const char* kCnpjPicture = "@p##.###.###/####-##p";

// The CNPJ as the entry shows it: masked when it is fourteen digits, else as typed.
std::string ShowCnpj(std::string_view cgc) {
    std::string v(text::clip(cgc));
    if (v.size() == 14 && v.find_first_not_of("0123456789") == std::string::npos) return ui::FormatText(kCnpjPicture, v);
    return text::to_utf8(v);
}

// The CNPJ read as a number and written back with fourteen digits (blank: fourteen zeros).
std::string FourteenDigits(std::string_view cgc) {
    std::string digits;
    for (char c : cgc)
        if (c >= '0' && c <= '9') digits += c;
    const std::size_t first = digits.find_first_not_of('0');
    digits = first == std::string::npos ? std::string() : digits.substr(first);
    if (digits.size() > 14) digits = digits.substr(digits.size() - 14);
    return std::string(14 - digits.size(), '0') + digits;
}

constexpr const char* kPictureTelefone = "@p<###-####p";

class FornecedoresForm : public ui::RegisterForm {
public:
    enum : int {
        kPromptCodigo = 1, kCodigo, kPromptCgc, kCgc, kConsultaCnpj, kPromptInscricao, kInscricao, kPromptNome, kNome,
        kPromptEndereco, kEndereco, kPromptNumero, kNumero, kPromptComplemento, kComplemento, kPromptBairro, kBairro,
        kPromptCidade, kCidade, kPromptEstado, kEstado, kBuscaEstado, kPromptCep, kCep, kPromptDdd, kDdd,
        kPromptTelefone, kTelefone, kPromptRamal, kRamal, kPromptFax, kFax, kOk, kCancel, kHelp
    };

    explicit FornecedoresForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UFornecedores", "Cadastro de Fornecedores", dictionary::ForCli(),
                       {"Inclui Novo Cadastro de Fornecedor", "Altera Cadastro de Fornecedor",
                        "Exclui Cadastro de Forncedor"},
                       &access_),
          access_(ui::ThreadFile(dictionary::ForCli())),
          rec_(file().rec<ForCliRec>()) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::Estados(), &dictionary::ForCli0(), &dictionary::Municipios()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.Prompt(kPromptCodigo, "01 Código.............");
        w.Entry(kCodigo, ui::Use(rec_.Codigo), "@n13").Tip("Código do Cliente/Fornecedor").Msg("Código do Cliente/Fornecedor");
        w.Prompt(kPromptCgc, "02 CNPJ.....");
        w.Entry(kCgc, ui::UseFn([this] { return ShowCnpj(rec_.CGC.value()); },
                                [this](const std::string& s) {
                                    // The picture refuses more than fourteen digits after leading
                                    // zeros; the zeros beyond the field go, the number stays whole.
                                    std::string digits;
                                    for (char c : s)
                                        if (c >= '0' && c <= '9') digits += c;
                                    while (digits.size() > rec_.CGC.capacity && digits.front() == '0') digits.erase(0, 1);
                                    if (digits.size() > rec_.CGC.capacity) return false;
                                    rec_.CGC = digits;
                                    return true;
                                }),
                kCnpjPicture)
            .Tip("CNPJ do Cliente/Fornecedor.").Msg("CNPJ do Cliente/Fornecedor.");
        w.Button(kConsultaCnpj, "").Icon("cnpj").Skip();
        w.Prompt(kPromptInscricao, "03 Insc. Est....");
        w.Entry(kInscricao, ui::Use(rec_.InscricaoEstadual), "@s20")
            .Tip("Número da Inscrição").Msg("Número da Inscrição Estadual do Cliente/Fornecedor");
        w.Prompt(kPromptNome, "04 Nome..............");
        w.Entry(kNome, ui::Use(rec_.Nome), "@s40").Tip("Nome do Cliente/Fornecedor").Msg("Nome do Cliente/Fornecedor");
        w.Prompt(kPromptEndereco, "05 Endereço.........");
        w.Entry(kEndereco, ui::Use(rec_.Endereco), "@s40")
            .Tip("Endereço").Msg("Endereço onde está situado o Cliente/Fornecedor");
        w.Prompt(kPromptNumero, "06 Número......");
        w.Entry(kNumero, ui::Use(rec_.Numero), "@n13")
            .Tip("Número do Endereço").Msg("Número do Endereço onde está situado o Cliente/Fornecedor");
        w.Prompt(kPromptComplemento, "07 Complemento..");
        w.Entry(kComplemento, ui::Use(rec_.Complemento), "@s25")
            .Tip("Complemento do Endereço").Msg("Complemento do endereço onde está situado  o Cliente/Fornecedor");
        w.Prompt(kPromptBairro, "08 Bairro.........");
        w.Entry(kBairro, ui::Use(rec_.Bairro), "@s25").Tip("Bairro").Msg("Bairro onde está situado o Cliente/Fornecedor");
        w.Prompt(kPromptCidade, "09 Cidade.............");
        w.Entry(kCidade, ui::Use(rec_.Cidade), "@s25").Tip("Cidade").Msg("Cidade  onde está situado o Cliente/Fornecedor");
        w.Prompt(kPromptEstado, "10 Estado.......");
        w.Entry(kEstado, rec_.Estado, "@K^^K")
            .Tip("Estado").Msg("Unidade Federal onde  está situado o Cliente/Fornecedor");
        w.Button(kBuscaEstado, "").Icon("search").Skip();
        w.Prompt(kPromptCep, "11 C.E.P........");
        w.Entry(kCep, rec_.Cep, "@p##.###-###p")
            .Tip("Número do Cep").Msg("Número do Cep do Clientes/Fornecedor");
        w.Prompt(kPromptDdd, "12 DDD................");
        w.Entry(kDdd, rec_.DDD, "@p<###p")
            .Tip("DDD").Msg("Número do DDD do Telefone/Fax do Cliente/Fornecedor");
        w.Prompt(kPromptTelefone, "13 Telefone...");
        w.Entry(kTelefone, rec_.Telefone, kPictureTelefone)
            .Tip("Número do Telefone").Msg("Número do Telefone Cliente/Fornecedor");
        w.Prompt(kPromptRamal, "14 Ramal........");
        w.Entry(kRamal, rec_.Ramal, "@p<<<<<p")
            .Tip("Número do Ramal").Msg("Número do Ramal do Cliente/Fornecedor");
        w.Prompt(kPromptFax, "15 Fax............");
        w.Entry(kFax, rec_.Fax, kPictureTelefone)
            .Tip("Número do Fax").Msg("Número do Fax do Cliente/Fornecedor");
        w.Button(kOk, "&OK").Tip("Confirma Cadastro de Forncedor");
        w.Button(kCancel, "&Cancela").Tip("Cancela e Retorna a Tela Anterior");
        w.Button(kHelp, "&Ajuda").Tip("Ajuda On-Line");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kCgc, kInscricao, kNome, kEndereco, kNumero, kComplemento, kBairro, kCidade, kEstado,
                     kCep, kDdd, kTelefone, kRamal, kFax});
        DisableOnDelete({kCodigo, kCgc, kInscricao, kNome, kEndereco, kNumero, kComplemento, kBairro, kCidade, kEstado,
                         kBuscaEstado, kCep, kDdd, kTelefone, kRamal, kFax});
        OkOnChange({"&Grava", "Grava Alteração no Cadastro de Forncedor", "Grava Alteração no Cadastro de Forncedor"});
        OkOnDelete({"&Exclui", "Exclui Cadastro de Forncedor", "Exclui Cadastro de Forncedor"});
        ExcludeFromNavigation({kConsultaCnpj, kBuscaEstado, kOk, kCancel, kHelp});
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        if (request() == Request::Insert) {
            // The entry-item form hands a CNPJ it did not find over through the settings file.
            if (const shell::CnpjAoCadastro entregue = shell::LeCnpjAoCadastro(); entregue.aguardando) {
                rec_.CGC = entregue.cnpj ? *entregue.cnpj
                                         : std::string(data::dictionary::file(dictionary::EntradaVorel())
                                                           .rec<dictionary::EntradaVorelRec>().Cnpj.clipped());
                window().Display();
            }
        }
        return l;
    }

    // The telephone and fax hold 8 digits: a longer number (a mobile's 9) is refused as the
    // picture refuses it, and the user is told why.
    Level OnOtherEvent(const ui::Event& e) override {
        if (e.code != ui::event::Refused || (e.feq != kTelefone && e.feq != kFax))
            return ui::RegisterForm::OnOtherEvent(e);
        const std::string& typed = window()[e.feq].value();
        if (std::count_if(typed.begin(), typed.end(), [](char c) { return c >= '0' && c <= '9'; }) <= 8)
            return ui::RegisterForm::OnOtherEvent(e);
        ui::Message(std::string(e.feq == kFax ? "O Fax" : "O Telefone") +
                        " tem no máximo 8 dígitos (####-####): um celular de 9 dígitos não cabe neste campo.",
                    "Atenção", ui::Icon::Exclamation, "&OK");
        window().Select(e.feq);
        return ui::kHandled;
    }

    Level OnSelected(int feq) override {
        // Leaving the CNPJ entry always runs its check.
        if (feq == kCgc && request() != Request::View) window()[kCgc].Touched();
        return ui::RegisterForm::OnSelected(feq);
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case kCgc:
                if (CnpjAccepted() != Level::Benign) return ui::kHandled;
                return ui::RegisterForm::OnAccepted(feq);
            case kOk:
                if (request() != Request::View && OkAccepted() != Level::Benign) return ui::kHandled;
                return ui::RegisterForm::OnAccepted(feq);
            case kConsultaCnpj: {
                Level l = ui::RegisterForm::OnAccepted(feq);
                ConsultaCnpjAccepted();
                return l;
            }
            case kEstado: {
                Level l = ui::RegisterForm::OnAccepted(feq);
                if (!EstadoAccepted()) return ui::kHandled;
                return l;
            }
            case kBuscaEstado: {
                Level l = ui::RegisterForm::OnAccepted(feq);
                UpdateComponents();
                ChooseState();
                window().Display();
                return l;
            }
            default:
                return ui::RegisterForm::OnAccepted(feq);
        }
    }

    Response CallProcedure(int, Request r) override {
        if (request() == Request::View) return Response::Cancelled;
        return context().Call("Estados", r);
    }

private:
    Level CnpjAccepted() {
        UpdateComponents();
        rec_.CGC = FourteenDigits(rec_.CGC.value());
        window().Display();
        if (!shell::ConsisteCGC(rec_.CGC.clipped())) {
            window().Select(kCgc);
            return ui::kHandled;
        }
        data::FileManager& outro = ui::ThreadFile(dictionary::ForCli0());
        auto& o = outro.rec<ForCliRec>();
        outro.clear_record();
        o.CGC = rec_.CGC;
        o.Inativo = 0;
        if (outro.get(dictionary::keys::FOR0_KEY_CGC) == data::kNoError && rec_.CGC != "00000000000000" && o.Codigo != rec_.Codigo) {
            if (ui::Ask("Atenção!!! Já existe outro cadastro com o CNPJ informado!!! Deseja continuar???", "Atenção!!!",
                        ui::Icon::Exclamation, "&Não|&Sim") != "&Sim") {
                window().Select(kCgc);
                return ui::kHandled;
            }
        }
        return Level::Benign;
    }

    Level OkAccepted() {
        UpdateComponents();
        if (rec_.CGC.empty()) {
            ui::Message("Campo de CNPJ deve ser Informado!!!", "Atenção!!!", ui::Icon::Exclamation);
            return ui::kHandled;
        }
        rec_.TipoInscricao = 1;
        // The validator takes zero-terminated texts of 21 and 3 bytes.
        char inscricao[21] = {};
        char uf[3] = {};
        std::memcpy(inscricao, rec_.InscricaoEstadual.value().data(), std::min<std::size_t>(20, rec_.InscricaoEstadual.value().size()));
        std::memcpy(uf, rec_.Estado.value().data(), std::min<std::size_t>(2, rec_.Estado.value().size()));
        if (shell::ConsisteInscricaoEstadual(inscricao, uf) != 0) {
            if (ui::Ask("Atenção!!! Inscrição estadual inválida!!! Deseja continuar assim mesmo???", "Atenção!!!",
                        ui::Icon::Question, "&Não|&Sim") != "&Sim") {
                window().Select(kInscricao);
                return ui::kHandled;
            }
        }
        if (request() == Request::Delete) {
            const std::string texto =
                shell::TipoFornecedorEmpresa.Get() == 1
                    ? "ATENÇÃO !!! Para ser efetuado a exclusão de um fornecedor/cliente, deve-se verificar se o mesmo "
                      "não possui nenhum lançamento de entrada/saída nesta empresa ou em outra empresa, pois este "
                      "fornecedor/cliente pertence ao cadastro geral. Deseja continuar com a exclusão mesmo assim ?"
                    : "ATENÇÃO !!! Para ser efetuado a exclusão de um fornecedor/cliente, deve-se verificar se o mesmo "
                      "não possui nenhum lançamento de entrada/saída. Deseja continuar com a exclusão mesmo assim ?";
            if (ui::Ask(texto, "Confirma exclusão do fornecedor/cliente", ui::Icon::Question, "&Sim|&Não") != "&Sim")
                return ui::kHandled;
            // The archive copy is written by the delete itself, in its transaction (SupplierAccess).
        }
        return Level::Benign;
    }

    void ConsultaCnpjAccepted() {
        UpdateComponents();
        if (auto c = shell::ConsultaCnpj(rec_.CGC.value(), "O programa de consulta do CNPJ não foi encontrado: ")) {
            rec_.Nome = c->razaoSocial;
            rec_.Estado = c->uf;
            rec_.Cidade = c->cidade;
            rec_.Endereco = c->endereco;
            rec_.Numero = static_cast<std::uint32_t>(std::min<long long>(c->numero, 0xFFFFFFFF));
            rec_.Cep = c->cep;
            rec_.Complemento = c->complemento;
            rec_.Bairro = c->bairro;
        }
        window().Display();
    }

    // The state typed: looked up in Estados; one not found is chosen from the state browse.
    bool EstadoAccepted() {
        if (!rec_.Estado.empty()) {
            data::FileManager& est = ui::ThreadFile(dictionary::Estados());
            est.clear_record();
            est.rec<EstadosRec>().UF = rec_.Estado;
            if (est.get(dictionary::keys::EST_KEY_SIGLA) != data::kNoError && !ChooseState()) {
                window().Select(kEstado);
                return false;
            }
        }
        window().Display();
        return true;
    }

    bool ChooseState() {
        data::FileManager& est = ui::ThreadFile(dictionary::Estados());
        est.rec<EstadosRec>().UF = rec_.Estado;
        if (CallProcedure(0, Request::Select) != Response::Completed) return false;
        rec_.Estado = est.rec<EstadosRec>().UF;
        return true;
    }

    SupplierAccess access_;
    ForCliRec& rec_;
};

}  // namespace

void RunFornecedoresForm(ProcContext& ctx) { FornecedoresForm(ctx).Execute(); }

}  // namespace vorel::registers
