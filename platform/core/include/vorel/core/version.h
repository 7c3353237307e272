// The program's version, as the build sets it.
#pragma once

namespace vorel {
const char* version();
}
