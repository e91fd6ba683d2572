// A kernel handle (file or serial port) closed on scope exit, unless it was
// closed first with close(), whose result the caller may check.
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
