// AtualizaAliquotaProduto: the rate history row of a movement's product, rate and month.
#include "vorel/shell/produto_aliquota.h"

#include <vector>

#include "vorel/data/dictionary.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"

namespace vorel::shell {

namespace {

using dictionary::ProdutosAliqRec;
using dictionary::ProdutosRec;

// The product by its code, else by a user code equal to the code as a whole number.
bool FindProduct(data::FileManager& pro, const Decimal& codigo) {
    auto& p = pro.rec<ProdutosRec>();
    pro.clear_record();
    p.Codigo = codigo;
    if (pro.get(dictionary::keys::PRO_KEY_CODIGO) == data::kNoError) return true;
    pro.clear_record();
    p.Apelido = codigo.to_fixed(0);
    if (pro.get(dictionary::keys::PRO_Key_Apelido) == data::kNoError) return true;
    pro.clear_record();
    return false;
}

// The highest PALIQ:CODIGO of the file, 0 when it is empty.
Decimal HighestCode(data::FileManager& aliq) {
    auto& a = aliq.rec<ProdutosAliqRec>();
    aliq.clear_record();
    a.CODIGO = Decimal::from_string("99999999999999");
    if (aliq.set_at(dictionary::keys::PALIQ_Key_Codigo) != data::kNoError || aliq.previous() != data::kNoError) return Decimal(0);
    return a.CODIGO;
}

// The last day of the month before the date's month.
date::Day ClosingDay(date::Day data) {
    const int y = date::year(data), m = date::month(data);
    return m == 1 ? date::make(y - 1, 12, 31) : date::last_of_month(y, m - 1);
}

data::Result Update(data::FileManager& pro, data::FileManager& aliq, const Decimal& codigoProduto, date::Day data,
                    const Decimal& aliquota) {
    if (!FindProduct(pro, codigoProduto)) {
        aliq.clear_record();
        return data::kNoError;  // no product: no row is written under another code
    }
    const Decimal produto = pro.rec<ProdutosRec>().Codigo;
    const date::Day primeiroDia = date::first_of_month(data);
    auto& a = aliq.rec<ProdutosAliqRec>();

    data::Transaction tx({&aliq});
    if (!tx.status().ok()) return tx.status();

    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    a.ALIQUOTA = aliquota;
    a.DATA_INICIAL = primeiroDia;
    if (aliq.get(dictionary::keys::PALIQ_KEY_PRODUTOALIQ) == data::kNoError) {
        if (data > a.DATA_ALTERACAO) {
            a.DATA_ALTERACAO = data;
            if (data::Result r = aliq.put(); !r.ok()) return r;
        }
        return tx.commit();
    }

    const Decimal proximo = HighestCode(aliq) + Decimal(1);
    const date::Day fechamento = ClosingDay(data);
    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    if (aliq.set_at(aliq.key_number(dictionary::keys::PALIQ_KEY_PRODUTOALIQ), 1) == data::kNoError) {
        while (aliq.next() == data::kNoError && static_cast<const Decimal&>(a.CODIGO_PRODUTO) == produto) {
            if (a.DATA_FINAL != 0) continue;
            a.DATA_FINAL = fechamento;
            if (data::Result r = aliq.put(); !r.ok()) return r;
        }
    }
    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    a.CODIGO = proximo;
    a.ALIQUOTA = aliquota;
    a.DATA_INICIAL = primeiroDia;
    a.DATA_FINAL = 0;
    a.DATA_ALTERACAO = data;
    if (data::Result r = aliq.add(); !r.ok()) return r;
    return tx.commit();
}

}  // namespace

data::Result MudaAliquotaDesde(data::FileManager& aliq, const Decimal& produto, date::Day desde, const Decimal& aliquota,
                               date::Day hoje, bool& comAberta) {
    comAberta = false;
    auto& a = aliq.rec<ProdutosAliqRec>();
    // The product's open rows, found before any is rewritten.
    std::vector<data::Position> fechar;
    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    if (data::Result r = aliq.set_at(aliq.key_number(dictionary::keys::PALIQ_KEY_PRODUTOALIQ), 1); !r.ok()) return r;
    for (;;) {
        const data::Result r = aliq.next();
        if (r == data::kRecordNotAvailable || (r.ok() && static_cast<const Decimal&>(a.CODIGO_PRODUTO) != produto)) break;
        if (!r.ok()) return r;
        if (a.DATA_FINAL != 0) continue;
        comAberta = true;
        if (static_cast<const Decimal&>(a.ALIQUOTA) != aliquota) fechar.push_back(aliq.position());
    }
    if (fechar.empty()) return data::kNoError;
    for (data::Position p : fechar) {
        if (data::Result r = aliq.reget(p); !r.ok()) return r;
        a.DATA_FINAL = desde - 1;
        a.DATA_ALTERACAO = hoje;
        if (data::Result r = aliq.put(); !r.ok()) return r;
    }
    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    a.ALIQUOTA = aliquota;
    a.DATA_INICIAL = desde;
    if (aliq.get(dictionary::keys::PALIQ_KEY_PRODUTOALIQ) == data::kNoError) {
        a.DATA_FINAL = 0;
        return aliq.put();
    }
    const Decimal proximo = HighestCode(aliq) + Decimal(1);
    aliq.clear_record();
    a.CODIGO_PRODUTO = produto;
    a.CODIGO = proximo;
    a.ALIQUOTA = aliquota;
    a.DATA_INICIAL = desde;
    return aliq.add();
}

data::Result AtualizaAliquotaProduto(const Decimal& codigoProduto, date::Day data, const Decimal& aliquota) {
    data::FileManager& pro = data::dictionary::file(dictionary::Produtos());
    data::FileManager& aliq = data::dictionary::file(dictionary::ProdutosAliq());
    if (data::Result r = pro.open(); !r.ok()) return r;
    data::Result r = aliq.open();
    if (r.ok()) {
        r = Update(pro, aliq, codigoProduto, data, aliquota);
        (void)aliq.close();
    }
    (void)pro.close();
    return r;
}

}  // namespace vorel::shell
