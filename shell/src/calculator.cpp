// The calculator's arithmetic and tape.
#include "vorel/shell/calculator.h"

#include <stdexcept>

#include "vorel/core/picture.h"
#include "vorel/core/text.h"

namespace vorel::shell {

namespace {

struct DivisaoPorZero {};

// The typed text as a number: "12." and "." read as 12 and 0.
Decimal LeNumero(std::string_view t) {
    std::string s(text::trim(t));
    if (s.empty()) return Decimal();
    if (auto v = Decimal::parse(s)) return *v;
    if (auto v = Decimal::parse(s + "0")) return *v;
    return Decimal();
}

}  // namespace

CalculadoraModelo::CalculadoraModelo(int decimais, std::string_view areaTransferencia) : decimais_(decimais) {
    Decimal v;
    if (auto lido = Decimal::parse(text::trim(areaTransferencia)); lido && lido->fits(17, 5)) v = *lido;
    valor_ = v;
    entrada_ = valor_.value().to_string('.');
}

template <class F>
std::string CalculadoraModelo::Protegido(F&& f) {
    CalculadoraModelo antes = *this;
    try {
        f();
        return {};
    } catch (const DivisaoPorZero&) {
        *this = std::move(antes);
        return "Divisão por zero não é possível";
    } catch (const DecimalOverflow&) {
        *this = std::move(antes);
        return "Número grande demais para a calculadora";
    } catch (const DecimalDivisionByZero&) {
        *this = std::move(antes);
        return "Divisão por zero não é possível";
    }
}

std::string CalculadoraModelo::Digita(char c) {
    if (!(c >= '0' && c <= '9') && c != '.') return {};
    return Protegido([&] {
        if (!digitando_) entrada_.clear();
        std::string nova(text::clip(entrada_));
        if (c == '.' && nova.find('.') != std::string::npos) return;  // one decimal point
        if (nova.size() >= kTamanhoEntrada) return;
        nova += c;
        valor_ = LeNumero(nova);
        entrada_ = nova;
        digitando_ = true;
    });
}

void CalculadoraModelo::ApagaUltimo() {
    if (!digitando_) entrada_.clear();
    std::string t(text::clip(entrada_));
    if (!t.empty()) t.pop_back();
    entrada_ = t;
    valor_ = LeNumero(t);
}

void CalculadoraModelo::Cancela() {
    entrada_.clear();
    valor_ = 0;
}

Decimal CalculadoraModelo::Trunca(const Decimal& v) const {
    return v.cut(decimais_ >= 1 && decimais_ <= 5 ? decimais_ : 0);
}

void CalculadoraModelo::Anota(const Decimal& v, char marca) { fita_.push_back({Mostra(v), marca}); }

void CalculadoraModelo::Adiciona(Operacao op) {
    if (pendente_ == Operacao::Multiplica || pendente_ == Operacao::Divide) {
        Totaliza();
        valor_ = resultado_;
        resultado_ = 0;
    }
    resultado_ = Trunca(op == Operacao::Soma ? resultado_ + valor_ : resultado_ - valor_);
    pendente_ = op;
    digitando_ = false;
    Anota(valor_, op == Operacao::Soma ? '+' : '-');
}

void CalculadoraModelo::MultiplicaOuDivide(Operacao op) {
    if (pendente_ != Operacao::Nenhuma) {
        Totaliza();
        valor_ = resultado_;
    } else {
        resultado_ = valor_;
    }
    pendente_ = op;
    digitando_ = false;
    Anota(valor_, op == Operacao::Multiplica ? '*' : '/');
}

void CalculadoraModelo::Totaliza() {
    if (pendente_ == Operacao::Multiplica || pendente_ == Operacao::Divide) {
        if (pendente_ == Operacao::Divide && valor_.value().is_zero()) throw DivisaoPorZero{};
        resultado_ = Trunca(pendente_ == Operacao::Multiplica ? resultado_ * valor_ : resultado_ / valor_);
        Anota(valor_, ' ');
    } else if (pendente_ == Operacao::Nenhuma) {
        resultado_ = 0;
    }
    AnotaTracos();
    Anota(resultado_, 'T');
    fita_.push_back({});
    entrada_ = "0";
    valor_ = 0;
    pendente_ = Operacao::Nenhuma;
}

void CalculadoraModelo::Percentua() {
    const Decimal p = valor_;
    Decimal r = resultado_;
    static constexpr char kMarca[] = {' ', '+', '-', '*', '/'};
    if (pendente_ == Operacao::Soma || pendente_ == Operacao::Subtrai || pendente_ == Operacao::Divide) {
        AnotaTracos();
        Anota(r, 'T');
        fita_.push_back({});
        Anota(r, kMarca[static_cast<int>(pendente_)]);
    }
    const Decimal parte = r * p / 100;
    switch (pendente_) {
        case Operacao::Soma: r = r + parte; break;
        case Operacao::Subtrai: r = r - parte; break;
        case Operacao::Multiplica: r = parte; break;
        case Operacao::Divide:
            if (parte.is_zero()) throw DivisaoPorZero{};
            r = r / parte;
            break;
        case Operacao::Nenhuma: break;
    }
    Numero novo = Trunca(r);
    pendente_ = Operacao::Nenhuma;
    digitando_ = false;
    Anota(p, '%');
    AnotaTracos();
    Anota(novo, 'T');
    fita_.push_back({});
    valor_ = novo;
    entrada_ = novo.value().to_string('.');
    resultado_ = 0;
}

std::string CalculadoraModelo::Soma() { return Protegido([&] { Adiciona(Operacao::Soma); }); }
std::string CalculadoraModelo::Subtrai() { return Protegido([&] { Adiciona(Operacao::Subtrai); }); }
std::string CalculadoraModelo::Multiplica() { return Protegido([&] { MultiplicaOuDivide(Operacao::Multiplica); }); }
std::string CalculadoraModelo::Divide() { return Protegido([&] { MultiplicaOuDivide(Operacao::Divide); }); }
std::string CalculadoraModelo::Total() { return Protegido([&] { Totaliza(); }); }
std::string CalculadoraModelo::Percentual() { return Protegido([&] { Percentua(); }); }

void CalculadoraModelo::RecuperaMemoria() { valor_ = memoria_; }
void CalculadoraModelo::ZeraMemoria() { memoria_ = 0; }

std::string CalculadoraModelo::SomaMemoria() {
    return Protegido([&] { memoria_ = memoria_ + (resultado_.value().is_zero() ? valor_ : resultado_); });
}
std::string CalculadoraModelo::SubtraiMemoria() {
    return Protegido([&] { memoria_ = memoria_ - (resultado_.value().is_zero() ? valor_ : resultado_); });
}

std::string CalculadoraModelo::Picture() const {
    if (decimais_ >= 1 && decimais_ <= 5) return "@n-22`" + std::to_string(decimais_);
    return "@n-22";
}

std::string CalculadoraModelo::Mostra(const Decimal& v) const {
    return picture::format(picture::Picture(Picture()), v);
}

std::string CalculadoraModelo::TextoTransporte() const {
    const Decimal& v = resultado_.value().is_zero() ? valor_.value() : resultado_.value();
    return v.to_string('.');
}

}  // namespace vorel::shell
