// Browse "SaidaVeiculo": window "Janela de Lançamentos de Saídas" over table SaidaVeiculo, the
// vehicles sold in the working month; the form is USaidaVeiculos.
#include "month_browse.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::SaidaVeiculoRec;

MonthBrowseLayout Layout(SaidaVeiculoRec& r) {
    return {"SaidaVeiculo",
            "Janela de Lançamentos de Saídas",
            "USaidaVeiculos",
            dictionary::keys::SAV_KEY_NUMERO,
            "",
            "&Pesquisa Lançamento",
            "&Seleciona Lençamento",
            [&r] { return r.DataSaida; },
            &r.DataSaida,
            ui::UseDate(r.DataSaida, "@d06b"),
            {{"Chassi", 90, 'L', [&r] { return text::to_utf8(r.Chassi.clipped()); }},
             {"Data Saída", 48, 'C', [&r] { return ui::FormatNumber("@d06b", r.DataSaida); }},
             {"Número", 40, 'R', [&r] { return std::to_string(r.Numero); }},
             {"Série", 20, 'L', [&r] { return text::to_utf8(r.Serie.clipped()); }},
             {"Base Saída Comercial", 60, 'R', [&r] { return ui::ShowDecimal(r.BaeSaidaComercial, 2); }},
             {"Base Saída Cons Final", 60, 'R', [&r] { return ui::ShowDecimal(r.BaseSaidaConsFinal, 2); }}}};
}

}  // namespace

void RunSaidaVeiculoBrowse(ProcContext& ctx) {
    MonthBrowse(ctx, dictionary::SaidaVeiculo(),
                Layout(ui::ThreadFile(dictionary::SaidaVeiculo()).rec<SaidaVeiculoRec>()))
        .Execute();
}

}  // namespace vorel::movements
