// The movements' test fixture: the registers' fixture with a working company (company 1, year
// 2016, period March 2016, a logged-in user) and the movement procedures added by name beside the
// register procedures the movement windows look up. "VerificaUsuario" (a shell window) answers
// without a window: `UserConfirms("ANA")` makes ANA identify himself, `UserConfirms("")` cancels.
#pragma once

#include "company_fixture.h"

#include <memory>
#include <string>

#include "vorel/data/dictionary.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/movements/procedures.h"
#include "vorel/ui/runtime.h"

namespace vorel::movements::testing {

using registers::testing::Rows;

struct MovementFixture : registers::testing::CompanyFixture {
    std::shared_ptr<std::string> confirmingUser = std::make_shared<std::string>();

    void SetUp() override {
        CompanyFixture::SetUp();
        AddMovementProcedures();
        ui::ProcedureRegistry::Add("VerificaUsuario", [user = confirmingUser](ui::ProcContext& c) {
            if (user->empty()) {
                c.response = ui::Response::Cancelled;
                return;
            }
            data::dictionary::file(dictionary::Senhas()).rec<dictionary::SenhasRec>().NOME = *user;
            c.response = ui::Response::Completed;
        });
    }

    void UserConfirms(std::string user) { *confirmingUser = std::move(user); }

    // Closes a month as the shell's closing windows do: its record with company 0.
    void SeedClosedMonth(int year, int month) {
        Seed<dictionary::FechamentoEscritaRec>(dictionary::FechamentoEscrita(), 1,
            [&](dictionary::FechamentoEscritaRec& r, int) { r.MESANO = date::make(year, month, 1); });
    }
};

}  // namespace vorel::movements::testing
