#include "runtime/kernel/runtime_class.h"

#include "runtime/kernel/window_object.h"

namespace veltrano {
namespace {

// The head of the list; a function's own static, so it is ready before any
// class constant of another unit links itself in.
const RuntimeClass*& firstClass() noexcept {
    static const RuntimeClass* first = nullptr;
    return first;
}

}  // namespace

RuntimeClass::RuntimeClass(const char* name, Factory factory) noexcept
    : name_(name), factory_(factory), next_(firstClass()) {
    firstClass() = this;
}

const RuntimeClass* RuntimeClass::find(std::string_view name) noexcept {
    for (const RuntimeClass* candidate = firstClass(); candidate != nullptr; candidate = candidate->next_) {
        if (name == candidate->name_) return candidate;
    }
    return nullptr;
}

std::unique_ptr<WindowObject> createObjectByName(std::string_view name) {
    const RuntimeClass* found = RuntimeClass::find(name);
    return found != nullptr ? found->create() : nullptr;
}

}  // namespace veltrano
