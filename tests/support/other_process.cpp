#include "other_process.h"

#include <gtest/gtest.h>

#include <utility>

#include "kestrel_test.h"

namespace optora::test {

Process::Process(std::string commandLine, const std::string& output, const std::string& error) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const bool redirected = !output.empty();
    if (redirected) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        startup.dwFlags = STARTF_USESTDHANDLES;
        for (auto [path, handle] : {std::pair{&output, &startup.hStdOutput}, {&error, &startup.hStdError}})
            *handle = CreateFileA(path->c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, redirected, 0, nullptr, nullptr, &startup,
                        &info_))
        info_ = {};
    if (!redirected) return;
    CloseHandle(startup.hStdOutput);
    CloseHandle(startup.hStdError);
}

Process::~Process() {
    if (!Started()) return;
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

DWORD Process::Wait(DWORD timeoutMs, bool pump) const {
    if (!Started()) return kNoEnd;
    const DWORD end = GetTickCount() + timeoutMs;
    for (MSG message;;) {
        const LONG left = static_cast<LONG>(end - GetTickCount());
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &info_.hProcess, FALSE, left > 0 ? left : 0, pump ? QS_ALLINPUT : 0);
        if (woke != WAIT_OBJECT_0 + 1) break;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    DWORD code = kNoEnd;
    if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(info_.hProcess, &code))
        return kNoEnd;
    return code;
}

std::string Beside(const char* program, const std::string& arguments) {
    return "\"" + BesideTestProgram(program) + "\"" + (arguments.empty() ? "" : " " + arguments);
}

void BroadcastFromElsewhere(const char* name) {
    EXPECT_TRUE(Process(Beside("broadcaster.exe", name)).Started()) << name;
}

CopiesApart::CopiesApart(const std::filesystem::path& directory, std::initializer_list<const char*> files)
    : directory_(std::filesystem::temp_directory_path() / directory) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
    std::filesystem::create_directories(directory_);
    for (const char* file : files) std::filesystem::copy_file(BesideTestProgram(file), directory_ / file);
}

CopiesApart::~CopiesApart() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

}  // namespace optora::test
