// The records of the digital file ("Arquivo Magnético"): fixed-position lines read by position by
// the tax administration's validator, in three layouts ("2.1", "2.3 Port.99/05", "2.3").
//
// Each builder takes plain values and returns the line without its CR LF. A value that cannot be
// written as it is (negative, or wider than its place) is never cut nor written without its sign:
// its place is filled with zeros and the record, field and value are added to `recusas`, so that
// the caller can refuse to hand over the file. Texts are Windows-1252 as the tables hold them.
//
//     std::vector<ValorRecusado> recusas;
//     std::string l = RegistroEstoque(dados, VersaoArquivo::V23, recusas);   // 142 positions
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"

namespace vorel::computation {

// The validator version, as the window's "04 Versão" buttons number it.
enum class VersaoArquivo { V21 = 1, V23Port9905 = 2, V23 = 3 };

// A value that the file cannot hold as it is (UTF-8 texts, for the run's closing list).
struct ValorRecusado {
    std::string registro;  // "02 produto 1234 de 05/03/2016", ...
    std::string campo;     // "quantidade", "CFOP", ...
    std::string valor;     // the value as the program holds it
};

// Builds one line field by field.
class LinhaArquivo {
public:
    LinhaArquivo(std::string registro, std::vector<ValorRecusado>& recusas)
        : registro_(std::move(registro)), recusas_(recusas) {}
    // Characters left-aligned, cut to `largura` or filled with blanks.
    LinhaArquivo& Texto(std::string_view s, std::size_t largura);
    LinhaArquivo& Literal(std::string_view s) { linha_ += s; return *this; }
    // An unsigned whole number, zero-filled to `largura`.
    LinhaArquivo& Numero(const Decimal& v, int largura, std::string_view campo);
    // A value with `casas` implied decimals (amount 2, quantity 3), zero-filled; rounded half away from zero.
    LinhaArquivo& Implicito(const Decimal& v, int casas, int largura, std::string_view campo);
    // Year, month, day in 8 digits ("00000000" for no date).
    LinhaArquivo& Data(date::Day d);
    // A product code: its digits without leading zeros, left-aligned in 14 positions.
    LinhaArquivo& Produto(const Decimal& codigo);
    // A CNPJ text read as a number (its digits), in 14 digits.
    LinhaArquivo& Cnpj(std::string_view cnpj);
    const std::string& str() const { return linha_; }

private:
    void Recusa(std::string_view campo, std::string valor, int largura);
    std::string registro_;
    std::vector<ValorRecusado>& recusas_;
    std::string linha_;
};

// Record 01: the company.
struct DadosCabecalho {
    std::string cgc, inscricaoEstadual, razaoSocial, cidade, uf, endereco, complemento, bairro;
    std::string responsavel, email, paginaWeb;
    long long cnae = 0, numero = 0, cep = 0, fax = 0, fone = 0;
    date::Day inicio = 0, fim = 0;
};
std::string RegistroCabecalho(const DadosCabecalho& d, VersaoArquivo v, std::vector<ValorRecusado>& recusas);

// Record 02: one stock line (vehicle, opening balance, invoice item).
struct DadosEstoque {
    std::string rotulo;        // how the run names the record in its list of refused values
    std::string cnpj;          // 14 characters as they go in the file
    std::string inscricao, uf, serie, chassi;
    date::Day data = 0;
    Decimal numero, quantidade, valorA, valorB, valorC, produto;
    std::string cfop;          // the CFOP field, digits as they go in the file (3 or 4 positions)
    Decimal complemento;
    bool completo = true;      // false: the record ends after the product code ("2.1" invoices and balances)
};
std::string RegistroEstoque(const DadosEstoque& d, std::vector<ValorRecusado>& recusas);
// The CFOP field of a record 02: 3 positions in "2.1", 4 in the others.
std::string CampoCfop(const Decimal& cfop, VersaoArquivo v, std::string_view rotulo, std::vector<ValorRecusado>& recusas);

// Records 03M, 03A, 03P: the cash-register master, analytic total and daily item.
struct DadosMestre {
    date::Day data = 0;
    Decimal maquina, cupomInicial, cupomFinal, reducao, gtInicio, gtFinal;
    std::string serie, cupomFiscal;
};
std::string RegistroMestre(const DadosMestre& d, std::vector<ValorRecusado>& recusas);
struct DadosAnalitico {
    date::Day data = 0;
    Decimal maquina, totalizador;
    std::string aliquota;
};
std::string RegistroAnalitico(const DadosAnalitico& d, std::vector<ValorRecusado>& recusas);
struct DadosItemCaixa {
    date::Day data = 0;
    Decimal maquina, quantidade, base, produto;
};
std::string RegistroItemCaixa(const DadosItemCaixa& d, std::vector<ValorRecusado>& recusas);

// Record 04 (the product) and 05 (its rate over the period).
std::string RegistroProduto(const Decimal& codigo, std::string_view descricao, std::string_view medida,
                            std::vector<ValorRecusado>& recusas);
std::string RegistroAliquota(const Decimal& codigo, date::Day inicio, date::Day fim, const Decimal& aliquota,
                             std::vector<ValorRecusado>& recusas);

// Record 06: a count ("0601" .. "0606").
std::string RegistroContagem(int subtipo, long long contagem, std::vector<ValorRecusado>& recusas);

}  // namespace vorel::computation
