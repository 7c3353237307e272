#include "test_tables.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "vorel/data/data_root.h"
#include "vorel/data/state_folder.h"

namespace vorel::data::testing {

namespace fs = std::filesystem;

void DataTest::SetUp() {
    std::string tmpl = (fs::temp_directory_path() / "vorel-data-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    ASSERT_NE(made, nullptr);
    dir_ = made;
    fs::create_directories(dir_ / "state");
    set_state_folder(dir_ / "state");
    CaminhoItens.set(path("Itens.Tps"));
    CaminhoPedidos.set(path("Pedidos.Tps"));
    CaminhoLinhas.set(path("Linhas.Tps"));
}

void DataTest::TearDown() {
    set_data_root({});
    std::error_code ec;
    fs::remove_all(dir_, ec);
}

HoldingChild run_holding_child(const std::function<void(const std::function<void(char)>& hold)>& body) {
    int ready[2];
    if (pipe(ready) != 0) return {};
    pid_t pid = fork();
    if (pid == 0) {
        close(ready[0]);
        std::thread worker([&] {
            body([&](char answer) {
                if (write(ready[1], &answer, 1) != 1) _exit(2);
                for (;;) pause();
            });
        });
        worker.join();
        _exit(0);
    }
    close(ready[1]);
    HoldingChild child{pid, 0};
    if (pid < 0 || read(ready[0], &child.answer, 1) != 1) child.answer = 0;
    close(ready[0]);
    return child;
}

void HoldingChild::kill_and_wait() const {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

NameVariable CaminhoItens;
NameVariable CaminhoPedidos;
NameVariable CaminhoLinhas;

const TableDesc& Itens() {
    static const TableDesc d = TableBuilder<ItemRec>("Itens", "ITE")
                                   .file(CaminhoItens)
                                   .version(3)
                                   .field("Codigo", &ItemRec::Codigo)
                                   .field("Nome", &ItemRec::Nome)
                                   .field("Grupo", &ItemRec::Grupo)
                                   .date("Data", &ItemRec::Data)
                                   .field("Valor", &ItemRec::Valor)
                                   .field("Nivel", &ItemRec::Nivel)
                                   .key("KEY:CODIGO", "Código", {"Codigo"}, kPrimary | kNoCase, 1)
                                   .key("KEY:NOME", "Nome do item", {"Nome"}, kNoCase)
                                   .key("KEY:GRUPODATA", "Grupo + Data", {"Grupo", "-Data"}, kDuplicates | kNoCase)
                                   .key("KEY:GRUPO", "ITE:KEY:GRUPO", {"Grupo"}, kDuplicates | kNoCase | kOptional)
                                   .choice_rule("Nivel", "Nível do item", "]0[]1[]2[", "'0-Baixo','1-Médio','2-Alto'")
                                   .range_rule("Data", "Data do item", 0, 100000)
                                   .upper_bound_rule("Valor", "Valor do item", 4400, "44")
                                   .build();
    return d;
}

const TableDesc& Itens0() {
    static const TableDesc d = make_alias(Itens(), "Itens0", "ITE0");
    return d;
}

const TableDesc& Pedidos() {
    static const TableDesc d = TableBuilder<PedidoRec>("Pedidos", "PED")
                                   .file(CaminhoPedidos)
                                   .field("Codigo", &PedidoRec::Codigo)
                                   .field("Cliente", &PedidoRec::Cliente)
                                   .key("KEY:CODIGO", "Código do pedido", {"Codigo"}, kPrimary | kNoCase, 1)
                                   .child(Linhas, "LIN:KEY:PEDIDOLINHA", kCascade, kCascade, {{"Codigo", "Pedido"}})
                                   .build();
    return d;
}

const TableDesc& Linhas() {
    static const TableDesc d = TableBuilder<LinhaRec>("Linhas", "LIN")
                                   .file(CaminhoLinhas)
                                   .field("Pedido", &LinhaRec::Pedido)
                                   .field("Linha", &LinhaRec::Linha)
                                   .field("Produto", &LinhaRec::Produto)
                                   .key("KEY:PEDIDOLINHA", "Pedido + Linha", {"Pedido", "Linha"}, kPrimary | kNoCase, 2)
                                   .key("KEY:PRODUTO", "Produto", {"Produto"}, kDuplicates | kNoCase)
                                   .parent(Pedidos)
                                   .build();
    return d;
}

}  // namespace vorel::data::testing
