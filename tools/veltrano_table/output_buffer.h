#pragma once

#include <cstdio>
#include <streambuf>
#include <system_error>

namespace veltrano::tools {

// A stream buffer over a C stream that keeps why a write failed: the error
// the system gave at that moment, which std::cout does not keep. Nothing
// more is written after the first failure.
class OutputBuffer final : public std::streambuf {
public:
    explicit OutputBuffer(std::FILE* file) : file_(file) {}

    std::error_code error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    void noteFailure();

    std::FILE* file_;
    std::error_code error_;
};

}  // namespace veltrano::tools
