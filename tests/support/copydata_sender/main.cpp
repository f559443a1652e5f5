// An editor of another application telling a window what it saved, as the
// suite's editors do: sends WM_COPYDATA tagged with the registered message
// TAG, holding TEXT with its terminator ("terminated"), without it
// ("unterminated"), or followed by 64 KiB more ("oversized"). Exits with 10
// plus the window's answer.
//
//   copydata_sender.exe WINDOW TAG terminated|unterminated|oversized TEXT
#include <windows.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 5) return 2;
    const auto window = reinterpret_cast<HWND>(static_cast<INT_PTR>(std::strtoll(argv[1], nullptr, 10)));
    const std::string mode = argv[3];
    std::string block = argv[4];
    if (mode != "unterminated") block += '\0';
    if (mode == "oversized") block.append(65536, 'X');
    COPYDATASTRUCT data = {RegisterWindowMessageA(argv[2]), static_cast<DWORD>(block.size()), block.data()};
    return 10 + static_cast<int>(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)));
}
