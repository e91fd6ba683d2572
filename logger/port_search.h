// Which serial ports a download tries, in which order, and what the user is
// told when none of them gives a complete reply. Window-free: the system's
// list of ports comes in, the order and the message go out.
#pragma once
#include <string>
#include <string_view>
#include <vector>

constexpr int HighestPortNumber = 256;
// Tried when the system lists no port at all.
constexpr int FallbackPortCount = 15;

// n of "COMn" for n from 1 to 256 (no leading zero, letters in any case);
// 0 for any other name.
int PortNumber(std::u16string_view name);
// "COMn".
std::u16string PortName(int number);

struct ListedPort {
    int number;
    // An outgoing Bluetooth link: opening it makes a radio connection of
    // about 20 s, so only a user's own choice opens it.
    bool bluetooth = false;
    std::u16string friendlyName; // as the system gives it, or empty
};

// The system's ports in ascending order, each number once; COM1 to COM15
// when it lists none.
std::vector<ListedPort> PortsToOffer(std::vector<ListedPort> listed);

// The automatic search: the remembered port first when it is offered, then
// every other offered port in ascending order; Bluetooth links never.
std::vector<int> SearchOrder(const std::vector<ListedPort>& offered, int remembered);

// How far one port got.
enum class PortOutcome {
    CannotOpen,
    CannotSetUp,
    Silent,    // no byte came
    BrokenOff, // bytes came, then silence or the 20 s limit
    BadReply,  // the reply ended, but is not complete and well formed
    Complete,
};

// The one message after a search in which no port gave a complete reply:
// the farthest any port got decides.
const char16_t* SearchFailureMessage(const std::vector<PortOutcome>& outcomes);
// The message for the one port the user chose.
const char16_t* ChosenPortFailureMessage(PortOutcome outcome);
