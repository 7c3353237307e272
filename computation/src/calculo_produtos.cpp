// CalculoProdutos: the monthly computation run. Set-up (period, the run's own work file, the
// company's law flag), one pass over the products in code order, each product's exits, entries and
// cash-register items gathered (reuniao_produtos.cpp) and valued (calcula_planilha_mensal.cpp)
// before the next is read, the hand-over and the tear-down that deletes the work file.
//
// Tables: the counts of SaidaVorel, EntradaVorel and MovMaqRegistradora, Empresa; the work table
// EntradaSaidaVorel on the run's file. The year files are the computed period's, opened at their
// paths on the run's own cursors.
#include "vorel/computation/calculo_produtos.h"

#include <charconv>
#include <limits>
#include <utility>

#include "execucao.h"
#include "reuniao_produtos.h"
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
using detail::Execucao;
using detail::Interrupcao;

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
    // The run only appends: the work table's keys are built once it is whole, each in one sorted
    // pass, rather than grown row by row in every index.
    Checa(data::drop_keys(run.trabalho), "Abrindo a tabela de trabalho");

    run.progresso.total1 = Registros(run, dictionary::SaidaVorel()) + Registros(run, dictionary::EntradaVorel()) +
                           Registros(run, dictionary::MovMaqRegistradora());
    run.Mostra();
    detail::ReuniaoProdutos reuniao(run);
    detail::CalculaPlanilhaMensal(run, reuniao);
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
