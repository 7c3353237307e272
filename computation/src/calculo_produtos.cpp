// CalculoProdutos: the monthly computation run. Set-up (period, the run's own work file, the
// company's law flag), the gathering of exits, entries and cash-register items into the work table
// in three transactions, the valuation (calcula_planilha_mensal.cpp), the hand-over and the
// tear-down that deletes the work file.
//
// Tables: SaidaVorel, EntradaVorel, MovMaqRegistradora, ICMSEletronica, SaldosVorel (and the
// previous year's file in January), Empresa; the work table EntradaSaidaVorel on the run's file.
// The year files are the computed period's, opened at their paths on the run's own cursors.
#include "vorel/computation/calculo_produtos.h"

#include <charconv>
#include <limits>
#include <utility>

#include "execucao.h"
#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/bulk_load.h"
#include "vorel/data/error.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/month_exclusion.h"
#include "vorel/shell/period.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/work_table_handover.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/progress_window.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation {

namespace keys = dictionary::keys;
using data::FileManager;

namespace detail {

void Falha(const std::string& oque) {
    throw Interrupcao{false, oque + ": " + text::to_utf8(data::describe(data::last_error()))};
}

std::string CodigoTexto(const Decimal& codigo) { return codigo.to_string(); }

int NumeroDoTexto(std::string_view t) {
    t = text::clip(t);
    while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
    int v = 0;
    std::from_chars(t.data(), t.data() + t.size(), v);
    return v;
}

Execucao::Execucao(const shell::EmpresaPeriodo& p, const OpcoesCalculo& o, AvisosCalculo& a)
    : periodo(p), opcoes(o), avisos(a), trabalho(dictionary::EntradaSaidaVorel()) {
    ano = p.ano;
    mes = p.mes;
    empresa = p.empresa;
    mesTrabalho = p.Inicio();
    mesAnterior = p.Anterior().Inicio();
    if (o.periodoExplicito) {
        inicio = o.inicio;
        fim = o.fim;
        gravaMes = inicio == mesTrabalho && fim == p.Fim();
    } else {
        inicio = mesTrabalho;
        fim = p.Fim();
    }
}

Execucao::~Execucao() {
    if (trabalho.is_open()) (void)trabalho.close();
}

void Execucao::Mostra() {
    if (!avisos.Progresso(progresso)) throw Interrupcao{true, {}};
}

void Execucao::Conta() {
    ++progresso.contador;
    ++progresso.barra1;
    Mostra();
}

void Execucao::Abre(FileManager& fm, const char* oque) const { Checa(shell::AbreNoAno(fm, periodo), oque); }

bool Execucao::AbreDoAno(FileManager& fm, int outroAno) const {
    const std::string arquivo = shell::ArquivoDoAno(fm.desc(), empresa, outroAno);
    if (arquivo.empty() || !files::exists(arquivo)) return false;
    fm.set_create(false);
    return fm.open_path(arquivo).ok();
}

TransacaoDoCalculo::TransacaoDoCalculo(Execucao& run, std::vector<FileManager*> tabelas) : run_(run), t_(tabelas, 1) {
    if (!t_.status().ok()) {
        std::string titulo = "Codigo Erro " + std::to_string(static_cast<int>(t_.status().code()));
        std::string texto = text::to_utf8(data::describe(data::last_error()));
        run_.avisos.Mensagem(titulo, texto);
        throw Interrupcao{false, titulo + ": " + texto};
    }
}

void TransacaoDoCalculo::Confirma(const char* oque) {
    run_.avisos.Aguarde(true);
    data::Result r = t_.commit();
    run_.avisos.Aguarde(false);
    Checa(r, oque);
}

}  // namespace detail

namespace {

using detail::Checa;
using detail::CodigoTexto;
using detail::NumeroDoTexto;
using detail::Execucao;
using detail::Interrupcao;
using detail::ItemProduto;
using detail::TransacaoDoCalculo;

// An exit number right-aligned in six positions, leading zeros as blanks (0: all blanks); a number
// of more digits is written whole, so no digit is lost.
std::string NumeroSaida(std::uint32_t numero) {
    if (numero == 0) return std::string(6, ' ');
    std::string digitos = std::to_string(numero);
    return digitos.size() >= 6 ? digitos : std::string(6 - digitos.size(), ' ') + digitos;
}

// Reads a movement table's items of the period through its (product, date) key and hands each to
// `visita`. For one product it reads that product's range. For every product it reaches each
// product's range by a seek: the items of other months are never read, and a product's work rows
// lie together in the work table, so that its valuation reads and rewrites a few pages (the items
// of a product and day keep their order, as in the date key).
template <class Posiciona, class ProdutoDe, class DiaDe, class Visita>
void LeDoPeriodo(Execucao& run, FileManager& fm, data::KeyName chave, Posiciona posiciona, ProdutoDe produtoDe,
                 DiaDe diaDe, Visita visita) {
    const bool todos = run.opcoes.todos;
    fm.clear_record();
    if (todos) {
        Checa(fm.set(chave), "Lendo os movimentos");
    } else {
        posiciona(run.opcoes.produto, false);
        Checa(fm.set_at(chave), "Lendo os movimentos");
    }
    Decimal noInicio(-1);  // the product last positioned at the period's first day
    bool posicionado = false;
    while (fm.next().ok()) {
        run.Conta();
        const Decimal produto = produtoDe();
        const date::Day dia = diaDe();
        if (!todos) {
            if (produto != run.opcoes.produto || dia > run.fim || dia < run.inicio) break;
        } else if (dia < run.inicio || dia > run.fim) {
            // Before the period: to the product's first day (once); after it: to the next product.
            const bool depois = dia > run.fim || (posicionado && noInicio == produto);
            if (!depois) {
                noInicio = produto;
                posicionado = true;
            }
            fm.clear_record();
            posiciona(produto, depois);
            Checa(fm.set_at(chave), "Lendo os movimentos");
            continue;
        }
        visita();
    }
}

// Exits: step 3.
void ReuneSaidas(Execucao& run) {
    FileManager sai(dictionary::SaidaVorel());
    run.Abre(sai, "Abrindo as saídas");
    (void)sai.send(detail::kCacheDaExecucao);
    auto& s = sai.rec<dictionary::SaidaVorelRec>();
    auto& w = run.trabalho.rec<LinhaTrabalho>();
    TransacaoDoCalculo t(run, {&run.trabalho});
    auto posiciona = [&](const Decimal& produto, bool depois) {
        s.CodMercadoria = produto;
        s.DataSaida = depois ? std::numeric_limits<std::int32_t>::max() : run.inicio;
    };
    LeDoPeriodo(run, sai, keys::SAI_KEY_PRODUTODATA, posiciona, [&] { return s.CodMercadoria.value(); },
                [&] { return s.DataSaida; }, [&] {
        run.trabalho.clear_record();
        w.DATA = s.DataSaida;
        w.SERIE = s.Serie.value();
        w.NUMERO = NumeroSaida(s.Numero);
        w.CFO = s.CFO;
        w.COMPLEMENTO = static_cast<std::uint8_t>(s.Complemento & 0xFF);
        w.CFOCOMPL = static_cast<std::int16_t>(NumeroDoTexto(s.CFOComplementar.value()));
        w.QUANTIDADE = s.Quantidade;
        w.BASEICMS = s.BaseCalculo;
        w.CODMERCADORIA = s.CodMercadoria;
        w.ENTSAI = 2;
        w.CNPJFORPROD = s.CNPJ.value();
        w.CODIGOFORCLI = s.CodigoForCli;
        Checa(run.trabalho.add(), "Gravando a tabela de trabalho");
        auto [it, novo] = run.produtos.try_emplace(s.CodMercadoria.value());
        if (novo) it->second.aliquota = s.Alicota;
    });
    t.Confirma("Gravando a tabela de trabalho");
    (void)sai.close();
}

// Entries: step 4. Several opening-balance entries of a product in the period add up.
void ReuneEntradas(Execucao& run) {
    FileManager ent(dictionary::EntradaVorel());
    run.Abre(ent, "Abrindo as entradas");
    (void)ent.send(detail::kCacheDaExecucao);
    auto& e = ent.rec<dictionary::EntradaVorelRec>();
    auto& w = run.trabalho.rec<LinhaTrabalho>();
    TransacaoDoCalculo t(run, {&run.trabalho});
    auto posiciona = [&](const Decimal& produto, bool depois) {
        e.CodMercadoria = produto;
        e.DataEmissao = depois ? std::numeric_limits<std::int32_t>::max() : run.inicio;
    };
    LeDoPeriodo(run, ent, keys::ENT_KEY_PRODUTODATA, posiciona, [&] { return e.CodMercadoria.value(); },
                [&] { return e.DataEmissao; }, [&] {
        run.trabalho.clear_record();
        w.DATA = e.DataEmissao;
        w.SERIE = e.Serie.value();
        w.NUMERO = e.Numero > 0 ? std::to_string(e.Numero) : std::string();
        w.CFO = e.CFO;
        w.COMPLEMENTO = static_cast<std::uint8_t>(e.Complemento & 0xFF);
        w.CFOCOMPL = e.CFOComplementar;
        w.QUANTIDADE = e.Quantidade;
        w.BASEICMS = e.BaseICMS;
        w.CODMERCADORIA = e.CodMercadoria;
        w.ENTSAI = 1;
        w.CNPJFORPROD = e.Cnpj.value();
        w.CODIGOFORCLI = e.CodigoForCli;
        Checa(run.trabalho.add(), "Gravando a tabela de trabalho");
        ItemProduto& item = run.produtos[e.CodMercadoria.value()];
        item.aliquota = e.Aliquota;
        if (e.Saldo_Inicial == 1) {
            item.saldoBaseRetencao += e.BaseICMS;
            item.saldoQuantidade += e.Quantidade;
            item.saldoValUnitario = Decimal::divide_or_zero(item.saldoBaseRetencao, item.saldoQuantidade);
        }
    });
    t.Confirma("Gravando a tabela de trabalho");
    (void)ent.close();
}

// Cash-register items of the totaliser "F": step 5 (not for an explicit period).
void ReuneCaixas(Execucao& run) {
    FileManager mmr(dictionary::MovMaqRegistradora());
    FileManager icm(dictionary::ICMSEletronica());
    run.Abre(mmr, "Abrindo os itens das máquinas registradoras");
    (void)mmr.send(detail::kCacheDaExecucao);
    run.Abre(icm, "Abrindo as máquinas registradoras");
    auto& m = mmr.rec<dictionary::MovMaqRegistradoraRec>();
    auto& maquina = icm.rec<dictionary::ICMSEletronicaRec>();
    auto& w = run.trabalho.rec<LinhaTrabalho>();
    std::map<int, std::string> series;  // machine code -> ICM:Serie ("" when not registered)
    auto posiciona = [&](const Decimal& produto, bool depois) {
        m.CodMercadoria = produto;
        m.DataEmissao = depois ? std::string(8, '9') : std::to_string(run.inicio);
    };
    LeDoPeriodo(run, mmr, keys::MMR_KEY_PRODUTODATA, posiciona, [&] { return m.CodMercadoria.value(); },
                [&] { return NumeroDoTexto(m.DataEmissao.value()); }, [&] {
        if (m.Aliquota.clipped() != "F") return;
        const int dia = NumeroDoTexto(m.DataEmissao.value());
        auto serie = series.find(m.Codigo);
        if (serie == series.end()) {
            icm.clear_record();
            maquina.Codigo = m.Codigo;
            std::string s = icm.get(keys::ICM_KEY_NUMERO).ok() ? std::string(maquina.Serie.clipped()) : std::string();
            serie = series.emplace(m.Codigo, s).first;
        }
        run.trabalho.clear_record();
        w.DATA = dia;
        w.NUMERO = serie->second;
        w.SERIE = "0";
        w.CODMERCADORIA = m.CodMercadoria;
        w.QUANTIDADE = m.Quantidade;
        w.BASEICMS = m.BaseCalculo;
        w.ALIQUOTA = m.Aliquota.value();
        w.ENTSAI = 2;
        Checa(run.trabalho.add(), "Gravando a tabela de trabalho");
        run.produtos.try_emplace(m.CodMercadoria.value());
    });
    (void)mmr.close();
    (void)icm.close();
}

// Products whose month record is marked for recomputation: step 6.
void ReuneMarcados(Execucao& run) {
    FileManager saldos(dictionary::SaldosVorel());
    run.Abre(saldos, "Abrindo os saldos");
    auto& q = saldos.rec<dictionary::SaldosVorelRec>();
    const std::string escolhido = CodigoTexto(run.opcoes.produto);
    saldos.clear_record();
    q.Competencia = run.inicio;
    q.Exclusao = 1;
    Checa(saldos.set_at(keys::SQEL_KEY_EXCLUSAO), "Lendo os saldos");
    while (saldos.next().ok()) {
        run.Conta();
        if (q.Competencia > run.fim || q.Exclusao == 0) break;
        if (!run.opcoes.todos && q.Produto.clipped() != escolhido) continue;
        if (auto codigo = Decimal::parse(q.Produto.clipped())) {
            auto [it, novo] = run.produtos.try_emplace(*codigo);
            if (novo) it->second.aliquota = q.Aliquota;
        }
    }
    (void)saldos.close();
}

// Products of the previous month's balances: step 7 (the previous year's file in January).
void ReuneMesAnterior(Execucao& run) {
    FileManager saldos(dictionary::SaldosVorel());
    if (run.mes == 1) {
        if (!run.AbreDoAno(saldos, run.ano - 1)) return;
    } else {
        run.Abre(saldos, "Abrindo os saldos");
    }
    auto& q = saldos.rec<dictionary::SaldosVorelRec>();
    const std::string escolhido = CodigoTexto(run.opcoes.produto);
    saldos.clear_record();
    q.Competencia = run.mesAnterior;
    if (!run.opcoes.todos) q.Produto = escolhido;
    Checa(saldos.set_at(run.opcoes.todos ? keys::SQEL_KEY_DATA : keys::SQEL_KEY_PROD_DATA), "Lendo os saldos");
    while (saldos.next().ok()) {
        run.Conta();
        if (q.Competencia <= 0 || date::first_of_month(q.Competencia) != run.mesAnterior) break;
        if (!run.opcoes.todos && q.Produto.clipped() != escolhido) break;
        if (auto codigo = Decimal::parse(q.Produto.clipped())) {
            auto [it, novo] = run.produtos.try_emplace(*codigo);
            if (novo) it->second.aliquota = q.Aliquota;
        }
    }
    (void)saldos.close();
}

long long Registros(const Execucao& run, const data::TableDesc& desc) {
    FileManager fm(desc);
    if (!shell::AbreNoAno(fm, run.periodo).ok()) return 0;
    long long n = fm.records();
    (void)fm.close();
    return n < 0 ? 0 : n;
}

bool LeiDaEmpresa(std::uint32_t empresa) {
    FileManager emp(dictionary::Empresa());
    if (!emp.open().ok()) return false;
    emp.clear_record();
    auto& e = emp.rec<dictionary::EmpresaRec>();
    e.Codigo = static_cast<decltype(e.Codigo)>(empresa);
    bool lei = emp.get(dictionary::keys::EMP_KEY_CODIGO).ok() && e.ADOTALEI == 1;
    (void)emp.close();
    return lei;
}

void Executa(Execucao& run) {
    run.regra.adotaLei = LeiDaEmpresa(run.empresa);

    shell::NomeTemporario nome = shell::NomeArqTemp();
    if (!nome.ok()) throw Interrupcao{false, nome.erro};
    run.arquivoTrabalho = nome.nome;
    // The name is this run's (the counters have moved past it); the empty file that holds it
    // gives way to the work table's own.
    (void)files::remove_file(run.arquivoTrabalho);
    Checa(run.trabalho.open_path(run.arquivoTrabalho), "Abrindo a tabela de trabalho");
    (void)run.trabalho.send(detail::kCacheDoTrabalho);
    (void)run.trabalho.send("Scratch=1");  // the run's own file, deleted when the run fails
    // The gathering only appends: the work table's keys are built once it is whole, each in one
    // sorted pass, rather than grown row by row in every index.
    Checa(data::drop_keys(run.trabalho), "Abrindo a tabela de trabalho");

    run.progresso.total1 = Registros(run, dictionary::SaidaVorel()) + Registros(run, dictionary::EntradaVorel()) +
                           Registros(run, dictionary::MovMaqRegistradora());
    run.Mostra();
    ReuneSaidas(run);
    ReuneEntradas(run);
    {
        TransacaoDoCalculo t(run, {&run.trabalho});
        if (!run.opcoes.periodoExplicito) ReuneCaixas(run);
        ReuneMarcados(run);
        ReuneMesAnterior(run);
        t.Confirma("Gravando a tabela de trabalho");
    }
    Checa(run.trabalho.rebuild_keys(), "Gravando a tabela de trabalho");
    run.progresso.barra1 = 0;
    run.progresso.contador = 0;
    detail::CalculaPlanilhaMensal(run);
}

}  // namespace

namespace {

// The months the run reads, held against the writers of their movements for the whole run: a
// month being written refuses the run before it reads anything.
std::vector<shell::MesEmUso> TomaMeses(const Execucao& run) {
    std::vector<shell::MesEmUso> meses;
    if (run.inicio <= 0) return meses;  // no period: nothing is read
    for (int a = date::year(run.inicio), m = date::month(run.inicio);
         date::first_of_month(a, m) <= run.fim; a += m / 12, m = m % 12 + 1) {
        meses.emplace_back(shell::MesEmUso::Calculo, run.empresa, a, m);
        if (!meses.back().tomado()) throw Interrupcao{false, meses.back().recusa()};
    }
    return meses;
}

}  // namespace

ResultadoCalculo CalculoProdutos(const shell::EmpresaPeriodo& periodo, const OpcoesCalculo& opcoes, AvisosCalculo& avisos) {
    ResultadoCalculo r;
    {
        Execucao run(periodo, opcoes, avisos);
        try {
            const std::vector<shell::MesEmUso> meses = TomaMeses(run);
            Executa(run);
            r.produtosValorados = static_cast<long long>(run.produtos.size());
        } catch (const Interrupcao& i) {
            r.estado = i.cancelado ? ResultadoCalculo::Estado::Cancelado : ResultadoCalculo::Estado::Falhou;
            r.erro = i.erro;
        } catch (const DecimalOverflow& e) {
            r.estado = ResultadoCalculo::Estado::Falhou;
            r.erro = e.what();
        }
        r.cfosAusentes = std::move(run.cfosAusentes);
        r.arquivoTrabalho = run.arquivoTrabalho;
    }
    if (!r.ok() && !r.erro.empty()) avisos.Mensagem("Cálculo Mensal de Produtos", r.erro);
    if (!r.ok() || !opcoes.manterTrabalho) {
        ApagaTrabalho(r.arquivoTrabalho);
        r.arquivoTrabalho.clear();
    }
    return r;
}

void ApagaTrabalho(const std::string& arquivo) {
    if (arquivo.empty()) return;
    for (const char* fim : {"", "-lock", "-journal"}) (void)files::remove_file(arquivo + fim);
}

void EntregaCalculo(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, const OpcoesCalculo& opcoes,
                    const ResultadoCalculo& r, AvisosCalculo& avisos) {
    if (!r.ok()) return;
    const bool modoTexto = shell::ModoImpressao.Get() == 2;
    std::string alvo;
    if (opcoes.planilha) {
        if (!modoTexto) alvo = "PlanilhaMensalProdutos";
    } else if (opcoes.confronto) {
        if (!modoTexto) alvo = "RelConfSaidaEnt";
    } else if (opcoes.exportacao) {
        alvo = "PlanilhaExcelProdutos";
    }
    if (alvo.empty()) return;
    if (!ui::ProcedureRegistry::Find(alvo)) {
        avisos.Mensagem("Vorel", "A função \"" + alvo + "\" ainda não está disponível nesta versão.");
        return;
    }
    shell::EntregaTrabalho entrega({r.arquivoTrabalho, opcoes.resumo, periodo});
    (void)ctx.Call(alvo);
}

namespace {

// The run's progress window and message boxes on a procedure thread.
class JanelaCalculo : public AvisosCalculo {
public:
    explicit JanelaCalculo(ui::ProcContext& ctx) : janela_(ctx, "Cálculo Mensal de Produtos") {}
    bool Progresso(const ProgressoCalculo& p) override {
        const long long feito = p.barra2Visivel ? p.barra2 : p.barra1;
        const long long total = p.barra2Visivel ? p.total2 : p.total1;
        return janela_.Update(feito, total, std::to_string(p.contador));
    }
    void Mensagem(std::string_view titulo, std::string_view texto) override {
        (void)ui::Message(std::string(texto), std::string(titulo), ui::Icon::Exclamation);
    }

private:
    ui::ProgressWindow janela_;
};

}  // namespace

ResultadoCalculo CalculoProdutos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, OpcoesCalculo opcoes) {
    JanelaCalculo janela(ctx);
    const bool manter = opcoes.manterTrabalho;
    opcoes.manterTrabalho = true;
    ResultadoCalculo r = CalculoProdutos(periodo, opcoes, janela);
    EntregaCalculo(ctx, periodo, opcoes, r, janela);
    if (!manter) {
        ApagaTrabalho(r.arquivoTrabalho);
        r.arquivoTrabalho.clear();
    }
    return r;
}

}  // namespace vorel::computation
