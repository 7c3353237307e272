// Window "Unificacao" ("Unificação dos Aquivos"): the unification files the user chose, read group
// by group ("&Ler": the run's staging tables bound to them, opened only to be read) and merged into
// the working company ("&Grava", `UnificaGrupo`: the year's entries, exits, quantity, master,
// analytic and daily files of the working month's year, and the register of suppliers and
// customers the company uses). Before a merge it names the items already in the company and asks
// ("&Não" preselected), and shows how the suppliers will be matched; afterwards it lists the
// records the company's tables refused.
#include "abas_unificacao_window.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/maintenance/importa_unificacao.h"
#include "vorel/maintenance/procedures.h"
#include "vorel/ui/message_box.h"

namespace vorel::maintenance {

namespace {

using A = ArquivoUnificacao;

const TextosUnificacao kTextos{
    "Unificacao",
    "Unificação dos Aquivos",
    {{{"Arquivo das Entradas......", "Caminho/Nome do arquivo de entradas.", "Pesquida Caminho/Nome do Arquivo de Entradas"},
      {"Arquivo das Saídas..........", "Caminho/Nome do arquivo de saídas.", "Pesquida Caminho/Nome do Arquivo de Saídas"},
      {"Arquivo ECF Mestre.......", "Caminho/Nome do arquivo mestre.", "Pesquida Caminho/Nome do Arquivo Mestre"},
      {"Arquivo ECF Analítico....", "Caminho/Nome do arquivo analítico.", "Pesquida Caminho/Nome do Arquivo Analítico"},
      {"Arquivo ECF Diário.........", "Caminho/Nome do arquivo diário.", "Pesquida Caminho/Nome do Arquivo Diário"},
      {"Arquivo Fornecedores...", "Arquivo de clientes e fornecedores", "Pesquida Caminho/Nome do Arquivo Fornecedores"}}},
    false,
    "Endereco"};

bool ArquivoExiste(const std::string& caminho) {
    return !caminho.empty() && files::exists(caminho) && !files::is_folder(caminho);
}

std::string Nomeados(const std::vector<std::string>& nomes, long long total) {
    std::string s;
    for (const std::string& n : nomes) s += "|" + n;
    if (total > static_cast<long long>(nomes.size()))
        s += "|... e mais " + std::to_string(total - static_cast<long long>(nomes.size()));
    return s;
}

class Unificacao : public JanelaUnificacao {
public:
    explicit Unificacao(ui::ProcContext& ctx) : JanelaUnificacao(ctx, kTextos) {}

protected:
    // The chosen file bound to its staging table; false (said) when it cannot be read.
    bool Liga(A a, const std::string& caminho) {
        if (preparo().Liga(a, caminho).ok()) return true;
        Aviso("O arquivo " + text::to_utf8(files::to_display_path(caminho)) +
              " não pôde ser lido como arquivo de unificação (" + text::to_utf8(data::describe(data::last_error())) +
              "). Só os arquivos gerados por \"Gerar Unificação dos Arquivos\" podem ser lidos.");
        (void)preparo().Esvazia(a);
        return false;
    }
    // A missing file: said, its field chosen, its staging table back on its empty file.
    void Falta(Campo c, A a, const char* texto) {
        Aviso(texto);
        (void)preparo().Esvazia(a);
        window().Select(kCampo0 + static_cast<int>(c));
    }

    void Ler(GrupoUnificacao g) override {
        switch (g) {
            case GrupoUnificacao::Entradas:
                LeItens(Campo::Entradas, A::Entradas, A::EntQQel, "Caminho/Arquivo das Entradas não foi encontrado!!!",
                        "Leitura das entradas efetuada com sucesso!!!");
                break;
            case GrupoUnificacao::Saidas:
                LeItens(Campo::Saidas, A::Saidas, A::SaiQQel, "Caminho/Arquivo das Saídas não foi encontrado!!!",
                        "Leitura das saídas efetuada com sucesso!!!");
                break;
            case GrupoUnificacao::ECF: LeEcf(); break;
            case GrupoUnificacao::Fornecedores: {
                const std::string caminho = Caminho(Campo::Fornecedores);
                if (!ArquivoExiste(caminho)) {
                    Falta(Campo::Fornecedores, A::ForCli, "Caminho/Arquivo do arquivo  não foi encontrado!!!");
                    MostraGrupo(g);
                } else if (Liga(A::ForCli, caminho)) {
                    MostraGrupo(g);
                    Aviso("Leitura dos clientes e fornecedores efetuada com sucesso!!!");
                } else {
                    MostraGrupo(g);
                }
                break;
            }
        }
    }

    void LeItens(Campo c, A itens, A quantidades, const char* falta, const char* ok) {
        const std::string caminho = Caminho(c);
        const GrupoUnificacao g = c == Campo::Entradas ? GrupoUnificacao::Entradas : GrupoUnificacao::Saidas;
        if (!ArquivoExiste(caminho)) {
            Falta(c, itens, falta);
            (void)preparo().Esvazia(quantidades);
            MostraGrupo(g);
            return;
        }
        if (!Liga(itens, caminho)) {
            MostraGrupo(g);
            return;
        }
        // The quantity file beside it, under its fixed name; none (or a path without a folder):
        // no quantity record is merged.
        const std::size_t barra = caminho.find_last_of("\\/");
        const std::string qua = barra == std::string::npos ? std::string()
                                                           : caminho.substr(0, barra + 1) + NomeDoArquivo(quantidades);
        if (ArquivoExiste(qua)) {
            if (!Liga(quantidades, qua)) {
                (void)preparo().Esvazia(itens);
                MostraGrupo(g);
                return;
            }
        } else {
            preparo().Solta(quantidades);
        }
        MostraGrupo(g);
        Aviso(ok);
        window().Select(kLista0 + static_cast<int>(c));
    }

    void LeEcf() {
        struct Um {
            Campo c;
            A a;
            const char* falta;
        };
        const Um arquivos[] = {
            {Campo::Mestre, A::Mestre, "Caminho/Arquivo do arquivo Mestre não foi encontrado!!!"},
            {Campo::Analitico, A::Analitico, "Caminho/Arquivo do arquivo Analítico não foi encontrado!!!"},
            {Campo::Diario, A::Diario, "Caminho/Arquivo do arquivo Diário não foi encontrado!!!"}};
        for (const Um& u : arquivos) {
            if (!ArquivoExiste(Caminho(u.c))) {
                Falta(u.c, u.a, u.falta);
                MostraGrupo(GrupoUnificacao::ECF);
                return;
            }
        }
        for (const Um& u : arquivos) {
            if (!Liga(u.a, Caminho(u.c))) {
                for (const Um& v : arquivos) (void)preparo().Esvazia(v.a);
                MostraGrupo(GrupoUnificacao::ECF);
                return;
            }
        }
        MostraGrupo(GrupoUnificacao::ECF);
        Aviso("Leitura dos lançamento por EFC efetuada com sucesso!!!");
    }

    // What the merge is about to do, asked; false when the user says no.
    bool Confirma(GrupoUnificacao g) {
        if (g == GrupoUnificacao::Entradas || g == GrupoUnificacao::Saidas) {
            const ItensJaUnificados ja = ItensJaPresentes(preparo(), g, periodo());
            if (!ja.erro.empty()) {
                Aviso("A unificação não foi feita: " + ja.erro);
                return false;
            }
            if (ja.itens == 0) return true;
            const std::string quais = g == GrupoUnificacao::Entradas ? "entradas" : "saídas";
            return Pergunta("Este arquivo já parece unificado: " + std::to_string(ja.itens) +
                            " itens já constam nas " + quais +
                            " da empresa com a mesma data, número, série, produto e CFOP:" + Nomeados(ja.listados, ja.itens) +
                            "||Unificar novamente dobrará esses itens. Deseja unificar assim mesmo?");
        }
        if (g == GrupoUnificacao::Fornecedores) {
            const ResumoFornecedores s = ExaminaFornecedores(preparo(), periodo());
            if (!s.erro.empty()) {
                Aviso("A unificação não foi feita: " + s.erro);
                return false;
            }
            return Pergunta("Clientes e fornecedores do arquivo:|" + std::to_string(s.porCnpj) +
                            " encontrados pelo CNPJ, " + std::to_string(s.porCpf) + " pelo CPF e " +
                            std::to_string(s.porNome) + " pelo nome (sem CNPJ nem CPF) serão atualizados;|" +
                            std::to_string(s.novos) + " serão incluídos com código novo.||Confirma a unificação?");
        }
        return true;
    }

    void Grava(GrupoUnificacao g) override {
        if (!Confirma(g)) return;
        const ResultadoUnificacao r = UnificaGrupo(preparo(), g, periodo(), Andamento());
        if (r.cancelado) return;
        if (!r.ok()) {
            Aviso("A unificação falhou e nada foi gravado: " + r.erro);
            return;
        }
        std::string texto;
        switch (g) {
            case GrupoUnificacao::Entradas: texto = "Unificação das entradas efetuada com sucesso!!!"; break;
            case GrupoUnificacao::Saidas: texto = "Unificação das saídas efetuada com sucesso!!!"; break;
            case GrupoUnificacao::ECF: texto = "Unificação das saídas por ECF efetuada com sucesso!!!"; break;
            case GrupoUnificacao::Fornecedores: texto = "Cadastro de clientes e fornecedores efetuada com sucesso!!!"; break;
        }
        if (r.recusados > 0)
            texto += "||" + std::to_string(r.recusados) + " registros já existentes na empresa não foram incluídos:" +
                     Nomeados(r.listados, r.recusados);
        Aviso(texto);
    }

    void Busca(Campo c) override {
        ui::FileChooser dialogo("", "All Files | *.*");
        if (auto arquivo = dialogo.File({}, campo(c))) campo(c) = *arquivo;
        window().Display();
    }
};

}  // namespace

void RunUnificacao(ui::ProcContext& ctx) { Unificacao(ctx).Execute(); }

}  // namespace vorel::maintenance
