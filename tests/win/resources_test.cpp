// The program's resources as Windows reads them from marvek2.exe: the
// manifest, the version, the icon and the named menu and templates.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/command_table.h"
#include "app/main_window.h"
#include "res/resource.h"
#include "version.h"

namespace {

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1) + L"marvek2.exe";
}

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        program = LoadLibraryExW(ProgramPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(program, nullptr);
    }
    void TearDown() override { FreeLibrary(program); }
    std::string Bytes(const wchar_t* name, const wchar_t* type) {
        HRSRC found = FindResourceW(program, name, type);
        if (!found) return "";
        const char* data = static_cast<const char*>(LockResource(LoadResource(program, found)));
        return std::string(data, SizeofResource(program, found));
    }
    HMODULE program = nullptr;
};

TEST_F(Resources, ManifestRunsAsInvokerOnWindows7To11PerMonitorAwareWithoutCodePage) {
    const std::string manifest = Bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    for (const char* os :
         {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
          "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
}

TEST_F(Resources, VersionNamesTheProductInJapanese) {
    const std::wstring path = ProgramPath();
    DWORD ignored = 0;
    std::string block(GetFileVersionInfoSizeW(path.c_str(), &ignored), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), &block[0]));
    WORD* translation = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &size));
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
        if (!VerQueryValueW(block.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
            return std::wstring(L"(none)");
        return std::wstring(text);
    };
    EXPECT_EQ(value(L"ProductName"), L"MARVEK Ⅱ");
    EXPECT_EQ(value(L"FileDescription"), L"MARVEK Ⅱ 照度ロガー ビューア");
    EXPECT_EQ(value(L"OriginalFilename"), L"marvek2.exe");
    EXPECT_EQ(value(L"FileVersion"), L"" MARVEK_VERSION_TEXT);
    EXPECT_EQ(value(L"ProductVersion"), L"" MARVEK_VERSION_TEXT);
    EXPECT_EQ(value(L"CompanyName"), L"(none)");
    EXPECT_EQ(value(L"LegalCopyright"), L"(none)");
}

// The program's own and its files' (named by the file type as -2).
TEST_F(Resources, BothIconGroupsHold16And32And48Pixels) {
    for (int id : {IDI_MAIN, IDI_FILE}) {
        SCOPED_TRACE(id);
        const std::string group = Bytes(MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));
        ASSERT_GE(group.size(), 6u);
        const int count = static_cast<unsigned char>(group[4]);
        ASSERT_EQ(group.size(), 6u + 14u * count);
        std::string sizes;
        for (int i = 0; i < count; ++i)
            sizes += std::to_string(static_cast<unsigned char>(group[6 + 14 * i])) + " ";
        EXPECT_EQ(sizes, "16 32 48 ");
    }
    EXPECT_EQ(IDI_FILE, 2);
}

TEST_F(Resources, MenuAndTemplatesAreFoundByTheNamesTheCodeUses) {
    EXPECT_NE(FindResourceW(program, MainMenuName, MAKEINTRESOURCEW(4)), nullptr);
    for (const wchar_t* name : {RangeTemplate, TextTemplate, DataTemplate, MaxTemplate,
                                StatTemplate, ListTemplate, AboutTemplate})
        EXPECT_NE(FindResourceW(program, name, MAKEINTRESOURCEW(5)), nullptr) << name;
    EXPECT_EQ(std::wstring(RangeTemplate), L"RANGEDLG");
    EXPECT_EQ(std::wstring(MainMenuName), L"MYMENU");
}

// Every command id of a menu and its pop-ups, in order.
void AddMenuIds(HMENU menu, std::set<unsigned>& ids) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU popup = GetSubMenu(menu, i))
            AddMenuIds(popup, ids);
        else if (GetMenuItemID(menu, i) != 0) // not a separator
            ids.insert(GetMenuItemID(menu, i));
    }
}

// The menu, the command table and the window procedure know the same
// commands: none is shown that nothing runs, none runs that has no rule. The
// ports beyond 自動 are added to the menu as the system lists them.
TEST_F(Resources, MenuCommandTableAndWindowProcedureHoldTheSameCommands) {
    HMENU menu = LoadMenuW(program, MainMenuName);
    ASSERT_NE(menu, nullptr);
    std::set<unsigned> inMenu;
    AddMenuIds(menu, inMenu);
    DestroyMenu(menu);
    std::set<unsigned> inTable;
    for (int i = 0; i < CommandTableSize; ++i)
        if (CommandTable[i].first == CommandTable[i].last) inTable.insert(CommandTable[i].first);
    const std::vector<UINT> ids = HandledCommands();
    std::set<unsigned> handled(ids.begin(), ids.end());
    handled.insert(IDM_PORT_AUTO);
    EXPECT_EQ(inMenu, inTable);
    EXPECT_EQ(inMenu, handled);
    EXPECT_NE(FindCommand(IDM_PORT_LAST), nullptr);
}

// What the menu shows for a key of the accelerator table: "Ctrl+O", "F1".
std::string KeyName(WORD flags, WORD key) {
    std::string name = (flags & FCONTROL) ? "Ctrl+" : "";
    if (flags & FSHIFT) name += "Shift+";
    if (key >= VK_F1 && key <= VK_F12) return name + "F" + std::to_string(key - VK_F1 + 1);
    return name + static_cast<char>(key);
}

// The accelerator table, the command table's shortcuts and the menu's texts
// after the tab all say the same.
TEST_F(Resources, ShortcutsAreTheCommandTablesAndTheMenuShowsThem) {
    const std::string table = Bytes(MainAccelerators, MAKEINTRESOURCEW(9));
    ASSERT_EQ(table.size() % 8, 0u);
    ASSERT_FALSE(table.empty());
    HMENU menu = LoadMenuW(program, MainMenuName);
    ASSERT_NE(menu, nullptr);
    int shortcuts = 0;
    for (int i = 0; i < CommandTableSize; ++i)
        shortcuts += CommandTable[i].shortcut != nullptr;
    EXPECT_EQ(table.size() / 8, static_cast<size_t>(shortcuts));
    for (size_t at = 0; at < table.size(); at += 8) {
        WORD entry[4];
        std::memcpy(entry, table.data() + at, sizeof entry);
        const CommandRow* row = FindCommand(entry[2]);
        ASSERT_NE(row, nullptr) << entry[2];
        ASSERT_NE(row->shortcut, nullptr) << entry[2];
        EXPECT_TRUE(entry[0] & FVIRTKEY);
        EXPECT_EQ(KeyName(entry[0], entry[1]), row->shortcut);
        wchar_t text[64] = {};
        GetMenuStringW(menu, entry[2], text, 64, MF_BYCOMMAND);
        const std::wstring shown = text;
        const std::string key = row->shortcut;
        EXPECT_EQ(shown.substr(shown.find(L'\t') + 1), std::wstring(key.begin(), key.end()));
    }
    DestroyMenu(menu);
}

} // namespace
