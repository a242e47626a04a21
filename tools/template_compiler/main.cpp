// veltrano-tc: compiles a window definition into its template segment and
// the C++ sources that carry it, or dumps a compiled segment.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "tools/template_compiler/command_line.h"
#include "tools/template_compiler/compiler.h"
#include "tools/template_compiler/segment_dump.h"
#include "tools/template_compiler/source_emitter.h"

namespace {

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

int compile(const veltrano::tc::CompileRequest& request) {
    const auto text = readFile(request.definition);
    if (!text) {
        std::fprintf(stderr, "veltrano-tc: cannot read %s\n", request.definition.c_str());
        return 1;
    }
    std::vector<veltrano::tc::Diagnostic> diagnostics;
    const auto window = veltrano::tc::compileDefinition(*text, diagnostics);
    if (!window) {
        std::fputs(veltrano::tc::formatDiagnostics(request.definition, diagnostics).c_str(), stderr);
        return 1;
    }
    const veltrano::tc::EmitOptions emit{request.nameSpace, request.headerInclude, baseName(request.definition)};
    bool written = writeText(request.header, veltrano::tc::emitHeader(*window, emit)) &&
                   writeText(request.source, veltrano::tc::emitSource(*window, emit));
    if (written && !request.segment.empty()) {
        written = writeFile(request.segment, window->segment.data(), window->segment.size());
    }
    return written ? 0 : 1;
}

int dump(const veltrano::tc::DumpRequest& request) {
    const std::string& segmentPath = request.segment;
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
    if (!request.output.empty()) return writeText(request.output, *text) ? 0 : 1;
    std::fputs(text->c_str(), stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const veltrano::tc::CommandLine commandLine =
        veltrano::tc::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (std::holds_alternative<veltrano::tc::HelpRequest>(commandLine)) {
        std::fputs(veltrano::tc::kHelpText, stdout);
        return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
    }
    if (const auto* request = std::get_if<veltrano::tc::CompileRequest>(&commandLine)) return compile(*request);
    if (const auto* request = std::get_if<veltrano::tc::DumpRequest>(&commandLine)) return dump(*request);
    std::fprintf(stderr, "veltrano-tc: %s (veltrano-tc --help describes the arguments)\n",
                 std::get<veltrano::tc::UsageError>(commandLine).message.c_str());
    return 2;
}
