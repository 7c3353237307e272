// The vehicle imports' runs (`ImportaEntradaVeiculos`, layout type 18, into `EntradaVeiculo`;
// `ImportaSaidaVeiculos`, type 19, into `SaidaVeiculo`): one vehicle per line, the supplier or
// customer, product, rate and CFO checks, a read stopped by a line of another month or without a
// chassis, and an import that updates a stored vehicle with the same key instead of doubling it.
// The supplier, product and CFO caches last as long as the run (the window).
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "vorel/core/decimal.h"
#include "vorel/data/key_name.h"
#include "vorel/integration/import_run.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

class ImportacaoVeiculos : public ImportacaoTexto {
public:
    explicit ImportacaoVeiculos(bool saidas);
    bool saidas() const { return saidas_; }

protected:
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    void DepoisDeAdicionar(LinhaImportada& linha) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }

private:
    template <class Rec>
    DadosLinha Preenche(Rec& r, std::int32_t& data, LinhaImportada& l, const OpcoesLeitura& o);
    template <class Rec>
    void Confere(const Rec& r, std::int32_t data, LinhaImportada& l);
    template <class Rec>
    data::Result Grava(const data::TableDesc& alvo, data::KeyName chave, int mesImpor);

    struct Produto {
        Decimal codigo;
        Decimal aliquota;  // PRO:Alicota
    };
    bool saidas_;
    BuscaParceiro parceiros_;                     // by CNPJ, with a state
    std::map<std::string, Produto> produtos_;     // number read -> product
    std::set<int> cfos_;
    Decimal aliquotaProduto_;                     // of the current line's product (0: not found)
};

}  // namespace vorel::integration
