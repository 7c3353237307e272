// Browse "LancamentoMestre": window "Janela de Lançamentos Mestre" over table LancICMSEletronico, the
// cash-register readings of the working month (their date, kept as the text of its day number, read
// as a day), by date, machine and closing; the form is UMestre.
#include "month_browse.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/movements/movement_steps.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::LancICMSEletronicoRec;

MonthBrowseLayout Layout(LancICMSEletronicoRec& r) {
    auto dia = [&r] { return dictionary::DiaDoTexto(r.DataEmissao.value()); };
    return {"LancamentoMestre",
            "Janela de Lançamentos Mestre",
            "UMestre",
            dictionary::keys::LAN_KEY_CODIGO,
            "Pesquisa Lançamentos Mestre",
            "&Pesquisa Lançamentos",
            "&Seleciona",
            dia,
            nullptr,
            UseDataTexto(r.DataEmissao),
            {{"Código", 30, 'R', [&r] { return std::to_string(r.Codigo); }},
             {"Data Emissão", 48, 'C', [dia] { return ui::FormatNumber("@d06b", dia()); }},
             {"Cupom Inicial", 50, 'R', [&r] { return std::to_string(r.InicialCupom); }},
             {"Cupom Final", 50, 'R', [&r] { return std::to_string(r.FinalCupom); }},
             {"GT Inicial", 70, 'R', [&r] { return ui::ShowDecimal(r.GTInicio, 2); }},
             {"GT Final", 70, 'R', [&r] { return ui::ShowDecimal(r.GTFinal, 2); }},
             {"Fechamento", 30, 'R', [&r] { return std::to_string(r.Fechamento); }}}};
}

}  // namespace

void RunLancamentoMestreBrowse(ProcContext& ctx) {
    MonthBrowse(ctx, dictionary::LancICMSEletronico(),
                Layout(ui::ThreadFile(dictionary::LancICMSEletronico()).rec<LancICMSEletronicoRec>()))
        .Execute();
}

}  // namespace vorel::movements
