// Window "GerarUnificacao" ("Gerar Arquivos para Unificação"): the working month of the company's
// entries, exits and cash-register records, and its register of suppliers and customers, staged
// group by group ("&Ler", `LeParaUnificacao`) and written as the unification files into each
// group's folders ("&Grava", `GravaUnificacao`; every folder "A:\" at opening). Reads the year's
// files of the working company and month and its register; writes only the run's temporary files
// and the destination folders.
#include "abas_unificacao_window.h"
#include "vorel/maintenance/gera_unificacao.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/ui/message_box.h"

namespace vorel::maintenance {

namespace {

const TextosUnificacao kTextos{
    "GerarUnificacao",
    "Gerar Arquivos para Unificação",
    {{{"Destino do arquivo.....", "Caminho do arquivo de entradas.", "Pesquisa diretório de destino."},
      {"Destino do arquivo.....", "Caminho do arquivo de saídas.", "Pesquisa diretório de destino."},
      {"Destino do arq. Mestre.......", "Caminho do arquivo mestre.", "Pesquisa diretório de destino."},
      {"Destino do arq. Analítico....", "Caminho do arquivo analítico.", "Pesquisa diretório de destino."},
      {"Destino do arq. Diário.........", "Caminho do arquivo diário.", "Pesquisa diretório de destino."},
      {"Destino do arquivo.....", "Caminho do fornecedor", "Pesquisa diretório de destino."}}},
    true,
    "Endereço"};

const char* LeituraOk(GrupoUnificacao g) {
    switch (g) {
        case GrupoUnificacao::Entradas: return "Leitura das entradas efetuada com sucesso!!!";
        case GrupoUnificacao::Saidas: return "Leitura das saídas efetuada com sucesso!!!";
        case GrupoUnificacao::ECF: return "Leitura dos lançamento por EFC efetuada com sucesso!!!";
        case GrupoUnificacao::Fornecedores: break;
    }
    return "Leitura dos clientes e fornecedores efetuada com sucesso!!!";
}

const char* GravacaoOk(GrupoUnificacao g) {
    switch (g) {
        case GrupoUnificacao::Entradas: return "Gravação das entradas efetuada com sucesso!!!";
        case GrupoUnificacao::Saidas: return "Gravação das saídas efetuada com sucesso!!!";
        case GrupoUnificacao::ECF: return "Gravação das saídas por ECF efetuada com sucesso!!!";
        case GrupoUnificacao::Fornecedores: break;
    }
    return "Gravação dos clientes e fornecedores efetuada com sucesso!!!";
}

class GerarUnificacao : public JanelaUnificacao {
public:
    explicit GerarUnificacao(ui::ProcContext& ctx) : JanelaUnificacao(ctx, kTextos) {}

    ui::Level Setup() override {
        ui::Level l = JanelaUnificacao::Setup();
        if (l != ui::Level::Benign) return l;
        for (int i = 0; i < kCampos; ++i) campo(static_cast<Campo>(i)) = "A:\\";
        return l;
    }

protected:
    void Ler(GrupoUnificacao g) override {
        ResultadoUnificacao r = LeParaUnificacao(preparo(), g, periodo(), Andamento());
        MostraGrupo(g);
        if (r.cancelado) return;
        if (!r.ok()) {
            Aviso("A leitura não foi feita: " + r.erro);
            return;
        }
        Aviso(LeituraOk(g));
        window().Select(kLista0 + static_cast<int>(g == GrupoUnificacao::ECF            ? Campo::Mestre
                                                    : g == GrupoUnificacao::Fornecedores ? Campo::Fornecedores
                                                                                         : static_cast<Campo>(g)));
    }

    void Grava(GrupoUnificacao g) override {
        PastasUnificacao p;
        p.entradas = Caminho(Campo::Entradas);
        p.saidas = Caminho(Campo::Saidas);
        p.mestre = Caminho(Campo::Mestre);
        p.analitico = Caminho(Campo::Analitico);
        p.diario = Caminho(Campo::Diario);
        p.fornecedores = Caminho(Campo::Fornecedores);
        const std::string erro = GravaUnificacao(preparo(), g, p);
        MostraGrupo(g);
        Aviso(erro.empty() ? GravacaoOk(g) : "A gravação falhou: " + erro);
    }

    void Busca(Campo c) override {
        ui::FileChooser dialogo("Selecione diretório.", "Todos os Arquivos | *.*");
        if (auto pasta = dialogo.Folder(campo(c))) campo(c) = *pasta;
        window().Display();
        window().Select(kCampo0 + static_cast<int>(c));
    }
};

}  // namespace

void RunGerarUnificacao(ui::ProcContext& ctx) { GerarUnificacao(ctx).Execute(); }

}  // namespace vorel::maintenance
