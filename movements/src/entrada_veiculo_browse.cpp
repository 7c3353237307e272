// Browse "EntradaVeiculo": window "Lançamento de Entrada de Veículos" over table EntradaVeiculo, the
// vehicles bought in the working month; the form is UEntradaVeiculo.
#include "month_browse.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::EntradaVeiculoRec;

MonthBrowseLayout Layout(EntradaVeiculoRec& r) {
    return {"EntradaVeiculo",
            "Lançamento de Entrada de Veículos",
            "UEntradaVeiculo",
            dictionary::keys::ENV_KEY_NUMERO,
            "",
            "&Pesquisa Lançamento",
            "&Seleciona Lençamento",
            [&r] { return r.DataEntrada; },
            &r.DataEntrada,
            ui::UseDate(r.DataEntrada, "@d06b"),
            {{"Chassi", 90, 'L', [&r] { return text::to_utf8(r.Chassi.clipped()); }},
             {"Data Entrada", 48, 'C', [&r] { return ui::FormatNumber("@d06b", r.DataEntrada); }},
             {"Número", 40, 'R', [&r] { return std::to_string(r.Numero); }},
             {"Série", 20, 'L', [&r] { return text::to_utf8(r.Serie.clipped()); }},
             {"Base Substituído", 60, 'R', [&r] { return ui::ShowDecimal(r.BasepropSubstituid, 2); }},
             {"Base Calc. Retenção", 60, 'R', [&r] { return ui::ShowDecimal(r.BaseCalcRetencao, 2); }}}};
}

}  // namespace

void RunEntradaVeiculoBrowse(ProcContext& ctx) {
    MonthBrowse(ctx, dictionary::EntradaVeiculo(),
                Layout(ui::ThreadFile(dictionary::EntradaVeiculo()).rec<EntradaVeiculoRec>()))
        .Execute();
}

}  // namespace vorel::movements
