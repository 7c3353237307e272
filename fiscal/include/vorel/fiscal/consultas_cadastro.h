// The register look-ups that the movement forms, the imports, the computation, the sheets and the
// reports make alike: a product by its code or its user's code (`PRO:Apelido`), a supplier or
// customer by register code or by document (CNPJ, or a CPF), a CFOP code's sheet column. Each reads
// into the buffer of the open table it is given, so the caller reads the record found there.
// `ColunasDoCfo` keeps a run's columns, `ConsultaProdutos` a report's product descriptions.
//
//     if (fiscal::LeProduto(produtos, rec.CodMercadoria)) descricao = produtos.rec<ProdutosRec>().Produtos;
//     const std::uint32_t fornecedor = fiscal::CodigoDoDocumento(forcli, cnpj);  // 0 for none
//     fiscal::ColunasDoCfo colunas(cfo);  ...  colunas.Coluna(w.CFO, w.COMPLEMENTO)
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/shell/period.h"

namespace vorel::fiscal {

// `Produtos` by `PRO:KEY:CODIGO`; not found: the buffer is left cleared (no description).
bool LeProdutoPorCodigo(data::FileManager& produtos, const Decimal& codigo);
// `Produtos` by `PRO:Key:Apelido`.
bool LeProdutoPorApelido(data::FileManager& produtos, std::string_view apelido);
// By code, else by the user's code equal to the code written as text. Not found: the buffer holds
// the cleared record of the last search (rate 0, description blank).
bool LeProduto(data::FileManager& produtos, const Decimal& codigo);

// The product a line or an item names by number (the imports' option "Código", the audit): by
// the code `codigo`, else by `texto` as the user's code, else by the code written with twenty
// digits (leading zeros) as the user's code.
bool LeProdutoPorCodigoOuApelido(data::FileManager& produtos, const Decimal& codigo, std::string_view texto);
// The code as a user's code of twenty digits, with leading zeros.
std::string ApelidoDeVinteDigitos(const Decimal& codigo);

// Products looked up by code for a report's lines (`LeProdutoPorCodigo`) in the company's
// `Produtos`, opened at the company's file at the first look-up (`shell::AbreNoAno`): the
// description without trailing blanks; "" for a product missing from the register, and for every
// product when the file does not open.
class ConsultaProdutos {
public:
    explicit ConsultaProdutos(const shell::EmpresaPeriodo& periodo);
    ~ConsultaProdutos();
    ConsultaProdutos(const ConsultaProdutos&) = delete;
    ConsultaProdutos& operator=(const ConsultaProdutos&) = delete;
    std::string Descricao(const Decimal& codigo);

private:
    shell::EmpresaPeriodo periodo_;
    data::FileManager fm_;
    bool tentou_ = false;
};

// `ForCli` by `FOR:KEY:CODIGO1`: the register code, whatever the inactive mark.
bool LeFornecedorPorCodigo(data::FileManager& forcli, std::uint32_t codigo);
// The active partner (inactive mark 0) whose CNPJ is `cnpj`.
bool LeFornecedorPorCnpj(data::FileManager& forcli, std::string_view cnpj);
// The active partner (inactive mark 0) whose CNPJ is `documento`, else whose CPF is its first 11
// characters.
bool LeFornecedorPorDocumento(data::FileManager& forcli, std::string_view documento);
// The register code of `LeFornecedorPorDocumento`'s partner; 0 when there is none.
std::uint32_t CodigoDoDocumento(data::FileManager& forcli, std::string_view documento);

// Which register row gives a code's column: the first of any state (`CFO:KEY:CFO`: the movement
// forms, the imports, the text form of the management sheet), or the row of no state
// (`CFO:KEY:CODIGO` with a blank `CFO:ESTADO`: the monthly and annual computation, the sheets'
// pages, the confrontation, the digital file's walk).
enum class EstadoDoCfo { Qualquer, SemEstado };

// The sheet column (`CFO:COLUNA`, fiscal::Coluna) of a code and complement; nullopt when the code
// is not registered (or `cfo`, the CFO table, is not open). The buffer holds the row found.
std::optional<std::uint8_t> ColunaDoCfo(data::FileManager& cfo, int codigo, int complemento,
                                        EstadoDoCfo estado = EstadoDoCfo::Qualquer);

// A run's columns: each code and complement read once from the open CFO table `cfo`.
class ColunasDoCfo {
public:
    explicit ColunasDoCfo(data::FileManager& cfo, EstadoDoCfo estado = EstadoDoCfo::SemEstado)
        : cfo_(cfo), estado_(estado) {}
    std::optional<std::uint8_t> Coluna(int codigo, int complemento);

private:
    data::FileManager& cfo_;
    EstadoDoCfo estado_;
    std::map<std::pair<int, int>, std::optional<std::uint8_t>> colunas_;
};

}  // namespace vorel::fiscal
