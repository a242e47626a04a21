#pragma once

#include <unknwn.h>

#include <memory>

namespace veltrano::win {

struct ComRelease {
    void operator()(IUnknown* object) const noexcept {
        if (object != nullptr) object->Release();
    }
};

// Owns one reference to a COM object.
template <typename Interface>
using ComPointer = std::unique_ptr<Interface, ComRelease>;

// Fills a ComPointer from a call that hands out an interface through an
// out-parameter: `call(out(pointer))`. The pointer is filled when the
// statement ends, so it cannot be used within the same statement.
template <typename Interface>
class ComOut {
public:
    explicit ComOut(ComPointer<Interface>& owner) noexcept : owner_(owner) {}
    ~ComOut() { owner_.reset(raw_); }
    ComOut(const ComOut&) = delete;
    ComOut& operator=(const ComOut&) = delete;
    operator Interface**() noexcept { return &raw_; }

private:
    ComPointer<Interface>& owner_;
    Interface* raw_ = nullptr;
};

template <typename Interface>
ComOut<Interface> out(ComPointer<Interface>& owner) noexcept {
    return ComOut<Interface>(owner);
}

// COM on the calling thread for as long as the object lives, balanced
// whether or not the thread had it already.
class ComApartment {
public:
    ComApartment() noexcept : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace veltrano::win
