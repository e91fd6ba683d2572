// COM for one scope on the window's thread, and interfaces released on exit.
#pragma once
#include <windows.h>

// CoUninitialize only when this scope's CoInitializeEx succeeded.
class ComScope {
  public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool ok_;
};

template <class T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** put() { return &p_; }
    T* operator->() const { return p_; }
    T* get() const { return p_; }

  private:
    T* p_ = nullptr;
};

// Memory the shell hands back (a path, an item list), freed on exit.
template <class T> class ComMemory {
  public:
    ComMemory() = default;
    explicit ComMemory(T p) : p_(p) {}
    ~ComMemory() { CoTaskMemFree(p_); }
    ComMemory(const ComMemory&) = delete;
    ComMemory& operator=(const ComMemory&) = delete;
    T* put() { return &p_; }
    T get() const { return p_; }

  private:
    T p_ = nullptr;
};
