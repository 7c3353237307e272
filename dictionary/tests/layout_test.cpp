// The dictionary's declarations against the layouts: counts, record sizes, names, keys, aliases.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "vorel/data/table_desc.h"
#include "vorel/dictionary/name_variables.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/tables.h"

namespace vorel::dictionary {
namespace {

using data::TableDesc;

int record_bytes(const TableDesc& d) {
    int sum = 0;
    for (const auto& f : d.fields) sum += f.width * f.elements;
    return sum;
}

TEST(Layout, SixtyTwoTablesFortyFiveOwnAndSeventeenAliases) {
    int own = 0, alias = 0;
    std::set<std::string> labels;
    std::set<const TableDesc*> seen;
    for (const TableInfo& t : all_tables()) {
        const TableDesc& d = t.desc();
        EXPECT_TRUE(labels.insert(d.label).second) << d.label;
        if (t.base) {
            ++alias;
            EXPECT_EQ(d.base, &t.base()) << d.label;
            EXPECT_TRUE(seen.count(&t.base())) << d.label << " is set up before its base";
            EXPECT_EQ(d.name, t.base().name) << d.label << " shares its base's name variable";
            EXPECT_EQ(d.fields.size(), t.base().fields.size());
            EXPECT_EQ(d.keys.size(), t.base().keys.size());
        } else {
            ++own;
            EXPECT_EQ(d.base, nullptr);
        }
        EXPECT_NE(d.name, nullptr) << d.label << " has a name variable";
        seen.insert(&d);
    }
    EXPECT_EQ(own, 45);
    EXPECT_EQ(alias, 17);
}

TEST(Layout, RecordSizeFromFieldWidthsIsTheStatedSize) {
    int checked = 0;
    for (const TableInfo& t : all_tables()) {
        if (t.stated_size == 0) continue;
        EXPECT_EQ(record_bytes(t.desc()), t.stated_size) << t.desc().label;
        ++checked;
    }
    EXPECT_EQ(checked, 29 + 14);  // 29 tables state their size, and their 14 aliases
    struct {
        const TableDesc& (*desc)();
        int bytes;
    } named[] = {{Empresa, 13617}, {CFO, 6057}, {EntradaVorel, 109}, {SaidaVorel, 98},
                 {EntradaSaidaVorel, 323}, {ForCli, 562}, {Produtos, 328}, {Revendas, 1044}};
    for (const auto& n : named) EXPECT_EQ(record_bytes(n.desc()), n.bytes) << n.desc().label;
}

TEST(Layout, FieldsKeepTheirNamesTypesAndOrder) {
    EXPECT_EQ(Empresa().fields.size(), 301u);
    EXPECT_EQ(CFO().fields.size(), 112u);
    EXPECT_EQ(Funcionarios().fields.size(), 221u);
    // names as the layouts spell them
    EXPECT_GE(SaldosVorel().field_index("SQEL:BaseAcunulada"), 0);
    EXPECT_GE(Produtos().field_index("PRO:Alicota"), 0);
    EXPECT_GE(SaidaVorel().field_index("SAI:Alicota"), 0);
    EXPECT_GE(SaidaVeiculo().field_index("SAV:BaeSaidaComercial"), 0);
    EXPECT_EQ(Funcionarios().fields[40].name, "FUN:CTPS:NUMERO");
    EXPECT_EQ(Empresa().fields[107].name, "EMP:FPAS:SALEDUCACAO");
    // the first field, the last, and a few type words
    EXPECT_EQ(EntradaVorel().fields.front().name, "ENT:Cnpj");
    EXPECT_EQ(data::type_word(EntradaVorel().fields.front().type, 14), "string(14)");
    const auto& q = EntradaVorel().field("ENT:Quantidade");
    EXPECT_EQ(q.digits, 13);
    EXPECT_EQ(q.places, 3);
    EXPECT_EQ(q.width, 7);
    EXPECT_EQ(Empresa().fields.back().name, "EMP:BANCOCONVENIO");
    // array fields: Funcionarios' PPP groups
    const auto& cat = Funcionarios().field("FUN:PPP:CATNUMERO");
    EXPECT_EQ(cat.elements, 4);
    EXPECT_EQ(cat.width, 15);
    EXPECT_EQ(Funcionarios().field("FUN:PPP:REGAMBIENTAISDATAINICIAL").elements, 3);
    // dates typed as such keep the date type word; dates held in longs stay long
    EXPECT_EQ(ProdutosAliq().field("PALIQ:DATA_INICIAL").type, data::FieldType::Date);
    EXPECT_EQ(EntradaVorel().field("ENT:DataEmissao").type, data::FieldType::Long);
}

TEST(Layout, KeysCarryTheirFlagsDescriptionsAndNumbering) {
    const auto& codigo = Empresa().key(data::KeyName{"EMP:KEY:CODIGO"});
    EXPECT_TRUE(codigo.flags & data::kPrimary);
    EXPECT_TRUE(codigo.unique());
    EXPECT_EQ(codigo.auto_number, 1);
    EXPECT_EQ(codigo.description, "C\xf3" "digo");
    EXPECT_TRUE(Empresa().key(data::KeyName{"EMP:KEY:CUSTOM"}).dynamic());
    EXPECT_TRUE(Empresa().key(data::KeyName{"EMP:KEY:CUSTOM"}).components.empty());
    EXPECT_TRUE(Estados().key(data::KeyName{"EST:Key:CodGia"}).optional());
    EXPECT_TRUE(Funcionarios().key(data::KeyName{"FUN:Key:Admissao"}).optional());
    const auto& hist = ACFuncionarios().key(data::KeyName{"ACFUN:KEY:CODIGO"});
    ASSERT_EQ(hist.components.size(), 3u);
    EXPECT_FALSE(hist.components[1].descending);
    EXPECT_TRUE(hist.components[2].descending);
    EXPECT_TRUE(RefTotalMedia().key(data::KeyName{"REFTOTMED:KEY:FUNCLANCCOMPVALOR"}).components[5].descending);
    EXPECT_EQ(LayArquivos().key(data::KeyName{"LAY:Key:Codigo"}).auto_number, 2);
    EXPECT_EQ(LayArquivos().key(data::KeyName{"LAY:KEY:SCODIGO"}).auto_number, 1);
    EXPECT_TRUE(LayArquivos().key(data::KeyName{"LAY:KEY:SCODIGO"}).unique());
    EXPECT_EQ(DepVacinacao().key(data::KeyName{"DVACI:KEY:CODIGO"}).auto_number, 4);
    EXPECT_EQ(SaldosVorel().key(data::KeyName{"SQEL:KEY:PROD_DATA"}).description, "Produto +  Data");
    EXPECT_EQ(CNAE().key(data::KeyName{"CNAE:KEY:DESCRICAO"}).description, "Desscri\xe7\xe3o");
    // key names keep their spelling where it differs from the prefix's
    EXPECT_EQ(AltContratuais().keys[0].name, "AltCont:Key:Codigo");
    EXPECT_EQ(EntradaSaidaVorel().key(data::KeyName{"ESA:KEY:DATA_ENTSAI_NUMERO"}).name, "ESA:KEY:DATA_ENTSAI_NUMERO");
    EXPECT_EQ(EntradaSaidaVorel().keys[4].name, "Esa:Key:DataEspelho");
    EXPECT_EQ(MovFuncionarios().keys[3].name, "MovFunc:Key:FunTipoPerAq");
    // every key of the dictionary is case-insensitive; at most one primary per table
    for (const TableInfo& t : all_tables()) {
        int primaries = 0;
        for (const auto& k : t.desc().keys) {
            EXPECT_TRUE(k.nocase()) << k.name;
            EXPECT_LE(k.description.size(), 80u) << k.name;
            primaries += (k.flags & data::kPrimary) ? 1 : 0;
        }
        EXPECT_LE(primaries, 1) << t.desc().label;
    }
}

TEST(Layout, AliasesRenameFieldsAndKeysUnderTheirOwnPrefix) {
    EXPECT_EQ(EntradaVorel0().prefix, "ESPENT");
    EXPECT_EQ(EntradaVorel0().fields[0].name, "ESPENT:Cnpj");
    EXPECT_EQ(ForCliMorto().fields[0].name, "ForCliMorto:Codigo");
    EXPECT_GE(SaidaVorel0().key_index(data::KeyName{"SAI0:KEY:CNPJ"}), 0);
    // a description that is the base key's own name becomes the alias key's name
    EXPECT_EQ(EntradaVorel0().key(data::KeyName{"ESPENT:Key:ProdNumeroData"}).description, "ESPENT:Key:ProdNumeroData");
    EXPECT_EQ(Produtos0().key(data::KeyName{"PROE:Key:Grupo"}).description, "PROE:Key:Grupo");
    EXPECT_EQ(Produtos0().key(data::KeyName{"PROE:Key:Apelido"}).description, "PROE:Key:Apelido");
    EXPECT_EQ(LayArquivos0().key(data::KeyName{"LAY0:Key:Codigo"}).description, "LAY0:Key:Codigo");
    EXPECT_EQ(LayCampArquivos0().key(data::KeyName{"CampArq0:Key:Codigo"}).description, "CampArq0:Key:Codigo");
    EXPECT_EQ(LayCampArquivos0().key(data::KeyName{"CampArq0:Key:Posicao"}).description, "CampArq0:Key:Posicao");
    // other descriptions are the base's
    EXPECT_EQ(EntradaVorel0().key(data::KeyName{"ESPENT:KEY:DATA"}).description, "Data");
    EXPECT_EQ(ImpMatricial0().driver, data::Driver::TextLines);
    EXPECT_EQ(ImpMatricial0().name, &CaminhoImpMatricial);

    // the aliases registered for structure upgrades pair 267 fields with their base's
    int pairs = 0, registered = 0;
    for (const TableInfo& t : all_tables()) {
        if (!t.base || !t.registration_prefix) continue;
        ++registered;
        EXPECT_EQ(std::string(t.registration_prefix), t.desc().prefix);
        pairs += static_cast<int>(t.desc().fields.size());
    }
    EXPECT_EQ(registered, 16);
    EXPECT_EQ(pairs, 267);
}

TEST(Layout, RegistrationVersionsAndOptions) {
    int registered = 0;
    for (const TableInfo& t : all_tables()) {
        registered += t.registration_prefix ? 1 : 0;
        const TableDesc& d = t.desc();
        EXPECT_EQ(d.version, t.base ? t.base().version : d.version);
        EXPECT_EQ(t.options.threaded, d.label != "ProdutosAliq") << d.label;
        const bool text = d.driver == data::Driver::TextLines;
        EXPECT_EQ(text, d.label.rfind("ImpMatricial", 0) == 0) << d.label;
        // the second option: ICMSEletronica, ImpMatricial and their aliases; the first: every
        // indexed table but ICMSEletronica, CodCFOComplementar and LogEscrita (and aliases)
        const std::string base = t.base ? t.base().label : d.label;
        EXPECT_EQ(t.options.second, base == "ICMSEletronica" || base == "ImpMatricial") << d.label;
        EXPECT_EQ(t.options.first, !text && base != "ICMSEletronica" && base != "CodCFOComplementar" &&
                                       base != "LogEscrita")
            << d.label;
    }
    EXPECT_EQ(registered, 60);
    EXPECT_EQ(EntradaVorel().version, 73);
    EXPECT_EQ(Empresa().version, 206);
    EXPECT_EQ(Funcionarios().version, 138);
    EXPECT_EQ(ForCliQel().version, 0);
    EXPECT_EQ(SaldosVorel0().version, 21);
}

}  // namespace
}  // namespace vorel::dictionary
