// A register fixture with a working company: company 1's folders under the data root, its
// per-company and per-year (2016) table names applied (suppliers and products in the office's shared files), the data
// root in PastaRaiz, the working period March 2016 and a logged-in user.
#pragma once

#include "register_fixture.h"

#include "vorel/shell/globals.h"

namespace vorel::registers::testing {

struct CompanyFixture : RegisterFixture {
    void SetUp() override {
        RegisterFixture::SetUp();
        SetWorkingCompany();
        shell::GLO_LOGIN.Set("SUPERVISORA-DO-ESCRITORIO");
    }
};

}  // namespace vorel::registers::testing
