#include "tools/veltrano_table/output_buffer.h"

#include <cerrno>

namespace veltrano::tools {

void OutputBuffer::noteFailure() {
    if (!error_) {
        error_ =
            errno != 0 ? std::error_code(errno, std::generic_category()) : std::make_error_code(std::errc::io_error);
    }
}

OutputBuffer::int_type OutputBuffer::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof())) {
        return sync() == 0 ? traits_type::not_eof(c) : traits_type::eof();
    }
    const char byte = traits_type::to_char_type(c);
    return xsputn(&byte, 1) == 1 ? c : traits_type::eof();
}

std::streamsize OutputBuffer::xsputn(const char* text, std::streamsize count) {
    if (error_ || count <= 0) {
        return error_ ? 0 : count;
    }
    errno = 0;
    const std::size_t written = std::fwrite(text, 1, static_cast<std::size_t>(count), file_);
    if (written != static_cast<std::size_t>(count)) {
        noteFailure();
    }
    return static_cast<std::streamsize>(written);
}

int OutputBuffer::sync() {
    if (error_) {
        return -1;
    }
    errno = 0;
    if (std::fflush(file_) != 0) {
        noteFailure();
        return -1;
    }
    return 0;
}

}  // namespace veltrano::tools
