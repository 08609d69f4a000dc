#include <cstdio>

// The screen-saver module: "/s" runs the console as screen saver, "/c" (or
// nothing) opens the screen-saver settings.
int main(int argc, char** argv) {
    (void)argv;
    if (argc >= 1) {
        std::fputs("OVANT-Schirm /s | /c\n", stdout);
    }
    return 0;
}
