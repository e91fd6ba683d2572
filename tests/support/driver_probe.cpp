// What only the probe inside the program can do: read its menu, drop a
// file, hand files over in order, tell it of a new DPI.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

const MenuItem* MenuSnapshot::find(UINT id) const {
    for (const MenuItem& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

MenuSnapshot ReadMenu(const Program& p) {
    MenuSnapshot snapshot;
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        sizeof(MenuProbeReport), MenuProbeMapping);
    HANDLE done = CreateEventA(nullptr, FALSE, FALSE, MenuProbeDone);
    HMODULE probe = LoadLibraryA((BuildDir() + "\\menu_probe.dll").c_str());
    auto hook = probe ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(probe, "MenuProbeHook")))
                      : nullptr;
    HHOOK installed = hook ? SetWindowsHookExA(WH_GETMESSAGE, hook, probe, p.thread()) : nullptr;
    if (installed && mapping && done) {
        PostMessageA(p.main, RegisterWindowMessageA(MenuProbeMessage), 0, 0);
        if (WaitForSingleObject(done, 5000) == WAIT_OBJECT_0) {
            auto* report = static_cast<const MenuProbeReport*>(
                MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, sizeof(MenuProbeReport)));
            if (report) {
                for (int i = 0; i < report->popupCount && i < 8; ++i)
                    snapshot.popups.push_back(report->popupText[i]);
                for (int i = 0; i < report->itemCount; ++i) {
                    const MenuProbeItem& it = report->items[i];
                    snapshot.items.push_back({it.popup, it.id, it.state, it.text});
                }
                UnmapViewOfFile(report);
            }
        }
    }
    if (installed) UnhookWindowsHookEx(installed);
    if (probe) FreeLibrary(probe);
    if (done) CloseHandle(done);
    if (mapping) CloseHandle(mapping);
    return snapshot;
}

namespace {

// Runs `post` with the probe hooked into the program's thread, then settles.
template <class Post> void WithProbe(const Program& p, Post post) {
    HMODULE probe = LoadLibraryA((BuildDir() + "\\menu_probe.dll").c_str());
    auto hook = probe ? reinterpret_cast<HOOKPROC>(
                            reinterpret_cast<void*>(GetProcAddress(probe, "MenuProbeHook")))
                      : nullptr;
    HHOOK installed = hook ? SetWindowsHookExA(WH_GETMESSAGE, hook, probe, p.thread()) : nullptr;
    if (installed) {
        post();
        Settle(p);
        UnhookWindowsHookEx(installed);
    }
    if (probe) FreeLibrary(probe);
}

// Hands the probe a T in the mapping it reads, posts it `message`, and once
// the program has taken it, lets `done` read what the probe wrote back.
template <class T, class Fill, class Done>
void ThroughProbe(const Program& p, const char* mappingName, size_t bytes, const char* message,
                  Fill fill, Done done) {
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(bytes), mappingName);
    auto* shared =
        mapping ? static_cast<T*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) : nullptr;
    if (shared) {
        fill(*shared);
        WithProbe(p, [&] { PostMessageA(p.main, RegisterWindowMessageA(message), 0, 0); });
        done(*shared);
        UnmapViewOfFile(shared);
    }
    if (mapping) CloseHandle(mapping);
}

} // namespace

void DropFile(const Program& p, const std::wstring& path) {
    ThroughProbe<wchar_t>(
        p, DropProbeMapping, DropPathSize * sizeof(wchar_t), DropProbeMessage,
        [&](wchar_t& shared) {
            path.copy(&shared, DropPathSize - 1);
            (&shared)[std::min<size_t>(path.size(), DropPathSize - 1)] = 0;
        },
        [](wchar_t&) {});
}

std::vector<int> HandOverAfter(const Program& p, WORD command,
                               const std::vector<std::wstring>& paths) {
    std::vector<int> answers;
    ThroughProbe<HandOverProbe>(
        p, HandOverProbeMapping, sizeof(HandOverProbe), HandOverProbeMessage,
        [&](HandOverProbe& shared) {
            shared = {};
            shared.command = command;
            for (const std::wstring& path : paths) {
                if (shared.fileCount == HandOverFileLimit) break;
                path.copy(shared.paths[shared.fileCount], DropPathSize - 1);
                shared.answers[shared.fileCount++] = -1;
            }
        },
        [&](HandOverProbe& shared) {
            answers.assign(shared.answers, shared.answers + shared.fileCount);
        });
    return answers;
}

void ChangeDpi(const Program& p, int dpi, const RECT& place) {
    ThroughProbe<DpiProbeChange>(
        p, DpiProbeMapping, sizeof(DpiProbeChange), DpiProbeMessage,
        [&](DpiProbeChange& shared) {
            shared = {dpi, place};
        },
        [](DpiProbeChange&) {});
}
