// The calculator's arithmetic and tape, key by key.
#include <gtest/gtest.h>

#include "vorel/core/text.h"
#include "vorel/shell/calculator.h"

namespace vorel::shell {
namespace {

using Op = std::string (CalculadoraModelo::*)();

// Types the keys of `teclas`: digits and '.', then + - * / = % as operations.
std::string Teclas(CalculadoraModelo& c, std::string_view teclas) {
    std::string erro;
    for (char k : teclas) {
        switch (k) {
            case '+': erro = c.Soma(); break;
            case '-': erro = c.Subtrai(); break;
            case '*': erro = c.Multiplica(); break;
            case '/': erro = c.Divide(); break;
            case '=': erro = c.Total(); break;
            case '%': erro = c.Percentual(); break;
            case ' ': break;
            default: erro = c.Digita(k);
        }
        if (!erro.empty()) return erro;
    }
    return {};
}

// The tape as "text mark" lines, the number without its padding.
std::vector<std::string> Fita(const CalculadoraModelo& c) {
    std::vector<std::string> out;
    for (const auto& l : c.fita()) {
        std::string t(text::trim(l.texto));
        if (t == std::string(30, '-')) t = "---";
        out.push_back(t + " " + l.marca);
    }
    return out;
}

Decimal D(const char* s) { return Decimal::from_string(s); }

TEST(Calculator, AddAndSubtractThenTotal) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "100+25-="), "");
    EXPECT_EQ(c.resultado(), 75);
    EXPECT_EQ(Fita(c), (std::vector<std::string>{"100,00 +", "25,00 -", "--- -", "75,00 T", "  "}));
    // A second total gives 0; the value and the input start over.
    ASSERT_EQ(c.Total(), "");
    EXPECT_EQ(c.resultado(), 0);
    EXPECT_EQ(c.entrada(), "0");
}

TEST(Calculator, MultiplyThenTotal) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "12*3="), "");
    EXPECT_EQ(c.resultado(), 36);
    EXPECT_EQ(Fita(c), (std::vector<std::string>{"12,00 *", "3,00  ", "--- -", "36,00 T", "  "}));
}

TEST(Calculator, PercentageOfAPendingSum) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "200+10%"), "");
    EXPECT_EQ(c.valor(), 220);
    EXPECT_EQ(c.resultado(), 0);
    EXPECT_EQ(c.entrada(), "220");
    EXPECT_EQ(Fita(c), (std::vector<std::string>{"200,00 +", "--- -", "200,00 T", "  ", "200,00 +", "10,00 %",
                                                  "--- -", "220,00 T", "  "}));
    CalculadoraModelo s(2), m(2), n(2);
    ASSERT_EQ(Teclas(s, "200-10%"), "");  // the first "-" subtracts 200 from 0
    EXPECT_EQ(s.valor(), -180);
    ASSERT_EQ(Teclas(m, "200*10%"), "");
    EXPECT_EQ(m.valor(), 20);
    ASSERT_EQ(Teclas(n, "10%"), "");  // nothing pending: the result (0) stays
    EXPECT_EQ(n.valor(), 0);
}

TEST(Calculator, DivisionCutsToTheDecimalPlaces) {
    struct Caso {
        int decimais;
        const char* esperado;
        const char* mostra;
    } casos[] = {{2, "3.33", "3,33"}, {0, "3", "3"}, {5, "3.33333", "3,33333"}, {7, "3", "3"}};
    for (const auto& k : casos) {
        SCOPED_TRACE(k.decimais);
        CalculadoraModelo c(k.decimais);
        ASSERT_EQ(Teclas(c, "10/3="), "");
        EXPECT_EQ(c.resultado(), D(k.esperado));
        EXPECT_EQ(std::string(text::trim(c.Mostra(c.resultado()))), k.mostra);
    }
}

TEST(Calculator, SubtractingAfterAnAdd) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "5+8-="), "");
    EXPECT_EQ(c.resultado(), -3);
    EXPECT_EQ(c.TextoTransporte(), "-3");
}

TEST(Calculator, MultiplyAfterAnAddStartsFromTheTotal) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "5+3*"), "");
    EXPECT_EQ(c.resultado(), 5);
    EXPECT_EQ(c.valor(), 5);
    ASSERT_EQ(Teclas(c, "2="), "");
    EXPECT_EQ(c.resultado(), 10);
}

TEST(Calculator, ClipboardNumberIsTheFirstValue) {
    CalculadoraModelo c(2, "150");
    EXPECT_EQ(c.valor(), 150);
    EXPECT_EQ(c.entrada(), "150");
    ASSERT_EQ(Teclas(c, "7"), "");  // typing has not begun: the first digit replaces it
    EXPECT_EQ(c.valor(), 7);
    EXPECT_EQ(CalculadoraModelo(2, "abc").valor(), 0);
    EXPECT_EQ(CalculadoraModelo(2, "12,5").valor(), D("12.5"));
    EXPECT_EQ(CalculadoraModelo(2, "9999999999999").valor(), 0);  // beyond 12 integer digits
}

TEST(Calculator, DivisionByZeroKeepsTheState) {
    for (const char* teclas : {"10/0=", "10/0%"}) {
        SCOPED_TRACE(teclas);
        CalculadoraModelo c(2);
        ASSERT_EQ(Teclas(c, std::string(teclas).substr(0, 4)), "");
        const auto fita = Fita(c);
        const Decimal resultado = c.resultado(), valor = c.valor();
        EXPECT_EQ(Teclas(c, std::string(1, teclas[4])), "Divisão por zero não é possível");
        EXPECT_EQ(c.resultado(), resultado);
        EXPECT_EQ(c.valor(), valor);
        EXPECT_EQ(c.pendente(), CalculadoraModelo::Operacao::Divide);
        EXPECT_EQ(Fita(c), fita);
        // The user corrects the divisor and goes on.
        c.Cancela();
        ASSERT_EQ(Teclas(c, "4="), "");
        EXPECT_EQ(c.resultado(), D("2.5"));
    }
    CalculadoraModelo p(2);  // a percentage of 0 under a pending division
    ASSERT_EQ(Teclas(p, "0/5"), "");
    EXPECT_NE(p.Percentual(), "");
}

TEST(Calculator, EnteringAndEditingTheValue) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "12.5.7"), "");  // a second point is ignored
    EXPECT_EQ(c.entrada(), "12.57");
    EXPECT_EQ(c.valor(), D("12.57"));
    c.ApagaUltimo();
    EXPECT_EQ(c.valor(), D("12.5"));
    c.Cancela();
    EXPECT_EQ(c.valor(), 0);
    EXPECT_EQ(c.entrada(), "");
    ASSERT_EQ(Teclas(c, "123456789012"), "");
    EXPECT_EQ(Teclas(c, "3"), "Número grande demais para a calculadora");  // a 13th integer digit
    EXPECT_EQ(c.entrada(), "123456789012");
    // Not typing: the arrow clears the proposed value.
    CalculadoraModelo d(2, "45");
    d.ApagaUltimo();
    EXPECT_EQ(d.valor(), 0);
}

TEST(Calculator, Memory) {
    CalculadoraModelo c(2);
    ASSERT_EQ(Teclas(c, "7"), "");
    ASSERT_EQ(c.SomaMemoria(), "");  // result 0: the value goes in
    EXPECT_EQ(c.memoria(), 7);
    ASSERT_EQ(Teclas(c, "+3+"), "");  // result 10
    ASSERT_EQ(c.SubtraiMemoria(), "");
    EXPECT_EQ(c.memoria(), -3);
    c.RecuperaMemoria();
    EXPECT_EQ(c.valor(), -3);
    c.ZeraMemoria();
    EXPECT_EQ(c.memoria(), 0);
}

TEST(Calculator, TapeAndPicture) {
    CalculadoraModelo c(2);
    EXPECT_EQ(c.Picture(), "@n-22`2");
    c.DefineDecimais(0);
    EXPECT_EQ(c.Picture(), "@n-22");
    c.DefineDecimais(3);
    EXPECT_EQ(c.Mostra(D("-1234.5")), std::string(12, ' ') + "-1.234,500");
    c.SobeFita();
    EXPECT_EQ(c.fita().size(), 1u);
    c.LimpaFita();
    EXPECT_TRUE(c.fita().empty());
}

}  // namespace
}  // namespace vorel::shell
