// The port submenu, from the system's list and the stored choice.
#include "app/port_menu.h"

#include <algorithm>
#include <vector>

#include "logger/port_list.h"
#include "logger/port_search.h"
#include "logger/port_settings.h"
#include "res/resource.h"
#include "win/wide.h"

void FillPortMenu(HMENU submenu) {
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);
    std::vector<ListedPort> ports = PortsToOffer(SystemPorts());
    const int chosen = ChosenPort();
    if (chosen && std::none_of(ports.begin(), ports.end(),
                               [&](const ListedPort& p) { return p.number == chosen; })) {
        ports.push_back({chosen, false, u""});
        ports = PortsToOffer(ports);
    }
    AppendMenuW(submenu, MF_STRING, IDM_PORT_AUTO, L"自動");
    for (const ListedPort& p : ports) {
        const std::u16string text = p.friendlyName.empty() ? PortName(p.number) : p.friendlyName;
        AppendMenuW(submenu, MF_STRING, IDM_PORT_FIRST + p.number, Wide(text.c_str()));
    }
    CheckMenuRadioItem(submenu, IDM_PORT_AUTO, IDM_PORT_LAST,
                       chosen ? IDM_PORT_FIRST + chosen : IDM_PORT_AUTO, MF_BYCOMMAND);
}

bool TakePortCommand(UINT id) {
    if (id == IDM_PORT_AUTO) {
        ChoosePort(0);
        return true;
    }
    if (id > IDM_PORT_FIRST && id <= IDM_PORT_LAST) {
        ChoosePort(static_cast<int>(id - IDM_PORT_FIRST));
        return true;
    }
    return false;
}
