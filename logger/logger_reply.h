// The logger's reply to the dump command: hexadecimal text closed by a
// carriage return. Window-free: the stop rule of the byte-by-byte read, the
// check of a complete reply, and its decoding into a recording.
#pragma once
#include <cstdint>

#include "core/recording.h"

constexpr int ReplyBufferSize = 6000;
constexpr int ReplyStoredLimit = 5948; // bytes kept at most
constexpr int CompleteReplyLength = 5053;

// A read waits this long for each byte; a whole reply this long after the
// command was sent (a complete reply at the line rate takes 2.63 s).
constexpr unsigned ByteTimeoutMs = 5000;
constexpr unsigned DownloadTimeoutMs = 20000;

// The dump command, sent in one write with its zero byte.
constexpr char DumpCommand[] = "LUX22\r";
constexpr int DumpCommandLength = 7;

// True once the byte just stored at `position` ends the read.
bool ReplyEnds(unsigned char byte, int position);

// "0".."9" and "A".."F"; any other byte (lower case included) is -1.
int HexDigitValue(unsigned char byte);

// A reply of exactly 5053 bytes, the carriage return last, every position that
// is read an upper-case hex digit (positions 5046 and 5048 may hold anything).
bool IsCompleteReply(const unsigned char* reply, int length);

// Whether the `length` bytes received so far can still begin a complete
// reply: each read position an upper-case hex digit, the carriage return
// only last. A port whose bytes cannot is given up at once.
bool CouldBeCompleteReply(const unsigned char* reply, int length);

// Counts and stamp from a reply buffer of ReplyBufferSize bytes, every field
// a sum of digit values (an unreceived zero byte counts -1); Year is 2000 +
// its two digits. Texts and DataLoaded are left alone.
void DecodeReply(const unsigned char* reply, Recording& r);
