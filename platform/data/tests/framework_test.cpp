#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "test_tables.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/relation_manager.h"
#include "vorel/data/transaction.h"

namespace vorel::data::testing {
namespace {

class FrameworkTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        ErrorManager::current().set_asker(&asker);
    }
    void TearDown() override {
        ErrorManager::current().set_asker(nullptr);
        DataTest::TearDown();
    }
    ScriptedAsker asker;
};

TEST_F(FrameworkTest, FieldRulesWithShowOnAndOff) {
    FileManager fm(Itens());
    auto& r = fm.rec<ItemRec>();
    const int nivel = Itens().field_index("Nivel");
    const int valor = Itens().field_index("Valor");
    const int data = Itens().field_index("Data");
    r.Nivel = 3;
    EXPECT_EQ(fm.test_field_rules(nivel, Messages::Quiet), kNotify);
    EXPECT_TRUE(asker.asked.empty());
    EXPECT_EQ(fm.test_field_rules(nivel, Messages::Show), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].title, "Erro Valor");
    EXPECT_EQ(asker.asked[0].text, text::from_utf8("O valor do Nível do item deve estar na lista: '0-Baixo','1-Médio','2-Alto'."));
    r.Nivel = 2;
    EXPECT_EQ(fm.test_field_rules(nivel, Messages::Show), kBenign);

    struct Case {
        long long scaled;
        Level expected;
    } cases[] = {{4400, kBenign}, {4500, kNotify}, {4401, kNotify}, {-100, kBenign}};
    for (const auto& c : cases) {
        r.Valor = DecimalField<11, 2>::from_scaled(c.scaled);
        EXPECT_EQ(fm.test_field_rules(valor, Messages::Quiet), c.expected) << c.scaled;
    }
    r.Valor = 45;
    asker.asked.clear();
    EXPECT_EQ(fm.test_field_rules(valor, Messages::Show), kNotify);
    EXPECT_EQ(asker.asked.at(0).text, "O valor do Valor do item deve ser menor que 44.");
    r.Data = 100001;
    EXPECT_EQ(fm.test_field_rules(data, Messages::Show), kNotify);
    EXPECT_EQ(asker.asked.at(1).title, "Erro no Filtro");
    EXPECT_EQ(asker.asked.at(1).text, "O valor do Data do item deve estar entre 0 .. 100000.");
    EXPECT_EQ(fm.test_field_rules(Itens().field_index("Nome"), Messages::Show), kBenign);  // no rule
}

TEST_F(FrameworkTest, AliasChecksWithTheBaseRulesAlwaysShowing) {
    FileManager alias(Itens0());
    alias.rec<ItemRec>().Nivel = 9;
    EXPECT_EQ(alias.test_field_rules(Itens0().field_index("Nivel"), Messages::Quiet), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].title, "Erro Valor");
}

TEST_F(FrameworkTest, InsertNumbersRefusesBadRulesAndNamesTheDuplicateKey) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    auto& r = fm.rec<ItemRec>();
    for (const char* nome : {"um", "dois", "tres"}) {
        fm.prime_record();
        r.Nome = nome;
        ASSERT_EQ(fm.insert(), kBenign);
    }
    EXPECT_EQ(r.Codigo, 3u);
    fm.prime_record();
    r.Nome = "DOIS";
    EXPECT_EQ(fm.insert(), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].text, "Chave duplicada: Nome do item");
    r.Nome = "quatro";
    r.Nivel = 7;
    EXPECT_EQ(fm.insert(Messages::Quiet), kNotify);
    EXPECT_EQ(fm.records(), 3);
    r.Nivel = 0;
    ASSERT_EQ(fm.insert(), kBenign);
    EXPECT_EQ(r.Codigo, 4u);
}

TEST_F(FrameworkTest, AutoNumberingInsideAParentAndPrimedNumbers) {
    FileManager lin(Linhas());
    ASSERT_EQ(lin.open(), kNoError);
    auto& r = lin.rec<LinhaRec>();
    auto add = [&](std::uint32_t pedido) {
        lin.prime_record();
        r.Pedido = pedido;
        EXPECT_EQ(lin.insert(), kBenign);
        return r.Linha;
    };
    EXPECT_EQ(add(10), 1);
    EXPECT_EQ(add(10), 2);
    EXPECT_EQ(add(20), 1);
    EXPECT_EQ(add(10), 3);
    // A form primes the number at once; abandoning deletes the record again.
    lin.prime_record();
    r.Pedido = 20;
    ASSERT_EQ(lin.prime_auto_number(), kBenign);
    EXPECT_EQ(r.Linha, 2);
    EXPECT_EQ(lin.records(), 5);
    ASSERT_EQ(lin.release_auto_number(), kNoError);
    EXPECT_EQ(lin.records(), 4);
    lin.prime_record();
    r.Pedido = 20;
    ASSERT_EQ(lin.prime_auto_number(), kBenign);
    r.Produto = "X";
    ASSERT_EQ(lin.insert(), kBenign);
    EXPECT_EQ(lin.records(), 5);
    lin.clear_record();
    r.Pedido = 20;
    r.Linha = 2;
    ASSERT_EQ(lin.get(data::KeyName{"LIN:KEY:PEDIDOLINHA"}), kNoError);
    EXPECT_EQ(r.Produto, "X");
}

TEST_F(FrameworkTest, AutoNumberPastTheFieldIsRefusedNotWrapped) {
    FileManager lin(Linhas());
    ASSERT_EQ(lin.open(), kNoError);
    auto& r = lin.rec<LinhaRec>();
    lin.clear_record();
    r.Pedido = 1;
    r.Linha = 65535;
    ASSERT_EQ(lin.add(), kNoError);
    lin.prime_record();
    r.Pedido = 1;
    EXPECT_EQ(lin.insert(), kNotify);
    EXPECT_EQ(asker.asked.at(0).text, text::from_utf8("O número 65536 não cabe no campo LIN:Linha."));
    EXPECT_EQ(lin.records(), 1);
}

TEST_F(FrameworkTest, TwoThreadsInsertingUnderOneAutoNumberedKeyGetDistinctNumbers) {
    constexpr int kEach = 60;
    std::vector<std::uint32_t> numbers[2];
    auto work = [&](int t) {
        FileManager fm(Itens());
        ASSERT_EQ(fm.open(), kNoError);
        auto& r = fm.rec<ItemRec>();
        for (int i = 0; i < kEach; ++i) {
            fm.prime_record();
            r.Nome = "t" + std::to_string(t) + "-" + std::to_string(i);
            ASSERT_EQ(fm.insert(Messages::Quiet), kBenign) << last_error().text << " " << last_error().file_error_text;
            numbers[t].push_back(r.Codigo);
        }
    };
    std::thread a(work, 0), b(work, 1);
    a.join();
    b.join();
    std::set<std::uint32_t> all(numbers[0].begin(), numbers[0].end());
    all.insert(numbers[1].begin(), numbers[1].end());
    EXPECT_EQ(all.size(), 2u * kEach);
    EXPECT_EQ(*all.rbegin(), 2u * kEach);
}

TEST_F(FrameworkTest, TransactionOverTwoFilesRolledBackLeavesBoth) {
    FileManager ped(Pedidos()), lin(Linhas());
    ASSERT_EQ(ped.open(), kNoError);
    ASSERT_EQ(lin.open_path(path("outra-pasta-nao.Tps")), kNoError);
    ped.clear_record();
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.add(), kNoError);
    {
        Transaction t({&ped, &lin}, 1);
        ASSERT_EQ(t.status(), kNoError);
        ped.rec<PedidoRec>().Codigo = 2;
        ASSERT_EQ(ped.add(), kNoError);
        lin.clear_record();
        lin.rec<LinhaRec>().Pedido = 2;
        ASSERT_EQ(lin.add(), kNoError);
        (void)ped.set(data::KeyName{"PED:KEY:CODIGO"});
        ASSERT_EQ(ped.next(), kNoError);
        ASSERT_EQ(ped.next(), kNoError);  // the cursor sees the transaction's own record
        EXPECT_EQ(ped.rec<PedidoRec>().Codigo, 2u);
    }  // not committed: rolled back
    EXPECT_EQ(ped.records(), 1);
    EXPECT_EQ(lin.records(), 0);
    (void)ped.set(data::KeyName{"PED:KEY:CODIGO"});
    ASSERT_EQ(ped.next(), kNoError);
    EXPECT_EQ(ped.next(), kRecordNotAvailable);
    {
        Transaction t({&ped, &lin});
        ped.rec<PedidoRec>().Codigo = 3;
        ASSERT_EQ(ped.add(), kNoError);
        ASSERT_EQ(t.commit(), kNoError) << last_error().file_error_text;
    }
    EXPECT_EQ(ped.records(), 2);
}

TEST_F(FrameworkTest, AnotherThreadsTransactionMakesWritersWaitThenTheWaitRunsOut) {
    FileManager fm(Itens());
    ASSERT_EQ(fm.open(), kNoError);
    std::atomic<int> stage{0};
    std::thread holder([&] {
        FileManager other(Itens());
        ASSERT_EQ(other.open(), kNoError);
        Transaction t({&other}, 1);
        ASSERT_EQ(t.status(), kNoError);
        other.clear_record();
        other.rec<ItemRec>().Codigo = 100;
        ASSERT_EQ(other.add(), kNoError);
        stage = 1;
        while (stage.load() < 2) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ASSERT_EQ(t.commit(), kNoError);
    });
    while (stage.load() < 1) std::this_thread::yield();
    stage = 2;
    // The writer waits for the holder's commit (within its lock wait) and then succeeds.
    fm.clear_record();
    fm.rec<ItemRec>().Codigo = 101;
    fm.rec<ItemRec>().Nome = "cento e um";
    fm.set_lock_wait(5);
    EXPECT_EQ(fm.add(), kNoError);
    holder.join();
    EXPECT_EQ(fm.records(), 2);

    std::thread blocker([&] {
        FileManager other(Itens());
        ASSERT_EQ(other.open(), kNoError);
        Transaction t({&other}, 1);
        stage = 3;
        while (stage.load() < 4) std::this_thread::yield();
    });
    while (stage.load() < 3) std::this_thread::yield();
    fm.set_lock_wait(0);
    fm.rec<ItemRec>().Codigo = 102;
    fm.rec<ItemRec>().Nome = "cento e dois";
    EXPECT_EQ(fm.add(), kFileLocked);  // no silent failure: 32 after the wait
    {
        Transaction t({&fm}, 0);
        EXPECT_EQ(t.status(), kFileLocked);
    }
    stage = 4;
    blocker.join();
}

TEST_F(FrameworkTest, CascadeDeleteAndKeyChangeCarryTheChildren) {
    dictionary::init(std::vector<DescFn>{Pedidos, Linhas});
    FileManager& ped = dictionary::file(Pedidos());
    FileManager& lin = dictionary::file(Linhas());
    ASSERT_EQ(ped.open(), kNoError);
    ASSERT_EQ(lin.open(), kNoError);
    for (std::uint32_t p : {1u, 2u}) {
        ped.clear_record();
        ped.rec<PedidoRec>().Codigo = p;
        ASSERT_EQ(ped.add(), kNoError);
        for (int i = 0; i < 3; ++i) {
            lin.prime_record();
            lin.rec<LinhaRec>().Pedido = p;
            ASSERT_EQ(lin.insert(), kBenign);
        }
    }
    // Change order 1's code to 5: its lines follow.
    ped.clear_record();
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.get(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    ped.rec<PedidoRec>().Codigo = 5;
    ASSERT_EQ(dictionary::relation(Pedidos()).update(), kBenign);
    lin.clear_record();
    lin.rec<LinhaRec>().Pedido = 5;
    lin.rec<LinhaRec>().Linha = 3;
    EXPECT_EQ(lin.get(data::KeyName{"LIN:KEY:PEDIDOLINHA"}), kNoError);
    // Delete order 2 with its lines, in one transaction.
    ped.rec<PedidoRec>().Codigo = 2;
    ASSERT_EQ(ped.get(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    ASSERT_EQ(dictionary::relation(Pedidos()).delete_record(), kBenign);
    EXPECT_EQ(ped.records(), 1);
    EXPECT_EQ(lin.records(), 3);
    (void)lin.set(data::KeyName{"LIN:KEY:PEDIDOLINHA"});
    while (lin.next() == kNoError) EXPECT_EQ(lin.rec<LinhaRec>().Pedido, 5u);
    EXPECT_TRUE(asker.asked.empty());
    dictionary::teardown();
    EXPECT_FALSE(dictionary::ready());
}

TEST_F(FrameworkTest, KeyChangeWhoseChildrenCollideNamesTheKeyAndChangesNothing) {
    FileManager ped(Pedidos()), lin(Linhas());
    ASSERT_EQ(ped.open(), kNoError);
    ASSERT_EQ(lin.open(), kNoError);
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.add(), kNoError);
    for (auto [p, l] : {std::pair{1u, 1}, {1u, 2}, {5u, 2}}) {  // order 5's line 2 is already there
        lin.clear_record();
        lin.rec<LinhaRec>().Pedido = p;
        lin.rec<LinhaRec>().Linha = static_cast<std::uint16_t>(l);
        ASSERT_EQ(lin.add(), kNoError);
    }
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.get(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    ped.rec<PedidoRec>().Codigo = 5;
    RelationManager rm(ped);
    EXPECT_EQ(rm.update(), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].text, text::from_utf8("Chave duplicada: Pedido + Linha"));
    ped.rec<PedidoRec>().Codigo = 1;
    EXPECT_EQ(ped.get(data::KeyName{"PED:KEY:CODIGO"}), kNoError);
    int on_one = 0;
    (void)lin.set(data::KeyName{"LIN:KEY:PEDIDOLINHA"});
    while (lin.next() == kNoError) on_one += lin.rec<LinhaRec>().Pedido == 1;
    EXPECT_EQ(on_one, 2);
}

// A grandchild under restriction makes a child undeletable: the parent stays, and so do the rest.
struct NotaRec {
    std::uint32_t Pedido = 0;
    std::uint16_t Linha = 0;
};
NameVariable CaminhoNotas;
const TableDesc& LinhasRestritas();
const TableDesc& Notas() {
    static const TableDesc d = TableBuilder<NotaRec>("Notas", "NOT")
                                   .file(CaminhoNotas)
                                   .field("Pedido", &NotaRec::Pedido)
                                   .field("Linha", &NotaRec::Linha)
                                   .key("KEY:LINHA", "Linha", {"Pedido", "Linha"}, kDuplicates | kNoCase)
                                   .build();
    return d;
}
const TableDesc& PedidosComNotas() {
    static const TableDesc d = TableBuilder<PedidoRec>("PedidosN", "PEDN")
                                   .file(CaminhoPedidos)
                                   .field("Codigo", &PedidoRec::Codigo)
                                   .field("Cliente", &PedidoRec::Cliente)
                                   .key("KEY:CODIGO", "Código do pedido", {"Codigo"}, kPrimary | kNoCase, 1)
                                   .child(LinhasRestritas, "LINR:KEY:PEDIDOLINHA", kCascade, kCascade, {{"Codigo", "Pedido"}})
                                   .build();
    return d;
}
const TableDesc& LinhasRestritas() {
    static const TableDesc d = TableBuilder<LinhaRec>("LinhasR", "LINR")
                                   .file(CaminhoLinhas)
                                   .field("Pedido", &LinhaRec::Pedido)
                                   .field("Linha", &LinhaRec::Linha)
                                   .field("Produto", &LinhaRec::Produto)
                                   .key("KEY:PEDIDOLINHA", "Pedido + Linha", {"Pedido", "Linha"}, kPrimary | kNoCase, 2)
                                   .child(Notas, "NOT:KEY:LINHA", kCascade, kRestrict, {{"Pedido", "Pedido"}, {"Linha", "Linha"}})
                                   .build();
    return d;
}

TEST_F(FrameworkTest, CascadeWhoseChildCannotBeDeletedKeepsTheParent) {
    CaminhoNotas.set(path("Notas.Tps"));
    FileManager ped(PedidosComNotas()), lin(LinhasRestritas()), nota(Notas());
    ASSERT_EQ(ped.open(), kNoError);
    ASSERT_EQ(lin.open(), kNoError);
    ASSERT_EQ(nota.open(), kNoError);
    ped.clear_record();
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.add(), kNoError);
    for (std::uint16_t l : {1, 2, 3}) {
        lin.clear_record();
        lin.rec<LinhaRec>().Pedido = 1;
        lin.rec<LinhaRec>().Linha = l;
        ASSERT_EQ(lin.add(), kNoError);
    }
    nota.rec<NotaRec>().Pedido = 1;
    nota.rec<NotaRec>().Linha = 3;  // the last line has a note: it cannot go
    ASSERT_EQ(nota.add(), kNoError);
    ped.rec<PedidoRec>().Codigo = 1;
    ASSERT_EQ(ped.get(data::KeyName{"PEDN:KEY:CODIGO"}), kNoError);
    RelationManager rm(ped);
    EXPECT_EQ(rm.delete_record(), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].text,
              text::from_utf8("Este registro não pode ser excluído: existem registros relacionados no arquivo ") +
                  path("Notas.Tps") + ".");
    EXPECT_EQ(ped.records(), 1);
    EXPECT_EQ(lin.records(), 3);  // lines 1 and 2 were deleted inside the transaction, then restored
    EXPECT_EQ(nota.records(), 1);
}

TEST_F(FrameworkTest, NewThreadFindsTablesSetUpButClosedAndItsEndClosesThem) {
    std::thread t([&] {
        dictionary::init(std::vector<DescFn>{Itens, Itens0});
        EXPECT_FALSE(dictionary::file(Itens()).is_open());
        EXPECT_EQ(dictionary::file(Itens0()).open(), kNoError);
        EXPECT_EQ(dictionary::file(Itens()).open(), kNoError);
        EXPECT_NE(&dictionary::file(Itens()), &dictionary::file(Itens0()));
        // The thread ends without closing: its dictionary closes them.
    });
    t.join();
    EXPECT_FALSE(dictionary::ready());
    EXPECT_THROW(dictionary::file(Itens()), std::logic_error);
}

}  // namespace
}  // namespace vorel::data::testing
