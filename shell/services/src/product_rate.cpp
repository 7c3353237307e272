// AliquotaProdutoData over the thread's own ProdutosAliq and Produtos0 cursors.
#include "vorel/shell/product_rate.h"

#include <string>

#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"

namespace vorel::shell {

namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

// Opens a table for the length of one call.
class Aberta {
public:
    explicit Aberta(data::FileManager& f) : f_(f), ok_(f.open() == data::kNoError) {}
    ~Aberta() {
        if (ok_) (void)f_.close();
    }
    bool ok() const { return ok_; }

private:
    data::FileManager& f_;
    bool ok_;
};

Decimal AliquotaDoProduto(const Decimal& produto) {
    data::FileManager& pro = data::dictionary::file(dictionary::Produtos0());
    Aberta aberta(pro);
    auto& r = pro.rec<ProdutosRec>();
    pro.clear_record();
    if (!aberta.ok() || !produto.fits(15, 0)) return Decimal();
    r.Codigo = produto;
    if (pro.get(dictionary::keys::PROE_KEY_CODIGO) == data::kNoError) return r.Alicota;
    pro.clear_record();
    r.Apelido = produto.cut(0).to_string('.');
    if (pro.get(dictionary::keys::PROE_Key_Apelido) == data::kNoError) return r.Alicota;
    pro.clear_record();
    return Decimal();
}

}  // namespace

Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData,
                            std::uint8_t usaAliquotaProduto) {
    if (usaAliquotaProduto == 1 || data == 0) return AliquotaDoProduto(produto);
    Decimal aliquota;
    data::FileManager& hist = data::dictionary::file(dictionary::ProdutosAliq());
    {
        Aberta aberta(hist);
        if (aberta.ok() && produto.fits(15, 0)) {
            auto& r = hist.rec<ProdutosAliqRec>();
            hist.clear_record();
            r.CODIGO_PRODUTO = produto;
            const Decimal codigo = r.CODIGO_PRODUTO;
            if (hist.set_at(dictionary::keys::PALIQ_Key_Data_Inicial) == data::kNoError) {
                while (hist.next() == data::kNoError && r.CODIGO_PRODUTO.value() == codigo) {
                    const bool cobre = r.DATA_INICIAL <= data && (r.DATA_FINAL == 0 || data <= r.DATA_FINAL);
                    if (!cobre) continue;
                    aliquota = r.ALIQUOTA;
                    if (devolveData == 1) data = r.DATA_ALTERACAO;
                    break;
                }
            }
        }
    }
    if (aliquota.is_zero()) return AliquotaDoProduto(produto);
    return aliquota;
}

Decimal AliquotaProdutoData(const Decimal& produto, date::Day& data, std::uint8_t devolveData) {
    return AliquotaProdutoData(produto, data, devolveData, GLO_USAALIQPRODUTO.Get());
}

AliquotasAbertas::AliquotasAbertas(const EmpresaPeriodo& periodo) {
    for (const data::TableDesc* t : {&dictionary::ProdutosAliq(), &dictionary::Produtos0()}) {
        data::FileManager* fm = data::dictionary::find(*t);
        if (!fm) continue;  // a thread without these tables: each call opens its own
        aberta_ = AbreNoAno(*fm, periodo);
        if (!aberta_.ok()) {
            tabela_ = t->label;
            return;
        }
        abertas_.push_back(fm);
    }
}

AliquotasAbertas::~AliquotasAbertas() {
    for (data::FileManager* fm : abertas_) (void)fm->close();
}

}  // namespace vorel::shell
