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

Posicoes PosicoesItensNfe(SentidoNfe sentido) {
    // Widths in field-code order; fields follow one another from column 1.
    static constexpr int kEntradas[] = {14, 2, 6, 2, 2, 4, 13, 14, 4, 2, 13, 6, 13, 13, 20, 1};
    static constexpr int kSaidas[] = {14, 2, 6, 2, 2, 4, 13, 14, 4, 2, 13, 6, 13, 2, 13, 20, 1};
    Posicoes p(1);
    int coluna = 1;
    auto poe = [&](int largura) {
        p.push_back({coluna, coluna + largura - 1});
        coluna += largura;
    };
    if (sentido == SentidoNfe::Entrada)
        for (int l : kEntradas) poe(l);
    else
        for (int l : kSaidas) poe(l);
    return p;
}

ItensPreparados PreparaItensNfe(const std::string& origem, const std::string& destino, int mes, int ano,
                                const PerguntaMesNfe& pergunta, const PessoaNfe& pessoa) {
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
        const int mesLinha = linha.size() >= 26 ? std::atoi(linha.substr(24, 2).c_str()) : 0;
        if (mesLinha != 0 && mesLinha != mes) {
            const std::string d1 = linha.substr(22, 2) + "/" + linha.substr(24, 2) + "/" + text::sub(linha, 27, 4);
            const std::string d2 = "01/" + text::zero_fill(mes, 2) + "/" + text::zero_fill(ano, 4);
            const std::string numero = std::to_string(std::atol(linha.substr(16, 6).c_str()));
            if (!pergunta(text::from_utf8("Mês da NFe diferente(") + d1 +
                          text::from_utf8("). Deseja lançar no mês selecionado(") + d2 + text::from_utf8(") a NF de número ") +
                          numero + " ??")) {
                ++r.descartadas;
                continue;
            }
            linha.replace(22, 8, primeiro);
        }
        if (pessoa && linha.size() >= 14 && linha.compare(0, 3, "000") == 0 && pessoa(linha.substr(3, 11)))
            linha.replace(0, 14, text::pad("0", 14));
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
