// Writing the unification files of a company's month (vorel/maintenance/gera_unificacao.h).
#include "vorel/maintenance/gera_unificacao.h"

#include <set>
#include <tuple>

#include "passos_reparo.h"
#include "vorel/core/paths.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"

namespace vorel::maintenance {

namespace {

namespace keys = dictionary::keys;
using A = ArquivoUnificacao;
using lote::Checa;
using lote::Falha;
using detail::Proximo;
using TabelaDaCorrida = detail::TabelaDoReparo;

// The month's items of one side and their invoices' quantity records.
template <class Rec>
struct Lado {
    const data::TableDesc& (*tabela)();
    data::KeyName chaveData;
    std::int32_t Rec::*data;
    A itens, quantidades;
    char procedencia;
};

// Stages the quantity records of origin `procedencia` of one invoice (date, number, series).
void CopiaQuantidades(data::FileManager& qua, data::FileManager& destino, std::int32_t data, std::uint32_t numero,
                      const std::string& serie, char procedencia) {
    using dictionary::QuantidadeVorelRec;
    auto& q = qua.rec<QuantidadeVorelRec>();
    qua.clear_record();
    q.DataEmissao = data;
    q.Numero = numero;
    q.Serie = serie;
    Checa(qua.set_within(keys::QUA_KEY_SERIENUMERODATA, 3), "Lendo as quantidades das notas");
    while (Proximo(qua, "Lendo as quantidades das notas")) {
        if (q.Procedencia.clipped() != std::string(1, procedencia)) continue;
        destino.clear_record();
        destino.rec<QuantidadeVorelRec>() = q;
        Checa(destino.add(), "Gravando as quantidades no arquivo temporário");
    }
}

template <class Rec>
void LeItens(PreparoUnificacao& p, const Lado<Rec>& lado, const shell::EmpresaPeriodo& periodo,
             const ProgressoReparo& progresso, ResultadoUnificacao& r) {
    TabelaDaCorrida itens(lado.tabela(), periodo, "Abrindo os movimentos do ano");
    TabelaDaCorrida qua(dictionary::QuantidadeVorel(), periodo, "Abrindo as quantidades do ano");
    data::FileManager& destino = p.tabela(lado.itens);
    data::FileManager& destinoQua = p.tabela(lado.quantidades);
    auto& rec = itens.fm.template rec<Rec>();
    const date::Day inicio = periodo.Inicio(), fim = periodo.Fim();
    auto DoMes = [&] {
        itens.fm.clear_record();
        rec.*lado.data = inicio;
        Checa(itens.fm.set_at(lado.chaveData), "Lendo os movimentos do mês");
    };
    long long total = 0;
    for (DoMes(); Proximo(itens.fm, "Lendo os movimentos do mês") && rec.*lado.data <= fim;) ++total;

    data::Transaction t({&destino, &destinoQua});
    Checa(t.status(), "Iniciando a gravação do arquivo temporário");
    std::set<std::tuple<std::uint32_t, std::string>> notasDoDia;  // invoices of the day staged
    std::int32_t dia = 0;
    for (DoMes(); Proximo(itens.fm, "Lendo os movimentos do mês") && rec.*lado.data <= fim;) {
        destino.clear_record();
        destino.rec<Rec>() = rec;
        Checa(destino.add(), "Gravando os movimentos no arquivo temporário");
        if (rec.*lado.data != dia) notasDoDia.clear();
        dia = rec.*lado.data;
        if (notasDoDia.emplace(rec.Numero, std::string(rec.Serie.clipped())).second)
            CopiaQuantidades(qua.fm, destinoQua, dia, rec.Numero, std::string(rec.Serie.clipped()), lado.procedencia);
        lote::Avanca(progresso, ++r.registros, total);
    }
    Checa(t.commit(), "Confirmando o arquivo temporário");
}

// The records of a cash-register table whose text date falls in the month.
template <class Rec>
long long LeMes(data::FileManager& origem, data::FileManager* destino, const shell::EmpresaPeriodo& periodo,
                const std::function<void()>& passo) {
    auto& rec = origem.rec<Rec>();
    long long n = 0;
    origem.clear_record();
    Checa(origem.set(0), "Lendo os lançamentos do ECF");
    while (Proximo(origem, "Lendo os lançamentos do ECF")) {
        const date::Day d = dictionary::DiaDoTexto(rec.DataEmissao.clipped());
        if (d < periodo.Inicio() || d > periodo.Fim()) continue;
        ++n;
        if (!destino) continue;
        destino->clear_record();
        destino->rec<Rec>() = rec;
        Checa(destino->add(), "Gravando os lançamentos do ECF no arquivo temporário");
        passo();
    }
    return n;
}

void LeEcf(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo, const ProgressoReparo& progresso,
           ResultadoUnificacao& r) {
    using namespace dictionary;
    TabelaDaCorrida mestre(LancICMSEletronico(), periodo, "Abrindo os lançamentos mestre");
    TabelaDaCorrida analitico(AnaliticoICMS(), periodo, "Abrindo os lançamentos analíticos");
    TabelaDaCorrida diario(MovMaqRegistradora(), periodo, "Abrindo os lançamentos diários");
    const long long total = LeMes<LancICMSEletronicoRec>(mestre.fm, nullptr, periodo, {}) +
                            LeMes<AnaliticoICMSRec>(analitico.fm, nullptr, periodo, {}) +
                            LeMes<MovMaqRegistradoraRec>(diario.fm, nullptr, periodo, {});
    data::FileManager &m = p.tabela(A::Mestre), &a = p.tabela(A::Analitico), &d = p.tabela(A::Diario);
    data::Transaction t({&m, &a, &d});
    Checa(t.status(), "Iniciando a gravação do arquivo temporário");
    auto passo = [&] { lote::Avanca(progresso, ++r.registros, total); };
    (void)LeMes<LancICMSEletronicoRec>(mestre.fm, &m, periodo, passo);
    (void)LeMes<AnaliticoICMSRec>(analitico.fm, &a, periodo, passo);
    (void)LeMes<MovMaqRegistradoraRec>(diario.fm, &d, periodo, passo);
    Checa(t.commit(), "Confirmando o arquivo temporário");
}

void LeFornecedores(PreparoUnificacao& p, const shell::EmpresaPeriodo& periodo, const ProgressoReparo& progresso,
                    ResultadoUnificacao& r) {
    using dictionary::ForCliRec;
    TabelaDaCorrida forcli(dictionary::ForCli(), periodo, "Abrindo o cadastro de fornecedores e clientes");
    data::FileManager& destino = p.tabela(A::ForCli);
    const long long total = forcli.fm.records();
    data::Transaction t({&destino});
    Checa(t.status(), "Iniciando a gravação do arquivo temporário");
    forcli.fm.clear_record();
    Checa(forcli.fm.set(keys::FOR_KEY_CODIGO1), "Lendo o cadastro de fornecedores e clientes");
    while (Proximo(forcli.fm, "Lendo o cadastro de fornecedores e clientes")) {
        destino.clear_record();
        destino.rec<ForCliRec>() = forcli.fm.rec<ForCliRec>();
        Checa(destino.add(), "Gravando os fornecedores no arquivo temporário");
        lote::Avanca(progresso, ++r.registros, total);
    }
    Checa(t.commit(), "Confirmando o arquivo temporário");
}

}  // namespace

const std::string& PastasUnificacao::Do(ArquivoUnificacao a) const {
    switch (a) {
        case A::Entradas:
        case A::EntQQel: return entradas;
        case A::Saidas:
        case A::SaiQQel: return saidas;
        case A::Mestre: return mestre;
        case A::Analitico: return analitico;
        case A::Diario: return diario;
        case A::ForCli: break;
    }
    return fornecedores;
}

std::string DestinoDoArquivo(const std::string& pasta, ArquivoUnificacao a) {
    return files::join(text::clip(pasta), NomeDoArquivo(a));
}

ResultadoUnificacao LeParaUnificacao(PreparoUnificacao& p, GrupoUnificacao g, const shell::EmpresaPeriodo& periodo,
                                     const ProgressoReparo& progresso) {
    using namespace dictionary;
    ResultadoUnificacao r;
    try {
        for (A a : ArquivosDoGrupo(g))
            if (!p.Esvazia(a).ok()) Falha("Esvaziando o arquivo temporário");
        switch (g) {
            case GrupoUnificacao::Entradas:
                LeItens(p, Lado<EntradaVorelRec>{&EntradaVorel, keys::ENT_KEY_DATA, &EntradaVorelRec::DataEmissao,
                                                 A::Entradas, A::EntQQel, 'E'},
                        periodo, progresso, r);
                break;
            case GrupoUnificacao::Saidas:
                LeItens(p, Lado<SaidaVorelRec>{&SaidaVorel, keys::SAI_KEY_DATA, &SaidaVorelRec::DataSaida, A::Saidas,
                                               A::SaiQQel, 'S'},
                        periodo, progresso, r);
                break;
            case GrupoUnificacao::ECF: LeEcf(p, periodo, progresso, r); break;
            case GrupoUnificacao::Fornecedores: LeFornecedores(p, periodo, progresso, r); break;
        }
    } catch (const lote::Falhou& f) {
        r.erro = f.texto;
    } catch (const lote::Cancelou&) {
        r.cancelado = true;
    }
    if (!r.ok()) {
        for (A a : ArquivosDoGrupo(g)) (void)p.Esvazia(a);
        r.registros = 0;
    }
    return r;
}

std::string GravaUnificacao(PreparoUnificacao& p, GrupoUnificacao g, const PastasUnificacao& pastas) {
    const std::vector<A> arquivos = ArquivosDoGrupo(g);
    std::vector<std::string> novos;
    std::string erro;
    for (A a : arquivos) p.Suspende(a);
    for (A a : arquivos) {
        const std::string destino = DestinoDoArquivo(pastas.Do(a), a);
        const std::string novo = destino + ".novo";
        std::error_code ec;
        if (files::is_folder(destino)) ec = std::make_error_code(std::errc::is_a_directory);
        if (!ec) ec = files::copy_file(p.arquivo(a), novo, files::Overwrite::Yes);
        if (ec) {
            (void)files::remove_file(novo);
            erro = "Não foi possível gravar " + text::to_utf8(files::to_display_path(destino)) + ": " + ec.message();
            break;
        }
        novos.push_back(novo);
    }
    for (std::size_t i = 0; erro.empty() && i < novos.size(); ++i) {
        const std::string destino = DestinoDoArquivo(pastas.Do(arquivos[i]), arquivos[i]);
        if (std::error_code ec = files::rename(novos[i], destino))
            erro = "Não foi possível gravar " + text::to_utf8(files::to_display_path(destino)) + ": " + ec.message();
    }
    if (!erro.empty())
        for (const std::string& n : novos) (void)files::remove_file(n);
    for (A a : arquivos)
        if (!p.Retoma(a).ok() && erro.empty())
            erro = "Não foi possível reabrir o arquivo temporário " + text::to_utf8(p.arquivo(a));
    return erro;
}

}  // namespace vorel::maintenance
