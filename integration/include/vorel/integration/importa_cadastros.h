// The register imports' runs: suppliers and customers into `ForCli` (layout type 9), products into
// `Produtos` with their first rate-history rows (type 10) and cash-register machines into
// `ICMSEletronica` (type 20). They share the read and import steps of import_run.h; each stages a
// code once, lists no line problems, and updates a registered record or adds a new one, stamped
// with the first day of the working month.
//
//     ImportacaoFornecedores run;
//     run.SobrescreveCadastrados(integracaoForCli == 1);
//     run.Abre(); run.Le({arquivo, layout, 1, mes, ano}); run.Importa(mes);
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "vorel/core/decimal.h"
#include "vorel/integration/import_run.h"

namespace vorel::integration {

// `ImportaFornecedores`' work.
class ImportacaoFornecedores : public ImportacaoTexto {
public:
    ImportacaoFornecedores();
    // With `integracaoForCli` = 1 a registered partner is overwritten by its line; otherwise the
    // import only adds new partners.
    void SobrescreveCadastrados(bool sim) { sobrescreve_ = sim; }

protected:
    void NovaLeitura() override;
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }
    bool GravaMovimentos() const override { return false; }

private:
    bool sobrescreve_ = false;
    bool temUltimo_ = false;
    std::uint32_t ultimo_ = 0;                       // the last code handed out
    std::map<std::string, std::uint32_t> novos_;     // CNPJ/CPF of new partners of this read
};

// `ImportaProdutos`' work.
class ImportacaoProdutos : public ImportacaoTexto {
public:
    ImportacaoProdutos();
    // LOC:IMPCODIGO: false ("0-Apelido") code 1 of a line is the nickname, true ("1-Código") the code.
    void ImportaCodigo(bool sim) { porCodigo_ = sim; }

protected:
    void NovaLeitura() override;
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }
    bool GravaMovimentos() const override { return false; }
    data::Result ComecaImportacao() override;

private:
    bool porCodigo_ = false;
    bool temNovo_ = false;
    Decimal novo_;                               // the last new code of this read
    std::map<std::string, Decimal> apelidos_;    // nicknames given a new code in this read
    Decimal ultimaLinha_;                        // the last rate-history row code
};

// `ImportaMaquinaECF`'s work.
class ImportacaoMaquinas : public ImportacaoTexto {
public:
    ImportacaoMaquinas();

protected:
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }
    bool GravaMovimentos() const override { return false; }
};

// The stamp of the register imports: the first day of the working month.
std::int32_t MesImportacao(int mes, int ano);

}  // namespace vorel::integration
