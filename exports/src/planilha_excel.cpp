// GravaPlanilhaExcel: a computation run's work table as the monthly sheet's `;` file
// (planilha_excel.h).
#include "vorel/exports/planilha_excel.h"

#include <map>
#include <optional>

#include "vorel/fiscal/colunas_csv.h"
#include "tabelas.h"
#include "vorel/core/date.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/fiscal/linha_planilha.h"
#include "vorel/shell/exportacao_inteira.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/product_rate.h"

namespace vorel::exports {

namespace {

namespace keys = dictionary::keys;
using fiscal::colunas_csv::Numero;
using dictionary::EntradaSaidaVorelRec;
using fiscal::estilo::W;

// Fields joined by ';', with the closing ';' the movement, totals and summary lines carry.
std::string Junta(const std::vector<std::string>& campos, bool fecha) {
    std::string l;
    for (std::size_t i = 0; i < campos.size(); ++i) l += (i ? ";" : "") + campos[i];
    return fecha ? l + ";" : l;
}

std::vector<std::string> Vazios(std::size_t n) { return std::vector<std::string>(n); }

void Anexa(std::vector<std::string>& a, const std::vector<std::string>& b) { a.insert(a.end(), b.begin(), b.end()); }

const char* const kTitulosValores[fiscal::kValores] = {"10", "11", "12", "13", "14", "15", "16"};

struct Saldo {
    Decimal quantidade, unitario, base;
};

struct EntradaResumo {
    std::string descricao;
    std::array<Decimal, fiscal::kValores> somas{};
    Saldo saldo;  // the product's own closing balance
};

class Escritor {
public:
    Escritor(shell::ExportacaoInteira& arquivo, const shell::EmpresaPeriodo& periodo, const OpcoesPlanilhaExcel& opcoes)
        : arquivo_(arquivo), periodo_(periodo), opcoes_(opcoes), empresa_(fiscal::estilo::LeEmpresa(periodo.empresa)),
          produtos_(dictionary::Produtos(), periodo), cfo_(dictionary::CFO()), taxas_(periodo) {}

    report::Outcome Titulos() {
        for (const char* l : {";;;;Controle de Estoque - Mercadorias Enquadradas na Substituicao Tributaria",
                              ";;;;;(Criterio de Avaliacao Valor Medio Ponderado Movel)"})
            if (report::Outcome o = Grava(l); !o.ok()) return o;
        return report::Outcome::success();
    }

    report::Outcome Linha(const EntradaSaidaVorelRec& r) {
        const Decimal codigo = r.CODMERCADORIA.value();
        const bool passa = opcoes_.cfo == 0 || (r.CFO == opcoes_.cfo && r.COMPLEMENTO == opcoes_.complemento);
        if (passa && (!atual_ || *atual_ != codigo))
            if (report::Outcome o = NovoProduto(codigo); !o.ok()) return o;
        if (atual_ && *atual_ == codigo) fecho_ = {r.SALDOQUANTIDADE.value(), r.SALDOVALUNITARIO.value(), r.SALDOBASERETENCAO.value()};
        if (resumoDe_ && *resumoDe_ == codigo) resumoAtual_->saldo = {r.SALDOQUANTIDADE.value(), r.SALDOVALUNITARIO.value(),
                                                                      r.SALDOBASERETENCAO.value()};

        bool encontrado = false;
        std::uint8_t coluna = 0;
        if (r.ENTSAI != 0 && text::clip(r.ALIQUOTA.value()).empty() && !text::clip(r.NUMERO.value()).empty()) {
            const std::optional<std::uint8_t> c = Coluna(r.CFO, r.COMPLEMENTO);
            encontrado = c.has_value();
            coluna = c.value_or(0);
        }
        const fiscal::Tipo tipo = fiscal::TipoDaLinha(r, encontrado, coluna);
        if (tipo.linha == fiscal::TipoLinha::Pula) return report::Outcome::success();
        if (!passa) return report::Outcome::success();
        if (tipo.linha == fiscal::TipoLinha::Desconhecida) Desconhecido(r.CFO, r.COMPLEMENTO);
        fiscal::LinhaPlanilha l = fiscal::ColocaLinha(r, tipo);
        if (tipo.linha == fiscal::TipoLinha::Caixa) l.entNumero = "0";
        totais_.Soma(l);
        if (opcoes_.resumo == 1 && l.Conta()) {
            EntradaResumo& e = Resumo(codigo);
            for (std::size_t i = 0; i < fiscal::kValores; ++i)
                e.somas[i] = l.subtrai ? e.somas[i] - l.valores[i] : e.somas[i] + l.valores[i];
        }
        return Grava(LinhaMovimento(l));
    }

    report::Outcome Fim() {
        if (atual_)
            if (report::Outcome o = Grava(LinhaTotais()); !o.ok()) return o;
        if (opcoes_.resumo == 1)
            if (report::Outcome o = BlocoResumo(); !o.ok()) return o;
        return report::Outcome::success();
    }

    const std::vector<std::pair<int, int>>& desconhecidos() const { return desconhecidos_; }

    // The registers the run reads, those that opened.
    std::vector<data::FileManager*> Tabelas() {
        std::vector<data::FileManager*> t;
        if (produtos_.aberta.ok()) t.push_back(&produtos_.f);
        if (cfo_.aberta.ok()) t.push_back(&cfo_.f);
        t.insert(t.end(), taxas_.tabelas().begin(), taxas_.tabelas().end());
        return t;
    }

private:
    report::Outcome Grava(std::string_view linha) { return arquivo_.Linha(linha); }

    // The column of the register row with a blank state; none when the CFO table did not open.
    std::optional<std::uint8_t> Coluna(int codigo, int complemento) {
        if (!cfo_.aberta.ok()) return std::nullopt;
        return colunas_.Coluna(codigo, complemento);
    }

    void Desconhecido(int codigo, int complemento) {
        const auto chave = std::make_pair(codigo, complemento);
        for (const auto& d : desconhecidos_)
            if (d == chave) return;
        desconhecidos_.push_back(chave);
    }

    // The product's description and unit (blank when it is not registered).
    std::pair<std::string, std::string> Produto(const Decimal& codigo) {
        if (produtos_.aberta.ok() && fiscal::LeProdutoPorCodigo(produtos_.f, codigo)) {
            const auto& p = produtos_.f.rec<dictionary::ProdutosRec>();
            return {std::string(p.Produtos.value()), std::string(p.Medida.value())};
        }
        return {};
    }

    EntradaResumo& Resumo(const Decimal& codigo) {
        if (!resumoDe_ || *resumoDe_ != codigo) {
            auto [i, novo] = resumo_.try_emplace(codigo);
            if (novo) {
                i->second.descricao = Produto(codigo).first;
                i->second.saldo = fecho_;
            }
            resumoDe_ = codigo;
            resumoAtual_ = &i->second;
        }
        return *resumoAtual_;
    }

    report::Outcome NovoProduto(const Decimal& codigo) {
        if (atual_)
            if (report::Outcome o = Grava(LinhaTotais()); !o.ok()) return o;
        const auto [descricao, medida] = Produto(codigo);
        const std::string texto = codigo.to_string() + " - " + std::string(text::clip(descricao));
        date::Day dia = periodo_.Inicio();
        const Decimal aliquota = shell::AliquotaProdutoData(codigo, dia, 0);
        std::vector<std::string> l3{"Contribuinte:", std::to_string(periodo_.empresa), fiscal::colunas_csv::Texto(empresa_.razao, 40),
                                    std::string(text::clip(empresa_.cidade))};
        Anexa(l3, Vazios(8));
        Anexa(l3, {W("Inscricao Estadual:"), fiscal::colunas_csv::Texto(empresa_.inscricao, 20)});
        Anexa(l3, Vazios(5));
        std::vector<std::string> l4{"Mes e Ano Referencia:", MesAno()};
        Anexa(l4, Vazios(3));
        Anexa(l4, {"Mercadoria:", fiscal::colunas_csv::Texto(texto, 50)});
        Anexa(l4, Vazios(3));
        Anexa(l4, {"Unidade de Medida:", fiscal::colunas_csv::Texto(medida, 3)});
        Anexa(l4, Vazios(4));
        Anexa(l4, {"Aliquota", Numero("@n-5`2", aliquota, "Aliquota")});
        const std::string bloco[] = {
            "",
            "",
            Junta(l3, false),
            Junta(l4, false),
            ";;;Entradas;;;;;;;Saidas;;;;;;Saldos",
            "Data;Doc. Fiscal;;Quantidade;Base Calculo;Doc. Fiscal;;Quantidade;;VALOR DA BASE DE CALCULO DA RETENCAO;;;;;"
            "Valor de;Confronto;;Base Retencao",
            ";Numero;Serie;;Retencao;Numero;Serie;;Valor;Saida Usuario;Fato Gerador;Saida Isenta;Saida Outro;Saida com;"
            "Base Efetiva;Base Entrada;Quantidade;Valor;Valor",
            ";;;;;;;;;   Final;nao Realizado;nao Incidente;Estado;Subsequente;Cons Final;Demais Hipot.;;Unit;Total",
            "01;02;03;04;05;06;07;08;09;10;11;12;13;14;15;16;17;18;19",
        };
        for (const std::string& l : bloco)
            if (report::Outcome o = Grava(l); !o.ok()) return o;
        atual_ = codigo;
        totais_ = {};
        return report::Outcome::success();
    }

    std::string MesAno() const { return std::to_string(periodo_.mes) + "/" + std::to_string(periodo_.ano); }

    static std::string LinhaMovimento(const fiscal::LinhaPlanilha& l) {
        std::string num6(text::sub(l.entNumero, 1, 6));
        std::string num8(text::sub(text::trim(l.saiNumero), 1, 8));
        std::vector<std::string> c{
            picture::format("@d06b", l.data),
            text::right(num6, 6),
            fiscal::colunas_csv::Texto(l.entSerie, 2),
            Numero("@n-19`3b", l.entQuantidade, "04"),
            Numero("@n-15`2b", l.entBase, "05"),
            fiscal::colunas_csv::Texto(num8, 8),
            " " + fiscal::colunas_csv::Texto(l.saiSerie, 2),
            Numero("@n-16`3b", l.saiQuantidade, "08"),
            Numero("@n-15`6b", l.saiValUnitario, "09"),
        };
        for (std::size_t i = 0; i < fiscal::kValores; ++i) c.push_back(Numero("@n-15`2b", l.valores[i], kTitulosValores[i]));
        c.push_back(" " + Numero("@n-15`3", l.saldoQuantidade, "17"));
        c.push_back(Numero("@n-15`6", l.saldoValUnitario, "18"));
        c.push_back(Numero("@n-15`2", l.saldoBase, "19"));
        return Junta(c, true);
    }

    std::string LinhaTotais() const {
        std::vector<std::string> c{"SOMA GERAL", "", "", Numero("@n-16`3b", totais_.entQuantidade, "04"),
                                   Numero("@n-15`2b", totais_.entBase, "05"), "", "",
                                   Numero("@n-16`3b", totais_.saiQuantidade, "08"), ""};
        for (std::size_t i = 0; i < fiscal::kValores; ++i)
            c.push_back(Numero("@n-15`2b", totais_.valores[i], kTitulosValores[i]));
        Anexa(c, Vazios(3));
        return Junta(c, true);
    }

    report::Outcome BlocoResumo() {
        const std::string contribuinte =
            std::string(text::clip(text::sub(std::to_string(periodo_.empresa) + " - " + std::string(text::clip(empresa_.razao)) +
                                                 " ( " + std::string(text::clip(empresa_.cidade)) + " ) ",
                                             1, 80)));
        std::vector<std::string> l5{"Contribuinte:", contribuinte};
        Anexa(l5, Vazios(9));
        Anexa(l5, {W("Inscrição Estadual:"), fiscal::colunas_csv::Texto(empresa_.inscricao, 20)});
        std::vector<std::string> linhas{
            "",
            "",
            ";;;;;;RESUMO",
            W(";;;;Controle de Estoque - Mercadorias Enquadradas na Substituição Tributária"),
            W(";;;;;( Critério de Avaliação Valor Médio Ponderado Móvel )"),
            Junta(l5, false),
            W("Endereço:;") + std::string(text::clip(text::sub(empresa_.endereco, 1, 70))),
            W("Mês e Ano Referência:;") + MesAno(),
            W(";;;;;;;;;;;SAÍDAS;;;;;;SALDOS;;"),
            W(";;;;;;;;;VALOR DA BASE DE CÁLCULO DA RETENÇÃO;;;;;VALOR CONFRONTO;;;   BASE RETENÇÃO;"),
            W(";;;;;;;;;Saída Usuário;Fato Gerador ;Saída Isenta ;Saída Outro;Saída com  ;Base Efetiva;Base Entrada;"
              "Quantidade;Valor;Valor;"),
            W(";;;;;;;;;Final        ;não Realizado;não Incidente;Estado     ;Subsequente;Cons. Final ;Dem. Hip.   ;"
              "          ;Unit.;Total;"),
            W("Código;Descrição;;;;;;;;     10      ;     11      ;      12     ;    13     ;    14     ;     15     ;"
              "     16     ;    17    ; 18  ; 19  ;"),
        };
        std::array<Decimal, fiscal::kValores> geral{};
        for (const auto& [codigo, e] : resumo_) {
            std::vector<std::string> c{Numero("@n-13", codigo, W("Código")),
                                       fiscal::colunas_csv::Texto(codigo.is_zero() ? "SALDO ANTERIOR" : e.descricao, 50)};
            Anexa(c, Vazios(7));
            for (std::size_t i = 0; i < fiscal::kValores; ++i) {
                c.push_back(Numero("@n-15`2", e.somas[i], kTitulosValores[i]));
                geral[i] = geral[i] + e.somas[i];
            }
            c.push_back(Numero("@n-19`3", e.saldo.quantidade, "17"));
            c.push_back(Numero("@n-15`6", e.saldo.unitario, "18"));
            c.push_back(Numero("@n-15`2", e.saldo.base, "19"));
            linhas.push_back(Junta(c, true));
        }
        linhas.push_back("");
        std::vector<std::string> soma{"SOMA GERAL"};
        Anexa(soma, Vazios(8));
        for (std::size_t i = 0; i < fiscal::kValores; ++i) soma.push_back(Numero("@n-15`2", geral[i], kTitulosValores[i]));
        Anexa(soma, Vazios(3));
        linhas.push_back(Junta(soma, true));
        for (const std::string& l : linhas)
            if (report::Outcome o = Grava(l); !o.ok()) return o;
        return report::Outcome::success();
    }

    shell::ExportacaoInteira& arquivo_;
    shell::EmpresaPeriodo periodo_;
    const OpcoesPlanilhaExcel& opcoes_;
    fiscal::estilo::Empresa empresa_;
    shell::AbertaNoAno produtos_;  // the company's products
    Aberta cfo_;                   // the office's CFOP register
    shell::AliquotasAbertas taxas_;  // each product's rate read at the company's files
    fiscal::ColunasDoCfo colunas_{cfo_.f, fiscal::EstadoDoCfo::SemEstado};  // each CFOP read once a run
    std::vector<std::pair<int, int>> desconhecidos_;
    std::optional<Decimal> atual_;  // the product whose block was written last
    fiscal::TotaisPlanilha totais_;
    Saldo fecho_;                   // the balance after the current product's last row read
    std::map<Decimal, EntradaResumo> resumo_;  // this run's summary, by product code
    std::optional<Decimal> resumoDe_;
    EntradaResumo* resumoAtual_ = nullptr;
};

}  // namespace

ResultadoPlanilhaExcel GravaPlanilhaExcel(std::string_view trabalho, const shell::EmpresaPeriodo& periodo,
                                          const OpcoesPlanilhaExcel& opcoes, const ProgressoPlanilha& progresso) {
    ResultadoPlanilhaExcel r;
    shell::ExportacaoInteira arquivo(opcoes.caminho);
    data::FileManager esa(dictionary::EntradaSaidaVorel());
    if (!esa.open_path(trabalho).ok()) {
        r.saida = report::Outcome::failure("Não foi possível abrir a tabela de trabalho (EntradaSaidaVorel).");
        return r;
    }
    struct Fecha {
        data::FileManager& f;
        ~Fecha() { (void)f.close(); }
    } fecha{esa};
    // One pass in key order over the table: a small page cache keeps the memory flat however many
    // rows the month has.
    (void)esa.send("CacheKiB=1024");
    if (r.saida = arquivo.Abre(); !r.saida.ok()) return r;
    try {
        Escritor escritor(arquivo, periodo, opcoes);
        // One lock over the run's reads: each read outside it would take and drop the files' locks.
        // Nothing is written; it is rolled back at the end.
        std::vector<data::FileManager*> tabelas = escritor.Tabelas();
        tabelas.push_back(&esa);
        data::Transaction leitura(tabelas, 10);
        if (!leitura.status().ok()) {
            r.saida = report::Outcome::failure("As tabelas estão em uso por outra estação; tente de novo.");
            return r;
        }
        if (r.saida = escritor.Titulos(); !r.saida.ok()) return r;
        const long long total = esa.records();
        (void)fiscal::LeSoCamposDaLinha(esa);
        const auto& linha = esa.rec<EntradaSaidaVorelRec>();
        if (!esa.set(keys::ESA_KEY_DATA_ENTSAI_NUM_AUX).ok()) {
            r.saida = report::Outcome::failure("Não foi possível ler a tabela de trabalho (EntradaSaidaVorel).");
            return r;
        }
        long long lidos = 0;
        while (true) {
            const data::Result lido = esa.next();
            if (!lido.ok()) {
                if (lido != data::kRecordNotAvailable) {
                    r.saida = report::Outcome::failure("Erro lendo a tabela de trabalho (EntradaSaidaVorel).");
                    return r;
                }
                break;
            }
            if (r.saida = escritor.Linha(linha); !r.saida.ok()) return r;
            if (progresso) {
                const PassoPlanilha p = progresso(++lidos, total);
                if (p == PassoPlanilha::Interrompe) {
                    r.saida = report::Outcome::failure("Exportação interrompida.");
                    return r;
                }
                if (p == PassoPlanilha::Cancela) {
                    r.cancelado = true;
                    break;
                }
            }
        }
        if (r.saida = escritor.Fim(); !r.saida.ok()) return r;
        r.cfosDesconhecidos = escritor.desconhecidos();
    } catch (const fiscal::colunas_csv::NaoCabe& e) {
        r.saida = report::Outcome::failure(e.what());
        return r;
    }
    r.saida = arquivo.Conclui();
    return r;
}

}  // namespace vorel::exports
