// The printers register: the browse `Impressoras` ("Janela de Impressoras", menu Utilitários, on its
// own thread) and its form `UImpressoras` ("Atualização da Tabela de Impressoras") over the table
// Impressora. A new printer starts with 60 lines per page and the default control codes
// (`CodigosPadrao`); when the browse closes, the chosen printer's codes are loaded again.
//
//   ProcedureRegistry::Add("Impressoras", [](ProcContext& c) { Impressoras(c); });
#pragma once

#include "vorel/shell/printer_codes.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::shell {

void Impressoras(ui::ProcContext& ctx);
// The form alone, on the record in the thread's Impressora buffer, with the thread's Request.
void UImpressoras(ui::ProcContext& ctx);

// Control numbers of the browse and the form.
namespace impressoras {
inline constexpr int kSheet = 1, kTabCodigo = 2, kPromptCodigo = 3, kLocCodigo = 4, kTabNome = 5, kPromptNome = 6,
                     kLocNome = 7, kTitulo = 8, kLista = 9, kInclui = 10, kAltera = 11, kExclui = 12,
                     kSeleciona = 13, kFecha = 14;
}
namespace uimpressoras {
inline constexpr int kCodigo = 1, kNome = 2, kPorta = 3, kGrupoCpi = 4, kCpi10 = 5, kCpi17 = 6, kCpi20 = 7,
                     kGrupoEspaco = 8, kEsp18 = 9, kEsp772 = 10, kEsp16 = 11, kGrupoLinhas = 12, kLinhas = 13,
                     kGrupoNegrito = 14, kLNeg = 15, kDNeg = 16, kGrupoExpandido = 17, kLExp = 18, kDExp = 19,
                     kGrupoSublinhado = 20, kLSub = 21, kDSub = 22, kGrupoAcentos = 23, kAcentos = 24,
                     kRestaura = 25, kGrava = 26, kCancela = 27, kAjuda = 28;
}

}  // namespace vorel::shell
