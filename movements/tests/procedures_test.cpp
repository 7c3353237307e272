// The movement procedures are added once, by name, whatever the number of calls.
#include "movement_fixture.h"

#include <algorithm>

#include "vorel/ui/runtime.h"

namespace vorel::movements::testing {
namespace {

using MovementProcedures = MovementFixture;

TEST_F(MovementProcedures, AddingThemAgainChangesNothing) {
    auto before = ui::ProcedureRegistry::Names();
    AddMovementProcedures();
    EXPECT_EQ(ui::ProcedureRegistry::Names(), before);
}

}  // namespace
}  // namespace vorel::movements::testing
