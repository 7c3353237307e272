// Closing and reopening months, with their log, in one transaction per run.
#include "vorel/shell/month_closing.h"

#include "vorel/data/dictionary.h"
#include "vorel/core/text.h"
#include "vorel/data/error.h"
#include "vorel/data/transaction.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"

namespace vorel::shell {

namespace {

using dictionary::FechamentoEscritaRec;
using dictionary::LogEscritaRec;

// The two tables, open for one run.
class Tabelas {
public:
    Tabelas()
        : fef_(data::dictionary::file(dictionary::FechamentoEscrita())),
          log_(data::dictionary::file(dictionary::LogEscrita())) {
        erro_ = fef_.open();
        if (erro_.ok()) {
            erro_ = log_.open();
            if (!erro_.ok()) (void)fef_.close();
        }
    }
    ~Tabelas() {
        if (erro_.ok()) {
            (void)log_.close();
            (void)fef_.close();
        }
    }
    data::Result erro() const { return erro_; }
    data::FileManager& fef() { return fef_; }
    data::FileManager& log() { return log_; }

    // Finds the month's record (company 0); true when it exists (the record is then current).
    bool Procura(date::Day mes) {
        fef_.clear_record();
        auto& r = fef_.rec<FechamentoEscritaRec>();
        r.MESANO = mes;
        r.CODEMPRESA = 0;
        return fef_.get(dictionary::keys::FEF_KEY_MESANO) == data::kNoError;
    }
    data::Result Loga(date::Day mes, TipoLog tipo, const Autor& autor) {
        log_.clear_record();
        auto& r = log_.rec<LogEscritaRec>();
        r.USUARIO = autor.usuario;
        r.MESANO = mes;
        r.DATA = autor.data;
        r.HORA = autor.hora;
        r.Tipo = static_cast<std::uint8_t>(tipo);
        r.CODEMP = 0;
        return log_.add();
    }

private:
    data::FileManager& fef_;
    data::FileManager& log_;
    data::Result erro_;
};

std::string Falha(data::Result codigo) {
    const data::LastError& e = data::last_error();
    std::string t = "Não foi possível gravar o fechamento: " + std::to_string(codigo.code()) + " " +
                    text::to_utf8(e.text.empty() ? data::error_text(codigo.code()) : std::string_view(e.text));
    if (!e.file.empty()) t += " (" + text::to_utf8(e.file) + ")";
    return t;
}

// Months counted from year 0, so that a range is a count and never a walk past the calendar.
int IndiceMes(date::Day dia) {
    date::Ymd d = date::split(dia);
    return d.year * 12 + d.month - 1;
}

// Runs `muda` for every month of the range in one transaction. `muda` returns kNoError with
// `mudou` set when it changed the month, kNoError without it when there was nothing to change, or
// an error.
template <class Muda>
Alteracao Percorre(date::Day inicial, date::Day final, TipoLog tipo, const Autor& autor, const Parar& parar,
                   Muda muda) {
    Alteracao a;
    Tabelas t;
    if (!t.erro().ok()) {
        a.erro = Falha(t.erro());
        return a;
    }
    data::Transaction tr({&t.fef(), &t.log()});
    if (!tr.status().ok()) {
        a.erro = Falha(tr.status());
        return a;
    }
    const date::Ymd primeiro = date::split(inicial);
    const int meses = IndiceMes(final) - IndiceMes(inicial) + 1;
    for (int i = 0; i < meses; ++i) {
        if (parar && parar()) {
            a.erro = "Fechamento interrompido: o programa está sendo encerrado. Nada foi gravado.";
            a.meses.clear();
            return a;  // the transaction rolls back
        }
        const date::Day mes = date::make(primeiro.year, primeiro.month + i, 1);
        bool mudou = false;
        data::Result rc = muda(t, mes, mudou);
        if (rc.ok() && mudou) rc = t.Loga(mes, tipo, autor);
        if (!rc.ok()) {
            a.erro = Falha(rc);
            a.meses.clear();
            return a;  // the transaction rolls back
        }
        if (mudou) a.meses.push_back(mes);
    }
    if (data::Result rc = tr.commit(); !rc.ok()) {
        a.erro = Falha(rc);
        a.meses.clear();
    }
    return a;
}

data::Result Fecha(Tabelas& t, date::Day mes, bool& mudou) {
    if (t.Procura(mes)) return data::kNoError;
    t.fef().clear_record();
    t.fef().rec<FechamentoEscritaRec>().MESANO = mes;
    data::Result rc = t.fef().add();
    mudou = rc.ok();
    return rc;
}

data::Result Abre(Tabelas& t, date::Day mes, bool& mudou) {
    if (!t.Procura(mes)) return data::kNoError;
    data::Result rc = t.fef().remove();
    mudou = rc.ok();
    return rc;
}

}  // namespace

bool MesFechado(date::Day dia) {
    if (dia <= 0) return false;
    Tabelas t;
    return t.erro().ok() && t.Procura(date::first_of_month(dia));
}

date::Day UltimoMesAceito() { return date::make(9999, 11, 1); }

std::string ConfereIntervalo(date::Day inicial, date::Day final) {
    if (inicial == 0) return "Preencha o Mês / Ano Inicial";
    if (final == 0) return "Preencha o Mês / Ano Final";
    if (inicial > final) return "Mês / Ano Inicial maior que Mês / Ano Final";
    if (date::first_of_month(final) > UltimoMesAceito()) return "Mês / Ano Final além de 11/9999";
    return {};
}

Alteracao FechaMeses(date::Day inicial, date::Day final, const Autor& autor, const Parar& parar) {
    if (std::string e = ConfereIntervalo(inicial, final); !e.empty()) return {{}, e};
    return Percorre(inicial, final, TipoLog::Fechamento, autor, parar, Fecha);
}

Alteracao AbreMeses(date::Day inicial, date::Day final, const Autor& autor, const Parar& parar) {
    if (std::string e = ConfereIntervalo(inicial, final); !e.empty()) return {{}, e};
    return Percorre(inicial, final, TipoLog::Abertura, autor, parar, Abre);
}

namespace {
// The check of the one-month form: "" when the month can be closed or reopened.
std::string ConfereMes(date::Day mes) {
    if (mes <= 0) return "Preencha o Mês / Ano";
    if (date::first_of_month(mes) > UltimoMesAceito()) return "Mês / Ano além de 11/9999";
    return {};
}
}  // namespace

Alteracao FechaMes(date::Day mes, const Autor& autor) {
    if (std::string e = ConfereMes(mes); !e.empty()) return {{}, e};
    Alteracao a = Percorre(mes, mes, TipoLog::Fechamento, autor, {}, Fecha);
    if (a.erro.empty() && a.meses.empty()) a.erro = "Mês já está fechado";
    return a;
}

Alteracao AbreMes(date::Day mes, const Autor& autor) {
    if (std::string e = ConfereMes(mes); !e.empty()) return {{}, e};
    Alteracao a = Percorre(mes, mes, TipoLog::Abertura, autor, {}, Abre);
    if (a.erro.empty() && a.meses.empty()) a.erro = "Mês não está fechado";
    return a;
}

std::string DescricaoLog(std::uint8_t tipo) { return tipo != 0 ? "Fechamento" : "Abertura"; }

}  // namespace vorel::shell
