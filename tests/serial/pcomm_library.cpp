#include "tests/serial/pcomm_library.h"

#include "tests/support/program_folder.h"

namespace veltrano::serialtest {
namespace {

template <typename Function>
Function bind(const PcommLibrary& library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(library.find(name)));
}

}  // namespace

PcommLibrary::PcommLibrary() {
    const std::wstring file = test::folderOfThisProgram() + L"DLL\\PCOMM.DLL";
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
