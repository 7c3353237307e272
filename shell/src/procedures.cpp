// The shell's procedures, registered by name.
#include "vorel/shell/procedures.h"

#include <mutex>

#include "vorel/shell/printer_setup.h"

#include "vorel/shell/globals.h"
#include "vorel/shell/main_frame.h"
#include "vorel/shell/small_windows.h"
#include "users_table.h"
#include "vorel/shell/users.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

namespace {

void RegisterAll() {
    using ui::ProcContext;
    using ui::ProcedureRegistry;
    ProcedureRegistry::Add("Main", [](ProcContext& c) { Main(c); });
    ProcedureRegistry::Add("Sobre", [](ProcContext& c) { Sobre(c); });
    ProcedureRegistry::Add("TrocaPapelParede", [](ProcContext& c) { TrocaPapelParede(c); });
    ProcedureRegistry::Add("Login", [](ProcContext& c) { Login(c); });
    ProcedureRegistry::Add("UsuariosSenhas", [](ProcContext& c) { UsuariosSenhas(c); });
    ProcedureRegistry::Add("UUsuariosSenhas", [](ProcContext& c) { UUsuariosSenhas(c); });
    ProcedureRegistry::Add("Config_Senhas", [](ProcContext& c) { Config_Senhas(c); });
    // A caller by name finds the user who identified himself, as typed, in the thread's Senhas
    // record buffer (SEN:NOME).
    ProcedureRegistry::Add("VerificaUsuario", [](ProcContext& c) {
        UsuarioVerificado v = VerificaUsuario(c);
        if (v.ok) RegistroSenhas().NOME = v.usuario;
        c.response = v.ok ? ui::Response::Completed : ui::Response::Cancelled;
    });
    ProcedureRegistry::Add("VerificaSuper", [](ProcContext& c) {
        c.response = VerificaSuper(c).ok ? ui::Response::Completed : ui::Response::Cancelled;
    });
}

}  // namespace

void RegisterShellProcedures() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterShellGlobals();
        RegisterAll();
        RegisterPrintingProcedures();
        RegisterCompanyProcedures();
    });
}

}  // namespace vorel::shell
