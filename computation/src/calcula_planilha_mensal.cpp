// CalculaPlanilhaMensal: the valuation of the run's product list by the weighted moving average,
// the month records in SaldosVorel, and the carry of the previous month for every other
// registered product; all in one transaction with the work rows.
//
// Tables: the run's work table, SaldosVorel (the computed year's file; a cursor on the previous
// year's file in January), Produtos, CFO, and the entry files through BasesDaExecucao.
#include <map>
#include <optional>
#include <utility>

#include "vorel/fiscal/consultas_cadastro.h"
#include "execucao.h"
#include "vorel/data/cursor.h"
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

    void Executa() {
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

        ProgressoCalculo& p = run_.progresso;
        p.barra2Visivel = true;
        p.total1 = static_cast<long long>(run_.produtos.size());
        p.barra1 = 0;
        p.total2 = run_.trabalho.records();
        run_.Mostra();

        // The walk reads and rewrites only what the rules read and write of a work row.
        Checa(data::Cursor::read_only(run_.trabalho,
                                      {"DATA", "NUMERO", "CFO", "COMPLEMENTO", "QUANTIDADE", "BASEICMS", "CODMERCADORIA",
                                       "ALIQUOTA", "SAIVALUNITARIO", "SAICONSFINAL", "SAINREALIZADO", "SAIISENTA",
                                       "SAIOUTORUF", "SAISUBSEQUENTE", "CONFUSUFINAL", "CONFENTRADASDEMHIP",
                                       "SALDOQUANTIDADE", "SALDOVALUNITARIO", "SALDOBASERETENCAO"}),
              "Lendo a tabela de trabalho");
        TransacaoDoCalculo t(run_, {&saldos_, &run_.trabalho});  // a failure names the month's table first
        for (const auto& [codigo, item] : run_.produtos) {
            Produto(codigo, item);
            ++p.barra1;
            ++p.contador;
            run_.Mostra();
        }
        p.barra1 = p.barra2 = p.contador = 0;
        p.barra2Visivel = false;
        if (run_.opcoes.todos && run_.gravaMes) TodosOsProdutos();
        t.Confirma("Gravando os saldos do mês");
        data::Cursor::read_every_field(run_.trabalho);

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

    // Deletes the product's work rows: all of them, or only its opening row.
    void ApagaLinhas(const Decimal& codigo) {
        FileManager& w = run_.trabalho;
        auto& l = w.rec<LinhaTrabalho>();
        w.clear_record();
        l.CODMERCADORIA = codigo;
        Checa(w.set_within(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX, 1, 1), "Lendo a tabela de trabalho");
        while (w.next().ok() && l.CODMERCADORIA.value() == codigo) Checa(w.remove(), "Excluindo da tabela de trabalho");
    }

    void Produto(const Decimal& codigo, const ItemProduto& item) {
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
        auto& l = w.rec<LinhaTrabalho>();
        w.clear_record();
        l.CODMERCADORIA = codigo;
        if (ant.achou && (ant.quantidade + ant.valorUnit + ant.base).sign() > 0) {
            l.SALDOQUANTIDADE = ant.quantidade;
            l.SALDOVALUNITARIO = ant.valorUnit;
            l.SALDOBASERETENCAO = ant.base;
            c.E = ant.valorUnit;
        } else {
            l.SALDOQUANTIDADE = item.saldoQuantidade;
            l.SALDOVALUNITARIO = item.saldoValUnitario;
            l.SALDOBASERETENCAO = item.saldoBaseRetencao;
        }
        if (l.SALDOQUANTIDADE.value().sign() < 0) c.negativo = true;
        if (l.SALDOQUANTIDADE.value().is_zero()) {
            l.SALDOVALUNITARIO = 0;
            l.SALDOBASERETENCAO = 0;
        }
        const bool aberturaZero = l.SALDOQUANTIDADE.value().is_zero();
        Checa(w.add(), "Gravando a tabela de trabalho");

        // 4-6. The walk over the product's rows.
        DecimalField<15, 3> finalQ{};
        DecimalField<13, 6> finalW{};
        DecimalField<11, 2> finalX{};
        long long linhas = 0;
        w.clear_record();
        l.CODMERCADORIA = codigo;
        Checa(w.set_within(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX, 1, 1), "Lendo a tabela de trabalho");
        ProgressoCalculo& p = run_.progresso;
        p.barra2 = 0;
        while (w.next().ok() && l.CODMERCADORIA.value() == codigo) {
            ++linhas;
            ++p.barra2;
            run_.Mostra();
            if (linhas == 1) {  // the opening row, first in the key's order
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
            Checa(w.put(), "Gravando a tabela de trabalho");
            if (l.SALDOVALUNITARIO.value().sign() > 0) c.P = l.SALDOVALUNITARIO;
        }

        // 7. The end of the product.
        if (c.negativo) run_.negativo = true;
        if (run_.opcoes.somenteNegativos && !c.negativo) {
            ApagaLinhas(codigo);
        } else if (linhas <= 1 && aberturaZero) {
            ApagaLinhas(codigo);
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
    fiscal::ColunasDoCfo colunas_;
    std::optional<shell::AliquotasAbertas> aliquotas_;
};

}  // namespace

void CalculaPlanilhaMensal(Execucao& run) { Valoracao(run).Executa(); }

}  // namespace vorel::computation::detail
