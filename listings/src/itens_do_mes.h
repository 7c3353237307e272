// What the entry and exit listings share: reading a month's invoice items in the order of their
// date key, the party and product of an item, the CNPJ field read as a number, the code column,
// the own-operation ICMS of the entries' model 02 with its summary by CFOP and rate, and the
// dot-matrix page of 136 columns (header, line count, page end) of the text forms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/core/picture.h"
#include "vorel/data/file_manager.h"
#include "vorel/data/transaction.h"
#include "vorel/report/report_controller.h"
#include "vorel/report/report_run.h"
#include "vorel/ui/types.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/period.h"

namespace vorel::listings::itens {

// The number a text field holds (blanks around it ignored); nullopt when it holds anything but
// digits, or more than 19 of them. A blank field is 0.
std::optional<std::uint64_t> NumeroDoTexto(std::string_view texto);
// A text field's numeric reading: blanks in front skipped, then the digits up to the first other
// character ("1A" is 1, "A" and "" are 0).
unsigned long long LeituraNumerica(std::string_view texto);
// Both read as numbers and equal (what the filter compares: "n014" of both sides).
bool MesmoNumero(std::string_view a, std::string_view b);

// A register code in the code column: five positions, thousands by commas ("1,234"); a code wider
// than that keeps every digit in a wider text.
std::string TextoCodigo(std::uint64_t codigo);
// A number through a picture of `largura` positions (`pic` the part before the width, e.g. "@n" or
// "@n-", `sufixo` the part after it, e.g. "`2" or "."), or, when it does not fit, through one of
// `maxima` positions, blanks on the left dropped: the value is never cut or shown as '#' (the line
// grows by what it needs).
std::string NumeroLargo(const char* pic, int largura, const Decimal& valor, int maxima = 20, const char* sufixo = "");
// The same with both pictures read once (for the lines written per item).
class NumeroFixo {
public:
    NumeroFixo(const char* pic, int largura, const char* sufixo = "", int maxima = 20);
    std::string operator()(const Decimal& valor) const;

private:
    picture::Picture normal_, larga_;
};

// Reads the items of a month (table opened through `AbreArquivo`) in the order of a key that starts
// with the date: from the first day's first item until one dated after the last day. A read error
// other than the end shows standard warning 35 naming the table and ends the reading.
class ItensDoMes {
public:
    // The date field of the table's record buffer (the key's first component).
    using DataDoItem = std::int32_t& (*)(data::FileManager&);
    ItensDoMes(const data::TableDesc& tabela, std::string nome, data::KeyName chave, DataDoItem data);
    ~ItensDoMes();
    ItensDoMes(const ItensDoMes&) = delete;
    ItensDoMes& operator=(const ItensDoMes&) = delete;

    // Opens the table, reads only the fields `seleciona` selects (data::Cursor::read_only) when it
    // is given, and positions it at `inicio` (standard warning 36 when it cannot).
    bool Abre(date::Day inicio, date::Day fim, const std::function<void(data::FileManager&)>& seleciona = {});
    data::FileManager& tabela() { return fm_; }
    bool Proximo();
    std::size_t Total();  // records of the whole table (the progress' 100 %)
    template <class R>
    R& rec() {
        return fm_.rec<R>();
    }

private:
    data::FileManager fm_;
    std::string nome_;
    data::KeyName chave_;
    DataDoItem data_;
    date::Day fim_ = 0;
    bool aberta_ = false;
    bool acabou_ = false;
};

// The party and product of an item, each looked up from an empty record in the period's company's
// registers: a party or product that is not found leaves a blank name and a rate of 0.
class Consultas {
public:
    explicit Consultas(const shell::EmpresaPeriodo& periodo);
    ~Consultas();
    Consultas(const Consultas&) = delete;
    Consultas& operator=(const Consultas&) = delete;

    struct Parte {
        std::string nome;                      // FOR:Nome, Windows-1252, blank when not found
        std::optional<std::uint64_t> codigo;   // the code kept in the CNPJ field (third rule)
    };
    // By `codigoItem` above 0 (any party), else by the 14-character CNPJ (active parties), else by
    // the code the CNPJ field holds (active parties). Listing a party chosen by CPF, an item that
    // names no register code is that party's.
    Parte LeParte(std::string_view cnpjItem, std::uint32_t codigoItem, const ParteEscolhida& escolhida);

    struct Produto {
        std::string descricao;  // PRO:Produtos
        Decimal aliquota;       // PRO:Alicota
    };
    Produto LeProduto(const Decimal& codigo);
    // The registers that are open.
    std::vector<data::FileManager*> Tabelas();

private:
    data::FileManager forcli_, produtos_;
};

// The items of a month that the party chosen lists, with each listed item's party and product.
class ItensListados {
public:
    ItensListados(const shell::EmpresaPeriodo& periodo, ParteEscolhida parte, const data::TableDesc& tabela,
                  std::string nome, data::KeyName chave, ItensDoMes::DataDoItem data);
    virtual ~ItensListados() = default;
    ItensListados(const ItensListados&) = delete;
    ItensListados& operator=(const ItensListados&) = delete;

    // Opens the items and holds one read lock over them and the registers while they are read
    // (each read outside it would take and drop the files' locks); nothing is written.
    bool Abre();
    // The reading is over: the lock goes (also when the items run out).
    void Encerra() { leitura_.reset(); }
    std::size_t Total() { return itens_.Total(); }
    std::size_t lidas() const { return lidas_; }
    // The next item of the month, listed or not.
    bool Le();
    // Whether the item read passes the party filter; when it does, its look-ups are made.
    bool Listada();
    // The next listed item.
    bool ProximaListada();

    const Consultas::Parte& parte() const { return parte_; }
    const Consultas::Produto& produto() const { return produto_; }

protected:
    // The item read: its CNPJ field, its register code and its product.
    virtual std::string_view CnpjDoItem() = 0;
    virtual std::uint32_t CodigoDoItem() = 0;
    virtual Decimal ProdutoDoItem() = 0;
    // What a listed item computes once its party and product are known.
    virtual void Calcula() {}
    // The item fields the listing reads.
    virtual void Seleciona(data::FileManager& tabela) = 0;

    ItensDoMes itens_;

private:
    shell::EmpresaPeriodo periodo_;
    ParteEscolhida escolhida_;
    Consultas consultas_{periodo_};
    Consultas::Parte parte_;
    Consultas::Produto produto_;
    std::size_t lidas_ = 0;
    std::optional<data::Transaction> leitura_;
};

// The entries' model 02: the rate of the supplier's own operation (1000 to 1999 the product's
// rate, 2000 to 2999 12 %, any other code 0) and its ICMS on the own-operation base, rounded to
// two places half away from zero.
Decimal AliquotaPropria(int cfo, const Decimal& aliquotaProduto);
Decimal IcmsProprio(const Decimal& base, const Decimal& aliquota);

// The summary by CFOP and rate, in ascending order of both.
class ResumoCfo {
public:
    struct Linha {
        Decimal base, icms;
    };
    void Soma(int cfo, const Decimal& aliquota, const Decimal& base, const Decimal& icms);
    const std::map<std::pair<int, Decimal>, Linha>& linhas() const { return linhas_; }
    bool vazio() const { return linhas_.empty(); }

private:
    std::map<std::pair<int, Decimal>, Linha> linhas_;
};

// Text helpers of the 136-column lines (Windows-1252).
std::string Brancos(std::size_t n);
std::string Campo(std::string_view texto, std::size_t largura);  // cut or blank-filled
std::string Centro(std::string_view texto, std::size_t largura);
// The "+", 134 "-", "+" rule of the entries' text forms.
std::string Regua();

// The two 136-column lines of an item in the first model's text forms (entries and exits alike):
// the party and invoice (the CNPJ column in columns 3-25, name, series, number, date, CFOP,
// complement) and the product and values (code, description, quantity, base, rate, ICMS).
struct LinhaItem {
    std::string cnpj, nome;  // the CNPJ column as it prints; the name, Windows-1252
    unsigned long long serie = 0, complemento = 0;
    std::uint32_t numero = 0;
    date::Day data = 0;
    int cfo = 0;
    Decimal produto;
    std::string descricao;
    Decimal quantidade, base, aliquota, icms;
};
std::string LinhaParte(const LinhaItem& i);
std::string LinhaProduto(const LinhaItem& i);

// A text form's pages: the six header lines (title, page number, condensed print and 136 "=",
// the two heading lines, the sixth line), the line count, and the page end.
class FolhaTexto {
public:
    struct Forma {
        std::string titulo, cabecalho4, cabecalho5, linha6;  // Windows-1252
        // The page end: blank lines up to the page length first (entries), or a line of 136 "="
        // first (exits).
        bool completaPagina = true;
    };
    FolhaTexto(const shell::CodigosImpressoraRec& codigos, Forma forma, const EscreveLinha& escreve);

    report::Outcome Cabecalho();
    report::Outcome Linha(const std::string& linha);
    report::Outcome FimDePagina();
    int contador() const { return contador_; }
    int linhasPorPagina() const { return linhas_; }

private:
    shell::CodigosImpressoraRec c_;
    Forma forma_;
    const EscreveLinha& escreve_;
    std::string rodape_;
    int linhas_ = 66;
    int contador_ = 0;
    int pagina_ = 0;
};

// A text form's pass over its items: a page header when a page is due (before the item's party is
// tested, so an item of another party can begin a page), the lines of each listed item, the page
// ended once its count reaches the page length less `folga`, and the last page ended.
report::Outcome PassaItens(ItensListados& itens, FolhaTexto& folha, int folga,
                           const std::function<std::vector<std::string>()>& linhas, const ProgressoTexto& progresso);

// The text forms' run: the printer check ("Impressora não selecionada"), the run's own temporary
// file, the window `texto` with its progress bar while `gera` writes the lines, then the viewer
// under `nomeSalvar` and the file deleted. A line that cannot be written stops the run, says so
// and deletes the file.
using GeraTexto = std::function<report::Outcome(const shell::CodigosImpressoraRec&, const EscreveLinha&,
                                                const ProgressoTexto&)>;
void ExecutaTexto(ui::ProcContext& ctx, const char* procedimento, const char* texto, const char* nomeSalvar,
                  const GeraTexto& gera);

}  // namespace vorel::listings::itens
