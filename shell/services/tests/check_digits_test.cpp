// Check digits of CPF, CNPJ and PIS: the worked examples and a table of right and wrong numbers.
#include <gtest/gtest.h>

#include "vorel/shell/check_digits.h"

namespace vorel::shell {
namespace {

struct Caso {
    const char* numero;
    bool correto;
    const char* provavel;
};

TEST(CheckDigits, Cpf) {
    const Caso casos[] = {
        {"11144477735", true, "35"},
        {"11144477736", false, "35"},   // last digit wrong
        {"11144477725", false, "35"},   // first check digit wrong
        {"52998224725", true, "25"},
        {"52998224752", false, "25"},   // check digits swapped
        {"00000000000", true, "00"},    // all zeros pass
        {"", true, "00"},               // empty reads as 0
        {"1144477735", false, "27"},    // ten digits: read as 01144477735
        {"111444777350", false, "35"},  // twelve digits never pass
        {"111.444.777-35", true, "00"}, // masks are the callers' to strip: reads as 0
        {"  11144477735  ", true, "35"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.numero);
        DigitosVerificados v = VerificaCPF(c.numero);
        EXPECT_EQ(v.correto, c.correto);
        EXPECT_EQ(v.provavel, c.provavel);
    }
    EXPECT_EQ(MensagemDigitoIncorreto(VerificaCPF("11144477736")), "Digito incorreto, o digito provavel é 35");
}

TEST(CheckDigits, Cnpj) {
    const Caso casos[] = {
        {"11222333000181", true, "81"},
        {"11222333000182", false, "81"},
        {"11222333000191", false, "81"},
        {"12345678000195", true, "95"},
        {"12345678000159", false, "95"},
        {"00000000000000", true, "00"},
        {"", true, "00"},
        {"1222333000181", false, "28"},   // thirteen digits: read as 01222333000181
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.numero);
        DigitosVerificados v = VerificaCGC(c.numero);
        EXPECT_EQ(v.correto, c.correto);
        EXPECT_EQ(v.provavel, c.provavel);
    }
    EXPECT_EQ(MensagemDigitoIncorreto(VerificaCGC("11222333000182")), "Digito incorreto, o digito provavel é 81");
}

TEST(CheckDigits, Pis) {
    const Caso casos[] = {
        {"12054371540", true, "0"},
        {"12054371541", false, "0"},
        {"10027458946", false, "3"},
        {"10027458943", true, "3"},
        {"00000000000", true, "0"},    // 0: no check
        {"", true, "0"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.numero);
        DigitosVerificados v = VerificaPIS(c.numero);
        EXPECT_EQ(v.correto, c.correto);
        EXPECT_EQ(v.provavel, c.provavel);
    }
    EXPECT_EQ(MensagemDigitoIncorreto(VerificaPIS("12054371541")), "Digito incorreto, o digito provavel é 0");
}

}  // namespace
}  // namespace vorel::shell
