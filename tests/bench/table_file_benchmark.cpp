// Saving and loading table files, against stdio moving the same number of
// bytes, plainly and durably. Options besides Google Benchmark's own:
//   --rows=N --columns=N   size of the filled grid (default 20000 x 10)
//   --application=PATH     the application's table file (79 x 3)
//   --folder=PATH          where the files are written (default: the system's temporary folder)
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/file/file_system.h"
#include "grid/file/grid_file.h"
#include "grid/file/grid_file_reader.h"
#include "grid/file/grid_file_writer.h"
#include "grid/model/byte_picture_codec.h"
#include "grid/model/grid_model.h"
#include "tests/bench/unique_file.h"

namespace veltrano::bench {
namespace {

using grid::GridModel;

struct Settings {
    std::int32_t rows = 20000;
    std::int32_t columns = 10;
    std::string applicationTable;
    std::string folder;
};

GridModel filledGrid(std::int32_t rows, std::int32_t columns) {
    GridModel grid;
    grid.setRowCount(rows);
    grid.setColumnCount(columns);
    grid.setFixedRowCount(1);
    for (std::int32_t row = 0; row < rows; ++row) {
        for (std::int32_t column = 0; column < columns; ++column) {
            grid.setText(row, column, "FA" + std::to_string(row) + " " + std::to_string(column) + "ED", false);
        }
    }
    return grid;
}

// Each round writes the bytes once and reads them back once.
void reportBytesAndRemove(benchmark::State& state, std::size_t size, const std::string& path) {
    state.counters["bytes"] = static_cast<double>(size);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(2 * size));
    std::filesystem::remove(path);
}

// One save and one load through the file-system seam, as the program does.
void saveThenLoad(benchmark::State& state, const GridModel& grid, const std::string& path) {
    grid::BytePictureCodec codec;
    const std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    std::size_t size = 0;
    for (auto _ : state) {
        if (!grid::file::saveGridFile(grid, path, *files, codec)) {
            state.SkipWithError("the table could not be saved");
            return;
        }
        GridModel loaded;
        if (!grid::file::loadGridFile(loaded, path, *files, codec) || loaded.rowCount() != grid.rowCount()) {
            state.SkipWithError("the saved table did not load back");
            return;
        }
        benchmark::DoNotOptimize(loaded);
    }
    size = static_cast<std::size_t>(std::filesystem::file_size(path));
    reportBytesAndRemove(state, size, path);
}

// The same number of bytes written and read back with fwrite and fread;
// synced, the file also goes to the disk before it is closed, as a saved
// table does.
void stdioSameBytes(benchmark::State& state, std::size_t size, const std::string& path, bool synced) {
    std::vector<std::uint8_t> out(size, 0x5A);
    std::vector<std::uint8_t> in(size);
    for (auto _ : state) {
        {
            UniqueFile file(std::fopen(path.c_str(), "wb"));
            if (!file || std::fwrite(out.data(), 1, out.size(), file.get()) != out.size() ||
                (synced && (std::fflush(file.get()) != 0 || ::fsync(::fileno(file.get())) != 0))) {
                state.SkipWithError("the reference file could not be written");
                return;
            }
        }
        UniqueFile file(std::fopen(path.c_str(), "rb"));
        if (!file || std::fread(in.data(), 1, in.size(), file.get()) != in.size()) {
            state.SkipWithError("the reference file could not be read");
            return;
        }
        benchmark::DoNotOptimize(in.data());
    }
    reportBytesAndRemove(state, size, path);
}

bool syncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

// What any program pays to save the same bytes as safely as a table is
// saved, and to read them back: a temporary file written with stdio and
// flushed to the disk, renamed over the old file, the folder flushed so the
// new name lasts, then the whole file read into memory of its size.
void durableStdio(benchmark::State& state, std::size_t size, const std::string& path) {
    const std::vector<std::uint8_t> out(size, 0x5A);
    const std::string temporary = path + ".tmp";
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    for (auto _ : state) {
        {
            UniqueFile file(std::fopen(temporary.c_str(), "wb"));
            if (!file || std::fwrite(out.data(), 1, out.size(), file.get()) != out.size() ||
                std::fflush(file.get()) != 0 || ::fsync(::fileno(file.get())) != 0 ||
                std::fclose(file.release()) != 0) {
                state.SkipWithError("the reference file could not be written");
                return;
            }
        }
        if (std::rename(temporary.c_str(), path.c_str()) != 0 || !syncFolder(folder)) {
            state.SkipWithError("the reference file could not be put in place");
            return;
        }
        UniqueFile file(std::fopen(path.c_str(), "rb"));
        long length = -1;
        if (!file || std::fseek(file.get(), 0, SEEK_END) != 0 || (length = std::ftell(file.get())) < 0 ||
            std::fseek(file.get(), 0, SEEK_SET) != 0) {
            state.SkipWithError("the reference file could not be measured");
            return;
        }
        const auto in = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(length));
        if (std::fread(in.get(), 1, static_cast<std::size_t>(length), file.get()) != static_cast<std::size_t>(length)) {
            state.SkipWithError("the reference file could not be read");
            return;
        }
        benchmark::DoNotOptimize(in.get());
    }
    reportBytesAndRemove(state, size, path);
}

// The format alone, without any file: where the time goes when the file
// figure misses its target.
void formatInMemory(benchmark::State& state, const GridModel& grid) {
    grid::BytePictureCodec codec;
    // One sink keeps its memory from round to round, so the figure is not
    // the cost of growing a fresh buffer page by page.
    grid::file::VectorSink sink;
    for (auto _ : state) {
        sink.clear();
        grid::file::writeGridFile(grid, codec, sink);
        GridModel loaded;
        if (!grid::file::readGridFile(sink.bytes(), loaded, codec).ok()) {
            state.SkipWithError("the table bytes did not read back");
            return;
        }
        benchmark::DoNotOptimize(loaded);
    }
}

std::optional<GridModel> loadTable(const std::string& path) {
    grid::BytePictureCodec codec;
    const std::unique_ptr<grid::file::FileSystem> files = grid::file::makeSystemFileSystem();
    GridModel grid;
    if (!grid::file::loadGridFile(grid, path, *files, codec)) return std::nullopt;
    return grid;
}

bool takeOption(std::string_view argument, std::string_view name, std::string& value) {
    if (argument.substr(0, name.size()) != name) return false;
    value = std::string(argument.substr(name.size()));
    return true;
}

std::optional<Settings> parse(int argc, char** argv) {
    Settings settings;
    for (int i = 1; i < argc; ++i) {
        std::string value;
        if (takeOption(argv[i], "--rows=", value)) {
            settings.rows = std::stoi(value);
        } else if (takeOption(argv[i], "--columns=", value)) {
            settings.columns = std::stoi(value);
        } else if (takeOption(argv[i], "--application=", value)) {
            settings.applicationTable = value;
        } else if (takeOption(argv[i], "--folder=", value)) {
            settings.folder = value;
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return std::nullopt;
        }
    }
    if (settings.rows < 1 || settings.columns < 1 ||
        std::int64_t{settings.rows} * settings.columns > GridModel::kMaxCellCount) {
        std::fprintf(stderr, "the grid size is out of range\n");
        return std::nullopt;
    }
    return settings;
}

int run(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    const std::optional<Settings> settings = parse(argc, argv);
    if (!settings) return 2;

    const std::filesystem::path folder =
        settings->folder.empty() ? std::filesystem::temp_directory_path() : std::filesystem::path(settings->folder);
    const std::string gridPath = (folder / "veltrano-bench-grid.dat").string();
    const std::string stdioPath = (folder / "veltrano-bench-stdio.bin").string();
    const std::string applicationPath = (folder / "veltrano-bench-application.dat").string();

    const GridModel grid = filledGrid(settings->rows, settings->columns);
    grid::BytePictureCodec codec;
    const std::size_t size = grid::file::gridFileBytes(grid, codec).size();
    const std::string shape = std::to_string(settings->rows) + "x" + std::to_string(settings->columns);

    benchmark::RegisterBenchmark(("TableFileSaveLoad/" + shape).c_str(), [&](benchmark::State& state) {
        saveThenLoad(state, grid, gridPath);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("StdioSameBytes/" + shape).c_str(), [&](benchmark::State& state) {
        stdioSameBytes(state, size, stdioPath, false);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("StdioSameBytesSynced/" + shape).c_str(), [&](benchmark::State& state) {
        stdioSameBytes(state, size, stdioPath, true);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("StdioDurable/" + shape).c_str(), [&](benchmark::State& state) {
        durableStdio(state, size, stdioPath);
    })->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TableFormatInMemory/" + shape).c_str(), [&](benchmark::State& state) {
        formatInMemory(state, grid);
    })->Unit(benchmark::kMillisecond);

    std::optional<GridModel> application;
    if (!settings->applicationTable.empty()) {
        application = loadTable(settings->applicationTable);
        if (!application) {
            std::fprintf(stderr, "cannot load %s\n", settings->applicationTable.c_str());
            return 1;
        }
        benchmark::RegisterBenchmark("ApplicationTableSaveLoad/79x3", [&](benchmark::State& state) {
            saveThenLoad(state, *application, applicationPath);
        })->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark("ApplicationTableFormatInMemory/79x3", [&](benchmark::State& state) {
            formatInMemory(state, *application);
        })->Unit(benchmark::kMicrosecond);
        // What the platform charges for putting that many bytes durably on
        // the disk: the floor under the application table's figure.
        const std::size_t applicationSize = grid::file::gridFileBytes(*application, codec).size();
        benchmark::RegisterBenchmark("ApplicationSizeStdioSynced/79x3", [&, applicationSize](benchmark::State& state) {
            stdioSameBytes(state, applicationSize, stdioPath, true);
        })->Unit(benchmark::kMicrosecond);
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace
}  // namespace veltrano::bench

int main(int argc, char** argv) {
    return veltrano::bench::run(argc, argv);
}
