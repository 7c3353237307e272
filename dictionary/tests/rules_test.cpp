// Field rules of the dictionary's tables through the engine's check, answered by a scripted asker.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "vorel/core/text.h"
#include "vorel/data/asker.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/messages.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"

namespace vorel::dictionary {
namespace {

using namespace vorel::data;

class Rules : public testing::Test {
protected:
    void SetUp() override {
        InitDictionary();
        ErrorManager::current().set_asker(&asker);
    }
    void TearDown() override {
        ErrorManager::current().set_asker(nullptr);
        TeardownDictionary();
    }

    // The rule's result for one value of the field, without a message.
    int check(const TableDesc& t, std::string_view field, std::int64_t value) {
        FileManager& fm = data::dictionary::file(t);
        fm.prime_record();
        const int n = t.field_index(field);
        EXPECT_GE(n, 0) << field;
        EXPECT_TRUE(set_field_int(t.fields[n], fm.buffer(), value)) << field << " " << value;
        return fm.test_field_rules(n, data::Messages::Quiet).level();
    }
    int check_text(const TableDesc& t, std::string_view field, std::string_view value) {
        FileManager& fm = data::dictionary::file(t);
        fm.prime_record();
        const int n = t.field_index(field);
        EXPECT_TRUE(set_field_text(t.fields[n], fm.buffer(), value));
        return fm.test_field_rules(n, data::Messages::Quiet).level();
    }
    // The message a failing value shows: title and text.
    AskRequest shown(const TableDesc& t, std::string_view field, std::int64_t value) {
        FileManager& fm = data::dictionary::file(t);
        fm.prime_record();
        const int n = t.field_index(field);
        set_field_int(t.fields[n], fm.buffer(), value);
        asker.asked.clear();
        EXPECT_EQ(fm.test_field_rules(n, data::Messages::Show), kNotify);
        return asker.asked.empty() ? AskRequest{} : asker.asked.back();
    }

    ScriptedAsker asker;
};

struct Case {
    const TableDesc& (*table)();
    const char* field;
    std::vector<std::int64_t> pass, fail;
};

TEST_F(Rules, ValuesInsideAndOutsideEachRule) {
    auto upto = [](std::int64_t a, std::int64_t b) {
        std::vector<std::int64_t> v;
        for (std::int64_t i = a; i <= b; ++i) v.push_back(i);
        return v;
    };
    const Case cases[] = {
        {Empresa, "EMP:MESDATABASE", {1, 12}, {0, 13}},
        {Empresa, "EMP:PARC13OSALARIO", {0, 1, 10, 12}, {2, 3, 4, 5, 6, 7, 8, 9, 11}},
        {Empresa, "EMP:TIPOENTIDADE", upto(0, 10), {11, 50, 98}},
        {Empresa, "EMP:TIPOENTIDADE", {99}, {}},
        {Empresa, "EMP:Ind_Atividade", {0, 4, 9}, {5, 6, 7, 8}},
        {Empresa, "EMP:LOTES", {1, 2}, {0}},
        {Empresa, "EMP:TIPOHIST", {1, 2}, {0}},
        {Empresa, "EMP:TIPOPAGAMENTO", {1, 4}, {0, 5}},
        {Empresa, "EMP:PCMATFILIAISTCONTAS", {0, 1}, {2}},
        {Empresa, "EMP:CLASSESTABIPI", {1, 5, 10, 13}, {0, 6, 9, 14}},
        {Empresa, "EMP:EMPRESAINATIVA", upto(0, 4), {5}},
        {CFO, "CFO:COLUNAVEIC", {1, 2, 3}, {0, 4}},
        {CFO, "CFO:TRIBUTACAO_IPI", upto(0, 6), {7}},
        {CFO, "CFO:TIPOENSINO", upto(0, 2), {3}},
        {CFO, "CFO:ALIQUOTACSOCIAL", {0, 1}, {2}},
        {CFO, "CFO:IMPORTA_GRF", {0, 1}, {2}},
        {CFO, "CFO:ADC50PCTSFSERV", {0, 1}, {2}},
        {ForCli, "FOR:TipoInscricao", {1, 2}, {0, 3}},
        {ForCli, "FOR:SuperSimples", {0, 1}, {2}},
        {ForCli, "FOR:TipoProdutos", upto(0, 3), {4}},
        {ForCli, "FOR:ME", upto(0, 2), {3}},
        {ForCli, "FOR:TipoCtrc", upto(0, 2), {3}},
        {Produtos, "PRO:TipoSpeed", upto(0, 10), {11, 50, 98}},
        {Produtos, "PRO:TipoSpeed", {99}, {}},
        {Produtos, "PRO:TipoReceita", {1, 2, 3}, {0}},
        {Produtos, "PRO:DNF", {0, 1}, {2}},
        {LoteVorel, "LTC:TIPO", {0, 1}, {2}},
        {Senhas, "SEN:Acesso", {0, 1}, {2}},
        {LogEscrita, "LOG1:Tipo", {0, 1}, {2}},
        {Funcionarios, "FUN:QTDHORASSEM", {0, 43, 44}, {45}},
        {Funcionarios, "FUN:RACA", {1, 2, 4, 6, 8, 9}, {0, 3, 5, 7}},
        {Funcionarios, "FUN:ESTADOCIVIL", upto(1, 4), {0, 5}},
        {Funcionarios, "FUN:GRAUINSTRUCAO", upto(1, 9), {0, 10}},
        {Funcionarios, "FUN:PENSAOALCALC", upto(0, 4), {5}},
        {Dependentes, "DEP:TIPO", upto(1, 15), {0, 16}},
        {Dependentes, "DEP:SEXO", {1, 2}, {0, 3}},
        {MovFuncionarios, "MOVFUNC:TIPO", upto(0, 16), {17}},
        {MovFuncionarios, "MOVFUNC:Paga13Salario", {0, 1}, {2}},
    };
    for (const Case& c : cases) {
        const TableDesc& t = c.table();
        for (std::int64_t v : c.pass) EXPECT_EQ(check(t, c.field, v), kBenign) << c.field << " = " << v;
        for (std::int64_t v : c.fail) EXPECT_EQ(check(t, c.field, v), kNotify) << c.field << " = " << v;
    }
    EXPECT_TRUE(asker.asked.empty()) << "no message without the show flag";
}

TEST_F(Rules, MessagesNameTheFieldAndWhatItMayHold) {
    struct {
        const TableDesc& (*table)();
        const char* field;
        std::int64_t value;
        const char* title;
        const char* text;  // UTF-8 here; shown in Windows-1252
    } cases[] = {
        {Empresa, "EMP:MESDATABASE", 13, "Erro no Filtro", "O valor do Mês data base deve estar entre 1 .. 12."},
        {Funcionarios, "FUN:QTDHORASSEM", 45, "Erro no Filtro",
         "O valor do Quantidade de horas trabalhadas por semana deve ser menor que 44."},
        {LoteVorel, "LTC:TIPO", 2, "Erro Valor",
         "O valor do Tipo do Lote - 0 para Lote Anterior e 1 para Lote Atual deve estar na lista: "
         "'0 - Anterior','1 - Atual'."},
        {Funcionarios, "FUN:SEXO", 3, "Erro Valor",
         "O valor do Sexo do funcionário deve estar na lista: '1-Masculino','2-Feminino'."},
        {ForCli, "FOR:SuperSimples", 2, "Erro Valor",
         "O valor do FOR:SuperSimples deve estar na lista: '0-Sim','1-Não'."},
        {Senhas, "SEN:Acesso", 2, "Erro Valor",
         "O valor do SEN:Acesso deve estar na lista: '0 - Acessa Tudo','1 - Restringe Tudo'."},
    };
    for (const auto& c : cases) {
        const AskRequest r = shown(c.table(), c.field, c.value);
        EXPECT_EQ(r.title, c.title) << c.field;
        EXPECT_EQ(r.text, text::from_utf8(c.text)) << c.field;
    }
}

TEST_F(Rules, TextChoicesCompareWithTrailingBlanksCut) {
    for (const char* v : {"N", "X", "N "}) EXPECT_EQ(check_text(LayCampArquivos(), "CampArq:Tipo", v), kBenign) << v;
    for (const char* v : {"n", "x", "", " ", "A"})
        EXPECT_EQ(check_text(LayCampArquivos(), "CampArq:Tipo", v), kNotify) << "'" << v << "'";
}

TEST_F(Rules, AnAliasRefusesWhatItsBaseRefusesWithTheBasesTexts) {
    // an alias always shows the message, whatever the caller asked
    FileManager& f0 = data::dictionary::file(ForCli0());
    f0.prime_record();
    const int n = ForCli0().field_index("FOR0:TipoInscricao");
    set_field_int(ForCli0().fields[n], f0.buffer(), 3);
    EXPECT_EQ(f0.test_field_rules(n, data::Messages::Quiet), kNotify);
    ASSERT_EQ(asker.asked.size(), 1u);
    EXPECT_EQ(asker.asked[0].text,
              text::from_utf8("O valor do Tipo da Inscrição do Cliente/Fornecedor deve estar na lista: 'CGC','CPF'."));

    FileManager& p0 = data::dictionary::file(Produtos0());
    p0.prime_record();
    const int d = Produtos0().field_index("PROE:DNF");
    set_field_int(Produtos0().fields[d], p0.buffer(), 1);
    EXPECT_EQ(p0.test_field_rules(d, data::Messages::Quiet), kBenign);
    set_field_int(Produtos0().fields[d], p0.buffer(), 2);
    EXPECT_EQ(p0.test_field_rules(d, data::Messages::Quiet), kNotify);
}

TEST_F(Rules, ElevenTablesHaveRulesAndAFieldWithoutOneAlwaysPasses) {
    std::vector<std::string> with;
    for (const TableInfo& t : all_tables())
        if (!t.desc().rules.empty()) with.push_back(t.desc().label);
    EXPECT_EQ(with.size(), 11u);
    EXPECT_EQ(check(Empresa(), "EMP:Codigo", 999), kBenign);
    EXPECT_EQ(check(EntradaVorel(), "ENT:MesImpor", 200), kBenign);
}

}  // namespace
}  // namespace vorel::dictionary
