// The movements' test fixture: the registers' fixture with a working company (company 1, year
// 2016, period March 2016, a logged-in user) and the movement procedures added by name beside the
// register procedures the movement windows look up.
#pragma once

#include "company_fixture.h"

#include "vorel/movements/procedures.h"

namespace vorel::movements::testing {

using registers::testing::Rows;

struct MovementFixture : registers::testing::CompanyFixture {
    void SetUp() override {
        CompanyFixture::SetUp();
        AddMovementProcedures();
    }
};

}  // namespace vorel::movements::testing
