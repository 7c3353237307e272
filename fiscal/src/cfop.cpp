// The code lists of cfop.h and the sign rule of colunas.h.
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/colunas.h"

#include <algorithm>
#include <array>

namespace vorel::fiscal {

namespace {

constexpr std::array kDevolucoes = {1411, 2411, 1661, 2661, 1662, 2662, 1202, 2202};
constexpr std::array kRetornaEstoque = {178, 278, 1411, 2411, 1611, 2611, 1661, 2661, 1662, 2662, 1202, 2202};
constexpr std::array kSubtraidos = {178, 278, 1411, 2411, 1661, 2661, 1202, 2202};
constexpr std::array kReavaliadas = {176, 276, 1659, 2659};

template <std::size_t N>
bool Na(const std::array<int, N>& lista, int cfo) {
    return std::find(lista.begin(), lista.end(), cfo) != lista.end();
}

}  // namespace

bool CfoDeDevolucao(int cfo) { return Na(kDevolucoes, cfo); }
bool RetornaAoEstoque(int cfo) { return Na(kRetornaEstoque, cfo); }
bool SubtraidoDosTotais(int cfo) { return Na(kSubtraidos, cfo); }
bool EntradaReavaliada(int cfo) { return Na(kReavaliadas, cfo); }

bool SubtraiDosTotais(int coluna, int cfo) {
    return coluna == kDevolucaoCompras || SubtraidoDosTotais(cfo) || (coluna == kConsumidorFinal && CfoDeEntrada(cfo));
}

}  // namespace vorel::fiscal
