// The sheet's result page: the summary's columns 10 to 16 per product or supplier, with the
// results A = 10 - 15 and B = 13 - 16 in the supplier members; the caller's pages go first.
#include <cmath>

#include "formato.h"
#include "pagina.h"
#include "vorel/fiscal/estilo_relatorio.h"
#include "vorel/report/report_controller.h"
#include "vorel/sheets/planilha_mensal.h"

namespace vorel::sheets {

namespace {

using pagina::Escreve;
using pagina::Fonte;
using pagina::W;
using report::Align;
using report::BandPainter;
using report::Mils;

using fiscal::estilo::Mm;

struct LinhaResultado {
    std::uint32_t codigo = 0;
    std::string nome;
    std::array<Decimal, kValores> valores;
};

struct Resultado {
    MembroResultado membro;
    const DadosEmpresa& empresa;
    std::array<Decimal, kValores> somas;
    bool fornecedores() const { return membro != MembroResultado::Produtos; }

    void Form(BandPainter& p) const {
        const std::vector<double> xs = fornecedores()
            ? std::vector<double>{2, 110, 127, 141, 155, 170, 188, 205, 220, 243, 264}
            : std::vector<double>{2, 110, 127, 141, 155, 170, 188, 205, 220, 238, 247, 264};
        for (double x : xs) p.line(Mm(x), 0, Mm(x), Mm(133));
    }

    void Cabecalho(BandPainter& p) const {
        const auto tnr = [](int pt, bool b = false) { return Fonte("Times New Roman", pt, b); };
        p.box({Mm(2), 0, Mm(262), Mm(50)});
        Escreve(p, {Mm(79), Mm(1), Mm(150), Mm(5)}, W(pagina::kTitulo), tnr(11, true));
        Escreve(p, {Mm(79), Mm(6), Mm(150), Mm(4)}, W(pagina::kSubtitulo), tnr(9));
        Escreve(p, {Mm(4), Mm(12), Mm(25), Mm(4)}, "Contribuinte :", tnr(10));
        Escreve(p, {Mm(29), Mm(12), Mm(120), Mm(4)}, empresa.nome, tnr(10));
        Escreve(p, {Mm(154), Mm(12), Mm(29), Mm(4)}, W("Inscrição Estadual :"), tnr(10));
        Escreve(p, {Mm(183), Mm(12), Mm(60), Mm(4)}, empresa.inscricao, tnr(10));
        if (empresa.mostraEndereco) {
            Escreve(p, {Mm(4), Mm(17), Mm(25), Mm(4)}, W("Endereço :"), tnr(10));
            Escreve(p, {Mm(29), Mm(17), Mm(150), Mm(4)}, empresa.endereco, tnr(10));
        }
        Escreve(p, {Mm(4), Mm(22), Mm(40), Mm(4)}, W("Mês e Ano Referência :"), tnr(10));
        Escreve(p, {Mm(44), Mm(22), Mm(6), Mm(4)}, std::to_string(empresa.mes), tnr(10), Align::Right);
        Escreve(p, {Mm(50), Mm(22), Mm(2), Mm(4)}, "/", tnr(10));
        Escreve(p, {Mm(52), Mm(22), Mm(10), Mm(4)}, std::to_string(empresa.ano), tnr(10));
        const report::Font a8 = Fonte("Arial", 8);
        p.line(Mm(2), Mm(28), Mm(264), Mm(28));
        Escreve(p, {Mm(110), Mm(29), Mm(110), Mm(4)}, W("SAÍDAS"), tnr(10), Align::Center);
        Escreve(p, {Mm(110), Mm(33), Mm(78), Mm(3)}, W("VALOR DA BASE DE CÁLCULO DA RETENÇÃO"), a8, Align::Center);
        Escreve(p, {Mm(188), Mm(33), Mm(32), Mm(3)}, "Valor de Confronto", a8, Align::Center);
        if (fornecedores()) {
            Escreve(p, {Mm(5), Mm(33), Mm(100), Mm(4)}, "FORNECEDOR", tnr(10));
            if (membro == MembroResultado::ModeloNovo) Escreve(p, {Mm(5), Mm(38), Mm(20), Mm(3)}, W("Código"), a8);
            Escreve(p, {Mm(membro == MembroResultado::ModeloNovo ? 29 : 5), Mm(42), Mm(60), Mm(3)},
                   W("Razão Social / Nome"), a8);
            Escreve(p, {Mm(220), Mm(29), Mm(44), Mm(4)}, "Resultados", tnr(10), Align::Center);
            Escreve(p, {Mm(221), Mm(37), Mm(21), Mm(3)}, "Coluna", a8, Align::Center);
            Escreve(p, {Mm(221), Mm(40), Mm(21), Mm(3)}, "( 10 - 15 )", a8, Align::Center);
            Escreve(p, {Mm(221), Mm(46), Mm(21), Mm(3)}, "A", a8, Align::Center);
            Escreve(p, {Mm(243), Mm(37), Mm(21), Mm(3)}, "Coluna", a8, Align::Center);
            Escreve(p, {Mm(243), Mm(40), Mm(21), Mm(3)}, "( 13 - 16 )", a8, Align::Center);
            Escreve(p, {Mm(243), Mm(46), Mm(21), Mm(3)}, "B", a8, Align::Center);
        } else {
            Escreve(p, {Mm(5), Mm(42), Mm(20), Mm(3)}, W("Código"), a8);
            Escreve(p, {Mm(29), Mm(42), Mm(60), Mm(3)}, W("Descrição"), a8);
            Escreve(p, {Mm(220), Mm(29), Mm(44), Mm(4)}, "SALDOS", tnr(10), Align::Center);
            Escreve(p, {Mm(238), Mm(33), Mm(26), Mm(3)}, W("Base Retenção"), a8, Align::Center);
        }
        struct Titulo {
            double x;
            std::vector<const char*> linhas;
            const char* numero;
        };
        std::vector<Titulo> titulos = {{111, {"Saída Usuá-", "rio Final"}, "10"},
                                       {128, {"Fato Gera-", "dor não", "Realizado"}, "11"},
                                       {142, {"Saída", "Isenta não", "Incidente"}, "12"},
                                       {156, {"Saída Ou-", "tro Estado"}, "13"},
                                       {171, {" Saída com", "Subsequen-", "te"}, "14"},
                                       {190, {"Base Efeti-", "va Consu-", "midor Final"}, "15"},
                                       {205, {"Base Entra-", "da Dem Hip"}, "16"}};
        if (!fornecedores()) {
            titulos.push_back({222, {"Quantidade"}, "17"});
            titulos.push_back({239, {"Valor", "Unit."}, "18"});
            titulos.push_back({252, {"Valor", "Total"}, "19"});
        }
        for (const Titulo& t : titulos) {
            for (std::size_t k = 0; k < t.linhas.size(); ++k)
                Escreve(p, {Mm(t.x), Mm(36 + 3 * static_cast<double>(k)), Mm(16), Mm(3)}, W(t.linhas[k]), a8);
            Escreve(p, {Mm(t.x), Mm(46), Mm(12), Mm(3)}, t.numero, a8, Align::Center);
        }
        p.line(Mm(2), Mm(45), Mm(264), Mm(45));
        p.line(Mm(2), Mm(50), Mm(264), Mm(50));
    }

    void Detalhe(BandPainter& p, const LinhaResultado& l) const {
        const report::Font f = Fonte("Courier New", 6);
        const auto n = [&](double x, double largura, const Decimal& v, int casas) {
            Escreve(p, {Mm(x), 0, Mm(largura), Mm(3)}, formato::Numero(v, casas, false), f, Align::Right);
        };
        if (membro == MembroResultado::Fornecedor) {
            Escreve(p, {Mm(5), 0, Mm(98), Mm(3)}, l.nome, f);
        } else {
            Escreve(p, {Mm(5), 0, Mm(22), Mm(3)}, text::right(std::to_string(l.codigo), 13), f);
            Escreve(p, {Mm(29), 0, Mm(78), Mm(3)}, text::sub(l.nome, 1, 50), f);
        }
        const double xs[kValores] = {106, 120, 134, 149, 166, 184, 199};
        for (std::size_t i = 0; i < kValores; ++i) n(xs[i], 20, l.valores[i], 2);
        if (fornecedores()) {
            n(221, 21, l.valores[0] - l.valores[5], 2);
            n(243, 20, l.valores[3] - l.valores[6], 2);
        } else {
            n(212, 25, Decimal(0), 3);
            n(238, 8.5, Decimal(0), 3);
            n(247, 16.5, Decimal(0), 2);
        }
    }

    void Rodape(BandPainter& p) const {
        const report::Font f = Fonte("Courier New", 6);
        p.line(Mm(2), 0, Mm(264), 0);
        Escreve(p, {Mm(4), Mm(1), Mm(30), Mm(4)}, "Soma Geral", Fonte("Times New Roman", 10));
        const double xs[kValores] = {106, 120, 134, 149, 166, 184, 199};
        for (std::size_t i = 0; i < kValores; ++i)
            Escreve(p, {Mm(xs[i]), Mm(1), Mm(20), Mm(3)}, formato::Numero(somas[i], 2, false), f, Align::Right);
        Escreve(p, {Mm(247), Mm(5), Mm(10), Mm(3)}, W("Página:"), Fonte("Times New Roman", 8));
        p.page_text({Mm(257), Mm(5), Mm(7), Mm(3)}, "{page}", Fonte("Times New Roman", 8), Align::Right);
    }
};

const char* Nome(MembroResultado m) {
    switch (m) {
    case MembroResultado::Produtos: return "PlanilhaMensalProdutos_AuxParte2";
    case MembroResultado::Fornecedor: return "PlanilhaMensalProdutos_AuxParte2_Fornecedor";
    case MembroResultado::ModeloNovo: return "PlanilhaMensalProdutos_AuxParte2_ModeloNovo";
    }
    return "";
}

}  // namespace

struct RelatorioResultado::Estado {
    Resultado r;
    report::ReportController c;
    const ResumoPlanilha& resumo;
    NomeDoFornecedor fornecedor;

    static report::ReportSetup Pagina(MembroResultado membro) {
        report::ReportSetup s;
        s.title = Nome(membro);
        s.paper = report::Paper::a4();
        s.orientation = report::Orientation::Landscape;
        s.left = Mm(11);
        s.form_top = Mm(55);
        s.header_top = Mm(5);
        s.detail_top = Mm(55);
        s.detail_height = Mm(133);
        s.footer_top = Mm(190);
        return s;
    }
    Estado(MembroResultado membro, const ResumoPlanilha& res, const DadosEmpresa& empresa, NomeDoFornecedor f)
        : r{membro, empresa, {}}, c(Pagina(membro)), resumo(res), fornecedor(std::move(f)) {
        c.set_form({Mm(133), [this](BandPainter& p) { r.Form(p); }});
        c.set_page_header({Mm(50), [this](BandPainter& p) { r.Cabecalho(p); }});
        c.set_page_footer({Mm(8), [this](BandPainter& p) { r.Rodape(p); }});
    }
};

RelatorioResultado::RelatorioResultado(MembroResultado membro, const ResumoPlanilha& resumo,
                                       const DadosEmpresa& empresa, NomeDoFornecedor fornecedor)
    : e_(std::make_unique<Estado>(membro, resumo, empresa, std::move(fornecedor))) {}
RelatorioResultado::~RelatorioResultado() = default;
report::ReportController& RelatorioResultado::Relatorio() { return e_->c; }

void RelatorioResultado::Imprime() {
    Resultado& r = e_->r;
    const MembroResultado membro = r.membro;
    for (const EntradaResumo& e : e_->resumo.Entradas()) {
        LinhaResultado l;
        l.valores = e.valores;
        if (membro == MembroResultado::Produtos) {
            l.codigo = e.codigo;
            l.nome = e.codigo != 0 ? text::sub(e.descricao, 1, 50) : "SALDO ANTERIOR";
        } else {
            std::optional<std::string> nome =
                (e.codigo != 0 && e_->fornecedor) ? e_->fornecedor(e.codigo) : std::nullopt;
            if (membro == MembroResultado::Fornecedor) {
                l.nome = nome ? std::to_string(e.codigo) + " - " + std::string(text::clip(*nome))
                              : W("SOMA DE FORNECEDORES NÃO ENCONTRADOS");
            } else {
                l.codigo = nome ? e.codigo : 0;
                l.nome = nome ? *nome : "SALDO ANTERIOR";
            }
        }
        e_->c.print({Mm(3), [&r, l](BandPainter& p) { r.Detalhe(p, l); }}, [&r, &l] {
            for (std::size_t i = 0; i < kValores; ++i) r.somas[i] += l.valores[i];
        });
    }
}

report::Document DocumentoResultado(MembroResultado membro, const ResumoPlanilha& resumo, const DadosEmpresa& empresa,
                                    const NomeDoFornecedor& fornecedor, const report::Document* anteriores) {
    RelatorioResultado relatorio(membro, resumo, empresa, fornecedor);
    relatorio.Imprime();
    report::Document d = relatorio.Relatorio().finish();
    if (anteriores && !anteriores->pages.empty())
        d.pages.insert(d.pages.begin(), anteriores->pages.begin(), anteriores->pages.end());
    return d;
}

}  // namespace vorel::sheets
