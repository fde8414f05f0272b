// A scoped holder for one CF reference: it releases what it holds when it goes out of scope.
#pragma once

#include "CFBase.h"

#include <utility>

template <class Ref> class CFRef {
  public:
    CFRef() = default;
    // Takes over a reference the caller owns (from a Create or Copy call).
    explicit CFRef(Ref ref) : ref_(ref) {}
    // Shares a borrowed reference (from a Get call) by retaining it.
    static CFRef retained(Ref ref) {
        if (ref) CFRetain(ref);
        return CFRef(ref);
    }
    CFRef(const CFRef& other) : ref_(other.ref_) {
        if (ref_) CFRetain(ref_);
    }
    CFRef(CFRef&& other) noexcept : ref_(std::exchange(other.ref_, nullptr)) {}
    CFRef& operator=(CFRef other) noexcept {
        std::swap(ref_, other.ref_);
        return *this;
    }
    ~CFRef() {
        if (ref_) CFRelease(ref_);
    }

    Ref get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Gives up ownership to the caller.
    Ref release() { return std::exchange(ref_, nullptr); }
    void reset(Ref ref = nullptr) { CFRef(ref).swap(*this); }
    void swap(CFRef& other) noexcept { std::swap(ref_, other.ref_); }

  private:
    Ref ref_ = nullptr;
};
