// The line layouts of the NF-e reader's files, declared once: the reader writes its lines by them
// and every step that reads those lines cuts them by them (the products and partners steps, the
// month question over the item file, and the items steps through `PosicoesItensNfe`).
//
// A layout is its fields in column order, each with its width; columns follow from column 1, so a
// field's columns are never written down. An item field also names the field code of the entry
// (16) or exit (17) import layout it is read as (0: written, not read).
//
//     constexpr Posicao mes = kLayoutItensEntrada[CampoItem::Mes];   // {25, 26}
//     std::string descricao = CortaCampo(linha, kLayoutProdutos[CampoProduto::Descricao]);
//
// The layouts are those of the NF-e import with two fields added after the last column, which the
// steps read in place of the narrower ones (these hold the value only when it fits them): the
// whole invoice number in 9 digits (item lines: entries 130-138, exits 132-140) and the product
// code in 20 characters (products 171-190; item lines: entries 139-158, exits 141-160). Amounts
// are in hundredths, quantities and item rates in thousandths.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/layouts.h"

namespace vorel::integration {

enum class SentidoNfe { Entrada, Saida };

// One field of a layout: which it is, its width, how the reader's refusals name it, and (items) the
// import layout's field code it is read as.
template <class Campo>
struct DefCampoNfe {
    Campo campo;
    int largura;
    std::string_view nome;
    int codigo = 0;
};

template <class Campo>
class LayoutNfe {
public:
    constexpr explicit LayoutNfe(std::span<const DefCampoNfe<Campo>> campos) : campos_(campos) {}
    // The columns of a field; {0, 0} when the layout lacks it.
    constexpr Posicao operator[](Campo c) const {
        int inicio = 1;
        for (const auto& d : campos_) {
            if (d.campo == c) return {inicio, inicio + d.largura - 1};
            inicio += d.largura;
        }
        return {0, 0};
    }
    constexpr const DefCampoNfe<Campo>* Def(Campo c) const {
        for (const auto& d : campos_)
            if (d.campo == c) return &d;
        return nullptr;
    }
    constexpr int Comprimento() const {
        int n = 0;
        for (const auto& d : campos_) n += d.largura;
        return n;
    }
    constexpr std::span<const DefCampoNfe<Campo>> Campos() const { return campos_; }

private:
    std::span<const DefCampoNfe<Campo>> campos_;
};

// "CNPJ.txt": the company-side document of each document taken (a CPF followed by blanks).
enum class CampoCnpj { Documento };
inline constexpr DefCampoNfe<CampoCnpj> kDefCnpj[] = {{CampoCnpj::Documento, 14, "Documento"}};
inline constexpr LayoutNfe<CampoCnpj> kLayoutCnpj{kDefCnpj};

// "Produtos" mm yyyy ".txt": one product per line.
enum class CampoProduto { Codigo, Nbm, Grupo, Descricao, Aliquota, Unidade, DataInicial, DataFinal, Reducao, Ncm, CodigoInteiro };
inline constexpr DefCampoNfe<CampoProduto> kDefProdutos[] = {
    {CampoProduto::Codigo, 14, "Código do produto"},
    {CampoProduto::Nbm, 13, "NBM"},
    {CampoProduto::Grupo, 3, "Grupo"},
    {CampoProduto::Descricao, 100, "Descrição"},
    {CampoProduto::Aliquota, 6, "Alíquota"},  // hundredths
    {CampoProduto::Unidade, 3, "Unidade"},
    {CampoProduto::DataInicial, 8, "Data inicial"},  // ddmmyyyy
    {CampoProduto::DataFinal, 8, "Data final"},
    {CampoProduto::Reducao, 7, "Redução da base"},  // hundredths of a percent
    {CampoProduto::Ncm, 8, "NCM"},
    {CampoProduto::CodigoInteiro, 20, "Código do produto"},  // the code the products step reads
};
inline constexpr LayoutNfe<CampoProduto> kLayoutProdutos{kDefProdutos};

// "Fornecedores" mm yyyy ".txt": one partner per line.
enum class CampoParte {
    Codigo, Nome, Endereco, Numero, Complemento, Bairro, Cidade, Uf, Cep, Ddd, Telefone, Livre, Tipo, Cnpj, Cpf, Ie
};
inline constexpr DefCampoNfe<CampoParte> kDefPartes[] = {
    {CampoParte::Codigo, 7, "Código"},
    {CampoParte::Nome, 40, "Nome"},
    {CampoParte::Endereco, 40, "Endereço"},
    {CampoParte::Numero, 10, "Número do endereço"},
    {CampoParte::Complemento, 25, "Complemento"},
    {CampoParte::Bairro, 25, "Bairro"},
    {CampoParte::Cidade, 25, "Cidade"},
    {CampoParte::Uf, 2, "UF"},
    {CampoParte::Cep, 8, "CEP"},
    {CampoParte::Ddd, 3, "DDD"},
    {CampoParte::Telefone, 8, "Telefone"},
    {CampoParte::Livre, 13, ""},
    {CampoParte::Tipo, 1, "Tipo de inscrição"},  // 1 CNPJ, 2 CPF
    {CampoParte::Cnpj, 14, "CNPJ"},
    {CampoParte::Cpf, 11, "CPF"},
    {CampoParte::Ie, 20, "Inscrição estadual"},
};
inline constexpr LayoutNfe<CampoParte> kLayoutPartes{kDefPartes};

// "NFEntrada"/"NFSaida" mm yyyy ".txt": one line per document and item key.
enum class CampoItem {
    Parceiro, Serie, NumeroCurto, Dia, Mes, Ano, Quantidade, ProdutoCurto, Cfop, CfopComplementar, Base, Aliquota, Valor,
    BasePropria,   // entries: the own operation's base
    Uf,            // exits: the customer's state
    AntesReducao,  // exits: the base before its reduction
    Lote, Complemento, Numero, Produto
};
// Columns 1-95 are the same in both directions.
inline constexpr std::array<DefCampoNfe<CampoItem>, 13> kDefItensInicio = {{
    {CampoItem::Parceiro, 14, "CNPJ", kCampoNotaParceiro},
    {CampoItem::Serie, 2, "Série", kCampoNotaSerie},
    {CampoItem::NumeroCurto, 6, "Número da nota"},
    {CampoItem::Dia, 2, "Dia", kCampoNotaDia},
    {CampoItem::Mes, 2, "Mês", kCampoNotaMes},
    {CampoItem::Ano, 4, "Ano", kCampoNotaAno},
    {CampoItem::Quantidade, 13, "Quantidade", kCampoNotaQuantidade},
    {CampoItem::ProdutoCurto, 14, "Código do produto"},
    {CampoItem::Cfop, 4, "CFOP", kCampoNotaCfo},
    {CampoItem::CfopComplementar, 2, "CFOP complementar", kCampoNotaCfoComplementar},
    {CampoItem::Base, 13, "Base do ICMS", kCampoNotaBase},
    {CampoItem::Aliquota, 6, "Alíquota", kCampoNotaAliquota},
    {CampoItem::Valor, 13, "Valor do ICMS", kCampoNotaValor},
}};

template <std::size_t N>
constexpr std::array<DefCampoNfe<CampoItem>, 13 + N> ItensCom(const std::array<DefCampoNfe<CampoItem>, N>& fim) {
    std::array<DefCampoNfe<CampoItem>, 13 + N> r{};
    for (std::size_t i = 0; i < 13; ++i) r[i] = kDefItensInicio[i];
    for (std::size_t i = 0; i < N; ++i) r[13 + i] = fim[i];
    return r;
}

inline constexpr auto kDefItensEntrada = ItensCom(std::array<DefCampoNfe<CampoItem>, 5>{{
    {CampoItem::BasePropria, 13, "Base própria", kCampoEntradaBasePropria},
    {CampoItem::Lote, 20, "Lote", kCampoEntradaLote},
    {CampoItem::Complemento, 1, "Complemento", kCampoEntradaComplemento},
    {CampoItem::Numero, 9, "Número da nota", kCampoNotaNumero},
    {CampoItem::Produto, 20, "Código do produto", kCampoNotaProduto},
}});
inline constexpr auto kDefItensSaida = ItensCom(std::array<DefCampoNfe<CampoItem>, 6>{{
    {CampoItem::Uf, 2, "UF", kCampoSaidaEstado},
    {CampoItem::AntesReducao, 13, "Base antes da redução", kCampoSaidaBaseAntesReducao},
    {CampoItem::Lote, 20, "Lote", kCampoSaidaLote},
    {CampoItem::Complemento, 1, "Complemento", kCampoSaidaComplemento},
    {CampoItem::Numero, 9, "Número da nota", kCampoNotaNumero},
    {CampoItem::Produto, 20, "Código do produto", kCampoNotaProduto},
}});
inline constexpr LayoutNfe<CampoItem> kLayoutItensEntrada{kDefItensEntrada};
inline constexpr LayoutNfe<CampoItem> kLayoutItensSaida{kDefItensSaida};

constexpr const LayoutNfe<CampoItem>& LayoutItens(SentidoNfe sentido) {
    return sentido == SentidoNfe::Entrada ? kLayoutItensEntrada : kLayoutItensSaida;
}

// The item layout as the positions of the import's field codes (index = field code).
Posicoes PosicoesItensNfe(SentidoNfe sentido);

}  // namespace vorel::integration
