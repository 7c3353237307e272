// The cash-register import's mapping, checks and import phase.
#include "vorel/integration/importa_ecf.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration {

namespace {

namespace keys = dictionary::keys;
using dictionary::AnaliticoICMSRec;
using dictionary::LancICMSEletronicoRec;
using dictionary::MovMaqRegistradoraRec;

constexpr int kCampos = 15;

void Lista(const LinhaImportada& l, const std::string& utf8) { l.Lista(text::from_utf8(utf8)); }

std::string Data(std::string_view texto) { return TextoData(dictionary::DiaDoTexto(texto)); }

// The staged record into its target, by the target's unique key: replaced when the key is stored.
template <class Rec>
data::Result Grava(const Rec& preparado, const data::TableDesc& alvo, data::KeyName chave, int mesImpor) {
    data::FileManager& f = data::dictionary::file(alvo);
    auto& r = f.rec<Rec>();
    r = preparado;
    const bool achou = f.get(chave).ok();
    r = preparado;
    r.MesImpor = mesImpor;
    return achou ? f.put() : f.add();
}

}  // namespace

// --- master ---

LeituraMestre::LeituraMestre()
    : ImportacaoTexto(kTipoMestre, kCampos,
                      {dictionary::LancICMSEletronico0(),
                       {&dictionary::ICMSEletronica()},
                       {&dictionary::LancICMSEletronico(), &dictionary::AnaliticoICMS(), &dictionary::MovMaqRegistradora(),
                        &dictionary::SaldosVorel()},
                       keys::LAN_KEY_CODIGO}) {}

ImportacaoTexto::DadosLinha LeituraMestre::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    auto& m = staging().rec<LancICMSEletronicoRec>();
    int dia = 0, ano = 0;
    m.DataEmissao = dictionary::DataComoTexto(l.Data(1, 2, 3, dia, mes_, ano));
    m.Codigo = l.Inteiro<std::int16_t>(4);
    m.InicialCupom = l.Inteiro<std::int32_t>(5);
    m.FinalCupom = l.Inteiro<std::int32_t>(6);
    m.ContReducao = l.Inteiro<std::int32_t>(7);
    l.Valor(m.GTInicio, 8, 2);
    l.Valor(m.GTFinal, 9, 2);
    mesTrabalho_ = o.mes;
    return {mes_, static_cast<std::uint32_t>(l.numero())};
}

void LeituraMestre::DepoisDeAdicionar(LinhaImportada& l) {
    const auto& m = staging().rec<LancICMSEletronicoRec>();
    const std::string n = "Mestre Linha " + std::to_string(l.numero());
    const std::string dia = " Lançamento Mestre do dia " + Data(m.DataEmissao.value());
    data::FileManager& icm = data::dictionary::file(dictionary::ICMSEletronica());
    icm.clear_record();
    icm.rec<dictionary::ICMSEletronicaRec>().Codigo = m.Codigo;
    if (!icm.get(keys::ICM_KEY_NUMERO).ok())
        Lista(l, n + dia + " possui o Código da Máquinas Registradora inválido.");
    if (mes_ != mesTrabalho_)
        Lista(l, n + " O Arquivo Mestre possui lançamentos com data diferente do Mês selecionado.");
    if (m.InicialCupom > m.FinalCupom) Lista(l, n + dia + " possui Cupom Inicial Maior do que o Cupom Final.");
    if (m.GTInicio.value() > m.GTFinal.value()) Lista(l, n + dia + " possui GT Inicial Maior do que o GT Final.");
}

data::Result LeituraMestre::ImportaRegistro(int mesImpor) {
    return Grava(staging().rec<LancICMSEletronicoRec>(), dictionary::LancICMSEletronico(), keys::LAN_KEY_CODIGO,
                 mesImpor);
}

data::Result LeituraMestre::TerminaImportacao(int mesImpor, const Progresso& progresso, long& feitos,
                                              bool& interrompida) {
    // The analytic and daily records go in the master's transaction: the month is all there or not.
    for (ImportacaoTexto* run : {analitico_, diario_}) {
        if (!run) continue;
        if (data::Result r = run->CopiaPreparados(mesImpor, progresso, feitos, interrompida); !r.ok() || interrompida)
            return r;
        if (data::Result r = run->GravaMarcas(); !r.ok()) return r;
    }
    return data::kNoError;
}

// --- analytic and daily ---

LeituraDetalhe::LeituraDetalhe(bool diario, data::FileManager& mestre)
    : ImportacaoTexto(diario ? kTipoDiario : kTipoAnalitico, kCampos,
                      {diario ? dictionary::MovMaqRegistradora0() : dictionary::AnaliticoICMS0(),
                       diario ? std::vector<const data::TableDesc*>{&dictionary::Produtos()}
                              : std::vector<const data::TableDesc*>{},
                       {diario ? &dictionary::MovMaqRegistradora() : &dictionary::AnaliticoICMS()},
                       diario ? keys::MMR_KEY_CODIGO : keys::ANA_KEY_ALICOTA}),
      diario_(diario),
      mestre_(mestre) {}

ImportacaoTexto::DadosLinha LeituraDetalhe::PreencheLinha(LinhaImportada& l, const OpcoesLeitura& o) {
    mesTrabalho_ = o.mes;
    int dia = 0, ano = 0;
    const date::Day data = l.Data(1, 2, 3, dia, mes_, ano);
    const DadosLinha d{mes_, static_cast<std::uint32_t>(l.numero())};
    if (!diario_) {
        auto& a = staging().rec<AnaliticoICMSRec>();
        a.DataEmissao = dictionary::DataComoTexto(data);
        a.Codigo = l.Inteiro<std::int16_t>(4);
        a.Aliquota = l.Texto(5);
        l.Valor(a.Totalizador, 6, 2);
        return d;
    }
    auto& m = staging().rec<MovMaqRegistradoraRec>();
    m.DataEmissao = dictionary::DataComoTexto(data);
    m.Codigo = l.Inteiro<std::int16_t>(4);
    // The product by the number read, by the text as a nickname (blanks kept), by the number's 20 digits.
    std::string texto = l.Texto(5);
    if (texto.size() > 20) texto.resize(20);
    const Decimal numero = ValorNumerico(texto);
    std::optional<Decimal> produto = produtos_.Busca(texto, Decimal(0), o.utiliza == 2 ? 2 : 1);
    m.CodMercadoria = produto.value_or(numero);
    // The first look-up of a product in a read finds it in the register's buffer.
    if (produto)
        aliquotas_.try_emplace(*produto, data::dictionary::file(dictionary::Produtos()).rec<dictionary::ProdutosRec>().Alicota);
    if (!produto)
        Lista(l, "Diario Linha " + std::to_string(l.numero()) + " O produtos " + numero.to_fixed(0) +
                     " do Lançamento Diário do dia " + TextoData(data) + " não está cadastrado.");
    l.Valor(m.Quantidade, 6, 3);
    l.Valor(m.BaseCalculo, 7, 2);
    l.Valor(m.ValorICMS, 8, 2);
    m.Aliquota = l.Texto(9);
    return d;
}

bool LeituraDetalhe::TemMestre(std::int16_t codigo, std::uint8_t fechamento, const std::string& data) {
    auto& m = mestre_.rec<LancICMSEletronicoRec>();
    mestre_.clear_record();
    m.Codigo = codigo;
    m.Fechamento = fechamento;
    m.DataEmissao = data;
    return mestre_.get(dictionary::LancICMSEletronico().key_index(keys::LAN_KEY_CODIGO)).ok();
}

void LeituraDetalhe::DepoisDeAdicionar(LinhaImportada& l) {
    const std::string n = std::to_string(l.numero());
    if (!diario_) {
        const auto& a = staging().rec<AnaliticoICMSRec>();
        if (!TemMestre(a.Codigo, a.Fechamento, std::string(a.DataEmissao.value())))
            Lista(l, "Analitico Linha " + n + " Não existe Lançamento Mestre para o Lançamento Analítico do dia " +
                         Data(a.DataEmissao.value()) + ", ECF número " + std::to_string(a.Codigo) + " fechamento " +
                         std::to_string(a.Fechamento));
        if (mes_ != mesTrabalho_)
            Lista(l, "Analitico Linha " + n + " O arquivo Analítico possui lançamentos com data diferente a selecionada.");
        return;
    }
    const auto& m = staging().rec<MovMaqRegistradoraRec>();
    if (!TemMestre(m.Codigo, m.Fechamento, std::string(m.DataEmissao.value())))
        Lista(l, "Diario Linha " + n + " Não existe Lançamento Mestre para o Lançamento Diário do dia " +
                     Data(m.DataEmissao.value()) + " ECF " + std::to_string(m.Codigo));
    if (mes_ != mesTrabalho_)
        Lista(l, "Diario Linha " + n + " O arquivo Diário possui lançamentos com data diferente a selecionada.");
}

data::Result LeituraDetalhe::ImportaRegistro(int mesImpor) {
    if (diario_) {
        const auto& m = staging().rec<MovMaqRegistradoraRec>();
        if (data::Result r = Grava(m, dictionary::MovMaqRegistradora(), keys::MMR_KEY_CODIGO, mesImpor); !r.ok()) return r;
        // The product's balance row at its register's rate, as the daily cash-register form marks it.
        const auto aliquota = aliquotas_.find(m.CodMercadoria);
        MarcaSaldo(m.CodMercadoria, aliquota == aliquotas_.end() ? Decimal(0) : aliquota->second);
        return data::kNoError;
    }
    return Grava(staging().rec<AnaliticoICMSRec>(), dictionary::AnaliticoICMS(), keys::ANA_KEY_ALICOTA, mesImpor);
}

// --- the three files together ---

ImportacaoECF::ImportacaoECF() : analitico_(false, mestre_.staging()), diario_(true, mestre_.staging()) {
    mestre_.Junta(analitico_, diario_);
}

std::string ImportacaoECF::Abre() {
    for (ImportacaoTexto* run : {static_cast<ImportacaoTexto*>(&mestre_), static_cast<ImportacaoTexto*>(&analitico_),
                                 static_cast<ImportacaoTexto*>(&diario_)}) {
        if (std::string erro = run->Abre(); !erro.empty()) {
            Fecha();
            return erro;
        }
    }
    return {};
}

void ImportacaoECF::Fecha() {
    mestre_.Fecha();
    analitico_.Fecha();
    diario_.Fecha();
}

ResultadoECF ImportacaoECF::Le(const OpcoesECF& o, const Progresso& progresso) {
    ResultadoECF r;
    const std::array<std::string, 3> arquivos{o.mestre, o.analitico, o.diario};
    const std::array<ImportacaoTexto*, 3> runs{&mestre_, &analitico_, &diario_};
    for (std::size_t i = 0; i < runs.size(); ++i) {
        OpcoesLeitura ol{arquivos[i], o.layouts[i], o.utiliza, o.mes, o.ano, o.posicoes[i], o.empresa};
        r.arquivos[i] = runs[i]->Le(ol, progresso);
        r.erros.insert(r.erros.end(), r.arquivos[i].erros.begin(), r.arquivos[i].erros.end());
        if (!r.arquivos[i].falha.ok() || r.arquivos[i].interrompida) break;
    }
    return r;
}

}  // namespace vorel::integration
