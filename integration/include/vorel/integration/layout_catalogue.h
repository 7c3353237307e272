// The import layouts' fixed catalogue: the eleven layout types, their window titles, and per type
// the field codes a layout may hold (label, proposed kind, hint) and the default layout every new
// layout of the type starts with. Texts are UTF-8 (as the windows show them); convert with
// text::from_utf8 before storing them in a record.
//
//     for (const CampoCatalogo& c : EntradasDoTipo(17)) ...   // code order, also the default order
//     std::string rotulo = RotuloCampo(10, 16);                // "13-Alíquota Reduzida."
//
// A type outside the eleven (0 when Layout.ini lacks the key, 5 to 8 left by the menu) has no
// title, no entries and no default fields; a code outside its type's catalogue has no label.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace vorel::integration {

// The layout types.
inline constexpr int kTipoFornecedores = 9, kTipoProdutos = 10, kTipoEntradas = 16, kTipoSaidas = 17,
                     kTipoEntradaVeiculos = 18, kTipoSaidaVeiculos = 19, kTipoMaquinas = 20, kTipoMestre = 21,
                     kTipoAnalitico = 22, kTipoDiario = 23, kTipoSaldoAnterior = 38;

// The field codes of the entry (16) and exit (17) invoice layouts, as their imports read them;
// codes 1-13 mean the same in both.
inline constexpr int kCampoNotaParceiro = 1, kCampoNotaSerie = 2, kCampoNotaNumero = 3, kCampoNotaDia = 4,
                     kCampoNotaMes = 5, kCampoNotaAno = 6, kCampoNotaQuantidade = 7, kCampoNotaProduto = 8,
                     kCampoNotaCfo = 9, kCampoNotaCfoComplementar = 10, kCampoNotaBase = 11,
                     kCampoNotaAliquota = 12, kCampoNotaValor = 13;
inline constexpr int kCampoEntradaBasePropria = 14, kCampoEntradaLote = 15, kCampoEntradaComplemento = 16;
inline constexpr int kCampoSaidaEstado = 14, kCampoSaidaBaseAntesReducao = 15, kCampoSaidaLote = 16,
                     kCampoSaidaComplemento = 17;

struct CampoCatalogo {
    int codigo;            // CAMPARQ:CodigoCampo
    const char* rotulo;    // "1-Código do Fornecedor."
    char tipo;             // kind proposed when the code is chosen ('N' or 'X')
    const char* dica;      // the hint put into CAMPARQ:DescCampo when the code is chosen
    int posicao;           // start column in the default layout
    int tamanho;           // size in the default layout
    char tipoPadrao;       // kind in the default layout
    const char* descricaoPadrao;  // description in the default layout
};

// The window title of a type ("Layout Notas de Saídas"); empty outside the eleven.
std::string TituloTipoLayout(int tipo);
// The entries of a type in code order (empty outside the eleven).
std::span<const CampoCatalogo> EntradasDoTipo(int tipo);
// The entry of (type, code), nullptr when the catalogue has none.
const CampoCatalogo* EntradaDoCampo(int tipo, int codigo);

enum class Onde { Escolha, ListaCampos, Verificacao };
// The label of (type, code) as the choice list, the layout form's field list or its position
// check words it; empty when the catalogue has no such code.
std::string RotuloCampo(int tipo, int codigo, Onde onde = Onde::Escolha);

// The line length of a type's default layout (the end of its last field); 0 outside the eleven.
int ComprimentoPadrao(int tipo);

}  // namespace vorel::integration
