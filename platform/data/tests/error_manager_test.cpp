#include <gtest/gtest.h>

#include <thread>

#include "vorel/core/text.h"
#include "vorel/data/error_manager.h"

namespace vorel::data {
namespace {

class ErrorManagerTest : public ::testing::Test {
protected:
    void SetUp() override { ErrorManager::current().set_asker(&asker); }
    void TearDown() override { ErrorManager::current().set_asker(nullptr); }
    ScriptedAsker asker;
};

TEST_F(ErrorManagerTest, TableHasTheNumberedMessagesAsWorded) {
    EXPECT_EQ(message_table().size(), 53u);
    for (int id = 1; id <= 53; ++id) EXPECT_NE(find_message(id), nullptr) << id;
    EXPECT_EQ(find_message(54), nullptr);
    EXPECT_EQ(find_message(15)->text, "Chave duplicada: %Message");
    EXPECT_EQ(find_message(35)->level, kUser);
    EXPECT_EQ(find_message(35)->title, "Erro de Incremento de automatico");
    EXPECT_EQ(find_message(35)->text,
              "Tentativas para numerar este registro automaticamente falharam.|Arquivo: %File|Chave: %Key|Erro: "
              "%ErrorText.|Tente Novamente?");
    for (int id : {17, 18, 19}) EXPECT_EQ(find_message(id)->level, kNotify);
}

TEST_F(ErrorManagerTest, TokensAreFilledLongestFirst) {
    ErrorManager& em = ErrorManager::current();
    set_error(kOsError, "C:\\Vorel\\Entradas.Tps", "Disco cheio", 28);
    em.push_procedure("CalculoMensal");
    em.set_field_text("Campo");
    std::string s = em.substitute("%File|%FileErrorCode|%FileError|%ErrorCode|%ErrorText|%Error|%Procedure|%Field|%X");
    EXPECT_EQ(s, "C:\\Vorel\\Entradas.Tps|28|Disco cheio|90|Disco cheio (90)|" + std::string(error_text(kOsError)) +
                     "|CalculoMensal|Campo|%X");
    em.pop_procedure();
}

TEST_F(ErrorManagerTest, LevelsDecideWhatRaisingDoes) {
    ErrorManager& em = ErrorManager::current();
    set_error(kDuplicateKey, "Itens.Tps");
    em.set_key("Código");
    asker.answer(kButtonNo);
    EXPECT_EQ(em.raise(kMsgAutoNumberFailed), kCancel);  // level 1: Yes/No, No cancels
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].buttons, kButtonYes | kButtonNo);
    EXPECT_NE(asker.asked[0].text.find("Arquivo: Itens.Tps|Chave: Código|Erro: "), std::string::npos);
    asker.answer(kButtonYes);
    EXPECT_EQ(em.raise(kMsgAutoNumberFailed), kBenign);
    EXPECT_EQ(em.raise_with_message(kMsgDuplicateKey, "Nome"), kNotify);
    EXPECT_EQ(asker.asked.back().text, "Chave duplicada: Nome");
    EXPECT_EQ(em.previous(), "Chave duplicada: Nome");
    // A fatal message ends the program after its box.
    EXPECT_THROW(em.raise(1), ProgramHalted);
    EXPECT_EQ(asker.asked.back().text.substr(asker.asked.back().text.size() - 34), "  Press OK to end this application");
    EXPECT_EQ(asker.halts.size(), 1u);
}

TEST_F(ErrorManagerTest, EachThreadHasItsOwnState) {
    ErrorManager::current().push_procedure("Principal");
    ErrorManager::current().set_field_text("campo daqui");
    std::string other_procedure = "?";
    std::thread t([&] { other_procedure = std::string(ErrorManager::current().procedure()); });
    t.join();
    EXPECT_EQ(other_procedure, "");
    EXPECT_EQ(ErrorManager::current().procedure(), "Principal");
    ErrorManager::current().pop_procedure();
    ErrorManager::current().set_field_text({});
}


// A question nobody answers (no asker, or the program closing with the box open) gets the answer
// that changes nothing, whatever its default button.
TEST(SafeAnswer, IsTheButtonThatChangesNothing) {
    struct Case {
        unsigned buttons, default_button, safe;
    } cases[] = {
        {kButtonYes | kButtonNo, kButtonYes, kButtonNo},
        {kButtonYes | kButtonNo | kButtonCancel, kButtonYes, kButtonNo},
        {kButtonOk | kButtonCancel, kButtonOk, kButtonCancel},
        {kButtonRetry | kButtonCancel, kButtonRetry, kButtonCancel},
        {kButtonAbort | kButtonRetry | kButtonIgnore, kButtonRetry, kButtonAbort},
        {kButtonOk, kButtonOk, kButtonOk},
    };
    for (const Case& c : cases) {
        AskRequest r;
        r.buttons = c.buttons;
        r.default_button = c.default_button;
        EXPECT_EQ(safe_answer(r), c.safe) << "buttons " << c.buttons;
    }
}

TEST(SafeAnswer, QuestionsWithoutAnAskerAreAnsweredNo) {
    ASSERT_EQ(default_asker(), nullptr);
    ErrorManager& em = ErrorManager::current();
    EXPECT_EQ(em.raise(21), kCancel) << "\"Confirma a exclusão\" unanswered must not delete";
    EXPECT_EQ(em.raise(kMsgAutoNumberFailed), kCancel) << "no retry unasked";
    EXPECT_EQ(em.raise(4), kCancel) << "no key rebuild unasked";
}

}  // namespace
}  // namespace vorel::data
