// Another process changing the user's Kestrel settings and the device file on
// command, one command a line on standard input, each answered "ok" once done
// (or "failed"), so the asking process knows the change is made:
//
//   set PATH NAME TYPE HEX     store a value (TYPE as a number, HEX its bytes)
//   del PATH NAME              delete a value
//   tree PATH                  delete a key with everything below it
//   file HEX                   replace the device file (its directory made)
//   sametimes HEX              rewrite it in place, then put its times back
//   nofile                     delete it
//   hold NAME                  take a named mutex and keep it
//   release                    let it go
//   die                        end at once, holding what it holds
//
// PATH lies below HKEY_CURRENT_USER; "-" stands for an empty HEX.
#include <windows.h>

#include <iostream>
#include <sstream>
#include <string>

namespace {

constexpr const char* kDeviceFile = "c:\\userroot\\system\\state\\dosfile.cfg";

std::string FromHex(const std::string& hex) {
    std::string bytes;
    if (hex == "-") return bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += char(std::stoi(hex.substr(i, 2), nullptr, 16));
    return bytes;
}

bool WriteFileBytes(DWORD disposition, const std::string& bytes, bool keepTimes) {
    for (const char* directory : {"c:\\userroot", "c:\\userroot\\system", "c:\\userroot\\system\\state"})
        CreateDirectoryA(directory, nullptr);
    HANDLE file = CreateFileA(kDeviceFile, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                              disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    FILETIME created, accessed, written;
    bool ok = GetFileTime(file, &created, &accessed, &written);
    DWORD done = 0;
    ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &done, nullptr) && done == bytes.size() &&
         SetEndOfFile(file) && ok;
    if (keepTimes) ok = SetFileTime(file, &created, &accessed, &written) && ok;
    CloseHandle(file);
    return ok;
}

HANDLE g_held = nullptr;

bool Perform(const std::string& line) {
    std::istringstream in(line);
    std::string command, path, name, hex;
    in >> command;
    if (command == "set") {
        DWORD type = 0;
        in >> path >> name >> type >> hex;
        const std::string bytes = FromHex(hex);
        return !RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), type, bytes.data(), DWORD(bytes.size()));
    }
    if (command == "del" || command == "tree") {
        in >> path >> name;
        const LONG status = command == "del" ? RegDeleteKeyValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str())
                                             : RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
    }
    if (command == "file" || command == "sametimes") {
        in >> hex;
        const bool sameTimes = command == "sametimes";
        return WriteFileBytes(sameTimes ? OPEN_EXISTING : CREATE_ALWAYS, FromHex(hex), sameTimes);
    }
    if (command == "hold") {
        in >> name;
        g_held = CreateMutexA(nullptr, FALSE, name.c_str());
        return g_held && WaitForSingleObject(g_held, 5000) == WAIT_OBJECT_0;
    }
    if (command == "release") return g_held && ReleaseMutex(g_held);
    if (command == "die") TerminateProcess(GetCurrentProcess(), 9);
    if (command == "nofile") return DeleteFileA(kDeviceFile) || GetLastError() == ERROR_FILE_NOT_FOUND;
    return false;
}

}  // namespace

int main() {
    for (std::string line; std::getline(std::cin, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::cout << (Perform(line) ? "ok" : "failed") << std::endl;
    }
    return 0;
}
