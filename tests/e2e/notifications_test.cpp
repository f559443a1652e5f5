// Change messages reach other applications, in other processes.
#include "frame/notifications.h"
#include "kestrel_test.h"
#include "listener.h"
#include "optora.h"

using namespace optora;
using namespace optora::test;

namespace {

class NotificationsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        library_ = LoadLibraryA("optora.dll");
        ASSERT_NE(library_, nullptr);
        ASSERT_TRUE(listener_.Started()) << "listener.exe did not come up";
        set_ = reinterpret_cast<void (*)(int)>(reinterpret_cast<void*>(GetProcAddress(library_, "optora_setalteration")));
        ASSERT_NE(set_, nullptr);
    }
    void TearDown() override { FreeLibrary(library_); }

    HMODULE library_ = nullptr;
    Listener listener_;
    void (*set_)(int) = nullptr;
};

}  // namespace

TEST_F(NotificationsTest, BroadcastReachesAnotherProcessAndTheSenderWithItsParameters) {
    OwnWindow own;
    Broadcast("CutOptionsChanged", reinterpret_cast<WPARAM>(own.Handle()), 0, kBroadcastDefault);
    Broadcast("OrderOptionsChanged", 0, 7, kBroadcastDefault);

    const auto received = listener_.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].name, "CutOptionsChanged");
    EXPECT_EQ(received[0].id, RegisterWindowMessageA("CutOptionsChanged")) << "same identifier in both processes";
    EXPECT_EQ(received[0].wParam, reinterpret_cast<uint64_t>(own.Handle()));
    EXPECT_EQ(received[1].name, "OrderOptionsChanged");
    EXPECT_EQ(received[1].lParam, 7);
    EXPECT_EQ(own.Received().size(), 2u) << "without the ignore flag the sender's own windows hear it too";
}

TEST_F(NotificationsTest, OnlyAnAlterationChangeReachesOthersAndNeverTheCaller) {
    OwnWindow own;
    for (int value : {0, 4, 4}) set_(value);  // absent counts as 0
    const auto received = listener_.Received();
    ASSERT_EQ(received.size(), 1u) << "only the change from 0 to 4";
    EXPECT_EQ(received[0].name, "AlterationPreferenceChanged");
    EXPECT_EQ(static_cast<int>(received[0].id),
              reinterpret_cast<int (*)()>(reinterpret_cast<void*>(GetProcAddress(library_, "optora_getbroadcastalt")))());
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(received[0].lParam, 0);
    EXPECT_TRUE(own.Received().empty());
}
