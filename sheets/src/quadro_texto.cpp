// The text sheet's page header and footer.
#include "vorel/sheets/quadro_texto.h"

#include "formato.h"
#include "vorel/core/text.h"

namespace vorel::sheets {

namespace {

using formato::Grade;

constexpr std::size_t kLargo = 131;       // a line at 10 characters per inch
constexpr std::size_t kCondensado = 224;  // a condensed line

std::string Clip(const std::string& s) { return std::string(text::clip(s)); }

class Cabecalho {
public:
    Cabecalho(const CabecalhoTexto& cab, const shell::CodigosImpressoraRec& c, const GravaLinha& grava)
        : cab_(cab), c_(c), grava_(grava) {}

    // A text of the header: Windows-1252, without accents in the new model.
    std::string T(std::string_view utf8) const {
        std::string t = text::from_utf8(utf8);
        return cab_.modeloNovo ? text::strip_accents(t) : t;
    }
    std::string Cpi10() const { return Clip(c_.CPI10); }
    std::string Cpi17() const { return Clip(c_.CPI17); }
    std::string Negrito() const { return Clip(c_.LNEG); }
    std::string SemNegrito() const { return Clip(c_.DNEG); }

    report::Outcome Escreve(std::uint8_t pagina) {
        const std::string tracos(kLargo, '-');
        const std::string primeiro = cab_.modeloNovo ? Cpi17() : Cpi10();
        const std::string largo = cab_.modeloNovo ? std::string() : Cpi10();
        const std::string condensado = cab_.modeloNovo ? std::string() : Cpi17();
        const std::string titulo = T("Controle de Estoque - Mercadorias Enquadradas na Substituição Tributária");
        const std::size_t antes = titulo.size() < 129 ? (129 - titulo.size()) / 2 : 0;
        const std::string centrado = text::pad(std::string(antes, ' ') + titulo, 129);
        const std::string numero = T("Número Página....") + text::zero_fill(pagina, 3);
        const std::string fim = "|" + std::string(23, ' ') + "|";
        const std::string aliquota = SemNegrito() + "|    " + T("Alíquota: ") +
                                     formato::Numero(cab_.aliquota, 2, 5, false) + SemNegrito() + "    |";
        std::vector<std::string> l;
        l.push_back(primeiro + tracos);
        l.push_back("|" + Negrito() + centrado + SemNegrito() + Clip(c_.DEXP) + "|");
        l.push_back("|" + std::string(38, ' ') + T("(Critério de Avaliação Valor Médio Ponderado Móvel)") +
                    text::right(numero, 40) + "|");
        l.push_back(tracos);
        l.push_back("| " + Negrito() + text::pad(T("Contribuinte:"), 14) + text::pad(cab_.empresa, 45) +
                    text::pad(T("Inscrição Estadual:"), 20) + text::pad(cab_.inscricao, 25) + SemNegrito() + fim);
        if (cab_.filtroFornecedor) {
            if (cab_.fornecedor)
                l.push_back("| " + Negrito() + text::pad(T("Fornecedor: "), 14) + text::pad(*cab_.fornecedor, 70) +
                            std::string(20, ' ') + aliquota);
        } else if (cab_.mostraEndereco) {
            l.push_back("| " + Negrito() + text::pad(T("Endereço:"), 14) + text::pad(cab_.endereco, 70) +
                        std::string(20, ' ') + aliquota);
        } else {
            l.push_back("| " + Negrito() + std::string(104, ' ') + aliquota);
        }
        l.push_back("| " + Negrito() + text::pad(T("Mês e Ano Referência:"), 22) +
                    text::right(std::to_string(cab_.mes), 2) + "/" + text::pad(std::to_string(cab_.ano), 9) +
                    text::pad(T("Mercadoria:"), 12) + text::pad(text::sub(cab_.produto, 1, 30), 32) +
                    text::pad(T("Unidade de Medida:"), 19) + text::pad(text::sub(cab_.medida, 1, 3), 7) +
                    SemNegrito() + fim);
        l.push_back(tracos);
        l.push_back(Grade(kLargo).Barras({1, 7, 31, 107, 131}).Poe(15, "Entradas").Poe(68, T("Saídas"))
                        .Poe(117, "Saldos").Texto());
        l.push_back("|" + std::string(5, ' ') + std::string(125, '-'));
        l.push_back(condensado + Grade(kCondensado).Barras({1, 12, 23, 39, 52, 65, 79, 155, 183, 224})
                                     .Poe(5, "DATA").Poe(13, "DOC FISCAL").Poe(29, "QUANT.").Poe(41, "BASE CAL.")
                                     .Poe(54, "DOC FISCAL").Poe(70, "QUANT.")
                                     .Poe(100, T("VALOR DA BASE DE CÁLCULO DA RETENÇÃO"))
                                     .Poe(160, "VALOR DO CONFRONTO").Poe(194, T("BASE RETENÇÃO")).Texto());
        l.push_back(Grade(kCondensado).Barras({1, 39}).Tracos(12, 23).Tracos(52, 65).Tracos(79, 224).Texto());
        l.push_back(Celulas().Poe(13, T("Número")).Poe(20, T("Sé-")).Poe(42, T("Retenção")).Poe(54, T("Número"))
                        .Poe(62, T("Sé-")).Poe(82, "Valor").Poe(91, T("Saída Usu.")).Poe(104, "Fato Gera-")
                        .Poe(117, T("Saída Isen-")).Poe(131, T("Saída Ou-")).Poe(144, T("Saída com"))
                        .Poe(157, "Base Efeti-").Poe(171, "Base Entra-").Poe(190, "Quant.").Poe(204, "Valor")
                        .Poe(215, "Valor").Texto());
        l.push_back(Celulas().Poe(20, "rie").Poe(62, "rie").Poe(82, "Unit.").Poe(91, "Final")
                        .Poe(104, T("dor não Re-")).Poe(117, T("ta não Inci")).Poe(131, "tro Estado")
                        .Poe(144, "Subsequen-").Poe(157, "va Consumi-").Poe(171, "da Dem Hip").Poe(204, "Unit")
                        .Poe(215, "Total").Texto());
        l.push_back(Celulas().Poe(104, "alizado").Poe(117, "dente").Poe(144, "te").Poe(157, "dor Final").Texto());
        l.push_back(largo + tracos);
        Grade numeros = Celulas();
        const std::size_t colunas[] = {6, 15, 21, 31, 45, 56, 63, 72, 83, 95, 108, 122, 135, 148, 162, 176, 191, 205, 217};
        for (std::size_t i = 0; i < 19; ++i) numeros.Poe(colunas[i], text::zero_fill(static_cast<long long>(i + 1), 2));
        l.push_back(condensado + numeros.Texto());
        l.push_back(largo + tracos);
        for (const std::string& linha : l)
            if (report::Outcome o = grava_(linha); !o.ok()) return o;
        return report::Outcome::success();
    }

private:
    static Grade Celulas() {
        Grade g(kCondensado);
        g.Barras({1, 12, 19, 23, 39, 52, 61, 65, 79, 89, 102, 115, 129, 142, 155, 169, 183, 200, 211, 224});
        return g;
    }

    const CabecalhoTexto& cab_;
    const shell::CodigosImpressoraRec& c_;
    const GravaLinha& grava_;
};

}  // namespace

report::Outcome CabecalhoPaginaTexto(PaginaTexto& pagina, const CabecalhoTexto& cab,
                                     const shell::CodigosImpressoraRec& codigos, const GravaLinha& grava) {
    if (pagina.linhas != 0) return report::Outcome::success();
    pagina.paginaCabecalho = static_cast<std::uint8_t>(pagina.paginaCabecalho + 1);
    if (report::Outcome o = Cabecalho(cab, codigos, grava).Escreve(pagina.paginaCabecalho); !o.ok()) return o;
    pagina.linhas = 18;
    pagina.paginaRodape = static_cast<std::uint16_t>(pagina.paginaRodape + 1);
    return report::Outcome::success();
}

report::Outcome RodapePaginaTexto(PaginaTexto& pagina, const shell::CodigosImpressoraRec& codigos,
                                  std::string_view enchimento, const GravaLinha& grava) {
    const int limite = codigos.NLINHAS - 5;
    const std::string condensado = Clip(codigos.CPI17);
    while (pagina.linhas < limite) {
        ++pagina.linhas;
        if (report::Outcome o = grava(condensado + std::string(enchimento)); !o.ok()) return o;
    }
    if (pagina.linhas == 0) return report::Outcome::success();
    const TotaisPlanilha& t = pagina.totais;
    using formato::Numero;
    std::string totais = "|     Totais" + std::string(10, ' ') + "|" + Numero(t.entQuantidade, 3, 15, false) + "|" +
                         Numero(t.entBase, 2, 12, false) + "|" + std::string(13, ' ') +
                         Numero(t.saiQuantidade, 3, 13, false) + "|" + std::string(10, ' ');
    const std::size_t larguras[kValores] = {12, 12, 13, 12, 12, 13, 13};
    for (std::size_t i = 0; i < kValores; ++i) totais += Numero(t.valores[i], 2, larguras[i], false) + "|";
    totais += std::string(16, ' ') + "|" + std::string(10, ' ') + "|" + std::string(12, ' ') + "|";
    const std::string linhas[] = {
        std::string(kCondensado, '-'),
        totais,
        std::string(kCondensado, '='),
        text::pad(pagina.rodape, 150) + text::from_utf8("Página: ") + std::to_string(pagina.paginaRodape),
        "\f",
    };
    for (const std::string& l : linhas)
        if (report::Outcome o = grava(l); !o.ok()) return o;
    pagina.linhas = 0;
    return report::Outcome::success();
}

}  // namespace vorel::sheets
