// Writes the emblem as an icon file, at one or several sizes: the build
// makes the program's icon with it, and it shows the emblem outside the
// program.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/emblem/emblem.h"
#include "tools/emblem/ico_writer.h"

namespace {

constexpr int kDefaultSize = 219;

// A side length of 1 to 256 written in decimal, nothing else.
bool parseSize(const char* text, int& size) {
    const std::string digits(text);
    if (digits.empty() || digits.size() > 3) return false;
    int value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 256) return false;
    size = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: veltrano-emblem OUTPUT.ico [SIZE...]   (sizes 1 to 256, default %d)\n",
                     kDefaultSize);
        return 2;
    }
    std::vector<veltrano::emblem::MaskedImage> images;
    for (int i = 2; i < argc; ++i) {
        int size = 0;
        if (!parseSize(argv[i], size)) {
            std::fprintf(stderr, "veltrano-emblem: size must be 1 to 256, not \"%s\"\n", argv[i]);
            return 2;
        }
        images.push_back(veltrano::emblem::drawEmblem(size));
    }
    if (images.empty()) images.push_back(veltrano::emblem::drawEmblem(kDefaultSize));
    const auto bytes = veltrano::emblem::encodeIco24(images);
    if (bytes.empty()) {
        std::fprintf(stderr, "veltrano-emblem: the icon cannot be encoded\n");
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "veltrano-emblem: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
