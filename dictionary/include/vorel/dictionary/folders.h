// Company and year folders, and the physical names of the tables that live in them.
//
// `CaminhosArquivosEmpresa` and `CaminhosArquivosAno` turn the data root, the working company and
// the working year into the folder names `PastaEmpresa`, `PastaEmpresaVorel`, `PastaEscrita` and
// `PastaAno` and into the full file names of every per-company and per-year table. They are pure:
// they compute names and touch nothing; `CriaPastas...` creates the folders, and the shell's working
// context stores the names into the tables' name variables (`AplicaCaminhos...`, tables.h).
// `CaminhosArquivosComuns` gives the names of the shared tables under the data root, which the main
// frame sets once at start.
//
// Paths are in program form (Windows-1252, backslashes) and are never cut to any width.
// The data root `PastaRaiz` ends with a backslash, as the start-up leaves it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

namespace vorel::data {
struct TableDesc;
}

namespace vorel::dictionary {

struct CaminhosEmpresa {
    std::string PastaEmpresa;       // root & 8-digit company code, no closing backslash
    std::string PastaEmpresaVorel;  // PastaEmpresa & "\Vorel"
    std::string PastaEscrita;       // PastaEmpresa & "\Escrita"
    // the payroll chain, in the company folder
    std::string CaminhoFuncionarios, CaminhoACFuncionarios, CaminhoDepSuspSF, CaminhoDepVacinacao,
        CaminhoDependentes, CaminhoMovFuncionarios, CaminhoRefTotalMedia, CaminhoRefMedCta,
        CaminhoRefVlrMensais;
    // products and rate history: the company's own files when EMP:TIPONBM is 2, else the shared ones
    std::string CaminhoProdutos, CaminhoProdutosAliq;
    // suppliers and customers (EMP:TIPOFORNECEDOR 2: the company's fiscal-books folder) and the
    // archive of deleted ones
    std::string CaminhoForCli, ArquivoForCliMorto;
    // eight integration files that no table of this system opens ("IntTipo1.Tps" ... "IntTipo6.Tps")
    std::array<std::string, 8> CaminhosIntegracao;
    std::string CaminhoTabValorIndProduto, CaminhoTabelaValorProdutoSaida;
};

struct CaminhosAno {
    std::string PastaAno;  // PastaEmpresaVorel & "\" & 4-digit year
    std::string CaminhoEntradaVorel, CaminhoSaidaVorel, CaminhoMovMaqRegistradora,
        CaminhoEntradaVeiculo, CaminhoSaidaVeiculo, CaminhoLancICMSEletronico, CaminhoAnaliticoICMS,
        CaminhoSaldosVorel, CaminhoQuantidadeVorel;
    // three further year files that no table opens: "RegEntrada.Tps", "DipiEntrada.Tps", "Parcelas.Tps"
    std::array<std::string, 3> CaminhosOutros;
    // the cash-register machines are kept per company but named by the year routine
    std::string CaminhoICMSEletronica;
};

// Names of the shared tables under the data root (set once by the main frame).
struct CaminhosComuns {
    std::string CaminhoEmpresa, CaminhoFiliais, CaminhoContas_Integracao_Contabil,
        CaminhoAltContratuais, CaminhoRevendas, CaminhoCFO, CaminhoCodCFOComplementar, CaminhoCNAE,
        CaminhoEstados, CaminhoMunicipios, CaminhoForCliQel, CaminhoLoteVorel, CaminhoSenhas,
        CaminhoFechamentoEscrita, CaminhoLogEscrita, CaminhoImpressora, CaminhoLayArquivos,
        CaminhoLayCampArquivos;
};

// `tipoNbm` and `tipoFornecedor` are the company's EMP:TIPONBM and EMP:TIPOFORNECEDOR: 2 means the
// company's own files, any other value the office's shared files.
CaminhosEmpresa CaminhosArquivosEmpresa(std::string_view pastaRaiz, std::uint32_t empresa,
                                        int tipoNbm, int tipoFornecedor);
CaminhosAno CaminhosArquivosAno(std::string_view pastaRaiz, std::uint32_t empresa, int ano);
CaminhosComuns CaminhosArquivosComuns(std::string_view pastaRaiz);

// The file among `c`'s that a per-year table (or its alias) opens: "" for a table kept elsewhere.
std::string CaminhoNoAno(const CaminhosAno& c, const data::TableDesc& table);
// The file among `c`'s that a per-company table (or its alias) opens: the company's products, rate
// history, suppliers and customers, payroll and unit-value tables; "" for a table kept elsewhere.
std::string CaminhoNaEmpresa(const CaminhosEmpresa& c, const data::TableDesc& table);

// Stores the names into the tables' name variables (name_variables.h); the company's names also
// set `ArquivoForCliMorto`. A table already open keeps its file; the next open takes the new name.
void AplicaCaminhos(const CaminhosEmpresa& c);
void AplicaCaminhos(const CaminhosAno& c);
void AplicaCaminhos(const CaminhosComuns& c);

// Creates the company's three folders, or the year folder, each after its parent. A folder that
// exists already is no error; the first failure is returned.
std::error_code CriaPastas(const CaminhosEmpresa& c);
std::error_code CriaPastas(const CaminhosAno& c);

}  // namespace vorel::dictionary
