// The management sheet's weighted moving average, movement by movement, with the line it prints,
// the product's totals and the summary by supplier.
#include "vorel/sheets/valor_medio.h"

#include <algorithm>
#include <iterator>

#include "formato.h"
#include "vorel/core/text.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/colunas.h"

namespace vorel::sheets {

namespace {

// The sheet columns and a row's results, by name.
using enum fiscal::Coluna;
using enum fiscal::Retencao;

constexpr std::uint16_t kAoCustoMedio[] = {176, 276, 1409, 2409, 1659, 2659};

template <std::size_t N>
bool Na(const std::uint16_t (&lista)[N], std::uint16_t cfo) {
    return std::find(std::begin(lista), std::end(lista), cfo) != std::end(lista);
}

// Every stored result keeps the places of its field, rounded half away from zero (both forms).
Decimal R(const Decimal& v, int casas) { return v.rounded(casas); }
// A division by a zero quantity gives 0 and the run goes on.
Decimal Div(const Decimal& a, const Decimal& b) { return Decimal::divide_or_zero(a, b); }

// The text form's entry number: the document number in six positions, points between thousands.
std::string NumeroSeisPosicoes(std::string_view numero) {
    const std::optional<Decimal> n = Decimal::parse(text::trim(numero));
    return formato::Numero(n.value_or(Decimal()), 0, 6, true);
}

}  // namespace

bool EntradaAoCustoMedio(std::uint16_t cfo) { return Na(kAoCustoMedio, cfo); }

ValorMedioGestao::ValorMedioGestao(OpcoesGestao opcoes, ConsultasGestao consultas)
    : op_(std::move(opcoes)), c_(std::move(consultas)) {}

bool ValorMedioGestao::NovoProduto(const Decimal& produto) const { return !primeiro_ && produto != produto_; }

bool ValorMedioGestao::Negativo() const {
    return op_.forma == FormaPlanilha::Pagina ? negativo_ : saldo_.base.sign() < 0;
}

void ValorMedioGestao::Reinicia() {
    saldo_ = {};
    totais_ = {};
    linha_ = {};
    unitConsumidor_ = {};
    negativo_ = false;
    aberturaImpressa_ = false;
    aberturaFeita_ = false;
}

std::optional<LinhaPlanilha> ValorMedioGestao::AberturaAntecipada(const Decimal& produto) {
    Reinicia();
    produto_ = produto;
    primeiro_ = false;
    return TomaAbertura(produto);
}

std::optional<LinhaPlanilha> ValorMedioGestao::TomaAbertura(const Decimal& produto) {
    SaldoGestao s = c_.saldoAnterior ? c_.saldoAnterior(produto) : SaldoGestao{};
    const bool daJanela = (s.quantidade + s.valUnitario + s.base).sign() <= 0;
    if (daJanela) {
        auto it = op_.aberturas.find(produto);
        s = it == op_.aberturas.end() ? SaldoGestao{} : it->second;
    }
    saldo_ = {R(s.quantidade, 3), R(s.valUnitario, 3), R(s.base, 2)};
    aberturaFeita_ = true;
    if (saldo_.base.sign() < 0) negativo_ = true;

    linha_ = {};
    linha_.tipo = {TipoLinha::SaldoAnterior, 0};
    linha_.saldoQuantidade = saldo_.quantidade;
    linha_.saldoValUnitario = saldo_.valUnitario;
    linha_.saldoBase = saldo_.base;
    bool imprime = false;
    if (op_.forma == FormaPlanilha::Pagina) {
        const bool positivo = (saldo_.base + saldo_.quantidade + saldo_.valUnitario).sign() > 0;
        imprime = op_.descSaldo != kApenasSaldoAtual && positivo && (!op_.saldoNegativo || negativo_);
        if (imprime) aberturaImpressa_ = true;
    } else {
        imprime = !(op_.saldoNegativo && saldo_.base.sign() >= 0) &&
                  !(!op_.umProduto && op_.descSaldo == kApenasSaldoAnterior && daJanela && saldo_.quantidade.sign() < 0);
    }
    if (!imprime) return std::nullopt;
    return linha_;
}

data::Result LeSoCamposDaGestao(data::FileManager& trabalho) {
    return data::Cursor::read_only(trabalho, {"CODMERCADORIA", "DATA", "NUMERO", "SERIE", "CFO", "COMPLEMENTO",
                                              "ALIQUOTA", "QUANTIDADE", "BASEICMS", "LOTE", "CNPJFORPROD"});
}

std::vector<LinhaPlanilha> ValorMedioGestao::Linha(const dictionary::EntradaSaidaVorelRec& esa, std::uint8_t tipoLote,
                                                  std::uint32_t fornecedor, const std::string& nomeFornecedor) {
    std::vector<LinhaPlanilha> out;
    const Decimal produto = esa.CODMERCADORIA;
    if (primeiro_ || produto != produto_) Reinicia();
    primeiro_ = false;
    produto_ = produto;
    if (!aberturaFeita_)
        if (std::optional<LinhaPlanilha> l = TomaAbertura(produto)) out.push_back(*l);
    if (esa.NUMERO.clipped().empty()) return out;
    const bool selecionada = Selecionada(tipoLote);
    if (op_.forma == FormaPlanilha::Texto && !selecionada) return out;
    Valora(esa);
    if (selecionada) {
        totais_.Soma(linha_);
        if (Imprime()) out.push_back(linha_);
    }
    Fila(tipoLote, fornecedor, nomeFornecedor);
    return out;
}

bool ValorMedioGestao::Selecionada(std::uint8_t tipoLote) const {
    if (op_.descSaldo == kApenasSaldoAnterior) return tipoLote == kLoteAnterior;
    if (op_.descSaldo == kApenasSaldoAtual) return tipoLote == kLoteAtual;
    return true;
}

bool ValorMedioGestao::Imprime() const { return !op_.saldoNegativo || Negativo(); }

void ValorMedioGestao::Fila(std::uint8_t tipoLote, std::uint32_t fornecedor, const std::string& nome) {
    const bool entra = op_.saldoNegativo ? Negativo() && op_.descSaldo == kSaldoNormal : Selecionada(tipoLote);
    if (!entra) return;
    if (op_.forma == FormaPlanilha::Pagina) {
        resumo_.Acumula(fornecedor, nome, linha_);
        return;
    }
    // The text form sums only columns 10 to 16, always adding.
    LinhaPlanilha l = linha_;
    l.subtrai = false;
    l.saiQuantidade = l.saiValUnitario = l.saldoQuantidade = Decimal();
    resumo_.Acumula(fornecedor, nome, l);
}

void ValorMedioGestao::MovimentoDeSaida(std::uint16_t cfo, const Decimal& quantidade) {
    const Decimal valor = R(quantidade * saldo_.valUnitario, 2);
    if (fiscal::RetornaAoEstoque(cfo)) {
        saldo_.quantidade += quantidade;
        saldo_.base += valor;
    } else {
        saldo_.quantidade -= quantidade;
        saldo_.base -= valor;
    }
}

Decimal ValorMedioGestao::Coluna16Isenta(const Decimal& produto, date::Day data, const Decimal& quantidade) const {
    // The latest entry on or before the exit (the text form: before the exit's day).
    const date::Day ate = op_.forma == FormaPlanilha::Texto ? data - 1 : data;
    Decimal unit;
    if (c_.entradas) c_.entradas(produto, ate, [&](const EntradaAnterior& e) {
        unit = R(Div(e.basePropria, e.quantidade), 2);
        return false;
    });
    return R(unit * quantidade, 2);
}

Decimal ValorMedioGestao::Coluna16OutroEstado(const Decimal& produto, date::Day data, const Decimal& quantidade) const {
    bool primeira = true;
    Decimal qPrimeira, bPrimeira, qSoma, bSoma;
    if (c_.entradas) c_.entradas(produto, data, [&](const EntradaAnterior& e) {
        if (op_.forma == FormaPlanilha::Texto && e.numeroZero) return true;
        const Decimal q = R(e.quantidade, 2), b = R(e.basePropria, 2);
        if (primeira) {
            qPrimeira = q;
            bPrimeira = b;
            primeira = false;
        }
        qSoma += q;
        bSoma += b;
        return qSoma < quantidade;
    });
    if (quantidade <= qSoma) return R(Div(bSoma, qSoma) * quantidade, 2);
    return R(R(Div(bPrimeira, qPrimeira), 2) * quantidade, 2);
}

void ValorMedioGestao::Valora(const dictionary::EntradaSaidaVorelRec& esa) {
    const bool texto = op_.forma == FormaPlanilha::Texto;
    const Decimal q = esa.QUANTIDADE.value(), b = esa.BASEICMS.value();
    const Decimal produto = esa.CODMERCADORIA.value();
    const std::uint16_t cfo = esa.CFO;
    const std::string numero(esa.NUMERO.clipped()), serie(esa.SERIE.clipped());
    const auto media = [&] { return R(q * saldo_.valUnitario, 2); };
    const auto verificaNegativo = [&] {
        if (saldo_.base.sign() < 0) negativo_ = true;
    };
    const auto recalculaMedia = [&] { saldo_.valUnitario = R(Div(saldo_.base, saldo_.quantidade), 3); };
    const auto fecha = [&] {
        linha_.saldoQuantidade = saldo_.quantidade;
        linha_.saldoValUnitario = saldo_.valUnitario;
        linha_.saldoBase = saldo_.base;
    };

    linha_ = {};
    linha_.data = esa.DATA;
    const auto saida = [&](bool numeroNaEntrada) {
        if (numeroNaEntrada) linha_.entNumero = texto ? text::sub(numero, 1, 6) : numero;
        else linha_.saiNumero = std::string(text::clip(esa.NUMERO.value()));
        linha_.saiSerie = serie;
        linha_.saiQuantidade = q;
        linha_.saiValUnitario = saldo_.valUnitario;
    };
    const auto entrada = [&](bool seisPosicoes) {
        linha_.entNumero = !texto ? numero : seisPosicoes ? NumeroSeisPosicoes(numero) : text::sub(numero, 1, 6);
        linha_.entSerie = serie;
        linha_.entQuantidade = q;
    };

    if (!esa.ALIQUOTA.clipped().empty()) {  // a cash-register row
        linha_.tipo = {TipoLinha::Caixa, 0};
        saida(false);
        linha_.valores[kValConsumidorFinal] = media();
        linha_.valores[kValConfUsuarioFinal] = b;
        MovimentoDeSaida(cfo, q);
        verificaNegativo();
        return fecha();
    }

    const std::optional<std::uint8_t> coluna = c_.coluna ? c_.coluna(cfo, esa.COMPLEMENTO) : std::nullopt;
    if (!coluna) desconhecidos_.emplace(cfo, esa.COMPLEMENTO);
    const std::uint8_t col = coluna.value_or(0);
    if (col < kEntradas || col > kDevolucaoEstoque || (texto && col == kDevolucaoEstoque)) {
        // Nothing is valued: the line shows its date and the balance as it stands.
        linha_.tipo = {TipoLinha::Desconhecida, 0};
        return fecha();
    }
    linha_.tipo = {TipoLinha::Coluna, col};
    linha_.subtrai = fiscal::SubtraiDosTotais(col, cfo);
    const bool devolucao = NumeroNaEntrada(cfo) && !(texto && col == kConsumidorFinal);
    switch (col) {
    case kEntradas: {
        entrada(true);
        const bool transferencia = !texto && (cfo == 1409 || cfo == 2409) && !aberturaImpressa_;
        if (transferencia) {
            linha_.entBase = b;
            aberturaImpressa_ = true;
        } else {
            linha_.entBase = EntradaAoCustoMedio(cfo) ? media() : b;
        }
        saldo_.quantidade += q;
        saldo_.base += linha_.entBase;
        recalculaMedia();
        break;
    }
    case kConsumidorFinal: {
        saida(devolucao);
        linha_.valores[kValConsumidorFinal] = media();
        linha_.valores[kValConfUsuarioFinal] = b;
        if (b.sign() > 0) unitConsumidor_ = R(Div(b, q), 4);
        if (fiscal::RetornaAoEstoque(cfo)) {
            MovimentoDeSaida(cfo, q);
        } else if (fiscal::CfoDeEntrada(cfo)) {
            saldo_.quantidade += q;
            saldo_.base += media();
            if (b.is_zero()) linha_.valores[kValConfUsuarioFinal] = R(unitConsumidor_ * q, 2);
        } else {
            MovimentoDeSaida(cfo, q);
        }
        verificaNegativo();
        break;
    }
    case kFatoGeradorNaoRealizado:
        saida(devolucao);
        linha_.valores[kValFatoGeradorNaoRealizado] = media();
        linha_.valores[kValConfDemaisHipoteses] = linha_.valores[kValFatoGeradorNaoRealizado];
        MovimentoDeSaida(cfo, q);
        verificaNegativo();
        break;
    case kIsenta:
        saida(devolucao);
        linha_.valores[kValIsenta] = media();
        linha_.valores[kValConfDemaisHipoteses] = Coluna16Isenta(produto, esa.DATA, q);
        MovimentoDeSaida(cfo, q);
        verificaNegativo();
        break;
    case kOutroEstado:
        saida(devolucao);
        linha_.valores[kValOutroEstado] = media();
        linha_.valores[kValConfDemaisHipoteses] = Coluna16OutroEstado(produto, esa.DATA, q);
        MovimentoDeSaida(cfo, q);
        verificaNegativo();
        break;
    case kSubsequente:
        saida(devolucao);
        linha_.valores[kValSubsequente] = media();
        MovimentoDeSaida(cfo, q);
        verificaNegativo();
        break;
    case kEntradasDemaisHipoteses:
        entrada(true);
        linha_.valores[kValConfDemaisHipoteses] = b;
        saldo_.quantidade += q;
        saldo_.base += b;
        verificaNegativo();
        recalculaMedia();
        break;
    case kDevolucaoCompras:
        entrada(false);
        linha_.entBase = b;
        saldo_.quantidade -= q;
        saldo_.base -= b;
        recalculaMedia();
        break;
    case kDevolucaoEstoque:
        saida(false);
        linha_.valores[kValFatoGeradorNaoRealizado] = media();
        linha_.valores[kValConfDemaisHipoteses] = Coluna16Isenta(produto, esa.DATA, q);
        saldo_.base -= media();
        saldo_.quantidade -= q;
        verificaNegativo();
        break;
    default: break;
    }
    fecha();
}

}  // namespace vorel::sheets
