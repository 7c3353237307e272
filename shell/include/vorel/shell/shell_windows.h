// The shell's utility windows, each a window procedure on the thread that starts it:
//   Calculadora         the desk calculator ("Calculadora"; position kept under "Calcula").
//   AberturaFechamento  the closed months (" Fechamento / Abertura"), after VerificaUsuario; its
//                       form for one month and the two range windows (" Fecha Vários Meses",
//                       " Abre Vários Meses") log the verified user, handed over in memory.
//   VisualizacaoLog     the log of closings and reopenings ("Visualização de Log").
//   Parametros          the office's own data and options ("Parâmetros do Escritório Licenciado").
#pragma once

#include <string>

#include "vorel/ui/runtime.h"

namespace vorel::shell {

void Calculadora(ui::ProcContext& ctx);
void AberturaFechamento(ui::ProcContext& ctx);
void VisualizacaoLog(ui::ProcContext& ctx);
void Parametros(ui::ProcContext& ctx);

// The range windows, for the user `usuario` (Windows-1252) who confirmed.
void FechaVariosMeses(ui::ProcContext& ctx, const std::string& usuario);
void AbreVariosMeses(ui::ProcContext& ctx, const std::string& usuario);

}  // namespace vorel::shell
