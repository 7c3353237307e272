// The options window of a listing whose close button reads "&Fecha" (the product and balance
// listings): `shell::JanelaOpcoesRelatorio` with its "&Cancelar" relabelled once the window is set up.
#pragma once

#include <string>

#include "vorel/shell/report_options_window.h"

namespace vorel::listings {

class JanelaComFecha : public shell::JanelaOpcoesRelatorio {
public:
    JanelaComFecha(ui::ProcContext& ctx, std::string procedimento, std::string caption,
                   shell::ControlesJanelaRelatorio controles)
        : JanelaOpcoesRelatorio(ctx, std::move(procedimento), std::move(caption), controles), fecha_(controles.cancelar) {}

    ui::Level Setup() override {
        ui::Level l = JanelaOpcoesRelatorio::Setup();
        if (l == ui::Level::Benign) window()[fecha_].Text("&Fecha");
        return l;
    }

private:
    int fecha_;
};

}  // namespace vorel::listings
