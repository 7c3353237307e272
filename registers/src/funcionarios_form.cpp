// Form "UFuncionarios": one responsible person of table Funcionarios (identification, address,
// contact, category, admission and documents) and the person's function, kept as change type 8 of
// the history in ACFuncionarios. State and municipality combos read Estados and Municipios and can
// add a missing one through UEstados / UMunicipios. The function history is written only after the
// person's record was stored by an insert or a change: never on view, on delete, or when the write
// was refused.
#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/registers/employee_history.h"
#include "vorel/registers/procedures.h"
#include "vorel/ui/register_window.h"
#include "vorel/registers/responsible_persons.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/shell/check_digits.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/picture_file.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

namespace {

using dictionary::EmpresaRec;
using dictionary::EstadosRec;
using dictionary::FuncionariosRec;
using dictionary::MunicipiosRec;

constexpr std::uint8_t kTipoFuncao = 8;

class FuncionariosForm : public ui::RegisterForm {
public:
    enum : int {
        kSheet = 1, kTab, kFotoRegiao, kFoto,
        kPCodigo, kCodigo, kPNome, kNome, kPEndereco, kEndereco, kPNumero, kNumero, kPComplemento, kComplemento,
        kPBairro, kBairro, kPUf, kUf, kPCidade, kCidade, kPCep, kCep, kPDdd, kDdd, kPTelefone, kTelefone,
        kPRamal, kRamal, kPEmail, kEmail, kPCategoria, kCategoria, kCategoriaDescricao, kPAdmissao, kAdmissao,
        kPDemissao, kDemissao, kPFuncao, kFuncao, kPRg, kRg, kPOrgao, kOrgao, kPEmissaoRg, kEmissaoRg,
        kPCpf, kCpf, kPClasse, kClasse, kPPis, kPis,
        kPEmpresa, kEmpresaCodigo, kEmpresaRazao, kPResponsavel, kResponsavelCodigo, kResponsavelNome,
        kOk, kCancel, kHelp
    };

    explicit FuncionariosForm(ProcContext& ctx)
        : ui::RegisterForm(ctx, "UFuncionarios", "Incluindo um Responsável", dictionary::Funcionarios(),
                       {"Incluindo um Responsável", "Alterando um Responsável", "Excluindo um Responsável"}),
          rec_(file().rec<FuncionariosRec>()),
          estados_(ui::ThreadFile(dictionary::Estados())),
          municipios_(ui::ThreadFile(dictionary::Municipios())),
          empresa_(ui::ThreadFile(dictionary::Empresa())) {}

    Level Setup() override {
        Level l = ui::RegisterForm::Setup();
        if (l != Level::Benign) return l;
        if (!AlsoOpen({&dictionary::ACFuncionarios(), &dictionary::Empresa(), &dictionary::Estados(),
                       &dictionary::Municipios()}))
            return Level::Cancel;
        ui::Window& w = window();
        w.Sheet(kSheet);
        w.Tab(kTab, kSheet, "Informações cadastrais");
        w.Add(kFotoRegiao, ui::ControlType::Region).Parent(kTab).Skip();  // clicked, never tabbed to: the form opens on the code
        w.Add(kFoto, ui::ControlType::Image).Parent(kTab);
        Prompt(kPCodigo, "0&1-Código:");
        Tipped(w.Entry(kCodigo, ui::Use(rec_.CODIGO), "@n13"), "Código do Responsável.");
        Prompt(kPNome, "Nome:");
        Tipped(w.Entry(kNome, ui::Use(rec_.Nome), "@s40"), "Nome do Responsável.");
        Prompt(kPEndereco, "0&2-Endereco:");
        Tipped(w.Entry(kEndereco, ui::Use(rec_.ENDERECO), "@s40"),
              "Endereço onde está situado o responsável da empresa.");
        Prompt(kPNumero, "Número:");
        Tipped(w.Entry(kNumero, ui::Use(rec_.NUMERO), "@n6"),
              "Número do Endereço onde está situado o responsável da Empresa.");
        Prompt(kPComplemento, "Complemento:");
        Tipped(w.Entry(kComplemento, ui::Use(rec_.COMPLEMENTO), "@s25"),
              "Complemento do Endereço do responsável da Empresa.");
        Prompt(kPBairro, "Bairro:");
        Tipped(w.Entry(kBairro, ui::Use(rec_.BAIRRO), "@s25"),
              "Bairro onde está situado o responsável da Empresa.");
        Prompt(kPUf, "Estado:");
        Tipped(w.Combo(kUf, ui::UseKeyIn(rec_.UF, "@k^^k")).Picture("@k^^k"),
              "Estado do responsável - CTRL Setas Movimenta.");
        w[kUf].Columns({{"UF", 16, 'L'}, {"Descrição", 80, 'L'}});
        Prompt(kPCidade, "Município:");
        Tipped(w.Combo(kCidade, ui::Use(rec_.CIDADE)).Picture("@s35"),
              "Município do responsável - CTRL Setas Movimenta.");
        w[kCidade].Columns({{"Município", 104, 'L'}, {"Estado", 8, 'L'}});
        Prompt(kPCep, "CEP:");
        Tipped(w.Entry(kCep, rec_.CEP, "@p##.###-###p"),
              "Endereço Postal do Responsável da Empresa (CEP).");
        Prompt(kPDdd, "0&3-DDD:");
        Tipped(w.Entry(kDdd, rec_.DDD, "@p<<##p"), "DDD do responsável.");
        Prompt(kPTelefone, "Telefone:");
        Tipped(w.Entry(kTelefone, rec_.TELEFONE, "@p<###-####p"),
              "Nº do Telefone do responsável.");
        Prompt(kPRamal, "Ramal:");
        Tipped(w.Entry(kRamal, rec_.RAMAL, "@p<<##p"), "Ramal do Responsável.");
        Prompt(kPEmail, "Email:");
        Tipped(w.Entry(kEmail, ui::Use(rec_.EMAIL), "@s40"), "E-Mail do Responsável da Empresa.");
        std::vector<std::string> items, values;
        std::vector<ui::Row> rows;
        for (const CategoriaFuncionario& c : CategoriasFuncionario()) {
            items.push_back(ui::FormatNumber("@n02", c.codigo));
            values.push_back(std::to_string(c.codigo));
            rows.push_back({{items.back()}, {c.descricao}});
        }
        Prompt(kPCategoria, "0&5-Categoria:");
        Tipped(w.DropList(kCategoria, ui::Use(rec_.CATEGORIA), items, values).Picture("@n02").ItemRows(rows),
              "Categoria do Responsável - CTRL Setas Movimenta.");
        w[kCategoria].Columns({{"Código", 20, 'L'}, {"Descrição", 200, 'L'}});
        w.String(kCategoriaDescricao, "").Parent(kTab).Picture("@s140");
        Prompt(kPAdmissao, "0&6-Admissão....:");
        Tipped(w.Entry(kAdmissao, rec_.ADMISSAO, "@D06b"),
              "Data de Admissão do responsável da Empresa.");
        Prompt(kPDemissao, "Demissão...:");
        Tipped(w.Entry(kDemissao, rec_.DEMISSAO, "@D06B"),
              "Data de Demissão do responsável da Empresa.");
        Prompt(kPFuncao, "0&7-Função:");
        Tipped(w.Entry(kFuncao, ui::Use(funcao_), "@s40"), "Função exercida pelo responsável.");
        Prompt(kPRg, "0&8-RG................:");
        Tipped(w.Entry(kRg, ui::Use(rec_.RG), "@s15"),
              "Número do RG do responsável da Empresa.");
        Prompt(kPOrgao, "Orgão Emissor....:");
        Tipped(w.Entry(kOrgao, ui::Use(rec_.ORGAO), "@s10"), "Orgão Emissor.");
        Prompt(kPEmissaoRg, "Data emissão RG:");
        Tipped(w.Entry(kEmissaoRg, rec_.DATAEMISSAORG, "@d06b"),
              "Data de emissão do RG.");
        Prompt(kPCpf, "CPF....................:");
        Tipped(w.Entry(kCpf, rec_.CPF, "@p###.###.###-##p"),
              "Número do CPF do Responsável da Empresa.");
        Prompt(kPClasse, "Insc. Classe........:");
        Tipped(w.Entry(kClasse, ui::Use(rec_.INSCRICAOCLASSE), "@s10"),
              "Número da Inscrição do Orgão da Classe. CREA, OAB, CRC ....");
        Prompt(kPPis, "Pis/CI..................:");
        Tipped(w.Entry(kPis, UsePis(), "@p###.#####.##.#p"),
              "Número do PIS do Responsável/Inscrição INSS do Responsável.");
        EmpresaRec& emp = empresa_.rec<EmpresaRec>();
        w.Prompt(kPEmpresa, "Empresa:").Parent(kTab);
        w.Entry(kEmpresaCodigo, ui::Use(emp.Codigo), "@n6").Parent(kTab).ReadOnly();
        w.Entry(kEmpresaRazao, ui::Use(emp.RAZAOSOCIAL), "@s40").Parent(kTab).ReadOnly();
        w.Prompt(kPResponsavel, "Responsável:").Parent(kTab);
        w.Entry(kResponsavelCodigo, ui::Use(rec_.CODIGO), "@n13").Parent(kTab).ReadOnly();
        w.Entry(kResponsavelNome, ui::Use(rec_.Nome), "@s40").Parent(kTab).ReadOnly();
        w.Button(kOk, "&Grava");
        w.Button(kCancel, "&Cancela");
        w.Button(kHelp, "&Ajuda");
        w.SetDefaultButton(kOk);
        SetOkButton(kOk);
        SetCancelButton(kCancel);
        LinkHistory({kCodigo, kNome, kEndereco, kNumero, kComplemento, kBairro, kUf, kCidade, kCep, kDdd, kTelefone,
                     kRamal, kEmail, kCategoria, kAdmissao, kDemissao, kRg, kOrgao, kEmissaoRg, kCpf, kClasse, kPis});
        EnabledOnlyOnInsert({kCodigo});
        OkOnDelete({"&Exclui", "Exclui", "Exclui a Empresa exibida na janela"});
        CancelOnDelete({"&Cancela", "Cancela", "Cancela exclusão da Empresa exibida na janela"});
        ReadOnlyOnDelete();
        ExcludeFromNavigation({kOk, kCancel, kHelp});
        OnButton(kFotoRegiao, [this] { return ChoosePhoto(); });
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::RegisterForm::OnWindowOpened();
        if (request() == Request::Insert) rec_.CATEGORIA = 11;
        for (std::uint8_t* f : {&rec_.ESTADOCIVIL, &rec_.SEXO, &rec_.GRAUINSTRUCAO, &rec_.RACA})
            if (*f == 0) *f = 1;
        ShowCategory();
        LoadStates();
        LoadMunicipalities();
        std::string funcao;
        HistoricoLido lido;
        lido.texto = &funcao;
        if (LeHistoricoFuncionario(rec_.CODIGO, kTipoFuncao, shell::PeriodoDeTrabalho().Inicio(), lido)) funcao_ = text::to_utf8(funcao);
        if (!std::string_view(rec_.FOTO.clipped()).empty()) ShowPhoto();
        window().Display();
        return l;
    }

    Level OnAccepted(int feq) override {
        ui::Window& w = window();
        if (feq == kCategoria) {
            if (!CategoriaPorCodigo(rec_.CATEGORIA)) return Cycle(kCategoria);
            ShowCategory();
        }
        if (feq == kPis && !shell::ConsistePIS(ui::FormatNumber("@n011", rec_.PIS.value().to_integer()))) return Cycle(kPis);
        Level l = ui::RegisterForm::OnAccepted(feq);
        if (l == ui::kHandled || w.closing()) return l;
        const bool userTyped = !w.acceptAll && request() != Request::View && request() != Request::Delete;
        if (feq == kUf) {
            if (userTyped && !HasItem(kUf, std::string(rec_.UF.clipped())) && !AddState()) return Cycle(kUf);
            LoadMunicipalities();
        }
        if (feq == kCidade && userTyped && !HasItem(kCidade, std::string(rec_.CIDADE.clipped())) && !AddMunicipality())
            return Cycle(kCidade);
        if (feq == kCpf && !std::string_view(rec_.CPF.clipped()).empty()) {
            if (!shell::ConsisteCPF(rec_.CPF.clipped())) return Cycle(kCpf);
            std::string digits(rec_.CPF.clipped());
            if (digits.size() < 11) digits.insert(0, 11 - digits.size(), '0');
            rec_.CPF = digits;
        }
        return l;
    }

    Level OnCompleted() override {
        Level l = ui::RegisterForm::OnCompleted();
        // The function is history of the stored person: only after a completed insert or change.
        if (response() == Response::Completed && (request() == Request::Insert || request() == Request::Change))
        {
            HistoricoNovo novo;
            novo.texto = text::from_utf8(funcao_);
            GravaHistoricoFuncionario(rec_.CODIGO, kTipoFuncao, shell::PeriodoDeTrabalho().Inicio(), novo);
        }
        return l;
    }

    // 1: the state form, 2: the municipality form; view mode adds nothing.
    Response CallProcedure(int number, Request r) override {
        if (request() == Request::View) return Response::Cancelled;
        return context().Call(number == 1 ? "UEstados" : "UMunicipios", r);
    }

private:
    void Prompt(int feq, const char* prompt) { window().Prompt(feq, prompt).Parent(kTab); }
    static void Tipped(ui::Control& c, const char* tip) { c.Parent(kTab).Tip(tip); }

    ui::UsePtr UsePis() {
        const std::string pic = "@p###.#####.##.#p";
        return ui::UseFn([this, pic] { return ui::FormatNumber(pic, rec_.PIS.value().to_integer()); },
                         [this, pic](const std::string& s) {
                             long long n = 0;
                             if (!ui::ParseNumber(pic, s, 0, 99999999999LL, n)) return false;
                             rec_.PIS = Decimal(n);
                             return true;
                         });
    }

    Level Cycle(int feq) {
        window().Select(feq);
        return ui::kHandled;
    }

    void ShowCategory() {
        const CategoriaFuncionario* c = CategoriaPorCodigo(rec_.CATEGORIA);
        window()[kCategoriaDescricao].Text(c ? c->descricao : std::string());
    }

    bool HasItem(int combo, const std::string& value) {
        if (value.empty()) return true;
        for (const std::string& i : window()[combo].items())
            if (text::compare_nocase(text::from_utf8(i), value) == 0) return true;
        return false;
    }

    void LoadStates() {
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

    void LoadMunicipalities() {
        std::vector<std::string> items;
        std::vector<ui::Row> rows;
        auto& m = municipios_.rec<MunicipiosRec>();
        const std::string uf(rec_.UF.clipped());
        if (!uf.empty()) {
            municipios_.clear_record();
            m.ESTADO = uf;
            (void)municipios_.set_at(dictionary::keys::MUN_KEY_ESTADONOME);
            while (municipios_.next() == data::kNoError && text::compare_nocase(m.ESTADO.clipped(), uf) == 0) {
                items.push_back(text::to_utf8(m.NOME.clipped()));
                rows.push_back({{items.back()}, {text::to_utf8(text::upper(m.ESTADO.clipped()))}});
            }
        }
        window()[kCidade].Items(items).ItemRows(std::move(rows));
    }

    // A state the list lacks: the state form adds it; the new state is the person's.
    bool AddState() {
        if (CallProcedure(1, Request::Insert) != Response::Completed) return false;
        rec_.UF = estados_.rec<EstadosRec>().UF.clipped();
        LoadStates();
        window().Display();
        return true;
    }

    bool AddMunicipality() {
        if (CallProcedure(2, Request::Insert) != Response::Completed) return false;
        rec_.CIDADE = municipios_.rec<MunicipiosRec>().NOME.clipped();
        LoadMunicipalities();
        window().Display();
        return true;
    }

    // The picture box gets the file as the front end can open it, or nothing when it is missing.
    void ShowPhoto() { window()[kFoto].Text(shell::ArquivoImagem(rec_.FOTO.clipped(), shell::PastaImagens())); }

    Level ChoosePhoto() {
        if (request() == Request::View || request() == Request::Delete) return Level::Benign;
        const std::string pictures = shell::PastaImagens();
        ui::FileRequest fr;
        fr.title = "Escolha um Arquivo";
        fr.filter = "Imagens | *.bmp;*.gif;*.jpg;*.wmf;*.ico;*.pcx";
        fr.folder = files::resolve(pictures).string();
        fr.initial = shell::ArquivoImagem(rec_.FOTO.clipped(), pictures);
        auto chosen = ui::ChooseFile(fr);
        if (!chosen) return Cycle(kFotoRegiao);
        const std::optional<std::string> name = shell::NomeParaGravar(*chosen, pictures, rec_.FOTO.capacity);
        if (!name) {
            ui::Message("O nome do arquivo não cabe no cadastro: " + *chosen, "Atenção", ui::Icon::Exclamation);
            return Cycle(kFotoRegiao);
        }
        rec_.FOTO = *name;
        ShowPhoto();
        return Level::Benign;
    }

    FuncionariosRec& rec_;
    data::FileManager& estados_;
    data::FileManager& municipios_;
    data::FileManager& empresa_;
    std::string funcao_;  // the function, UTF-8 as the entry shows it
};

}  // namespace

void RunFuncionariosForm(ProcContext& ctx) { FuncionariosForm(ctx).Execute(); }

}  // namespace vorel::registers
