// The month lock of the movement browses and CorrigeDataPeriodo.
#include "vorel/movements/month_lock.h"

#include <algorithm>
#include <string>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/month_closing.h"
#include "vorel/shell/working_context.h"
#include "vorel/shell/month_exclusion.h"
#include "vorel/ui/browse_manager.h"
#include "vorel/ui/message_box.h"
#include "vorel/ui/runtime.h"

namespace vorel::movements {

namespace {

constexpr const char* kAberto = "Mês Aberto";
constexpr const char* kFechado = "Mês Fechado";

// "VerificaUsuario" by name: the user who identified himself, or nothing when he did not. The
// shell's window leaves the name as typed in the thread's Senhas record buffer.
bool UsuarioConfirmado(ui::ProcContext& ctx, std::string& usuario) {
    if (ctx.Call("VerificaUsuario") != ui::Response::Completed) return false;
    usuario = std::string(data::dictionary::file(dictionary::Senhas()).rec<dictionary::SenhasRec>().NOME.clipped());
    return true;
}

}  // namespace

date::Day MesDeTrabalho() { return shell::PeriodoDeTrabalho().Inicio(); }

ui::Level GravaNoMesDeTrabalho(const std::function<ui::Level()>& grava) {
    const shell::EmpresaPeriodo p = shell::PeriodoDeTrabalho();
    shell::MesEmUso mes(shell::MesEmUso::Gravacao, p.empresa, p.ano, p.mes);
    if (!mes.tomado()) {
        (void)ui::Message(mes.recusa(), "Atenção!!!", ui::Icon::Exclamation);
        return ui::kHandled;
    }
    return grava();
}

bool MesDeTrabalhoFechado() { return shell::MesFechado(MesDeTrabalho()); }

ui::Level MonthLockedBrowse::OnWindowOpened() {
    ui::Level l = CompanyRegisterBrowse::OnWindowOpened();
    lock_.Show();
    return l;
}

ui::Level MonthLockedBrowse::OnAccepted(int feq) {
    if (lock_.TakeAccepted(feq)) return ui::Level::Benign;
    return CompanyRegisterBrowse::OnAccepted(feq);
}

void MonthLock::AddControls() {
    ui::Window& w = browse_.window();
    w.Prompt(c_.prompt, kAberto);
    w.Button(c_.openPadlock, "").Icon("cadeadoaberto.ico").Tip("Fecha o mês");
    w.Button(c_.closedPadlock, "").Icon("cadeadofechado.ico").Tip("Abre o mês").Hide();
    w.Add(c_.group, ui::ControlType::Group);
}

void MonthLock::Show() {
    ui::BrowseManager& b = browse_.browse();
    insert_ = b.insertButton();
    change_ = b.changeButton();
    del_ = b.deleteButton();
    shown_ = true;
    Apply(MesDeTrabalhoFechado());
}

bool MonthLock::TakeAccepted(int feq) {
    if (feq == 0 || (feq != c_.openPadlock && feq != c_.closedPadlock)) return false;
    Change(feq == c_.openPadlock);
    return true;
}

void MonthLock::Change(bool close) {
    browse_.window().Update();
    std::string usuario;
    if (!UsuarioConfirmado(browse_.context(), usuario)) return;
    const date::Day mes = MesDeTrabalho();
    const shell::Autor autor{usuario, date::today(), date::now()};
    // A month already in the state asked for (changed at another station) is no change and
    // writes nothing; the controls then show it as it is.
    shell::Alteracao a = close ? shell::FechaMeses(mes, mes, autor) : shell::AbreMeses(mes, mes, autor);
    if (!a.erro.empty()) ui::Message(a.erro, "Aviso!", ui::Icon::Exclamation);
    Apply(shell::MesFechado(mes));
}

void MonthLock::Apply(bool closed) {
    closed_ = closed;
    ui::Window& w = browse_.window();
    w[c_.prompt].Text(closed ? kFechado : kAberto);
    w[c_.openPadlock].Hide(closed);
    w[c_.closedPadlock].Hide(!closed);
    w[c_.group].Enable(!closed);
    for (int button : {c_.insert, c_.change, c_.del})
        if (ui::Control* c = button ? w.Find(button) : nullptr) c->Enable(!closed);
    if (!shown_) return;
    ui::BrowseManager& b = browse_.browse();
    b.SetInsertButton(closed ? 0 : insert_);
    b.SetChangeButton(closed ? 0 : change_);
    b.SetDeleteButton(closed ? 0 : del_);
}

date::Day CorrigeDataPeriodo(date::Day dia) {
    if (dia <= 0) return dia;
    const shell::EmpresaPeriodo periodo = shell::PeriodoDeTrabalho();
    const int ano = periodo.ano;
    const int mes = periodo.mes;
    const int dias = date::days_in_month(ano, mes);
    if (dias == 0) return dia;  // no working month to move it into
    const date::Day corrigida = date::make(ano, mes, std::min(date::split(dia).day, dias));
    if (corrigida != dia)
        ui::Message("Corrigindo a data para o mês e ano selecionado", "Mes/Ano inválidos", ui::Icon::Question);
    return corrigida;
}

}  // namespace vorel::movements
