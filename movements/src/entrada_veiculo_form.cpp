// Form "UEntradaVeiculo": window "Lençamento de Entrada Veículo" over one record of table
// EntradaVeiculo: a vehicle bought, by chassis, with the supplier's CNPJ and state, the invoice, the
// product, the CFOP, the rate and the two bases (retention and own operation). The supplier is
// looked up by CNPJ (an unknown one is chosen in the register); the product by code or by the
// user's code, giving the rate; the CFOP by code and complement. An insert stays open for the next
// vehicle with the values carried from the last one. Tables: EntradaVeiculo (written), ForCli,
// Produtos, CFO, CodCFOComplementar, Estados.
#include "vehicle_form.h"

namespace vorel::movements {

namespace {

using dictionary::EntradaVeiculoRec;

VehicleTexts EntradaTexts() {
    VehicleTexts t;
    t.procedure = "UEntradaVeiculo";
    t.caption = "Lençamento de Entrada Veículo";
    t.captions = {"Inclui Novo Lançamento", "Altera Lançamento Selecionado", "Exclui Lançamento Selecionado"};
    t.nomePrompt = "02 Fornecedor";
    t.nomeTip = "Nome do Cliente/Fornecedor";
    t.inscricaoPrompt = "04 Inscricao Est";
    t.cnpjTip = "CNPJ do Fornecedor - F5 Pesquisa.";
    t.chassiTip = "Chassi do Veículo";
    t.cfoTip = "CFO de Entrada de Veículo";
    t.dataTip = "Data da Entrada do Veículo";
    t.serieTip = "Série da Nota de Entrada";
    t.numeroTip = "Número da Nota de Entrada";
    t.base1Prompt = "16 Base Retenção";
    t.base1Tip = "Base de Cáculo da Retenção";
    t.base2Prompt = "17 Base Substituto";
    t.base2Tip = "Base de Cáculo do Próprio";
    t.ok = {"&OK", "Grava Registro", "Grava Registro"};
    t.okOnDelete = {"&Exclui", "Exclui Lançamento Selecionado", "Exclui Lançamento Selecionado"};
    return t;
}

class EntradaVeiculoForm : public VehicleForm<EntradaVeiculoRec> {
public:
    explicit EntradaVeiculoForm(ProcContext& ctx)
        : VehicleForm(ctx, dictionary::EntradaVeiculo(), EntradaTexts(), &EntradaVeiculoRec::DataEntrada,
                      &EntradaVeiculoRec::BaseCalcRetencao, &EntradaVeiculoRec::BasepropSubstituid) {}
};

}  // namespace

void RunEntradaVeiculoForm(ProcContext& ctx) { EntradaVeiculoForm(ctx).Execute(); }

}  // namespace vorel::movements
