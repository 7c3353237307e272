// Browse "EntradaVeiculo": window "Lançamento de Entrada de Veículos" over table EntradaVeiculo, the
// vehicles bought in the working month; the form is UEntradaVeiculo.
#include "vehicle_browse.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::EntradaVeiculoRec;

class EntradaVeiculoBrowse : public VehicleBrowse {
public:
    explicit EntradaVeiculoBrowse(ProcContext& ctx)
        : EntradaVeiculoBrowse(ctx, ui::ThreadFile(dictionary::EntradaVeiculo()).rec<EntradaVeiculoRec>()) {}

private:
    EntradaVeiculoBrowse(ProcContext& ctx, EntradaVeiculoRec& r)
        : VehicleBrowse(ctx, dictionary::EntradaVeiculo(),
                        {"EntradaVeiculo", "Lançamento de Entrada de Veículos", "UEntradaVeiculo",
                         std::string(dictionary::keys::ENV_KEY_NUMERO), "&Seleciona Lençamento",
                         {{"Número", 40, 'R', [&r] { return std::to_string(r.Numero); }},
                          {"Série", 20, 'L', [&r] { return text::to_utf8(r.Serie.clipped()); }},
                          {"Base Substituído", 60, 'R', [&r] { return ui::ShowDecimal(r.BasepropSubstituid, 2); }},
                          {"Base Calc. Retenção", 60, 'R', [&r] { return ui::ShowDecimal(r.BaseCalcRetencao, 2); }}},
                         "Data Entrada"},
                        r.DataEntrada, r.Chassi) {}
};

}  // namespace

void RunEntradaVeiculoBrowse(ProcContext& ctx) { EntradaVeiculoBrowse(ctx).Execute(); }

}  // namespace vorel::movements
