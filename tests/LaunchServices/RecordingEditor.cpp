// A stand-in application for the launch tests. It appends its argument vector, one argument a
// line and then a line "--", to the file that $NV_EDITOR_RECORD names; with $NV_EDITOR_STAY
// set it then stays until it is ended.
#include <unistd.h>

#include <cstdlib>
#include <fstream>

int main(int argc, char** argv) {
    if (const char* record = std::getenv("NV_EDITOR_RECORD")) {
        std::ofstream out(record, std::ios::app);
        for (int i = 0; i < argc; ++i)
            out << argv[i] << '\n';
        out << "--" << std::endl;
    }
    if (std::getenv("NV_EDITOR_STAY")) pause();
    return 0;
}
