// Change history of a person's fields: LeHistoricoFuncionario and GravaHistoricoFuncionario.
#include "vorel/registers/employee_history.h"

#include "vorel/data/dictionary.h"
#include "vorel/data/error.h"
#include "vorel/data/open_mode.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/payroll_tables.h"
#include "vorel/ui/message_box.h"

namespace vorel::registers {

namespace {

using dictionary::ACFuncionariosRec;

// Opens the thread's history table for the routine's time, reading and writing while no one else may
// write; a file the caller holds open stays open (in the caller's mode).
class HistoryFile {
public:
    HistoryFile() : file_(data::dictionary::file(dictionary::ACFuncionarios())) {
        rc_ = file_.open(data::open_mode::kReadWrite | data::open_mode::kDenyWrite);
    }
    ~HistoryFile() {
        if (rc_.ok()) (void)file_.close();
    }
    HistoryFile(const HistoryFile&) = delete;
    HistoryFile& operator=(const HistoryFile&) = delete;
    data::Result rc() const { return rc_; }
    data::FileManager& file() { return file_; }
    ACFuncionariosRec& rec() { return file_.rec<ACFuncionariosRec>(); }

    // Positions on the person, type and date; true when the record read applies on that date.
    bool Find(std::uint32_t codigo, std::uint8_t tipo, date::Day data) {
        if (!rc_.ok()) return false;
        file_.clear_record();
        rec().CODIGOFUN = codigo;
        rec().CODIGOCAMPO = tipo;
        rec().DATA = data;
        if (file_.set_at(dictionary::keys::ACFUN_KEY_CODIGO) != data::kNoError) return false;
        if (file_.next() != data::kNoError) return false;
        return rec().CODIGOFUN == codigo && rec().CODIGOCAMPO == tipo && rec().DATA <= data;
    }

private:
    data::FileManager& file_;
    data::Result rc_;
};


Decimal ValueOf(const std::string& typed) {
    if (auto d = Decimal::parse(typed)) return d->rounded(4);
    return Decimal(0);
}

bool Differs(std::uint8_t tipo, const ACFuncionariosRec& found, const HistoricoNovo& novo, const Decimal& valor) {
    if (tipo == 2) return novo.dataEx != found.DATAEX;
    if (tipo == 8) {
        String<50> t;
        t = novo.texto;
        return !(t == found.ALTERACAO);
    }
    if ((tipo >= 1 && tipo <= 36)) return valor != found.VALOR.value();
    return false;
}

}  // namespace

bool LeHistoricoFuncionario(std::uint32_t codigo, std::uint8_t tipo, date::Day data, const HistoricoLido& out) {
    HistoryFile h;
    if (!h.Find(codigo, tipo, data)) return false;
    const ACFuncionariosRec& r = h.rec();
    if (out.texto) *out.texto = std::string(r.ALTERACAO.clipped());
    if (out.dataEx) *out.dataEx = r.DATAEX;
    if (out.valor) *out.valor = r.VALOR.value();
    if (out.anotacao) *out.anotacao = std::string(r.ANOTACAO.clipped());
    return true;
}

bool GravaHistoricoFuncionario(std::uint32_t codigo, std::uint8_t tipo, date::Day data, const HistoricoNovo& novo) {
    HistoryFile h;
    if (!h.rc().ok()) {
        const data::LastError& e = data::last_error();
        ui::Message("Abertura do arquivo incorreta: " + text::to_utf8(e.text), "Código Erro: " + std::to_string(e.code),
                    ui::Icon::Exclamation, "&OK");
    }
    const Decimal valor = ValueOf(novo.valor);
    const bool found = h.Find(codigo, tipo, data);
    if (found && !Differs(tipo, h.rec(), novo, valor)) return false;
    const bool inPlace = found && h.rec().DATA == data;
    ACFuncionariosRec& r = h.rec();
    if (!inPlace) h.file().clear_record();
    r.CODIGOFUN = codigo;
    r.CODIGOCAMPO = tipo;
    r.DATA = data;
    r.VALOR = valor;
    r.ALTERACAO = novo.texto;
    r.ANOTACAO = novo.anotacao;
    r.DATAEX = novo.dataEx;
    data::Result rc = !h.rc().ok() ? h.rc() : inPlace ? h.file().put() : h.file().add();
    if (!rc.ok()) {
        const data::LastError& e = data::last_error();
        ui::Message("Erro na alteração do cadastro do funcionário: " + text::to_utf8(e.text),
                    "Código do Erro " + std::to_string(e.code), ui::Icon::Exclamation, "&OK");
    }
    return true;
}

}  // namespace vorel::registers
