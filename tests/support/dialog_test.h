#pragma once
// The fixture of the dialog tests: optora.dll bound by name, a listener in
// another process, and a scripted run of one dialog.
#include "kestrel_test.h"
#include "listener.h"
#include "optora_library.h"
#include "ui_driver.h"

namespace optora::test {

class DialogTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ASSERT_TRUE(library_.Loaded());
        ASSERT_TRUE(listener_.Started());
    }

    // Runs show while the script plays on the dialog with this caption.
    static void Drive(const char* caption, const std::function<void()>& show, UiDriver::Action script) {
        UiDriver ui;
        ui.WaitForDialog(caption).Then(std::move(script));
        EXPECT_TRUE(ui.Run(show)) << ui.Failure();
    }

    // Broadcasts the listener received since the last call, each expected to
    // be this one with both parameters zero.
    int Broadcasts(const char* name) {
        const auto received = listener_.Received();
        for (size_t i = seen_; i < received.size(); ++i)
            EXPECT_TRUE(received[i].name == name && received[i].wParam == 0 && received[i].lParam == 0)
                << received[i].name << " " << received[i].wParam << " " << received[i].lParam;
        const int count = static_cast<int>(received.size() - seen_);
        seen_ = received.size();
        return count;
    }

    OptoraLibrary library_;
    Listener listener_;
    size_t seen_ = 0;
};

}  // namespace optora::test
