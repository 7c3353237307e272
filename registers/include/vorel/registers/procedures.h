// The register procedures of subsystem 3, and their registration by name.
//
// `AddRegisterProcedures()` adds every register window procedure to the `ProcedureRegistry` under
// the name the menu and the other subsystems start or call it by ("CFO", "UCFO", "Estados", ...).
// The program calls it once at start; calling it again changes nothing. Each procedure takes its
// request from the thread's `Request` and leaves its outcome in `Response`; after a selection the
// chosen record is in the table's record buffer of the calling thread.
//
//     vorel::registers::AddRegisterProcedures();
//     ctx.Call("CFO", Request::Select);   // then data::dictionary::file(CFO()).rec<CFORec>()
#pragma once

#include "vorel/ui/types.h"

namespace vorel::ui {
class ProcContext;
}

namespace vorel::registers {

// The window layer's names every register procedure uses.
using ui::Level;
using ui::ProcContext;
using ui::Request;
using ui::Response;

void AddRegisterProcedures();

// CFOP codes and their complementary codes.
void RunCfoBrowse(ui::ProcContext& ctx);              // "CFO"
void RunCfoForm(ui::ProcContext& ctx);                // "UCFO"
void RunCfoComplementarBrowse(ui::ProcContext& ctx);  // "CFOComplementar"
void RunCfoComplementarForm(ui::ProcContext& ctx);    // "UCFOComplementar"
// Economic activities (the code shown through kCnaePicture), states and municipalities.
inline constexpr const char* kCnaePicture = "@p####-#/##p";
void RunCnaeBrowse(ui::ProcContext& ctx);             // "CNAE"
void RunCnaeForm(ui::ProcContext& ctx);               // "UCNAE"
void RunEstadosBrowse(ui::ProcContext& ctx);          // "Estados"
void RunEstadosForm(ui::ProcContext& ctx);            // "UEstados"
void RunMunicipiosForm(ui::ProcContext& ctx);         // "UMunicipios"
// Responsible persons of the working company.
void RunFuncionariosBrowse(ui::ProcContext& ctx);     // "BFuncionarios"
void RunFuncionariosForm(ui::ProcContext& ctx);       // "UFuncionarios"
void RunLegenda(ui::ProcContext& ctx);                // "WLegenda"
// Suppliers and customers.
void RunFornecedoresBrowse(ui::ProcContext& ctx);     // "Fornecedores"
void RunFornecedoresForm(ui::ProcContext& ctx);       // "UFornecedores"
// Products and what hangs on them.
void RunProdutosBrowse(ui::ProcContext& ctx);         // "Produtos"
void RunProdutosForm(ui::ProcContext& ctx);           // "UProdutos"
void RunForCliQelForm(ui::ProcContext& ctx);          // "UForCliQel"
void RunProdutoAliquotasForm(ui::ProcContext& ctx);   // "UProdutoAliquotas"
void RunLoteVorelForm(ui::ProcContext& ctx);          // "ULoteVorel"
// Unit values of the working company's products.
void RunValorUnitario(ui::ProcContext& ctx);          // "ValorUnitario"
void RunCadastroValorUnitSaida(ui::ProcContext& ctx); // "CadastroValorUnitSaida"
// Cash-register machines of the working company.
void RunIcmsEletronicoBrowse(ui::ProcContext& ctx);   // "ICMSEletronico"
void RunIcmsEletronicoForm(ui::ProcContext& ctx);     // "UICMSEletronico"

}  // namespace vorel::registers
