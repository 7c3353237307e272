// The vehicle sheet's pages (models 0 and 1): the heading with the company, period and rate, the
// 17 numbered columns under their groups, one framed line per work row, and the block of sums and
// balances in every page's footer and once after the last line.
#include <vector>

#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/computation/planilha_veiculos_paginas.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::computation {

namespace {

using report::Align;
using report::BandPainter;
using report::Font;
using report::Mils;
using fiscal::estilo::Mm;
using fiscal::estilo::W;

Font F(const char* familia, int pontos, bool negrito = false) {
    Font f;
    f.family = familia;
    f.points = pontos;
    f.bold = negrito;
    f.fixed_pitch = familia[0] == 'C';
    return f;
}
Font Times(int pontos, bool negrito = false) { return F("Times New Roman", pontos, negrito); }
Font Arial(int pontos) { return F("Arial", pontos); }
Font Courier(int pontos) { return F("Courier New", pontos); }

std::string Data(date::Day d) { return d ? picture::format("@d06b", Decimal(d)) : std::string(); }
std::string Numero(std::uint32_t n) { return n ? std::to_string(n) : std::string(); }
std::string Valor(const Decimal& v) { return std::string(text::trim(picture::format("@n-15`2b", v))); }
std::string Soma(const Decimal& v) { return std::string(text::trim(picture::format("@n-15`2", v))); }

constexpr double kEsquerda = 2, kDireita = 265;

// A column: its borders in millimetres and its heading lines.
struct Coluna {
    double de, ate;
    std::vector<const char*> titulo;
};

// The columns 01 to 17 of a model (model 1 has the line-number column in front of 01).
std::vector<Coluna> Colunas(int modelo) {
    std::vector<Coluna> c = {
        {2, 34, {"Identificação do Veículo"}},
        {34, 50, {"Data"}},
        {50, 62, {"Número"}},
        {62, 67, {"Sé-", "rie"}},
        {67, 86, {"Base de Cál-", "culo Opera-", "ção Propia", "do Substituido"}},
        {86, 104, {"Base de Cál-", "culo da Re-", "tenção"}},
        {104, 119, {"Data"}},
        {119, 130, {"Número"}},
        {130, 135, {"Sé-", "rie"}},
        {135, 152.5, {"Base de Cál-", "culo Reten-", "ção Saida", "Comercializa-", "ção"}},
        {152.5, 171, {"Base de Cál-", "culo Efetiva", "na Saída Con-", "sumidor Final"}},
        {171, 188, {"Base de Cál-", "culo Efetiva ", "na Entrada"}},
        {188, 207, {"Base de Cal-", "culo Retenção", "Estoque Re-", "manecente"}},
        {207, 223.5, {"Complemen-", "to Imposto"}},
        {223.5, 237, {"Total", "Exedente"}},
        {237, 251, {"Parcela p/", "Cálculo do", "Ressarci-", "mento"}},
        {251, 265, {"Parcela p/", "Cálculo da", "Compen-", "sação"}},
    };
    if (modelo == 1) {
        c[0] = {5, 36, {"Identificação", "do Veículo"}};
        c[1] = {36, 51, {"Data"}};
        c[2] = {51, 62, {"Número"}};
    }
    return c;
}

// A heading group over columns `de` to `ate` (1-based), on row `nivel` (0 the top one).
struct Grupo {
    int de, ate, nivel;
    const char* texto;
};
constexpr Grupo kGrupos[] = {
    {2, 6, 0, "ENTRADAS"},          {7, 12, 0, "SAÍDAS"},
    {14, 17, 0, "Dif. da Base de Cálculo"},
    {2, 4, 1, "Documento Fiscal"},  {7, 9, 1, "Documento Fiscal"},
    {11, 12, 1, "Valor de Confronto"}, {15, 17, 1, "Para Efeito Ressarcimento Imp."},
};

constexpr double kTopoColunas = 18, kNivel = 4, kNumeros = 39, kFimCabecalho = 43;

// How many groups lie over both columns a and b (1-based; 0 stands for the left edge).
int GruposSobre(int a, int b) {
    int n = 0;
    for (const Grupo& g : kGrupos) n += (a >= g.de && a <= g.ate && b >= g.de && b <= g.ate) ? 1 : 0;
    return n;
}

report::Rect Caixa(double x, double y, double w, double h) { return {Mm(x), Mm(y), Mm(w), Mm(h)}; }

void Cabecalho(BandPainter& p, int modelo, const CabecalhoVeiculos& cab, const std::vector<Coluna>& colunas) {
    auto regua = [&](double y) { p.line(Mm(kEsquerda), Mm(y), Mm(kDireita), Mm(y)); };
    regua(1);
    p.text(Caixa(75, 1.2, 150, 3.8), W("Controle de Estoque - Veículo e Motos com Substituição Tributária"), Times(11, true));
    regua(5);
    p.text(Caixa(114, 5.4, 70, 3.4), W("( Critério de Avaliação Esp" "ecífica )"), Times(9));
    p.text(Caixa(modelo == 1 ? 213 : 241, 5.6, 20, 3.2), "Modelo 4", Times(8));
    if (modelo == 1) {
        p.text(Caixa(236, 5.6, 12, 3.2), W("Emissão:"), Times(8));
        p.text(Caixa(248, 5.6, 17, 3.2), Data(cab.emissao), Times(8));
    }
    regua(9);
    p.text(Caixa(3, 9.5, 22, 4), "Contribuinte :", Times(10));
    p.text(Caixa(25, 9.5, 135, 4), std::string(text::clip(cab.razao.substr(0, 40))), Times(10));
    p.text(Caixa(163, 9.5, 30, 4), W("Inscrição Estadual :"), Times(10));
    p.text(Caixa(193, 9.5, 40, 4), std::string(text::clip(cab.inscricao.substr(0, 20))), Times(10));
    p.text(Caixa(236, 9.5, 15, 4), W("Página :"), Times(10));
    p.page_text(Caixa(251, 9.8, 13, 3.6), "{page}", Courier(8), Align::Right);
    p.text(Caixa(3, 13.5, 38, 4), W("Mês e Ano de Referência :"), Times(10));
    p.text(Caixa(41, 13.5, 6, 4), std::to_string(cab.mes), Times(10), Align::Right);
    p.text(Caixa(47, 13.5, 12, 4), "/" + std::to_string(cab.ano), Times(10));
    p.text(Caixa(163, 13.5, 15, 4), W("Alíquota :"), Times(10));
    p.text(Caixa(178, 13.5, 19, 4), std::string(text::trim(picture::format("@n7`2", cab.percentual))), Times(10));
    regua(kTopoColunas);
    p.line(Mm(kEsquerda), Mm(1), Mm(kEsquerda), Mm(kTopoColunas));
    p.line(Mm(kDireita), Mm(1), Mm(kDireita), Mm(kTopoColunas));

    const Font f = Arial(8);
    for (const Grupo& g : kGrupos) {
        const double de = colunas[static_cast<std::size_t>(g.de - 1)].de, ate = colunas[static_cast<std::size_t>(g.ate - 1)].ate;
        const double y = kTopoColunas + kNivel * g.nivel;
        p.text(Caixa(de, y + 0.4, ate - de, kNivel - 0.6), W(g.texto), f, Align::Center);
        p.line(Mm(de), Mm(y + kNivel), Mm(ate), Mm(y + kNivel));
    }
    // The borders: each starts under the lowest group the two columns beside it share.
    const std::size_t n = colunas.size();
    for (std::size_t i = 0; i <= n; ++i) {
        const double x = i < n ? colunas[i].de : colunas[n - 1].ate;
        const int a = static_cast<int>(i), b = static_cast<int>(i) + 1;  // the columns left and right of it
        const double y = kTopoColunas + kNivel * ((i == 0 || i == n) ? 0 : GruposSobre(a, b));
        p.line(Mm(x), Mm(y), Mm(x), Mm(kFimCabecalho));
    }
    if (modelo == 1) p.line(Mm(kEsquerda), Mm(kTopoColunas), Mm(kEsquerda), Mm(kFimCabecalho));
    for (std::size_t i = 0; i < n; ++i) {
        const Coluna& c = colunas[i];
        int grupos = 0;
        for (const Grupo& g : kGrupos) grupos += (static_cast<int>(i) + 1 >= g.de && static_cast<int>(i) + 1 <= g.ate) ? 1 : 0;
        const double topo = kTopoColunas + kNivel * grupos, linha = 3.0;
        double y = topo + (kNumeros - topo - linha * static_cast<double>(c.titulo.size())) / 2;
        for (const char* t : c.titulo) {
            p.text(Caixa(c.de, y, c.ate - c.de, linha), W(t), f, Align::Center);
            y += linha;
        }
        char numero[3] = {static_cast<char>('0' + (i + 1) / 10), static_cast<char>('0' + (i + 1) % 10), 0};
        p.text(Caixa(c.de, kNumeros + 0.5, c.ate - c.de, 3), numero, f, Align::Center);
    }
    regua(kNumeros);
    regua(kFimCabecalho);
}

// The block of sums and balances: every page's footer, and once after the last line.
void Saldos(BandPainter& p, const TotaisVeiculos& t, const std::vector<Coluna>& colunas, const std::string& rodape) {
    p.box(Caixa(kEsquerda, 0, kDireita - kEsquerda, 31));
    p.text(Caixa(16, 1.5, 40, 6), "Soma", Arial(14));
    struct SomaColuna {
        int coluna;
        const char* numero;
        const Decimal& valor;
    };
    for (const SomaColuna& s : {SomaColuna{14, "18", t.s18}, SomaColuna{16, "19", t.s19}, SomaColuna{17, "20", t.s20}}) {
        const Coluna& c = colunas[static_cast<std::size_t>(s.coluna - 1)];
        p.text(Caixa(c.de, 0.5, c.ate - c.de, 3.2), s.numero, Arial(8), Align::Center);
        p.text(Caixa(c.de + 0.5, 4.2, c.ate - c.de - 1, 3), Soma(s.valor), Courier(7), Align::Right);
    }
    for (int b : {14, 15, 16, 17}) {
        const double x = colunas[static_cast<std::size_t>(b - 1)].de;
        p.line(Mm(x), 0, Mm(x), Mm(8));
    }
    p.line(Mm(kEsquerda), Mm(8), Mm(kDireita), Mm(8));
    p.text(Caixa(7, 16, 70, 6), W("APURAÇÃO DOS SALDOS"), Arial(12));
    struct Resultado {
        const char *texto, *formula, *numero;
        const Decimal& valor;
    };
    const Resultado resultados[] = {
        {"Diferença da Base de Cálculo do Imposto a ser Complementado", "18 - 19 - 20", "21", t.saldos.complementar},
        {"Diferença da Base de Cálculo do Imposto a ser Ressarcido", "19 - 18", "22", t.saldos.ressarcir},
        {"Diferença da Base de Cálculo do Imposto a ser Compensado", "19 + 20 - 18 - 22", "23", t.saldos.compensar},
    };
    p.line(Mm(90), Mm(8), Mm(90), Mm(31));
    double y = 8;
    for (const Resultado& r : resultados) {
        if (y > 8) p.line(Mm(90), Mm(y), Mm(kDireita), Mm(y));
        p.text(Caixa(92, y + 1.8, 106, 4.5), W(r.texto), Arial(10));
        p.text(Caixa(200, y + 0.5, 24, 3.2), r.formula, Arial(8));
        p.text(Caixa(200, y + 3.8, 24, 3.2), "( Se Positivo )", Arial(8));
        p.text(Caixa(224, y + 2, 24, 4), Soma(r.valor), Courier(9), Align::Right);
        p.text(Caixa(249, y + 2.2, 10, 3.5), r.numero, Arial(8));
        y += 23.0 / 3;
    }
    p.text(Caixa(kEsquerda, 31.6, kDireita - kEsquerda, 3.8), rodape, Times(8));
}

report::ReportSetup Pagina(int modelo) {
    report::ReportSetup s;
    s.title = modelo == 1 ? "PlanilhaVeiculo2" : "PlanilhaVeiculo";
    s.paper = report::Paper::a4();
    s.orientation = report::Orientation::Landscape;
    s.left = Mm(11);
    s.form_top = Mm(4);
    s.header_top = Mm(4);
    s.detail_top = Mm(47);
    s.detail_height = Mm(119);
    s.footer_top = Mm(166);
    s.footer_on_last_page = false;
    return s;
}

constexpr double kLinha = 3, kBloco = 36;

}  // namespace

PaginasPlanilhaVeiculos::PaginasPlanilhaVeiculos(int modelo, CabecalhoVeiculos cab, std::string rodape)
    : modelo_(modelo == 1 ? 1 : 0), cab_(std::move(cab)), rodape_(std::move(rodape)), relatorio_(Pagina(modelo_)) {
    relatorio_.set_page_header({Mm(kFimCabecalho), [this](BandPainter& p) { Cabecalho(p, modelo_, cab_, Colunas(modelo_)); }});
    relatorio_.set_page_footer({Mm(kBloco), [this](BandPainter& p) { Saldos(p, totais_, Colunas(modelo_), rodape_); }});
}

void PaginasPlanilhaVeiculos::Linha(const dictionary::EntradaSaidaVorelRec& w) {
    const LinhaVeiculo l = LinhaDaPlanilha(w, modelo_);
    const int numero = modelo_ == 1 ? ++numeroLinha_ : 0;
    const report::Band linha{Mm(kLinha), [l, numero, modelo = modelo_](BandPainter& p) {
        const std::vector<Coluna> colunas = Colunas(modelo);
        const Font f = Courier(7);
        // A cell keeps 0.2 mm from its borders; a date, as wide as its column at 7 points, 0.1 mm.
        auto em = [&](int coluna, const std::string& t, Align a, double margem = 0.2) {
            const Coluna& c = colunas[static_cast<std::size_t>(coluna - 1)];
            if (!t.empty()) p.text(Caixa(c.de + margem, 0.3, c.ate - c.de - 2 * margem, kLinha - 0.5), t, f, a);
        };
        if (modelo == 1) p.text(Caixa(kEsquerda, 0.4, 5 - kEsquerda, kLinha - 0.6), std::to_string(numero), Courier(6), Align::Right);
        em(1, std::string(text::clip(l.chassi.substr(0, 22))), Align::Left);
        em(2, Data(l.dataEntrada), Align::Left, 0.1);
        em(3, Numero(l.numeroEntrada), Align::Right);
        em(4, std::string(text::clip(l.serieEntrada)), Align::Left);
        em(7, Data(l.dataSaida), Align::Left, 0.1);
        em(8, Numero(l.numeroSaida), Align::Right);
        em(9, std::string(text::clip(l.serieSaida)), Align::Left);
        for (int n : {5, 6, 10, 11, 12, 13, 14, 15, 16, 17}) em(n, Valor(l.coluna(n)), Align::Right);
        p.line(Mm(kEsquerda), 0, Mm(kEsquerda), Mm(kLinha));
        if (modelo == 1) p.line(Mm(5), 0, Mm(5), Mm(kLinha));
        for (const Coluna& c : colunas) p.line(Mm(c.ate), 0, Mm(c.ate), Mm(kLinha));
    }};
    relatorio_.print(linha, [this, l] { totais_.Soma(l); });
}

void PaginasPlanilhaVeiculos::Fecha() {
    if (relatorio_.page_number() == 0) return;
    relatorio_.print({Mm(kBloco), [this](BandPainter& p) { Saldos(p, totais_, Colunas(modelo_), rodape_); }});
}

}  // namespace vorel::computation
