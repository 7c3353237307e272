// Browse "SaidaVeiculo": window "Janela de Lançamentos de Saídas" over table SaidaVeiculo, the
// vehicles sold in the working month; the form is USaidaVeiculos.
#include "vehicle_browse.h"

#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/ui/pictured_use.h"

namespace vorel::movements {

namespace {

using dictionary::SaidaVeiculoRec;

class SaidaVeiculoBrowse : public VehicleBrowse {
public:
    explicit SaidaVeiculoBrowse(ProcContext& ctx)
        : SaidaVeiculoBrowse(ctx, ui::ThreadFile(dictionary::SaidaVeiculo()).rec<SaidaVeiculoRec>()) {}

private:
    SaidaVeiculoBrowse(ProcContext& ctx, SaidaVeiculoRec& r)
        : VehicleBrowse(ctx, dictionary::SaidaVeiculo(),
                        {"SaidaVeiculo", "Janela de Lançamentos de Saídas", "USaidaVeiculos",
                         std::string(dictionary::keys::SAV_KEY_NUMERO), "&Seleciona Lençamento",
                         {{"Número", 40, 'R', [&r] { return std::to_string(r.Numero); }},
                          {"Série", 20, 'L', [&r] { return text::to_utf8(r.Serie.clipped()); }},
                          {"Base Saída Comercial", 60, 'R', [&r] { return ui::ShowDecimal(r.BaeSaidaComercial, 2); }},
                          {"Base Saída Cons Final", 60, 'R', [&r] { return ui::ShowDecimal(r.BaseSaidaConsFinal, 2); }}},
                         "Data Saída"},
                        r.DataSaida, r.Chassi) {}
};

}  // namespace

void RunSaidaVeiculoBrowse(ProcContext& ctx) { SaidaVeiculoBrowse(ctx).Execute(); }

}  // namespace vorel::movements
