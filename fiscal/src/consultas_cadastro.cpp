// The register look-ups of consultas_cadastro.h.
#include "vorel/fiscal/consultas_cadastro.h"

#include <string>

#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/other_year.h"

namespace vorel::fiscal {

namespace keys = dictionary::keys;

bool LeProdutoPorCodigo(data::FileManager& produtos, const Decimal& codigo) {
    auto& p = produtos.rec<dictionary::ProdutosRec>();
    produtos.clear_record();
    p.Codigo = codigo;
    if (produtos.get(keys::PRO_KEY_CODIGO).ok()) return true;
    produtos.clear_record();
    return false;
}

bool LeProdutoPorApelido(data::FileManager& produtos, std::string_view apelido) {
    produtos.clear_record();
    produtos.rec<dictionary::ProdutosRec>().Apelido = apelido;
    return produtos.get(keys::PRO_Key_Apelido).ok();
}

bool LeProduto(data::FileManager& produtos, const Decimal& codigo) {
    if (LeProdutoPorCodigo(produtos, codigo)) return true;
    const std::string apelido = codigo.to_string();
    if (LeProdutoPorApelido(produtos, apelido)) return true;
    // What a failed search leaves: the cleared record with the text searched.
    produtos.clear_record();
    produtos.rec<dictionary::ProdutosRec>().Apelido = apelido;
    return false;
}

std::string ApelidoDeVinteDigitos(const Decimal& codigo) {
    std::string digitos = codigo.to_fixed(0);
    if (digitos.size() < 20) digitos.insert(0, 20 - digitos.size(), '0');
    return digitos;
}

bool LeProdutoPorCodigoOuApelido(data::FileManager& produtos, const Decimal& codigo, std::string_view texto) {
    return LeProdutoPorCodigo(produtos, codigo) || LeProdutoPorApelido(produtos, texto) ||
           LeProdutoPorApelido(produtos, ApelidoDeVinteDigitos(codigo));
}

bool LeFornecedorPorCodigo(data::FileManager& forcli, std::uint32_t codigo) {
    forcli.clear_record();
    forcli.rec<dictionary::ForCliRec>().Codigo = codigo;
    return forcli.get(keys::FOR_KEY_CODIGO1).ok();
}

bool LeFornecedorPorCnpj(data::FileManager& forcli, std::string_view cnpj) {
    auto& f = forcli.rec<dictionary::ForCliRec>();
    forcli.clear_record();
    f.CGC = cnpj;
    f.Inativo = 0;
    return forcli.get(keys::FOR_KEY_CGC).ok();
}

bool LeFornecedorPorDocumento(data::FileManager& forcli, std::string_view documento) {
    if (LeFornecedorPorCnpj(forcli, documento)) return true;
    auto& f = forcli.rec<dictionary::ForCliRec>();
    forcli.clear_record();
    f.CPF = documento.substr(0, 11);
    f.Inativo = 0;
    return forcli.get(keys::FOR_KEY_CPF).ok();
}

std::uint32_t CodigoDoDocumento(data::FileManager& forcli, std::string_view documento) {
    return LeFornecedorPorDocumento(forcli, documento) ? forcli.rec<dictionary::ForCliRec>().Codigo : 0u;
}

std::optional<std::uint8_t> ColunaDoCfo(data::FileManager& cfo, int codigo, int complemento, EstadoDoCfo estado) {
    auto& c = cfo.rec<dictionary::CFORec>();
    cfo.clear_record();  // a blank state
    c.CODIGO = static_cast<std::int16_t>(codigo);
    c.COMPLEMENTO = static_cast<std::int16_t>(complemento);
    if (!cfo.get(estado == EstadoDoCfo::SemEstado ? keys::CFO_KEY_CODIGO : keys::CFO_KEY_CFO).ok()) return std::nullopt;
    return c.COLUNA;
}

std::optional<std::uint8_t> ColunasDoCfo::Coluna(int codigo, int complemento) {
    auto [it, novo] = colunas_.try_emplace({codigo, complemento});
    if (novo) it->second = ColunaDoCfo(cfo_, codigo, complemento, estado_);
    return it->second;
}

ConsultaProdutos::ConsultaProdutos(const shell::EmpresaPeriodo& periodo)
    : periodo_(periodo), fm_(dictionary::Produtos()) {}

ConsultaProdutos::~ConsultaProdutos() {
    if (fm_.is_open()) (void)fm_.close();
}

std::string ConsultaProdutos::Descricao(const Decimal& codigo) {
    if (!tentou_) {
        tentou_ = true;
        (void)shell::AbreNoAno(fm_, periodo_);  // not open: every description is blank
    }
    if (!fm_.is_open() || !LeProdutoPorCodigo(fm_, codigo)) return {};
    return std::string(fm_.rec<dictionary::ProdutosRec>().Produtos.clipped());
}

}  // namespace vorel::fiscal
