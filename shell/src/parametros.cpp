// Parametros ("Parâmetros do Escritório Licenciado"): the office's own data and the program-wide
// options. Tables: Municipios, Estados (looked up). Settings: BComuns\Vorel.ini [Parametros] under
// the data root (keys written padded to 20 characters), qel.ini [Parametros] TecladoPadraoBR,
// Naveli.ini [Acesso] Internet and [Sistema6] SalvaAcesso.
//
// The window edits a copy of the office data: "&Grava" writes the settings and makes the copy the
// office data of the run; "&Fecha" (tip "Cancela") leaves both as they were.
#include "register_lookup.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/check_digits.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/office_settings.h"
#include "vorel/shell/shell_windows.h"
#include "vorel/shell/program_settings.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"
#include "vorel/ui/window_controller.h"

namespace vorel::shell {

namespace {

using namespace vorel::ui;

// The pictures the office's numbers are shown through.
constexpr const char* kPictureCep = "@p##-###-###p";
constexpr const char* kPictureDdd = "@p###p";
constexpr const char* kPictureFone = "@p<###-####p";
constexpr const char* kPictureCnpj = "@p##-###-###/####-##p";
constexpr const char* kPictureCpf = "@p###-###-###-##p";

// A Windows-1252 text of the office data, edited as UTF-8 and cut to its width.
UsePtr UseCp(std::string& v, std::size_t largura) {
    return UseFn([&v] { return text::to_utf8(text::clip(v)); },
                 [&v, largura](const std::string& s) {
                     v = text::from_utf8(s);
                     if (v.size() > largura) v.resize(largura);
                     return true;
                 });
}

// Digits only (masks dropped), at most `largura`; shown through `picture` when all are there.
UsePtr UseDigitos(std::string& v, std::size_t largura, std::string picture) {
    return UseFn([&v, largura, picture] {
                     std::string d(text::clip(v));
                     const bool inteiro = d.size() == largura && d.find_first_not_of("0123456789") == std::string::npos;
                     return inteiro ? FormatText(picture, d) : d;
                 },
                 [&v, largura](const std::string& s) {
                     std::string d;
                     for (char c : s)
                         if (c >= '0' && c <= '9') d += c;
                     if (d.size() > largura) return false;
                     v = d;
                     return true;
                 });
}

class JanelaParametros : public WindowController {
public:
    enum : int {
        kTitulo = 1, kNome = 3, kResponsavel = 5, kEndereco = 7, kNumero = 9, kBairro = 11, kCompl = 13, kCidade = 15,
        kUf = 17, kPesquisaUf = 18, kCep = 20, kWeb = 22, kEmail = 24, kDdd = 26, kTelefone = 28, kFax = 30,
        kTipo = 32, kCgc = 33, kCpf = 34, kInsEst = 36, kEnderecoPlanilha = 40, kGrupoRelatorios = 41,
        kImpData = 42, kImpEscr = 43, kGrupoIntegracao = 44, kIntegracao = 45, kGrupoTeclado = 46, kTeclado = 47,
        kGrupoNaveli = 48, kInternet = 49, kSalvaAcesso = 50, kLote = 51, kResulPlanilha = 52, kAliqProduto = 53,
        kGrava = 60, kFecha = 61
    };

    explicit JanelaParametros(ProcContext& ctx) : WindowController(ctx, "Parametros", "Parâmetros do Escritório Licenciado") {}

    Level Setup() override {
        WindowController::Setup();
        p_ = GLO_PARAMETROS.Get();
        opcoes_ = LeOpcoesEscritorio(PastaRaiz.Get());
        opcoes_.aliquotaProdutos = GLO_USAALIQPRODUTO.Get();
        teclado_ = TecladoPadraoBR();
        const AcessoNaveli acesso = LeAcessoNaveli();
        internet_ = acesso.internet;
        salvaAcesso_ = acesso.salvaAcesso;
        for (const data::TableDesc* t : {&dictionary::Municipios(), &dictionary::Estados()}) {
            data::FileManager& f = data::dictionary::file(*t);
            if (f.open() == data::kNoError) abertas_.push_back(&f);
        }

        Window& w = window();
        w.String(kTitulo, "Cadastre as informações do Escriório Licenciado");
        Campo(kNome, "01 Nome do Escritório Licenciado...........................", UseCp(p_.PARNOME, 40));
        Campo(kResponsavel, "02 Responsável pelo Vorel....................................", UseCp(p_.PARRESPONSAVEL, 40));
        Campo(kEndereco, "03 Endereço.......", UseCp(p_.PARENDERECO, 40));
        Campo(kNumero, "04 Número...........", Use(p_.PARNUMERO));
        Campo(kBairro, "05 Bairro.............", UseCp(p_.PARBAIRRO, 20));
        Campo(kCompl, "06 Compl.........", UseCp(p_.PARCOMPLEMENTO, 20));
        Campo(kCidade, "07 Município.......", UseCp(p_.PARCIDADE, 30));
        Campo(kUf, "08 Estado.........", UseFn([this] { return text::to_utf8(p_.PARUF); },
                                             [this](const std::string& s) {
                                                 p_.PARUF = text::upper(text::from_utf8(s)).substr(0, 2);
                                                 return true;
                                             }));
        w.Button(kPesquisaUf, "Pesquisa").Tip("Pesquisa na Tabela de Estados").Skip();
        Campo(kCep, "09 C.E.P.............", p_.PARCEP, kPictureCep);
        Campo(kWeb, "10 Página Web..", UseCp(p_.PARWEB, 30));
        Campo(kEmail, "11 E-mail.........", UseCp(p_.PAREMAIL, 50));
        Campo(kDdd, "12 DDD...............", p_.PARDDD, kPictureDdd);
        Campo(kTelefone, "13 Telefone................", p_.PARTELEFONE, kPictureFone);
        Campo(kFax, "14 FAX..........", p_.PARFAX, kPictureFone);
        w.Prompt(kTipo - 1, "15 Tipo de Inscrição");
        w.DropList(kTipo, Use(p_.PARTIPINS), {"CNPJ", "CPF"}, {"1", "2"});
        w.Entry(kCgc, UseDigitos(p_.PARCGC, 14, kPictureCnpj), kPictureCnpj);
        w.Entry(kCpf, UseDigitos(p_.PARCPF, 11, kPictureCpf), kPictureCpf);
        Campo(kInsEst, "16 Inscrição Estadual.....", UseCp(p_.PARINSEST, 20));
        w.Check(kEnderecoPlanilha, " Imprimir o endereço na planilha de produtos?", Use(opcoes_.enderecoPlanilha));
        w.Add(kGrupoRelatorios, ControlType::Group, "Relatórios");
        w.Check(kImpData, " Imprimir Data / Hora nos relatórios", Use(p_.PARIMPDATA)).Parent(kGrupoRelatorios);
        w.Check(kImpEscr, " Imprimir o nome do escritório nos relatório", Use(p_.PARIMPESCR)).Parent(kGrupoRelatorios);
        w.Add(kGrupoIntegracao, ControlType::Group, "Integração");
        w.Check(kIntegracao, "Sim, sobrepor os cadastros anteriores de Clientes/Fornecedores", Use(opcoes_.integracaoForCli)).Parent(kGrupoIntegracao);
        w.Add(kGrupoTeclado, ControlType::Group, "Teclado");
        w.Check(kTeclado, " Padrão Brasileiro", Use(teclado_)).Parent(kGrupoTeclado);
        w.Add(kGrupoNaveli, ControlType::Group, "Naveli");
        w.Check(kInternet, " Possui acesso à internet", Use(internet_)).Parent(kGrupoNaveli);
        w.Check(kSalvaAcesso, " Salva último acesso", Use(salvaAcesso_)).Parent(kGrupoNaveli);
        w.Check(kLote, " Controla entrada e saída de produtos por Lote? ( Sim = Marcado / Não = Desmarcado )", Use(opcoes_.lote));
        w.Check(kResulPlanilha, " Mostrar resultado de colunas na planilha de gestão", Use(opcoes_.resulPlanilha));
        w.Check(kAliqProduto, "Usa somente a aliquota de ICMS fixada no cadasro do Produto", Use(opcoes_.aliquotaProdutos));
        w.Button(kGrava, "&Grava");
        w.Button(kFecha, "&Fecha").Tip("Cancela");
        SetCancelButton(kFecha);
        OnButton(kGrava, [this] { return Grava(); });
        OnButton(kPesquisaUf, [this] {
            if (EscolheNoCadastro(context(), "Estados", "Estados")) CopiaUf();
            return Level::Benign;
        });
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        MostraTipo();
        return Level::Benign;
    }

    Level OnNewSelection(int feq) override {
        if (feq == kTipo) {
            window().Update(kTipo);
            // Changing the type clears the number of the other type.
            if (p_.PARTIPINS == 1) p_.PARCPF.clear();
            else p_.PARCGC.clear();
            MostraTipo();
        }
        return WindowController::OnNewSelection(feq);
    }

    Level OnAccepted(int feq) override {
        switch (feq) {
            case kCgc:
                if (!p_.PARCGC.empty() && !ConsisteCGC(p_.PARCGC)) return Fica(kCgc);
                return Level::Benign;
            case kCpf:
                if (!p_.PARCPF.empty() && !ConsisteCPF(p_.PARCPF)) return Fica(kCpf);
                return Level::Benign;
            case kCidade: return Municipio();
            case kUf: return Estado();
            default: return WindowController::OnAccepted(feq);
        }
    }

    Level Teardown() override {
        for (data::FileManager* f : abertas_) (void)f->close();
        return WindowController::Teardown();
    }

private:
    void Campo(int feq, const char* prompt, UsePtr use, std::string picture = {}) {
        window().Prompt(feq - 1, prompt);
        window().Entry(feq, std::move(use), std::move(picture));
    }
    // A number shown through its digit pattern; 0 shows nothing.
    template <class Numero>
    void Campo(int feq, const char* prompt, Numero& campo, const char* picture) {
        window().Prompt(feq - 1, prompt);
        window().Entry(feq, campo, picture, Zero::Blank);
    }

    void MostraTipo() {
        const bool cnpj = p_.PARTIPINS == 1;
        if (cnpj) p_.PARCPF.clear();
        else p_.PARCGC.clear();
        window()[kCgc].Hide(!cnpj);
        window()[kCpf].Hide(cnpj);
        window().Display();
    }

    Level Fica(int feq) {
        window().Select(feq);
        return kHandled;
    }

    Level Municipio() {
        data::FileManager& mun = data::dictionary::file(dictionary::Municipios());
        mun.clear_record();
        auto& m = mun.rec<dictionary::MunicipiosRec>();
        m.NOME = p_.PARCIDADE;
        // A municipality not found leaves the state as it is.
        if (!p_.PARCIDADE.empty() && mun.get(dictionary::keys::MUN_KEY_NOME) == data::kNoError) {
            p_.PARUF = std::string(m.ESTADO.clipped());
            window().Display();
        }
        return Level::Benign;
    }

    Level Estado() {
        if (text::clip(p_.PARUF).empty()) return Level::Benign;
        data::FileManager& est = data::dictionary::file(dictionary::Estados());
        est.clear_record();
        est.rec<dictionary::EstadosRec>().UF = p_.PARUF;
        if (est.get(dictionary::keys::EST_KEY_SIGLA) == data::kNoError) return Level::Benign;
        if (EscolheNoCadastro(context(), "Estados", "Estados")) {
            CopiaUf();
            return Level::Benign;
        }
        return Fica(kUf);
    }

    void CopiaUf() {
        p_.PARUF = std::string(data::dictionary::file(dictionary::Estados()).rec<dictionary::EstadosRec>().UF.clipped());
        window().Display();
    }

    Level Grava() {
        if (!window().Update()) return Level::Benign;
        std::error_code erro = GravaParametrosEscritorio(PastaRaiz.Get(), p_, opcoes_);
        if (!erro) erro = GravaTecladoPadraoBR(teclado_);
        if (!erro) erro = GravaAcessoNaveli({internet_, salvaAcesso_});
        if (erro) {
            Message("Não foi possível gravar os parâmetros: " + erro.message(), "Atenção", Icon::Exclamation);
            return Level::Benign;
        }
        GLO_PARAMETROS.Set(p_);
        GLO_USAALIQPRODUTO.Set(static_cast<std::uint8_t>(opcoes_.aliquotaProdutos));
        TecladoDecimalVirgula.Set(teclado_ == 0);
        CloseWith(Response::Completed);
        return Level::Benign;
    }

    ParametrosEscritorio p_;
    OpcoesEscritorio opcoes_;
    int teclado_ = 0;
    int internet_ = 1, salvaAcesso_ = 1;
    std::vector<data::FileManager*> abertas_;
};

}  // namespace

void Parametros(ProcContext& ctx) { JanelaParametros(ctx).Execute(); }

}  // namespace vorel::shell
