// The Win32 side of talking to the logger, shared by the window program and
// the console tool: port names, the line set-up with its fallback, and the
// byte-by-byte read of the reply with both of its time limits.
#pragma once
#include <windows.h>

#include "win/owned_handle.h"

struct PortName {
    const wchar_t* opened; // from COM10 on through the device namespace
    const wchar_t* shown;
};
constexpr int PortCount = 15;
extern const PortName Ports[PortCount];

// Opens a port for reading and writing, unshared, held by `port` from the
// moment it opens. False when it does not open.
bool OpenPort(const wchar_t* name, OwnedHandle& port);

// The first of COM1 to COM15 that opens; nullptr when none does.
const PortName* OpenFirstPort(OwnedHandle& port);

// 19200 baud, 8N1, binary, no flow control, and the read time-outs. The flag
// word the logger was made for asks for the RTS toggle, which some drivers
// (and Wine) refuse after applying only part of the settings; then the line
// is set again with RTS simply on. False when the port cannot be set up:
// reading from it could wait forever, or talk past a logger that works.
bool SetUpPort(HANDLE port);

// Sends the dump command. False when it did not all go out.
bool SendDumpCommand(HANDLE port);

// Reads the reply one byte at a time into `buffer` (ReplyBufferSize bytes,
// zeroed) up to the carriage return or the byte limit. Returns the number of
// bytes stored, or -1 when a read brought no byte (5 s of silence) or when
// the reply had not ended 20 s after `commandSent` (GetTickCount).
int ReadReply(HANDLE port, unsigned char* buffer, DWORD commandSent);
