// The name variables' storage: one definition per process.
#include "vorel/dictionary/name_variables.h"

namespace vorel::dictionary {

data::NameVariable CaminhoEntradaVorel;
data::NameVariable CaminhoSaidaVorel;
data::NameVariable CaminhoQuantidadeVorel;
data::NameVariable CaminhoEntradaVeiculo;
data::NameVariable CaminhoSaidaVeiculo;
data::NameVariable CaminhoICMSEletronica;
data::NameVariable CaminhoLancICMSEletronico;
data::NameVariable CaminhoAnaliticoICMS;
data::NameVariable CaminhoMovMaqRegistradora;
data::NameVariable CaminhoSaldosVorel;
data::NameVariable CaminhoEntradaSaidaVorel;
data::NameVariable CaminhoResumoFinal;
data::NameVariable CaminhoSenhas;
data::NameVariable CaminhoFechamentoEscrita;
data::NameVariable CaminhoLogEscrita;
data::NameVariable CaminhoImpressora;
data::NameVariable CaminhoImpMatricial;
data::NameVariable CaminhoLayArquivos;
data::NameVariable CaminhoLayCampArquivos;
data::NameVariable CaminhoEmpresa;
data::NameVariable CaminhoFiliais;
data::NameVariable CaminhoContas_Integracao_Contabil;
data::NameVariable CaminhoAltContratuais;
data::NameVariable CaminhoRevendas;
data::NameVariable CaminhoCFO;
data::NameVariable CaminhoCodCFOComplementar;
data::NameVariable CaminhoCNAE;
data::NameVariable CaminhoEstados;
data::NameVariable CaminhoMunicipios;
data::NameVariable CaminhoForCli;
data::NameVariable CaminhoForCliQel;
data::NameVariable CaminhoProdutos;
data::NameVariable CaminhoProdutosAliq;
data::NameVariable CaminhoLoteVorel;
data::NameVariable CaminhoTabValorIndProduto;
data::NameVariable CaminhoTabelaValorProdutoSaida;
data::NameVariable CaminhoFuncionarios;
data::NameVariable CaminhoACFuncionarios;
data::NameVariable CaminhoDependentes;
data::NameVariable CaminhoDepVacinacao;
data::NameVariable CaminhoDepSuspSF;
data::NameVariable CaminhoMovFuncionarios;
data::NameVariable CaminhoRefTotalMedia;
data::NameVariable CaminhoRefMedCta;
data::NameVariable CaminhoRefVlrMensais;
data::NameVariable ArquivoForCliMorto;

}  // namespace vorel::dictionary
