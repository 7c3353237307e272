// The stored layouts: listing, field positions, the default layout and the position check.
#include "vorel/integration/layouts.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/integration/layout_catalogue.h"

namespace vorel::integration {

namespace {

using dictionary::LayArquivosRec;
using dictionary::LayCampArquivosRec;
namespace keys = dictionary::keys;

// Opens a table of the thread's dictionary for one call and closes it again.
class Aberta {
public:
    explicit Aberta(const data::TableDesc& t) : f_(data::dictionary::file(t)), ok_(f_.open().ok()) {}
    ~Aberta() {
        if (ok_) (void)f_.close();
    }
    Aberta(const Aberta&) = delete;
    Aberta& operator=(const Aberta&) = delete;
    bool ok() const { return ok_; }
    data::FileManager& operator*() { return f_; }
    data::FileManager* operator->() { return &f_; }

private:
    data::FileManager& f_;
    bool ok_;
};

// Visits the fields of (type, code) in field-code order.
template <class Fn>
void CadaCampo(data::FileManager& campos, int tipo, int codigo, Fn&& fn) {
    auto& c = campos.rec<LayCampArquivosRec>();
    campos.clear_record();
    c.Arquivo = static_cast<std::uint8_t>(tipo);
    c.Codigo = static_cast<std::uint8_t>(codigo);
    c.CodigoCampo = 0;
    if (!campos.set_at(keys::CampArq_Key_Codigo).ok()) return;
    while (campos.next().ok() && c.Arquivo == tipo && c.Codigo == codigo) fn(c);
}

}  // namespace

std::vector<LayoutListado> LayoutsDoTipo(int tipo) {
    std::vector<LayoutListado> out;
    Aberta lay(dictionary::LayArquivos());
    if (!lay.ok()) return out;
    auto& l = lay->rec<LayArquivosRec>();
    lay->clear_record();
    l.Arquivo = static_cast<std::uint8_t>(tipo);
    l.Codigo = 0;
    if (!lay->set_at(keys::LAY_Key_Codigo).ok()) return out;
    while (lay->next().ok() && l.Arquivo == tipo) out.push_back({l.Codigo, std::string(l.Descricao.clipped())});
    return out;
}

Posicoes CarregaPosicoes(int tipo, int codigo, int capacidade) {
    Posicoes p(static_cast<std::size_t>(capacidade) + 1);
    Aberta campos(dictionary::LayCampArquivos());
    if (!campos.ok()) return p;
    CadaCampo(*campos, tipo, codigo, [&](const LayCampArquivosRec& c) {
        if (c.CodigoCampo < 1 || c.CodigoCampo > capacidade || c.Posicao < 1) return;
        // Kept as the columns the layout names; the cut keeps inside the line (text_import.h).
        p[c.CodigoCampo] = {c.Posicao, c.Posicao + c.Tamanho - 1};
    });
    return p;
}

data::Result AdicionaLayoutPadrao(int tipo, int codigo) {
    Aberta campos(dictionary::LayCampArquivos());
    if (!campos.ok()) return data::last_error().code;
    auto& c = campos->rec<LayCampArquivosRec>();
    data::Transaction tx({&*campos}, 1);
    if (!tx.status().ok()) return tx.status();
    for (const CampoCatalogo& e : EntradasDoTipo(tipo)) {
        campos->clear_record();
        c.Arquivo = static_cast<std::uint8_t>(tipo);
        c.Codigo = static_cast<std::uint8_t>(codigo);
        c.CodigoCampo = static_cast<std::uint8_t>(e.codigo);
        if (campos->get(keys::CampArq_Key_Codigo).ok()) continue;
        campos->clear_record();
        c.Arquivo = static_cast<std::uint8_t>(tipo);
        c.Codigo = static_cast<std::uint8_t>(codigo);
        c.CodigoCampo = static_cast<std::uint8_t>(e.codigo);
        c.DescCampo = text::from_utf8(e.descricaoPadrao);
        c.Tipo = std::string(1, e.tipoPadrao);
        c.Posicao = static_cast<std::uint16_t>(e.posicao);
        c.Tamanho = static_cast<std::uint16_t>(e.tamanho);
        if (data::Result r = campos->add(); !r.ok()) return r;
    }
    return tx.commit();
}

std::vector<std::string> VerificaPosicoes(int tipo, std::span<const CampoPosicao> campos) {
    std::vector<std::string> out;
    int esperado = 1;
    for (const CampoPosicao& c : campos) {
        if (c.posicao < esperado) {
            out.push_back("Atenção o campo " + RotuloCampo(tipo, c.codigo, Onde::Verificacao) +
                          " está com a posição inicial incorreta possivelmente ela deve ser " +
                          std::to_string(esperado) + " !!!");
            continue;
        }
        esperado = c.posicao + c.tamanho;
    }
    return out;
}

std::vector<CampoPosicao> CamposParaVerificacao(int tipo, int codigo) {
    std::vector<CampoPosicao> out;
    Aberta campos(dictionary::LayCampArquivos());
    if (!campos.ok()) return out;
    CadaCampo(*campos, tipo, codigo,
              [&](const LayCampArquivosRec& c) { out.push_back({c.CodigoCampo, c.Posicao, c.Tamanho}); });
    return out;
}

}  // namespace vorel::integration
