// The text-import engine shared by every fixed-width import: cutting a line into its layout's
// fields, the conversions (text, trimmed text, whole number, implied decimals, dates) with every
// unconvertible value named in the problem list, `SomenteDigitos`, and one run's staging file.
//
// A line is read through `LinhaImportada`, which knows the line's number and the layout's type so a
// value it cannot convert is listed as "Linha 7, campo 7-Quantidade de Produtos.: ..." and read as
// 0; the line itself is never refused for it.
//
//     LinhaImportada l(mat.LINHA.value(), posicoes, numero, 17, erros);
//     sai.Numero = l.Inteiro<std::uint32_t>(3);
//     l.Valor(sai.Quantidade, 7, 3);       // "001234" -> 1.234
//
// `Preparacao` owns one run's temporary staging file: a name of its own (`NomeArqTemp`, taken at
// once), opened on a cursor of the staging alias with `open_path` (the shared name variable of the
// target table is never pointed at it), emptied before every read and deleted when the run ends.
// Only that name is ever deleted.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/date.h"
#include "vorel/core/decimal.h"
#include "vorel/data/error.h"
#include "vorel/integration/layouts.h"

namespace vorel::data {
class FileManager;
struct TableDesc;
}

namespace vorel::integration {

inline constexpr std::size_t kLinhaMaxima = 2000;  // characters of a line that are read
inline constexpr std::size_t kErroMaximo = 500;    // characters kept of an error text
// The page cache of the files an import writes in one pass (staging, target): small and fixed, so
// a file of 100,000 lines takes the memory of one of 10,000.
inline constexpr const char* kCacheImportacao = "CacheKiB=2048";

// True when every character is a blank or a digit 0-9 (an empty text too).
bool SomenteDigitos(std::string_view texto);

// The characters of columns p.inicio..p.fim of a line (1-based, both included), cut to the line's
// 2000 columns; a line shorter than the field reads as blanks beyond its end.
std::string CortaCampo(std::string_view linha, Posicao p);

// Digits of a whole number read from a field: blanks around, an optional sign; nullopt when the
// text holds anything else. Blank is 0.
std::optional<Decimal> NumeroDoTexto(std::string_view texto, int casas);

class LinhaImportada {
public:
    LinhaImportada(std::string_view linha, const Posicoes& posicoes, long numero, int tipo,
                   std::vector<std::string>& erros)
        : linha_(linha), posicoes_(posicoes), numero_(numero), tipo_(tipo), erros_(erros) {}

    bool Definido(int codigo) const;
    // text n: the field's characters as they stand (a field the layout lacks is the text "0").
    std::string Texto(int codigo) const;
    // trimmed text: blanks removed on both sides.
    std::string Aparado(int codigo) const;
    // A whole number that must fit [min, max]; otherwise listed and 0.
    long long Inteiro(int codigo, long long min, long long max);
    template <class T>
    T Inteiro(int codigo) {
        return static_cast<T>(Inteiro(codigo, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    }
    // A number with `casas` implied decimals ("001234" with 2 is 12.34) that must fit decimal(d,p);
    // otherwise listed and 0.
    Decimal Implicito(int codigo, int casas, int digitos, int lugares);
    template <class F>
    void Valor(F& campo, int codigo, int casas) {
        campo = Implicito(codigo, casas, F::digits, F::places);
    }
    // The date of the day, month and year fields; 0 when all three are 0; a day that is not in the
    // calendar is listed and gives 0.
    date::Day Data(int codigoDia, int codigoMes, int codigoAno, int& dia, int& mes, int& ano);

    long numero() const { return numero_; }
    void Lista(std::string texto) const;

private:
    void Problema(int codigo, std::string_view texto, const char* motivo) const;
    std::string_view linha_;
    const Posicoes& posicoes_;
    long numero_;
    int tipo_;
    std::vector<std::string>& erros_;
};

// Adds one text to an error list, cut at 500 characters.
void AdicionaErro(std::vector<std::string>& erros, std::string texto);

// n of the error texts: the invoice number without leading zeros; d: the date dd/mm/yyyy or blank.
std::string TextoNumero(std::uint32_t numero);
std::string TextoData(date::Day dia);

class Preparacao {
public:
    // A cursor of the run's own on the staging alias (not the thread's), so two runs never share one.
    explicit Preparacao(const data::TableDesc& staging);
    ~Preparacao();
    Preparacao(const Preparacao&) = delete;
    Preparacao& operator=(const Preparacao&) = delete;

    // Takes a new temporary name and opens the staging file empty; an error text for the user
    // (UTF-8) when it cannot.
    std::string Abre();
    // Closes, deletes and recreates the run's staging file so a read starts empty.
    data::Result Esvazia();
    // Closes and deletes the run's staging file.
    void Fecha();
    const std::string& nome() const { return nome_; }
    data::FileManager& tabela() { return *staging_; }

private:
    data::Result AbreVazio();
    void Apaga();
    std::unique_ptr<data::FileManager> staging_;
    std::string reserva_;  // the name NomeArqTemp gave, kept while the run lives
    std::string nome_;     // the staging file beside it
    bool aberto_ = false;
};

}  // namespace vorel::integration
