// Company and year folders and the file names of their tables.
#include "vorel/dictionary/folders.h"

#include "vorel/core/text.h"

namespace vorel::dictionary {
namespace {

// Decimal digits with leading zeros to `width` (wider numbers keep every digit).
std::string digits(std::uint32_t value, std::size_t width) {
    std::string s = std::to_string(value);
    return s.size() < width ? std::string(width - s.size(), '0') + s : s;
}

std::string root_of(std::string_view pastaRaiz) { return std::string(text::clip(pastaRaiz)); }

std::string pasta_empresa(std::string_view pastaRaiz, std::uint32_t empresa) {
    return root_of(pastaRaiz) + digits(empresa, 8);
}

}  // namespace

CaminhosEmpresa CaminhosArquivosEmpresa(std::string_view pastaRaiz, std::uint32_t empresa,
                                        int tipoNbm, int tipoFornecedor) {
    const std::string root = root_of(pastaRaiz);
    CaminhosEmpresa c;
    c.PastaEmpresa = pasta_empresa(pastaRaiz, empresa);
    const std::string& pe = c.PastaEmpresa;
    c.CaminhoFuncionarios = pe + "\\Funciona.Tps";
    c.CaminhoACFuncionarios = pe + "\\ACFunc.Tps";
    c.CaminhoDepSuspSF = pe + "\\DepSupSF.Tps";
    c.CaminhoDepVacinacao = pe + "\\DepVacina.Tps";
    c.CaminhoDependentes = pe + "\\Dependent.Tps";
    c.CaminhoMovFuncionarios = pe + "\\MovFunci.Tps";
    c.CaminhoRefTotalMedia = pe + "\\RefTotMe.Tps";
    c.CaminhoRefMedCta = pe + "\\RefMedCT.Tps";
    c.CaminhoRefVlrMensais = pe + "\\RefVlMen.Tps";
    c.PastaEmpresaVorel = pe + "\\Vorel";
    c.PastaEscrita = pe + "\\Escrita";
    if (tipoNbm == 2) {
        c.CaminhoProdutos = pe + "\\Produtos.Tps";
        c.CaminhoProdutosAliq = pe + "\\ProdAliq.Tps";
    } else {
        c.CaminhoProdutos = root + "BComuns\\Produtos.Tps";
        c.CaminhoProdutosAliq = root + "BComuns\\ProdAliq.Tps";
    }
    if (tipoFornecedor == 2) {
        c.CaminhoForCli = c.PastaEscrita + "\\ForCli.Tps";
        c.ArquivoForCliMorto = c.PastaEscrita + "\\ForCliMo.Tps";
    } else {
        c.CaminhoForCli = root + "BComuns\\ForCli.Tps";
        c.ArquivoForCliMorto = root + "BComuns\\ForCliMo.Tps";
    }
    static constexpr const char* integracao[8] = {"\\IntTipo1.Tps", "\\IntTipo2.Tps", "\\IntTip3M.Tps",
                                                  "\\IntTip3A.Tps", "\\IntTip3P.Tps", "\\IntTipo4.Tps",
                                                  "\\IntTipo5.Tps", "\\IntTipo6.Tps"};
    for (int i = 0; i < 8; ++i) c.CaminhosIntegracao[i] = c.PastaEmpresaVorel + integracao[i];
    c.CaminhoTabValorIndProduto = c.PastaEmpresaVorel + "\\ProdUnit.Tps";
    c.CaminhoTabelaValorProdutoSaida = c.PastaEmpresaVorel + "\\ProdUniS.Tps";
    return c;
}

CaminhosAno CaminhosArquivosAno(std::string_view pastaRaiz, std::uint32_t empresa, int ano) {
    const std::string pastaEmpresaVorel = pasta_empresa(pastaRaiz, empresa) + "\\Vorel";
    CaminhosAno c;
    c.PastaAno = pastaEmpresaVorel + "\\" + digits(static_cast<std::uint32_t>(ano), 4);
    const std::string& pa = c.PastaAno;
    c.CaminhoEntradaVorel = pa + "\\Entradas.Tps";
    c.CaminhoSaidaVorel = pa + "\\Saidas.Tps";
    c.CaminhoMovMaqRegistradora = pa + "\\CaLanCup.Tps";
    c.CaminhoEntradaVeiculo = pa + "\\EntVeic.Tps";
    c.CaminhoSaidaVeiculo = pa + "\\SaiVeic.Tps";
    c.CaminhoLancICMSEletronico = pa + "\\CaLanMes.Tps";
    c.CaminhoAnaliticoICMS = pa + "\\CaLanAna.Tps";
    c.CaminhosOutros = {pa + "\\RegEntrada.Tps", pa + "\\DipiEntrada.Tps", pa + "\\Parcelas.Tps"};
    c.CaminhoSaldosVorel = pa + "\\SaldoPro.Tps";
    c.CaminhoQuantidadeVorel = pa + "\\QuantQel.Tps";
    c.CaminhoICMSEletronica = pastaEmpresaVorel + "\\MaqICMS.Tps";
    return c;
}

CaminhosComuns CaminhosArquivosComuns(std::string_view pastaRaiz) {
    const std::string r = root_of(pastaRaiz);
    CaminhosComuns c;
    c.CaminhoEmpresa = r + "BComuns\\Empresas.Tps";
    c.CaminhoAltContratuais = r + "BComuns\\AltContr.Tps";
    c.CaminhoLayArquivos = r + "BComuns\\LayArqui.Tps";
    c.CaminhoLayCampArquivos = r + "BComuns\\LACampos.Tps";
    c.CaminhoMunicipios = r + "BComuns\\Municipi.Tps";
    c.CaminhoCNAE = r + "BComuns\\CNAE.Tps";
    c.CaminhoEstados = r + "BComuns\\Estados.Tps";
    c.CaminhoImpressora = r + "BComuns\\Impresso.Tps";
    c.CaminhoRevendas = r + "BComuns\\Revendas.Tps";
    c.CaminhoContas_Integracao_Contabil = r + "BComuns\\CIntegra.Ini";
    c.CaminhoCFO = r + "BEscrita\\CfoVorel.Tps";
    c.CaminhoCodCFOComplementar = r + "BEscrita\\ComplCFO.Tps";
    c.CaminhoFiliais = r + "BComuns\\Filiais.Tps";
    c.CaminhoSenhas = r + "BVorel\\Senha.Tps";
    c.CaminhoFechamentoEscrita = r + "BVorel\\Fechamen.Tps";
    c.CaminhoLogEscrita = r + "BVorel\\LogEscri.Tps";
    c.CaminhoForCliQel = r + "\\BComuns\\ForCli17.Tps";
    c.CaminhoLoteVorel = r + "\\BComuns\\LotVorel.Tps";
    return c;
}

}  // namespace vorel::dictionary
