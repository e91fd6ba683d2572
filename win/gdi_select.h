// Selects a freshly created GDI object for one scope. On leaving it, the
// object it replaced is selected again first and only then is the new one
// deleted, so the device context never holds a deleted object.
#pragma once
#include <windows.h>

#include "win/owned_handle.h"
#include "win/scoped_gdi.h"

class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ created) : created_(created), selection_(dc, created) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    // Members go in reverse order: the selection is undone before the
    // object is deleted.
    Owned<HGDIOBJ, DeleteObject> created_;
    Selection selection_;
};
