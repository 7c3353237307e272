// ApuraBaseUltimasEntradas and the entry base of a stock return: the own-operation base of the
// product's latest entries before an exit, newest first, from the computed year's entries and then
// the earlier years' files, each through a cursor of the run at its path (no name variable and no
// shared working year is read or changed). A product's entries of a year's file are read once, on
// its first exit that needs them, and searched in memory by every later exit of the product: the
// cost grows with the product's entries, not with its exits times its entries.
//
// Tables: EntradaVorel (the computed year's file and the earlier years' Entradas.Tps).

#include <algorithm>
#include <iterator>

#include "execucao.h"
#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/cfop.h"

namespace vorel::computation::detail {

namespace keys = dictionary::keys;
using data::FileManager;
using dictionary::EntradaVorelRec;

namespace {

const Decimal kFator = Decimal::from_scaled(6666, 4);  // 0.6666

int PrimeiroDigito(int cfo) {
    while (cfo >= 10) cfo /= 10;
    return cfo;
}

bool DeBase(int cfo) { return cfo == 1403 || cfo == 2403 || cfo == 1409 || cfo == 2409; }

// A year's entries file of the run: its page cache (`cache`), and its reads fill only the fields an
// entry base takes (the file's records are wide; the product's every entry is read).
void PreparaLeitura(FileManager& fm, const char* cache) {
    (void)fm.send(cache);
    Checa(data::Cursor::read_only(fm, {"CodMercadoria", "DataEmissao", "CFO", "Quantidade", "BaseICMSPropria", "Aliquota"}),
          "Lendo as entradas");
}

// Reads the product's entries of one year's file backwards from the exit's date; `visita` gets
// each and returns false to end the search in this file and in the earlier years.
template <class Visita>
bool LeAtras(const std::vector<EntradaDeBase>& entradas, date::Day dia, Visita&& visita) {
    auto fim = std::upper_bound(entradas.begin(), entradas.end(), dia,
                                [](date::Day d, const EntradaDeBase& e) { return d < e.dia; });
    for (auto it = std::make_reverse_iterator(fim); it != entradas.rend(); ++it)
        if (!visita(*it)) return false;
    return true;
}

}  // namespace

BasesDaExecucao::BasesDaExecucao(Execucao& run) : run_(run) {}

BasesDaExecucao::~BasesDaExecucao() {
    for (auto& [ano, fm] : anos_)
        if (fm && fm->is_open()) (void)fm->close();
}

void BasesDaExecucao::Abre() {
    auto atual = std::make_unique<FileManager>(dictionary::EntradaVorel());
    run_.Abre(*atual, "Abrindo as entradas");
    PreparaLeitura(*atual, kCacheDasEntradas);  // the file the gathering reads: one cache
    anos_[run_.ano] = std::move(atual);
}

FileManager* BasesDaExecucao::Ano(int ano) {
    auto it = anos_.find(ano);
    if (it == anos_.end()) {
        auto fm = std::make_unique<FileManager>(dictionary::EntradaVorel());
        if (!run_.AbreDoAno(*fm, ano))
            fm.reset();
        else
            PreparaLeitura(*fm, kCacheDaExecucao);
        it = anos_.emplace(ano, std::move(fm)).first;
    }
    return it->second.get();
}

const std::vector<EntradaDeBase>* BasesDaExecucao::Entradas(int ano, const Decimal& produto) {
    if (produto != produtoLido_) {
        lidas_.clear();
        produtoLido_ = produto;
    }
    auto it = lidas_.find(ano);
    if (it != lidas_.end()) return it->second ? &*it->second : nullptr;
    FileManager* ent = Ano(ano);
    std::optional<std::vector<EntradaDeBase>>& lista = lidas_[ano];
    if (!ent) return nullptr;
    lista.emplace();
    // Every entry of the product in this file, in the key's order; only those a base is taken
    // from are kept (any other is passed over by both searches).
    auto& e = ent->rec<EntradaVorelRec>();
    ent->clear_record();
    e.CodMercadoria = produto;
    Checa(ent->set_within(keys::ENT_KEY_PRODUTODATA, 1, 1), "Lendo as entradas");
    while (ent->next().ok()) {
        if (!DeBase(e.CFO)) continue;
        lista->push_back({e.DataEmissao, e.CFO, e.Quantidade, e.BaseICMSPropria, e.Aliquota});
    }
    return &*lista;
}

Decimal BasesDaExecucao::UltimasEntradas(const LinhaTrabalho& linha) {
    const Decimal quantidadeSaida = linha.QUANTIDADE;
    DecimalField<11, 2> base{};
    DecimalField<15, 3> restante = quantidadeSaida;
    DecimalField<15, 3> coberta{}, tomada{};
    auto visita = [&](const EntradaDeBase& e) {
        if (restante.value().sign() <= 0) return false;
        const int cfo = e.cfo;
        const Decimal& q = e.quantidade;
        restante -= q;
        if (tomada.value().is_zero()) {
            if (quantidadeSaida > q) {
                tomada = q;
                coberta = q;
            } else {
                tomada = quantidadeSaida;
            }
        } else if (quantidadeSaida - coberta > q) {
            tomada = q;
            coberta += q;
        } else {
            tomada = quantidadeSaida - coberta;
        }
        const Decimal aliquota = e.aliquota.sign() > 0 ? e.aliquota : aliquotaProduto_;
        const Decimal unitaria = Decimal::divide_or_zero(e.baseIcmsPropria, q);
        DecimalField<11, 2> baseUnitaria{};
        if (PrimeiroDigito(cfo) == 2 && aliquota == Decimal(18))
            baseUnitaria = TruncaDuasCasas(unitaria * kFator);
        else
            baseUnitaria = TruncaDuasCasas(unitaria);
        base += TruncaDuasCasas(baseUnitaria * tomada);
        return true;
    };
    for (int ano = run_.ano; restante.value().sign() > 0; --ano) {
        const std::vector<EntradaDeBase>* ent = Entradas(ano, linha.CODMERCADORIA);
        if (!ent) break;
        if (!LeAtras(*ent, linha.DATA, visita)) break;
    }
    return base;
}

Decimal BasesDaExecucao::DevolucaoEstoque(const LinhaTrabalho& linha) {
    Decimal resultado;
    bool achou = false;
    auto visita = [&](const EntradaDeBase& e) {
        if (!fiscal::CompraComRetencao(e.cfo)) return true;
        const Decimal unitaria = TruncaDuasCasas(Decimal::divide_or_zero(e.baseIcmsPropria, e.quantidade));
        resultado = TruncaDuasCasas(unitaria * linha.QUANTIDADE);
        achou = true;
        return false;
    };
    for (int ano = run_.ano; !achou; --ano) {
        const std::vector<EntradaDeBase>* ent = Entradas(ano, linha.CODMERCADORIA);
        if (!ent) break;
        if (!LeAtras(*ent, linha.DATA, visita)) break;
    }
    return resultado;
}

}  // namespace vorel::computation::detail
