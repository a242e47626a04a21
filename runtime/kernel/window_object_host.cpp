#include "runtime/kernel/window_object_host.h"

namespace veltrano {
namespace {

WindowObjectHost* registeredHost = nullptr;

}  // namespace

WindowObjectHost::WindowObjectHost() noexcept {
    registeredHost = this;
}

WindowObjectHost::~WindowObjectHost() {
    if (registeredHost == this) registeredHost = nullptr;
}

WindowObjectHost* WindowObjectHost::current() noexcept {
    return registeredHost;
}

}  // namespace veltrano
