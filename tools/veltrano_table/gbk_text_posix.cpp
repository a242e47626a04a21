#include <iconv.h>

#include <cerrno>

#include "tools/veltrano_table/gbk_text.h"

namespace veltrano::tools {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(::iconv_open(to, from)) {}
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    ~Converter() {
        if (valid()) {
            ::iconv_close(handle_);
        }
    }

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::optional<std::string> convert(std::string_view input) {
        if (!valid()) {
            return std::nullopt;
        }
        std::string output;
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[1024];
        while (inLeft > 0) {
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = ::iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                return std::nullopt;
            }
        }
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        if (::iconv(handle_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        output.append(buffer, static_cast<std::size_t>(out - buffer));
        return output;
    }

private:
    iconv_t handle_;
};

}  // namespace

std::optional<std::string> gbkToUtf8(std::string_view gbk) {
    return Converter("UTF-8", "CP936").convert(gbk);
}

std::optional<std::string> utf8ToGbk(std::string_view utf8) {
    return Converter("CP936", "UTF-8").convert(utf8);
}

}  // namespace veltrano::tools
