#include "sibling_log.h"

#include <windows.h>

#include <chrono>
#include <fstream>

namespace optora::test {

std::vector<std::string> SiblingLog(const std::string& log, std::size_t count) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    std::vector<std::string> lines;
    for (DWORD readSize = MAXDWORD;;) {
        // Opened only once it grew: a program that finds it open waits for it.
        WIN32_FILE_ATTRIBUTE_DATA file = {};
        const DWORD size = GetFileAttributesExA(log.c_str(), GetFileExInfoStandard, &file) ? file.nFileSizeLow : 0;
        if (size != readSize) {
            readSize = size;
            lines.clear();
            std::ifstream in(log, std::ios::binary);
            for (std::string line; std::getline(in, line) && !in.eof();) lines.push_back(line.substr(0, line.find('\r')));
        }
        if (lines.size() >= count || std::chrono::steady_clock::now() > until) return lines;
        // A program starting up may send to this thread's windows: answer while waiting.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&message);
    }
}

}  // namespace optora::test
