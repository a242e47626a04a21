// Writes the golden application table: grid_golden_table FILE
#include <fstream>
#include <iostream>

#include "application_table.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"

int main(int argc, char** argv) {
    using namespace veltrano::grid;
    if (argc != 2) {
        std::cerr << "usage: grid_golden_table FILE\n";
        return 2;
    }
    BytePictureCodec codec;
    GridModel table = testing::makeWindowGrid();
    testing::buildApplicationTable(table, codec);
    const std::vector<std::uint8_t> bytes = file::gridFileBytes(table, codec);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::cerr << "grid_golden_table: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
