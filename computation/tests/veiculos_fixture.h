// Vehicle entries and exits written straight into the working year's tables, for the tests of
// the vehicle sheets and of their windows (on either computation fixture).
#pragma once

#include <cstdint>
#include <string>

#include "calculo_fixture.h"

namespace vorel::computation::testing {

template <class Base>
struct ComVeiculos : Base {
    struct Ent {
        const char* chassi;
        date::Day data;
        std::uint32_t numero = 1;
        const char* retencao = "1000";
        const char* propria = "800";
        const char* aliquota = "12";
        const char* cnpj = "11111111000111";
    };
    void Entra(const Ent& e, const std::string& arquivo = {}) {
        this->template Grava<dictionary::EntradaVeiculoRec>(dictionary::EntradaVeiculo(), [&](auto& r) {
            r.Chassi = e.chassi;
            r.DataEntrada = e.data;
            r.Numero = e.numero;
            r.Serie = "1";
            r.BaseCalcRetencao = D(e.retencao);
            r.BasepropSubstituid = D(e.propria);
            r.Aliquota = D(e.aliquota);
            r.CNPJforcli = e.cnpj;
            r.CFO = 1403;
            r.CodProduto = 77;
        }, arquivo);
    }
    void Sai(const char* chassi, date::Day data, std::uint32_t numero, const char* base, const char* aliquota = "12") {
        this->template Grava<dictionary::SaidaVeiculoRec>(dictionary::SaidaVeiculo(), [&](auto& r) {
            r.Chassi = chassi;
            r.DataSaida = data;
            r.Numero = numero;
            r.Serie = "2";
            r.BaseSaidaConsFinal = D(base);
            r.Aliquota = D(aliquota);
        });
    }
};

}  // namespace vorel::computation::testing
