// The vehicle sheet as dot-matrix text lines: the page heading (18 lines), one 228-character line
// per work row, and the page end with the running sums and balances (15 lines), a page end each
// time the page holds the printer's lines per page minus 14 detail lines.
#include "vorel/computation/planilha_veiculos_texto.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::computation {

namespace {

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

// A line of `largura` blanks written into at 1-based positions.
class Regua {
public:
    explicit Regua(std::size_t largura = 228) : s_(largura, ' ') {}
    Regua& Em(std::size_t pos, std::string_view t) {
        for (std::size_t i = 0; i < t.size() && pos - 1 + i < s_.size(); ++i) s_[pos - 1 + i] = t[i];
        return *this;
    }
    Regua& Barras(std::initializer_list<std::size_t> posicoes) {
        for (std::size_t p : posicoes) Em(p, "|");
        return *this;
    }
    Regua& Tracos(std::size_t de, std::size_t ate) {
        for (std::size_t p = de; p <= ate; ++p) Em(p, "-");
        return *this;
    }
    const std::string& str() const { return s_; }

private:
    std::string s_;
};

std::string Centro(std::string_view t, std::size_t largura) {
    if (t.size() >= largura) return std::string(t.substr(0, largura));
    const std::size_t esquerda = (largura - t.size()) / 2;
    return std::string(esquerda, ' ') + std::string(t) + std::string(largura - t.size() - esquerda, ' ');
}

std::string Data(date::Day d) { return picture::format("@d06b", Decimal(d)); }
std::string Numero(std::uint32_t n) {
    if (n == 0) return std::string(7, ' ');
    return text::right(std::to_string(n), 7);
}
std::string Valor(const Decimal& d, int largura) {
    return picture::format(largura == 15 ? "@n-15`2b" : "@n-14`2b", d);
}
std::string Total(const Decimal& d) { return picture::format("@n-14`2", d); }

const std::initializer_list<std::size_t> kBarrasDetalhe = {1,   27,  38,  46,  50,  66,  82,  93,  101,
                                                          105, 121, 137, 153, 168, 183, 198, 213, 228};

}  // namespace

CabecalhoVeiculos CabecalhoDaEmpresa(const Decimal& percentual, const shell::EmpresaPeriodo& periodo) {
    CabecalhoVeiculos c;
    c.percentual = percentual;
    c.mes = periodo.mes;
    c.ano = periodo.ano;
    data::FileManager emp(dictionary::Empresa());
    if (!emp.open().ok()) return c;
    auto& e = emp.rec<dictionary::EmpresaRec>();
    emp.clear_record();
    e.Codigo = static_cast<decltype(e.Codigo)>(periodo.empresa);
    if (emp.get(dictionary::keys::EMP_KEY_CODIGO).ok()) {
        c.razao = e.RAZAOSOCIAL.value();
        c.inscricao = e.INSCESTADUAL.value();
    }
    (void)emp.close();
    return c;
}

TextoPlanilhaVeiculos::TextoPlanilhaVeiculos(int modelo, CabecalhoVeiculos cab, shell::CodigosImpressoraRec codigos,
                                             std::string rodape, std::function<void(const std::string&)> grava)
    : modelo_(modelo), cab_(std::move(cab)), codigos_(std::move(codigos)), rodape_(std::move(rodape)),
      grava_(std::move(grava)) {}

void TextoPlanilhaVeiculos::Cabecalho() {
    ++pagina_;
    const std::string tracos(133, '-');
    const std::string& neg = codigos_.LNEG;
    const std::string& dneg = codigos_.DNEG;
    const std::string titulo = W("CONTROLE DE ESTOQUE - Veículos e Motos com Substituição Tributária");
    grava_(codigos_.CPI10 + tracos);
    if (modelo_ == 0)
        grava_("|" + neg + Centro(titulo, 131) + dneg + "|");
    else
        grava_("|" + neg + Centro(titulo, 109) + dneg + W("| Emissão: ") + Data(cab_.emissao) + " |");
    grava_(tracos);
    grava_(text::pad("|", 45) + Centro(W("(Critério de Avaliação Esp" "ecífica)"), 55) + text::pad("Modelo 4", 12) +
           text::pad(W("Número Página....") + text::zero_fill(pagina_, 3), 20) + "|");
    grava_(tracos);
    grava_("| " + neg + text::pad("Contribuinte:", 14) + text::pad(text::left(cab_.razao, 30), 57) +
           text::pad(W("Inscrição Estadual:"), 20) + text::pad(cab_.inscricao, 39) + dneg + "|");
    grava_("| " + neg + text::pad(W("Referência  :"), 14) + text::right(std::to_string(cab_.mes), 2) + "/" +
           text::pad(std::to_string(cab_.ano), 64) + text::pad(W("Alíquota:"), 10) +
           text::pad(text::trim(picture::format("@n5`2", cab_.percentual)), 39) + dneg + "|");
    grava_(tracos);
    grava_(codigos_.CPI17 + Regua()
                                .Barras({1, 27, 82, 153, 168, 228})
                                .Em(6, W("Identificação do"))
                                .Em(52, "Entradas")
                                .Em(115, W("Saídas"))
                                .Em(155, "Base de Cal-")
                                .Em(180, W("Diferença da Base de Cálculo"))
                                .str());
    grava_(Regua().Barras({1, 27, 153, 168, 228}).Em(6, W("Veículo")).Tracos(28, 152).Em(155, "culo da Re-").Tracos(169, 227).str());
    const auto onze = {std::size_t{1}, std::size_t{27}, std::size_t{50}, std::size_t{66}, std::size_t{82},
                       std::size_t{105}, std::size_t{121}, std::size_t{153}, std::size_t{168}, std::size_t{183},
                       std::size_t{228}};
    {
        Regua r;
        r.Barras(onze).Em(31, "Documento Fiscal").Em(52, "Base de Calc.").Em(68, "Base de Calc.");
        r.Em(86, "Documento Fiscal").Em(107, "Base de Calc.").Em(129, "Valor de Confronto");
        r.Em(155, W("tenção do")).Em(170, "Para Efeito").Em(186, "Para Efeito de Ressarcimento de Imposto");
        grava_(r.str());
    }
    {
        Regua r;
        r.Barras(onze).Tracos(28, 49).Em(52, W("da Operação")).Em(68, W("da Retenção")).Tracos(83, 104);
        r.Em(107, W("da Retenção")).Tracos(122, 152).Em(155, "Estoque Re-").Em(170, "de Compl. do").Tracos(184, 227);
        grava_(r.str());
    }
    {
        Regua r;
        r.Barras(kBarrasDetalhe).Em(31, "Data").Em(39, W("Número")).Em(47, W("Sé-")).Em(52, "Prorpia do");
        r.Em(86, "Data").Em(94, W("Número")).Em(102, W("Sé-")).Em(107, W("Saída p/ Co-")).Em(123, "Base de Calc.");
        r.Em(139, "Base de Calc.").Em(155, "manescente").Em(170, "Imposto").Em(185, "Total Exe-");
        r.Em(200, "Parcela para").Em(215, "Parcela para");
        grava_(r.str());
    }
    {
        Regua r;
        r.Barras(kBarrasDetalhe).Em(47, "rie").Em(52, "Substituido").Em(102, "rie").Em(107, W("mercialização"));
        r.Em(123, "Efetiva Saida").Em(139, "Efetiva nas").Em(185, "dente").Em(200, W("Cálculo do")).Em(215, "Calculo do");
        grava_(r.str());
    }
    grava_(Regua()
               .Barras(kBarrasDetalhe)
               .Em(123, "Cons. Final")
               .Em(139, "Entradas")
               .Em(200, "Ressarcimento")
               .Em(215, W("Compensação"))
               .str());
    grava_(std::string(228, '-'));
    {
        Regua r;
        r.Barras(kBarrasDetalhe);
        const std::pair<std::size_t, const char*> numeros[] = {
            {14, "01"},  {32, "02"},  {42, "03"},  {47, "04"},  {58, "05"},  {74, "06"},
            {87, "07"},  {97, "08"},  {102, "09"}, {113, "10"}, {129, "11"}, {145, "12"},
            {160, "13"}, {175, "14"}, {190, "15"}, {205, "16"}, {220, "17"}};
        for (auto& [p, t] : numeros) r.Em(p, t);
        grava_(r.str());
    }
    grava_(std::string(228, '-'));
}

void TextoPlanilhaVeiculos::Linha(const dictionary::EntradaSaidaVorelRec& w) {
    if (linhasNaPagina_ == 0) Cabecalho();
    const LinhaVeiculo l = LinhaDaPlanilha(w, modelo_);
    totais_.Soma(l);
    Regua r;
    r.Barras(kBarrasDetalhe);
    if (modelo_ == 1) {
        ++numeroLinha_;
        r.Em(2, text::zero_fill(numeroLinha_, 2)).Em(4, "|").Em(5, text::pad(l.chassi, 22));
    } else {
        r.Em(4, text::pad(l.chassi, 22));
    }
    r.Em(28, Data(l.dataEntrada)).Em(39, Numero(l.numeroEntrada)).Em(48, text::pad(l.serieEntrada, 2));
    r.Em(51, Valor(l.coluna(5), 15)).Em(67, Valor(l.coluna(6), 15));
    r.Em(83, Data(l.dataSaida)).Em(94, Numero(l.numeroSaida)).Em(103, text::pad(l.serieSaida, 2));
    r.Em(106, Valor(l.coluna(10), 15)).Em(122, Valor(l.coluna(11), 15)).Em(138, Valor(l.coluna(12), 15));
    const std::size_t pos14[] = {154, 169, 184, 199, 214};
    for (int c = 13; c <= 17; ++c) r.Em(pos14[c - 13], Valor(l.coluna(c), 14));
    grava_(codigos_.CPI17 + r.str());
    ++linhasNaPagina_;
    if (linhasNaPagina_ >= codigos_.NLINHAS - 14) FimDePagina();
}

void TextoPlanilhaVeiculos::Fecha() {
    if (linhasNaPagina_ > 0) FimDePagina();
}

void TextoPlanilhaVeiculos::FimDePagina() {
    const std::string tracos(228, '-');
    const SaldosVeiculo& s = totais_.saldos;
    grava_(tracos);
    grava_(Regua().Barras({1, 168, 183, 198, 213, 228}).Em(175, "18").Em(205, "19").Em(220, "20").str());
    grava_(text::pad("|", 4) + text::pad("Somas", 163) + "|" + Total(totais_.s18) + "|" + std::string(14, ' ') + "|" +
           Total(totais_.s19) + "|" + Total(totais_.s20) + "|");
    grava_(tracos);
    auto resultado = [&](const std::string& inicio, const char* textoUtf8, const Decimal& valor) {
        return inicio + "|" + std::string(37, ' ') + text::pad(W(textoUtf8), 79) + "|" + std::string(9, ' ') +
               text::pad("se Positivo", 20) + "|" + std::string(15, ' ') + Total(valor) + "|";
    };
    const std::string separa = Regua().Barras({1, 51, 228}).Tracos(52, 227).str();
    grava_(Regua().Barras({1, 51, 168, 198, 228}).Em(178, "18(-)19(-)20").Em(212, "21").str());
    grava_(resultado(text::pad("|", 50), "Diferença da Base de Cálculo do Imposto a ser Complementado", s.complementar));
    grava_(separa);
    grava_(Regua().Barras({1, 51, 168, 198, 228}).Em(178, "19(-)18").Em(212, "22").str());
    grava_(resultado(text::pad("|", 15) + text::pad(W("Apuração dos Saldos"), 35),
                     "Diferença da Base de Cálculo do Imposto a ser Ressarcido", s.ressarcir));
    grava_(separa);
    grava_(Regua().Barras({1, 51, 168, 198, 228}).Em(178, "19(+)20(-)18(-)22").Em(212, "23").str());
    grava_(resultado(text::pad("|", 50), "Diferença da Base de Cálculo do Imposto a ser Compensado", s.compensar));
    grava_(tracos);
    grava_(rodape_);
    grava_("\f");
    linhasNaPagina_ = 0;
}

}  // namespace vorel::computation
