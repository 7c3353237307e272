// Windows "ImportaNfe_Ent" ("Importa NF-e Entrada") and "ImportaNfe_Sai" ("Importa NF-e Saída"): one
// press of "&Ler/Importar XML" runs our NF-e reader on the chosen company's NF-e folder, checks its
// "CNPJ.txt" against the working company, imports the products, the partners and the month's items,
// shows the problem list through `Rel_Erro_ECF_W`, and closes the window.
//
// The company entry (or its look-up button, the company browse in select mode) chooses the folder
// and the document the reader is given; the tables written are the working company's, so another
// company's folder fails the check. The exits show the wait window "!!! Aguarde !!!" while their
// staging and their import commit.
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "import_window.h"
#include "vorel/core/paths.h"
#include "vorel/shell/program_settings.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/cadastros_nfe.h"
#include "vorel/integration/importa_nfe.h"
#include "vorel/integration/procedures.h"
#include "vorel/integration/text_import.h"
#include "vorel/shell/error_report.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/working_context.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/window_controller.h"

namespace vorel::integration {

namespace {

using ui::Level;
namespace keys = dictionary::keys;


enum : int {
    kPromptEmpresa = 1, kEmpresa, kBuscaEmpresa, kDescEmp, kSobForCli, kCriaConta, kGrupoProdutos, kPorCodigo, kPorApelido,
    kGrupoIcms, kIcmsOutras, kIcmsConforme, kIcmsIsento, kGrupoIpi, kIpiOutras, kIpiConforme, kIpiIsento,
    kImporta, kFecha, kGrupoStatus, kStatus, kContador, kProgresso
};

// The document of a company record: its CPF when it is a person (2), else its CNPJ.
std::string DocumentoEmpresa(const dictionary::EmpresaRec& e) {
    return std::string(text::clip(e.TIPOINSCESCRITA == 2 ? e.CPF.value() : e.CGC.value()));
}

class ImportaNfe : public ui::WindowController {
public:
    ImportaNfe(ui::ProcContext& ctx, SentidoNfe sentido)
        : ui::WindowController(ctx, sentido == SentidoNfe::Entrada ? "ImportaNfe_Ent" : "ImportaNfe_Sai",
                               sentido == SentidoNfe::Entrada ? "Importa NF-e Entrada" : "Importa NF-e Saída"),
          sentido_(sentido) {}

protected:
    Level Setup() override {
        if (!shell::GaranteEmpresa(context())) return Level::Cancel;
        Level l = ui::WindowController::Setup();
        if (l != Level::Benign) return l;
        empresaTrabalho_ = shell::GLO_EMPRESA_CODIGO.Get();
        if (data::Result r = data::dictionary::file(dictionary::Empresa()).open(); !r.ok()) return Level::Cancel;
        // The items go to the year file in force now, whatever happens to the shared names later.
        alvo_ = data::dictionary::file(sentido_ == SentidoNfe::Entrada ? dictionary::EntradaVorel()
                                                                         : dictionary::SaidaVorel())
                    .file_name();

        ui::Window& w = window();
        w.Prompt(kPromptEmpresa, "Empresa:");
        w.Entry(kEmpresa, ui::Use(empresa_), "@n6");
        w.Button(kBuscaEmpresa, "").Icon("Find.ico").Tip("Pesquisa Empresas").Skip();
        w.String(kDescEmp, "");
        w.Check(kSobForCli, "Sobrescrever Clientes/Fornecedores", ui::Use(opcoes_.sobForCli));
        w.Check(kCriaConta, "Criar Automaticamente Conta Contábil do Cliente/Fornecedor", ui::Use(opcoes_.criaConta));
        Opcoes(kGrupoProdutos, "Integrar Produtos por", opcoes_.intProdutos, {{kPorCodigo, "Código", 0}, {kPorApelido, "Apelido", 1}});
        Opcoes(kGrupoIcms, "Integrar ICMS em", opcoes_.integraIcms,
               {{kIcmsOutras, "Outras", 0}, {kIcmsConforme, "Conforme NF", 2}, {kIcmsIsento, "Isento", 1}});
        Opcoes(kGrupoIpi, "Integrar IPI em", opcoes_.integraIpi,
               {{kIpiOutras, "Outras", 0}, {kIpiConforme, "Conforme NF", 2}, {kIpiIsento, "Isento", 1}});
        w.Button(kImporta, "&Ler/Importar XML");
        w.Button(kFecha, "&Fechar");
        w.Add(kGrupoStatus, ui::ControlType::Group, "");
        w.String(kStatus, "").Parent(kGrupoStatus);
        w.String(kContador, "0").Parent(kGrupoStatus);
        w.Progress(kProgresso).Parent(kGrupoStatus);
        SetCancelButton(kFecha);
        return Level::Benign;
    }

    Level OnWindowOpened() override {
        Level l = ui::WindowController::OnWindowOpened();
        opcoes_ = shell::LeOpcoesXml();
        empresa_ = empresaTrabalho_;
        LeEmpresa();
        pasta_ = files::join(shell::PastaEmpresa.Get(), "NFe");
        (void)files::make_folder(pasta_);
        window().Display();
        return l;
    }

    Level OnAccepted(int feq) override {
        Level l = ui::WindowController::OnAccepted(feq);
        switch (feq) {
            case kEmpresa:
                window().Update();
                AceitaEmpresa();
                break;
            case kBuscaEmpresa:
                window().Update();
                BuscaEmpresa();
                break;
            case kImporta:
                window().Update();
                if (empresa_ == 0) {
                    ui::Message("Escolha uma empresa", "", ui::Icon::Information);
                    break;
                }
                Importa();
                CloseWith(ui::Response::Completed);
                break;
            case kFecha:
                CloseWith(ui::Response::Completed);
                break;
            default:
                break;
        }
        return l;
    }

    // Closing: the five options are kept for the next window of either direction.
    Level Teardown() override {
        (void)shell::GravaOpcoesXml(opcoes_);  // only a convenience for the next opening
        (void)data::dictionary::file(dictionary::Empresa()).close();
        return ui::WindowController::Teardown();
    }

private:
    struct Opcao {
        int feq;
        const char* texto;
        int valor;
    };
    void Opcoes(int grupo, const char* titulo, int& alvo, std::initializer_list<Opcao> opcoes) {
        ui::Window& w = window();
        w.Add(grupo, ui::ControlType::Group, titulo);
        for (const Opcao& o : opcoes)
            w.Radio(o.feq, o.texto,
                    ui::UseFn([&alvo, v = o.valor] { return std::string(alvo == v ? "1" : "0"); },
                              [&alvo, v = o.valor](const std::string& s) {
                                  if (s == "1") alvo = v;
                                  return true;
                              }))
                .Parent(grupo);
    }

    // The company of the code entry: its name, and its document for the reader; false when the
    // register has no such company.
    bool LeEmpresa() {
        data::FileManager& emp = data::dictionary::file(dictionary::Empresa());
        auto& e = emp.rec<dictionary::EmpresaRec>();
        emp.clear_record();
        e.Codigo = static_cast<std::uint16_t>(empresa_);
        const bool achou = empresa_ > 0 && empresa_ <= 0xFFFF && emp.get(keys::EMP_KEY_CODIGO).ok();
        if (achou) {
            window()[kDescEmp].Text(text::to_utf8(e.RAZAOSOCIAL.clipped()));
            documento_ = DocumentoEmpresa(e);
        } else {
            window()[kDescEmp].Text("");
            documento_.clear();
        }
        return achou;
    }

    // A code typed: an unknown one opens the company browse; either way the reader's folder is the
    // code's company folder.
    void AceitaEmpresa() {
        if (!LeEmpresa()) {
            BuscaEmpresa();
            return;
        }
        PastaDaEmpresa();
        window().Display();
    }

    // The company browse in select mode; a company chosen there is taken as if typed. Leaving the
    // browse without a choice keeps the code as it stands.
    void BuscaEmpresa() {
        const bool escolhida = context().Call("Empresa", ui::Request::Select) == ui::Response::Completed;
        const auto& e = data::dictionary::file(dictionary::Empresa()).rec<dictionary::EmpresaRec>();
        if (escolhida && e.Codigo != 0) empresa_ = e.Codigo;
        LeEmpresa();
        PastaDaEmpresa();
        window().Display();
        window().Select(kEmpresa);
    }

    void PastaDaEmpresa() {
        pasta_ = files::join(dictionary::CaminhosArquivosEmpresa(shell::PastaRaiz.Get(),
                                                                 static_cast<std::uint32_t>(empresa_), 0, 0)
                                 .PastaEmpresa,
                             "NFe");
        (void)files::make_folder(pasta_);
    }

    void Status(const std::string& texto) { window()[kStatus].Text(texto); }

    void Importa() {
        const int mes = shell::GLO_MES.Get(), ano = shell::GLO_ANO.Get();
        const bool entrada = sentido_ == SentidoNfe::Entrada;
        const std::string& pasta = pasta_;
        // The previous output, the check file included: a stale one never passes the check.
        std::vector<std::string> saidas = {"CNPJ.txt", ArquivoNfeDoMes("Produtos", mes, ano),
                                           ArquivoNfeDoMes("Fornecedores", mes, ano)};
        for (const char* b : entrada ? std::vector<const char*>{"NFEntrada", "NFEntrada_Itens", "NFEntrada_Dup"}
                                     : std::vector<const char*>{"NFSaida", "NFSaida_Itens"})
            saidas.push_back(ArquivoNfeDoMes(b, mes, ano));
        for (const std::string& s : saidas)
            if (files::exists(files::join(pasta, s))) (void)files::remove_file(files::join(pasta, s));

        Status("Lendo XML...");
        ResultadoLeitor lido = LeitorXML({pasta, mes, ano, sentido_, documento_});
        erros_ = std::move(lido.problemas);
        if (!lido.ok()) {
            ui::Message("A leitura dos XML falhou: " + lido.falha, "Atenção!!!", ui::Icon::Exclamation);
            MostraErros();
            return;
        }
        if (ConfereCnpj(files::join(pasta, "CNPJ.txt")) && ImportaCadastros(pasta, mes, ano))
            ImportaItens(pasta, mes, ano);
        MostraErros();
    }

    // Every document of the check file must be the working company's; the first that is not is
    // named in the message.
    bool ConfereCnpj(const std::string& arquivo) {
        data::FileManager& emp = data::dictionary::file(dictionary::Empresa());
        auto& e = emp.rec<dictionary::EmpresaRec>();
        emp.clear_record();
        e.Codigo = static_cast<std::uint16_t>(empresaTrabalho_);
        const std::string nosso = emp.get(keys::EMP_KEY_CODIGO).ok() ? DocumentoEmpresa(e) : std::string();
        std::ifstream in(files::resolve(arquivo), std::ios::binary);
        long linhas = 0;
        for (std::string l; std::getline(in, l);) {
            if (!l.empty() && l.back() == '\r') l.pop_back();
            const std::string doc(text::trim(CortaCampo(l, kLayoutCnpj[CampoCnpj::Documento])));
            if (doc.empty()) continue;
            ++linhas;
            if (!nosso.empty() && doc == nosso) continue;
            emp.clear_record();
            e.CGC = doc;
            std::string quem = doc;
            if (emp.get(keys::EMP_Key_CNPJ).ok()) quem = text::to_utf8(e.RAZAOSOCIAL.clipped()) + " (" + doc + ")";
            ui::Message("O CNPJ da nota está diferente do cadastro da empresa! Não é possível concluir a importação. "
                        "Notas de: " + quem,
                        "Alerta", ui::Icon::Information);
            return false;
        }
        return linhas > 0;
    }

    // The products and the partners, the counter shown as they go (the products also on the
    // progress bar); false when either step failed or was stopped, and the items are not read.
    bool ImportaCadastros(const std::string& pasta, int mes, int ano) {
        ui::Window& w = window();
        // Shown every hundred lines and at the last, so a long file does not flood the window.
        auto andamento = [&](bool barra) {
            return [&w, barra, this](long feitos, long total) {
                if (feitos % 100 == 0 || feitos == total) {
                    if (barra) w[kProgresso].Range(0, static_cast<int>(total)).Progress(static_cast<int>(feitos));
                    w[kContador].Text(std::to_string(feitos));
                }
                return !context().StopRequested();
            };
        };
        Status("Analizando/Importando Produtos...");
        w[kContador].Text("0");
        w[kProgresso].Range(0, 0).Progress(0);
        ResultadoCadastro r = ImportaProdutosNfe(files::join(pasta, ArquivoNfeDoMes("Produtos", mes, ano)),
                                                 opcoes_.intProdutos, sentido_ == SentidoNfe::Entrada, mes, ano,
                                                 andamento(true));
        if (r.ok()) {
            Status("Analizando/Importando Fornecedores...");
            w[kContador].Text("0");
            r = ImportaFornecedoresNfe(files::join(pasta, ArquivoNfeDoMes("Fornecedores", mes, ano)),
                                       opcoes_.sobForCli == 1, andamento(false));
        }
        if (!r.falha.ok())
            ui::Message("A gravação dos cadastros falhou e nada foi importado: " +
                            text::to_utf8(std::string(data::error_text(r.falha))),
                        "Atenção!!!", ui::Icon::Exclamation);
        return r.ok();
    }

    void ImportaItens(const std::string& pasta, int mes, int ano) {
        const bool entrada = sentido_ == SentidoNfe::Entrada;
        Status(entrada ? "Analizando NF Entrada..." : "Analizando NF Saida...");
        const std::string origem = files::join(pasta, ArquivoNfeDoMes(entrada ? "NFEntrada" : "NFSaida", mes, ano));
        const std::string copia = files::join(pasta, ArquivoNfeDoMes(entrada ? "NFEntrada_Lida" : "NFSaida_Lida", mes, ano));
        PessoasRegistradas pessoas;
        ItensPreparados q = PreparaItensNfe(
            sentido_, origem, copia, mes, ano,
            [](const std::string& pergunta) {
                return ui::Ask(text::to_utf8(pergunta), "Atenção!!!", ui::Icon::Exclamation, "&Sim|&Não") == "&Sim";
            },
            entrada ? PessoaNfe() : PessoaNfe(std::ref(pessoas)));
        if (!q.falha.empty()) {
            ui::Message(q.falha, "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        ImportacaoNfeEntradas runEntradas;
        ImportacaoNfeSaidas runSaidas;
        ImportacaoTexto& run = entrada ? static_cast<ImportacaoTexto&>(runEntradas) : runSaidas;
        run.FixaAlvo(alvo_);
        std::unique_ptr<ui::Window> aguarde;
        if (!entrada) AguardeAoGravar(run, context(), aguarde);
        if (std::string erro = run.Abre(); !erro.empty()) {
            ui::Message(erro, "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        ui::Window& w = window();
        ResultadoLeitura r = run.Le({copia, 0, opcoes_.intProdutos == 0 ? 1 : 2, mes, ano, PosicoesItensNfe(sentido_),
                                     shell::GLO_EMPRESA_CODIGO.Get()},
                                    [&](long n) {
                                        w[kContador].Text(std::to_string(n));
                                        return !context().StopRequested();
                                    });
        erros_.insert(erros_.end(), r.erros.begin(), r.erros.end());
        (void)files::remove_file(copia);
        if (!r.falha.ok()) {
            ui::Message("A leitura das notas falhou e nada foi importado: " +
                            text::to_utf8(std::string(data::error_text(r.falha))),
                        "Atenção!!!", ui::Icon::Exclamation);
            return;
        }
        if (r.mesDiferente) {
            ui::Message("Não será possivel importar a nota de número " + TextoNumero(r.notaMesDiferente) +
                            " possui a Data com mês diferente ao selecionado!!!",
                        "Atenção!!!", ui::Icon::Question);
            return;
        }
        if (!r.PodeImportar()) return;
        Status(entrada ? "Importando NF Entrada..." : "Analizando/Importando NF Saida...");
        w[kProgresso].Range(0, static_cast<int>(r.preparados)).Progress(0);
        ResultadoImportacao i = run.Importa(mes, [&](long n) {
            w[kProgresso].Progress(static_cast<int>(n));
            return !context().StopRequested();
        });
        if (!i.recusa.empty())
            ui::Message(i.recusa, "Atenção!!!", ui::Icon::Exclamation);
        else if (!i.ok() && !i.interrompida)
            ui::Message("A importação falhou e nada foi gravado: " +
                            text::to_utf8(std::string(data::error_text(i.falha))),
                        "Atenção!!!", ui::Icon::Exclamation);
    }

    // The problem list goes to the error report whenever it holds anything.
    void MostraErros() {
        if (erros_.empty()) return;
        if (auto ec = shell::PedeImpressaoErros()) {
            ui::Message("Não foi possível gravar o pedido de impressão: " + ec.message(), "Atenção!!!",
                        ui::Icon::Exclamation);
            return;
        }
        (void)shell::Rel_Erro_ECF_W(context(), erros_);
    }

    SentidoNfe sentido_;
    int empresa_ = 0;
    int empresaTrabalho_ = 0;
    std::string documento_;
    std::string pasta_;  // the chosen company's NF-e folder
    std::string alvo_;
    shell::OpcoesXml opcoes_;
    std::vector<std::string> erros_;
};

}  // namespace

void RunImportaNfeEnt(ui::ProcContext& ctx) { ImportaNfe(ctx, SentidoNfe::Entrada).Execute(); }
void RunImportaNfeSai(ui::ProcContext& ctx) { ImportaNfe(ctx, SentidoNfe::Saida).Execute(); }

}  // namespace vorel::integration
