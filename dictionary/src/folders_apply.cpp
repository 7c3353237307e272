// Applying the company, year and shared names to the name variables, and creating the folders.
#include "vorel/core/paths.h"
#include "vorel/dictionary/folders.h"
#include "vorel/dictionary/name_variables.h"

#include <utility>

#include "vorel/data/table_desc.h"

namespace vorel::dictionary {

void AplicaCaminhos(const CaminhosEmpresa& c) {
    CaminhoFuncionarios.set(c.CaminhoFuncionarios);
    CaminhoACFuncionarios.set(c.CaminhoACFuncionarios);
    CaminhoDepSuspSF.set(c.CaminhoDepSuspSF);
    CaminhoDepVacinacao.set(c.CaminhoDepVacinacao);
    CaminhoDependentes.set(c.CaminhoDependentes);
    CaminhoMovFuncionarios.set(c.CaminhoMovFuncionarios);
    CaminhoRefTotalMedia.set(c.CaminhoRefTotalMedia);
    CaminhoRefMedCta.set(c.CaminhoRefMedCta);
    CaminhoRefVlrMensais.set(c.CaminhoRefVlrMensais);
    CaminhoProdutos.set(c.CaminhoProdutos);
    CaminhoProdutosAliq.set(c.CaminhoProdutosAliq);
    CaminhoForCli.set(c.CaminhoForCli);
    ArquivoForCliMorto.set(c.ArquivoForCliMorto);
    CaminhoTabValorIndProduto.set(c.CaminhoTabValorIndProduto);
    CaminhoTabelaValorProdutoSaida.set(c.CaminhoTabelaValorProdutoSaida);
}

void AplicaCaminhos(const CaminhosAno& c) {
    CaminhoEntradaVorel.set(c.CaminhoEntradaVorel);
    CaminhoSaidaVorel.set(c.CaminhoSaidaVorel);
    CaminhoMovMaqRegistradora.set(c.CaminhoMovMaqRegistradora);
    CaminhoEntradaVeiculo.set(c.CaminhoEntradaVeiculo);
    CaminhoSaidaVeiculo.set(c.CaminhoSaidaVeiculo);
    CaminhoLancICMSEletronico.set(c.CaminhoLancICMSEletronico);
    CaminhoAnaliticoICMS.set(c.CaminhoAnaliticoICMS);
    CaminhoSaldosVorel.set(c.CaminhoSaldosVorel);
    CaminhoQuantidadeVorel.set(c.CaminhoQuantidadeVorel);
    CaminhoICMSEletronica.set(c.CaminhoICMSEletronica);
}

std::string CaminhoNoAno(const CaminhosAno& c, const data::TableDesc& table) {
    const std::pair<const data::NameVariable*, const std::string CaminhosAno::*> anuais[] = {
        {&CaminhoEntradaVorel, &CaminhosAno::CaminhoEntradaVorel},
        {&CaminhoSaidaVorel, &CaminhosAno::CaminhoSaidaVorel},
        {&CaminhoMovMaqRegistradora, &CaminhosAno::CaminhoMovMaqRegistradora},
        {&CaminhoEntradaVeiculo, &CaminhosAno::CaminhoEntradaVeiculo},
        {&CaminhoSaidaVeiculo, &CaminhosAno::CaminhoSaidaVeiculo},
        {&CaminhoLancICMSEletronico, &CaminhosAno::CaminhoLancICMSEletronico},
        {&CaminhoAnaliticoICMS, &CaminhosAno::CaminhoAnaliticoICMS},
        {&CaminhoSaldosVorel, &CaminhosAno::CaminhoSaldosVorel},
        {&CaminhoQuantidadeVorel, &CaminhosAno::CaminhoQuantidadeVorel},
    };
    for (const auto& [variavel, caminho] : anuais)
        if (table.layout().name == variavel) return c.*caminho;
    return {};
}

std::string CaminhoNaEmpresa(const CaminhosEmpresa& c, const data::TableDesc& table) {
    const std::pair<const data::NameVariable*, const std::string CaminhosEmpresa::*> daEmpresa[] = {
        {&CaminhoFuncionarios, &CaminhosEmpresa::CaminhoFuncionarios},
        {&CaminhoACFuncionarios, &CaminhosEmpresa::CaminhoACFuncionarios},
        {&CaminhoDepSuspSF, &CaminhosEmpresa::CaminhoDepSuspSF},
        {&CaminhoDepVacinacao, &CaminhosEmpresa::CaminhoDepVacinacao},
        {&CaminhoDependentes, &CaminhosEmpresa::CaminhoDependentes},
        {&CaminhoMovFuncionarios, &CaminhosEmpresa::CaminhoMovFuncionarios},
        {&CaminhoRefTotalMedia, &CaminhosEmpresa::CaminhoRefTotalMedia},
        {&CaminhoRefMedCta, &CaminhosEmpresa::CaminhoRefMedCta},
        {&CaminhoRefVlrMensais, &CaminhosEmpresa::CaminhoRefVlrMensais},
        {&CaminhoProdutos, &CaminhosEmpresa::CaminhoProdutos},
        {&CaminhoProdutosAliq, &CaminhosEmpresa::CaminhoProdutosAliq},
        {&CaminhoForCli, &CaminhosEmpresa::CaminhoForCli},
        {&ArquivoForCliMorto, &CaminhosEmpresa::ArquivoForCliMorto},
        {&CaminhoTabValorIndProduto, &CaminhosEmpresa::CaminhoTabValorIndProduto},
        {&CaminhoTabelaValorProdutoSaida, &CaminhosEmpresa::CaminhoTabelaValorProdutoSaida},
    };
    for (const auto& [variavel, caminho] : daEmpresa)
        if (table.layout().name == variavel) return c.*caminho;
    return {};
}

void AplicaCaminhos(const CaminhosComuns& c) {
    CaminhoEmpresa.set(c.CaminhoEmpresa);
    CaminhoFiliais.set(c.CaminhoFiliais);
    CaminhoContas_Integracao_Contabil.set(c.CaminhoContas_Integracao_Contabil);
    CaminhoAltContratuais.set(c.CaminhoAltContratuais);
    CaminhoRevendas.set(c.CaminhoRevendas);
    CaminhoCFO.set(c.CaminhoCFO);
    CaminhoCodCFOComplementar.set(c.CaminhoCodCFOComplementar);
    CaminhoCNAE.set(c.CaminhoCNAE);
    CaminhoEstados.set(c.CaminhoEstados);
    CaminhoMunicipios.set(c.CaminhoMunicipios);
    CaminhoForCliQel.set(c.CaminhoForCliQel);
    CaminhoLoteVorel.set(c.CaminhoLoteVorel);
    CaminhoSenhas.set(c.CaminhoSenhas);
    CaminhoFechamentoEscrita.set(c.CaminhoFechamentoEscrita);
    CaminhoLogEscrita.set(c.CaminhoLogEscrita);
    CaminhoImpressora.set(c.CaminhoImpressora);
    CaminhoLayArquivos.set(c.CaminhoLayArquivos);
    CaminhoLayCampArquivos.set(c.CaminhoLayCampArquivos);
}

std::error_code CriaPastas(const CaminhosEmpresa& c) {
    for (const std::string* folder : {&c.PastaEmpresa, &c.PastaEmpresaVorel, &c.PastaEscrita})
        if (std::error_code ec = files::make_folder(*folder)) return ec;
    return {};
}

std::error_code CriaPastas(const CaminhosAno& c) { return files::make_folder(c.PastaAno); }

}  // namespace vorel::dictionary
