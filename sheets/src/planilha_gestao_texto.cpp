// The management text sheet's lines and pages (planilha_gestao_texto.h).
#include "vorel/sheets/planilha_gestao_texto.h"

#include "formato.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::sheets {

namespace {

using formato::Numero;

std::string Data(date::Day d) { return d <= 0 ? std::string(10, ' ') : picture::format("@d06b", d); }

}  // namespace

const char* const kGradeGestaoTexto =
    "|          |      |   |               |            |        |   |             |         |            |"
    "            |             |            |            |             |             |                |"
    "          |            | ";

std::string LinhaDetalheGestaoTexto(const LinhaPlanilha& l) {
    const std::size_t larguras[kValores] = {12, 12, 13, 12, 12, 13, 13};
    std::string s = "|" + Data(l.data) + "|" + text::right(l.entNumero, 6) + "| " + text::pad(l.entSerie, 2) + "|  " +
                    Numero(l.entQuantidade, 3, 13, true) + "|" + Numero(l.entBase, 2, 12, true) + "|" +
                    text::pad(text::trim(text::sub(l.saiNumero, 1, 8)), 8) + "| " + text::pad(l.saiSerie, 2) + "|" +
                    Numero(l.saiQuantidade, 3, 13, true) + "|" + Numero(l.saiValUnitario, 3, 9, true) + "|";
    for (std::size_t i = 0; i < kValores; ++i) s += Numero(l.valores[i], 2, larguras[i], true) + "|";
    s += " " + Numero(l.saldoQuantidade, 3, 15, true) + "| " + Numero(l.saldoValUnitario, 3, 9, true) + "|" +
         Numero(l.saldoBase, 2, 12, true) + "|";
    return s;
}

std::optional<std::string> ContinuacaoGestaoTexto(const LinhaPlanilha& l) {
    if (text::clip(l.saiNumero).size() <= 8) return std::nullopt;
    LinhaPlanilha c;
    std::string linha = LinhaDetalheGestaoTexto(c);
    const std::string resto = text::pad(text::sub(l.saiNumero, 9, 7), 8);
    linha.replace(52, 8, resto);  // columns 53 to 60
    return linha;
}

TextoPlanilhaGestao::TextoPlanilhaGestao(ValorMedioGestao& valor, CabecalhoTexto cab,
                                         shell::CodigosImpressoraRec codigos, std::string rodape, GravaLinha grava,
                                         std::function<ProdutoPlanilha(const Decimal&)> produto, bool saldoNegativo)
    : valor_(valor), cab_(std::move(cab)), codigos_(std::move(codigos)), grava_(std::move(grava)),
      produto_(std::move(produto)), saldoNegativo_(saldoNegativo) {
    pagina_.rodape = std::move(rodape);
}

void TextoPlanilhaGestao::Produto(const Decimal& produto) {
    const ProdutoPlanilha p = produto_ ? produto_(produto) : ProdutoPlanilha{};
    cab_.produto = produto.to_string() + " - " + p.descricao;
    cab_.medida = p.medida;
    cab_.aliquota = p.aliquota;
}

report::Outcome TextoPlanilhaGestao::Rodape() {
    pagina_.totais = valor_.Totais();
    return RodapePaginaTexto(pagina_, codigos_, kGradeGestaoTexto, grava_);
}

// A line of the sheet: the page header first when no page is open; a full page (its length less
// the footer's five lines) ends first, so a long product goes on under its headers.
report::Outcome TextoPlanilhaGestao::Escreve(const std::string& linha) {
    const int limite = codigos_.NLINHAS - 5;
    if (pagina_.linhas != 0 && limite > 18 && pagina_.linhas >= limite)
        if (report::Outcome o = Rodape(); !o.ok()) return o;
    if (report::Outcome o = CabecalhoPaginaTexto(pagina_, cab_, codigos_, grava_); !o.ok()) return o;
    ++pagina_.linhas;
    return grava_(std::string(text::clip(codigos_.CPI17)) + linha);
}

report::Outcome TextoPlanilhaGestao::Abertura(const Decimal& produto) {
    comecou_ = true;
    Produto(produto);
    const std::optional<LinhaPlanilha> l = valor_.AberturaAntecipada(produto);
    if (report::Outcome o = CabecalhoPaginaTexto(pagina_, cab_, codigos_, grava_); !o.ok()) return o;
    if (!l) return report::Outcome::success();
    return Escreve(LinhaDetalheGestaoTexto(*l));
}

report::Outcome TextoPlanilhaGestao::Linha(const dictionary::EntradaSaidaVorelRec& esa, std::uint8_t tipoLote,
                                            std::uint32_t fornecedor) {
    const Decimal produto = esa.CODMERCADORIA.value();
    if (comecou_ && valor_.NovoProduto(produto) && (!saldoNegativo_ || valor_.Negativo()))
        if (report::Outcome o = Rodape(); !o.ok()) return o;
    if (!comecou_ || valor_.NovoProduto(produto)) Produto(produto);
    comecou_ = true;
    for (const LinhaPlanilha& l : valor_.Linha(esa, tipoLote, fornecedor, {})) {
        if (report::Outcome o = Escreve(LinhaDetalheGestaoTexto(l)); !o.ok()) return o;
        if (std::optional<std::string> c = ContinuacaoGestaoTexto(l))
            if (report::Outcome o = Escreve(*c); !o.ok()) return o;
    }
    return report::Outcome::success();
}

report::Outcome TextoPlanilhaGestao::Fecha(const NomeDoFornecedor& fornecedor, bool modeloNovo) {
    if (report::Outcome o = Rodape(); !o.ok()) return o;
    CabecalhoTexto cab = cab_;
    cab.modeloNovo = modeloNovo;
    return PaginaResultadoTexto(valor_.Resumo(), cab, codigos_, fornecedor, grava_);
}

}  // namespace vorel::sheets
