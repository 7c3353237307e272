// CalculaPlanilhaMensal: the valuation, by the weighted moving average, of each product the
// gathering hands over: its rows ordered as the work table's (product, date, in/out, number) key
// orders them, valued in memory and written once with their results; the month records in
// SaldosVorel, the carry of the previous month for every other registered product and the work
// table's keys; all in one transaction with the work rows.
//
// Tables: the run's work table, SaldosVorel (the computed year's file; a cursor on the previous
// year's file in January), Produtos, CFO, and the entry files through BasesDaExecucao.
#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include "vorel/fiscal/consultas_cadastro.h"
#include "execucao.h"
#include "reuniao_produtos.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/product_rate.h"

namespace vorel::computation::detail {

namespace keys = dictionary::keys;
using data::FileManager;
using dictionary::SaldosVorelRec;

namespace {

// The previous month's record of a product.
struct Anterior {
    bool achou = false;
    Decimal quantidade, valorUnit, base, aliquota, valorUnitAnt;
};

class Valoracao {
public:
    explicit Valoracao(Execucao& run)
        : run_(run),
          saldos_(dictionary::SaldosVorel()),
          anterior_(dictionary::SaldosVorel()),
          produtos_(dictionary::Produtos()),
          cfo_(dictionary::CFO()),
          bases_(run),
          colunas_(cfo_) {}

    ~Valoracao() {
        for (FileManager* fm : {&saldos_, &anterior_, &produtos_, &cfo_})
            if (fm->is_open()) (void)fm->close();
    }

    void Executa(ReuniaoProdutos& reuniao) {
        run_.Abre(saldos_, "Abrindo os saldos");
        if (run_.mes == 1) {
            temAnterior_ = run_.AbreDoAno(anterior_, run_.ano - 1);
        } else {
            run_.Abre(anterior_, "Abrindo os saldos");
            temAnterior_ = true;
        }
        // The company's registers are the computed company's files; the CFOP register is the office's.
        run_.Abre(produtos_, "Abrindo os produtos");
        Checa(cfo_.open(), "Abrindo os CFOs");
        bases_.Abre();
        // The product's rate (AliquotaProdutoData) reads through this thread's own cursors, opening
        // and closing them on every call: held open for the run at the company's files, each call
        // only counts (and so reads there).
        aliquotas_.emplace(run_.periodo);

        // The first bar and the counter follow the records read (the gathering counts them against the
        // three files' records), the second the rows of the product being valued; each row valued
        // and each product ended shows them too, so a cancel is taken at once.
        TransacaoDoCalculo t(run_, {&saldos_, &run_.trabalho});  // a failure names the month's table first
        reuniao.Abre();
        Decimal codigo;
        ItemProduto item;
        std::vector<LinhaDoProduto> linhas;
        while (reuniao.Proximo(codigo, item, linhas)) {
            run_.produtos.emplace(codigo, item);
            Produto(codigo, item, linhas);
            run_.Mostra();
        }
        reuniao.DevolveCaches();
        if (run_.opcoes.todos && run_.gravaMes) TodosOsProdutos();
        (void)run_.trabalho.send(kCacheDasChaves);
        Checa(run_.trabalho.rebuild_keys(), "Gravando a tabela de trabalho");
        t.Confirma("Gravando os saldos do mês");

        if (run_.negativo && !run_.opcoes.somenteNegativos)
            run_.avisos.Mensagem("!!! Atenção !!!",
                                 "Atenção existem lançamentos com Quantidade negativa, por favor verifique seus lançamentos");
        if (!run_.cfosAusentes.empty()) AvisaCfosAusentes();
    }

private:
    // The sheet column of a CFOP and complement (blank state); kSemRegra when the register lacks it.
    int Coluna(int cfo, int complemento, bool& existe) {
        const std::optional<std::uint8_t> coluna = colunas_.Coluna(cfo, complemento);
        existe = coluna.has_value();
        if (!coluna || *coluna < kEntradas || *coluna > kDevolucaoEstoque) return kSemRegra;
        return *coluna;
    }

    Anterior BuscaAnterior(const Decimal& codigo) {
        Anterior a;
        if (!temAnterior_) return a;
        auto& q = anterior_.rec<SaldosVorelRec>();
        date::Day dia = run_.mesAnterior;
        const Decimal aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
        anterior_.clear_record();
        q.Produto = CodigoTexto(codigo);
        q.Competencia = run_.mesAnterior;
        q.Aliquota = aliquota;
        a.achou = anterior_.get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok();
        if (!a.achou) {
            anterior_.clear_record();
            q.Produto = CodigoTexto(codigo);
            q.Competencia = run_.mesAnterior;
            a.achou = anterior_.get(keys::SQEL_KEY_PROD_DATA).ok();
        }
        if (a.achou) {
            a.quantidade = q.QuantProdutos;
            a.valorUnit = q.ValorUnit;
            a.base = q.BaseAcunulada;
            a.aliquota = q.Aliquota;
            a.valorUnitAnt = q.ValorUnit_Ant;
        }
        return a;
    }

    // ExcluiResultadoMes: every record of this product (by the code valued) for the working month.
    void ExcluiResultadoMes(const std::string& codigo) {
        auto& q = saldos_.rec<SaldosVorelRec>();
        saldos_.clear_record();
        q.Produto = codigo;
        q.Competencia = run_.mesTrabalho;
        Checa(saldos_.set_within(keys::SQEL_KEY_PROD_DATA, 2), "Lendo os saldos");
        while (saldos_.next().ok()) {
            if (q.Produto.clipped() != codigo || q.Competencia != run_.mesTrabalho) break;
            Checa(saldos_.remove(), "Excluindo o saldo do mês");
        }
    }

    // The order of ESA:KEY:DATA_ENTSAI_NUM_AUX within a product (the number's case folded, trailing
    // blanks ignored), rows of equal values by their positions: the opening row (day 0) first.
    static bool Antes(const LinhaDoProduto& a, const LinhaDoProduto& b) {
        if (a.linha.DATA != b.linha.DATA) return a.linha.DATA < b.linha.DATA;
        if (a.linha.ENTSAI != b.linha.ENTSAI) return a.linha.ENTSAI < b.linha.ENTSAI;
        if (const int n = text::compare_nocase(a.linha.NUMERO.clipped(), b.linha.NUMERO.clipped())) return n < 0;
        return a.posicao < b.posicao;
    }

    void Produto(const Decimal& codigo, const ItemProduto& item, std::vector<LinhaDoProduto>& linhas) {
        // 1. The product's record (a blank one when it is not registered).
        auto& pro = produtos_.rec<dictionary::ProdutosRec>();
        produtos_.clear_record();
        pro.Codigo = codigo;
        if (!produtos_.get(keys::PRO_KEY_CODIGO).ok()) produtos_.clear_record();
        bases_.Produto(pro.Alicota);

        Corrente c;
        TotaisMes totais;

        // 2. The previous month's balance.
        const Anterior ant = BuscaAnterior(codigo);
        c.P = ant.valorUnitAnt;

        // 3. The opening row.
        FileManager& w = run_.trabalho;
        auto& a = w.rec<LinhaTrabalho>();
        w.clear_record();
        a.CODMERCADORIA = codigo;
        if (ant.achou && (ant.quantidade + ant.valorUnit + ant.base).sign() > 0) {
            a.SALDOQUANTIDADE = ant.quantidade;
            a.SALDOVALUNITARIO = ant.valorUnit;
            a.SALDOBASERETENCAO = ant.base;
            c.E = ant.valorUnit;
        } else {
            a.SALDOQUANTIDADE = item.saldoQuantidade;
            a.SALDOVALUNITARIO = item.saldoValUnitario;
            a.SALDOBASERETENCAO = item.saldoBaseRetencao;
        }
        if (a.SALDOQUANTIDADE.value().sign() < 0) c.negativo = true;
        if (a.SALDOQUANTIDADE.value().is_zero()) {
            a.SALDOVALUNITARIO = 0;
            a.SALDOBASERETENCAO = 0;
        }
        const bool aberturaZero = a.SALDOQUANTIDADE.value().is_zero();
        linhas.push_back({a, posicaoAbertura_++});
        // The rows are valued in the key's order and written in the order they were gathered, which
        // is the order of their positions within each source's band (the rows are wide: only their
        // indexes are sorted).
        ordem_.resize(linhas.size());
        for (std::size_t i = 0; i < ordem_.size(); ++i) ordem_[i] = i;
        std::sort(ordem_.begin(), ordem_.end(), [&](std::size_t x, std::size_t y) { return Antes(linhas[x], linhas[y]); });

        // 4-6. The walk over the product's rows.
        DecimalField<15, 3> finalQ{};
        DecimalField<13, 6> finalW{};
        DecimalField<11, 2> finalX{};
        ProgressoCalculo& p = run_.progresso;
        p.barra2 = 0;
        p.total2 = static_cast<long long>(linhas.size());
        for (const std::size_t i : ordem_) {
            LinhaTrabalho& l = linhas[i].linha;
            ++p.barra2;
            run_.Mostra();
            if (p.barra2 == 1) {  // the opening row, first in the key's order
                c.S = l.SALDOQUANTIDADE;
                c.W = l.SALDOVALUNITARIO;
                c.X = l.SALDOBASERETENCAO;
                finalQ = c.S;
                finalW = c.W;
                finalX = c.X;
                if (c.W.value().sign() > 0) c.P = c.W;
                continue;
            }
            if (l.NUMERO.empty()) continue;
            int coluna = kSemRegra;
            if (!l.ALIQUOTA.empty()) {
                coluna = l.ALIQUOTA.clipped() == "F" ? kCaixa : kSemRegra;
            } else {
                bool existe = true;
                coluna = Coluna(l.CFO, l.COMPLEMENTO, existe);
                if (!existe) run_.cfosAusentes.push_back({codigo, l.DATA, std::string(l.NUMERO.clipped()), l.CFO, l.COMPLEMENTO});
            }
            AplicaRegra(coluna, run_.regra, c, l, bases_);
            totais.Soma(l, SubtraiDosTotais(coluna, coluna == kCaixa ? 0 : l.CFO));
            if (l.SALDOBASERETENCAO.value().sign() < 0) {
                l.SALDOBASERETENCAO = 0;
                l.SALDOVALUNITARIO = 0;
            }
            finalQ = l.SALDOQUANTIDADE;
            finalW = l.SALDOVALUNITARIO;
            finalX = l.SALDOBASERETENCAO;
            if (l.SALDOVALUNITARIO.value().sign() > 0) c.P = l.SALDOVALUNITARIO;
        }

        // 7. The end of the product: its rows written with their results, unless only products that
        // went negative are kept and this one did not, or its only row is a zero opening row.
        if (c.negativo) run_.negativo = true;
        const bool escreve = !(run_.opcoes.somenteNegativos && !c.negativo) && !(linhas.size() <= 1 && aberturaZero);
        if (escreve) {
            for (const LinhaDoProduto& linha : linhas) {
                w.rec<LinhaTrabalho>() = linha.linha;
                Checa(w.add_at(data::Position{linha.posicao}), "Gravando a tabela de trabalho");
            }
        }
        if (run_.opcoes.somenteNegativos || !run_.gravaMes) return;

        const std::string texto = CodigoTexto(codigo);
        ExcluiResultadoMes(texto);
        date::Day dia = run_.mesTrabalho;
        auto& q = saldos_.rec<SaldosVorelRec>();
        saldos_.clear_record();
        q.Produto = texto;
        q.Competencia = run_.mesTrabalho;
        q.Aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
        q.QuantProdutos = finalQ;
        q.ValorUnit = finalW;
        q.BaseAcunulada = finalX;
        q.CalcUsuFinal = totais.consumidorFinal;
        q.CalcFGNRealisado = totais.fatoGeradorNaoRealizado;
        q.CalcIsenta = totais.isenta;
        q.CalcOutUF = totais.outroEstado;
        q.CalcSubsequente = totais.subsequente;
        q.ConfUsuFinal = totais.confUsuarioFinal;
        q.ConfDemHip = totais.confDemaisHipoteses;
        q.Situacao = 1;
        q.SaldoAnterior = ant.quantidade;
        q.Exclusao = 0;
        q.ValorUnit_Ant = c.P;
        Checa(saldos_.add(), "Gravando o saldo do mês");
    }

    // The carry of the previous month into the working month for every registered product that
    // had nothing to value.
    void TodosOsProdutos() {
        ProgressoCalculo& p = run_.progresso;
        p.total1 = produtos_.records();
        p.barra1 = 0;
        auto& pro = produtos_.rec<dictionary::ProdutosRec>();
        auto& q = saldos_.rec<SaldosVorelRec>();
        produtos_.clear_record();
        Checa(produtos_.set(keys::PRO_KEY_CODIGO), "Lendo os produtos");
        while (produtos_.next().ok()) {
            ++p.barra1;
            ++p.contador;
            run_.Mostra();
            const Decimal codigo = pro.Codigo;
            if (run_.produtos.count(codigo)) continue;
            const Anterior ant = BuscaAnterior(codigo);
            const std::string texto = CodigoTexto(codigo);
            date::Day dia = run_.mesTrabalho;
            const Decimal aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
            saldos_.clear_record();
            q.Produto = texto;
            q.Competencia = run_.mesTrabalho;
            q.Aliquota = aliquota;
            const bool existe = saldos_.get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok();
            if (!existe) {
                saldos_.clear_record();
                q.Produto = texto;
                q.Competencia = run_.mesTrabalho;
                q.Aliquota = aliquota;
            }
            q.QuantProdutos = ant.quantidade;
            q.ValorUnit = ant.valorUnit;
            q.BaseAcunulada = ant.base;
            q.ValorUnit_Ant = ant.valorUnit;
            Checa(existe ? saldos_.put() : saldos_.add(), "Gravando o saldo do mês");
            if (ant.aliquota.sign() > 0 && ant.aliquota != q.Aliquota.value()) {
                saldos_.clear_record();
                q.Produto = texto;
                q.Competencia = run_.mesTrabalho;
                q.Aliquota = ant.aliquota;
                if (saldos_.get(keys::SQEL_KEY_PRODDATAALIQUOTA).ok()) Checa(saldos_.remove(), "Excluindo o saldo do mês");
            }
        }
        p.barra1 = p.contador = 0;
    }

    void AvisaCfosAusentes() {
        std::string texto = "Atenção! Identificamos inconsistências nos CFOs abaixo ou eles não existem. "
                            "Favor verifica a tabela de CFO.";
        for (const CfoAusente& a : run_.cfosAusentes) {
            texto += "\nProduto " + a.produto.to_string() + ", nota " + a.numero + ", CFO " + std::to_string(a.cfo) +
                     " - " + std::to_string(a.complemento);
        }
        run_.avisos.Mensagem("Alerta!", texto);
    }

    Execucao& run_;
    FileManager saldos_, anterior_, produtos_, cfo_;
    BasesDaExecucao bases_;
    bool temAnterior_ = false;
    std::int64_t posicaoAbertura_ = kPosicaoAberturas;
    std::vector<std::size_t> ordem_;  // a product's rows in the key's order
    fiscal::ColunasDoCfo colunas_;
    std::optional<shell::AliquotasAbertas> aliquotas_;
};

}  // namespace

void CalculaPlanilhaMensal(Execucao& run, ReuniaoProdutos& reuniao) { Valoracao(run).Executa(reuniao); }

}  // namespace vorel::computation::detail
