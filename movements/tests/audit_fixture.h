// The audit's test fixture: the movements' fixture (company 1, March 2016) with a temporary folder
// for the audit's files, the working company's record and the registers the audit looks up:
// states SP and MG; CFOP codes 1102, 5102 and 510 (complement 0); complementary codes 1 and 2;
// products 100 (rate 18), 200 (rate 0), 300 (rate 12, only 18 in its history), 400 (user's code
// "777", rate 18) and 500 (user's code "00000000000000000888", rate 0), with history rows
// (100, 18), (200, 18), (300, 18), (400, 18); suppliers and customers 1 ALFA (11111111000191),
// 2 BETA (22222222000191, inactive).
#pragma once

#include "movement_fixture.h"

#include <filesystem>

#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"

namespace vorel::movements::testing {

struct AuditFixture : MovementFixture {
    void SetUp() override {
        MovementFixture::SetUp();
        std::filesystem::create_directories(dir / "Temp");
        shell::PastaTemp.Set(root + "Temp/");
        Seed<dictionary::EmpresaRec>(dictionary::Empresa(), 1, [](dictionary::EmpresaRec& r, int) {
            r.Codigo = 1;
            r.RAZAOSOCIAL = "COMERCIO MODELO LTDA";
            r.CGC = "12345678000195";
            r.EMAIL = "contabil@example.com";
        });
        Seed<dictionary::EstadosRec>(dictionary::Estados(), 2, [](dictionary::EstadosRec& r, int i) { r.UF = i ? "MG" : "SP"; });
        Seed<dictionary::CFORec>(dictionary::CFO(), 3, [](dictionary::CFORec& r, int i) {
            static constexpr std::int16_t kCodigos[] = {1102, 5102, 510};
            r.ESTADO = "SP";
            r.CODIGO = kCodigos[i];
        });
        Seed<dictionary::CodCFOComplementarRec>(dictionary::CodCFOComplementar(), 2,
            [](dictionary::CodCFOComplementarRec& r, int i) { r.CODIGO = static_cast<std::uint8_t>(i + 1); });
        struct Produto { int codigo; const char* apelido; const char* nome; int aliquota; };
        static constexpr Produto kProdutos[] = {{100, "", "PARAFUSO", 18}, {200, "", "PORCA", 0}, {300, "", "ARRUELA", 12},
                                                {400, "777", "PREGO", 18}, {500, "00000000000000000888", "REBITE", 0}};
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 5, [](dictionary::ProdutosRec& r, int i) {
            r.Codigo = Decimal(kProdutos[i].codigo);
            r.Apelido = kProdutos[i].apelido;
            r.Produtos = kProdutos[i].nome;
            r.Alicota = Decimal(kProdutos[i].aliquota);
        });
        Seed<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), 4, [](dictionary::ProdutosAliqRec& r, int i) {
            r.CODIGO_PRODUTO = Decimal(100 * (i + 1));
            r.CODIGO = Decimal(i + 1);
            r.ALIQUOTA = Decimal(18);
            r.DATA_INICIAL = date::make(2016, 1, 1);
        });
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), 2, [](dictionary::ForCliRec& r, int i) {
            r.Codigo = static_cast<std::uint32_t>(i + 1);
            r.CGC = i ? "22222222000191" : "11111111000191";
            r.Nome = i ? "BETA" : "ALFA";
            r.Estado = "SP";
            r.Inativo = static_cast<std::uint8_t>(i);
        });
    }
};

}  // namespace vorel::movements::testing
