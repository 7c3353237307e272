// The text sheet's result page.
#include "vorel/sheets/resultado_texto.h"

#include "formato.h"
#include "vorel/core/text.h"

namespace vorel::sheets {

namespace {

constexpr std::size_t kLarguras[kValores] = {12, 12, 13, 12, 12, 13, 13};

std::string Enchimento() {
    return formato::Grade(225).Barras({1, 89, 102, 115, 129, 142, 155, 169, 183, 200, 211, 224}).Texto();
}

std::string Linha(std::uint32_t codigo, const std::string& nome, const EntradaResumo& e) {
    std::string l = "| " + text::right(std::to_string(codigo), 13) + "   " + text::pad(nome, 50) +
                    std::string(20, ' ') + "|";
    for (std::size_t i = 0; i < kValores; ++i) l += formato::Numero(e.valores[i], 2, kLarguras[i], true) + "|";
    // The balance columns have no source on this page: always blank.
    l += " " + std::string(15, ' ') + "| " + std::string(9, ' ') + "|" + std::string(12, ' ') + "|";
    return l;
}

}  // namespace

report::Outcome PaginaResultadoTexto(const ResumoPlanilha& resumo, const CabecalhoTexto& cab,
                                     const shell::CodigosImpressoraRec& codigos, const NomeDoFornecedor& fornecedor,
                                     const GravaLinha& grava) {
    PaginaTexto pagina;
    const std::string enchimento = Enchimento();
    const std::string condensado = cab.modeloNovo ? std::string() : std::string(text::clip(codigos.CPI17));
    if (report::Outcome o = CabecalhoPaginaTexto(pagina, cab, codigos, grava); !o.ok()) return o;
    for (const EntradaResumo& e : resumo.Entradas()) {
        if (codigos.NLINHAS > 5 && pagina.linhas >= codigos.NLINHAS - 5) {
            if (report::Outcome o = RodapePaginaTexto(pagina, codigos, enchimento, grava); !o.ok()) return o;
            if (report::Outcome o = CabecalhoPaginaTexto(pagina, cab, codigos, grava); !o.ok()) return o;
        }
        std::optional<std::string> nome = fornecedor ? fornecedor(e.codigo) : std::nullopt;
        const std::uint32_t codigo = nome ? e.codigo : 0;
        const std::string rotulo = nome ? text::sub(*nome, 1, 50) : std::string("SALDO ANTERIOR");
        if (report::Outcome o = grava(condensado + Linha(codigo, rotulo, e)); !o.ok()) return o;
        ++pagina.linhas;
        for (std::size_t i = 0; i < kValores; ++i) pagina.totais.valores[i] += e.valores[i];
    }
    return RodapePaginaTexto(pagina, codigos, enchimento, grava);
}

}  // namespace vorel::sheets
