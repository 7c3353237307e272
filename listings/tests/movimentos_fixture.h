// The movement listings' test fixture: the listings' data root with a register of suppliers and
// customers (CNPJ parties, one of code 1234 and one of 123456, one by CPF, an inactive one), two
// products, and helpers that read a page model's rows and a text form's lines.
#pragma once

#include <variant>

#include "listing_fixture.h"
#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/listings/movimentos.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/period.h"

namespace vorel::listings::testing {

struct Parte {
    std::uint32_t codigo;
    const char *cgc, *cpf, *nome;
    std::uint8_t inativo;
};
inline constexpr Parte kPartes[] = {
    {7, "11111111000111", "", "FORNECEDOR SETE", 0},
    {123, "22222222000122", "", "FORNECEDOR CENTO E VINTE E TRES COM UM NOME BEM LONGO", 0},
    {1234, "33333333000133", "", "FORNECEDOR MIL", 0},
    {123456, "44444444000144", "", "FORNECEDOR GRANDE", 0},
    {50, "", "12345678901", "PESSOA FISICA", 0},
    {60, "55555555000155", "", "CLIENTE INATIVO", 1},
};

inline ParteEscolhida Escolhida(std::size_t i) {
    const Parte& p = kPartes[i];
    return {p.codigo, p.cgc, p.cpf, p.nome};
}

inline shell::CodigosImpressoraRec Codigos(int linhas, std::uint8_t acentos = 1) {
    shell::CodigosImpressoraRec c;
    c.LEXP = "{E}";
    c.DEXP = "{e}";
    c.LNEG = "{N}";
    c.DNEG = "{n}";
    c.CPI17 = "{17}";
    c.NLINHAS = static_cast<std::uint8_t>(linhas);
    c.ACENTOS = acentos;
    return c;
}

struct MovimentosFixture : ListingFixture {
    void SetUp() override {
        ListingFixture::SetUp();
        Seed<dictionary::ForCliRec>(dictionary::ForCli(), std::size(kPartes), [](dictionary::ForCliRec& r, int i) {
            const Parte& p = kPartes[i];
            r.Codigo = p.codigo;
            r.CGC = p.cgc;
            r.CPF = p.cpf;
            r.Nome = p.nome;
            r.Inativo = p.inativo;
        });
        Seed<dictionary::ProdutosRec>(dictionary::Produtos(), 2, [](dictionary::ProdutosRec& r, int i) {
            r.Codigo = Decimal(i ? 200 : 100);
            r.Produtos = i ? "PORCA" : "PARAFUSO SEXTAVADO";
            r.Alicota = Decimal(i ? 7 : 18);
        });
    }

    static shell::EmpresaPeriodo Marco() { return {1, 2016, 3}; }

    // The rows of a document's pages: the texts of each height, left to right, trimmed, joined by "|".
    static Strings Linhas(const report::Document& d) {
        Strings out;
        for (const report::Page& p : d.pages) {
            std::map<report::Mils, std::map<report::Mils, std::string>> linhas;
            for (const report::Item& i : p.items)
                if (const auto* t = std::get_if<report::TextItem>(&i))
                    linhas[t->box.y][t->box.x] = text::to_utf8(text::trim(t->text));
            for (const auto& [y, textos] : linhas) {
                std::string l;
                bool primeiro = true;
                for (const auto& [x, t] : textos) {
                    l += (primeiro ? "" : "|") + t;
                    primeiro = false;
                }
                out.push_back(l);
            }
        }
        return out;
    }

    // The text form's lines, as they leave the report (before the line writer), in UTF-8.
    template <class F>
    static Strings LinhasTexto(F gera) {
        Strings linhas;
        const report::Outcome o = OnThread([&] {
            return gera([&linhas](const std::string& l) {
                linhas.push_back(text::to_utf8(l));
                return report::Outcome{};
            });
        });
        EXPECT_TRUE(o.ok()) << o.error;
        return linhas;
    }

    static std::string Junta(const Strings& linhas) {
        std::string out;
        for (const std::string& l : linhas) out += l + "\n";
        return out;
    }
};

}  // namespace vorel::listings::testing
