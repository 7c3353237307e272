// Small tables and a temporary data folder shared by the engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "vorel/data/file_manager.h"
#include "vorel/data/table_desc.h"

namespace vorel::data::testing {

// A temporary data folder per test; the engine's state folder lies inside it.
class DataTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::filesystem::path dir_;
};

// Items: code, name (case-insensitive unique), group, date, value; keys: code (unique, auto-numbered),
// name (unique), group + -date (duplicates), optional on group.
struct ItemRec {
    std::uint32_t Codigo = 0;
    String<20> Nome;
    String<4> Grupo;
    std::int32_t Data = 0;
    DecimalField<11, 2> Valor;
    std::uint8_t Nivel = 0;
};
extern NameVariable CaminhoItens;
const TableDesc& Itens();
const TableDesc& Itens0();  // alias

// Parent and child for relations: Pedido (code) -> Linha (pedido, line auto-numbered inside it).
struct PedidoRec {
    std::uint32_t Codigo = 0;
    String<10> Cliente;
};
struct LinhaRec {
    std::uint32_t Pedido = 0;
    std::uint16_t Linha = 0;
    String<10> Produto;
};
extern NameVariable CaminhoPedidos;
extern NameVariable CaminhoLinhas;
const TableDesc& Pedidos();
const TableDesc& Linhas();

// Another program holding something: a child process runs `body` on a thread of its own; the body
// calls `hold(byte)` where it wants to stay (its tables open), which hands the byte to the parent and
// waits there until the child is killed. Returns the child and its byte (0 when it ended without).
struct HoldingChild {
    pid_t pid = -1;
    char answer = 0;
    void kill_and_wait() const;
};
HoldingChild run_holding_child(const std::function<void(const std::function<void(char)>& hold)>& body);

}  // namespace vorel::data::testing
