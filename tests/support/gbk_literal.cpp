#include "tests/support/gbk_literal.h"

#if defined(_WIN32)

namespace veltrano::test {

std::string gbk(const char* literal) {
    return literal;
}

}  // namespace veltrano::test

#else

#include <iconv.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <type_traits>

namespace veltrano::test {
namespace {

struct IconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

}  // namespace

std::string gbk(const char* literal) {
    IconvHandle converter(iconv_open("GBK", "UTF-8"));
    if (converter.get() == reinterpret_cast<iconv_t>(-1)) {
        converter.release();
        throw std::runtime_error("no UTF-8 to GBK converter");
    }
    std::string input(literal);
    std::string output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (iconv(converter.get(), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        throw std::runtime_error("text has no GBK form");
    }
    output.resize(output.size() - outLeft);
    return output;
}

}  // namespace veltrano::test

#endif
