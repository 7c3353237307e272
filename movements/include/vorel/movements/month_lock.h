// The month lock of the movement browses, and the working-month date of the movement forms.
//
// A month is closed when FechamentoEscrita holds its record (company 0: closed for every company;
// the rule and its log live in vorel/shell/month_closing.h). Each movement browse ("Entradas",
// "Saidas", "SaldoAnterior", "EntradaVeiculo", "SaidaVeiculo", "LancamentoMestre") keeps a
// `MonthLock` for the working month: a prompt ("Mês Aberto" / "Mês Fechado"), two padlock buttons
// at one place (the open one closes the month, the closed one reopens it, each after the user
// identifies himself through "VerificaUsuario") and a group holding the browse's insert, change and
// delete buttons. While the month is closed those buttons are disabled and the list no longer
// reaches them (Insert and Delete keys, double click and Enter on the list do nothing).
//
// The lock record and its log line are written in one transaction; after every attempt the
// padlock and the buttons show what the table holds (a month closed or reopened meanwhile at
// another station included), and a write that failed is said in a message box.
//
// A browse under the lock derives from `MonthLockedBrowse`, which keeps the lock, shows it when the
// window opens and takes the padlocks' presses:
//
//     // In the browse's Build, before its buttons:
//     AddMonthLock();                                       // prompt, padlocks, group
//     w.Button(kInsert, "&Inclui").Parent(kLockGroup); ...  // the three update buttons in it
//     SetButtons(b, kInsert, kChange, kDelete, kSelect);
//
// `CorrigeDataPeriodo` is what the movement forms call when their date field is accepted.
#pragma once

#include <functional>
#include <string>

#include "vorel/core/date.h"
#include "vorel/shell/company_register_browse.h"

namespace vorel::movements {

// The working month: day 1 of GLO:MES / GLO:ANO (shell::PeriodoDeTrabalho), for the windows.
date::Day MesDeTrabalho();

// A movement form's write (OK on insert, change or delete), run while the working month is held
// against its computation (vorel/shell/month_exclusion.h): while the month is computed, here or at
// another station, nothing is written, a box names the run and the form stays open.
ui::Level GravaNoMesDeTrabalho(const std::function<ui::Level()>& grava);

// True when the working month is closed.
bool MesDeTrabalhoFechado();

// The control numbers of a browse that take part in the lock.
struct MonthLockControls {
    int prompt = 0;         // ?PMESABERTOFECHADO
    int openPadlock = 0;    // ?BMESABERTO
    int closedPadlock = 0;  // ?BMESFECHADO
    int group = 0;          // ?GMESABERTOFECHADO
    int insert = 0, change = 0, del = 0;  // the browse's update buttons, inside the group
};

class MonthLock {
public:
    MonthLock(ui::BrowseWindow& browse, MonthLockControls controls) : browse_(browse), c_(controls) {}

    // Set-up: adds the prompt, the two padlock buttons and the group to the browse's window.
    void AddControls();
    // Open-window: reads the working month's state and shows it (after the browse's own handling,
    // so that the list's update buttons are known).
    void Show();
    // Accepted: true when `feq` is a padlock; the month was closed or reopened when the user
    // identified himself, and the controls show what is stored.
    bool TakeAccepted(int feq);

    bool closed() const { return closed_; }

private:
    void Apply(bool closed);
    void Change(bool close);

    ui::BrowseWindow& browse_;
    MonthLockControls c_;
    bool closed_ = false;
    bool shown_ = false;
    int insert_ = 0, change_ = 0, del_ = 0;  // the list's links to its update buttons when it opened
};

// A browse of the working company's records whose insert, change and delete sit in the month
// lock's group.
class MonthLockedBrowse : public shell::CompanyRegisterBrowse {
public:
    MonthLockedBrowse(ui::ProcContext& ctx, std::string procedureName, std::string caption,
                      const data::TableDesc& table, std::string formProcedure, MonthLockControls controls)
        : CompanyRegisterBrowse(ctx, std::move(procedureName), std::move(caption), table, std::move(formProcedure)),
          lock_(*this, controls) {}

    // After the list's own handling, so that its update buttons are known.
    ui::Level OnWindowOpened() override;
    // A padlock closes or reopens the month; every other control goes to the register.
    ui::Level OnAccepted(int feq) override;

protected:
    // Set-up: the lock's prompt, padlocks and group (before the update buttons put in the group).
    void AddMonthLock() { lock_.AddControls(); }

private:
    MonthLock lock_;
};

// The typed date moved into the working month and year (same day of the month). When the result
// differs from `dia`, a message box "Mes/Ano inválidos" says "Corrigindo a data para o mês e ano
// selecionado". A day the working month does not have becomes its last day. No date (0) stays 0.
date::Day CorrigeDataPeriodo(date::Day dia);

}  // namespace vorel::movements
