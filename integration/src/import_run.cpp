// The read and import steps shared by the text imports.
#include "vorel/integration/import_run.h"

#include <filesystem>
#include <optional>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/bulk_load.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_mode.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/saldo_do_mes.h"
#include "vorel/shell/month_exclusion.h"

namespace vorel::integration {

ImportacaoTexto::ImportacaoTexto(int tipo, int capacidade, const TabelasImportacao& tabelas)
    : tipo_(tipo),
      capacidade_(capacidade),
      preparacao_(tabelas.staging),
      leitura_(tabelas.leitura),
      importacao_(tabelas.importacao),
      chave_(tabelas.importacao.front()->key_index(tabelas.chave)) {}

ImportacaoTexto::~ImportacaoTexto() = default;

std::string ImportacaoTexto::Abre() { return preparacao_.Abre(); }

namespace {

// Tables of the thread's dictionary opened for one step and closed again.
class Abertas {
public:
    // `caminhos[i]`, when there and not empty, is the file table i opens.
    explicit Abertas(const std::vector<const data::TableDesc*>& tabelas, const std::vector<std::string>& caminhos = {}) {
        for (const data::TableDesc* t : tabelas) {
            data::FileManager& f = data::dictionary::file(*t);
            const std::size_t i = abertas.size();
            const bool alvo = i < caminhos.size() && !caminhos[i].empty();
            falha = alvo ? f.open_path(caminhos[i]) : f.open();
            if (!falha.ok()) return;
            if (alvo || i == 0) (void)f.send(kCacheImportacao);
            abertas.push_back(&f);
        }
    }
    ~Abertas() {
        for (data::FileManager* f : abertas) (void)f->close();
    }
    Abertas(const Abertas&) = delete;
    Abertas& operator=(const Abertas&) = delete;
    std::vector<data::FileManager*> abertas;
    data::Result falha;
};

bool SemChaveUnica(const data::TableDesc& tabela) {
    for (const data::KeyDesc& k : tabela.keys)
        if (k.unique()) return false;
    return true;
}

}  // namespace

ResultadoLeitura ImportacaoTexto::Le(const OpcoesLeitura& opcoes, const Progresso& progresso) {
    ResultadoLeitura r;
    opcoes_ = opcoes;
    // Only a plain file: a pipe would block the read for ever, a device never end.
    std::error_code ec;
    const auto estado = std::filesystem::status(files::resolve(opcoes.arquivo), ec);
    if (std::filesystem::exists(estado) && !std::filesystem::is_regular_file(estado)) {
        r.falha = data::set_error(data::kInvalidFile, opcoes.arquivo, text::from_utf8("não é um arquivo comum"));
        return r;
    }
    NovaLeitura();
    Abertas registros(leitura_);
    if (r.falha = registros.falha; !r.falha.ok()) return r;
    if (r.falha = preparacao_.Esvazia(); !r.falha.ok()) return r;
    const Posicoes posicoes =
        opcoes.posicoes.empty() ? CarregaPosicoes(tipo_, opcoes.layout, capacidade_) : opcoes.posicoes;

    // The user's file, read only: a cursor of the text-line table of this run.
    data::FileManager mat(dictionary::ImpMatricial());
    mat.set_create(false);
    if (r.falha = mat.open_path(opcoes.arquivo, data::open_mode::kReadOnly | data::open_mode::kDenyNone); !r.falha.ok())
        return r;
    auto& linha = mat.rec<dictionary::ImpMatricialRec>();

    data::FileManager& stg = staging();
    data::Transaction tx({&stg}, 1);
    if (r.falha = tx.status(); !r.falha.ok()) {
        (void)mat.close();
        return r;
    }
    // A staging table without a unique key is loaded without its keys, which are built once it is
    // whole (each in one sorted pass instead of growing row by row).
    const bool semChaves = SemChaveUnica(stg.desc());
    if (semChaves) r.falha = data::drop_keys(stg);
    if (data::Result s = mat.set(0); !s.ok()) r.falha = s;
    while (r.falha.ok()) {
        data::Result lido = mat.next();
        if (lido == data::kRecordNotAvailable) break;
        if (!lido.ok()) {
            r.falha = lido;
            break;
        }
        ++r.linhas;
        if (const std::size_t tamanho = mat.line_length(); tamanho > kLinhaMaxima)
            AdicionaErro(r.erros, text::from_utf8("Linha " + std::to_string(r.linhas) + ": tem " +
                                                  std::to_string(tamanho) + " caracteres; lidos os primeiros " +
                                                  std::to_string(kLinhaMaxima) + ", o resto ficou de fora."));
        LinhaImportada l(linha.LINHA.value(), posicoes, r.linhas, tipo_, r.erros);
        stg.clear_record();
        const DadosLinha d = PreencheLinha(l, opcoes);
        const data::Result adicionado = stg.add();
        if (adicionado == data::kDuplicateKey && IgnoraRepetidas()) continue;
        if (r.falha = adicionado; !r.falha.ok()) break;
        ++r.preparados;
        DepoisDeAdicionar(l);
        if (d.recusa) r.recusada = true;
        if (d.mes != opcoes.mes) {
            r.mesDiferente = true;
            r.notaMesDiferente = d.numero;
            break;
        }
        if (d.fatal) {
            r.linhaFatal = true;
            r.notaFatal = d.numero;
            break;
        }
        if (progresso && !progresso(r.linhas)) {
            r.interrompida = true;
            break;
        }
    }
    (void)mat.close();
    r.vazio = r.falha.ok() && r.linhas == 0;
    if (r.falha.ok() && !r.interrompida) {
        if (aviso_) aviso_(true);
        if (semChaves) r.falha = stg.rebuild_keys();
        if (r.falha.ok()) r.falha = tx.commit();
        if (aviso_) aviso_(false);
    }
    if (!r.falha.ok() || r.interrompida) {
        if (tx.active()) (void)tx.rollback();
        r.preparados = 0;
    }
    return r;
}

void ImportacaoTexto::ListaImportacao(std::string texto) { AdicionaErro(errosImportacao_, std::move(texto)); }

data::Result ImportacaoTexto::CopiaPreparados(int mesImpor, const Progresso& progresso, long& feitos,
                                              bool& interrompida) {
    marcas_.clear();
    data::FileManager& stg = staging();
    data::Result r = stg.set(chave_);
    while (r.ok()) {
        data::Result lido = stg.next();
        if (lido == data::kRecordNotAvailable) break;
        if (r = lido; !r.ok()) break;
        if (r = ImportaRegistro(mesImpor); !r.ok()) break;
        ++feitos;
        if (progresso && !progresso(feitos)) {
            interrompida = true;
            break;
        }
    }
    return r;
}

data::Result ImportacaoTexto::GravaMarcas() {
    if (marcas_.empty()) return data::kNoError;
    data::FileManager& saldos = data::dictionary::file(dictionary::SaldosVorel());
    const date::Day competencia = date::first_of_month(opcoes_.ano, opcoes_.mes);
    for (const auto& [produto, aliquota] : marcas_)
        if (data::Result r = fiscal::MarcaSaldoDoMes(saldos, produto, competencia, aliquota, false); !r.ok()) return r;
    return data::kNoError;
}

ResultadoImportacao ImportacaoTexto::Importa(int mesImpor, const Progresso& progresso) {
    ResultadoImportacao r;
    errosImportacao_.clear();
    std::optional<shell::MesEmUso> mes;
    if (GravaMovimentos() && opcoes_.mes >= 1 && opcoes_.mes <= 12) {
        mes.emplace(shell::MesEmUso::Gravacao, opcoes_.empresa, opcoes_.ano, opcoes_.mes);
        if (!mes->tomado()) {
            r.recusa = mes->recusa();
            return r;
        }
    }
    Abertas tabelas(importacao_, alvos_);
    r.falha = tabelas.falha;
    if (r.falha.ok()) {
        data::Transaction tx(tabelas.abertas, 1);
        r.falha = tx.status();
        long feitos = 0;
        if (r.falha.ok()) r.falha = ComecaImportacao();
        if (r.falha.ok()) r.falha = CopiaPreparados(mesImpor, progresso, feitos, r.interrompida);
        if (r.falha.ok() && !r.interrompida) r.falha = TerminaImportacao(mesImpor, progresso, feitos, r.interrompida);
        if (r.falha.ok() && !r.interrompida) r.falha = GravaMarcas();
        if (r.falha.ok() && !r.interrompida) {
            if (aviso_) aviso_(true);
            r.falha = tx.commit();
            if (aviso_) aviso_(false);
        }
        if (r.falha.ok() && !r.interrompida) {
            r.importados = feitos - static_cast<long>(errosImportacao_.size());
            r.erros = std::move(errosImportacao_);
        } else if (tx.active()) {
            (void)tx.rollback();
        }
    }
    return r;
}

}  // namespace vorel::integration
