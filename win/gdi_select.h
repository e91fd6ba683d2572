// Selects a freshly created GDI object for one scope. On leaving it, the
// object it replaced is selected again first and only then is the new one
// deleted, so the device context never holds a deleted object.
#pragma once
#include <windows.h>

class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ created)
        : dc_(dc), created_(created), previous_(SelectObject(dc, created)) {}
    ~SelectedObject() {
        SelectObject(dc_, previous_);
        DeleteObject(created_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ created_;
    HGDIOBJ previous_;
};
