#include <gtest/gtest.h>

#include <stdexcept>

#include "frame/app_names.h"
#include "frame/call_frame.h"

using namespace optora;

TEST(CallFrame, AFailureEndsInTheFallback) {
    EXPECT_EQ(Shielded(2, []() -> int { throw std::runtime_error("inside"); }), 2);
    EXPECT_EQ(Shielded(3, [] { return 4; }), 4);
    bool ran = false;
    Shielded([&ran] {
        ran = true;
        throw 42;  // not even a std::exception gets out
    });
    EXPECT_TRUE(ran);
}

TEST(AppNameBuffer, CutsLongNamesAndTakesNullAsEmpty) {
    AppName name;
    const std::string fits(103, 'a'), exact(104, 'b'), huge(5000, 'c');
    name.Set(fits.c_str());
    EXPECT_EQ(name.Text(), fits);
    name.Set(nullptr);
    EXPECT_STREQ(name.Text(), "");
    for (const std::string& text : {exact, huge}) {
        name.Set(text.c_str());
        EXPECT_EQ(name.Text(), text.substr(0, 103));
    }
    name.Set("short");
    EXPECT_STREQ(name.Text(), "short") << "a shorter name leaves no tail of the longer one";
    name.Set(name.Buffer());
    EXPECT_STREQ(name.Text(), "short");
    name.Set(name.Buffer() + 2);
    EXPECT_STREQ(name.Text(), "ort") << "a part of the buffer itself";
}
