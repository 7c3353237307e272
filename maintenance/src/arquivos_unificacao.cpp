// The unification files and a run's staging of them (vorel/maintenance/arquivos_unificacao.h).
#include "vorel/maintenance/arquivos_unificacao.h"

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/text_report.h"

namespace vorel::maintenance {

namespace {

// A staging table's page cache: a run over a large month takes the memory of a small one.
constexpr const char* kCacheDoPreparo = "CacheKiB=1024";

}  // namespace

const char* NomeDoArquivo(ArquivoUnificacao a) {
    static constexpr const char* kNomes[kArquivosUnificacao] = {
        "Entradas.Tps", "EntQQel.Tps", "Saidas.Tps", "SaiQQel.Tps",
        "CaLanMes.Tps", "CaLanAna.Tps", "CaLanCup.Tps", "ForCli.Tps"};
    return kNomes[static_cast<int>(a)];
}

const data::TableDesc& LayoutDoArquivo(ArquivoUnificacao a) {
    switch (a) {
        case ArquivoUnificacao::Entradas: return dictionary::EntradaVorel0();
        case ArquivoUnificacao::EntQQel: return dictionary::QuantidadeVorel0();
        case ArquivoUnificacao::Saidas: return dictionary::SaidaVorel0();
        case ArquivoUnificacao::SaiQQel: return dictionary::QuantidadeVorel1();
        case ArquivoUnificacao::Mestre: return dictionary::LancICMSEletronico0();
        case ArquivoUnificacao::Analitico: return dictionary::AnaliticoICMS0();
        case ArquivoUnificacao::Diario: return dictionary::MovMaqRegistradora0();
        case ArquivoUnificacao::ForCli: break;
    }
    return dictionary::ForCli0();
}

std::vector<ArquivoUnificacao> ArquivosDoGrupo(GrupoUnificacao g) {
    using A = ArquivoUnificacao;
    switch (g) {
        case GrupoUnificacao::Entradas: return {A::Entradas, A::EntQQel};
        case GrupoUnificacao::Saidas: return {A::Saidas, A::SaiQQel};
        case GrupoUnificacao::ECF: return {A::Mestre, A::Analitico, A::Diario};
        case GrupoUnificacao::Fornecedores: break;
    }
    return {A::ForCli};
}

struct PreparoUnificacao::Tabela {
    data::FileManager fm;
    std::string reserva;      // the name NomeArqTemp took, kept while the run lives
    std::string temporario;   // the staging file beside it
    std::string arquivo;      // the file the table is on now ("" when closed)
    bool aberta = false;
    bool ligada = false;
    explicit Tabela(const data::TableDesc& d) : fm(d) {}

    void Fecha() {
        if (aberta) (void)fm.close();
        aberta = false;
    }
    void ApagaTemporario() {
        for (const char* fim : {"", "-lock", "-journal"}) (void)files::remove_file(temporario + fim);
    }
    data::Result AbreTemporario() {
        ApagaTemporario();
        fm.set_create(true);
        data::Result r = fm.open_path(temporario);
        fm.set_create(false);
        aberta = r.ok();
        ligada = false;
        arquivo = aberta ? temporario : std::string();
        if (aberta) {
            (void)fm.send(kCacheDoPreparo);
            (void)fm.send("Scratch=1");  // the run's own file
        }
        return r;
    }
};

PreparoUnificacao::PreparoUnificacao() {
    for (int i = 0; i < kArquivosUnificacao; ++i)
        tabelas_[static_cast<std::size_t>(i)] = std::make_unique<Tabela>(LayoutDoArquivo(static_cast<ArquivoUnificacao>(i)));
}

PreparoUnificacao::~PreparoUnificacao() { Encerra(); }

PreparoUnificacao::Tabela& PreparoUnificacao::t(ArquivoUnificacao a) const {
    return *tabelas_[static_cast<std::size_t>(a)];
}

std::string PreparoUnificacao::Abre() {
    Encerra();
    for (auto& x : tabelas_) {
        shell::NomeTemporario nome = shell::NomeArqTemp();
        if (!nome.ok()) {
            Encerra();
            return nome.erro;
        }
        x->reserva = nome.nome;
        x->temporario = nome.nome + "T";
        if (data::Result r = x->AbreTemporario(); !r.ok()) {
            std::string erro = "Não foi possível abrir o arquivo temporário " + text::to_utf8(x->temporario) + ": " +
                               text::to_utf8(data::describe(data::last_error()));
            Encerra();
            return erro;
        }
    }
    return {};
}

data::Result PreparoUnificacao::Esvazia(ArquivoUnificacao a) {
    Tabela& x = t(a);
    if (x.temporario.empty()) return data::kFileNotOpen;
    x.Fecha();
    return x.AbreTemporario();
}

data::Result PreparoUnificacao::Liga(ArquivoUnificacao a, const std::string& arquivo) {
    Tabela& x = t(a);
    x.Fecha();
    x.ligada = false;
    x.arquivo.clear();
    data::Result r = x.fm.open_path(arquivo, data::open_mode::kReadOnly | data::open_mode::kDenyNone);
    if (!r.ok()) return r;
    (void)x.fm.send(kCacheDoPreparo);
    x.aberta = x.ligada = true;
    x.arquivo = arquivo;
    return r;
}

void PreparoUnificacao::Solta(ArquivoUnificacao a) {
    Tabela& x = t(a);
    x.Fecha();
    x.ligada = false;
    x.arquivo.clear();
}

void PreparoUnificacao::Suspende(ArquivoUnificacao a) { t(a).Fecha(); }

data::Result PreparoUnificacao::Retoma(ArquivoUnificacao a) {
    Tabela& x = t(a);
    if (x.aberta) return data::kNoError;
    data::Result r = x.ligada ? x.fm.open_path(x.arquivo, data::open_mode::kReadOnly | data::open_mode::kDenyNone)
                              : x.fm.open_path(x.arquivo);
    x.aberta = r.ok();
    if (x.aberta) (void)x.fm.send(kCacheDoPreparo);
    if (x.aberta && !x.ligada) (void)x.fm.send("Scratch=1");
    return r;
}

void PreparoUnificacao::Encerra() {
    for (auto& x : tabelas_) {
        if (!x) continue;
        x->Fecha();
        if (!x->temporario.empty()) x->ApagaTemporario();
        if (!x->reserva.empty()) (void)files::remove_file(x->reserva);
        x->temporario.clear();
        x->reserva.clear();
        x->arquivo.clear();
        x->ligada = false;
    }
}

data::FileManager& PreparoUnificacao::tabela(ArquivoUnificacao a) { return t(a).fm; }
bool PreparoUnificacao::aberta(ArquivoUnificacao a) const { return t(a).aberta; }
const std::string& PreparoUnificacao::arquivo(ArquivoUnificacao a) const { return t(a).arquivo; }
bool PreparoUnificacao::ligada(ArquivoUnificacao a) const { return t(a).ligada; }

}  // namespace vorel::maintenance
