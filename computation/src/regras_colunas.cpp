// The sheet columns' rules of the monthly valuation (regras_colunas.h).
#include "vorel/computation/regras_colunas.h"

#include "vorel/fiscal/cfop.h"

namespace vorel::computation {

namespace {

using fiscal::CfoDeEntrada;
using fiscal::EntradaReavaliada;
using fiscal::RetornaAoEstoque;

bool DevolucaoVenda(int cfo) { return cfo == 1411 || cfo == 2411; }

// The L-fallback: a unit value of 0 becomes the last positive unit value.
Decimal ComL(const Decimal& v, const Corrente& c) { return v.is_zero() ? c.L.value() : v; }

// The return chain: a unit value of 0 becomes the last exit unit value when above 0, else the
// previous unit value when the last exit unit value is exactly 0.
Decimal CadeiaRetorno(const Decimal& v, const Corrente& c) {
    if (!v.is_zero()) return v;
    if (c.E.value().sign() > 0) return c.E;
    if (c.E.value().is_zero()) return c.P;
    return v;
}

struct Saldo {
    Decimal q, base, unit;
};

Saldo Sobe(const Corrente& c, const Decimal& q, const Decimal& u) {
    return {c.S + q, TruncaDuasCasas(c.X + q * u), Decimal()};
}
Saldo Desce(const Corrente& c, const Decimal& q, const Decimal& u) {
    return {c.S - q, TruncaDuasCasas(c.X - q * u), Decimal()};
}

void Zera(LinhaTrabalho& l) {
    l.SAIVALUNITARIO = 0;
    l.SAICONSFINAL = 0;
    l.SAINREALIZADO = 0;
    l.SAIISENTA = 0;
    l.SAIOUTORUF = 0;
    l.SAISUBSEQUENTE = 0;
    l.CONFUSUFINAL = 0;
}

}  // namespace

Decimal TruncaDuasCasas(const Decimal& x) { return x.rounded(5).cut(2); }


bool LeiAplica(const ContextoRegra& ctx, date::Day data, int cfo) {
    if (!ctx.adotaLei) return false;
    static const date::Day inicio2008 = date::make(2008, 12, 23);
    static const date::Day fim2015 = date::make(2015, 12, 31);
    static const date::Day inicio2016 = date::make(2016, 1, 1);
    if (data >= inicio2008 && data <= fim2015) return true;
    return data >= inicio2016 && cfo != 6108;
}

void AplicaRegra(int coluna, const ContextoRegra& ctx, Corrente& c, LinhaTrabalho& l, BasesEntradas& bases) {
    const int cfo = l.CFO;
    const Decimal q = l.QUANTIDADE;
    const Decimal b = l.BASEICMS;
    const Decimal w = c.W;
    Zera(l);
    if (coluna != kEntradasDemaisHipoteses) l.CONFENTRADASDEMHIP = 0;

    Saldo novo{c.S, c.X, c.W};
    switch (coluna) {
    case kEntradas: {
        if (EntradaReavaliada(cfo)) l.BASEICMS = TruncaDuasCasas(q * w);
        novo.q = c.S + q;
        novo.base = c.X + l.BASEICMS;
        novo.unit = Decimal::divide_or_zero(novo.base, novo.q);
        break;
    }
    case kConsumidorFinal: {
        Decimal v = DevolucaoVenda(cfo) ? CadeiaRetorno(w, c) : w;
        l.SAIVALUNITARIO = v;
        l.SAICONSFINAL = TruncaDuasCasas(q * v);
        const bool lei = LeiAplica(ctx, l.DATA, cfo);
        if (lei) {
            l.CONFUSUFINAL = l.SAICONSFINAL;
        } else if (b.sign() > 0) {
            l.CONFUSUFINAL = b;
            c.baseUnitConsumidor = TruncaDuasCasas(Decimal::divide_or_zero(b, q));
        }
        novo = (RetornaAoEstoque(cfo) || CfoDeEntrada(cfo)) ? Sobe(c, q, v) : Desce(c, q, v);
        if (!lei && CfoDeEntrada(cfo) && !RetornaAoEstoque(cfo) && b.is_zero())
            l.CONFUSUFINAL = TruncaDuasCasas(c.baseUnitConsumidor * q);
        novo.unit = ComL(v, c);
        break;
    }
    case kFatoGeradorNaoRealizado:
    case kIsenta: {
        const Decimal wl = ComL(w, c);
        l.SAIVALUNITARIO = wl;
        const Decimal resultado = TruncaDuasCasas(q * w);
        if (coluna == kFatoGeradorNaoRealizado) {
            l.SAINREALIZADO = resultado;
            l.CONFENTRADASDEMHIP = l.SAINREALIZADO;
        } else {
            l.SAIISENTA = resultado;
            l.CONFENTRADASDEMHIP = bases.UltimasEntradas(l);
        }
        novo = RetornaAoEstoque(cfo) ? Sobe(c, q, wl) : Desce(c, q, wl);
        novo.unit = wl;
        break;
    }
    case kOutroEstado:
    case kSubsequente: {
        const Decimal v = ComL(DevolucaoVenda(cfo) ? CadeiaRetorno(w, c) : w, c);
        l.SAIVALUNITARIO = v;
        if (coluna == kOutroEstado) {
            l.SAIOUTORUF = TruncaDuasCasas(q * v);
            l.CONFENTRADASDEMHIP = bases.UltimasEntradas(l);
        } else {
            l.SAISUBSEQUENTE = TruncaDuasCasas(q * v);
        }
        novo = RetornaAoEstoque(cfo) ? Sobe(c, q, v) : Desce(c, q, v);
        novo.unit = v;
        break;
    }
    case kEntradasDemaisHipoteses: {
        novo.q = c.S + q;
        novo.base = TruncaDuasCasas(c.X + b);
        novo.unit = Decimal::divide_or_zero(novo.base, novo.q);
        break;
    }
    case kDevolucaoCompras: {
        l.CONFENTRADASDEMHIP = 0;
        novo.q = c.S - q;
        novo.base = c.X - b;
        novo.unit = ComL(Decimal::divide_or_zero(novo.base, novo.q).rounded(6), c);
        break;
    }
    case kDevolucaoEstoque: {
        const Decimal v = ComL(w, c);
        l.SAIVALUNITARIO = v;
        l.SAINREALIZADO = TruncaDuasCasas(v * q);
        l.CONFENTRADASDEMHIP = bases.DevolucaoEstoque(l);
        novo = Desce(c, q, v);
        novo.unit = v;
        break;
    }
    case kCaixa: {
        const Decimal wl = ComL(w, c);
        l.SAIVALUNITARIO = wl;
        l.SAICONSFINAL = TruncaDuasCasas(q * w);
        l.CONFUSUFINAL = LeiAplica(ctx, l.DATA, cfo) ? l.SAICONSFINAL.value() : b;
        novo = Desce(c, q, wl);
        novo.unit = wl;
        break;
    }
    default:
        // No rule: the row shows the stock as it stands.
        l.CONFENTRADASDEMHIP = 0;
        l.SALDOQUANTIDADE = c.S;
        l.SALDOVALUNITARIO = c.W;
        l.SALDOBASERETENCAO = c.X;
        return;
    }

    if (novo.q.is_zero()) {
        novo.base = Decimal();
        novo.unit = Decimal();
    }
    l.SALDOQUANTIDADE = novo.q;
    l.SALDOVALUNITARIO = novo.unit;
    l.SALDOBASERETENCAO = novo.base;
    c.S = novo.q;
    c.W = novo.unit;
    c.X = novo.base;

    const bool saida = coluna != kEntradas && coluna != kEntradasDemaisHipoteses;
    if (saida && c.W.value().sign() > 0) c.L = c.W;
    if (coluna >= kConsumidorFinal && coluna <= kSubsequente) c.E = l.SAIVALUNITARIO;
    if (coluna != kEntradas && c.S.value().sign() < 0) c.negativo = true;
}

void TotaisMes::Soma(const LinhaTrabalho& l, bool subtrai) {
    auto mais = [subtrai](DecimalField<11, 2>& total, const Decimal& v) { total = subtrai ? total - v : total + v; };
    mais(consumidorFinal, l.SAICONSFINAL);
    mais(fatoGeradorNaoRealizado, l.SAINREALIZADO);
    mais(isenta, l.SAIISENTA);
    mais(outroEstado, l.SAIOUTORUF);
    mais(subsequente, l.SAISUBSEQUENTE);
    mais(confUsuarioFinal, l.CONFUSUFINAL);
    mais(confDemaisHipoteses, l.CONFENTRADASDEMHIP);
}

}  // namespace vorel::computation
