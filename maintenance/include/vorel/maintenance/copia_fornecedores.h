// Copying a register of suppliers and customers over a company's own ("Cópia de Fornecedores").
//
// A company on the individual plan (`EMP:TIPOFORNECEDOR` 2) keeps its own register, "ForCli.Tps"
// in its `Escrita` folder; the copy replaces that file with the general plan's shared register
// ("BComuns\ForCli.Tps" under the data root) or with a head office's own register (the data root,
// the head office's code in 8 digits, "\Escrita\ForCli.Tps").
//
// `CopiaCadastroFornecedores` takes the destination exclusively (read and write, denying every
// other opener), so a register open in another window or station is refused and nothing is
// copied; the source is copied to a new file beside the destination, checked whole, and renamed
// over it: a failure or a killed run leaves the old register as it was. Every failure comes back
// as a text.
//
//     std::string erro = CopiaCadastroFornecedores(OrigemDaCopia(raiz, TipoCopia::PlanoIndividual, 123),
//                                                  DestinoDaCopia(raiz, empresa));
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace vorel::maintenance {

enum class TipoCopia : std::uint8_t { Nenhuma = 0, PlanoGeral = 1, PlanoIndividual = 2 };

// The register file copied from: the shared one for the general plan, else the head office's own.
std::string OrigemDaCopia(const std::string& raiz, TipoCopia tipo, std::uint32_t matriz);
// The company's own register file.
std::string DestinoDaCopia(const std::string& raiz, std::uint32_t empresa);

// `EMP:TIPOFORNECEDOR` of a company in the register `Empresa`; nullopt when there is no such company.
std::optional<std::uint8_t> TipoFornecedorDaEmpresa(std::uint32_t empresa);

// The steps of the copy (1 destination taken, 2 source copied, 3 copy checked, 4 put in place),
// for a window's progress and for the tests that kill a copy midway.
using PassoCopia = std::function<void(int passo)>;

// An error text (UTF-8), empty when the destination is the source's copy.
[[nodiscard]] std::string CopiaCadastroFornecedores(const std::string& origem, const std::string& destino,
                                                    const PassoCopia& passo = {});

}  // namespace vorel::maintenance
