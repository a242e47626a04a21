#include "tools/template_compiler/gbk.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace veltrano::tc {
namespace {

class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) noexcept : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (valid()) iconv_close(handle_);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool valid() const noexcept { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const noexcept { return handle_; }

private:
    iconv_t handle_;
};

std::optional<std::string> convert(const char* to, const char* from, std::string_view text) {
    IconvHandle converter(to, from);
    if (!converter.valid()) return std::nullopt;
    std::vector<char> input(text.begin(), text.end());
    std::string output;
    char* in = input.data();
    std::size_t inLeft = input.size();
    char buffer[256];
    while (inLeft > 0) {
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return std::nullopt;
    }
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(converter.get(), nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    output.append(buffer, static_cast<std::size_t>(out - buffer));
    return output;
}

}  // namespace

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    return convert("GBK", "UTF-8", utf8);
}

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    return convert("UTF-8", "GBK", gbk);
}

}  // namespace veltrano::tc
