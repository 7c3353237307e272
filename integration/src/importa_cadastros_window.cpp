// Windows "ImportaFornecedores", "ImportaProdutos" and "ImportaMaquinaECF": the register imports
// (suppliers and customers, products, cash-register machines) on the text imports' window.
#include "import_window.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/importa_cadastros.h"
#include "vorel/integration/procedures.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/office_settings.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;

std::string Data(date::Day d) { return d == 0 ? std::string() : ui::FormatNumber("@d06b", d); }
std::string Texto(std::string_view cp1252) { return text::to_utf8(std::string(cp1252)); }

// The register imports' common texts: no option, no wait window.
TextosImportacao Cadastro(TextosImportacao t, const char* promptLayout, const char* pedeLayout) {
    t.promptLayout = promptLayout;
    t.pedeLayout = pedeLayout;
    t.opcaoUtiliza = false;
    return t;
}

class ImportaFornecedores : public JanelaImportacao {
public:
    ImportaFornecedores(ui::ProcContext& ctx, ImportacaoFornecedores& run)
        : JanelaImportacao(ctx,
                           Cadastro({"ImportaFornecedores", "Importação do Cadastro de Clientes/Fornecedores",
                                     "Arquivo texto de fornecedores...............",
                                     "Arquivo Importação de Clientes/Fornecedores", "", "Clientes / Fornecedores",
                                     &dictionary::ForCli},
                                    "Layout do arquivo de fornecedores.......",
                                    "Selecione o Layout para o Arquivo de Fornecedores!!!"),
                           run),
          run_(run),
          r_(run.staging().rec<dictionary::ForCliRec>()) {}

protected:
    int ChaveLista() const override { return dictionary::ForCli().key_index(keys::FOR_KEY_CODIGO1); }
    void AntesDeLer() override {
        run_.SobrescreveCadastrados(shell::LeOpcoesEscritorio(shell::PastaRaiz.Get()).integracaoForCli == 1);
    }
    void Colunas(ui::BrowseManager& l) override {
        auto n = [](auto v) { return std::to_string(v); };
        l.AddColumn({"Código", 40, 'R', [this, n] { return n(r_.Codigo); }});
        l.AddColumn({"Nome", 120, 'L', [this] { return Texto(r_.Nome.clipped()); }});
        l.AddColumn({"Endereço", 100, 'L', [this] { return Texto(r_.Endereco.clipped()); }});
        l.AddColumn({"Número", 30, 'R', [this, n] { return n(r_.Numero); }});
        l.AddColumn({"Complemento", 60, 'L', [this] { return Texto(r_.Complemento.clipped()); }});
        l.AddColumn({"Bairro", 60, 'L', [this] { return Texto(r_.Bairro.clipped()); }});
        l.AddColumn({"Cidade", 60, 'L', [this] { return Texto(r_.Cidade.clipped()); }});
        l.AddColumn({"UF", 15, 'L', [this] { return Texto(r_.Estado.clipped()); }});
        l.AddColumn({"Cep", 40, 'R', [this, n] { return n(r_.Cep); }});
        l.AddColumn({"DDD", 20, 'R', [this, n] { return n(r_.DDD); }});
        l.AddColumn({"Telefone", 40, 'R', [this, n] { return n(r_.Telefone); }});
        l.AddColumn({"Ramal", 25, 'R', [this, n] { return n(r_.Ramal); }});
        l.AddColumn({"Fax", 40, 'R', [this, n] { return n(r_.Fax); }});
        l.AddColumn({"Tipo Inscrição", 20, 'R', [this, n] { return n(r_.TipoInscricao); }});
        l.AddColumn({"CNPJ", 70, 'L', [this] { return Texto(r_.CGC.clipped()); }});
        l.AddColumn({"CPF", 55, 'L', [this] { return Texto(r_.CPF.clipped()); }});
        l.AddColumn({"Inscrição Estadual", 70, 'L', [this] { return Texto(r_.InscricaoEstadual.clipped()); }});
        l.AddColumn({"Tipo Produtos", 20, 'R', [this, n] { return n(r_.TipoProdutos); }});
        l.AddColumn({"Clientes", 20, 'R', [this, n] { return n(r_.Clientes); }});
        l.AddColumn({"Fornecedor", 20, 'R', [this, n] { return n(r_.Fornecedor); }});
        l.AddColumn({"Prod Rural/Transportadora", 20, 'R', [this, n] { return n(r_.ProdutorRural); }});
        l.AddColumn({"Conta Fornecedor", 60, 'L', [this] { return Texto(r_.ContaFornecedor.clipped()); }});
        l.AddColumn({"Conta Cliente", 60, 'L', [this] { return Texto(r_.ContaCliente.clipped()); }});
    }

private:
    ImportacaoFornecedores& run_;
    dictionary::ForCliRec& r_;
};

class ImportaProdutos : public JanelaImportacao {
public:
    ImportaProdutos(ui::ProcContext& ctx, ImportacaoProdutos& run)
        : JanelaImportacao(ctx,
                           Cadastro({"ImportaProdutos", "Importação do Cadastro de Produtos",
                                     "Arquivo texto de produtos......................",
                                     "Arquivo Importação de Cadastro de Produtos", "", "Produtos",
                                     &dictionary::Produtos},
                                    "Layout do arquivon de produtos:",
                                    "Selecione o Layout para o Arquivo de Produtos!!!"),
                           run),
          run_(run),
          r_(run.staging().rec<dictionary::ProdutosRec>()) {}

    enum : int { kPromptCampo = kProprios, kCampo };

protected:
    int ChaveLista() const override { return dictionary::Produtos().key_index(keys::PRO_KEY_CODIGO); }
    void ControlesProprios(ui::Window& w) override {
        w.Prompt(kPromptCampo, "Importar Código Produto para campo:").Parent(kTabGeral);
        w.DropList(kCampo, ui::Use(impCodigo_), {"0-Apelido", "1-Código"}, {"0", "1"})
            .Tip("Importar Campo codigo do produto para Apelido ou Código")
            .Parent(kTabGeral);
    }
    void AntesDeLer() override { run_.ImportaCodigo(impCodigo_ == "1"); }
    void Colunas(ui::BrowseManager& l) override {
        l.AddColumn({"Código", 60, 'R', [this] { return r_.Codigo.value().to_fixed(0); }});
        l.AddColumn({"Código Usuário", 60, 'L', [this] { return Texto(r_.Apelido.clipped()); }});
        l.AddColumn({"Código do NBM/SH", 50, 'L', [this] { return Texto(r_.NBM.clipped()); }});
        l.AddColumn({"Grupo", 25, 'R', [this] { return std::to_string(r_.Grupo); }});
        l.AddColumn({"Produtos", 120, 'L', [this] { return Texto(r_.Produtos.clipped()); }});
        l.AddColumn({"Alíquota", 35, 'R', [this] { return r_.Alicota.value().to_fixed(3, ','); }});
        l.AddColumn({"Medida", 25, 'L', [this] { return Texto(r_.Medida.clipped()); }});
        l.AddColumn({"Data Inicio", 45, 'C', [this] { return Data(r_.DataInicio); }});
        l.AddColumn({"Data Final", 45, 'C', [this] { return Data(r_.DataFinal); }});
    }

private:
    ImportacaoProdutos& run_;
    dictionary::ProdutosRec& r_;
    std::string impCodigo_ = "0";  // LOC:IMPCODIGO, 0 each time the window opens
};

class ImportaMaquinaECF : public JanelaImportacao {
public:
    ImportaMaquinaECF(ui::ProcContext& ctx, ImportacaoMaquinas& run)
        : JanelaImportacao(ctx,
                           Cadastro({"ImportaMaquinaECF", "Importação do Cadastro de ECF",
                                     "Arquivo texto de cadastro ECF..............",
                                     "Arquivo Importação de Cadastro de ECF", "", "Cadastro de Máquina Registradora",
                                     &dictionary::ICMSEletronica},
                                    "Layout do arquivo de ECF........................",
                                    "Selecione o Layout para o Arquivo de Maquinas ECF!!!"),
                           run),
          r_(run.staging().rec<dictionary::ICMSEletronicaRec>()) {
    }

protected:
    int ChaveLista() const override { return dictionary::ICMSEletronica().key_index(keys::ICM_KEY_NUMERO); }
    void Colunas(ui::BrowseManager& l) override {
        l.AddColumn({"Código", 30, 'R', [this] { return std::to_string(r_.Codigo); }});
        l.AddColumn({"Nome", 120, 'L', [this] { return Texto(r_.Nome.clipped()); }});
        l.AddColumn({"Série", 60, 'L', [this] { return Texto(r_.Serie.clipped()); }});
        l.AddColumn({"Cumpom Fiscal", 20, 'L', [this] { return Texto(r_.CumpomFiscal.clipped()); }});
    }

private:
    dictionary::ICMSEletronicaRec& r_;
};

}  // namespace

void RunImportaFornecedores(ui::ProcContext& ctx) {
    ImportacaoFornecedores run;
    ImportaFornecedores(ctx, run).Execute();
}

void RunImportaProdutos(ui::ProcContext& ctx) {
    ImportacaoProdutos run;
    ImportaProdutos(ctx, run).Execute();
}

void RunImportaMaquinaECF(ui::ProcContext& ctx) {
    ImportacaoMaquinas run;
    ImportaMaquinaECF(ctx, run).Execute();
}

}  // namespace vorel::integration
