// Change messages reach other applications, in other processes.
#include "dialog_test.h"

using namespace optora::test;

class NotificationsTest : public DialogTest {};

TEST_F(NotificationsTest, OnlyAnAlterationChangeReachesOthersAndNeverTheCaller) {
    OwnWindow own;
    for (int value : {0, 4, 4}) library_.Entry<void (*)(int)>("optora_setalteration")(value);  // absent counts as 0
    ASSERT_EQ(Broadcasts("AlterationPreferenceChanged"), 1) << "only the change from 0 to 4";
    EXPECT_EQ(static_cast<int>(listener_.Received()[0].id), library_.Entry<int (*)()>("optora_getbroadcastalt")());
    EXPECT_TRUE(own.Received().empty());
}
