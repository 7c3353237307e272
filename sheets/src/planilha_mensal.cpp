// The monthly sheet's page report: the page header, the detail row of the nineteen columns, the
// product's totals in the page footer, the summary of the run.
#include "vorel/sheets/planilha_mensal.h"

#include <array>

#include "formato.h"
#include "pagina.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::sheets {

namespace {

using pagina::Escreve;
using pagina::Fonte;
using pagina::W;
using report::Align;
using report::BandPainter;
using report::Mils;

struct Coluna {
    Mils de, ate;
};
constexpr std::array<Coluna, 19> kColunas = {{{83, 500}, {500, 854}, {854, 1083}, {1083, 1719}, {1719, 2417},
                                              {2417, 2781}, {2781, 3010}, {3010, 3646}, {3646, 4323}, {4323, 4958},
                                              {4958, 5563}, {5563, 6125}, {6125, 6719}, {6719, 7396}, {7396, 8042},
                                              {8042, 8677}, {8677, 9365}, {9365, 10042}, {10042, 10865}}};

// Column headings, top to bottom, below the group lines.
const std::array<std::vector<const char*>, 19> kTitulos = {{{"Data"}, {"Núme-", "ro"}, {"Sé-", "rie"}, {"Quantidade"},
    {"Base Cálculo", "Retenção"}, {"Núme-", "ro"}, {"Sé-", "rie"}, {"Quantidade"}, {"Valor", "Unitário"},
    {"Saída Usuá-", "rio Final"}, {"Fato Gera-", "dor não", "Realizado"}, {"Saída", "Isenta não", "Incidente"},
    {"Saída Ou-", "tro Estado"}, {" Saída com", "Subsequen-", "te"}, {"Base Efeti-", "va Consu-", "midor Final"},
    {"Base Entra-", "da Dem Hip"}, {"Quantidade"}, {"Valor", "Unitário"}, {"Valor", "Total"}}};

report::Rect Celula(std::size_t i, Mils y, Mils altura) {
    const Coluna c = kColunas[i];
    return {c.de + 10, y, c.ate - c.de - 20, altura};
}

// dd/mm/yy; the management sheet shows the year with four digits.
std::string Data(date::Day d, bool quatroDigitos = false) {
    if (d <= 0) return {};
    return text::zero_fill(date::day(d), 2) + "/" + text::zero_fill(date::month(d), 2) + "/" +
           text::zero_fill(quatroDigitos ? date::year(d) : date::year(d) % 100, quatroDigitos ? 4 : 2);
}

}  // namespace

struct PlanilhaMensal::Estado {
    DadosEmpresa empresa;
    std::uint8_t resumo = 0;
    Consultas consultas;
    report::ReportController relatorio;
    ResumoPlanilha soma;
    std::set<std::pair<std::uint16_t, std::uint8_t>> desconhecidos;
    Decimal anterior;            // product of the last row (0 before the first)
    ProdutoPlanilha produto;
    std::string descProduto;     // code " - " description
    TotaisPlanilha totais;       // the product's footer totals
    LinhaPlanilha linha;         // the row being printed
    bool ultima = false;
    bool gestao = false;         // the management sheet's lines
    bool comecou = false;        // a product was started (management)
    bool quebraPendente = false; // the next line opens the new product's page (management)

    static report::ReportSetup Pagina() {
        report::ReportSetup s;
        s.title = "PlanilhaMensalProdutos";
        s.paper = report::Paper::a4();
        s.orientation = report::Orientation::Landscape;
        s.left = 240;
        // The detail area starts below the header's 2000 (at 198), and ends where the footer begins.
        s.form_top = 2210;
        s.header_top = 198;
        s.detail_top = 2210;
        s.detail_height = 5309;
        s.footer_top = 7604;
        return s;
    }

    Estado(DadosEmpresa e, std::uint8_t r, Consultas c)
        : empresa(std::move(e)), resumo(r), consultas(std::move(c)), relatorio(Pagina()) {
        relatorio.set_form({5309, [](BandPainter& p) {
                                for (const Coluna& c : kColunas) p.line(c.de, 0, c.de, 5309);
                                p.line(kColunas.back().ate, 0, kColunas.back().ate, 5309);
                            }});
        relatorio.set_page_header({2000, [this](BandPainter& p) { Cabecalho(p); }});
        relatorio.set_page_footer({327, [this](BandPainter& p) { Rodape(p); }});
    }

    void Cabecalho(BandPainter& p) const {
        const auto tnr = [](int pt) { return Fonte("Times New Roman", pt); };
        p.box({3156, 20, 8281 - 3156, 220});
        Escreve(p, {3156, 40, 8281 - 3156, 190}, W(pagina::kTitulo), tnr(11), Align::Center);
        Escreve(p, {3156, 260, 8281 - 3156, 160}, W(pagina::kSubtitulo), tnr(9), Align::Center);
        Escreve(p, {83, 480, 1200, 170}, "Contribuinte :", tnr(10));
        Escreve(p, {1300, 480, 5500, 170}, empresa.nome, tnr(10));
        Escreve(p, {6900, 480, 1500, 170}, W("Inscrição Estadual :"), tnr(10));
        Escreve(p, {8400, 480, 1500, 170}, empresa.inscricao, tnr(10));
        Escreve(p, {9300, 640, 800, 190}, W("Alíquota :"), tnr(11));
        Escreve(p, {10000, 640, 865, 190}, produto.aliquota.to_fixed(3, '.'), tnr(11),
               Align::Right);
        if (empresa.mostraEndereco) {
            Escreve(p, {83, 660, 1200, 170}, W(empresa.enderecoFornecedor ? "Fornecedor: " : "Endereço :"), tnr(10));
            Escreve(p, {1300, 660, 7000, 170}, empresa.endereco, tnr(10));
        }
        Escreve(p, {83, 840, 1700, 170}, W("Mês e Ano Referência :"), tnr(10));
        Escreve(p, {1800, 840, 250, 170}, std::to_string(empresa.mes), tnr(10), Align::Right);
        Escreve(p, {2060, 840, 80, 170}, "/", tnr(10));
        Escreve(p, {2150, 840, 400, 170}, std::to_string(empresa.ano), tnr(10));
        Escreve(p, {2900, 840, 1000, 170}, "Mercadoria :", tnr(10));
        Escreve(p, {3900, 840, 4300, 170}, descProduto, tnr(10));
        Escreve(p, {8300, 840, 1500, 170}, "Unidade de Medida :", tnr(10));
        Escreve(p, {9800, 840, 500, 170}, text::sub(produto.medida, 1, 3), tnr(10));
        // The column block.
        const Mils topo = 1100, grupo = 1290, sub = 1470, numeros = 1840, fim = 2000;
        p.line(83, topo, 10865, topo);
        Escreve(p, {500, topo + 20, 1917, 160}, "ENTRADAS", tnr(10), Align::Center);
        Escreve(p, {2417, topo + 20, 6260, 160}, W("SAÍDAS"), tnr(10), Align::Center);
        Escreve(p, {8677, topo + 20, 2188, 160}, "SALDOS", tnr(10), Align::Center);
        p.line(500, grupo, 10865, grupo);
        Escreve(p, {500, grupo + 20, 583, 160}, "Doc. Fiscal", Fonte("Arial", 8), Align::Center);
        Escreve(p, {2417, grupo + 20, 593, 160}, "Doc. Fiscal", Fonte("Arial", 8), Align::Center);
        Escreve(p, {3646, grupo + 20, 3750, 160}, W("VALOR DA BASE DE CÁLCULO DA RETENÇÃO"), Fonte("Arial", 8),
               Align::Center);
        Escreve(p, {7396, grupo + 20, 1281, 160}, "Valor de Confronto", Fonte("Arial", 8), Align::Center);
        Escreve(p, {9365, grupo + 20, 1500, 160}, W("Base Retenção"), Fonte("Arial", 8), Align::Center);
        p.line(500, sub, 10865, sub);
        for (std::size_t i = 0; i < kColunas.size(); ++i) {
            for (std::size_t k = 0; k < kTitulos[i].size(); ++k)
                Escreve(p, Celula(i, sub + 10 + static_cast<Mils>(k) * 120, 120), W(kTitulos[i][k]), Fonte("Arial", 8),
                       Align::Center);
            Escreve(p, Celula(i, numeros + 10, 150), text::zero_fill(static_cast<long long>(i + 1), 2),
                   tnr(9), Align::Center);
            p.line(kColunas[i].de, topo, kColunas[i].de, fim);
        }
        p.line(10865, topo, 10865, fim);
        p.line(83, numeros, 10865, numeros);
        p.line(83, fim, 10865, fim);
    }

    void Detalhe(BandPainter& p, const LinhaPlanilha& l) const {
        const report::Font f = Fonte("Courier New", 6);
        const auto n = [&](std::size_t col, const Decimal& v, int casas, bool branco) {
            Escreve(p, Celula(col - 1, 0, 125), formato::Numero(v, casas, branco), f, Align::Right);
        };
        const int casasUnitario = gestao ? 3 : 6;
        if (gestao) {
            // With its four-digit year the date does not fit the column at 6 points: it takes the
            // size below, centred over the column's whole width.
            Escreve(p, {kColunas[0].de, 0, kColunas[0].ate - kColunas[0].de, 125}, Data(l.data, true),
                    Fonte("Courier New", 5), Align::Center);
        } else {
            Escreve(p, Celula(0, 0, 125), Data(l.data), f);
        }
        if (gestao)
            n(2, Decimal::parse(text::trim(l.entNumero)).value_or(Decimal()), 0, true);
        else
            Escreve(p, {kColunas[1].de + 10, 0, 335, 125}, l.entNumero, f);
        Escreve(p, Celula(2, 0, 125), l.entSerie, f);
        n(4, l.entQuantidade, 3, true);
        n(5, l.entBase, 2, true);
        Escreve(p, {kColunas[5].de + 10, 0, 335, 125}, gestao ? std::string(text::trim(l.saiNumero)) : l.saiNumero, f);
        Escreve(p, Celula(6, 0, 125), l.saiSerie, f);
        n(8, l.saiQuantidade, 3, true);
        n(9, l.saiValUnitario, casasUnitario, true);
        for (std::size_t i = 0; i < kValores; ++i) n(10 + i, l.valores[i], 2, true);
        n(17, l.saldoQuantidade, 3, false);
        n(18, l.saldoValUnitario, casasUnitario, false);
        n(19, l.saldoBase, 2, false);
    }

    void Rodape(BandPainter& p) const {
        const auto tnr = [](int pt) { return Fonte("Times New Roman", pt); };
        Escreve(p, {9500, 170, 600, 150}, W("Página:"), tnr(8));
        p.page_text({10100, 170, 700, 150}, "{page}", tnr(8), Align::Right);
        if (ultima) return;
        const report::Font f = Fonte("Courier New", 6);
        p.line(83, 0, 10865, 0);
        Escreve(p, {83, 10, 1000, 150}, "Soma Geral", tnr(10));
        const auto n = [&](std::size_t col, const Decimal& v, int casas, bool branco) {
            Escreve(p, Celula(col - 1, 20, 125), formato::Numero(v, casas, branco), f, Align::Right);
            p.line(kColunas[col - 1].de, 0, kColunas[col - 1].de, 160);
            p.line(kColunas[col - 1].ate, 0, kColunas[col - 1].ate, 160);
        };
        n(4, totais.entQuantidade, 3, false);
        n(5, totais.entBase, 2, true);
        n(8, totais.saiQuantidade, 3, true);
        for (std::size_t i = 0; i < kValores; ++i) n(10 + i, totais.valores[i], 2, true);
        Escreve(p, {83, 170, 7000, 150}, std::string(text::clip(empresa.rodape)), tnr(8));
    }
};

PlanilhaMensal::PlanilhaMensal(DadosEmpresa empresa, std::uint8_t resumo, Consultas consultas)
    : e_(std::make_unique<Estado>(std::move(empresa), resumo, std::move(consultas))) {}
PlanilhaMensal::~PlanilhaMensal() = default;

report::ReportController& PlanilhaMensal::Relatorio() { return e_->relatorio; }
const ResumoPlanilha& PlanilhaMensal::Resumo() const { return e_->soma; }
const std::set<std::pair<std::uint16_t, std::uint8_t>>& PlanilhaMensal::CfosDesconhecidos() const {
    return e_->desconhecidos;
}

void PlanilhaMensal::Linha(const dictionary::EntradaSaidaVorelRec& esa) {
    Estado& e = *e_;
    const Decimal produto = esa.CODMERCADORIA;
    const bool quebra = !e.anterior.is_zero() && e.anterior != produto;
    if (quebra) e.relatorio.page_break();
    if (quebra || e.anterior.is_zero()) {
        e.produto = e.consultas.produto ? e.consultas.produto(produto) : ProdutoPlanilha{};
        e.descProduto = produto.to_string() + " - " + e.produto.descricao;
    }
    e.anterior = produto;

    std::optional<std::uint8_t> coluna;
    const bool nota = esa.ENTSAI != 0 && !esa.NUMERO.clipped().empty() && esa.ALIQUOTA.clipped().empty();
    if (nota && e.consultas.coluna) coluna = e.consultas.coluna(esa.CFO, esa.COMPLEMENTO);
    const Tipo tipo = TipoDaLinha(esa, coluna.has_value(), coluna.value_or(0));
    if (tipo.linha == TipoLinha::Pula) return;
    if (tipo.linha == TipoLinha::Desconhecida && nota && !coluna) e.desconhecidos.emplace(esa.CFO, esa.COMPLEMENTO);
    e.linha = ColocaLinha(esa, tipo);
    const LinhaPlanilha linha = e.linha;
    e.relatorio.print({129, [&e, linha](BandPainter& p) { e.Detalhe(p, linha); }}, [&e, quebra, linha] {
        if (quebra) e.totais = {};
        e.totais.Soma(linha);
    });
    if (e.resumo == kSemResumo || !linha.Conta()) return;
    std::uint32_t chave = 0;
    if (e.resumo == kResumoProdutos) chave = static_cast<std::uint32_t>(produto.to_integer());
    else if (e.consultas.fornecedor) chave = e.consultas.fornecedor(produto);
    e.soma.Acumula(chave, e.produto.descricao, linha);
}

void PlanilhaMensal::Gestao() { e_->gestao = true; }

void PlanilhaMensal::ProdutoGestao(const Decimal& produto) {
    Estado& e = *e_;
    if (e.comecou) {
        e.relatorio.page_break();
        e.quebraPendente = true;
    }
    e.comecou = true;
    e.anterior = produto;
    e.produto = e.consultas.produto ? e.consultas.produto(produto) : ProdutoPlanilha{};
    e.descProduto = produto.to_string() + " - " + e.produto.descricao;
}

void PlanilhaMensal::LinhaGestao(const LinhaPlanilha* linha, const TotaisPlanilha& totais) {
    Estado& e = *e_;
    // The finished product's footer keeps its own totals until the new product's page opens.
    if (!e.quebraPendente) e.totais = totais;
    if (!linha) return;
    const LinhaPlanilha l = *linha;
    e.relatorio.print({129, [&e, l](BandPainter& p) { e.Detalhe(p, l); }}, [&e, totais] {
        e.totais = totais;
        e.quebraPendente = false;
    });
}

void PlanilhaMensal::UltimaPagina() { e_->ultima = true; }

report::Document PlanilhaMensal::Termina() {
    e_->ultima = true;
    return e_->relatorio.finish();
}

}  // namespace vorel::sheets
