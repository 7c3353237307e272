// The computation's windows driven through the headless driver: the tables of CalculoFixture, the
// computation's and the vehicle sheets' procedures registered by name, and a runtime whose procedure
// threads open the dictionary.
#pragma once

#include <memory>

#include "calculo_fixture.h"
#include "vorel/computation/procedures.h"
#include "vorel/computation/vehicle_procedures.h"
#include "vorel/ui/headless.h"
#include "vorel/ui/record_access.h"
#include "vorel/ui/runtime.h"

namespace vorel::computation::testing {

struct CalculoWindowFixture : CalculoFixture, vorel::testing::HeadlessUser {
    void SetUp() override {
        CalculoFixture::SetUp();
        AddComputationProcedures();
        AddVehicleProcedures();
        StartUser();
    }
    void TearDown() override {
        StopUser();
        CalculoFixture::TearDown();
    }
};

}  // namespace vorel::computation::testing
