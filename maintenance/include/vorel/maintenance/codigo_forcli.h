// The customer or supplier code of a year's movements filled from the register of suppliers and
// customers (`ForCli`), found by the document each movement carries: the repairs of the windows
// "AjustaCodForCli" (exit items, `SaidaVorel`: `SAI:CNPJ` into `SAI:CodigoForCli`) and
// "AjustaCodForCli_Ent" (entry items, `EntradaVorel`: `ENT:Cnpj` into `ENT:CodigoForCli`).
//
// The movements are read by date over the whole year; a document neither "0" nor blank is read as
// a number and looked up among the active records (inactive mark 0): first as the CNPJ of 14 digits,
// zero-filled, then as the CPF of 11. A movement whose document matches no active record keeps its
// code. The run commits after every 1001 movements read and at its end; a failure or a cancel rolls
// back only the open batch and says how many movements stayed adjusted.
//
//     ResultadoReparo r = AjustaCodigosForCli(MovimentosForCli::Saidas, periodo, andamento);
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/maintenance/resultado_reparo.h"
#include "vorel/shell/period.h"

namespace vorel::data {
class FileManager;
}

namespace vorel::maintenance {

enum class MovimentosForCli { Saidas, Entradas };

// The year `ano.ano` of company `ano.empresa` (the month is not used).
[[nodiscard]] ResultadoReparo AjustaCodigosForCli(MovimentosForCli quais, const shell::EmpresaPeriodo& ano,
                                                  const ProgressoReparo& progresso = {});

// The document as the number it is read as (its leading digits, without leading zeros; "0" for a
// text without digits), or nullopt for "0" and blank, which are not looked up.
std::optional<std::string> DocumentoLido(std::string_view documento);

// The code of the active register record whose CNPJ is the number in 14 digits, else whose CPF is
// it in 11 (a number of more than 11 digits is no CPF); nullopt when there is none. `forcli` is an
// open `ForCli`.
std::optional<std::uint32_t> CodigoDoNumero(data::FileManager& forcli, const std::string& numero);

}  // namespace vorel::maintenance
