#include "tests/serial/pcomm_library.h"

#include <vector>

namespace veltrano::serialtest {
namespace {

template <typename Function>
Function bind(const PcommLibrary& library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(library.find(name)));
}

}  // namespace

std::wstring programDirectory() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L'\\') + 1);
        }
        path.resize(path.size() * 2);
    }
}

PcommLibrary::PcommLibrary() {
    const std::wstring file = programDirectory() + L"DLL\\PCOMM.DLL";
    module_ = LoadLibraryW(file.c_str());
    if (module_ == nullptr) {
        return;
    }
    open = bind<PcommOpenFn>(*this, "sio_open");
    ioctl = bind<PcommIoctlFn>(*this, "sio_ioctl");
    setReadTimeouts = bind<PcommSetReadTimeoutsFn>(*this, "sio_SetReadTimeouts");
    iqueue = bind<PcommIqueueFn>(*this, "sio_iqueue");
    read = bind<PcommReadFn>(*this, "sio_read");
    write = bind<PcommWriteFn>(*this, "sio_write");
    close = bind<PcommCloseFn>(*this, "sio_close");
}

PcommLibrary::~PcommLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

FARPROC PcommLibrary::find(const char* name) const {
    return module_ == nullptr ? nullptr : GetProcAddress(module_, name);
}

}  // namespace veltrano::serialtest
