// ReuniaoProdutos: the period's movements gathered product by product (reuniao_produtos.h).
#include "reuniao_produtos.h"

#include <limits>
#include <optional>
#include <utility>

#include "vorel/data/cursor.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::computation::detail {

namespace keys = dictionary::keys;
using data::FileManager;

namespace {

// An exit number right-aligned in six positions, leading zeros as blanks (0: all blanks); a number
// of more digits is written whole, so no digit is lost.
std::string NumeroSaida(std::uint32_t numero) {
    if (numero == 0) return std::string(6, ' ');
    std::string digitos = std::to_string(numero);
    return digitos.size() >= 6 ? digitos : std::string(6 - digitos.size(), ' ') + digitos;
}

}  // namespace

ReuniaoProdutos::Fonte::Fonte(Execucao& run, FileManager& fm, Leitura leitura)
    : run_(run), fm_(fm), l_(std::move(leitura)) {}

// For one product the cursor reads that product's range. For every product it reaches each
// product's range by a seek: the items of other months are never read.
void ReuniaoProdutos::Fonte::Inicia() {
    fm_.clear_record();
    if (run_.opcoes.todos) {
        Checa(fm_.set(l_.chave), "Lendo os movimentos");
    } else {
        l_.posiciona(run_.opcoes.produto, false);
        Checa(fm_.set_at(l_.chave), "Lendo os movimentos");
    }
    Avanca();
}

void ReuniaoProdutos::Fonte::Avanca() {
    tem_ = false;
    while (!fim_ && fm_.next().ok()) {
        run_.Conta();
        const Decimal produto = l_.produto();
        const date::Day dia = l_.dia();
        if (!run_.opcoes.todos) {
            if (produto != run_.opcoes.produto || dia > run_.fim || dia < run_.inicio) break;
        } else if (dia < run_.inicio || dia > run_.fim) {
            // Before the period: to the product's first day (once); after it: to the next product.
            const bool depois = dia > run_.fim || (posicionado_ && noInicio_ == produto);
            if (!depois) {
                noInicio_ = produto;
                posicionado_ = true;
            }
            fm_.clear_record();
            l_.posiciona(produto, depois);
            Checa(fm_.set_at(l_.chave), "Lendo os movimentos");
            continue;
        }
        if (l_.aceita && !l_.aceita()) continue;
        produto_ = produto;
        tem_ = true;
        return;
    }
    fim_ = true;
}

ReuniaoProdutos::ReuniaoProdutos(Execucao& run)
    : run_(run),
      sai_(dictionary::SaidaVorel()),
      ent_(dictionary::EntradaVorel()),
      mmr_(dictionary::MovMaqRegistradora()),
      icm_(dictionary::ICMSEletronica()) {}

ReuniaoProdutos::~ReuniaoProdutos() {
    for (FileManager* fm : {&sai_, &ent_, &mmr_, &icm_})
        if (fm->is_open()) (void)fm->close();
}

void ReuniaoProdutos::Abre() {
    ProdutosSemMovimento();
    proximoSemMovimento_ = semMovimento_.begin();

    // Each movement file is read for the fields a work row takes from it, not its whole records.
    run_.Abre(sai_, "Abrindo as saídas");
    (void)sai_.send(kCacheDasSaidas);
    Checa(data::Cursor::read_only(sai_, {"CodMercadoria", "DataSaida", "Serie", "Numero", "CFO", "Complemento",
                                         "CFOComplementar", "Quantidade", "BaseCalculo", "CNPJ", "CodigoForCli", "Alicota"}),
          "Lendo as saídas");
    auto& s = sai_.rec<dictionary::SaidaVorelRec>();
    fontes_.push_back(std::make_unique<Fonte>(run_, sai_, Leitura{
        keys::SAI_KEY_PRODUTODATA,
        [&](const Decimal& produto, bool depois) {
            s.CodMercadoria = produto;
            s.DataSaida = depois ? std::numeric_limits<std::int32_t>::max() : run_.inicio;
        },
        [&] { return s.CodMercadoria.value(); }, [&] { return s.DataSaida; }, {}}));

    run_.Abre(ent_, "Abrindo as entradas");
    (void)ent_.send(kCacheDasEntradas);
    Checa(data::Cursor::read_only(ent_, {"CodMercadoria", "DataEmissao", "Serie", "Numero", "CFO", "Complemento",
                                         "CFOComplementar", "Quantidade", "BaseICMS", "Cnpj", "CodigoForCli", "Aliquota",
                                         "Saldo_Inicial"}),
          "Lendo as entradas");
    auto& e = ent_.rec<dictionary::EntradaVorelRec>();
    fontes_.push_back(std::make_unique<Fonte>(run_, ent_, Leitura{
        keys::ENT_KEY_PRODUTODATA,
        [&](const Decimal& produto, bool depois) {
            e.CodMercadoria = produto;
            e.DataEmissao = depois ? std::numeric_limits<std::int32_t>::max() : run_.inicio;
        },
        [&] { return e.CodMercadoria.value(); }, [&] { return e.DataEmissao; }, {}}));

    // Cash-register items (not for an explicit period): only those of the totaliser "F" give rows.
    if (!run_.opcoes.periodoExplicito) {
        run_.Abre(mmr_, "Abrindo os itens das máquinas registradoras");
        (void)mmr_.send(kCacheDaExecucao);
        Checa(data::Cursor::read_only(mmr_, {"CodMercadoria", "DataEmissao", "Aliquota", "Codigo", "Quantidade", "BaseCalculo"}),
              "Lendo os itens das máquinas registradoras");
        run_.Abre(icm_, "Abrindo as máquinas registradoras");
        auto& m = mmr_.rec<dictionary::MovMaqRegistradoraRec>();
        fontes_.push_back(std::make_unique<Fonte>(run_, mmr_, Leitura{
            keys::MMR_KEY_PRODUTODATA,
            [&](const Decimal& produto, bool depois) {
                m.CodMercadoria = produto;
                m.DataEmissao = depois ? std::string(8, '9') : std::to_string(run_.inicio);
            },
            [&] { return m.CodMercadoria.value(); }, [&] { return NumeroDoTexto(m.DataEmissao.value()); },
            [&] { return m.Aliquota.clipped() == "F"; }}));
    }
    for (auto& f : fontes_) f->Inicia();
}

void ReuniaoProdutos::DevolveCaches() {
    for (FileManager* fm : {&sai_, &ent_, &mmr_})
        if (fm->is_open()) (void)fm->send(kCacheDevolvido);
}

// Products whose month record is marked for recomputation, then those of the previous month's
// balances (the previous year's file in January): valued even without movements, at the rate of
// their first record when they have none.
void ReuniaoProdutos::ProdutosSemMovimento() {
    const std::string escolhido = CodigoTexto(run_.opcoes.produto);
    auto anota = [&](const dictionary::SaldosVorelRec& q) {
        if (auto codigo = Decimal::parse(q.Produto.clipped())) {
            auto [it, novo] = semMovimento_.try_emplace(*codigo);
            if (novo) it->second = q.Aliquota;
        }
    };
    {
        FileManager saldos(dictionary::SaldosVorel());
        run_.Abre(saldos, "Abrindo os saldos");
        auto& q = saldos.rec<dictionary::SaldosVorelRec>();
        saldos.clear_record();
        q.Competencia = run_.inicio;
        q.Exclusao = 1;
        Checa(saldos.set_at(keys::SQEL_KEY_EXCLUSAO), "Lendo os saldos");
        while (saldos.next().ok()) {
            run_.Conta();
            if (q.Competencia > run_.fim || q.Exclusao == 0) break;
            if (!run_.opcoes.todos && q.Produto.clipped() != escolhido) continue;
            anota(q);
        }
        (void)saldos.close();
    }
    FileManager saldos(dictionary::SaldosVorel());
    if (run_.mes == 1) {
        if (!run_.AbreDoAno(saldos, run_.ano - 1)) return;
    } else {
        run_.Abre(saldos, "Abrindo os saldos");
    }
    auto& q = saldos.rec<dictionary::SaldosVorelRec>();
    saldos.clear_record();
    q.Competencia = run_.mesAnterior;
    if (!run_.opcoes.todos) q.Produto = escolhido;
    Checa(saldos.set_at(run_.opcoes.todos ? keys::SQEL_KEY_DATA : keys::SQEL_KEY_PROD_DATA), "Lendo os saldos");
    while (saldos.next().ok()) {
        run_.Conta();
        if (q.Competencia <= 0 || date::first_of_month(q.Competencia) != run_.mesAnterior) break;
        if (!run_.opcoes.todos && q.Produto.clipped() != escolhido) break;
        anota(q);
    }
    (void)saldos.close();
}

LinhaTrabalho& ReuniaoProdutos::LinhaDaSaida() {
    const auto& s = sai_.rec<dictionary::SaidaVorelRec>();
    auto& w = run_.trabalho.rec<LinhaTrabalho>();
    run_.trabalho.clear_record();
    w.DATA = s.DataSaida;
    w.SERIE = s.Serie.value();
    w.NUMERO = NumeroSaida(s.Numero);
    w.CFO = s.CFO;
    w.COMPLEMENTO = static_cast<std::uint8_t>(s.Complemento & 0xFF);
    w.CFOCOMPL = static_cast<std::int16_t>(NumeroDoTexto(s.CFOComplementar.value()));
    w.QUANTIDADE = s.Quantidade;
    w.BASEICMS = s.BaseCalculo;
    w.CODMERCADORIA = s.CodMercadoria;
    w.ENTSAI = 2;
    w.CNPJFORPROD = s.CNPJ.value();
    w.CODIGOFORCLI = s.CodigoForCli;
    return w;
}

LinhaTrabalho& ReuniaoProdutos::LinhaDaEntrada() {
    const auto& e = ent_.rec<dictionary::EntradaVorelRec>();
    auto& w = run_.trabalho.rec<LinhaTrabalho>();
    run_.trabalho.clear_record();
    w.DATA = e.DataEmissao;
    w.SERIE = e.Serie.value();
    w.NUMERO = e.Numero > 0 ? std::to_string(e.Numero) : std::string();
    w.CFO = e.CFO;
    w.COMPLEMENTO = static_cast<std::uint8_t>(e.Complemento & 0xFF);
    w.CFOCOMPL = e.CFOComplementar;
    w.QUANTIDADE = e.Quantidade;
    w.BASEICMS = e.BaseICMS;
    w.CODMERCADORIA = e.CodMercadoria;
    w.ENTSAI = 1;
    w.CNPJFORPROD = e.Cnpj.value();
    w.CODIGOFORCLI = e.CodigoForCli;
    return w;
}

LinhaTrabalho& ReuniaoProdutos::LinhaDoCaixa() {
    const auto& m = mmr_.rec<dictionary::MovMaqRegistradoraRec>();
    auto serie = series_.find(m.Codigo);
    if (serie == series_.end()) {
        auto& maquina = icm_.rec<dictionary::ICMSEletronicaRec>();
        icm_.clear_record();
        maquina.Codigo = m.Codigo;
        std::string s = icm_.get(keys::ICM_KEY_NUMERO).ok() ? std::string(maquina.Serie.clipped()) : std::string();
        serie = series_.emplace(m.Codigo, s).first;
    }
    auto& w = run_.trabalho.rec<LinhaTrabalho>();
    run_.trabalho.clear_record();
    w.DATA = NumeroDoTexto(m.DataEmissao.value());
    w.NUMERO = serie->second;
    w.SERIE = "0";
    w.CODMERCADORIA = m.CodMercadoria;
    w.QUANTIDADE = m.Quantidade;
    w.BASEICMS = m.BaseCalculo;
    w.ALIQUOTA = m.Aliquota.value();
    w.ENTSAI = 2;
    return w;
}

// The product's rate in the list: its first exit's, overwritten by each of its entries; 0 for a
// product with cash items only; else its first marked or previous-month record's. Several
// opening-balance entries of a product add up.
bool ReuniaoProdutos::Proximo(Decimal& codigo, ItemProduto& item, std::vector<LinhaDoProduto>& linhas) {
    std::optional<Decimal> menor;
    for (const auto& f : fontes_)
        if (f->Tem() && (!menor || f->Produto() < *menor)) menor = f->Produto();
    if (proximoSemMovimento_ != semMovimento_.end() && (!menor || proximoSemMovimento_->first < *menor))
        menor = proximoSemMovimento_->first;
    if (!menor) return false;
    codigo = *menor;
    item = ItemProduto{};
    linhas.clear();
    bool movimento = false;

    Fonte& saidas = *fontes_[0];
    for (bool primeira = true; saidas.Tem() && saidas.Produto() == codigo; saidas.Avanca(), primeira = false) {
        linhas.push_back({LinhaDaSaida(), posicaoSaida_++});
        if (primeira) item.aliquota = sai_.rec<dictionary::SaidaVorelRec>().Alicota;
        movimento = true;
    }
    Fonte& entradas = *fontes_[1];
    for (; entradas.Tem() && entradas.Produto() == codigo; entradas.Avanca()) {
        linhas.push_back({LinhaDaEntrada(), posicaoEntrada_++});
        const auto& e = ent_.rec<dictionary::EntradaVorelRec>();
        item.aliquota = e.Aliquota;
        if (e.Saldo_Inicial == 1) {
            item.saldoBaseRetencao += e.BaseICMS;
            item.saldoQuantidade += e.Quantidade;
            item.saldoValUnitario = Decimal::divide_or_zero(item.saldoBaseRetencao, item.saldoQuantidade);
        }
        movimento = true;
    }
    if (fontes_.size() > 2) {
        Fonte& caixas = *fontes_[2];
        for (; caixas.Tem() && caixas.Produto() == codigo; caixas.Avanca()) {
            linhas.push_back({LinhaDoCaixa(), posicaoCaixa_++});
            movimento = true;
        }
    }
    if (proximoSemMovimento_ != semMovimento_.end() && proximoSemMovimento_->first == codigo) {
        if (!movimento) item.aliquota = proximoSemMovimento_->second;
        ++proximoSemMovimento_;
    }
    return true;
}

}  // namespace vorel::computation::detail
