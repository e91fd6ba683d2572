// The Win32 side of talking to the logger, shared by the window program and
// the console tool: the line set-up with its fallback, and one exchange with
// whatever is on a port, with both time limits of the reply. Every wait can
// be cut short by a stop event: the port is opened for overlapped I/O,
// because a blocking read on a COM port cannot be cancelled.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "logger/port_search.h"
#include "win/owned_handle.h"

// "\\.\COMn": every port opens through the device namespace, COM10 and up
// only so.
std::wstring PortDevicePath(int number);

// 19200 baud, 8N1, binary, no flow control, and the read time-outs. The flag
// word the logger was made for asks for the RTS toggle, which some drivers
// (and Wine) refuse after applying only part of the settings; then the line
// is set again with RTS simply on. False when the port cannot be set up:
// reading from it could wait forever, or talk past a logger that works.
bool SetUpPort(HANDLE port);

struct Exchange {
    PortOutcome outcome = PortOutcome::CannotOpen;
    int length = 0;       // bytes of reply stored
    bool stopped = false; // `stop` was set: the outcome means nothing
};

// Opens `device`, sets it up, sends the dump command and reads the reply one
// byte at a time into `reply` (ReplyBufferSize bytes, zeroed) up to its
// carriage return or the byte limit, within 5 s for each byte and 20 s from
// the command. `stop` (an event, or nullptr) ends it at once; `progress` (or
// empty) hears the number of bytes stored after each byte. The port is
// closed before it returns.
Exchange ExchangeWithLogger(const wchar_t* device, unsigned char* reply, HANDLE stop,
                            const std::function<void(int)>& progress);

struct SearchEnd {
    int winner = -1; // the place in `devices` of the logger; -1 for none
    std::vector<PortOutcome> outcomes;
    bool stopped = false;
};
// The automatic search: every device opened, set up and sent the command at
// once, each reply read on its own through one I/O completion port (any
// number of ports), by the rules of PortSearch. The winner's reply goes to
// `reply`. `progress` hears the place and bytes of the port whose reply is
// furthest along whenever that changes, or every 64 bytes (place -1: none
// has a byte yet). Every read is cancelled and waited for, and every port
// closed, before it returns; `stop` ends it within about 50 ms.
SearchEnd SearchAllPorts(const std::vector<std::wstring>& devices, unsigned char* reply,
                         HANDLE stop, const std::function<void(int place, int bytes)>& progress);
