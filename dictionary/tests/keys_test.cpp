// Unique keys, their messages, optional keys and auto-numbering on the dictionary's tables.
#include "dictionary_fixture.h"

#include "vorel/core/text.h"

namespace vorel::dictionary {
namespace {

class Keys : public DictionaryFiles {
protected:
    // Inserts through the framework (rules, numbering, message 15); the result and the record.
    template <class R, class F>
    int insert(const TableDesc& t, F fill) {
        FileManager& fm = data::dictionary::file(t);
        if (!fm.is_open()) {
            EXPECT_EQ(fm.open(), data::kNoError) << last_error().text;
        }
        fm.prime_record();
        fill(fm.rec<R>());
        return fm.insert().level();
    }
    template <class R>
    R& rec(const TableDesc& t) {
        return data::dictionary::file(t).rec<R>();
    }
    std::string last_message() { return asker_.asked.empty() ? std::string() : asker_.asked.back().text; }
};

TEST_F(Keys, AutoNumberedComponentsFollowTheirEarlierComponents) {
    // a layout's code is numbered over the whole table: the later key's number prevails
    add<LayArquivosRec>(LayArquivos(), [](auto& r) { r.Arquivo = 9; r.Codigo = 1; });
    add<LayArquivosRec>(LayArquivos(), [](auto& r) { r.Arquivo = 17; r.Codigo = 2; });
    ASSERT_EQ(insert<LayArquivosRec>(LayArquivos(), [](auto& r) { r.Arquivo = 9; }), 0) << last_message();
    EXPECT_EQ(rec<LayArquivosRec>(LayArquivos()).Codigo, 3);

    // a dependant's number within the employee, a dose's within employee, dependant and vaccine
    for (int i = 1; i <= 2; ++i) {
        ASSERT_EQ(insert<DependentesRec>(Dependentes(), [](auto& r) { r.CODIGOFUNCIONARIO = 1; r.TIPO = 2; r.SEXO = 1; }), 0)
            << last_message();
        EXPECT_EQ(rec<DependentesRec>(Dependentes()).CODIGODEPENDENTE, i);
    }
    ASSERT_EQ(insert<DependentesRec>(Dependentes(), [](auto& r) { r.CODIGOFUNCIONARIO = 2; r.TIPO = 2; r.SEXO = 1; }), 0);
    EXPECT_EQ(rec<DependentesRec>(Dependentes()).CODIGODEPENDENTE, 1);
    for (int dose = 1; dose <= 3; ++dose) {
        ASSERT_EQ(insert<DepVacinacaoRec>(DepVacinacao(), [](auto& r) {
                      r.CODIGOFUNCIONARIO = 1; r.CODIGODEPENDENTE = 1; r.CODIGOVACINA = 4;
                  }),
                  0);
        EXPECT_EQ(rec<DepVacinacaoRec>(DepVacinacao()).NUMERODOSE, dose);
    }

    // the first printer gets code 1, a new one the highest plus 1
    ASSERT_EQ(insert<ImpressoraRec>(Impressora(), [](auto& r) { r.NOME = "A"; }), 0);
    EXPECT_EQ(rec<ImpressoraRec>(Impressora()).CODIGO, 1);
    add<ImpressoraRec>(Impressora(), [](auto& r) { r.CODIGO = 7; r.NOME = "B"; });
    ASSERT_EQ(insert<ImpressoraRec>(Impressora(), [](auto& r) { r.NOME = "C"; }), 0);
    EXPECT_EQ(rec<ImpressoraRec>(Impressora()).CODIGO, 8);
}

TEST_F(Keys, DuplicatesAreRefusedNamingTheKeysDescription) {
    // a second master entry of the same date, machine and closing
    auto lan = [](auto& r) { r.DataEmissao = "78531"; r.Codigo = 3; r.Fechamento = 1; };
    ASSERT_EQ(insert<LancICMSEletronicoRec>(LancICMSEletronico(), lan), 0);
    EXPECT_EQ(insert<LancICMSEletronicoRec>(LancICMSEletronico(), lan), kNotify);
    EXPECT_EQ(last_message(), text::from_utf8("Chave duplicada: Pesquisa por Código da Máquina"));

    // a branch stands under one head office only
    ASSERT_EQ(insert<FiliaisRec>(Filiais(), [](auto& r) { r.MATRIZ = 1; r.FILIAL = 9; }), 0);
    EXPECT_EQ(insert<FiliaisRec>(Filiais(), [](auto& r) { r.MATRIZ = 2; r.FILIAL = 9; }), kNotify);
    EXPECT_EQ(last_message(), "Chave duplicada: Filiais:Key:CodigoFilial");

    // CFOP 5411/0 once with a blank state and once with SP; a second blank one is refused
    auto cfo = [](const char* uf) {
        return [uf](CFORec& r) { r.CODIGO = 5411; r.ESTADO = uf; r.COLUNAVEIC = 1; };
    };
    ASSERT_EQ(insert<CFORec>(CFO(), cfo("")), 0) << last_message();
    ASSERT_EQ(insert<CFORec>(CFO(), cfo("SP")), 0) << last_message();
    EXPECT_EQ(insert<CFORec>(CFO(), cfo("")), kNotify);
    EXPECT_EQ(last_message(), text::from_utf8("Chave duplicada: Estado + Código + Complemento"));

    // user names ignore letter case
    ASSERT_EQ(insert<SenhasRec>(Senhas(), [](auto& r) { r.NOME = "ana"; }), 0);
    EXPECT_EQ(insert<SenhasRec>(Senhas(), [](auto& r) { r.NOME = "ANA"; }), kNotify);
    EXPECT_EQ(last_message(), "Chave duplicada: SEN:Key:Nome");

    // a product's batch once per type
    auto lote = [](std::uint8_t tipo) {
        return [tipo](LoteVorelRec& r) { r.CODPRODUTO = 42; r.LOTE = "L1"; r.TIPO = tipo; };
    };
    ASSERT_EQ(insert<LoteVorelRec>(LoteVorel(), lote(0)), 0);
    ASSERT_EQ(insert<LoteVorelRec>(LoteVorel(), lote(1)), 0);
    EXPECT_EQ(insert<LoteVorelRec>(LoteVorel(), lote(1)), kNotify);

    // a rate row per product, rate and first day; the row code is numbered over the whole file
    auto aliq = [](std::int32_t inicio) {
        return [inicio](ProdutosAliqRec& r) { r.CODIGO_PRODUTO = 42; r.ALIQUOTA = 18; r.DATA_INICIAL = inicio; };
    };
    ASSERT_EQ(insert<ProdutosAliqRec>(ProdutosAliq(), aliq(78531)), 0);
    ASSERT_EQ(insert<ProdutosAliqRec>(ProdutosAliq(), aliq(78562)), 0);
    EXPECT_EQ(rec<ProdutosAliqRec>(ProdutosAliq()).CODIGO.scaled(), 2);
    EXPECT_EQ(insert<ProdutosAliqRec>(ProdutosAliq(), aliq(78531)), kNotify);
    EXPECT_EQ(last_message(), "Chave duplicada: Produto + Aliquota");

    // an alias reports its own key name where the base's description is the key's name
    auto campo = [](LayCampArquivos0Rec& r) { r.Arquivo = 1; r.Codigo = 1; r.CodigoCampo = 5; r.Tipo = "N"; };
    add<LayCampArquivos0Rec>(LayCampArquivos0(), campo);
    FileManager& c0 = data::dictionary::file(LayCampArquivos0());
    c0.clear_record();
    campo(c0.rec<LayCampArquivos0Rec>());
    EXPECT_EQ(c0.add(), kDuplicateKey);
    EXPECT_EQ(last_error().key, "CampArq0:Key:Codigo");
    // ...and a field at a position already taken is accepted
    c0.rec<LayCampArquivos0Rec>().CodigoCampo = 6;
    EXPECT_EQ(c0.add(), data::kNoError);
}

TEST_F(Keys, OptionalKeysLeaveOutEmptyValues) {
    for (auto [uf, gia] : {std::pair{"SP", 0}, {"RJ", 3}, {"MG", 0}, {"PR", 1}})
        add<EstadosRec>(Estados(), [&](auto& r) { r.UF = uf; r.CODIGOGIA = static_cast<std::uint8_t>(gia); });
    FileManager& est = data::dictionary::file(Estados());
    Values gias;
    ASSERT_EQ(est.set(data::KeyName{"EST:Key:CodGia"}), data::kNoError);
    while (est.next().ok()) gias.push_back(est.rec<EstadosRec>().CODIGOGIA);
    EXPECT_EQ(gias, (Values{1, 3}));
}

}  // namespace
}  // namespace vorel::dictionary
