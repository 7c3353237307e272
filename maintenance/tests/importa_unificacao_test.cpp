// Merging unification files: suppliers matched by CNPJ, then CPF, then by name only without
// documents, new codes after the highest; entries carried with their supplier's receiving code and
// document; refused cash-register records counted and named; the window's messages and its
// question before a merge that was done before.
#include <gtest/gtest.h>

#include "unificacao_fixture.h"
#include "vorel/maintenance/importa_unificacao.h"

namespace vorel::maintenance::testing {
namespace {

using A = ArquivoUnificacao;

class ImportaUnificacaoTest : public UnificacaoFixture {
protected:
    // The group merged from the files in `pasta` (those of `ligados` bound); the result.
    ResultadoUnificacao Une(GrupoUnificacao g, const std::string& pasta, std::vector<A> ligados) {
        return NaThread([&] {
            PreparoUnificacao p;
            ResultadoUnificacao r;
            r.erro = p.Abre();
            for (A a : ligados)
                if (r.erro.empty() && !p.Liga(a, files::join(pasta, NomeDoArquivo(a))).ok()) r.erro = "liga";
            return r.erro.empty() ? UnificaGrupo(p, g, periodo) : r;
        });
    }
    template <class Rec>
    void NoArquivo(const std::string& pasta, A a, int n, const std::function<void(Rec&, int)>& fill) {
        Grava<Rec>(LayoutDoArquivo(a), n, fill, files::join(pasta, NomeDoArquivo(a)));
    }
    std::vector<ForCliRec> Cadastro() { return Le<ForCliRec>(dictionary::ForCli(), keys::FOR_KEY_CODIGO1); }
};

TEST_F(ImportaUnificacaoTest, SuppliersAreMatchedByCnpjThenCpfAndByNameOnlyWithoutDocuments) {
    Grava<ForCliRec>(dictionary::ForCli(), 250, [](ForCliRec& f, int i) {
        const std::uint32_t codigo = static_cast<std::uint32_t>(i + 1);
        if (codigo == 5) return Fornecedor(f, 5, "ANTIGO", "11222333000181");
        if (codigo == 6) return Fornecedor(f, 6, "SEM DOC", "");
        if (codigo == 7) return Fornecedor(f, 7, "NOMEADO", "22333444000155");
        Fornecedor(f, codigo, "OUTRO", "");
        f.Inativo = 1;  // out of every match
    });
    const std::string pasta = Pasta("forcli");
    NoArquivo<ForCliRec>(pasta, A::ForCli, 5, [](ForCliRec& f, int i) {
        switch (i) {
            case 0: Fornecedor(f, 1, "NOVO NOME", "11222333000181"); f.Cidade = "CAMPINAS"; break;  // known CNPJ
            case 1: Fornecedor(f, 2, "PESSOA", "", "12345678909"); break;                        // CPF only
            case 2: Fornecedor(f, 3, "SEM DOC", "33444555000166"); break;   // new CNPJ, the name of one without
            case 3: Fornecedor(f, 4, "SEM DOC", ""); f.Cidade = "SANTOS"; break;  // no document on either side
            default: Fornecedor(f, 5, "NOMEADO", ""); break;  // no document, the name of one with a CNPJ
        }
    });
    const ResumoFornecedores antes = NaThread([&] {
        PreparoUnificacao p;
        EXPECT_EQ(p.Abre(), "");
        EXPECT_TRUE(p.Liga(A::ForCli, files::join(pasta, "ForCli.Tps")).ok());
        return ExaminaFornecedores(p, periodo);
    });
    EXPECT_EQ(antes.erro, "");
    EXPECT_EQ(std::vector<long long>({antes.porCnpj, antes.porCpf, antes.porNome, antes.novos}),
              std::vector<long long>({1, 0, 1, 3}));

    for (int vez = 1; vez <= 2; ++vez) {
        SCOPED_TRACE("merge " + std::to_string(vez));
        const ResultadoUnificacao r = Une(GrupoUnificacao::Fornecedores, pasta, {A::ForCli});
        ASSERT_TRUE(r.ok()) << r.erro;
        const auto c = Cadastro();
        ASSERT_EQ(c.size(), 253u);  // each new party once, whatever the merges
        EXPECT_EQ(c[4].Nome.clipped(), "NOVO NOME");  // code 5 kept, updated
        EXPECT_EQ(c[4].Cidade.clipped(), "CAMPINAS");
        EXPECT_EQ(c[5].Cidade.clipped(), "SANTOS");   // code 6 by name
        EXPECT_EQ(c[5].CGC.clipped(), "");            // never the CNPJ of a namesake
        EXPECT_EQ(c[6].CGC.clipped(), "22333444000155");  // the named record with a CNPJ untouched
        EXPECT_EQ(c[6].Nome.clipped(), "NOMEADO");
        EXPECT_EQ(c[250].Codigo, 251u);
        EXPECT_EQ(c[250].CPF.clipped(), "12345678909");
        EXPECT_EQ(c[251].Codigo, 252u);
        EXPECT_EQ(c[251].CGC.clipped(), "33444555000166");
        EXPECT_EQ(c[252].Codigo, 253u);
        EXPECT_EQ(c[252].Nome.clipped(), "NOMEADO");
        EXPECT_EQ(c[252].CGC.clipped(), "");
    }
}

TEST_F(ImportaUnificacaoTest, TheFirstCodeOfAnEmptyRegisterIsOne) {
    const std::string pasta = Pasta("vazio");
    NoArquivo<ForCliRec>(pasta, A::ForCli, 2, [](ForCliRec& f, int i) {
        Fornecedor(f, 70 + static_cast<std::uint32_t>(i), i ? "B" : "A", i ? "33444555000166" : "11222333000181");
    });
    ASSERT_TRUE(Une(GrupoUnificacao::Fornecedores, pasta, {A::ForCli}).ok());
    const auto c = Cadastro();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].Codigo, 1u);
    EXPECT_EQ(c[1].Codigo, 2u);
}

TEST_F(ImportaUnificacaoTest, EntriesTakeTheReceivingCodeAndDocumentOfTheirSupplier) {
    Grava<ForCliRec>(dictionary::ForCli(), 2, [](ForCliRec& f, int i) {
        if (i == 0) Fornecedor(f, 40, "RECEBIDO", "11222333000181");
        else Fornecedor(f, 41, "PESSOA", "", "12345678909");
    });
    const std::string pasta = Pasta("entradas");
    NoArquivo<ForCliRec>(pasta, A::ForCli, 2, [](ForCliRec& f, int i) {
        if (i == 0) Fornecedor(f, 9, "OUTRO NOME", "11222333000181");
        else Fornecedor(f, 10, "PESSOA", "", "12345678909");
    });
    // The first invoice keeps its supplier's code in the document field, the second a CPF
    // supplier's, the third an unknown CNPJ and no code.
    NoArquivo<EntradaVorelRec>(pasta, A::Entradas, 4, [](EntradaVorelRec& e, int i) {
        if (i < 2) Entrada(e, Dia(2016, 3, 2), 1, i + 1, 9, "9");
        else if (i == 2) Entrada(e, Dia(2016, 3, 3), 2, 1, 10, "10");
        else Entrada(e, Dia(2016, 3, 4), 3, 1, 0, "55666777000188");
    });
    NoArquivo<QuantidadeVorelRec>(pasta, A::EntQQel, 2, [](QuantidadeVorelRec& q, int i) {
        if (i == 0) Quantidade(q, Dia(2016, 3, 2), 1, "E", "9");
        else Quantidade(q, Dia(2016, 3, 4), 3, "E", "55666777000188");
    });
    const ResultadoUnificacao r = Une(GrupoUnificacao::Entradas, pasta, {A::Entradas, A::EntQQel, A::ForCli});
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.registros, 6);
    const auto e = Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA);
    ASSERT_EQ(e.size(), 4u);
    const std::vector<std::pair<std::uint32_t, std::string>> esperado{
        {40, "11222333000181"}, {40, "11222333000181"}, {41, "12345678909"}, {0, "55666777000188"}};
    for (std::size_t i = 0; i < e.size(); ++i) {
        EXPECT_EQ(e[i].CodigoForCli, esperado[i].first) << i;
        EXPECT_EQ(e[i].Cnpj.clipped(), esperado[i].second) << i;
    }
    // The code names the supplier the invoice came from (the register's name, not the file's).
    const auto c = Cadastro();
    EXPECT_EQ(c[0].Codigo, e[0].CodigoForCli);
    EXPECT_EQ(c[0].Nome.clipped(), "RECEBIDO");
    const auto q = Le<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA);
    ASSERT_EQ(q.size(), 2u);
    EXPECT_EQ(q[0].Cnpj.clipped(), "11222333000181");  // follows its invoice
    EXPECT_EQ(q[1].Cnpj.clipped(), "55666777000188");

    // Read without the supplier file, an item's own document finds the code.
    const std::string so = Pasta("so");
    NoArquivo<EntradaVorelRec>(so, A::Entradas, 1, [](EntradaVorelRec& x, int) {
        Entrada(x, Dia(2016, 3, 9), 7, 1, 9, "11222333000181");
    });
    ASSERT_TRUE(Une(GrupoUnificacao::Entradas, so, {A::Entradas}).ok());
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA).back().CodigoForCli, 40u);

    // Merged before: every item is named.
    const ItensJaUnificados ja = NaThread([&] {
        PreparoUnificacao p;
        EXPECT_EQ(p.Abre(), "");
        EXPECT_TRUE(p.Liga(A::Entradas, files::join(pasta, "Entradas.Tps")).ok());
        return ItensJaPresentes(p, GrupoUnificacao::Entradas, periodo);
    });
    EXPECT_EQ(ja.itens, 4);
    ASSERT_FALSE(ja.listados.empty());
    EXPECT_EQ(ja.listados[0], "Nota 1 série 1 de 02/03/2016, produto 1, CFOP 1102");
}

TEST_F(ImportaUnificacaoTest, CashRegisterRecordsAlreadyThereAreRefusedCountedAndNamed) {
    auto Mestre = [](LancICMSEletronicoRec& m, int dia) {
        m.DataEmissao = dictionary::DataComoTexto(Dia(2016, 3, dia));
        m.Codigo = 1;
        m.Fechamento = 1;
    };
    Grava<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), 1, [&](LancICMSEletronicoRec& m, int) { Mestre(m, 10); });
    const std::string pasta = Pasta("ecf");
    NoArquivo<LancICMSEletronicoRec>(pasta, A::Mestre, 2, [&](LancICMSEletronicoRec& m, int i) { Mestre(m, 10 + i); });
    NoArquivo<AnaliticoICMSRec>(pasta, A::Analitico, 1, [](AnaliticoICMSRec& a, int) {
        a.DataEmissao = dictionary::DataComoTexto(Dia(2016, 3, 11));
        a.Codigo = 1;
        a.Fechamento = 1;
        a.Aliquota = "18";
    });
    NoArquivo<MovMaqRegistradoraRec>(pasta, A::Diario, 0, [](MovMaqRegistradoraRec&, int) {});
    const ResultadoUnificacao r = Une(GrupoUnificacao::ECF, pasta, {A::Mestre, A::Analitico, A::Diario});
    ASSERT_TRUE(r.ok()) << r.erro;
    EXPECT_EQ(r.registros, 3);
    EXPECT_EQ(r.recusados, 1);
    ASSERT_EQ(r.listados.size(), 1u);
    EXPECT_EQ(r.listados[0], "Mestre: máquina 1, data 10/03/2016, fechamento 1");
    EXPECT_EQ(Le<LancICMSEletronicoRec>(dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO).size(), 2u);
    EXPECT_EQ(Le<AnaliticoICMSRec>(dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA).size(), 1u);
}

TEST_F(ImportaUnificacaoTest, TheWindowSaysAMissingFileAndAsksBeforeMergingAgain) {
    const std::string pasta = Pasta("janela");
    NoArquivo<EntradaVorelRec>(pasta, A::Entradas, 2, [](EntradaVorelRec& e, int i) { Entrada(e, Dia(2016, 3, 2), 1, i + 1); });
    NoArquivo<QuantidadeVorelRec>(pasta, A::EntQQel, 1, [](QuantidadeVorelRec& q, int) { Quantidade(q, Dia(2016, 3, 2), 1, "E"); });
    StartUser();
    ui->Start("Unificacao");
    const int w = ui->WindowByCaption("Unificação dos Aquivos");
    EXPECT_EQ(ui->Value(ui->ByPrompt(w, "Arquivo das Entradas......")), "");
    auto Mensagem = [&](const std::string& texto, int botao = 1) {
        ui->WaitUntil([&] { return ui->HasMessageBox(); }, texto);
        EXPECT_EQ(ui->PendingMessageBox().text.rfind(texto, 0), 0u) << ui->PendingMessageBox().text;
        ui->Answer(botao);
        ui->WaitIdle();
    };
    ui->Type(ui->ByPrompt(w, "Arquivo das Entradas......"), pasta + "naoexiste.Tps");
    ui->Press(ui->ByText(w, "&Ler"));
    Mensagem("Caminho/Arquivo das Entradas não foi encontrado!!!");
    ui->Type(ui->ByPrompt(w, "Arquivo das Entradas......"), pasta + "Entradas.Tps");
    ui->Press(ui->ByText(w, "&Ler"));
    Mensagem("Leitura das entradas efetuada com sucesso!!!");
    EXPECT_EQ(ui->Rows(ui->Control(w, 50)).size(), 2u);
    ui->Press(ui->ByText(w, "&Grava"));
    Mensagem("Unificação das entradas efetuada com sucesso!!!");
    ui->Press(ui->ByText(w, "&Grava"));
    ui->WaitUntil([&] { return ui->HasMessageBox(); }, "the question");
    EXPECT_EQ(ui->PendingMessageBox().text.rfind("Este arquivo já parece unificado: 2 itens", 0), 0u);
    EXPECT_EQ(ui->PendingMessageBox().defaultButton, 2);  // "&Não"
    ui->Answer("&Não");
    ui->WaitIdle();
    EXPECT_TRUE(!ui->HasMessageBox());
    EXPECT_EQ(Le<EntradaVorelRec>(dictionary::EntradaVorel(), keys::ENT_KEY_DATA).size(), 2u);
    EXPECT_EQ(Le<QuantidadeVorelRec>(dictionary::QuantidadeVorel(), keys::QUA_KEY_SERIENUMERODATA).size(), 1u);
    ui->Press(ui->ByText(w, "&Fecha"));
    ui->WaitUntil([&] { return !ui->HasWindow("Unificação dos Aquivos"); }, "the window to close");
    EXPECT_TRUE(files::exists(files::join(pasta, "Entradas.Tps")));  // the chosen files stay
}

}  // namespace
}  // namespace vorel::maintenance::testing
