// Test helper for RUN and SHELL, built for both builds:
//   exitcode CODE [SECONDS [FILE [ARG...]]]
// Waits SECONDS, then writes its arguments after FILE (one per line, between < and >) into
// FILE, and ends with exit code CODE. While it waits its standard streams are closed, so a
// test runner reading the script's output does not wait for it.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
    int code = argc > 1 ? std::atoi(argv[1]) : 0;
    int seconds = argc > 2 ? std::atoi(argv[2]) : 0;
    if (seconds > 0) {
        std::fclose(stdin);
        std::fclose(stdout);
        std::fclose(stderr);
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
    }
    if (argc > 3) {
        std::ofstream out(argv[3], std::ios::binary);
        for (int i = 4; i < argc; ++i) out << '<' << argv[i] << ">\n";
        out << "done\n";
    }
    return code;
}
