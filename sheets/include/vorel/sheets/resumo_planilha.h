// The summary of one sheet run: the month's columns 10 to 16 summed by product or by supplier,
// which the result pages print; and the look-up of a product's supplier through its entries.
//
// A summary belongs to the run that fills it and starts empty, so an empty month never shows an
// earlier run's sums and two sheets at once keep their own. Entries are kept in key order (key 0,
// "no supplier found", first). Sums are unbounded decimals: nothing a month reaches overflows.
//
//   ResumoPlanilha resumo;
//   FornecedorDoProduto fornecedores;            // its CNPJ cache lives as long as the run
//   ...
//   std::uint32_t chave = porFornecedor ? fornecedores.Fornecedor(produto) : codigoProduto;
//   resumo.Acumula(chave, descricao, linha);     // a counted row, with its sign
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/sheets/colunas_planilha.h"

namespace vorel::sheets {

struct EntradaResumo {
    std::uint32_t codigo = 0;   // a product code or a supplier code; 0: no supplier found
    std::string descricao;      // the product of the last row summed under the key
    std::array<Decimal, kValores> valores;  // columns 10 to 16
    Decimal saiQuantidade, saiValUnitario, saldoQuantidade;
};

class ResumoPlanilha {
public:
    // Sums a counted row under `chave` (signed as the row says); other rows are ignored.
    void Acumula(std::uint32_t chave, const std::string& descricao, const LinhaPlanilha& linha);
    void Limpa() { entradas_.clear(); }
    bool Vazio() const { return entradas_.empty(); }
    std::size_t Tamanho() const { return entradas_.size(); }
    // In ascending key order.
    std::vector<EntradaResumo> Entradas() const;
    const EntradaResumo* Procura(std::uint32_t chave) const;

private:
    std::map<std::uint32_t, EntradaResumo> entradas_;
};

// Finds a product's supplier from its entries (EntradaVorel by product and date, first entry whose
// CNPJ names an active supplier of ForCli), caching every establishment of that supplier's CNPJ
// root under its code. The tables must be open on the thread.
class FornecedorDoProduto {
public:
    FornecedorDoProduto();
    ~FornecedorDoProduto();
    FornecedorDoProduto(const FornecedorDoProduto&) = delete;
    FornecedorDoProduto& operator=(const FornecedorDoProduto&) = delete;

    // 0 when no entry yields an active supplier. A failed read is returned as its Result.
    data::Result Fornecedor(const Decimal& produto, std::uint32_t& codigo);

private:
    struct Tabelas;
    std::optional<std::uint32_t> EmCache(const std::string& cnpj) const;
    data::Result GuardaEstabelecimentos(std::uint32_t codigo);
    std::multimap<std::string, std::uint32_t> cache_;
    std::unique_ptr<Tabelas> t_;
};

// The name of the active supplier of that code; nullopt when none (or inactive).
std::optional<std::string> NomeFornecedorAtivo(std::uint32_t codigo);

}  // namespace vorel::sheets
