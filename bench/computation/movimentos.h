// What the computation's benchmarks write and hand the runs: the CFO columns (1102 column 1, 5102
// column 2, 6102 column 5), products at 18 %, entries (CFOP 1102) and exits (5102; 6102 for every
// tenth movement of a product, which reads the last entries back), and a sink of the run's
// messages that prints them.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "vorel/computation/calculo_produtos.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace bench_movimentos {

using vorel::data::FileManager;

class SemAvisos : public vorel::computation::AvisosCalculo {
public:
    bool Progresso(const vorel::computation::ProgressoCalculo&) override { return true; }
    void Mensagem(std::string_view t, std::string_view m) override {
        std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(t.size()), t.data(), static_cast<int>(m.size()), m.data());
    }
};

inline void GravaCadastros(FileManager& cfo, FileManager& pro, int produtos) {
    for (auto [codigo, coluna] : {std::pair{1102, 1}, {5102, 2}, {6102, 5}}) {
        cfo.clear_record();
        auto& r = cfo.rec<vorel::dictionary::CFORec>();
        r.CODIGO = static_cast<std::int16_t>(codigo);
        r.COLUNA = static_cast<std::uint8_t>(coluna);
        if (!cfo.add().ok()) std::abort();
    }
    for (int p = 1; p <= produtos; ++p) {
        pro.clear_record();
        pro.rec<vorel::dictionary::ProdutosRec>().Codigo = p;
        pro.rec<vorel::dictionary::ProdutosRec>().Alicota = 18;
        if (!pro.add().ok()) std::abort();
    }
}

// Movement `i` of the data set, the product's `k`-th: an entry for k % 5 < 2, else an exit.
inline void GravaMovimento(FileManager& ent, FileManager& sai, int i, int produto, int k, vorel::date::Day dia) {
    if (k % 5 < 2) {
        ent.clear_record();
        auto& e = ent.rec<vorel::dictionary::EntradaVorelRec>();
        e.CodMercadoria = produto;
        e.DataEmissao = dia;
        e.Numero = static_cast<std::uint32_t>(i + 1);
        e.CFO = 1102;
        e.Quantidade = 30;
        e.BaseICMS = vorel::Decimal::from_scaled(9000 + (i % 700), 2);
        e.BaseICMSPropria = 60;
        e.Aliquota = 18;
        if (!ent.add().ok()) std::abort();
    } else {
        sai.clear_record();
        auto& s = sai.rec<vorel::dictionary::SaidaVorelRec>();
        s.CodMercadoria = produto;
        s.DataSaida = dia;
        s.Numero = static_cast<std::uint32_t>(i + 1);
        s.CFO = k % 10 == 9 ? 6102 : 5102;
        s.Quantidade = 7;
        s.BaseCalculo = 25;
        s.Alicota = 18;
        if (!sai.add().ok()) std::abort();
    }
}

}  // namespace bench_movimentos
