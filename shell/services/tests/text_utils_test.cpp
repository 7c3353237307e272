// SubstituiTexto and LimpaTexto.
#include <gtest/gtest.h>

#include "vorel/core/text.h"
#include "vorel/shell/text_utils.h"

namespace vorel::shell {
namespace {

TEST(TextUtils, SubstituiTexto) {
    struct Caso {
        const char* texto;
        const char* busca;
        const char* troca;
        const char* esperado;
    } casos[] = {
        {"a-b-c", "-", "", "abc"},
        {"a-b-c", "b", "xy", "a-xy-c"},
        {"aaa", "a", "aa", "aaaaaa"},        // the inserted text is not searched again
        {"a-b-c", "- ", "", "a"},            // an occurrence takes the search text's length as passed
        {"a--b", "-", " ", "a-b"},           // one blank deletes and skips the next character
        {"abc", "", "x", "abc"},             // an empty search changes nothing
        {"abc", "   ", "x", "abc"},
        {"", "-", "", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.texto) + " / " + c.busca + " / " + c.troca);
        std::string r = SubstituiTexto(c.texto, c.busca, c.troca);
        EXPECT_EQ(r.size(), kTamanhoSubstituiTexto);
        EXPECT_EQ(std::string(text::clip(r)), c.esperado);
    }
    // A text longer than the buffer is cut to it.
    EXPECT_EQ(SubstituiTexto(std::string(2500, 'x'), "y", "").size(), kTamanhoSubstituiTexto);
    // A replacement that grows the text past the buffer ends.
    EXPECT_EQ(SubstituiTexto(std::string(1500, 'a'), "a", "bb").size(), kTamanhoSubstituiTexto);
}

TEST(TextUtils, LimpaTexto) {
    EXPECT_EQ(LimpaTexto("12.345.678/0001-95"), "12345678000195    ");
    EXPECT_EQ(LimpaTexto("111.444.777-35"), "11144477735   ");
    EXPECT_EQ(LimpaTexto("01310-100"), "01310100 ");
    EXPECT_EQ(LimpaTexto("31/12/2016"), "31122016  ");
    EXPECT_EQ(LimpaTexto("abc"), "abc");
    EXPECT_EQ(LimpaTexto(""), "");
}

}  // namespace
}  // namespace vorel::shell
