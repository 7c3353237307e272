// The exit-invoice import's mapping, checks and import phase.
#include "vorel/integration/importa_saidas.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cadastros_do_item.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration {

namespace {

using dictionary::SaidaVorelRec;
namespace keys = dictionary::keys;

constexpr int kCampos = 20;

std::string Prefixo(std::uint32_t numero) { return "Nota Fiscal de número " + TextoNumero(numero); }

}  // namespace

ImportacaoSaidas::ImportacaoSaidas()
    : ImportacaoTexto(kTipoSaidas, kCampos,
                      {dictionary::SaidaVorel0(),
                       {&dictionary::ForCli(), &dictionary::Produtos(), &dictionary::CFO()},
                       {&dictionary::SaidaVorel(), &dictionary::LoteVorel(), &dictionary::SaldosVorel()},
                       keys::SAI_KEY_NUMERO}) {}

void ImportacaoSaidas::NovaLeitura() {
    clientes_.Esvazia();
    produtos_.Esvazia();
}

ImportacaoTexto::DadosLinha ImportacaoSaidas::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& s = staging().rec<SaidaVorelRec>();
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    s.Numero = l.Inteiro<std::uint32_t>(kCampoNotaNumero);
    const std::string prefixo = Prefixo(s.Numero);

    // Customer (and its state; field 14 when none comes from the register).
    s.CNPJ = l.Texto(kCampoNotaParceiro);
    const std::string cnpj(s.CNPJ.clipped());
    if (ValorNumerico(cnpj) != Decimal(0)) {
        if (const BuscaParceiro::Parceiro* c = clientes_.Busca(cnpj, false)) {
            s.Estado = c->estado;
            s.CodigoForCli = c->codigo;
        } else {
            lista(prefixo + " Fornecedor não cadastrado.");
        }
    }
    l.Valor(s.Quantidade, kCampoNotaQuantidade, 3);
    if (s.Estado.empty()) s.Estado = l.Texto(kCampoSaidaEstado);
    s.Serie = l.Texto(kCampoNotaSerie);
    int dia = 0, mes = 0, ano = 0;
    s.DataSaida = l.Data(kCampoNotaDia, kCampoNotaMes, kCampoNotaAno, dia, mes, ano);

    // Product, by its text and the line's rate.
    const std::string produto = l.Aparado(kCampoNotaProduto).substr(0, 20);
    s.CodMercadoria = ValorNumerico(produto);
    l.Valor(s.Alicota, kCampoNotaAliquota, 3);
    if (std::optional<Decimal> codigo = produtos_.Busca(produto, s.Alicota, o.utiliza))
        s.CodMercadoria = *codigo;
    else
        lista(prefixo + " Produto não cadastrado.");

    s.CFO = l.Inteiro<std::uint16_t>(kCampoNotaCfo);
    if (!fiscal::CfoDoPeriodo(s.CFO, o.ano))
        lista("Nota fiscal no dia " + TextoData(s.DataSaida) +
              " o CFO selecionado não pode ser utilizado no período em questão!!!");
    s.CFOComplementar = l.Texto(kCampoNotaCfoComplementar);
    l.Valor(s.BaseCalculo, kCampoNotaBase, 2);
    l.Valor(s.ICMS, kCampoNotaValor, 2);
    // The ICMS read is replaced by base x rate when it differs (an ICMS of 0 stays).
    const Decimal calculado = static_cast<const Decimal&>(s.BaseCalculo) * s.Alicota / Decimal(100);
    const Decimal& lido = s.ICMS;
    if (lido > Decimal(0) && calculado != lido && calculado.fits(13, 2)) s.ICMS = calculado;
    l.Valor(s.BaseAntReducao, kCampoSaidaBaseAntesReducao, 2);
    s.Lote = l.Texto(kCampoSaidaLote);
    s.Complemento = l.Inteiro<std::int16_t>(kCampoSaidaComplemento);
    return {mes, s.Numero};
}

void ImportacaoSaidas::DepoisDeAdicionar(LinhaImportada& l) {
    const auto& s = staging().rec<SaidaVorelRec>();
    auto lista = [&](const std::string& utf8) { l.Lista(text::from_utf8(utf8)); };
    const std::string prefixo = Prefixo(s.Numero);
    if (s.Numero == 0) lista("Nota fiscal no dia " + TextoData(s.DataSaida) + " sem número de nota.");
    if (s.DataSaida == 0) lista(prefixo + " sem Data de Emissão.");
    if (static_cast<const Decimal&>(s.CodMercadoria) == Decimal(0)) lista(prefixo + " deve ser informado código do produto.");
    if (s.CFO == 0)
        lista(prefixo + " sem Código Fiscal de Operação (CFO).");
    else if (!CfoCadastrado(s.CFO, cfos_))
        lista(prefixo + " Código Fiscal de Operação (CFO) não cadastrado.");
}

data::Result ImportacaoSaidas::ImportaRegistro(int mesImpor) {
    data::FileManager& sai = data::dictionary::file(dictionary::SaidaVorel());
    data::FileManager& lote = data::dictionary::file(dictionary::LoteVorel());
    auto& s = sai.rec<SaidaVorelRec>();
    s = staging().rec<SaidaVorelRec>();
    s.MesImpor = static_cast<std::uint8_t>(mesImpor);
    if (data::Result r = sai.add(); !r.ok()) return r;
    MarcaSaldo(s.CodMercadoria, s.Alicota);
    // An entry CFO used on an exit: the batch of the product is kept.
    const std::string cfo = std::to_string(s.CFO);
    if (cfo[0] != '1' && cfo[0] != '2') return data::kNoError;
    return fiscal::RegistraLote(lote, s.Lote.clipped(), s.CodMercadoria, fiscal::kLoteAtual);
}

}  // namespace vorel::integration
