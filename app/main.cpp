// vorel: the program's entry point. `--version`, `--headless SCRIPT` (the program without a
// display, playing a user's actions), or the program with its windows.
#include <cstdio>
#include <cstring>

#include "gui_run.h"
#include "headless_run.h"
#include "vorel/core/heap.h"
#include "vorel/core/version.h"

int main(int argc, char** argv) {
    vorel::heap::keep_freed_memory();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Vorel %s\n", vorel::version());
            return 0;
        }
        if (std::strcmp(argv[i], "--headless") == 0) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "usage: vorel --headless SCRIPT\n");
                return 2;
            }
            return vorel::app::RunHeadless(argv[i + 1]);
        }
    }
    return vorel::app::RunWithWindows(argc, argv);
}
