// The registers step of the NF-e import: the reader's products file into `Produtos` (and, for
// entries, the first rate-history row of each product) and its partners file into `ForCli`.
//
// - Products: by "Código" (0) a line's code is its numeric value; a code holding letters is never
//   read as a number (it would overwrite another product): such a line, and every line by
//   "Apelido" (1), is matched by `PRO:Apelido` and, when new, takes the next free code after the
//   register's highest (new products of one file get consecutive codes). The register record takes
//   the line's description, rate, unit, dates, NBM, group and NCM and the import month.
// - Partners: found by CNPJ (kind 1) or by CPF and state registration (kind 2: one CPF may own one
//   record per registration); a new one takes the next code; an existing one is written over only
//   with "Sobrescrever Clientes/Fornecedores" on. The city is the register's spelling when
//   `Municipios` knows it.
// Each step writes in one transaction: a failed write leaves the register as it was, and so does
// a step stopped by its progress call.
#pragma once

#include <functional>
#include <string>

#include "vorel/data/error.h"

namespace vorel::integration {

struct ResultadoCadastro {
    long linhas = 0;
    long novos = 0;
    bool interrompida = false;  // stopped by the progress call (nothing written)
    data::Result falha;
    bool ok() const { return falha.ok() && !interrompida; }
};

// Called after each line with the lines done and the file's line count; false stops the step.
using ProgressoCadastro = std::function<bool(long feitos, long total)>;

// `arquivo`: program path of the reader's file (a missing file has no lines).
ResultadoCadastro ImportaProdutosNfe(const std::string& arquivo, int intProdutos, bool entrada, int mes, int ano,
                                     const ProgressoCadastro& progresso = {});
ResultadoCadastro ImportaFornecedoresNfe(const std::string& arquivo, bool sobrescreve,
                                         const ProgressoCadastro& progresso = {});

}  // namespace vorel::integration
