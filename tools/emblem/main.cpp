// Writes the emblem as an icon file, to look at it outside the program.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "tools/emblem/emblem.h"
#include "tools/emblem/ico_writer.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: veltrano-emblem OUTPUT.ico [SIZE]\n");
        return 2;
    }
    const int size = argc == 3 ? std::atoi(argv[2]) : 219;
    const auto bytes = veltrano::emblem::encodeIco24(veltrano::emblem::drawEmblem(size));
    if (bytes.empty()) {
        std::fprintf(stderr, "veltrano-emblem: size must be 1 to 256\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "veltrano-emblem: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
