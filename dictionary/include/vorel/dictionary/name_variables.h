// The name variables: one process-wide path per table file (`CaminhoEntradaVorel`, ...).
//
// A table takes its variable's value when it opens, creates or rebuilds its file; an alias shares
// its base's variable. Shared tables are named once at start (CaminhosArquivosComuns), company
// and year tables whenever the working company or year changes (folders.h), work and text tables
// by the procedures that use them. Paths are held whole, whatever their length.
#pragma once

#include "vorel/data/name_variable.h"

namespace vorel::dictionary {

extern data::NameVariable CaminhoEntradaVorel;
extern data::NameVariable CaminhoSaidaVorel;
extern data::NameVariable CaminhoQuantidadeVorel;
extern data::NameVariable CaminhoEntradaVeiculo;
extern data::NameVariable CaminhoSaidaVeiculo;
extern data::NameVariable CaminhoICMSEletronica;
extern data::NameVariable CaminhoLancICMSEletronico;
extern data::NameVariable CaminhoAnaliticoICMS;
extern data::NameVariable CaminhoMovMaqRegistradora;
extern data::NameVariable CaminhoSaldosVorel;
extern data::NameVariable CaminhoEntradaSaidaVorel;
extern data::NameVariable CaminhoResumoFinal;
extern data::NameVariable CaminhoSenhas;
extern data::NameVariable CaminhoFechamentoEscrita;
extern data::NameVariable CaminhoLogEscrita;
extern data::NameVariable CaminhoImpressora;
extern data::NameVariable CaminhoImpMatricial;
extern data::NameVariable CaminhoLayArquivos;
extern data::NameVariable CaminhoLayCampArquivos;
extern data::NameVariable CaminhoEmpresa;
extern data::NameVariable CaminhoFiliais;
extern data::NameVariable CaminhoContas_Integracao_Contabil;
extern data::NameVariable CaminhoAltContratuais;
extern data::NameVariable CaminhoRevendas;
extern data::NameVariable CaminhoCFO;
extern data::NameVariable CaminhoCodCFOComplementar;
extern data::NameVariable CaminhoCNAE;
extern data::NameVariable CaminhoEstados;
extern data::NameVariable CaminhoMunicipios;
extern data::NameVariable CaminhoForCli;
extern data::NameVariable CaminhoForCliQel;
extern data::NameVariable CaminhoProdutos;
extern data::NameVariable CaminhoProdutosAliq;
extern data::NameVariable CaminhoLoteVorel;
extern data::NameVariable CaminhoTabValorIndProduto;
extern data::NameVariable CaminhoTabelaValorProdutoSaida;
extern data::NameVariable CaminhoFuncionarios;
extern data::NameVariable CaminhoACFuncionarios;
extern data::NameVariable CaminhoDependentes;
extern data::NameVariable CaminhoDepVacinacao;
extern data::NameVariable CaminhoDepSuspSF;
extern data::NameVariable CaminhoMovFuncionarios;
extern data::NameVariable CaminhoRefTotalMedia;
extern data::NameVariable CaminhoRefMedCta;
extern data::NameVariable CaminhoRefVlrMensais;
// The archive of deleted suppliers and customers, which the supplier form puts into
// CaminhoForCli while it writes through the alias ForCliMorto.
extern data::NameVariable ArquivoForCliMorto;

}  // namespace vorel::dictionary
