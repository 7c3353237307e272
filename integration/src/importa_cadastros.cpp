// The register imports' mappings and import phases (suppliers and customers, products, machines).
#include "vorel/integration/importa_cadastros.h"

#include "vorel/core/date.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/integration/product_lookup.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;
using dictionary::ForCliRec;
using dictionary::ICMSEletronicaRec;
using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

constexpr int kCamposCadastro = 30;
constexpr int kCamposMaquina = 4;

data::FileManager& Tabela(const data::TableDesc& t) { return data::dictionary::file(t); }

}  // namespace

std::int32_t MesImportacao(int mes, int ano) { return date::make(ano, mes, 1); }

// --- suppliers and customers ---

ImportacaoFornecedores::ImportacaoFornecedores()
    : ImportacaoTexto(kTipoFornecedores, kCamposCadastro,
                      {dictionary::ForCli0(), {&dictionary::ForCli()}, {&dictionary::ForCli()}, keys::FOR_KEY_CODIGO1}) {}

void ImportacaoFornecedores::NovaLeitura() {
    temUltimo_ = false;
    novos_.clear();
}

ImportacaoTexto::DadosLinha ImportacaoFornecedores::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    data::FileManager& forcli = Tabela(dictionary::ForCli());
    auto& f = forcli.rec<ForCliRec>();
    if (!temUltimo_) {  // the last code handed out: the register's highest
        forcli.clear_record();
        f.Codigo = 4294967295u;
        f.Inativo = 255;
        ultimo_ = forcli.set_at(keys::FOR_KEY_CODIGO).ok() && forcli.previous().ok() ? f.Codigo : 0;
        temUltimo_ = true;
    }
    auto& s = staging().rec<ForCliRec>();
    s.TipoInscricao = l.Inteiro<std::uint8_t>(14);
    const bool cpf = s.TipoInscricao == 2;
    s.CGC = l.Texto(15);
    s.CPF = l.Texto(16);
    // A registered active partner keeps its code; a new one takes the line's or the next code.
    forcli.clear_record();
    f.Inativo = 0;
    if (cpf)
        f.CPF = s.CPF.value();
    else
        f.CGC = s.CGC.value();
    const std::string documento = cpf ? std::string(s.CPF.clipped()) : std::string(s.CGC.clipped());
    if (forcli.get(cpf ? keys::FOR_KEY_CPF : keys::FOR_KEY_CGC).ok()) {
        s.Codigo = f.Codigo;
    } else if (auto it = novos_.find(documento); !documento.empty() && it != novos_.end()) {
        s.Codigo = it->second;  // a second line of a partner new in this read: not staged again
    } else {
        s.Codigo = l.Inteiro<std::uint32_t>(1);
        if (s.Codigo == 0) s.Codigo = ++ultimo_;
        if (!documento.empty()) novos_.emplace(documento, s.Codigo);
    }
    s.Nome = l.Texto(2);
    s.Endereco = l.Texto(3);
    s.Numero = l.Inteiro<std::uint32_t>(4);
    s.Complemento = l.Texto(5);
    s.Bairro = l.Texto(6);
    s.Cidade = l.Texto(7);
    s.Estado = l.Texto(8);
    s.Cep = l.Inteiro<std::uint32_t>(9);
    s.DDD = l.Inteiro<std::uint16_t>(10);
    s.Telefone = l.Inteiro<std::uint32_t>(11);
    s.Ramal = l.Inteiro<std::uint16_t>(12);
    s.Fax = l.Inteiro<std::uint32_t>(13);
    s.InscricaoEstadual = l.Texto(17);
    s.TipoProdutos = l.Inteiro<std::uint8_t>(18);
    s.Clientes = l.Inteiro<std::uint8_t>(19);
    s.Fornecedor = l.Inteiro<std::uint8_t>(20);
    s.ProdutorRural = l.Inteiro<std::uint8_t>(21);
    s.ContaFornecedor = l.Texto(22);
    s.ContaCliente = l.Texto(23);
    return {o.mes, 0};
}

data::Result ImportacaoFornecedores::ImportaRegistro(int mesImpor) {
    data::FileManager& forcli = Tabela(dictionary::ForCli());
    auto& f = forcli.rec<ForCliRec>();
    const ForCliRec& s = staging().rec<ForCliRec>();
    forcli.clear_record();
    f.Codigo = s.Codigo;
    f.Inativo = 0;
    const bool achou = forcli.get(keys::FOR_KEY_CODIGO).ok();
    if (achou && !sobrescreve_) return data::kNoError;  // registered partners stay as they are
    if (!achou) {
        // The code may belong to an inactive partner: the line cannot take it.
        forcli.clear_record();
        f.Codigo = s.Codigo;
        if (forcli.get(keys::FOR_KEY_CODIGO1).ok()) {
            ListaImportacao(text::from_utf8("Cliente/Fornecedor de código " + std::to_string(s.Codigo) +
                                            " não importado: o código pertence a um cadastro inativo."));
            return data::kNoError;
        }
    }
    f = s;
    f.MesImport = MesImportacao(mesImpor, Opcoes().ano);
    return achou ? forcli.put() : forcli.add();
}

// --- products ---

ImportacaoProdutos::ImportacaoProdutos()
    : ImportacaoTexto(kTipoProdutos, kCamposCadastro,
                      {dictionary::Produtos0(),
                       {&dictionary::Produtos()},
                       {&dictionary::Produtos(), &dictionary::ProdutosAliq()},
                       keys::PRO_KEY_CODIGO}) {}

void ImportacaoProdutos::NovaLeitura() {
    temNovo_ = false;
    apelidos_.clear();
}

ImportacaoTexto::DadosLinha ImportacaoProdutos::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& s = staging().rec<ProdutosRec>();
    if (porCodigo_) {
        s.Codigo = ValorNumerico(l.Aparado(1));
    } else {
        const std::string apelido = l.Aparado(1).substr(0, 20);
        s.Apelido = apelido;
        data::FileManager& pro = Tabela(dictionary::Produtos());
        auto& p = pro.rec<ProdutosRec>();
        pro.clear_record();
        p.Apelido = apelido;
        if (pro.get(keys::PRO_Key_Apelido).ok()) {
            s.Codigo = p.Codigo;
        } else if (auto it = apelidos_.find(apelido); it != apelidos_.end()) {
            s.Codigo = it->second;  // a second line of a product new in this read: not staged again
        } else {
            if (!temNovo_) {  // the register's highest code at or below 14 digits
                pro.clear_record();
                p.Codigo = Decimal(99999999999999LL);
                novo_ = pro.set_at(keys::PRO_KEY_CODIGO).ok() && pro.previous().ok() ? Decimal(p.Codigo) : Decimal(0);
                temNovo_ = true;
            }
            novo_ = novo_ + Decimal(1);
            s.Codigo = novo_;
            apelidos_.emplace(apelido, novo_);
        }
    }
    s.NBM = l.Texto(2);
    s.Grupo = l.Inteiro<std::uint16_t>(3);
    s.Produtos = l.Texto(4);
    l.Valor(s.Alicota, 5, 3);
    s.Medida = l.Texto(6);
    int dia = 0, mes = 0, ano = 0;
    s.DataInicio = l.Data(7, 8, 9, dia, mes, ano);
    s.DataFinal = l.Data(10, 11, 12, dia, mes, ano);
    return {o.mes, 0};
}

data::Result ImportacaoProdutos::ComecaImportacao() {
    data::FileManager& aliq = Tabela(dictionary::ProdutosAliq());
    auto& a = aliq.rec<ProdutosAliqRec>();
    aliq.clear_record();
    a.CODIGO = Decimal(99999999999999LL);
    ultimaLinha_ = aliq.set_at(keys::PALIQ_Key_Codigo).ok() && aliq.previous().ok() ? Decimal(a.CODIGO) : Decimal(0);
    return data::kNoError;
}

data::Result ImportacaoProdutos::ImportaRegistro(int mesImpor) {
    data::FileManager& pro = Tabela(dictionary::Produtos());
    auto& p = pro.rec<ProdutosRec>();
    const ProdutosRec& s = staging().rec<ProdutosRec>();
    pro.clear_record();
    if (porCodigo_)
        p.Codigo = s.Codigo;
    else
        p.Apelido = s.Apelido;
    const bool achou = pro.get(porCodigo_ ? keys::PRO_KEY_CODIGO : keys::PRO_Key_Apelido).ok();
    if (!achou) pro.clear_record();
    p.Codigo = s.Codigo;
    if (!porCodigo_) p.Apelido = s.Apelido;
    p.Produtos = s.Produtos;
    p.Alicota = s.Alicota;
    p.Medida = s.Medida;
    p.DataInicio = s.DataInicio;
    p.DataFinal = s.DataFinal;
    p.NBM = s.NBM;
    p.Grupo = s.Grupo;
    p.MesImport = MesImportacao(mesImpor, Opcoes().ano);
    if (data::Result r = achou ? pro.put() : pro.add(); !r.ok()) return r;

    // The first rate-history row: none when the product has a row at this rate or a higher one.
    const Decimal codigo = s.Codigo;
    const Decimal aliquota = s.Alicota;
    if (codigo <= Decimal(0) || aliquota <= Decimal(0)) return data::kNoError;
    data::FileManager& aliq = Tabela(dictionary::ProdutosAliq());
    auto& a = aliq.rec<ProdutosAliqRec>();
    aliq.clear_record();
    a.CODIGO_PRODUTO = codigo;
    a.ALIQUOTA = aliquota;
    if (aliq.set_at(keys::PALIQ_KEY_PRODUTOALIQ).ok() && aliq.next().ok() &&
        static_cast<const Decimal&>(a.CODIGO_PRODUTO) == codigo)
        return data::kNoError;
    ultimaLinha_ = ultimaLinha_ + Decimal(1);
    aliq.clear_record();
    a.CODIGO = ultimaLinha_;
    a.CODIGO_PRODUTO = codigo;
    a.ALIQUOTA = aliquota;
    a.DATA_INICIAL = date::make(1900, 1, 1);
    return aliq.add();
}

// --- cash-register machines ---

ImportacaoMaquinas::ImportacaoMaquinas()
    : ImportacaoTexto(kTipoMaquinas, kCamposMaquina,
                      {dictionary::ICMSEletronica0(), {}, {&dictionary::ICMSEletronica()}, keys::ICM_KEY_NUMERO}) {}

ImportacaoTexto::DadosLinha ImportacaoMaquinas::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& s = staging().rec<ICMSEletronicaRec>();
    s.Codigo = l.Inteiro<std::int16_t>(1);
    s.Nome = l.Texto(2);
    s.Serie = l.Texto(3);
    s.CumpomFiscal = l.Texto(4);
    return {o.mes, 0};
}

data::Result ImportacaoMaquinas::ImportaRegistro(int mesImpor) {
    data::FileManager& icm = Tabela(dictionary::ICMSEletronica());
    auto& m = icm.rec<ICMSEletronicaRec>();
    const ICMSEletronicaRec& s = staging().rec<ICMSEletronicaRec>();
    icm.clear_record();
    m.Codigo = s.Codigo;
    const bool achou = icm.get(keys::ICM_KEY_NUMERO).ok();
    m = s;
    m.MesImpor = MesImportacao(mesImpor, Opcoes().ano);
    return achou ? icm.put() : icm.add();
}

}  // namespace vorel::integration
