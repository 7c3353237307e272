// Form "USaidaVeiculos": window "Janela de Lançamento de Veículo" over one record of table
// SaidaVeiculo: a vehicle sold, by chassis, with the customer's CNPJ (or "0" for a buyer who is not
// looked up, whose state is chosen by hand), the invoice, the product, the CFOP, the rate and the
// base of the exit to a final consumer. A registered customer fills and locks the state. An insert
// stays open for the next vehicle with the values carried from the last one, the invoice number
// included; cancel leaves at once. Tables: SaidaVeiculo (written), ForCli, Produtos, CFO,
// CodCFOComplementar, Estados.
#include "vehicle_form.h"

namespace vorel::movements {

namespace {

using dictionary::SaidaVeiculoRec;

VehicleTexts SaidaTexts() {
    VehicleTexts t;
    t.procedure = "USaidaVeiculos";
    t.caption = "Janela de Lançamento de Veículo";
    t.captions = {"Inclui Lançamento de Saída", "Altera Lançamentos de Saída", "Exclui Lançamento de Saída"};
    t.nomePrompt = "02 Cliente";
    t.nomeTip = "Nome do Cliente/Fornecedor";
    t.inscricaoPrompt = "04 Inscrição. Est";
    t.cnpjTip = "CNPJ de Clientes - F5 Pesquisa.";
    t.chassiTip = "Chassi do Veículo da Saída";
    t.cfoTip = "CFO da Operação";
    t.dataTip = "Data da Entrada do Veículo";
    t.serieTip = "Série da Nota de Entrada";
    t.numeroTip = "Número da Nota de Entrada";
    t.base1Prompt = "16 Base Saída";
    t.base1Tip = "Base da Saída Consumidor Final";
    t.ok = {"&O.K.", "Confirma Lançamento de Entrada", "Confirma Lançamento de Entrada"};
    t.okOnChange = {"&Grava", "Grava Alteração do Lançamento", "Grava Alteração do Lançamento"};
    t.okOnDelete = {"&Exclui", "Exclui Registro Selecionado", "Exclui Registro Selecionado"};
    t.carriesNumero = true;
    t.cancelAsks = false;
    return t;
}

class SaidaVeiculoForm : public VehicleForm<SaidaVeiculoRec> {
public:
    explicit SaidaVeiculoForm(ProcContext& ctx)
        : VehicleForm(ctx, dictionary::SaidaVeiculo(), SaidaTexts(), &SaidaVeiculoRec::DataSaida,
                      &SaidaVeiculoRec::BaseSaidaConsFinal, &SaidaVeiculoRec::BaeSaidaComercial) {}

    Level Setup() override {
        Level l = VehicleForm::Setup();
        if (l == Level::Benign) DisableOnDelete({kChassi, kData, kNumero, kSerie, kBase1, kCfo});
        return l;
    }

protected:
    // A customer's CNPJ gives the state and locks it; "0" lets the user choose the state.
    Level CnpjAccepted() override {
        if (rec().CNPJforcli != "0") {
            if (!LeFornecedor()) {
                BuscaCnpjPressed();
            } else {
                this->rec().Estado = this->fornecedor().Estado;
                w()[kUf].Disable();
            }
        } else {
            w()[kUf].Enable();
            forcli().clear_record();  // no name or registration shows
            if (!w().acceptAll) w().Select(kUf);
        }
        w().Display();
        return Level::Benign;
    }

    // The customer chosen in the register; when one is chosen its CNPJ is accepted again, which
    // locks the state. A look-up left without a choice is not run again at once (that would open
    // it over and over); the fields take what the register's buffer holds.
    void BuscaCnpjPressed() override {
        UpdateComponents();
        const Response r = Escolhe("Fornecedores", forcli(), false);
        w().Display();
        rec().CNPJforcli = fornecedor().CGC;
        this->rec().Estado = this->fornecedor().Estado;
        if (r == Response::Completed) (void)CnpjAccepted();
        w().Display();
    }

    void OpenedOnRecord(bool customerFound) override {
        if (customerFound && rec().CNPJforcli != "0") w()[kUf].Disable();
    }
};

}  // namespace

void RunSaidaVeiculoForm(ProcContext& ctx) { SaidaVeiculoForm(ctx).Execute(); }

}  // namespace vorel::movements
