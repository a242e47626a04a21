// veltrano-tc: compiles a window definition into its template segment and
// the C++ sources that carry it, or dumps a compiled segment.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "tools/template_compiler/compiler.h"
#include "tools/template_compiler/segment_dump.h"
#include "tools/template_compiler/source_emitter.h"

namespace {

constexpr const char* kUsage =
    "usage: veltrano-tc compile DEFINITION --header OUT.h --source OUT.cpp --namespace NS\n"
    "                   --header-include PATH [--segment OUT.segment]\n"
    "       veltrano-tc --dump SEGMENT [--output FILE]\n";

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return text;
}

bool writeFile(const std::string& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::fprintf(stderr, "veltrano-tc: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool writeText(const std::string& path, const std::string& text) {
    return writeFile(path, text.data(), text.size());
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// "--name value" pairs after the positional arguments.
std::optional<std::map<std::string, std::string>> options(const std::vector<std::string>& words, std::size_t first) {
    std::map<std::string, std::string> found;
    for (std::size_t i = first; i < words.size(); i += 2) {
        if (words[i].rfind("--", 0) != 0 || i + 1 >= words.size()) return std::nullopt;
        found[words[i]] = words[i + 1];
    }
    return found;
}

int compile(const std::string& definitionPath, const std::map<std::string, std::string>& opts) {
    for (const char* required : {"--header", "--source", "--namespace", "--header-include"}) {
        if (opts.count(required) == 0) {
            std::fprintf(stderr, "veltrano-tc: missing %s\n%s", required, kUsage);
            return 2;
        }
    }
    const auto text = readFile(definitionPath);
    if (!text) {
        std::fprintf(stderr, "veltrano-tc: cannot read %s\n", definitionPath.c_str());
        return 1;
    }
    std::vector<veltrano::tc::Diagnostic> diagnostics;
    const auto window = veltrano::tc::compileDefinition(*text, diagnostics);
    if (!window) {
        std::fputs(veltrano::tc::formatDiagnostics(definitionPath, diagnostics).c_str(), stderr);
        return 1;
    }
    const veltrano::tc::EmitOptions emit{opts.at("--namespace"), opts.at("--header-include"), baseName(definitionPath)};
    bool written = writeText(opts.at("--header"), veltrano::tc::emitHeader(*window, emit)) &&
                   writeText(opts.at("--source"), veltrano::tc::emitSource(*window, emit));
    if (written && opts.count("--segment") != 0) {
        written = writeFile(opts.at("--segment"), window->segment.data(), window->segment.size());
    }
    return written ? 0 : 1;
}

int dump(const std::string& segmentPath, const std::map<std::string, std::string>& opts) {
    const auto bytes = readFile(segmentPath);
    if (!bytes) {
        std::fprintf(stderr, "veltrano-tc: cannot read %s\n", segmentPath.c_str());
        return 1;
    }
    const auto text = veltrano::tc::dumpSegment(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    if (!text) {
        std::fprintf(stderr, "veltrano-tc: %s is not a readable window template segment\n", segmentPath.c_str());
        return 1;
    }
    if (opts.count("--output") != 0) return writeText(opts.at("--output"), *text) ? 0 : 1;
    std::fputs(text->c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() >= 2 && (words[0] == "compile" || words[0] == "--dump")) {
        const auto opts = options(words, 2);
        if (opts) return words[0] == "compile" ? compile(words[1], *opts) : dump(words[1], *opts);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
