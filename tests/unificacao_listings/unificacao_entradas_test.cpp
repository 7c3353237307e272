// Entries merged from unification files name, in the entries listing, the supplier they came from:
// the receiving register's record of that supplier's document, never the receiving record that
// happens to bear the sending company's code.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "unificacao_fixture.h"
#include "vorel/listings/movimentos.h"
#include "vorel/maintenance/importa_unificacao.h"
#include "vorel/report/page_model.h"

namespace vorel::maintenance::testing {
namespace {

using A = ArquivoUnificacao;

struct UnificacaoListagem : UnificacaoFixture {
    void SetUp() override {
        if (QGuiApplication::instance() == nullptr) {  // the page model's fonts
            static int argc = 1;
            static char nome[] = "unificacao_listings_tests";
            static char* argv[] = {nome, nullptr};
            static QGuiApplication app(argc, argv);
        }
        UnificacaoFixture::SetUp();
    }
};

TEST_F(UnificacaoListagem, MergedEntriesOfARemappedSupplierShowItsNameInTheEntriesListing) {
    // The receiving company knows the supplier under 40; its code 9 is someone else.
    Grava<ForCliRec>(dictionary::ForCli(), 2, [](ForCliRec& f, int i) {
        if (i == 0) Fornecedor(f, 40, "RECEBIDO", "11222333000181");
        else Fornecedor(f, 9, "OUTRA EMPRESA", "99888777000166");
    });
    const std::string pasta = Pasta("unifica");
    Grava<ForCliRec>(LayoutDoArquivo(A::ForCli), 1, [](ForCliRec& f, int) { Fornecedor(f, 9, "NOME NO ENVIO", "11222333000181"); },
                     files::join(pasta, "ForCli.Tps"));
    Grava<EntradaVorelRec>(LayoutDoArquivo(A::Entradas), 1, [](EntradaVorelRec& e, int) {
        Entrada(e, Dia(2016, 3, 2), 77, 1, 9, "9");  // the sender kept its code in the document too
    }, files::join(pasta, "Entradas.Tps"));
    const ResultadoUnificacao r = NaThread([&] {
        PreparoUnificacao p;
        EXPECT_EQ(p.Abre(), "");
        EXPECT_TRUE(p.Liga(A::Entradas, files::join(pasta, "Entradas.Tps")).ok());
        EXPECT_TRUE(p.Liga(A::ForCli, files::join(pasta, "ForCli.Tps")).ok());
        return UnificaGrupo(p, GrupoUnificacao::Entradas, periodo);
    });
    ASSERT_TRUE(r.ok()) << r.erro;
    const std::string texto = NaThread([&] {
        return report::to_text(listings::DocumentoRelEntradas(periodo, {}, listings::ModeloEntradas::Modelo01));
    });
    EXPECT_NE(texto.find("RECEBIDO"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("OUTRA EMPRESA"), std::string::npos) << texto;
    EXPECT_EQ(texto.find("NOME NO ENVIO"), std::string::npos) << texto;
}

}  // namespace
}  // namespace vorel::maintenance::testing
