// Handles released on scope exit. A kernel handle (file or serial port) is
// closed unless it was closed first with close(), whose result the caller
// may check; any other kind (a registry key, a file search, a GDI object) is
// released by its own function.
#pragma once
#include <windows.h>

class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(HANDLE h) : h_(h) {}
    ~OwnedHandle() { close(); }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    // Takes a handle the moment it is opened; any earlier one is closed.
    void reset(HANDLE h) {
        close();
        h_ = h;
    }
    // False when closing failed, or when there was nothing to close.
    bool close() {
        if (!valid()) return false;
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_ = INVALID_HANDLE_VALUE;
};

// H is a pointer-like handle; Release is the function that lets it go. Null
// and INVALID_HANDLE_VALUE (what the opening calls return on failure) are
// never released.
template <class H, auto Release> class Owned {
  public:
    Owned() = default;
    explicit Owned(H h) : h_(h) {}
    ~Owned() { reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    bool valid() const { return h_ && reinterpret_cast<HANDLE>(h_) != INVALID_HANDLE_VALUE; }
    H get() const { return h_; }
    // For the calls that hand a new handle back through a pointer.
    H* put() {
        reset();
        return &h_;
    }
    void reset(H h = H{}) {
        if (valid()) Release(h_);
        h_ = h;
    }
    // Hands the handle to the caller, who releases it.
    H release() {
        const H h = h_;
        h_ = H{};
        return h;
    }

  private:
    H h_ = H{};
};

using OwnedKey = Owned<HKEY, RegCloseKey>;
using OwnedSearch = Owned<HANDLE, FindClose>;
using OwnedFont = Owned<HFONT, DeleteObject>;
using OwnedBrush = Owned<HBRUSH, DeleteObject>;
