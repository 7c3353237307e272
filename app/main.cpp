// vorel: the program's entry point.
#include <cstdio>
#include <cstring>

#include "vorel/core/version.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Vorel %s\n", vorel::version());
            return 0;
        }
    }
    std::printf("Vorel %s\n", vorel::version());
    return 0;
}
