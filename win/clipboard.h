// The clipboard, opened for one scope and closed on every path.
#pragma once
#include <windows.h>

#include <string>

class OpenedClipboard {
  public:
    explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != 0) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool open() const { return open_; }

  private:
    bool open_;
};

// Empties the clipboard and puts each format's block on it; the clipboard
// owns what it took, the caller frees the rest. False when any was refused.
struct ClipboardItem {
    UINT format;
    HANDLE* data; // set to nullptr once the clipboard has it
};
bool PutOnClipboard(HWND owner, ClipboardItem* items, int count);

// The clipboard's Unicode text; empty when there is none.
std::u16string ClipboardText(HWND owner);
