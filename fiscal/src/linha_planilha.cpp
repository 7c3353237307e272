// Placement of a work-table row on the monthly sheet's nineteen columns, and the sign rule of the totals.
#include "vorel/fiscal/linha_planilha.h"

#include <algorithm>

#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/colunas.h"

namespace vorel::fiscal {

namespace {

constexpr std::uint16_t kNumeroNaEntrada[] = {178, 278, 1661, 2661, 1662, 2662};

template <std::size_t N>
bool Em(const std::uint16_t (&lista)[N], std::uint16_t cfo) {
    return std::find(std::begin(lista), std::end(lista), cfo) != std::end(lista);
}

}  // namespace

bool NumeroNaEntrada(std::uint16_t cfo) { return Em(kNumeroNaEntrada, cfo); }

Tipo TipoDaLinha(const dictionary::EntradaSaidaVorelRec& esa, bool cfoEncontrado, std::uint8_t coluna) {
    if (esa.ENTSAI == 0) return {TipoLinha::SaldoAnterior, 0};
    if (esa.NUMERO.clipped().empty()) return {TipoLinha::Pula, 0};
    const std::string_view aliquota = esa.ALIQUOTA.clipped();
    if (aliquota.empty()) {
        if (cfoEncontrado && coluna >= 1 && coluna <= 9) return {TipoLinha::Coluna, coluna};
        return {TipoLinha::Desconhecida, 0};
    }
    if (aliquota == "F") return {TipoLinha::Caixa, 0};
    return {TipoLinha::Desconhecida, 0};
}

LinhaPlanilha ColocaLinha(const dictionary::EntradaSaidaVorelRec& esa, Tipo tipo) {
    LinhaPlanilha l;
    l.tipo = tipo;
    l.saldoQuantidade = esa.SALDOQUANTIDADE;
    l.saldoValUnitario = esa.SALDOVALUNITARIO;
    l.saldoBase = esa.SALDOBASERETENCAO;
    if (!l.Conta()) {
        if (tipo.linha == TipoLinha::Desconhecida) l.data = esa.DATA;
        return l;
    }
    l.data = esa.DATA;
    l.saiValUnitario = esa.SAIVALUNITARIO;
    l.valores = {esa.SAICONSFINAL.value(), esa.SAINREALIZADO.value(), esa.SAIISENTA.value(), esa.SAIOUTORUF.value(),
                 esa.SAISUBSEQUENTE.value(), esa.CONFUSUFINAL.value(), esa.CONFENTRADASDEMHIP.value()};
    const std::string numero = std::string(esa.NUMERO.clipped());
    const std::string serie = std::string(esa.SERIE.clipped());
    const std::uint8_t coluna = tipo.linha == TipoLinha::Caixa ? 0 : tipo.coluna;
    const auto entrada = [&](bool comBase) {
        l.entNumero = numero;
        l.entSerie = serie;
        l.entQuantidade = esa.QUANTIDADE;
        if (comBase) l.entBase = esa.BASEICMS;
    };
    const auto saida = [&] {
        l.saiNumero = numero;
        l.saiSerie = serie;
        l.saiQuantidade = esa.QUANTIDADE;
    };
    switch (coluna) {
    case fiscal::kEntradas: entrada(true); break;
    case fiscal::kEntradasDemaisHipoteses: entrada(false); break;
    case fiscal::kDevolucaoCompras: entrada(true); break;
    case fiscal::kConsumidorFinal: case fiscal::kFatoGeradorNaoRealizado: case fiscal::kIsenta:
    case fiscal::kOutroEstado: case fiscal::kSubsequente:
        if (NumeroNaEntrada(esa.CFO)) l.entNumero = numero;
        else l.saiNumero = numero;
        l.saiSerie = serie;
        l.saiQuantidade = esa.QUANTIDADE;
        break;
    default: saida(); break;  // kDevolucaoEstoque and the cash register
    }
    l.subtrai = tipo.linha == TipoLinha::Coluna && fiscal::SubtraiDosTotais(coluna, esa.CFO);
    return l;
}

data::Result LeSoCamposDaLinha(data::FileManager& trabalho) {
    return data::Cursor::read_only(
        trabalho, {"CODMERCADORIA", "DATA", "ENTSAI", "NUMERO", "SERIE", "CFO", "COMPLEMENTO", "ALIQUOTA", "QUANTIDADE",
                   "BASEICMS", "SAIVALUNITARIO", "SAICONSFINAL", "SAINREALIZADO", "SAIISENTA", "SAIOUTORUF",
                   "SAISUBSEQUENTE", "CONFUSUFINAL", "CONFENTRADASDEMHIP", "SALDOQUANTIDADE", "SALDOVALUNITARIO",
                   "SALDOBASERETENCAO"});
}

void TotaisPlanilha::Soma(const LinhaPlanilha& l) {
    if (!l.Conta()) return;
    const auto soma = [&](Decimal& total, const Decimal& v) { total = l.subtrai ? total - v : total + v; };
    soma(entQuantidade, l.entQuantidade);
    soma(entBase, l.entBase);
    soma(saiQuantidade, l.saiQuantidade);
    for (std::size_t i = 0; i < kValores; ++i) soma(valores[i], l.valores[i]);
}

}  // namespace vorel::fiscal
