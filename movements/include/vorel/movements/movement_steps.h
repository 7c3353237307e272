// Steps that the movement forms share: the refusal of a CFOP of the other numbering than the working
// year's (the rule is `CfoDoPeriodo` of entry_items.h), the product typed as a code or as the user's
// own code, the supplier by register code, the dates kept as text of the cash-register tables, and
// the words of a write that failed.
//
//     if (!CfoDoPeriodo(rec.CFO, shell::GLO_ANO.Get())) { AvisaCfoForaDoPeriodo(); window().Select(kCfo); ... }
//     if (!LeProduto(produtos, rec.CodProduto)) ... the look-up, the buffer holds the failed search
#pragma once

#include <cstdint>
#include <string>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/fixed_string.h"
#include "vorel/data/error.h"
#include "vorel/data/file_manager.h"
#include "vorel/ui/use_var.h"

namespace vorel::movements {

// The refusal: "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!".
void AvisaCfoForaDoPeriodo();

// Reads `Produtos` (the thread's object, open) by `PRO:KEY:CODIGO` with `codigo`, else by
// `PRO:Key:Apelido` equal to the code written as text. True when found; otherwise the buffer holds
// the cleared record of the last search (rate 0, description blank).
bool LeProduto(data::FileManager& produtos, const Decimal& codigo);

// Reads `Produtos` by `PRO:KEY:CODIGO` only; not found: the buffer is left cleared (no description).
bool LeProdutoPorCodigo(data::FileManager& produtos, const Decimal& codigo);

// Reads `ForCli` by `FOR:KEY:CODIGO1` (the register code, whatever the inactive mark) into its buffer.
bool LeFornecedorPorCodigo(data::FileManager& forcli, std::uint32_t codigo);

// What a failed write says after its code: "erro 33 (text, file)", the table layer's last error
// (UTF-8; the file only when there is one).
std::string ErroDeGravacao(data::Result r);

// A date kept as the text of its day number (the cash-register tables), shown and typed as a date
// ("@d06b": dd/mm/yyyy, blank for none).
ui::UsePtr UseDataTexto(String<8>& campo);

}  // namespace vorel::movements
