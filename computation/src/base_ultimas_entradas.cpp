// ApuraBaseUltimasEntradas and the entry base of a stock return: the own-operation base of the
// product's latest entries before an exit, newest first, from the working year's entries and then
// the earlier years' files, each through a cursor of the run (the working year's name variables
// and the shared working year are never changed).
//
// Tables: EntradaVorel (the working year's file and the earlier years' Entradas.Tps).

#include "execucao.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"

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

// Reads the product's entries backwards from the exit's date; `visita` gets each item of the
// product and returns false to end the search in this file and in the earlier years.
template <class Visita>
bool LeAtras(FileManager& ent, const LinhaTrabalho& linha, Visita&& visita) {
    auto& e = ent.rec<EntradaVorelRec>();
    ent.clear_record();
    e.CodMercadoria = linha.CODMERCADORIA;
    e.DataEmissao = linha.DATA;
    if (!ent.set_within(keys::ENT_KEY_PRODUTODATA, 1).ok()) return true;
    while (ent.previous().ok()) {
        if (e.CodMercadoria.value() != linha.CODMERCADORIA.value()) return true;
        if (e.DataEmissao > linha.DATA) continue;
        if (!visita(e)) return false;
    }
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
    Checa(atual->open(), "Abrindo as entradas");
    (void)atual->send(kCacheDaExecucao);
    anos_[run_.ano] = std::move(atual);
}

FileManager* BasesDaExecucao::Ano(int ano) {
    auto it = anos_.find(ano);
    if (it == anos_.end()) {
        auto fm = std::make_unique<FileManager>(dictionary::EntradaVorel());
        if (!Execucao::AbreSeExiste(*fm, run_.ArquivoDoAno(ano, false)))
            fm.reset();
        else
            (void)fm->send(kCacheDaExecucao);
        it = anos_.emplace(ano, std::move(fm)).first;
    }
    return it->second.get();
}

Decimal BasesDaExecucao::UltimasEntradas(const LinhaTrabalho& linha) {
    const Decimal quantidadeSaida = linha.QUANTIDADE;
    DecimalField<11, 2> base{};
    DecimalField<15, 3> restante = quantidadeSaida;
    DecimalField<15, 3> coberta{}, tomada{};
    auto visita = [&](const EntradaVorelRec& e) {
        if (restante.value().sign() <= 0) return false;
        const int cfo = e.CFO;
        if (cfo != 1403 && cfo != 2403 && cfo != 1409 && cfo != 2409) return true;
        const Decimal q = e.Quantidade;
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
        const Decimal aliquota = e.Aliquota.value().sign() > 0 ? e.Aliquota.value() : aliquotaProduto_;
        const Decimal unitaria = Decimal::divide_or_zero(e.BaseICMSPropria, q);
        DecimalField<11, 2> baseUnitaria{};
        if (PrimeiroDigito(cfo) == 2 && aliquota == Decimal(18))
            baseUnitaria = TruncaDuasCasas(unitaria * kFator);
        else
            baseUnitaria = TruncaDuasCasas(unitaria);
        base += TruncaDuasCasas(baseUnitaria * tomada);
        return true;
    };
    for (int ano = run_.ano; restante.value().sign() > 0; --ano) {
        FileManager* ent = Ano(ano);
        if (!ent) break;
        if (!LeAtras(*ent, linha, visita)) break;
    }
    return base;
}

Decimal BasesDaExecucao::DevolucaoEstoque(const LinhaTrabalho& linha) {
    Decimal resultado;
    bool achou = false;
    auto visita = [&](const EntradaVorelRec& e) {
        if (e.CFO != 1403 && e.CFO != 2403) return true;
        const Decimal unitaria = TruncaDuasCasas(Decimal::divide_or_zero(e.BaseICMSPropria, e.Quantidade));
        resultado = TruncaDuasCasas(unitaria * linha.QUANTIDADE);
        achou = true;
        return false;
    };
    for (int ano = run_.ano; !achou; --ano) {
        FileManager* ent = Ano(ano);
        if (!ent) break;
        if (!LeAtras(*ent, linha, visita)) break;
    }
    return resultado;
}

}  // namespace vorel::computation::detail
