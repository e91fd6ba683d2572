// A kernel handle (file or serial port) closed on scope exit, unless it was
// closed first with close(), whose result the caller may check.
#pragma once
#include <windows.h>

class OwnedHandle {
  public:
    explicit OwnedHandle(HANDLE h) : h_(h) {}
    ~OwnedHandle() {
        if (valid()) CloseHandle(h_);
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return h_; }
    bool close() {
        const bool ok = CloseHandle(h_) != 0;
        h_ = INVALID_HANDLE_VALUE;
        return ok;
    }

  private:
    HANDLE h_;
};
