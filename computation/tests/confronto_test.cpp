// The confrontation: the walk of one exit over a list of entries (a table of cases), the summary
// by CFOP, and the read of a work table with entries of two years, the counterpart and the CFOP
// 2411 rows.
#include <gtest/gtest.h>

#include "calculo_fixture.h"
#include "vorel/computation/confronto.h"

namespace vorel::computation::testing {
namespace {

// Entries newest first, handed out one by one; counts how many were asked for.
struct Lista {
    std::vector<EntradaConfronto> entradas;
    std::size_t lidas = 0;
    std::function<bool(EntradaConfronto&)> Fonte() {
        return [this](EntradaConfronto& e) {
            if (lidas >= entradas.size()) return false;
            e = entradas[lidas++];
            return true;
        };
    }
};

EntradaConfronto E(date::Day data, int cfo, const char* qtd, const char* propria, std::uint32_t numero = 1) {
    return {data, cfo, D(qtd), D(propria), numero};
}

// The entry number without the blanks that right-align it.
std::string Numero(const std::string& n) { return std::string(text::clip(n.substr(std::min(n.find_first_not_of(' '), n.size())))); }

std::string Texto(const std::vector<TomadaConfronto>& v) {
    std::string s;
    for (const auto& t : v)
        s += std::string(t.continuacao ? "+" : "") + t.QTDE.value().to_string() + "/" + t.BASEICMSPROPRIA.value().to_string() +
             "/" + t.ALICOTA.value().to_string() + "/" + t.VLRICMS.value().to_string() + "/" + std::to_string(t.cfoEntrada) +
             "/" + Numero(t.NUMERONFENTRADA) + ";";
    return s;
}

TEST(ConfrontaSaida, TakesTheLatestEntriesUntilTheExitIsCovered) {
    const date::Day dia = Dia(2016, 3, 10);
    struct Caso {
        const char* nome;
        const char* quantidade;
        const char* aliquota;
        std::vector<EntradaConfronto> entradas;
        std::string linhas;
    };
    const std::vector<Caso> casos = {
        {"10 against 4 (latest) and 8", "10", "12",
         {E(dia, 2403, "4", "40", 7), E(dia - 5, 1403, "8", "80", 6), E(dia - 9, 1403, "50", "50")},
         "4/40/12/4.8/2403/7;+6/60/12/7.2/0/6;"},
        {"covered by the latest", "3", "12", {E(dia, 1409, "3", "30"), E(dia - 1, 1403, "9", "9")}, "3/30/12/3.6/0/1;"},
        {"three entries: the third takes what the first two left", "10", "12",
         {E(dia, 1403, "4", "40", 3), E(dia - 1, 1403, "3", "30", 2), E(dia - 2, 1403, "8", "80", 1)},
         "4/40/12/4.8/0/3;+3/30/12/3.6/0/2;+3/30/12/3.6/0/1;"},
        {"quantity 0", "0", "12", {E(dia, 1403, "3", "30")}, ""},
        {"negative quantity", "-2", "12", {E(dia, 1403, "3", "30")}, ""},
        {"other CFOPs only", "2", "12", {E(dia, 1102, "3", "30"), E(dia, 2102, "3", "30")}, ""},
        {"the day after does not count, the same day does", "1", "12", {E(dia + 1, 1403, "1", "99"), E(dia, 1403, "1", "5")},
         "1/5/12/0.6/0/1;"},
        {"18 % interstate: the 0.6666 factor", "1", "18", {E(dia, 2409, "1", "1000")}, "1/666.6/18/119.99/2409/1;"},
        {"cut before and after multiplying", "3", "12", {E(dia, 1403, "3", "10")}, "3/9.99/12/1.2/0/1;"},
        {"unit cut before multiplying", "4", "12", {E(dia, 1403, "6", "20")}, "4/13.32/12/1.6/0/1;"},
        {"a broken quantity: the ICMS of the cut base", "1.25", "12", {E(dia, 1403, "2", "25")}, "1.25/15.62/12/1.87/0/1;"},
        {"an opening balance prints Estoque; no own base: rate 0", "2", "12", {E(dia, 1403, "5", "0", 0)},
         "2/0/0/0/0/Estoque;"},
    };
    for (const Caso& c : casos) {
        Lista l{c.entradas};
        EXPECT_EQ(Texto(ConfrontaSaida(D(c.quantidade), dia, D(c.aliquota), l.Fonte())), c.linhas) << c.nome;
    }
    Lista l{{E(dia, 1403, "5", "5"), E(dia, 1403, "5", "5")}};
    (void)ConfrontaSaida(D("5"), dia, D("12"), l.Fonte());
    EXPECT_EQ(l.lidas, 1u) << "an exit covered asks for no more entries";
}

TEST(ResumoCFO, SummedByKeyWith2411Subtracted) {
    ResumoCFO r;
    EXPECT_TRUE(r.TOTABASE().value().is_zero());
    r.Acumula(2403, 6102, D("12"), D("100"), D("12"));
    r.Acumula(0, 6102, D("12"), D("10"), D("1.2"));
    r.Acumula(2403, 6102, D("12"), D("50"), D("6"));
    r.Acumula(2411, 0, D("12"), D("30"), D("3.6"));
    std::vector<std::string> itens;
    for (const auto& i : r.Itens())
        itens.push_back(std::to_string(i.cfoEntrada) + " " + std::to_string(i.cfoSaida) + " " + i.base.value().to_string());
    EXPECT_EQ(itens, (std::vector<std::string>{"0 6102 10", "2403 6102 150", "2411 0 30"}));
    EXPECT_EQ(r.TOTABASE().value(), D("130"));
    EXPECT_EQ(r.TOTALICMS().value(), D("15.6"));
}

class ConfrontoTest : public CalculoFixture {
protected:
    std::string arquivo;
    void SetUp() override {
        CalculoFixture::SetUp();
        arquivo = root + "Temp\\confronto.tps";
    }
    void Linha(int produto, date::Day data, const char* numero, int cfo, const char* qtd, const char* cnpj = "",
               int entsai = 2, const char* demHip = "0", const char* aliquota = "", int complemento = 0) {
        Grava<dictionary::EntradaSaidaVorelRec>(dictionary::EntradaSaidaVorel(), [&](auto& r) {
            r.CODMERCADORIA = produto;
            r.DATA = data;
            r.NUMERO = numero;
            r.SERIE = "1";
            r.CFO = static_cast<std::uint16_t>(cfo);
            r.COMPLEMENTO = static_cast<std::uint8_t>(complemento);
            r.ALIQUOTA = aliquota;
            r.QUANTIDADE = D(qtd);
            r.SAIOUTORUF = D("77");
            r.CNPJFORPROD = cnpj;
            r.ENTSAI = static_cast<std::uint8_t>(entsai);
            r.CONFENTRADASDEMHIP = D(demHip);
        }, arquivo);
    }
    Confronto Monta(AvisosDeTeste& avisos, std::string_view filtro = "") {
        Confronto c;
        std::thread([&] {
            dictionary::InitDictionary();
            EXPECT_EQ(MontaConfronto(shell::PeriodoDeTrabalho(), arquivo, filtro, c, avisos), "");
            dictionary::TeardownDictionary();
        }).join();
        return c;
    }
};

TEST_F(ConfrontoTest, ExitsAgainstEntriesOfTwoYears) {
    Cfo(6102, 5);
    Cfo(1403, 1);
    Cfo(2411, 7);
    Produto(1, "12");
    Produto(2, "12");
    Fornecedor(5, "12345678000195", "Loja Azul");
    Entrada({.produto = 1, .data = Dia(2016, 3, 10), .numero = 40, .cfo = 2403, .qtd = "4", .propria = "40"});
    Entrada({.produto = 1, .data = Dia(2015, 12, 1), .numero = 30, .cfo = 1403, .qtd = "8", .propria = "80"},
            ArquivoAno(2015, false));
    Linha(1, Dia(2016, 3, 10), "100", 6102, "10", "12345678000195");
    // A code not registered: blank counterpart; a rate field other than "F": blank cells.
    Linha(1, Dia(2016, 3, 11), "101", 6102, "1", "00009", 2, "0", "T");
    Linha(2, Dia(2016, 3, 12), "102", 6949, "1", "", 2, "0", "", 3);  // CFOP missing from the register: blank cells
    Linha(2, Dia(2016, 3, 13), "103", 2411, "1", "", 1, "50");
    Entrada({.produto = 2, .data = Dia(2016, 3, 1), .numero = 41, .cfo = 1403, .qtd = "2", .propria = "20"});

    AvisosDeTeste avisos;
    const Confronto c = Monta(avisos);
    ASSERT_EQ(avisos.mensagens.size(), 1u);
    EXPECT_EQ(avisos.mensagens[0].first, "Alerta!");
    EXPECT_NE(avisos.mensagens[0].second.find("CFO 6949 - 3 ou ele não existe"), std::string::npos);

    std::vector<std::string> got;
    for (const LinhaConfronto& l : c.linhas)
        got.push_back((l.continuacao ? "+ " : "") + l.CNPJ_FORNECEDOR + "|" + l.NOME + "|" + l.SAINUMERO + "|" + l.SAISERIE + "|" +
                      l.SAIQUANTIDADE.to_string() + "|" + l.SAIOUTORUF.to_string() + "|" + l.ALIQ.to_string() + "|" +
                      Numero(l.entrada.NUMERONFENTRADA) + " " + l.entrada.QTDE.value().to_string() + " " +
                      l.entrada.BASEICMSPROPRIA.value().to_string());
    const std::vector<std::string> want = {
        "12.345.678/0001-95|Loja Azul|100|1|10|77|12|40 4 40",
        "+ ||||0|0|0|30 6 60",
        "||||0|0|12|40 1 10",
        "||||0|0|12|41 1 10",
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(c.resumo.TOTABASE().value(), D("70"));   // 40 + 60 + 10 + 10 - 50
    EXPECT_EQ(c.resumo.TOTALICMS().value(), D("8.4"));
}

// Only exits coded 6000 to 6999 print, at the product's rate on the month's first day (a rate
// starting later in the month is not the month's); a CFOP 2411 row's ICMS is its base x rate
// rounded to the cent, and it is subtracted from the totals.
TEST_F(ConfrontoTest, InterstateExitsAtTheRateOfTheMonthsFirstDay) {
    for (int cfo : {5949, 6000, 6999, 7949}) Cfo(cfo, 5);
    Cfo(2411, 7);
    Produto(1, "18");
    Grava<dictionary::ProdutosAliqRec>(dictionary::ProdutosAliq(), [](auto& r) {
        r.CODIGO = 1;
        r.CODIGO_PRODUTO = 1;
        r.ALIQUOTA = D("25");
        r.DATA_INICIAL = Dia(2016, 3, 5);
    });
    Entrada({.produto = 1, .data = Dia(2016, 3, 2), .numero = 40, .cfo = 1403, .qtd = "10", .propria = "100"});
    const int cfos[] = {5949, 6000, 6999, 7949};
    for (int i = 0; i < 4; ++i) Linha(1, Dia(2016, 3, 10), std::to_string(201 + i).c_str(), cfos[i], "1");
    Linha(1, Dia(2016, 3, 11), "205", 2411, "1", "", 1, "50.03");

    AvisosDeTeste avisos;
    const Confronto c = Monta(avisos);
    std::vector<std::string> got;
    for (const LinhaConfronto& l : c.linhas)
        got.push_back(std::to_string(l.CFO) + " " + l.ALIQ.to_string() + " " + l.entrada.BASEICMSPROPRIA.value().to_string() +
                      " " + l.entrada.VLRICMS.value().to_string());
    EXPECT_EQ(got, (std::vector<std::string>{"6000 18 10 1.8", "6999 18 10 1.8"}));
    EXPECT_EQ(c.resumo.TOTABASE().value(), D("-30.03"));  // 10 + 10 - 50.03
    EXPECT_EQ(c.resumo.TOTALICMS().value(), D("-5.41"));  // 1.80 + 1.80 - 9.01 (50.03 x 18 % = 9.0054)
}

// With a CNPJ filter only the products with an entry of that CNPJ in the working year print:
// product 1 bought from it this year, product 2 bought from it only the year before (and from
// another CNPJ this year), product 3 never; each exit's lines come whole or not at all.
TEST_F(ConfrontoTest, CnpjFilterKeepsTheProductsBoughtFromItThisYear) {
    Cfo(6102, 5);
    for (int p = 1; p <= 3; ++p) Produto(p, "12");
    const char* kFiltro = "12345678000195";
    auto entrada = [&](int produto, date::Day data, std::uint32_t numero, const char* cnpj, const std::string& arquivo = {}) {
        Grava<dictionary::EntradaVorelRec>(dictionary::EntradaVorel(), [&](auto& r) {
            r.CodMercadoria = produto;
            r.DataEmissao = data;
            r.Numero = numero;
            r.CFO = 1403;
            r.Quantidade = D("4");
            r.BaseICMSPropria = D("40");
            r.Cnpj = cnpj;
        }, arquivo);
    };
    entrada(1, Dia(2016, 1, 5), 10, kFiltro);
    entrada(1, Dia(2016, 2, 5), 11, "99999999000191");
    entrada(2, Dia(2015, 6, 1), 20, kFiltro, ArquivoAno(2015, false));
    entrada(2, Dia(2016, 2, 1), 21, "99999999000191");
    entrada(3, Dia(2016, 2, 1), 30, "");
    for (int p = 1; p <= 3; ++p) Linha(p, Dia(2016, 3, 10), std::to_string(100 + p).c_str(), 6102, "6");

    auto produtos = [](const Confronto& c) {
        std::vector<std::string> out;
        for (const LinhaConfronto& l : c.linhas)
            out.push_back((l.continuacao ? "+" : "") + Numero(l.entrada.NUMERONFENTRADA));
        return out;
    };
    AvisosDeTeste avisos;
    EXPECT_EQ(produtos(Monta(avisos)), (std::vector<std::string>{"11", "+10", "21", "+20", "30"}));
    const Confronto filtrado = Monta(avisos, kFiltro);
    EXPECT_EQ(produtos(filtrado), (std::vector<std::string>{"11", "+10"}));
    EXPECT_EQ(filtrado.resumo.TOTABASE().value(), D("60"));  // 4 x 10 + 2 x 10
    EXPECT_TRUE(Monta(avisos, "00000000000000").linhas.empty());
}

}  // namespace
}  // namespace vorel::computation::testing
