// Puts a code into every key row of the application's table file, so the
// program starts with a full table: fill_table TABLE STORE OUT, where STORE
// holds "row HEX" lines.
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "grid/file/file_system.h"
#include "grid/file/grid_file.h"
#include "grid/model/byte_picture_codec.h"
#include "grid/model/grid_model.h"

namespace veltrano::bench {
namespace {

constexpr std::int32_t kCodeColumn = 2;

int fill(const std::string& tablePath, const std::string& storePath, const std::string& outPath) {
    grid::BytePictureCodec codec;
    const std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    grid::GridModel grid;
    if (!grid::file::loadGridFile(grid, tablePath, *files, codec)) {
        std::fprintf(stderr, "cannot load the table %s\n", tablePath.c_str());
        return 1;
    }
    std::ifstream store(storePath);
    if (!store) {
        std::fprintf(stderr, "cannot read %s\n", storePath.c_str());
        return 1;
    }
    int filled = 0;
    std::string line;
    while (std::getline(store, line)) {
        std::istringstream words(line);
        std::int32_t row = 0;
        std::string hex;
        if (!(words >> row >> hex)) continue;
        if (!grid.setText(row, kCodeColumn, hex, false)) {
            std::fprintf(stderr, "row %d is not in the table\n", static_cast<int>(row));
            return 1;
        }
        ++filled;
    }
    if (!grid::file::saveGridFile(grid, outPath, *files, codec)) {
        std::fprintf(stderr, "cannot save %s\n", outPath.c_str());
        return 1;
    }
    std::printf("%d rows filled\n", filled);
    return 0;
}

}  // namespace
}  // namespace veltrano::bench

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fill_table TABLE STORE OUT\n");
        return 2;
    }
    return veltrano::bench::fill(argv[1], argv[2], argv[3]);
}
