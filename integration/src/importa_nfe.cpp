// The NF-e items step: the month question over the reader's item file, the fixed NF-e layouts, and
// the imports that replace an item imported before.
#include "vorel/integration/importa_nfe.h"

#include <fstream>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::integration {

namespace keys = dictionary::keys;

ItensPreparados PreparaItensNfe(SentidoNfe sentido, const std::string& origem, const std::string& destino, int mes,
                                int ano, const PerguntaMesNfe& pergunta, const PessoaNfe& pessoa) {
    const LayoutNfe<CampoItem>& layout = LayoutItens(sentido);
    constexpr Posicao kDia = kLayoutItensEntrada[CampoItem::Dia], kMes = kLayoutItensEntrada[CampoItem::Mes],
                      kAno = kLayoutItensEntrada[CampoItem::Ano], kParceiro = kLayoutItensEntrada[CampoItem::Parceiro];
    static_assert(kMes.inicio == kLayoutItensSaida[CampoItem::Mes].inicio &&
                  kParceiro.fim == kLayoutItensSaida[CampoItem::Parceiro].fim);
    ItensPreparados r;
    std::ofstream out(files::resolve(destino), std::ios::binary | std::ios::trunc);
    if (!out) {
        r.falha = "não foi possível criar " + text::to_utf8(destino);
        return r;
    }
    std::ifstream in(files::resolve(origem), std::ios::binary);
    const std::string primeiro = "01" + text::zero_fill(mes, 2) + text::zero_fill(ano, 4);
    for (std::string linha; in && std::getline(in, linha);) {
        if (!linha.empty() && linha.back() == '\r') linha.pop_back();
        ++r.linhas;
        const int mesLinha = std::atoi(CortaCampo(linha, kMes).c_str());
        if (mesLinha != 0 && mesLinha != mes) {
            const std::string d1 = CortaCampo(linha, kDia) + "/" + CortaCampo(linha, kMes) + "/" + CortaCampo(linha, kAno);
            const std::string d2 = "01/" + text::zero_fill(mes, 2) + "/" + text::zero_fill(ano, 4);
            const std::string numero = std::to_string(std::atol(CortaCampo(linha, layout[CampoItem::Numero]).c_str()));
            if (!pergunta(text::from_utf8("Mês da NFe diferente(") + d1 +
                          text::from_utf8("). Deseja lançar no mês selecionado(") + d2 + text::from_utf8(") a NF de número ") +
                          numero + " ??")) {
                ++r.descartadas;
                continue;
            }
            linha.replace(kDia.inicio - 1, kAno.fim - kDia.inicio + 1, primeiro);
        }
        // A CPF sits in the last 11 columns of the partner's, behind zeros.
        const std::size_t largura = kParceiro.fim - kParceiro.inicio + 1;
        if (pessoa && linha.size() >= largura && linha.compare(0, largura - 11, std::string(largura - 11, '0')) == 0 &&
            pessoa(linha.substr(largura - 11, 11)))
            linha.replace(0, largura, text::pad("0", largura));
        out << linha << "\r\n";
    }
    out.close();
    if (!out) r.falha = "falha ao gravar " + text::to_utf8(destino);
    return r;
}

PessoasRegistradas::PessoasRegistradas() : forcli_(std::make_unique<data::FileManager>(dictionary::ForCli())) {
    aberto_ = forcli_->open().ok();
}

PessoasRegistradas::~PessoasRegistradas() {
    if (aberto_) (void)forcli_->close();
}

bool PessoasRegistradas::operator()(const std::string& cpf) {
    if (!aberto_) return false;
    auto& f = forcli_->rec<dictionary::ForCliRec>();
    forcli_->clear_record();
    f.CPF = cpf;
    f.Inativo = 0;
    return forcli_->get(keys::FOR_KEY_CPF).ok() && f.TipoInscricao == 2;
}

namespace {

// Removes the target's item of the staged record's date, number, series, CFO and product, if any.
template <class Rec, class Chave>
data::Result RemoveAnterior(const data::TableDesc& tabela, data::KeyName chave, const Rec& novo, Chave copia) {
    data::FileManager& f = data::dictionary::file(tabela);
    auto& rec = f.rec<Rec>();
    f.clear_record();
    copia(rec, novo);
    data::Result achou = f.get(chave);
    if (achou == data::kRecordNotFound) return data::kNoError;
    if (!achou.ok()) return achou;
    return f.remove();
}

}  // namespace

data::Result ImportacaoNfeEntradas::ImportaRegistro(int mesImpor) {
    using Rec = dictionary::EntradaVorelRec;
    data::Result r = RemoveAnterior(dictionary::EntradaVorel(), keys::ENT_KEY_DATANUMSERIECFOPROD,
                                    staging().rec<Rec>(), [](Rec& e, const Rec& s) {
                                        e.DataEmissao = s.DataEmissao;
                                        e.Numero = s.Numero;
                                        e.Serie = s.Serie;
                                        e.CFO = s.CFO;
                                        e.CodMercadoria = s.CodMercadoria;
                                    });
    return r.ok() ? ImportacaoEntradas::ImportaRegistro(mesImpor) : r;
}

data::Result ImportacaoNfeSaidas::ImportaRegistro(int mesImpor) {
    using Rec = dictionary::SaidaVorelRec;
    data::Result r = RemoveAnterior(dictionary::SaidaVorel(), keys::SAI_KEY_DATANUMSERIECFOPROD,
                                    staging().rec<Rec>(), [](Rec& e, const Rec& s) {
                                        e.DataSaida = s.DataSaida;
                                        e.Numero = s.Numero;
                                        e.Serie = s.Serie;
                                        e.CFO = s.CFO;
                                        e.CodMercadoria = s.CodMercadoria;
                                    });
    return r.ok() ? ImportacaoSaidas::ImportaRegistro(mesImpor) : r;
}

}  // namespace vorel::integration
