// Users and login: the `Senhas` table's users (name, password, administrator flag), the login
// window of the start, the two check windows that month closing and the movement browses ask, the
// users' browse and form, and the reset of the users to the two built-in ones.
//
// Names and passwords are held at the table's width, 20 characters, everywhere (the window
// entries and `GLO:LOGIN`/`GLO:PASSWORD`), so every stored user can log in. Every procedure here
// runs on a thread whose dictionary is set up (the runtime's thread start) after the shared tables'
// names are set (the main frame does it before the login).
//
//     if (ctx.Call("Login") == Response::Completed) ... logged in ...
//     auto v = VerificaUsuario(ctx);  if (v.ok) ... log v.usuario ...
#pragma once

#include <string>

#include "vorel/data/error.h"
#include "vorel/ui/runtime.h"

namespace vorel::shell {

// The built-in users (Windows-1252).
inline constexpr const char* kSuperUsuario = "PAINELCHEFIA";
inline constexpr const char* kSegundoUsuario = "1";
inline constexpr const char* kSenhaSegundoUsuario = "1";
inline constexpr const char* kVersao = "Vers\xE3o: 1.00d 077";
inline constexpr long kCorFoco = 13828095;

// "Login de Usuário": Response::Completed when a user logged in (GLO:LOGIN, GLO:PASSWORD set and
// the user kept in UsuVorel.ini), Response::Cancelled otherwise. Sets CorFoco and GLO:VERSAO.
void Login(ui::ProcContext& ctx);

struct UsuarioVerificado {
    bool ok = false;
    std::string usuario;  // as typed (Windows-1252)
};
// " Verifica Usuário": a user and password checked against the table.
UsuarioVerificado VerificaUsuario(ui::ProcContext& ctx);
// " Verifica Administrador": ok only for an administrator with the right password.
UsuarioVerificado VerificaSuper(ui::ProcContext& ctx);

// "Usuários / Senhas" (asks VerificaSuper first), its form "Form Senhas" (request 1 insert,
// 2 change, 3 delete) and "Configuração de Senhas".
void UsuariosSenhas(ui::ProcContext& ctx);
void UUsuariosSenhas(ui::ProcContext& ctx);
void Config_Senhas(ui::ProcContext& ctx);

// Adds the built-in super user when the users table is open and empty; the table's result.
data::Result GaranteSuperUsuario();

}  // namespace vorel::shell
