// The entries listings' test fixture: entries written straight into `EntradaVorel` (March 2016 and
// the days around it), the month the first model's tests share, and the invoice numbers a
// document lists.
#pragma once

#include "movimentos_fixture.h"

namespace vorel::listings::testing {

struct Entrada {
    int mes, dia;
    std::uint32_t numero;
    const char* cnpj;
    std::uint32_t codigoForCli;
    int produto;
    int cfo;
    const char* basePropria = "0";
};

struct Entradas : MovimentosFixture {
    // At the working company's file, or at `path`.
    void Entra(const std::vector<Entrada>& entradas, const std::string& path = {}) {
        Seed<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), static_cast<int>(entradas.size()),
                                          [&entradas](dictionary::EntradaVorelRec& r, int i) {
                                              const Entrada& e = entradas[static_cast<std::size_t>(i)];
                                              r.DataEmissao = date::make(2016, e.mes, e.dia);
                                              r.Numero = e.numero;
                                              r.Serie = "1";
                                              r.Cnpj = e.cnpj;
                                              r.CodigoForCli = e.codigoForCli;
                                              r.CodMercadoria = Decimal(e.produto);
                                              r.CFO = static_cast<std::uint16_t>(e.cfo);
                                              r.CFOComplementar = 2;
                                              r.Quantidade = Decimal::from_string("1234.5");
                                              r.BaseICMS = Decimal::from_string("1000");
                                              r.ValorICMS = Decimal::from_string("180");
                                              r.BaseICMSPropria = Decimal::from_string(e.basePropria);
                                          },
                                          path);
    }

    // The month used by the first model's tests.
    void EntraMes() {
        Entra({
            {3, 1, 1, "22222222000122", 7, 100, 1102},  // the register code wins over the CNPJ
            {3, 2, 2, "123", 0, 999, 1102},              // a code in the CNPJ field; no such product
            {3, 3, 3, "11111111000111", 0, 200, 1102},   // a full CNPJ after it
            {3, 4, 4, "1234", 0, 100, 1102},
            {3, 5, 5, "123456", 0, 100, 1102},
            {3, 10, 9, "12345678901", 0, 100, 1102},     // a CPF in the CNPJ field
            {3, 11, 10, "", 50, 100, 1102},              // the party by CPF, by register code
            {3, 31, 6, "33333333000133", 0, 100, 1403},  // the month's last day
            {4, 1, 7, "33333333000133", 0, 100, 1403},   // the next month's first
            {2, 29, 8, "33333333000133", 0, 100, 1403},  // the month before
        });
    }

    // `n` entries of supplier 7 on 15 March, numbered from 1, CFOP codes from `cfo` up (or all
    // `cfo` when `mesmoCfo`).
    void EntraMuitas(int n, int cfo, bool mesmoCfo = true) {
        Seed<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), n, [=](dictionary::EntradaVorelRec& r, int i) {
            r.DataEmissao = date::make(2016, 3, 15);
            r.Numero = static_cast<std::uint32_t>(i + 1);
            r.Serie = "1";
            r.Cnpj = "11111111000111";
            r.CodMercadoria = Decimal(100);
            r.CFO = static_cast<std::uint16_t>(mesmoCfo ? cfo : cfo + i);
            r.BaseICMSPropria = Decimal(100);
        });
    }

    // The invoice numbers of the document's entries, in order (the fourth text of each entry's first row).
    static std::vector<std::string> Numeros(const report::Document& d) {
        std::vector<std::string> out;
        for (const std::string& l : Linhas(d)) {
            if (l.find("/2016") == std::string::npos) continue;
            std::vector<std::string> campos;
            std::size_t de = 0;
            for (std::size_t ate; (ate = l.find('|', de)) != std::string::npos; de = ate + 1) campos.push_back(l.substr(de, ate - de));
            campos.push_back(l.substr(de));
            out.push_back(campos.size() > 3 ? campos[3] : l);
        }
        return out;
    }

    static report::Document Documento(ParteEscolhida fornecedor, ModeloEntradas modelo) {
        return OnThread([&] { return DocumentoRelEntradas(Marco(), fornecedor, modelo); });
    }

    // A text form's lines as they leave the report (before the line writer), in Windows-1252.
    static Strings Texto(ParteEscolhida fornecedor, ModeloEntradas modelo, int linhas = 66) {
        return LinhasCp1252([&](const EscreveLinha& escreve) {
            return LinhasRelEntradasM(Marco(), fornecedor, modelo, Codigos(linhas), escreve);
        });
    }
};

}  // namespace vorel::listings::testing
