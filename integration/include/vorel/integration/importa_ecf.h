// `ImportaLancamentoECF`'s work: one month of cash-register records from three fixed-width files
// read together, the master file (layout type 21, into `LancICMSEletronico`), the analytic file
// (type 22, into `AnaliticoICMS`) and the daily file (type 23, into `MovMaqRegistradora`).
//
// Each file is a text-import run of its own (import_run.h) with its own staging file; analytic and
// daily lines are checked against the master lines of this read. A line whose key repeats one
// already staged is left out without a word. The import copies the three staging files into their
// targets in one transaction, replacing a stored record with the same key: all three or nothing;
// the daily items mark their products' balance rows of the month at the register's rate in it.
//
//     ImportacaoECF ecf;
//     if (auto erro = ecf.Abre(); !erro.empty()) ...
//     ResultadoECF r = ecf.Le({mestre, analitico, diario, {l21, l22, l23}, utiliza, mes, ano});
//     if (r.PodeImportar()) ResultadoImportacao i = ecf.Importa(mes);
#pragma once

#include <array>
#include <map>
#include <string>

#include "vorel/integration/import_run.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

// The master file's run: the machine, coupon and grand-total checks. Its import writes the three
// targets in one transaction, the analytic and daily records after its own.
class LeituraMestre : public ImportacaoTexto {
public:
    LeituraMestre();
    // The runs whose staged records the import copies after the master's.
    void Junta(ImportacaoTexto& analitico, ImportacaoTexto& diario) {
        analitico_ = &analitico;
        diario_ = &diario;
    }

protected:
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    void DepoisDeAdicionar(LinhaImportada& linha) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }
    data::Result TerminaImportacao(int mesImpor, const Progresso& progresso, long& feitos,
                                   bool& interrompida) override;

private:
    int mes_ = 0;  // month of the line being read
    int mesTrabalho_ = 0;
    ImportacaoTexto* analitico_ = nullptr;
    ImportacaoTexto* diario_ = nullptr;
};

// The analytic (`diario` false) or daily file's run: each line needs its master line in this read.
class LeituraDetalhe : public ImportacaoTexto {
public:
    LeituraDetalhe(bool diario, data::FileManager& mestre);

protected:
    void NovaLeitura() override {
        produtos_.Esvazia();
        aliquotas_.clear();
    }
    DadosLinha PreencheLinha(LinhaImportada& linha, const OpcoesLeitura& opcoes) override;
    void DepoisDeAdicionar(LinhaImportada& linha) override;
    data::Result ImportaRegistro(int mesImpor) override;
    bool IgnoraRepetidas() const override { return true; }

private:
    bool TemMestre(std::int16_t codigo, std::uint8_t fechamento, const std::string& data);
    bool diario_;
    data::FileManager& mestre_;  // the master run's staging file
    BuscaProduto produtos_{true};
    std::map<Decimal, Decimal> aliquotas_;  // the register's rate (PRO:Alicota) of each product read
    int mes_ = 0;
    int mesTrabalho_ = 0;
};

struct OpcoesECF {
    std::string mestre, analitico, diario;  // program paths of the three files (Windows-1252)
    std::array<int, 3> layouts{};           // LAY:Codigo of types 21, 22, 23
    int utiliza = 1;                        // product matching: 1 by code, 2 by nickname
    int mes = 0, ano = 0;
    std::array<Posicoes, 3> posicoes{};     // fixed layouts (index = field code); empty: the stored ones
    std::uint32_t empresa = 0;              // the working company (GLO:EMPRESA_CODIGO)
};

struct ResultadoECF {
    std::array<ResultadoLeitura, 3> arquivos;  // master, analytic, daily
    std::vector<std::string> erros;            // the three files' problems, in reading order
    bool PodeImportar() const {
        for (const ResultadoLeitura& a : arquivos)
            if (!a.PodeImportar()) return false;
        return true;
    }
};

class ImportacaoECF {
public:
    ImportacaoECF();
    // Takes the three staging files; an error text for the user (UTF-8) when it cannot.
    std::string Abre();
    void Fecha();
    // The targets' year-folder files as the window found them (master, analytic, daily).
    void FixaAlvos(std::vector<std::string> caminhos) { mestre_.FixaAlvos(std::move(caminhos)); }
    // Reads the master, then the analytic, then the daily file, each into its emptied staging file.
    ResultadoECF Le(const OpcoesECF& opcoes, const Progresso& progresso = {});
    ResultadoImportacao Importa(int mesImpor, const Progresso& progresso = {}) {
        return mestre_.Importa(mesImpor, progresso);
    }

    data::FileManager& mestre() { return mestre_.staging(); }
    data::FileManager& analitico() { return analitico_.staging(); }
    data::FileManager& diario() { return diario_.staging(); }

private:
    LeituraMestre mestre_;
    LeituraDetalhe analitico_;
    LeituraDetalhe diario_;
};

}  // namespace vorel::integration
