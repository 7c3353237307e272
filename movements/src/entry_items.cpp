// Entry items: the checks of the entry form and the tables of its write.
#include "vorel/movements/entry_items.h"

#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/fiscal/cfop.h"
#include "vorel/shell/other_year.h"

namespace vorel::movements {

namespace keys = dictionary::keys;
using dictionary::EntradaVorelRec;

namespace {
data::FileManager& Thread(const data::TableDesc& t) { return data::dictionary::file(t); }
}  // namespace

EntryTables::EntryTables()
    : entradas(Thread(dictionary::EntradaVorel())),
      entradas0(Thread(dictionary::EntradaVorel0())),
      saldos(Thread(dictionary::SaldosVorel())),
      quantidades(Thread(dictionary::QuantidadeVorel())),
      vinculos(Thread(dictionary::ForCliQel())),
      lotes(Thread(dictionary::LoteVorel())),
      produtos(Thread(dictionary::Produtos())),
      aliquotas(Thread(dictionary::ProdutosAliq())) {
    for (data::FileManager* f : All()) {
        status_ = f->open();
        if (!status_.ok()) return;
        opened_.push_back(f);
    }
}

EntryTables::~EntryTables() {
    for (auto it = opened_.rbegin(); it != opened_.rend(); ++it) (void)(*it)->close();
}

std::vector<data::FileManager*> EntryTables::All() {
    return {&entradas, &entradas0, &saldos, &quantidades, &vinculos, &lotes, &produtos, &aliquotas};
}

bool EntradaRepetida(data::FileManager& entradas0, const EntradaVorelRec& item) {
    auto& e = entradas0.rec<EntradaVorelRec>();
    entradas0.clear_record();
    e.DataEmissao = item.DataEmissao;
    e.Numero = item.Numero;
    e.Serie = item.Serie;
    e.CFO = item.CFO;
    e.CodMercadoria = item.CodMercadoria;
    return entradas0.get(keys::ESPENT_KEY_DATANUMSERIECFOPROD).ok();
}

bool UltimaEntradaFornecedorProduto(data::FileManager& entradas0, std::string_view cnpj, const Decimal& produto) {
    auto& e = entradas0.rec<EntradaVorelRec>();
    entradas0.clear_record();
    e.Cnpj = cnpj;
    e.CodMercadoria = produto;
    const std::string wanted(e.Cnpj.clipped());
    if (!entradas0.set_at(entradas0.key_number(keys::ESPENT_KEY_FORCLIPROD)).ok()) return false;
    int found = 0;
    while (found < 2 && entradas0.next().ok() && e.Cnpj.clipped() == wanted &&
           static_cast<const Decimal&>(e.CodMercadoria) == produto)
        ++found;
    return found <= 1;
}

namespace {

// What the search passes over besides the items of other codes.
struct Regra {
    bool skipFirst = false;               // the first item reached in the working year's file, unexamined
    const NotaDoItem* nota = nullptr;     // the items of this invoice
    bool skipZeroQuantity = false;        // sources of quantity 0
};

bool TakesBase(const EntradaVorelRec& e, const Regra& regra) {
    if (!fiscal::CompraComRetencao(e.CFO)) return false;
    if (regra.skipZeroQuantity && e.Quantidade.value().is_zero()) return false;
    const NotaDoItem* n = regra.nota;
    return !(n && e.DataEmissao == n->data && e.Numero == n->numero && e.Serie.clipped() == n->serie);
}

// Reads the product's items backwards from (product, date) in the order of `key` (product, date).
// True when a source was found (left in the buffer).
bool BackwardsFrom(data::FileManager& f, data::KeyName key, const Decimal& produto, date::Day data, bool skipFirst,
                   const Regra& regra) {
    auto& e = f.rec<EntradaVorelRec>();
    f.clear_record();
    e.CodMercadoria = produto;
    e.DataEmissao = data;
    if (!f.set_at(f.key_number(key)).ok()) return false;
    bool first = true;
    while (f.previous().ok()) {
        if (static_cast<const Decimal&>(e.CodMercadoria) != produto) return false;
        if (first && skipFirst) {
            first = false;
            continue;
        }
        first = false;
        if (TakesBase(e, regra)) return true;
    }
    return false;
}

BaseOrigem Prorated(const EntradaVorelRec& origem, const Decimal& quantidade, int ano) {
    BaseOrigem b;
    b.encontrada = true;
    b.ano = ano;
    b.base = (Decimal::divide_or_zero(origem.BaseICMS, origem.Quantidade) * quantidade).rounded(2);
    b.basePropria = (Decimal::divide_or_zero(origem.BaseICMSPropria, origem.Quantidade) * quantidade).rounded(2);
    return b;
}

BaseOrigem Procura(data::FileManager& entradas0, std::uint32_t empresa, int ano, const Decimal& produto, date::Day data,
                   const Decimal& quantidade, const Regra& regra) {
    if (BackwardsFrom(entradas0, keys::ESPENT_KEY_PRODUTODATA, produto, data, regra.skipFirst, regra))
        return Prorated(entradas0.rec<EntradaVorelRec>(), quantidade, ano);
    // The earlier years, each through a cursor of its own on that year's file: the table's name and
    // the working year stay as every other window sees them. A year without the file ends the
    // search; a file that does not open is passed over like a year without a source.
    for (int anterior = ano - 1; anterior > 1800; --anterior) {
        shell::OtherYearFile f(dictionary::EntradaVorel(), empresa, anterior);
        const data::Result aberto = f.open();
        if (aberto == data::kFileNotFound) break;
        if (!aberto.ok()) continue;
        if (BackwardsFrom(f.file(), keys::ENT_KEY_PRODUTODATA, produto, data, false, regra))
            return Prorated(f.rec<EntradaVorelRec>(), quantidade, anterior);
    }
    return {};
}

}  // namespace

BaseOrigem ProcuraBaseOrigem(data::FileManager& entradas0, std::uint32_t empresa, int ano, const Decimal& produto,
                             date::Day data, const Decimal& quantidade) {
    return Procura(entradas0, empresa, ano, produto, data, quantidade, Regra{.skipFirst = true});
}

BaseOrigem ProcuraBaseOrigem(data::FileManager& entradas0, std::uint32_t empresa, int ano, const Decimal& produto,
                             const NotaDoItem& nota, const Decimal& quantidade) {
    return Procura(entradas0, empresa, ano, produto, nota.data, quantidade,
                   Regra{.nota = &nota, .skipZeroQuantity = true});
}

}  // namespace vorel::movements
