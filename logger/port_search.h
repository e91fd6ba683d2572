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

// The automatic search tries every port at once. Each port's reply is read on
// its own; these rules say what becomes of each and which one wins, whatever
// the platform's way of waiting. Ports are known by their place in the
// search order.
struct SearchedPort {
    PortOutcome outcome = PortOutcome::Silent; // how far it got so far
    int length = 0;                            // bytes of reply stored
    bool active = true;                        // still read
};
struct PortSearch {
    std::vector<SearchedPort> ports;
    int winner = -1; // the place of the port whose reply is the logger's
};
PortSearch StartPortSearch(int ports);
// A port that could not be opened or set up takes no part.
void PortLeftOut(PortSearch& s, int place, PortOutcome outcome);
// What to do after a port's next byte was stored at `reply[length - 1]`.
enum class AfterByte { ReadOn, Drop, Complete };
AfterByte TakeByte(PortSearch& s, int place, const unsigned char* reply, int length);
// A port whose wait for its next byte ran out (5 s, or the 20 s limit).
void TakeSilence(PortSearch& s, int place);
// Of the ports that completed at one moment, the earliest in the order wins;
// every other port is then given up. False when none did.
bool ChooseWinner(PortSearch& s, const std::vector<int>& completed);
// The active port whose reply is furthest along, the earliest on a tie; -1
// until some port has a byte.
int PortAhead(const PortSearch& s);
bool SearchOver(const PortSearch& s);
// Each port's outcome, in the order, for the one message.
std::vector<PortOutcome> SearchOutcomes(const PortSearch& s);

// The one message after a search in which no port gave a complete reply:
// the farthest any port got decides.
const char16_t* SearchFailureMessage(const std::vector<PortOutcome>& outcomes);
// The message for the one port the user chose.
const char16_t* ChosenPortFailureMessage(PortOutcome outcome);
