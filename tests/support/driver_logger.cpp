// The logger simulator and other Unix programs started from under Wine.
#include "tests/support/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <commctrl.h>

#include "app/identity.h"
#include "res/resource.h"
#include "tests/e2e/menu_probe.h"
#include "tests/support/wait.h"

std::string UnixPath(std::string path) {
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':') path.erase(0, 2);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::string WindowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

bool StartUnixProgram(const std::string& commandLine) {
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    if (pi.hThread) CloseHandle(pi.hThread);
    if (pi.hProcess) CloseHandle(pi.hProcess);
    return true;
}

namespace {

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

} // namespace

Logger StartLogger(int port, const char* fault, const std::string& recording,
                   bool flowControlLeftOn) {
    Logger logger;
    logger.port = port;
    const std::string root = BuildDir() + "\\e2e-files";
    CreateDirectoryA(root.c_str(), nullptr);
    logger.folder = root + "\\logger-com" + std::to_string(port) + "\\";
    CreateDirectoryA(logger.folder.c_str(), nullptr);
    for (const char* f : {"ready", "stop", "stop.done", "heard", "settings"})
        DeleteFileA((logger.folder + f).c_str());

    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
    const std::string unixFolder = UnixPath(logger.folder);
    std::string command = "Z:\\usr\\bin\\python3 " + Quoted(MARVEK_LOGGER_SIMULATOR) + " --port " +
                          std::to_string(port) + " --fault " + fault + " --prefix " +
                          Quoted(prefix) + " --ready-file " + Quoted(unixFolder + "ready") +
                          " --stop-file " + Quoted(unixFolder + "stop") + " --log " +
                          Quoted(unixFolder + "heard") + " --settings-log " +
                          Quoted(unixFolder + "settings") + " --lifetime 120";
    if (flowControlLeftOn) command += " --flow-control-left-on";
    if (!recording.empty()) command += " --recording " + Quoted(UnixPath(recording));
    if (!StartUnixProgram(command)) return logger;
    logger.running = WaitUntil(10000, [&] {
        return GetFileAttributesA((logger.folder + "ready").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    return logger;
}

void StopLogger(Logger& logger) {
    if (!logger.running) return;
    HANDLE stop = CreateFileA((logger.folder + "stop").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (stop != INVALID_HANDLE_VALUE) CloseHandle(stop);
    WaitUntil(5000, [&] {
        return GetFileAttributesA((logger.folder + "stop.done").c_str()) != INVALID_FILE_ATTRIBUTES;
    });
    logger.running = false;
}

std::string LoggerLineSettings(const Logger& logger) {
    return ReadBytes(logger.folder + "settings");
}

std::string LoggerHeard(const Logger& logger) {
    std::string hex;
    for (char c : ReadBytes(logger.folder + "heard"))
        if (c != '\n' && c != '\r') hex += c;
    return hex;
}
