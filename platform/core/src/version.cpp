#include "vorel/core/version.h"

namespace vorel {
const char* version() { return VOREL_VERSION; }
}  // namespace vorel
