// The audit's tests of an item against the registers, and one pass's file of faulty items.
#include "vorel/movements/auditoria.h"

#include "vorel/core/paths.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/movements/entry_items.h"
#include "vorel/shell/text_report.h"

namespace vorel::movements {

namespace keys = dictionary::keys;

namespace {

data::FileManager& Thread(const data::TableDesc& t) { return data::dictionary::file(t); }

std::string W(std::string_view utf8) { return text::from_utf8(utf8); }

// The numeric value of a text as the runtime reads one: 0 when it is no number.
Decimal ValorNumerico(std::string_view s) { return Decimal::parse(text::trim(s)).value_or(Decimal(0)); }

bool Informado(const std::string& cnpj) {
    const std::string_view c = text::clip(cnpj);
    return !ValorNumerico(cnpj).is_zero() && !c.empty() && c != "00000000000000" && c != "00000000000";
}

bool ForCliCadastrado(CadastrosAuditoria& cad, const ItemAuditado& item) {
    auto& f = cad.forcli.rec<dictionary::ForCliRec>();
    cad.forcli.clear_record();
    if (item.codigoForCli > 0) {
        f.Codigo = item.codigoForCli;
        return cad.forcli.get(keys::FOR_KEY_CODIGO1).ok();
    }
    return fiscal::LeFornecedorPorCnpj(cad.forcli, item.cnpj);
}

// The product by its code, else by its user's code as plain digits, else as 20 digits.
bool ProdutoCadastrado(CadastrosAuditoria& cad, const Decimal& codigo) {
    return fiscal::LeProdutoPorCodigoOuApelido(cad.produtos, codigo, codigo.to_fixed(0));
}

// A row of the product's rate history with that rate, whatever its dates.
bool AliquotaNaTabela(CadastrosAuditoria& cad, const Decimal& produto, const Decimal& aliquota) {
    auto& a = cad.aliquotas.rec<dictionary::ProdutosAliqRec>();
    cad.aliquotas.clear_record();
    a.CODIGO_PRODUTO = produto;
    a.ALIQUOTA = aliquota;
    const int chave = cad.aliquotas.key_number(keys::PALIQ_KEY_PRODUTOALIQ);
    if (!cad.aliquotas.set_at(chave, 2).ok() || !cad.aliquotas.next().ok()) return false;
    return a.CODIGO_PRODUTO.value() == produto && a.ALIQUOTA.value() == aliquota;
}

}  // namespace

ItemAuditado DaEntrada(const dictionary::EntradaVorelRec& r) {
    return {std::string(r.Cnpj.value()), r.CodigoForCli, r.DataEmissao, r.Numero, r.CFO, r.Complemento,
            r.CFOComplementar, r.CodMercadoria, r.Aliquota, std::string(r.Estado.value())};
}

ItemAuditado DaSaida(const dictionary::SaidaVorelRec& r) {
    const Decimal complementar = ValorNumerico(r.CFOComplementar.value());
    return {std::string(r.CNPJ.value()), r.CodigoForCli, r.DataSaida, r.Numero, r.CFO, r.Complemento,
            static_cast<int>(complementar.to_integer()), r.CodMercadoria, r.Alicota, std::string(r.Estado.value())};
}

CadastrosAuditoria::CadastrosAuditoria()
    : forcli(Thread(dictionary::ForCli())),
      produtos(Thread(dictionary::Produtos())),
      aliquotas(Thread(dictionary::ProdutosAliq())),
      estados(Thread(dictionary::Estados())),
      cfo(Thread(dictionary::CFO())),
      complementares(Thread(dictionary::CodCFOComplementar())) {}

CadastrosAuditoria::~CadastrosAuditoria() {
    for (data::FileManager* f : abertos_) (void)f->close();
}

data::Result CadastrosAuditoria::Abre() {
    for (data::FileManager* f : {&forcli, &produtos, &aliquotas, &estados, &cfo, &complementares}) {
        data::Result r = f->open();
        if (!r.ok()) return r;
        abertos_.push_back(f);
    }
    return data::kNoError;
}

std::vector<std::string> TestaItem(const ItemAuditado& item, Movimento tipo, CadastrosAuditoria& cad, int ano) {
    std::vector<std::string> linhas;
    const std::string nota = W("Nota Fiscal de número ") + std::to_string(item.numero);
    const bool entrada = tipo == Movimento::Entrada;

    // 1-2: the customer or supplier.
    if (!Informado(item.cnpj))
        linhas.push_back(nota + W(entrada ? " Fornecedor deve ser informado." : " Cliente deve ser informado."));
    else if (!ForCliCadastrado(cad, item))
        linhas.push_back(nota + W(entrada ? " Fornecedor não cadastrado." : " Cliente não cadastrado."));

    // 3-5: the product, its rate and the rate in its history.
    if (!ProdutoCadastrado(cad, item.produto)) {
        linhas.push_back(nota + W(" Produto não cadastrado."));
    } else {
        const auto& p = cad.produtos.rec<dictionary::ProdutosRec>();
        const Decimal codigo = p.Codigo, aliquota = p.Alicota;
        const std::string cadastro = "Cadastro Produto " + codigo.to_fixed(0);
        if (aliquota.is_zero())
            linhas.push_back(cadastro + W(" Aliquota está zerada."));
        else if (aliquota.sign() > 0 && codigo.sign() > 0 && !AliquotaNaTabela(cad, codigo, aliquota))
            linhas.push_back(cadastro + W(" Aliquota não cadastrada na Tabela."));
    }

    // 6-7: the state.
    if (text::clip(item.estado).empty()) {
        linhas.push_back(nota + W(" Estado em branco."));
    } else {
        cad.estados.clear_record();
        cad.estados.rec<dictionary::EstadosRec>().UF = text::upper(item.estado);
        if (!cad.estados.get(keys::EST_KEY_SIGLA).ok()) linhas.push_back(nota + W(" Estado não encontrado na Tabela."));
    }

    // 8-9: the item's rate.
    if (item.aliquota.is_zero())
        linhas.push_back(nota + W(" Aliquota está zerada."));
    else if (item.aliquota.sign() > 0 && item.produto.sign() > 0 && !AliquotaNaTabela(cad, item.produto, item.aliquota))
        linhas.push_back("Cadastro Produto " + item.produto.to_fixed(0) + W(" Aliquota não cadastrada na Tabela."));

    // 10: the code's numbering and the working year.
    if (!fiscal::CfoDoPeriodo(item.cfo, ano))
        linhas.push_back("Nota fiscal no dia " + picture::format("@D06b", item.data) +
                         W(" o CFO selecionado não pode ser utilizado no período em questão!!!"));

    // 11-12: the code of the operation.
    if (item.cfo == 0) {
        linhas.push_back(nota + W(" sem Código Fiscal de Operação (CFO)."));
    } else {
        auto& c = cad.cfo.rec<dictionary::CFORec>();
        cad.cfo.clear_record();
        c.CODIGO = static_cast<std::int16_t>(item.cfo);
        c.COMPLEMENTO = static_cast<std::int16_t>(item.complemento);
        if (!cad.cfo.get(keys::CFO_KEY_CFO).ok())
            linhas.push_back(nota + W(" Código Fiscal de Operação (CFO) não cadastrado."));
    }

    // 13: the complementary code, also when it is 0.
    cad.complementares.clear_record();
    cad.complementares.rec<dictionary::CodCFOComplementarRec>().CODIGO = static_cast<std::uint8_t>(item.cfoComplementar);
    if (item.cfoComplementar < 0 || item.cfoComplementar > 255 || !cad.complementares.get(keys::CCF_KEY_CODIGO).ok())
        linhas.push_back(nota + W(" Código Fiscal de Operação Complementar não cadastrado."));
    return linhas;
}

const data::TableDesc& TabelaDeErros(Movimento tipo) {
    return tipo == Movimento::Entrada ? dictionary::EntradaVorel0() : dictionary::SaidaVorel0();
}

ArquivoErros::ArquivoErros(Movimento tipo)
    : tipo_(tipo), tabela_(std::make_unique<data::FileManager>(TabelaDeErros(tipo))) {}

ArquivoErros::~ArquivoErros() {
    if (tabela_->is_open()) (void)tabela_->close();
    if (!nome_.empty())
        for (const char* fim : {"", "-lock", "-journal"}) (void)files::remove_file(nome_ + fim);
    if (!reserva_.empty()) (void)files::remove_file(reserva_);
}

data::Result ArquivoErros::Cria() {
    shell::NomeTemporario t = shell::NomeArqTemp();
    if (!t.ok()) {
        erro_ = t.erro;
        return data::kFileNotFound;
    }
    reserva_ = t.nome;     // stays taken while the pass's file lives
    nome_ = t.nome + "E";  // the table file beside it (a file of 0 bytes is no table)
    tabela_->set_create(true);
    data::Result r = tabela_->open_path(nome_);
    if (!r.ok()) erro_ = text::to_utf8(std::string(data::error_text(r)));
    return r;
}

}  // namespace vorel::movements
