// The final sheets of the permanent method, from `ResumoFinal` (vorel/computation/folhas_resumo.h):
// by rate (five rate columns to a page, then "Totais"), by supplier model 01 (the same page for
// each supplier, then a summary page) and model 02 (a landscape table, one line per supplier and
// rate, running sums and the balance in the page footer).
//
// The column sheets lay out every page before printing: a page is one band that fills the page
// (header, labels, its columns, footer), so each footer shows the balances as they stood when its
// page ended.
#include <algorithm>
#include <cstdio>
#include <map>

#include "vorel/computation/folhas_resumo.h"
#include "vorel/computation/resumo_final.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/shell/office_settings.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation {

namespace {

namespace keys = dictionary::keys;
using dictionary::ResumoFinalRec;
using report::Align;
using report::BandPainter;
using report::Mils;

constexpr const char* kTitulo = "MÉTODO PERMANENTE - APURAÇÃO DO IMPOSTO A SER COMPLEMENTADO OU RESSARCIDO";
constexpr const char* kSaldoComplemento = "SALDO DO IMPOSTO A SER COMPLEMENTADO TOTAL DO 11 ( - ) TOTAL DO 12";
constexpr const char* kSaldoRessarcimento = "SALDO DO IMPOSTO A SER RESSARCIDO TOTAL DO 12 ( - ) TOTAL 11";

using fiscal::estilo::Fonte;
using fiscal::estilo::W;

// An amount of a sheet: points between thousands, a comma before the decimals; blank or 0,00 for zero.
std::string Valor(const Decimal& v, bool zeroEmBranco) {
    return std::string(text::trim(picture::format(zeroEmBranco ? "@n-15`2b" : "@n-15`2", v)));
}

// The company of the sheets' headings, its texts without trailing blanks.
fiscal::estilo::Empresa EmpresaDasFolhas(std::uint32_t codigo) {
    fiscal::estilo::Empresa e = fiscal::estilo::LeEmpresa(codigo);
    for (std::string* t : {&e.razao, &e.cgc, &e.inscricao}) *t = std::string(text::clip(*t));
    return e;
}

std::vector<ResumoFinalRec> LeResumo(data::FileManager& resumo, data::KeyName chave, bool semZerados) {
    std::vector<ResumoFinalRec> out;
    resumo.clear_record();
    if (!resumo.set(chave).ok()) return out;
    while (resumo.next().ok()) {
        const auto& r = resumo.rec<ResumoFinalRec>();
        if (!semZerados || !ResumoZerado(r)) out.push_back(r);
    }
    return out;
}

std::vector<Decimal> Soma(std::vector<Decimal> a, const std::vector<Decimal>& b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) a[i] = a[i] + b[i];
    return a;
}

// ---- the column sheets (by rate, and model 01 by supplier) ----

// A column of the value area: a rate's or the closing "Totais".
struct Coluna {
    std::string topo;  // "18,00 %" or "Totais" (Windows-1252)
    std::vector<Decimal> valores;
    bool totais = false;
};
struct PaginaColunas {
    std::vector<Coluna> colunas;
    std::string fornecedor;  // the supplier line (model 01), Windows-1252
    bool mostraSaldo = false;
    SaldoImposto saldo;
};

constexpr Mils kAreaX = 3948, kAreaY = 1052, kAreaLargura = 4104;
constexpr Mils kColuna = 708, kColunaTotais = 698;
constexpr Mils kRodapeY = 3969;

// The label rows, top to bottom: group titles (0) and the twelve lines (1..12).
struct Rotulo {
    int linha;
    const char* texto;
};
constexpr Rotulo kRotulos[] = {
    {0, "APURAÇÃO DA BASE DE CÁLCULO DA RETENÇÃO"},
    {1, "1) Base Cál. Retenção Saídas Cons. Usu. Final"},
    {2, "2) Base Cál. Ret. Baixa Estoque Não Ocorrido Fato Gerador"},
    {3, "3) Base Cál. Retenção Saídas Isentas Não Incidentes"},
    {4, "4) Base Cál. Retenção Saídas para Outro Estado"},
    {5, "5) Soma das Base Cál. Retenção nos Eventos Acima (1+2+3+4)"},
    {0, "APURAÇÃO DO VALOR DE CONFRONTO"},
    {6, "6) Base Cál. Efetivas Saídas Cons. Final"},
    {7, "7) Base Cál. Efetivas Entradas Demais Hipóteses"},
    {8, "8) Total da Base de Cálculo Efetiva nos Eventos Acima ( 6 + 7 )"},
    {0, "APU. IMP. A SER COMPLEMENTADO OU RESSARCIDO"},
    {9, "9) Dif. Base Cál. Imposto a ser Complementado"},
    {10, "10) Dif. Base Cál. Imposto a ser Ressarcido"},
    {11, "11) Valor Imp. a ser Complementado (9 x Alíquota Aplicável)"},
    {12, "12) Valor Imp. a ser Ressarcido ( 10 x Alíquota Aplicável )"},
};
constexpr Mils kRotuloY = kAreaY + 190, kRotuloPasso = 180;

// Lays the columns out left to right: a column starts a new page when it does not fit.
std::vector<PaginaColunas> Paginas(const std::vector<Coluna>& colunas) {
    std::vector<PaginaColunas> paginas(1);
    Mils x = 0;
    for (const Coluna& c : colunas) {
        const Mils largura = c.totais ? kColunaTotais : kColuna;
        if (x + largura > kAreaLargura) {
            paginas.emplace_back();
            x = 0;
        }
        paginas.back().colunas.push_back(c);
        x += largura;
    }
    return paginas;
}

Coluna ColunaDoRegistro(const ResumoFinalRec& r) {
    return {r.PERCENTUAL.value().to_fixed(2, ',') + "%", LinhasDoResumo(r), false};
}

class FolhaColunas {
public:
    FolhaColunas(const shell::EmpresaPeriodo& periodo, std::string nome, int pagina, bool porFornecedor)
        : periodo_(periodo), pagina_(pagina), porFornecedor_(porFornecedor), relatorio_(Setup(std::move(nome))) {
        empresa_ = EmpresaDasFolhas(periodo.empresa);
        rodape_ = std::string(text::clip(shell::RodapeRelatorio()));
    }

    void Adiciona(std::vector<PaginaColunas> p) {
        for (auto& x : p) paginas_.push_back(std::move(x));
    }
    report::ReportController& relatorio() { return relatorio_; }
    report::RecordLoop Laco() {
        report::RecordLoop loop;
        loop.total = paginas_.size();
        loop.next = [this] { return ++atual_ < paginas_.size(); };
        loop.on_record = [this](report::ReportController& r) {
            if (atual_ > 0) r.page_break();
            r.print(Corpo(paginas_[atual_]));
        };
        return loop;
    }

private:
    static report::ReportSetup Setup(std::string nome) {
        report::ReportSetup s;
        s.title = std::move(nome);
        s.paper = report::Paper::a4();
        s.left = 0;
        s.detail_top = 0;
        s.detail_height = 4500;
        s.footer_top = 4500;
        return s;
    }

    report::Band Corpo(const PaginaColunas& pg) const {
        return {4500, [this, pg](BandPainter& p) {
                    const report::Font f7 = Fonte(7), n7 = Fonte(7, true), f8 = Fonte(8), n8 = Fonte(8, true);
                    p.text({250, 150, 700, 160}, "Empresa:", n8);
                    p.text({950, 150, 4000, 160}, empresa_.razao, f8);
                    p.text({5100, 150, 500, 160}, "CNPJ:", n8);
                    p.text({5600, 150, 1600, 160}, picture::format("@p##.###.###/####-##p", empresa_.cgc), f8);
                    p.text({250, 330, 700, 160}, W("Período:"), n8);
                    p.text({950, 330, 1000, 160},
                           std::to_string(periodo_.mes) + "/" + picture::format("@n04", periodo_.ano), f8);
                    p.text({250, 520, 7800, 200}, W(kTitulo), Fonte(9, true), Align::Center);
                    if (porFornecedor_) p.text({250, 730, 7800, 160}, pg.fornecedor, n8);
                    p.text({250, 900, 3650, 150}, W("TÍTULO"), n7, Align::Center);
                    p.text({kAreaX, 900, kAreaLargura, 150}, W("Valores por Alíquotas"), n7, Align::Center);
                    p.box({250, kAreaY, kAreaX + kAreaLargura - 250, 3010});
                    for (std::size_t i = 0; i < std::size(kRotulos); ++i)
                        p.text({300, kRotuloY + static_cast<Mils>(i) * kRotuloPasso, 3600, 150}, W(kRotulos[i].texto),
                               kRotulos[i].linha == 0 ? n7 : f7);
                    Mils x = kAreaX;
                    for (const Coluna& c : pg.colunas) {
                        const Mils largura = c.totais ? kColunaTotais : kColuna;
                        p.text({x, kAreaY + 20, largura - 20, 150}, c.topo, n7, Align::Right);
                        for (std::size_t i = 0; i < std::size(kRotulos); ++i) {
                            const int linha = kRotulos[i].linha;
                            if (linha == 0 || c.valores.empty()) continue;
                            p.text({x, kRotuloY + static_cast<Mils>(i) * kRotuloPasso, largura - 20, 150},
                                   Valor(c.valores[static_cast<std::size_t>(linha - 1)], true), f7, Align::Right);
                        }
                        x += largura;
                    }
                    p.text({250, kRodapeY + 100, 6000, 150}, kSaldoComplemento, n7);
                    p.text({6300, kRodapeY + 100, 1700, 150}, pg.mostraSaldo ? Valor(pg.saldo.complemento, true) : "", f7,
                           Align::Right);
                    p.text({250, kRodapeY + 270, 6000, 150}, kSaldoRessarcimento, n7);
                    p.text({6300, kRodapeY + 270, 1700, 150}, pg.mostraSaldo ? Valor(pg.saldo.ressarcimento, true) : "",
                           f7, Align::Right);
                    p.text({250, kRodapeY + 440, 6000, 150}, rodape_, f7);
                    p.text({6300, kRodapeY + 440, 1000, 150}, W("Página:"), n7);
                    p.text({7300, kRodapeY + 440, 700, 150}, std::to_string(pagina_), f7, Align::Right);
                }};
    }

    const shell::EmpresaPeriodo periodo_;
    int pagina_;
    bool porFornecedor_;
    fiscal::estilo::Empresa empresa_;
    std::string rodape_;
    std::vector<PaginaColunas> paginas_;
    std::size_t atual_ = static_cast<std::size_t>(-1);
    report::ReportController relatorio_;
};

// The by-rate sheet's pages: the balances appear on the page that ends after the last rate was read.
std::vector<PaginaColunas> PaginasPorAliquota(const std::vector<ResumoFinalRec>& registros) {
    std::vector<Coluna> colunas;
    std::vector<Decimal> totais(12);
    for (const auto& r : registros) {
        colunas.push_back(ColunaDoRegistro(r));
        totais = Soma(totais, LinhasDoResumo(r));
    }
    colunas.push_back({"Totais", totais, true});
    const SaldoImposto saldo = SaldoDoImposto(totais[10], totais[11]);
    std::vector<PaginaColunas> paginas = Paginas(colunas);
    // A page ends when the first column of the next is printed (or at the end); the last rate is
    // the column before "Totais".
    std::size_t antes = 0;
    for (std::size_t k = 0; k < paginas.size(); ++k) {
        antes += paginas[k].colunas.size();
        const bool ultima = k + 1 == paginas.size();
        paginas[k].mostraSaldo = ultima || antes + 1 >= colunas.size() - 1;
        paginas[k].saldo = saldo;
    }
    return paginas;
}

// Model 01: a page (or more) for each supplier with its "Totais"; a page of its own for every
// record of supplier 0; the summary page.
std::vector<PaginaColunas> PaginasModelo01(const std::vector<ResumoFinalRec>& registros) {
    std::vector<PaginaColunas> out;
    std::vector<Decimal> geral(12);
    auto fecha = [&out](std::vector<Coluna> colunas, const std::string& rotulo) {
        std::vector<Decimal> soma(12);
        for (const auto& c : colunas) soma = Soma(soma, c.valores);
        colunas.push_back({"Totais", soma, true});
        for (auto& p : Paginas(colunas)) {
            p.fornecedor = rotulo;
            p.mostraSaldo = true;
            p.saldo = SaldoDoImposto(soma[10], soma[11]);
            out.push_back(std::move(p));
        }
    };
    std::vector<Coluna> atual;
    std::string rotulo;
    std::uint32_t anterior = 0;
    for (const auto& r : registros) {
        if (anterior != 0 && anterior != r.COD_FORNECEDOR) {
            fecha(std::move(atual), rotulo);
            atual.clear();
        }
        geral = Soma(geral, LinhasDoResumo(r));
        rotulo = W(RotuloFornecedor(r.COD_FORNECEDOR));
        anterior = r.COD_FORNECEDOR;
        atual.push_back(ColunaDoRegistro(r));
        if (r.COD_FORNECEDOR == 0) {
            fecha(std::move(atual), rotulo);
            atual.clear();
        }
    }
    if (!atual.empty() || anterior == 0) {
        // The last supplier's "Totais" (an empty one under a blank supplier line when the last
        // record closed its own page, or there were none).
        if (atual.empty()) {
            PaginaColunas vazia;
            vazia.colunas.push_back({"Totais", {}, true});
            out.push_back(std::move(vazia));
        } else {
            fecha(std::move(atual), rotulo);
        }
    }
    PaginaColunas resumo;
    resumo.fornecedor = "RESUMO PLANILHA FINAL POR FORNECEDORES";
    resumo.colunas.push_back({"Totais", geral, true});
    resumo.mostraSaldo = true;
    resumo.saldo = SaldoDoImposto(geral[10], geral[11]);
    out.push_back(std::move(resumo));
    return out;
}

// ---- model 02 ----

constexpr Mils kFornecedorLargura = 2300, kAliqLargura = 450, kValorLargura = 690, kMargem = 250;

Mils ColunaX(int i) { return kMargem + kFornecedorLargura + kAliqLargura + static_cast<Mils>(i) * kValorLargura; }

constexpr const char* kTitulos02[12][3] = {
    {"Base Cál.", "Consumidor", "Usua. Final"}, {"Base Cál.", "Baixa Est.", "Fato Ger."},
    {"Base Cál.", "Saídas", "Isentas"},         {"Base Cál.", "Saídas", "Outro Est."},
    {"Soma", "Retenção", "(1+2+3+4)"},          {"Base Efet.", "Saídas", "Cons. Final"},
    {"Base Efet.", "Entradas", "Demais Hip."},  {"Soma", "Confronto", "(6+7)"},
    {"Dif. Base", "a ser Com-", "plementado"},  {"Dif. Base", "a ser Res-", "sarcido"},
    {"Valor Imp a", "ser Comple-", "mentado"},  {"Valor Imp a", "ser Res-", "sarcido"},
};

class Modelo02 {
public:
    Modelo02(const shell::EmpresaPeriodo& periodo, std::vector<ResumoFinalRec> registros)
        : periodo_(periodo), registros_(std::move(registros)), relatorio_(Setup()) {
        empresa_ = EmpresaDasFolhas(periodo.empresa);
        rodape_ = std::string(text::clip(shell::RodapeRelatorio()));
        mostraEndereco_ = shell::LeOpcoesEscritorio(shell::PastaRaiz.Get()).enderecoPlanilha == 1;
        for (const auto& r : registros_) ++porFornecedor_[r.COD_FORNECEDOR];
        Bandas();
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        loop.total = registros_.size();
        loop.next = [this] { return ++atual_ < registros_.size(); };
        loop.on_record = [this](report::ReportController& r) {
            const ResumoFinalRec& reg = registros_[atual_];
            if (anterior_ != 0 && anterior_ != reg.COD_FORNECEDOR) Recomeca();
            const auto linhas = LinhasDoResumo(reg);
            ++contagem_;
            somaFornecedor_ = Soma(somaFornecedor_, linhas);
            geral_ = Soma(geral_, linhas);
            if (contagem_ == porFornecedor_[reg.COD_FORNECEDOR]) {
                const SaldoImposto s = SaldoDoImposto(somaFornecedor_[10], somaFornecedor_[11]);
                rodape_saldo_.complemento = rodape_saldo_.complemento + s.complemento;
                rodape_saldo_.ressarcimento = rodape_saldo_.ressarcimento + s.ressarcimento;
            }
            if (atual_ + 1 == registros_.size()) rodape_saldo_ = SaldoDoImposto(geral_[10], geral_[11]);
            anterior_ = reg.COD_FORNECEDOR;
            r.print(Linha(W(RotuloFornecedor(reg.COD_FORNECEDOR)), reg.PERCENTUAL.value(), linhas));
            if (reg.COD_FORNECEDOR == 0) Recomeca();
        };
        return loop;
    }

private:
    static report::ReportSetup Setup() {
        report::ReportSetup s;
        s.title = "PlanilhaFinalProdutos_Fornecedor_02";
        s.paper = report::Paper::a4();
        s.orientation = report::Orientation::Landscape;
        s.left = 0;
        s.header_top = 250;
        s.detail_top = 250 + 1500;
        s.footer_top = 8268 - 250 - 900;
        s.detail_height = s.footer_top - s.detail_top;
        return s;
    }

    void Recomeca() {
        somaFornecedor_.assign(12, Decimal(0));
        contagem_ = 0;
    }

    static report::Band Linha(std::string fornecedor, Decimal aliquota, std::vector<Decimal> v) {
        return {170, [fornecedor = std::move(fornecedor), aliquota, v = std::move(v)](BandPainter& p) {
                    const report::Font f = Fonte(6);
                    p.text({kMargem, 10, kFornecedorLargura - 20, 150}, fornecedor, f);
                    p.text({kMargem + kFornecedorLargura, 10, kAliqLargura - 20, 150}, aliquota.to_fixed(2), f,
                           Align::Right);
                    for (int i = 0; i < 12; ++i)
                        p.text({ColunaX(i), 10, kValorLargura - 20, 150}, Valor(v[static_cast<std::size_t>(i)], false), f,
                               Align::Right);
                }};
    }

    void Bandas() {
        relatorio_.set_page_header({1500, [this](BandPainter& p) {
            const report::Font n = Fonte(8, true), f = Fonte(8), t = Fonte(6, true);
            p.text({kMargem, 0, 10700, 200}, W(kTitulo), Fonte(10, true), Align::Center);
            p.text({kMargem, 260, 1300, 160}, "Contribuinte :", n);
            p.text({kMargem + 1300, 260, 5000, 160}, empresa_.razao, f);
            p.text({kMargem, 430, 1300, 160}, W("Inscrição Estadual :"), n);
            p.text({kMargem + 1300, 430, 2500, 160}, empresa_.inscricao, f);
            p.text({kMargem + 4000, 430, 1800, 160}, W("Mês e Ano Referência :"), n);
            p.text({kMargem + 5800, 430, 1000, 160},
                   std::to_string(periodo_.mes) + "/" + std::to_string(periodo_.ano), f);
            if (mostraEndereco_) {
                p.text({kMargem, 600, 1300, 160}, W("Endereço :"), n);
                p.text({kMargem + 1300, 600, 6000, 160}, empresa_.endereco, f);
            }
            p.text({ColunaX(0), 800, 5 * kValorLargura, 150}, W("APURAÇÃO DA BASE DE CÁLCULO"), t, Align::Center);
            p.text({ColunaX(0), 950, 5 * kValorLargura, 150}, W("RETENÇÃO"), t, Align::Center);
            p.text({ColunaX(5), 800, 3 * kValorLargura, 150}, W("APURAÇÃO VALOR"), t, Align::Center);
            p.text({ColunaX(5), 950, 3 * kValorLargura, 150}, "CONFRONTO", t, Align::Center);
            p.text({ColunaX(8), 800, 4 * kValorLargura, 150}, W("APURAÇÃO IMPOSTO A SER"), t, Align::Center);
            p.text({ColunaX(8), 950, 4 * kValorLargura, 150}, W(" COMPLEMENTADO OU RESSARCIDO"), t, Align::Center);
            p.text({kMargem, 1100, kFornecedorLargura, 150}, "FORNECEDOR", t);
            p.text({kMargem, 1250, kFornecedorLargura, 150}, W("Razão Social / Nome"), t);
            p.text({kMargem + kFornecedorLargura, 1100, kAliqLargura, 150}, "Aliq.", t, Align::Center);
            for (int i = 0; i < 12; ++i) {
                char numero[3];
                std::snprintf(numero, sizeof numero, "%02d", i + 1);
                p.text({ColunaX(i), 1100, kValorLargura, 130}, numero, t, Align::Center);
                for (int k = 0; k < 3; ++k)
                    p.text({ColunaX(i), 1230 + k * 90, kValorLargura, 90}, W(kTitulos02[i][k]), Fonte(5), Align::Center);
            }
            p.line(kMargem, 1495, ColunaX(12), 1495);
        }});
        relatorio_.set_page_footer({900, [this](BandPainter& p) {
            const report::Font n = Fonte(6, true), f = Fonte(6);
            p.line(kMargem, 0, ColunaX(12), 0);
            p.text({kMargem, 20, kFornecedorLargura, 150}, "Soma Geral", n);
            for (int i = 0; i < 12; ++i)
                p.text({ColunaX(i), 20, kValorLargura - 20, 150}, Valor(geral_[static_cast<std::size_t>(i)], false), f,
                       Align::Right);
            p.text({kMargem, 250, 6000, 150}, kSaldoComplemento, n);
            p.text({ColunaX(11), 250, kValorLargura - 20, 150}, Valor(rodape_saldo_.complemento, false), f, Align::Right);
            p.text({kMargem, 420, 6000, 150}, kSaldoRessarcimento, n);
            p.text({ColunaX(11), 420, kValorLargura - 20, 150}, Valor(rodape_saldo_.ressarcimento, false), f, Align::Right);
            p.text({kMargem, 620, 8000, 150}, rodape_, f);
            p.text({ColunaX(10), 620, kValorLargura, 150}, W("Página:"), n);
            p.page_text({ColunaX(11), 620, kValorLargura - 20, 150}, "{page}", f, Align::Right);
        }});
    }

    const shell::EmpresaPeriodo periodo_;
    std::vector<ResumoFinalRec> registros_;
    fiscal::estilo::Empresa empresa_;
    std::string rodape_;
    bool mostraEndereco_ = false;
    std::map<std::uint32_t, int> porFornecedor_;
    std::size_t atual_ = static_cast<std::size_t>(-1);
    std::uint32_t anterior_ = 0;
    int contagem_ = 0;
    std::vector<Decimal> somaFornecedor_ = std::vector<Decimal>(12), geral_ = std::vector<Decimal>(12);
    SaldoImposto rodape_saldo_;
    report::ReportController relatorio_;
};

// The sheet's view of `ResumoFinal` in its order; when it cannot be set the warning is shown and
// the sheet stops (it never prints as though the table were empty).
bool AbreVisao(data::FileManager& resumo, data::KeyName chave) {
    resumo.clear_record();
    if (resumo.set(chave).ok()) return true;
    data::AvisoPadraoSemTexto(36);
    return false;
}

shell::OpcoesRelatorio Opcoes(const char* nome) {
    shell::OpcoesRelatorio o;
    o.nome = nome;
    o.gravaRViewer = true;
    o.anexo = "PlanilhaFinalProdutos.zip";
    o.email = shell::CapturaCamposEmail();
    return o;
}

}  // namespace

report::Document DocumentoPlanilhaFinal(const shell::EmpresaPeriodo& periodo, data::FileManager& resumo, int modelo,
                                        int paginaInicial) {
    if (modelo == 2) {
        Modelo02 m(periodo, LeResumo(resumo, keys::RFC_KEY_FORALIQ, true));
        report::RecordLoop loop = m.Laco();
        return report::run_report(m.relatorio(), loop).document;
    }
    FolhaColunas f(periodo, modelo == 1 ? "PlanilhaFinalProdutos_Fornecedor" : "PlanilhaFinalProdutos", paginaInicial,
                   modelo == 1);
    if (modelo == 1)
        f.Adiciona(PaginasModelo01(LeResumo(resumo, keys::RFC_KEY_FORALIQ, true)));
    else if (auto r = LeResumo(resumo, keys::RFC_KEY_NUMERO, false); !r.empty())
        f.Adiciona(PaginasPorAliquota(r));
    report::RecordLoop loop = f.Laco();
    return report::run_report(f.relatorio(), loop).document;
}

void PlanilhaFinalProdutos(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo, data::FileManager& resumo,
                           int paginaInicial) {
    data::ProcedureScope procedimento("PlanilhaFinalProdutos");
    if (!AbreVisao(resumo, keys::RFC_KEY_NUMERO)) return;
    const auto registros = LeResumo(resumo, keys::RFC_KEY_NUMERO, false);
    FolhaColunas f(periodo, "PlanilhaFinalProdutos", paginaInicial, false);
    if (!registros.empty()) f.Adiciona(PaginasPorAliquota(registros));
    ctx.response = shell::ExecutaRelatorio(ctx, f.relatorio(), f.Laco(), Opcoes("PlanilhaFinalProdutos"));
}

void PlanilhaFinalProdutosFornecedor(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo,
                                     data::FileManager& resumo, int paginaInicial) {
    data::ProcedureScope procedimento("PlanilhaFinalProdutos_Fornecedor");
    if (!AbreVisao(resumo, keys::RFC_KEY_FORALIQ)) return;
    FolhaColunas f(periodo, "PlanilhaFinalProdutos_Fornecedor", paginaInicial, true);
    f.Adiciona(PaginasModelo01(LeResumo(resumo, keys::RFC_KEY_FORALIQ, true)));
    ctx.response = shell::ExecutaRelatorio(ctx, f.relatorio(), f.Laco(), Opcoes("PlanilhaFinalProdutos_Fornecedor"));
}

void PlanilhaFinalProdutosFornecedor02(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo,
                                       data::FileManager& resumo) {
    data::ProcedureScope procedimento("PlanilhaFinalProdutos_Fornecedor_02");
    if (!AbreVisao(resumo, keys::RFC_KEY_FORALIQ)) return;
    Modelo02 m(periodo, LeResumo(resumo, keys::RFC_KEY_FORALIQ, true));
    ctx.response = shell::ExecutaRelatorio(ctx, m.relatorio(), m.Laco(), Opcoes("PlanilhaFinalProdutos_Fornecedor_02"));
}

}  // namespace vorel::computation
