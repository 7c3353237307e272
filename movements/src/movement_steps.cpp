// Steps the movement forms share.
#include "vorel/movements/movement_steps.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/fiscal/consultas_cadastro.h"
#include "vorel/core/text.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

void AvisaCfoForaDoPeriodo() {
    ui::Message("Atenção!!! O CFO selecionado não pode ser utilizado no período em questão!!!", "Atenção!!!",
                ui::Icon::Question, "&OK");
}

CfoDigitado ConfereCfoDigitado(ui::ProcContext& ctx, ui::Window& janela, int campoCfo, data::FileManager& cfo,
                               int codigo, int complemento) {
    if (fiscal::ColunaDoCfo(cfo, codigo, complemento)) return CfoDigitado::Cadastrado;
    ui::Message("C.F.O.P. não cadastrado", "Atenção!!!", ui::Icon::Exclamation);
    auto& c = cfo.rec<dictionary::CFORec>();
    cfo.clear_record();
    c.CODIGO = static_cast<decltype(c.CODIGO)>(codigo);
    c.COMPLEMENTO = static_cast<decltype(c.COMPLEMENTO)>(complemento);
    ui::OpenNextSelectionAtBuffer();
    const bool chosen = ctx.Call("CFO", ui::Request::Select) == ui::Response::Completed;
    ui::OpenNextSelectionAtBuffer(false);
    if (chosen) return CfoDigitado::Escolhido;
    janela.Display();
    janela.Select(campoCfo);
    return CfoDigitado::Recusado;
}

std::string ErroDeGravacao(data::Result r) {
    const data::LastError& e = data::last_error();
    return "erro " + std::to_string(r.code()) + " (" + text::to_utf8(e.text) +
           (e.file.empty() ? std::string() : ", " + text::to_utf8(e.file)) + ")";
}

std::string MostraDataTexto(const String<8>& campo) {
    return ui::FormatNumber("@d06b", dictionary::DiaDoTexto(campo.value()));
}

ui::UsePtr UseDataTexto(String<8>& campo) {
    return ui::UseFn([&campo] { return MostraDataTexto(campo); },
                     [&campo](const std::string& typed) {
                         long long dia = 0;
                         if (!ui::ParseNumber("@d06b", typed, 0, 99999999, dia)) return false;
                         campo = dictionary::DataComoTexto(static_cast<date::Day>(dia));
                         return true;
                     });
}

}  // namespace vorel::movements
