// The update form shared by the vehicle entries (`UEntradaVeiculo`, table EntradaVeiculo) and the
// vehicle exits (`USaidaVeiculos`, table SaidaVeiculo): one vehicle by chassis with its invoice, its
// partner's CNPJ and state, the product, the CFOP and the tax bases. The two tables have the same
// fields under the same names but for the date and the bases, so the form is written once over the
// record type; `VehicleTexts` holds what each window says, and the few steps in which the exit form
// differs (its customer's CNPJ, the cancel button, the fields disabled on delete) are operations the
// exit form replaces.
//
// Every window of one form keeps the values of the last vehicle saved (CNPJ, series, date,
// quantity, CFOP, complementary CFOP, rate, complement; the exit form also the invoice number) and
// primes each new vehicle with them, so a batch of invoices is typed without repeating them.
// Tables: the vehicle table (written), ForCli, Produtos, CFO, CodCFOComplementar, Estados (read).
#pragma once

#include <string>

#include "movement_form.h"
#include "vorel/core/decimal.h"
#include "vorel/core/fixed_string.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/shared_registers.h"
#include "vorel/movements/month_lock.h"
#include "vorel/movements/procedures.h"

namespace vorel::movements {

// What a vehicle form's window says: labels, tips and captions.
struct VehicleTexts {
    std::string procedure, caption;
    ui::FormCaptions captions;
    std::string nomePrompt, nomeTip, inscricaoPrompt, cnpjTip, chassiTip, cfoTip, dataTip, serieTip,
        numeroTip;
    std::string base1Prompt, base1Tip, base2Prompt, base2Tip;  // no second base when its prompt is empty
    ui::ButtonLabel ok, okOnChange, okOnDelete;
    bool carriesNumero = false;  // the exit form repeats the invoice number too
    bool cancelAsks = true;      // cancel with changed fields asks before leaving
};

// The values a form carries from the vehicle last saved into the next one it primes.
struct CarriedValues {
    String<14> cnpj;
    String<2> serie;
    std::uint32_t numero = 0;
    std::int32_t data = 0;
    Decimal quantidade;
    std::uint16_t cfo = 0;
    std::uint8_t cfoComplementar = 0;
    Decimal aliquota;  // two places (the carried rate is a decimal(5,2))
    std::int16_t complemento = 0;
};

template <class Rec>
class VehicleForm : public MovementForm {
public:
    enum : int {
        kPCnpj = 1, kCnpj, kBuscaCnpj, kPNome, kNome, kPUf, kUf, kPInscricao, kInscricao, kPSerie, kSerie,
        kPNumero, kNumero, kPData, kData, kPQuantidade, kQuantidade, kPProduto, kProduto, kBuscaProduto,
        kPDescricao, kDescricao, kPChassi, kChassi, kPCfo, kCfo, kPComplemento, kComplemento, kBuscaCfo,
        kPCfoCompl, kCfoCompl, kBuscaCfoCompl, kPAliquota, kAliquota, kPBase1, kBase1, kPBase2, kBase2, kOk,
        kCancel, kHelp
    };

    VehicleForm(ProcContext& ctx, const data::TableDesc& table, VehicleTexts texts, std::int32_t Rec::*data,
                DecimalField<13, 2> Rec::*base1, DecimalField<13, 2> Rec::*base2);

    Level Setup() override;
    Level OnWindowOpened() override;
    Level OnSelected(int feq) override;
    Level OnAccepted(int feq) override;
    Level Teardown() override;

protected:
    Rec& rec() { return rec_; }
    void PrimeInsert() override;  // the carried values
    // The steps in which the exit form differs from the entry form.
    virtual Level CnpjAccepted();     // the entry form's: the supplier found, else chosen
    virtual void BuscaCnpjPressed();  // the entry form's supplier look-up button
    virtual void OpenedOnRecord(bool partnerFound) { (void)partnerFound; }  // change, delete, view
    // Runs a look-up for selection, through the form's procedure call (nothing in view mode) or
    // directly; the register's buffer is put back as it was when the user chose nothing.
    ui::Response Escolhe(const char* browse, data::FileManager& table, bool throughProcedureCall);
    data::FileManager& forcli() { return forcli_; }
    dictionary::ForCliRec& fornecedor();
    bool LeFornecedor();  // ForCli by the record's CNPJ (active records), into the buffer
    ui::Window& w() { return window(); }

private:
    void ProdutoAccepted();
    void BuscaProdutoPressed();
    void ComplementoAccepted();
    void BuscaCfoPressed();
    Level CfoComplAccepted();
    void BuscaCfoComplPressed();
    void TakeCarried();
    void LoadStates();

    const VehicleTexts texts_;
    Rec& rec_;
    std::int32_t Rec::*data_;
    DecimalField<13, 2> Rec::*base1_;
    DecimalField<13, 2> Rec::*base2_;
    data::FileManager& forcli_;
    data::FileManager& produtos_;
    data::FileManager& cfo_;
    data::FileManager& cfoCompl_;
    data::FileManager& estados_;
    CarriedValues carried_;
};

extern template class VehicleForm<dictionary::EntradaVeiculoRec>;
extern template class VehicleForm<dictionary::SaidaVeiculoRec>;

}  // namespace vorel::movements
