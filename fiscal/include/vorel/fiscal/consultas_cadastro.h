// The register look-ups that the movement forms, the imports and the audit make alike: a product by
// its code or its user's code (`PRO:Apelido`), a supplier or customer by register code or by
// document (CNPJ, or a CPF), a CFOP code's sheet column. Each reads into the buffer of the open
// table it is given, so the caller reads the record found there.
//
//     if (fiscal::LeProduto(produtos, rec.CodMercadoria)) descricao = produtos.rec<ProdutosRec>().Produtos;
//     const std::uint32_t fornecedor = fiscal::CodigoDoDocumento(forcli, cnpj);  // 0 for none
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/core/decimal.h"

namespace vorel::data {
class FileManager;
}

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

// `ForCli` by `FOR:KEY:CODIGO1`: the register code, whatever the inactive mark.
bool LeFornecedorPorCodigo(data::FileManager& forcli, std::uint32_t codigo);
// The active partner (inactive mark 0) whose CNPJ is `documento`, else whose CPF is its first 11
// characters.
bool LeFornecedorPorDocumento(data::FileManager& forcli, std::string_view documento);
// The register code of `LeFornecedorPorDocumento`'s partner; 0 when there is none.
std::uint32_t CodigoDoDocumento(data::FileManager& forcli, std::string_view documento);

// The sheet column (`CFO:COLUNA`, fiscal::Coluna) of a code and complement, by `CFO:KEY:CFO`;
// nullopt when the code is not registered. `cfo` is an open CFO table.
std::optional<std::uint8_t> ColunaDoCfo(data::FileManager& cfo, int codigo, int complemento);

}  // namespace vorel::fiscal
