// ReuniaoProdutos: the gathering of the monthly computation, one product at a time. The period's
// exits, entries and cash-register items of the totaliser "F" are read in step through their files'
// (product, date) keys and merged by product code with the products whose month record is marked
// for recomputation and those of the previous month's records. Each product comes with its list
// entry (`ItemProduto`) and its work rows, each at its position (execucao.h); only one product's
// rows are held at a time.
//
// Tables: SaidaVorel, EntradaVorel, MovMaqRegistradora, ICMSEletronica, SaldosVorel (the previous
// year's file in January), on cursors of the run.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "execucao.h"

namespace vorel::computation::detail {

class ReuniaoProdutos {
public:
    explicit ReuniaoProdutos(Execucao& run);
    ~ReuniaoProdutos();
    ReuniaoProdutos(const ReuniaoProdutos&) = delete;
    ReuniaoProdutos& operator=(const ReuniaoProdutos&) = delete;

    // Reads the marked and the previous month's products, opens the movement files and reads the
    // first item of each.
    void Abre();
    // The next product in code order: its code, its list entry and its rows (exits, entries, cash
    // items, each in its file's order); false when none is left.
    bool Proximo(Decimal& codigo, ItemProduto& item, std::vector<LinhaDoProduto>& linhas);
    // Once every product is gathered: the movement files' page caches shrink to kCacheDevolvido, so
    // that their pages serve the building of the work table's keys.
    void DevolveCaches();

    // One movement file read through its (product, date) key over the period, an item at a time.
    struct Leitura {
        data::KeyName chave;
        std::function<void(const Decimal& produto, bool depois)> posiciona;  // the key's values to seek
        std::function<Decimal()> produto;
        std::function<date::Day()> dia;
        std::function<bool()> aceita;  // an item that gives a row (empty: every item)
    };
    class Fonte {
    public:
        Fonte(Execucao& run, data::FileManager& fm, Leitura leitura);
        void Inicia();
        bool Tem() const { return tem_; }
        const Decimal& Produto() const { return produto_; }
        void Avanca();

    private:
        Execucao& run_;
        data::FileManager& fm_;
        Leitura l_;
        bool tem_ = false, fim_ = false;
        Decimal produto_;
        Decimal noInicio_{-1};  // the product last positioned at the period's first day
        bool posicionado_ = false;
    };

private:
    void ProdutosSemMovimento();
    LinhaTrabalho& LinhaDaSaida();
    LinhaTrabalho& LinhaDaEntrada();
    LinhaTrabalho& LinhaDoCaixa();

    Execucao& run_;
    data::FileManager sai_, ent_, mmr_, icm_;
    std::vector<std::unique_ptr<Fonte>> fontes_;  // exits, entries, cash items (not for an explicit period)
    std::int64_t posicaoSaida_ = kPosicaoSaidas, posicaoEntrada_ = kPosicaoEntradas, posicaoCaixa_ = kPosicaoCaixas;
    std::map<int, std::string> series_;  // machine code -> ICM:Serie ("" when not registered)
    // Marked and previous-month products, with the rate of their first record.
    std::map<Decimal, decltype(ItemProduto::aliquota)> semMovimento_;
    std::map<Decimal, decltype(ItemProduto::aliquota)>::const_iterator proximoSemMovimento_;
};

}  // namespace vorel::computation::detail
