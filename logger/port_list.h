// The serial ports the system lists, with what it says of each: the names
// under HARDWARE\DEVICEMAP\SERIALCOMM, and from the device manager's Ports
// class each port's friendly name and whether it is an outgoing Bluetooth
// link. Shared by the window program and the console tool.
#pragma once
#include <vector>

#include "logger/port_search.h"

// In the system's order, unsorted; empty when the list is missing.
std::vector<ListedPort> SystemPorts();
