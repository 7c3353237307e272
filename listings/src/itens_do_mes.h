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

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/file_manager.h"
#include "vorel/listings/movimentos.h"
#include "vorel/shell/globals.h"

namespace vorel::listings::itens {

// The number a text field holds (blanks around it ignored); nullopt when it holds anything but
// digits, or more than 19 of them. A blank field is 0.
std::optional<std::uint64_t> NumeroDoTexto(std::string_view texto);
// Both read as numbers and equal (what the filter compares: "n014" of both sides).
bool MesmoNumero(std::string_view a, std::string_view b);

// A register code in the code column: five positions, thousands by commas ("1,234"); a code wider
// than that keeps every digit in a wider text.
std::string TextoCodigo(std::uint64_t codigo);
// A number through a picture of `largura` positions (`pic` without the width, e.g. "@n" or "@n-"),
// or, when it does not fit, through one of `maxima` positions, blanks on the left dropped: the
// value is never cut or shown as '#'.
std::string NumeroLargo(const char* pic, int largura, const Decimal& valor, int maxima = 20);

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

    // Opens the table and positions it at `inicio` (standard warning 36 when it cannot).
    bool Abre(date::Day inicio, date::Day fim);
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

// The party and product of an item, each looked up from an empty record: a party or product that
// is not found leaves a blank name and a rate of 0.
class Consultas {
public:
    Consultas();
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

private:
    data::FileManager forcli_, produtos_;
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

// The text forms' run: the printer check ("Impressora não selecionada"), the run's own temporary
// file, the window `texto` with its progress bar while `gera` writes the lines, then the viewer
// under `nomeSalvar` and the file deleted. A line that cannot be written stops the run, says so
// and deletes the file.
using GeraTexto = std::function<report::Outcome(const shell::CodigosImpressoraRec&, const EscreveLinha&,
                                                const ProgressoTexto&)>;
void ExecutaTexto(ui::ProcContext& ctx, const char* procedimento, const char* texto, const char* nomeSalvar,
                  const GeraTexto& gera);

}  // namespace vorel::listings::itens
