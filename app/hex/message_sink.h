#pragma once

#include <string>

namespace veltrano::hex {

// Where the codec reports input errors. The program plugs in its message box
// (OK button only); tests plug in a recorder. Texts and captions are code page
// 936 byte strings.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void showMessage(const std::string& text, const std::string& caption) = 0;

protected:
    MessageSink() = default;
    MessageSink(const MessageSink&) = default;
    MessageSink& operator=(const MessageSink&) = default;
};

}  // namespace veltrano::hex
