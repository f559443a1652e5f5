// Change messages reach other applications, in other processes.
#include "kestrel_test.h"
#include "listener.h"
#include "optora_library.h"

using namespace optora::test;

namespace {

class NotificationsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ASSERT_TRUE(library_.Loaded());
        ASSERT_TRUE(listener_.Started()) << "listener.exe did not come up";
    }

    OptoraLibrary library_;
    Listener listener_;
};

}  // namespace

TEST_F(NotificationsTest, OnlyAnAlterationChangeReachesOthersAndNeverTheCaller) {
    OwnWindow own;
    for (int value : {0, 4, 4}) library_.Entry<void (*)(int)>("optora_setalteration")(value);  // absent counts as 0
    const auto received = listener_.Received();
    ASSERT_EQ(received.size(), 1u) << "only the change from 0 to 4";
    EXPECT_EQ(received[0].name, "AlterationPreferenceChanged");
    EXPECT_EQ(static_cast<int>(received[0].id), library_.Entry<int (*)()>("optora_getbroadcastalt")());
    EXPECT_EQ(received[0].wParam, 0u);
    EXPECT_EQ(received[0].lParam, 0);
    EXPECT_TRUE(own.Received().empty());
}
