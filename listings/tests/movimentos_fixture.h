// The movement listings' test fixture: the listings' data root with a register of suppliers and
// customers (CNPJ parties, one of code 1234 and one of 123456, one by CPF, an inactive one), two
// products, and helpers that read a page model's rows and a text form's lines.
#pragma once

#include <filesystem>
#include <variant>

#include "listing_fixture.h"
#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/listings/movimentos.h"
#include "vorel/report/page_model.h"
#include "vorel/shell/period.h"
#include "vorel/ui/headless.h"

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

    // A text form's lines as they leave the report (before the line writer), in Windows-1252.
    template <class F>
    static Strings LinhasCp1252(F gera) {
        Strings linhas;
        const report::Outcome o = OnThread([&] {
            return gera([&linhas](const std::string& l) {
                linhas.push_back(l);
                return report::Outcome{};
            });
        });
        EXPECT_TRUE(o.ok()) << o.error;
        return linhas;
    }

    // Lines in UTF-8, one a line of the text (a reference's form).
    static std::string Junta(const Strings& linhas) {
        std::string out;
        for (const std::string& l : linhas) out += text::to_utf8(l) + "\n";
        return out;
    }

    // The text forms' temporary files (the data root's Temp folder).
    std::vector<std::filesystem::path> Temporarios() const {
        std::vector<std::filesystem::path> out;
        for (const auto& f : std::filesystem::directory_iterator(dir / "Temp"))
            if (f.is_regular_file()) out.push_back(f.path());
        return out;
    }

    // The lines of the file the text viewer shows (CR LF ends), read before the viewer is closed.
    Strings ArquivoDoVisualizador() {
        static const std::string visualizador = "Visualização Impressão Matricial";
        ui->WaitUntil([&] { return ui->HasWindow(visualizador); }, "the text viewer");
        const std::vector<std::filesystem::path> t = Temporarios();
        EXPECT_EQ(t.size(), 1u);
        Strings linhas;
        const std::string s = t.empty() ? std::string() : ReadFile(t[0]);
        for (std::size_t de = 0, ate; (ate = s.find("\r\n", de)) != std::string::npos; de = ate + 2)
            linhas.push_back(s.substr(de, ate - de));
        ui->Press(ui->ByText(ui->WindowByCaption(visualizador), "&Fechar"));
        ui->WaitUntil([&] { return !ui->HasWindow(visualizador); }, "the viewer to close");
        return linhas;
    }

    // Columns `de` to `ate` (from 1) of a line.
    static std::string Colunas(const std::string& linha, std::size_t de, std::size_t ate) {
        return de <= linha.size() ? linha.substr(de - 1, ate - de + 1) : "";
    }
};

}  // namespace vorel::listings::testing
