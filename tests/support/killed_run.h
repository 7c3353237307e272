// A run killed with its process at a chosen point, for the tests that show what a killed run leaves:
// killed_child.h's `MataNaChamada` with the child's thread given its table dictionary.
//
// `MataNaChamada(ponto, corrida)` forks: the child runs `corrida(pausa)` on a thread of its own
// with its table dictionary and calls `pausa()` at every point where a kill may fall (a progress
// call); the child is killed with SIGKILL inside the `ponto`-th call (never when `ponto` is
// negative: the run ends by itself and must exit with `corrida`'s true). Returns the calls made
// (`ponto` when the child was killed).
//
//     const long long total = MataNaChamada(-1, [&](auto& pausa) { return Roda(pausa).ok(); });
//     MataNaChamada(k, [&](auto& pausa) { return Roda(pausa).ok(); });   // killed at call k
#pragma once

#include "killed_child.h"
#include "vorel/dictionary/tables.h"

namespace vorel::testing {

inline long long MataNaChamada(long long ponto,
                               const std::function<bool(const std::function<void()>& pausa)>& corrida) {
    return MataNaChamada(ponto, corrida, [] { dictionary::InitDictionary(); });
}

}  // namespace vorel::testing
