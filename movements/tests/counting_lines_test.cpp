// The counting lines of an invoice: what recording a line does to the item, the lines shared by
// the items of one invoice and kind, their writes on insert, change and delete, and the question.
#include "movement_fixture.h"

#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/movements/counting_lines.h"

namespace vorel::movements::testing {
namespace {

using dictionary::EntradaVorelRec;
using dictionary::QuantidadeVorelRec;
using dictionary::SaidaVorelRec;
using ui::Request;

const NotaFiscal kNota{date::make(2016, 3, 10), 123, "1", "11222333000181"};

struct CountingLinesTest : MovementFixture {
    // Runs `f` on a procedure thread with QuantidadeVorel and the item tables open.
    void OnThread(const std::function<void()>& f) {
        int t = rt->Start("Contagem", [&](ui::ProcContext&) {
            auto& q = data::dictionary::file(dictionary::QuantidadeVorel());
            auto& e = data::dictionary::file(dictionary::EntradaVorel());
            auto& s = data::dictionary::file(dictionary::SaidaVorel());
            ASSERT_TRUE(q.open().ok() && e.open().ok() && s.open().ok());
            f();
            (void)q.close();
            (void)e.close();
            (void)s.close();
        });
        WaitFinished(t);
    }
    // An entry item of the invoice, written with its lines in one transaction.
    static void InsertEntry(CountingLines& c, const NotaFiscal& n, int produto) {
        auto& e = data::dictionary::file(dictionary::EntradaVorel());
        data::Transaction tx({&e, &data::dictionary::file(dictionary::QuantidadeVorel())});
        ASSERT_TRUE(tx.status().ok());
        e.clear_record();
        auto& r = e.rec<EntradaVorelRec>();
        r.DataEmissao = n.data;
        r.Numero = n.numero;
        r.Serie = n.serie;
        r.Cnpj = n.cnpj;
        r.CodMercadoria = Decimal(produto);
        ASSERT_TRUE(e.add().ok());
        ASSERT_TRUE(c.Write(Request::Insert, n).ok());
        ASSERT_TRUE(tx.commit().ok());
    }
    // Every stored line as "kind number unit x packages".
    std::vector<std::string> Stored() {
        return Read<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), dictionary::keys::QUA_KEY_DATANUMSERIEUNIT,
            [](const QuantidadeVorelRec& r) {
                return std::string(r.Procedencia.clipped()) + " " + std::to_string(r.Numero) + " " +
                       std::to_string(r.Unitario) + "x" + std::to_string(r.Quantidade);
            });
    }
};

TEST_F(CountingLinesTest, RecordingALineChangesTheQuantityAndTheBase) {
    CountingLines saida(Procedencia::Saida);
    struct Step {
        LinhaContagem linha;
        int quantidade;  // the item's quantity afterwards
        std::size_t lines;
    } steps[] = {
        {{12, 5}, 60, 1}, {{6, 2}, 72, 2}, {{12, 4}, 60, 2}, {{12, 0}, 12, 1},
        {{9, 0}, 12, 1},  // a new unit count with no packages is no line
        {{0, 3}, 12, 1},  // unit count 0 ends the list
    };
    Decimal quantidade;
    for (const Step& s : steps) {
        quantidade = quantidade + saida.Record(s.linha).quantidade;
        EXPECT_EQ(quantidade, Decimal(s.quantidade)) << s.linha.unitario << "x" << s.linha.quantidade;
        EXPECT_EQ(saida.lines().size(), s.lines);
    }

    CountingLines entrada(Procedencia::Entrada);
    Variacao v = entrada.Record({10, 1, Decimal::from_string("10.00"), Decimal::from_string("1.5")});
    EXPECT_EQ(v.base, Decimal(15));
    v = entrada.Record({10, 1, Decimal::from_string("20.00"), Decimal::from_string("1.2")});
    EXPECT_EQ(v.base, Decimal(9));
    EXPECT_EQ(v.quantidade, Decimal(0));
    EXPECT_EQ(saida.Record({10, 1, Decimal(20), Decimal(2)}).base, Decimal(0)) << "exits carry no base";
}

TEST_F(CountingLinesTest, TheItemsOfOneInvoiceAndKindShareTheirLines) {
    OnThread([&] {
        CountingLines primeiro(Procedencia::Entrada);
        (void)primeiro.Record({12, 5});
        InsertEntry(primeiro, kNota, 1);
        CountingLines segundo(Procedencia::Entrada);
        (void)segundo.Record({6, 2});
        (void)segundo.Record({12, 9});  // the invoice has a 12-unit line already: kept as it is
        InsertEntry(segundo, kNota, 2);

        CountingLines aberto(Procedencia::Entrada);
        ASSERT_TRUE(aberto.Load(kNota).ok());
        EXPECT_EQ(aberto.lines().size(), 2u);
        EXPECT_EQ(aberto.Counted(Request::Change, kNota), Decimal(72));

        // An exit of the same date, number, series and CNPJ has lines of its own.
        CountingLines saida(Procedencia::Saida);
        ASSERT_TRUE(saida.Load(kNota).ok());
        EXPECT_TRUE(saida.empty());
    });
    EXPECT_EQ(Stored(), (std::vector<std::string>{"E 123 6x2", "E 123 12x5"}));
}

TEST_F(CountingLinesTest, TheLinesStayWhileAnItemOfTheInvoiceRemains) {
    OnThread([&] {
        CountingLines c(Procedencia::Entrada);
        (void)c.Record({12, 5});
        InsertEntry(c, kNota, 1);
        InsertEntry(c, kNota, 2);
        auto& e = data::dictionary::file(dictionary::EntradaVorel());
        auto& q = data::dictionary::file(dictionary::QuantidadeVorel());
        for (int restam : {1, 0}) {
            SCOPED_TRACE(restam);
            CountingLines d(Procedencia::Entrada);
            ASSERT_TRUE(d.Load(kNota).ok());
            data::Transaction tx({&e, &q});
            e.clear_record();
            ASSERT_TRUE(e.set(dictionary::keys::ENT_KEY_DATA).ok());
            ASSERT_TRUE(e.next().ok());
            ASSERT_TRUE(e.remove().ok());
            ASSERT_TRUE(d.Write(Request::Delete, kNota).ok());
            ASSERT_TRUE(tx.commit().ok());
            CountingLines depois(Procedencia::Entrada);
            ASSERT_TRUE(depois.Load(kNota).ok());
            EXPECT_EQ(depois.lines().size(), restam ? 1u : 0u);
        }
    });
    EXPECT_TRUE(Stored().empty());
}

TEST_F(CountingLinesTest, AnItemMovedToAnotherInvoiceTakesTheLinesOnlyWhenItWasTheLastThere) {
    for (bool outroItem : {false, true}) {
        SCOPED_TRACE(outroItem);
        const std::uint32_t numero = outroItem ? 223 : 123;  // an invoice of its own per case
        const NotaFiscal velha{kNota.data, numero, kNota.serie, kNota.cnpj};
        const NotaFiscal nova{kNota.data, numero + 1, kNota.serie, kNota.cnpj};
        OnThread([&] {
            CountingLines c(Procedencia::Entrada);
            (void)c.Record({12, 5});
            (void)c.Record({6, 2});
            InsertEntry(c, velha, 1);
            if (outroItem) InsertEntry(c, velha, 2);

            // Item 1 opened, its 6-unit line dropped, moved to the next number.
            CountingLines d(Procedencia::Entrada);
            ASSERT_TRUE(d.Load(velha).ok());
            (void)d.Record({6, 0});
            EXPECT_EQ(d.Counted(Request::Change, nova), Decimal(60));
            auto& e = data::dictionary::file(dictionary::EntradaVorel());
            data::Transaction tx({&e, &data::dictionary::file(dictionary::QuantidadeVorel())});
            e.clear_record();
            e.rec<EntradaVorelRec>().CodMercadoria = Decimal(1);
            ASSERT_TRUE(e.set_at(dictionary::keys::ENT_KEY_PRODUTODATA).ok());
            ASSERT_TRUE(e.next().ok());
            e.rec<EntradaVorelRec>().Numero = numero + 1;
            ASSERT_TRUE(e.put().ok());
            ASSERT_TRUE(d.Write(Request::Change, nova).ok());
            ASSERT_TRUE(tx.commit().ok());
            EXPECT_EQ(d.lines().size(), 1u);
        });
    }
    // Alone on 123, the item took the lines to 124; beside another item on 223, it left them there.
    EXPECT_EQ(Stored(), (std::vector<std::string>{"E 124 12x5", "E 223 6x2", "E 223 12x5", "E 224 12x5"}));
}

TEST_F(CountingLinesTest, ADifferentCountedQuantityIsQuestioned) {
    struct Case {
        Procedencia kind;
        Request request;
        const char* answer;  // "" when nothing is asked
        const char* first;
    } cases[] = {
        {Procedencia::Entrada, Request::Insert, "&Não", "Atenção!!! Quantidade de produtos informada é diferente"},
        {Procedencia::Entrada, Request::Change, "&Sim", "Atenção!!! Quantidade de produtos informadar é diferente"},
        {Procedencia::Saida, Request::Insert, "&Sim", "Atenção!!! Quantidade de produtos informadar é diferente"},
        {Procedencia::Saida, Request::Delete, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        Confirmacao got;
        int t = rt->Start("Pergunta", [&](ui::ProcContext&) {
            auto& q = data::dictionary::file(dictionary::QuantidadeVorel());
            ASSERT_TRUE(q.open().ok());
            CountingLines linhas(c.kind);
            (void)linhas.Record({12, 5});
            (void)linhas.Record({6, 2});
            EXPECT_TRUE(linhas.Confirm(c.request, kNota, Decimal(72)).continua) << "equal: nothing asked";
            got = linhas.Confirm(c.request, kNota, Decimal(70));
            (void)q.close();
        });
        if (*c.answer) {
            ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the question");
            const auto& box = ui->PendingMessageBox();
            EXPECT_EQ(box.title, "Atenção!!!");
            EXPECT_EQ(box.icon, ui::Icon::Information);
            EXPECT_EQ(box.text.rfind(c.first, 0), 0u) << box.text;
            EXPECT_NE(box.text.find("!!! A quantidade calculada é 72 deseja continuar???"), std::string::npos);
            ui->Answer(c.answer);
        }
        WaitFinished(t);
        EXPECT_EQ(got.continua, std::string(c.answer) != "&Não");
        if (!got.continua) {
            EXPECT_EQ(got.contada, Decimal(72));
        }
    }
}

}  // namespace
}  // namespace vorel::movements::testing
