// Steps that the movement forms share: the refusal of a CFOP of the other numbering than the working
// year's (the rule is `fiscal::CfoDoPeriodo`), the dates kept as text of the cash-register tables,
// and the words of a write that failed. The register look-ups (the product typed as a code or as the
// user's own code, the supplier by register code) are the floor's, vorel/fiscal/consultas_cadastro.h.
//
//     if (!fiscal::CfoDoPeriodo(rec.CFO, periodo.ano)) { AvisaCfoForaDoPeriodo(); window().Select(kCfo); ... }
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

// What a failed write says after its code: "erro 33 (text, file)", the table layer's last error
// (UTF-8; the file only when there is one).
std::string ErroDeGravacao(data::Result r);

// A date kept as the text of its day number (the cash-register tables), shown and typed as a date
// ("@d06b": dd/mm/yyyy, blank for none).
ui::UsePtr UseDataTexto(String<8>& campo);
// Such a date as shown ("@d06b").
std::string MostraDataTexto(const String<8>& campo);

}  // namespace vorel::movements
