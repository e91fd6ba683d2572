// What the text dialog's edits accept as the user types or pastes: only
// characters that code page 932 holds, and at most 40 bytes of it, counted in
// code page 932 bytes whatever the platform's edit control counts.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Typing and pasting stop here, though a field holds 63 bytes.
constexpr size_t TypedTextLimit = 40;

struct Insertion {
    std::u16string text;  // what goes in place of the selection
    bool refused = false; // a character the code page cannot hold was left out
    bool cut = false;     // the limit cut the rest off
};

// The longest part of `typed` that may replace the selection of an edit
// holding `current` (UTF-16), `selectedFrom`..`selectedTo` (UTF-16 units)
// selected. Characters outside code page 932 are left out; CR and LF become
// spaces; whole characters only. The text may then hold at most
// TypedTextLimit bytes, or no more bytes than before (a longer text read from
// a file can be edited, not lengthened).
Insertion FitInsertion(std::u16string_view current, size_t selectedFrom, size_t selectedTo,
                       std::u16string_view typed);
