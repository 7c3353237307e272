// The vehicle sheets' rules: the split of a sale base set against its entry, the netting of the
// sums, a work row turned into the sheet's 17 columns, and one `;` line.
#include <algorithm>
#include <string>

#include "vorel/computation/planilha_veiculos.h"
#include "vorel/core/picture.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::computation {

namespace {

Decimal Positivo(const Decimal& d) { return d > Decimal(0) ? d : Decimal(0); }

// Columns 05, 06, 10..17 at their index in LinhaVeiculo::valores.
int Indice(int coluna) { return coluna <= 6 ? coluna - 5 : coluna - 8; }

std::string Numero7(std::uint32_t n) {
    if (n == 0) return std::string(7, ' ');
    std::string d = std::to_string(n);
    return d.size() >= 7 ? d : std::string(7 - d.size(), ' ') + d;
}

std::uint32_t NumeroDoTexto(std::string_view t) {
    std::uint32_t v = 0;
    for (char c : t) {
        if (c >= '0' && c <= '9') v = v * 10 + static_cast<std::uint32_t>(c - '0');
        else if (c != ' ') break;
    }
    return v;
}

}  // namespace

DivisaoBase DivideBaseVeiculo(const Decimal& v, const Decimal& e, const Decimal& p, bool complementaQuandoIgual) {
    DivisaoBase d;
    if (v > e || (complementaQuandoIgual && v == e)) {
        d.complementar = v - e;
        return d;
    }
    d.excesso = e - v;
    if (p > v) {
        d.ressarcir = e - p;
        d.compensar = p - v;
    } else {
        d.ressarcir = e - v;
    }
    return d;
}

SaldosVeiculo ApuraSaldosVeiculo(const Decimal& s18, const Decimal& s19, const Decimal& s20) {
    SaldosVeiculo s;
    s.complementar = Positivo(s18 - s19 - s20);
    s.ressarcir = Positivo(s19 - s18);
    s.compensar = Positivo(s19 + s20 - s18 - s.ressarcir);
    return s;
}

const Decimal& LinhaVeiculo::coluna(int n) const { return valores[static_cast<std::size_t>(Indice(n))]; }

LinhaVeiculo LinhaDaPlanilha(const dictionary::EntradaSaidaVorelRec& w, int modelo) {
    LinhaVeiculo l;
    auto col = [&](int n) -> Decimal& { return l.valores[static_cast<std::size_t>(Indice(n))]; };
    l.chassi = w.CHASSI.value();
    const Decimal p = w.BASEPROPSUBSTITUIDO.value();
    auto entrada = [&] {
        l.dataEntrada = w.DATA;
        l.numeroEntrada = NumeroDoTexto(w.NUMERO.value());
        l.serieEntrada = w.SERIE.value();
        col(5) = p;
        col(6) = w.BASEICMS.value();
        col(13) = w.BASEESTREMANESCENTE.value();
    };
    Decimal v, e;
    if (modelo == 0 && w.ENTSAI != 2) {
        // An entry row: the entry columns. (An exit whose chassis had no entry stays an exit, with
        // entry bases of zero, so its whole sale base is to complement.)
        entrada();
        return l;
    }
    if (modelo == 0) {
        l.dataSaida = w.DATA;
        l.numeroSaida = NumeroDoTexto(w.NUMERO.value());
        l.serieSaida = w.SERIE.value();
        v = w.BASEICMS.value();
    } else {
        entrada();
        l.dataSaida = w.SDATA;
        l.numeroSaida = NumeroDoTexto(w.SNUMERO.value());
        l.serieSaida = w.SSERIE.value();
        v = w.SBASEICMS.value();
    }
    e = w.BASEEFETENT.value();
    col(11) = v;
    col(12) = e;
    const DivisaoBase d = DivideBaseVeiculo(v, e, p, modelo == 1);
    col(14) = d.complementar;
    col(15) = d.excesso;
    col(16) = d.ressarcir;
    col(17) = d.compensar;
    return l;
}

data::Result LeSoCamposDaLinhaVeiculo(data::FileManager& trabalho) {
    return data::Cursor::read_only(trabalho, {"CHASSI", "ENTSAI", "DATA", "NUMERO", "SERIE", "BASEICMS",
                                              "BASEPROPSUBSTITUIDO", "BASEESTREMANESCENTE", "BASEEFETENT", "SDATA",
                                              "SNUMERO", "SSERIE", "SBASEICMS"});
}

void TotaisVeiculos::Soma(const LinhaVeiculo& l) {
    for (std::size_t i = 0; i < colunas.size(); ++i) colunas[i] += l.valores[i];
    s18 += l.coluna(14);
    s19 += l.coluna(16);
    s20 += l.coluna(17);
    saldos = ApuraSaldosVeiculo(s18, s19, s20);
}

std::string LinhaCsv(const LinhaVeiculo& l) {
    auto valor = [&](int n) {
        return picture::format(n <= 12 ? "@n-15`2b" : "@n-14`2b", l.coluna(n));
    };
    auto texto = [](const std::string& t, std::size_t largura) {
        return t.size() >= largura ? t.substr(0, largura) : t + std::string(largura - t.size(), ' ');
    };
    std::string s = texto(l.chassi, 22);
    s += ";" + picture::format("@d06b", Decimal(l.dataEntrada));
    s += ";" + Numero7(l.numeroEntrada);
    s += "; " + texto(l.serieEntrada, 2);
    s += ";" + valor(5) + ";" + valor(6);
    s += ";" + picture::format("@d06b", Decimal(l.dataSaida));
    s += ";" + Numero7(l.numeroSaida);
    s += ";" + texto(l.serieSaida, 2);
    for (int n = 10; n <= 17; ++n) s += ";" + valor(n);
    return s;
}

std::vector<LinhaResumoVeiculo> LinhasResumoVeiculo(const std::vector<SomaTaxa>& somas) {
    std::vector<LinhaResumoVeiculo> linhas;
    for (const SomaTaxa& t : somas) {
        const SaldosVeiculo s = ApuraSaldosVeiculo(t.sc, t.sr, t.sk);
        linhas.push_back({t.percentual, s.complementar, s.ressarcir, s.compensar});
    }
    for (const char* padrao : {"12", "18", "25", "9.5"}) {
        if (linhas.size() >= 4) break;
        const Decimal taxa = Decimal::from_string(padrao);
        bool existe = false;
        for (const auto& l : linhas) existe = existe || l.percentual == taxa;
        if (!existe) linhas.push_back({taxa, {}, {}, {}});
    }
    std::stable_sort(linhas.begin(), linhas.end(),
                     [](const LinhaResumoVeiculo& a, const LinhaResumoVeiculo& b) { return a.percentual < b.percentual; });
    return linhas;
}

}  // namespace vorel::computation
