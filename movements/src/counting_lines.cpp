// The counting lines of an invoice: loading, recording, the quantity question and the writes.
#include "vorel/movements/counting_lines.h"

#include <algorithm>
#include <map>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/message_box.h"

namespace vorel::movements {

namespace {

namespace keys = dictionary::keys;
using dictionary::QuantidadeVorelRec;

data::FileManager& Linhas() { return data::dictionary::file(dictionary::QuantidadeVorel()); }

char Letra(Procedencia kind) { return static_cast<char>(kind); }

// A stored line and its place.
struct Guardada {
    data::Position place;
    LinhaContagem linha;
};

bool DaNota(const QuantidadeVorelRec& r, const NotaFiscal& n) {
    return r.DataEmissao == n.data && r.Numero == n.numero && text::equal_nocase(r.Serie.clipped(), n.serie) &&
           text::equal_nocase(r.Cnpj.clipped(), n.cnpj);
}

// The invoice's stored lines of the kind, in key order.
data::Result LeLinhas(const NotaFiscal& n, Procedencia kind, std::vector<Guardada>& out) {
    out.clear();
    data::FileManager& f = Linhas();
    auto& r = f.rec<QuantidadeVorelRec>();
    f.clear_record();
    r.DataEmissao = n.data;
    r.Numero = n.numero;
    r.Serie = n.serie;
    r.Cnpj = n.cnpj;
    if (data::Result rc = f.set_at(keys::QUA_KEY_SERIENUMERODATA); !rc.ok()) return rc;
    for (;;) {
        data::Result rc = f.next();
        if (rc == data::kRecordNotAvailable) break;
        if (!rc.ok()) return rc;
        if (!DaNota(r, n)) break;
        if (r.Procedencia.clipped() == std::string(1, Letra(kind)))
            out.push_back({f.position(), {r.Unitario, r.Quantidade, r.VlrProduto, r.Margem}});
    }
    return data::kNoError;
}

void Preenche(QuantidadeVorelRec& r, const NotaFiscal& n, Procedencia kind, const LinhaContagem& l) {
    r.DataEmissao = n.data;
    r.Numero = n.numero;
    r.Serie = n.serie;
    r.Cnpj = n.cnpj;
    r.Procedencia = std::string(1, Letra(kind));
    r.Unitario = l.unitario;
    r.Quantidade = l.quantidade;
    r.VlrProduto = l.valor;
    r.Margem = l.margem;
}

data::Result Adiciona(const NotaFiscal& n, Procedencia kind, const LinhaContagem& l) {
    data::FileManager& f = Linhas();
    f.clear_record();
    Preenche(f.rec<QuantidadeVorelRec>(), n, kind, l);
    return f.add();
}

data::Result Regrava(data::Position p, const NotaFiscal& n, Procedencia kind, const LinhaContagem& l) {
    data::FileManager& f = Linhas();
    if (data::Result rc = f.reget(p); !rc.ok()) return rc;
    Preenche(f.rec<QuantidadeVorelRec>(), n, kind, l);
    return f.put();
}

data::Result Remove(data::Position p) {
    data::FileManager& f = Linhas();
    if (data::Result rc = f.reget(p); !rc.ok()) return rc;
    return f.remove();
}

// How many items of the kind's table belong to the invoice (through the table's alias, a cursor
// of its own on the same file).
data::Result ItensDaNota(Procedencia kind, const NotaFiscal& n, int& count) {
    count = 0;
    const bool entrada = kind == Procedencia::Entrada;
    data::FileManager& f =
        data::dictionary::file(entrada ? dictionary::EntradaVorel0() : dictionary::SaidaVorel0());
    if (data::Result rc = f.open(); !rc.ok()) return rc;
    f.clear_record();
    if (entrada) {
        auto& r = f.rec<dictionary::EntradaVorel0Rec>();
        r.DataEmissao = n.data;
        r.Numero = n.numero;
        r.Serie = n.serie;
        r.Cnpj = n.cnpj;
    } else {
        auto& r = f.rec<dictionary::SaidaVorel0Rec>();
        r.DataSaida = n.data;
        r.Numero = n.numero;
        r.Serie = n.serie;
        r.CNPJ = n.cnpj;
    }
    data::Result rc = f.set_at(entrada ? keys::ESPENT_KEY_RELACIONAMENTO : keys::SAI0_KEY_RELACIONAMENTO);
    while (rc.ok()) {
        rc = f.next();
        if (!rc.ok()) break;
        bool mesma;
        if (entrada) {
            const auto& r = f.rec<dictionary::EntradaVorel0Rec>();
            mesma = r.DataEmissao == n.data && r.Numero == n.numero && text::equal_nocase(r.Serie.clipped(), n.serie) &&
                    text::equal_nocase(r.Cnpj.clipped(), n.cnpj);
        } else {
            const auto& r = f.rec<dictionary::SaidaVorel0Rec>();
            mesma = r.DataSaida == n.data && r.Numero == n.numero && text::equal_nocase(r.Serie.clipped(), n.serie) &&
                    text::equal_nocase(r.CNPJ.clipped(), n.cnpj);
        }
        if (!mesma) break;
        ++count;
    }
    (void)f.close();
    return rc == data::kRecordNotAvailable ? data::Result(data::kNoError) : rc;
}

Decimal Soma(const std::map<std::uint32_t, LinhaContagem>& linhas) {
    Decimal total;
    for (const auto& [u, l] : linhas) total = total + Decimal(l.unitario) * Decimal(l.quantidade);
    return total;
}

bool NaLista(const std::vector<LinhaContagem>& lista, std::uint32_t unitario) {
    return std::any_of(lista.begin(), lista.end(), [&](const LinhaContagem& l) { return l.unitario == unitario; });
}

}  // namespace

data::Result CountingLines::Load(const NotaFiscal& nota) {
    std::vector<Guardada> g;
    data::Result rc = LeLinhas(nota, kind_, g);
    list_.clear();
    for (const Guardada& x : g) list_.push_back(x.linha);
    loaded_ = list_;
    loadedNota_ = nota;
    hasLoaded_ = true;
    return rc;
}

Variacao CountingLines::Record(const LinhaContagem& linha) {
    Variacao v;
    if (linha.unitario == 0) return v;
    const bool entrada = kind_ == Procedencia::Entrada;
    auto it = std::find_if(list_.begin(), list_.end(),
                           [&](const LinhaContagem& l) { return l.unitario == linha.unitario; });
    if (it == list_.end()) {
        // A line of no packages is no line: it changes neither the quantity nor the base.
        if (linha.quantidade == 0) return v;
        list_.push_back(linha);
        v.quantidade = Decimal(linha.quantidade) * Decimal(linha.unitario);
        if (entrada) v.base = linha.valor * linha.margem;
        return v;
    }
    v.quantidade = (Decimal(linha.quantidade) - Decimal(it->quantidade)) * Decimal(linha.unitario);
    if (entrada) v.base = linha.valor * linha.margem - it->valor * it->margem;
    if (linha.quantidade == 0) list_.erase(it);
    else *it = linha;
    return v;
}

Decimal CountingLines::Counted(ui::Request request, const NotaFiscal& nota) {
    std::map<std::uint32_t, LinhaContagem> fim;
    if (request == ui::Request::Change) {
        std::vector<Guardada> destino;
        (void)LeLinhas(nota, kind_, destino);
        for (const Guardada& g : destino) fim.emplace(g.linha.unitario, g.linha);
        if (hasLoaded_ && !(nota == loadedNota_)) {
            // Before the write the item still stands on the loaded invoice: the lines come along
            // when it is the only one there.
            int itens = 0;
            (void)ItensDaNota(kind_, loadedNota_, itens);
            if (itens <= 1) {
                std::vector<Guardada> origem;
                (void)LeLinhas(loadedNota_, kind_, origem);
                for (const Guardada& g : origem) fim.emplace(g.linha.unitario, g.linha);
            }
        }
        for (const LinhaContagem& l : loaded_)
            if (!NaLista(list_, l.unitario)) fim.erase(l.unitario);
    }
    for (const LinhaContagem& l : list_) fim[l.unitario] = l;
    return Soma(fim);
}

Confirmacao CountingLines::Confirm(ui::Request request, const NotaFiscal& nota, const Decimal& quantidade) {
    Confirmacao c;
    if (request != ui::Request::Insert && request != ui::Request::Change) return c;
    c.contada = Counted(request, nota);
    if (c.contada == quantidade) return c;
    const std::string texto = PerguntaContagem(kind_, request) + c.contada.to_string() + " deseja continuar???";
    c.continua = ui::Ask(texto, "Atenção!!!", ui::Icon::Information, "&Sim|&Não") == "&Sim";
    return c;
}

data::Result CountingLines::Write(ui::Request request, const NotaFiscal& nota) {
    if (request == ui::Request::Delete) {
        int itens = 0;
        if (data::Result rc = ItensDaNota(kind_, nota, itens); !rc.ok()) return rc;
        if (itens > 0) return data::kNoError;  // the invoice's other items keep them
        std::vector<Guardada> g;
        if (data::Result rc = LeLinhas(nota, kind_, g); !rc.ok()) return rc;
        for (const Guardada& x : g)
            if (data::Result rc = Remove(x.place); !rc.ok()) return rc;
        list_.clear();
        return data::kNoError;
    }
    if (request != ui::Request::Insert && request != ui::Request::Change) return data::kNoError;

    std::vector<Guardada> destino;
    if (data::Result rc = LeLinhas(nota, kind_, destino); !rc.ok()) return rc;
    std::map<std::uint32_t, Guardada> por;
    for (const Guardada& g : destino) por.emplace(g.linha.unitario, g);

    if (request == ui::Request::Insert) {
        for (const LinhaContagem& l : list_)
            if (!por.count(l.unitario))
                if (data::Result rc = Adiciona(nota, kind_, l); !rc.ok()) return rc;
    } else {
        // An item moved to another invoice takes the old invoice's lines along when no item is
        // left there; a unit count the new invoice has already keeps the new invoice's line.
        if (hasLoaded_ && !(nota == loadedNota_)) {
            int itens = 0;
            if (data::Result rc = ItensDaNota(kind_, loadedNota_, itens); !rc.ok()) return rc;
            if (itens == 0) {
                std::vector<Guardada> origem;
                if (data::Result rc = LeLinhas(loadedNota_, kind_, origem); !rc.ok()) return rc;
                for (const Guardada& g : origem) {
                    data::Result rc = por.count(g.linha.unitario) ? Remove(g.place)
                                                                  : Regrava(g.place, nota, kind_, g.linha);
                    if (!rc.ok()) return rc;
                    if (!por.count(g.linha.unitario)) por.emplace(g.linha.unitario, g);
                }
            }
        }
        for (const LinhaContagem& l : loaded_) {
            if (NaLista(list_, l.unitario)) continue;
            auto it = por.find(l.unitario);
            if (it == por.end()) continue;
            if (data::Result rc = Remove(it->second.place); !rc.ok()) return rc;
            por.erase(it);
        }
        for (const LinhaContagem& l : list_) {
            auto it = por.find(l.unitario);
            data::Result rc = it == por.end()           ? Adiciona(nota, kind_, l)
                              : it->second.linha == l ? data::Result(data::kNoError)
                                                      : Regrava(it->second.place, nota, kind_, l);
            if (!rc.ok()) return rc;
        }
    }
    // The list as the invoice now holds it.
    std::vector<Guardada> agora;
    if (data::Result rc = LeLinhas(nota, kind_, agora); !rc.ok()) return rc;
    list_.clear();
    for (const Guardada& g : agora) list_.push_back(g.linha);
    if (request == ui::Request::Change) {
        loaded_ = list_;
        loadedNota_ = nota;
        hasLoaded_ = true;
    }
    return data::kNoError;
}

std::string PerguntaContagem(Procedencia kind, ui::Request request) {
    const bool informada = kind == Procedencia::Entrada && request == ui::Request::Insert;
    return std::string("Atenção!!! Quantidade de produtos ") + (informada ? "informada" : "informadar") +
           " é diferente da lista informada!!! A quantidade calculada é ";
}

}  // namespace vorel::movements
