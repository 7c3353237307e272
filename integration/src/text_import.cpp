// The text-import engine: cutting, conversions, the problem list and the run's staging file.
#include "vorel/integration/text_import.h"

#include <cstdio>

#include "vorel/core/paths.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/integration/layout_catalogue.h"
#include "vorel/shell/text_report.h"

namespace vorel::integration {

namespace {

std::string_view Apara(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

bool SomenteDigitos(std::string_view texto) {
    for (char c : texto)
        if (c != ' ' && (c < '0' || c > '9')) return false;
    return true;
}

std::string CortaCampo(std::string_view linha, Posicao p) {
    if (p.inicio < 1 || p.fim < p.inicio) return {};
    const std::size_t inicio = static_cast<std::size_t>(p.inicio);
    const std::size_t fim = std::min(static_cast<std::size_t>(p.fim), kLinhaMaxima);
    if (inicio > fim) return {};
    std::string out(fim - inicio + 1, ' ');
    if (inicio <= linha.size()) {
        const std::size_t n = std::min(linha.size() - (inicio - 1), out.size());
        out.replace(0, n, linha.substr(inicio - 1, n));
    }
    return out;
}

std::optional<Decimal> NumeroDoTexto(std::string_view texto, int casas) {
    std::string_view t = Apara(texto);
    bool negativo = false;
    if (!t.empty() && (t.front() == '-' || t.front() == '+')) {
        negativo = t.front() == '-';
        t.remove_prefix(1);
    }
    while (t.size() > 1 && t.front() == '0') t.remove_prefix(1);
    if (t.empty()) return Decimal(0);
    for (char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    if (t.size() > static_cast<std::size_t>(Decimal::kMaxDigits)) return std::nullopt;
    std::string digitos(t);
    if (casas > 0) {
        if (digitos.size() <= static_cast<std::size_t>(casas))
            digitos.insert(0, static_cast<std::size_t>(casas) + 1 - digitos.size(), '0');
        digitos.insert(digitos.size() - static_cast<std::size_t>(casas), 1, '.');
    }
    if (negativo) digitos.insert(0, 1, '-');
    return Decimal::parse(digitos);
}

bool LinhaImportada::Definido(int codigo) const {
    return codigo > 0 && static_cast<std::size_t>(codigo) < posicoes_.size() && posicoes_[codigo].inicio > 0;
}

std::string LinhaImportada::Texto(int codigo) const {
    if (!Definido(codigo)) return "0";
    return CortaCampo(linha_, posicoes_[codigo]);
}

std::string LinhaImportada::Aparado(int codigo) const { return std::string(Apara(Texto(codigo))); }

void LinhaImportada::Lista(std::string texto) const { AdicionaErro(erros_, std::move(texto)); }

void LinhaImportada::Problema(int codigo, std::string_view texto, const char* motivo) const {
    std::string campo = RotuloCampo(tipo_, codigo, Onde::Escolha);
    if (campo.empty()) campo = std::to_string(codigo);
    Lista(text::from_utf8("Linha " + std::to_string(numero_) + ", campo " + campo + ": \"") +
          std::string(Apara(texto)) + text::from_utf8(std::string("\" ") + motivo));
}

long long LinhaImportada::Inteiro(int codigo, long long min, long long max) {
    if (!Definido(codigo)) return 0;
    const std::string t = Texto(codigo);
    std::optional<vorel::Decimal> v = NumeroDoTexto(t, 0);
    if (!v) {
        Problema(codigo, t, "não é um número; lido como 0.");
        return 0;
    }
    if (*v < vorel::Decimal(min) || *v > vorel::Decimal(max)) {
        Problema(codigo, t, "está fora do limite do campo; lido como 0.");
        return 0;
    }
    return v->to_integer();
}

Decimal LinhaImportada::Implicito(int codigo, int casas, int digitos, int lugares) {
    if (!Definido(codigo)) return vorel::Decimal(0);
    const std::string t = Texto(codigo);
    std::optional<vorel::Decimal> v = NumeroDoTexto(t, casas);
    if (!v) {
        Problema(codigo, t, "não é um número; lido como 0.");
        return vorel::Decimal(0);
    }
    if (!v->fits(digitos, lugares)) {
        Problema(codigo, t, "está fora do limite do campo; lido como 0.");
        return vorel::Decimal(0);
    }
    return *v;
}

date::Day LinhaImportada::Data(int codigoDia, int codigoMes, int codigoAno, int& dia, int& mes, int& ano) {
    dia = static_cast<int>(Inteiro(codigoDia, 0, 255));
    mes = static_cast<int>(Inteiro(codigoMes, 0, 255));
    ano = static_cast<int>(Inteiro(codigoAno, 0, 65535));
    if (dia == 0 && mes == 0 && ano == 0) return 0;
    if (!date::valid(ano, mes, dia)) {
        char texto[32];
        std::snprintf(texto, sizeof texto, "%02d/%02d/%04d", dia, mes, ano);
        Problema(codigoDia, texto, "não é uma data do calendário; lida sem data.");
        return 0;
    }
    return date::make(ano, mes, dia);
}

void AdicionaErro(std::vector<std::string>& erros, std::string texto) {
    if (texto.size() > kErroMaximo) texto.resize(kErroMaximo);
    erros.push_back(std::move(texto));
}

std::string TextoNumero(std::uint32_t numero) { return std::to_string(numero); }

std::string TextoData(date::Day dia) {
    if (dia <= 0) return "";
    char texto[16];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04d", date::day(dia), date::month(dia), date::year(dia));
    return texto;
}

Preparacao::Preparacao(const data::TableDesc& staging) : staging_(std::make_unique<data::FileManager>(staging)) {}

Preparacao::~Preparacao() { Fecha(); }

std::string Preparacao::Abre() {
    Fecha();
    shell::NomeTemporario t = shell::NomeArqTemp();
    if (!t.ok()) return t.erro;
    reserva_ = t.nome;
    nome_ = t.nome + "T";  // the reserved name stays taken until the run ends
    if (data::Result r = AbreVazio(); !r.ok()) {
        std::string erro = "Não foi possível abrir o arquivo temporário " + text::to_utf8(nome_) + ": " +
                           text::to_utf8(std::string(data::error_text(r)));
        Fecha();
        return erro;
    }
    return {};
}

data::Result Preparacao::AbreVazio() {
    staging_->set_create(true);
    data::Result r = staging_->open_path(nome_);
    aberto_ = r.ok();
    if (aberto_) {
        (void)staging_->send(kCacheImportacao);
        (void)staging_->send("Scratch=1");  // the run's own file
    }
    return r;
}

data::Result Preparacao::Esvazia() {
    if (nome_.empty()) return data::kFileNotOpen;
    if (aberto_) (void)staging_->close();
    aberto_ = false;
    Apaga();
    return AbreVazio();
}

void Preparacao::Apaga() {
    for (const char* fim : {"", "-lock", "-journal"}) (void)files::remove_file(nome_ + fim);
}

void Preparacao::Fecha() {
    if (aberto_) (void)staging_->close();
    aberto_ = false;
    if (!nome_.empty()) Apaga();
    if (!reserva_.empty()) (void)files::remove_file(reserva_);
    nome_.clear();
    reserva_.clear();
}

}  // namespace vorel::integration
