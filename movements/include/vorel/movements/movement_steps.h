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
#include "vorel/ui/runtime.h"
#include "vorel/ui/use_var.h"
#include "vorel/ui/window.h"

namespace vorel::movements {

// The refusal: "Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!".
void AvisaCfoForaDoPeriodo();

// A CFOP code and complement typed, checked against the register (`cfo`, open): registered, nothing
// more. Not registered: "C.F.O.P. não cadastrado", then the CFO register opens for selection at the
// nearest code; a code picked is in `cfo`'s buffer for the form to take (Escolhido); left without a
// choice, the typed code stays and the code field `campoCfo` gets the focus (which also stops OK's
// pass over the fields: nothing is saved with a code that is not registered).
enum class CfoDigitado { Cadastrado, Escolhido, Recusado };
CfoDigitado ConfereCfoDigitado(ui::ProcContext& ctx, ui::Window& janela, int campoCfo, data::FileManager& cfo,
                               int codigo, int complemento);

// What a failed write says after its code: "erro 33 (text, file)", the table layer's last error
// (UTF-8; the file only when there is one).
std::string ErroDeGravacao(data::Result r);

// A date kept as the text of its day number (the cash-register tables), shown and typed as a date
// ("@d06b": dd/mm/yyyy, blank for none).
ui::UsePtr UseDataTexto(String<8>& campo);
// Such a date as shown ("@d06b").
std::string MostraDataTexto(const String<8>& campo);

}  // namespace vorel::movements
