// The desk calculator's arithmetic, as an adding machine with a paper tape, without a window.
//
// `CalculadoraModelo` holds the result, the memory, the current value (decimal(17,5) each), the
// text typed for the value, the pending operation, the number of decimal places and the tape. The
// window (`Calculadora`, calculator_window.cpp) maps its buttons and keys onto these operations and
// shows the three numbers with `Picture()`. An operation that cannot be done (a division by zero, a
// number beyond the 12 integer digits) returns the message to show and changes nothing at all.
//
//     CalculadoraModelo c(2);
//     c.Digita('1'); c.Digita('0'); c.Soma(); c.Digita('3'); c.Total();   // result 13
//     std::string clip = c.TextoTransporte();                           // "13"
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "vorel/core/decimal_field.h"

namespace vorel::shell {

class CalculadoraModelo {
public:
    enum class Operacao { Nenhuma = 0, Soma = 1, Subtrai = 2, Multiplica = 3, Divide = 4 };
    struct LinhaFita {
        std::string texto;  // a number as the display picture shows it, 30 dashes, or empty
        char marca = ' ';   // '+', '-', '*', '/', '%', 'T' (total) or ' '
    };
    static constexpr std::size_t kTamanhoEntrada = 22;
    static constexpr std::size_t kTamanhoLinha = 30;
    using Numero = DecimalField<17, 5>;

    // `decimais`: the places kept (Escrita.Ini, default 2); `areaTransferencia`: the clipboard's
    // text, whose number (0 when it is none) becomes the current value.
    explicit CalculadoraModelo(int decimais = 2, std::string_view areaTransferencia = {});

    // Entering a value: a digit '0'..'9' or the decimal point '.'.
    std::string Digita(char c);
    void ApagaUltimo();   // the arrow: removes the last character typed
    void Cancela();       // "C": the value becomes 0

    // The operations; each returns "" when done, else the message to show (nothing changed).
    std::string Soma();
    std::string Subtrai();
    std::string Multiplica();
    std::string Divide();
    std::string Total();
    std::string Percentual();

    // Memory.
    void RecuperaMemoria();   // MR
    void ZeraMemoria();       // MC
    std::string SomaMemoria();     // M+
    std::string SubtraiMemoria();  // M-

    // Tape.
    void LimpaFita() { fita_.clear(); }
    void SobeFita() { fita_.push_back({}); }
    const std::vector<LinhaFita>& fita() const { return fita_; }

    // Decimal places and the display picture ("@n-22`2"; "@n-22" outside 1..5).
    void DefineDecimais(int decimais) { decimais_ = decimais; }
    int decimais() const { return decimais_; }
    std::string Picture() const;
    std::string Mostra(const Decimal& v) const;  // a number as the display shows it

    // The number carried to the clipboard: the result when not 0, else the current value, as plain
    // text (no grouping, a point before any decimals).
    std::string TextoTransporte() const;

    const Decimal& resultado() const { return resultado_; }
    const Decimal& memoria() const { return memoria_; }
    const Decimal& valor() const { return valor_; }
    const std::string& entrada() const { return entrada_; }
    Operacao pendente() const { return pendente_; }

private:
    template <class F>
    std::string Protegido(F&& f);
    void Adiciona(Operacao op);
    void MultiplicaOuDivide(Operacao op);
    void Totaliza();
    void Percentua();
    Decimal Trunca(const Decimal& v) const;
    void Anota(const Decimal& v, char marca);
    void AnotaTracos() { fita_.push_back({std::string(kTamanhoLinha, '-'), '-'}); }

    Numero resultado_, memoria_, valor_;
    std::string entrada_;
    bool digitando_ = false;
    Operacao pendente_ = Operacao::Nenhuma;
    int decimais_ = 2;
    std::vector<LinhaFita> fita_;
};

}  // namespace vorel::shell
