// The vehicle imports' mapping, checks and import phase.
#include "vorel/integration/importa_veiculos.h"

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
using dictionary::EntradaVeiculoRec;
using dictionary::SaidaVeiculoRec;

constexpr int kCampos = 20;

std::string Prefixo(std::uint32_t numero) { return "Nota Fiscal de número " + TextoNumero(numero); }

}  // namespace

ImportacaoVeiculos::ImportacaoVeiculos(bool saidas)
    : ImportacaoTexto(saidas ? kTipoSaidaVeiculos : kTipoEntradaVeiculos, kCampos,
                      {saidas ? dictionary::SaidaVeiculo0() : dictionary::EntradaVeiculo0(),
                       {&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO()},
                       {saidas ? &dictionary::SaidaVeiculo() : &dictionary::EntradaVeiculo()},
                       saidas ? keys::SAV_KEY_NUMERO : keys::ENV_KEY_NUMERO}),
      saidas_(saidas) {}

template <class Rec>
ImportacaoTexto::DadosLinha ImportacaoVeiculos::Preenche(Rec& r, std::int32_t& data, LinhaImportada& l,
                                                         const OpcoesLeitura& o) {
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    r.Numero = l.Inteiro<std::uint32_t>(3);
    const std::string prefixo = Prefixo(r.Numero);

    // Supplier (entries) or customer (exits) and its state.
    r.CNPJforcli = l.Texto(1);
    const std::string cnpj(r.CNPJforcli.clipped());
    if (ValorNumerico(cnpj) == Decimal(0)) {
        if (!saidas_) lista(prefixo + " Fornecedor deve ser informado.");
    } else if (const BuscaParceiro::Parceiro* p = parceiros_.Busca(cnpj, true)) {
        r.Estado = p->estado;
    } else {
        lista(prefixo + " Fornecedor não cadastrado.");
    }
    r.Serie = l.Texto(2);
    int dia = 0, mes = 0, ano = 0;
    data = l.Data(4, 5, 6, dia, mes, ano);
    l.Valor(r.Quantidade, 7, 3);
    r.Chassi = l.Texto(8);

    // Product by the number read: by code, by that number as a nickname, by its 20 digits.
    const Decimal numero = ValorNumerico(l.Aparado(9));
    const std::string chave = numero.to_fixed(0);
    r.CodProduto = numero;
    aliquotaProduto_ = Decimal(0);
    auto it = produtos_.find(chave);
    if (it == produtos_.end()) {
        if (LeProdutoDaLinha(chave, numero, o.utiliza)) {
            const auto& p = data::dictionary::file(dictionary::Produtos()).rec<dictionary::ProdutosRec>();
            it = produtos_.emplace(chave, Produto{p.Codigo, p.Alicota}).first;
        }
    }
    if (it != produtos_.end()) {
        r.CodProduto = it->second.codigo;
        aliquotaProduto_ = it->second.aliquota;
    } else {
        lista(prefixo + " Produto não cadastrado.");
    }
    r.CFO = l.Inteiro<std::uint16_t>(10);
    r.CFOComplementar = l.Inteiro<std::uint8_t>(11);
    l.Valor(r.Aliquota, 12, 3);
    return {mes, r.Numero, r.Chassi.empty()};
}

ImportacaoTexto::DadosLinha ImportacaoVeiculos::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    if (!saidas_) {
        auto& e = staging().rec<EntradaVeiculoRec>();
        DadosLinha d = Preenche(e, e.DataEntrada, l, o);
        l.Valor(e.BaseCalcRetencao, 13, 2);
        l.Valor(e.BasepropSubstituid, 14, 2);
        return d;
    }
    auto& s = staging().rec<SaidaVeiculoRec>();
    DadosLinha d = Preenche(s, s.DataSaida, l, o);
    l.Valor(s.BaseSaidaConsFinal, 13, 2);
    if (ValorNumerico(std::string(s.CNPJforcli.clipped())) == Decimal(0)) {
        s.Estado = l.Texto(14);
        if (s.Estado.empty()) l.Lista(text::from_utf8(Prefixo(s.Numero) + " o Estado deve ser informado."));
    }
    return d;
}

template <class Rec>
void ImportacaoVeiculos::Confere(const Rec& r, std::int32_t data, LinhaImportada& l) {
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    const std::string prefixo = Prefixo(r.Numero);
    if (r.Numero == 0) lista("Exite nota fiscal no dia " + TextoData(data) + " sem número de nota.");
    if (data == 0) lista(prefixo + " sem Data de Emissão.");
    if (static_cast<const Decimal&>(r.CodProduto) == Decimal(0))
        lista(prefixo + " deve ser informado código do produto.");
    else if (static_cast<const Decimal&>(r.Aliquota) != aliquotaProduto_)
        lista(prefixo + " Alíquota de ICMS não confere com a informanda no Produto.");
    if (r.CFO == 0)
        lista(prefixo + " sem Código Fiscal de Operação (CFO).");
    else if (!CfoCadastrado(r.CFO, cfos_))
        lista(prefixo + " Código Fiscal de Operação (CFO) não cadastrado.");
}

void ImportacaoVeiculos::DepoisDeAdicionar(LinhaImportada& l) {
    if (saidas_) {
        const auto& s = staging().rec<SaidaVeiculoRec>();
        Confere(s, s.DataSaida, l);
    } else {
        const auto& e = staging().rec<EntradaVeiculoRec>();
        Confere(e, e.DataEntrada, l);
    }
}

template <class Rec>
data::Result ImportacaoVeiculos::Grava(const data::TableDesc& alvo, data::KeyName chave, int mesImpor) {
    data::FileManager& f = data::dictionary::file(alvo);
    auto& r = f.rec<Rec>();
    r = staging().rec<Rec>();
    const bool achou = f.get(chave).ok();
    r = staging().rec<Rec>();
    r.Complemento = 1;
    r.MesImpor = static_cast<std::uint8_t>(mesImpor);
    return achou ? f.put() : f.add();
}

data::Result ImportacaoVeiculos::ImportaRegistro(int mesImpor) {
    return saidas_ ? Grava<SaidaVeiculoRec>(dictionary::SaidaVeiculo(), keys::SAV_KEY_NUMERO, mesImpor)
                   : Grava<EntradaVeiculoRec>(dictionary::EntradaVeiculo(), keys::ENV_KEY_NUMERO, mesImpor);
}

}  // namespace vorel::integration
