// The grade method through its getter, its setter and its dialog.
#include "dialog_test.h"

using namespace optora::test;

constexpr const char* kGradeKey = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
constexpr int kMethodList = 1015;
const char* const kMethods[] = {"Small-Large Incremental", "Base Up-Down Cumulative", "Base Up-Down Incremental"};

class GradeOptionsTest : public DialogTest {
protected:
    void SetUp() override {
        DialogTest::SetUp();
        get_ = library_.Entry<int (*)()>("optora_getgradeoption");
        set_ = library_.Entry<void (*)(int)>("optora_setgradeoption");
        ASSERT_TRUE(get_ && set_);
    }
    void Show(UiDriver::Action script, int listDisabled = 0, const char* entry = "optora_dogradeoptions") {
        const auto show = library_.Entry<void (*)(HWND, int)>(entry);
        Drive("Grade Options", [&] { show(nullptr, listDisabled); }, std::move(script));
    }
    std::string Stored() { return StoredText(kGradeKey, "Grade Method", REG_SZ); }
    int Broadcasts() { return DialogTest::Broadcasts("GradeOptionsChanged"); }

    int (*get_)() = nullptr;
    void (*set_)(int) = nullptr;
};

TEST_F(GradeOptionsTest, TheGetterWritesTheFirstMethodWhenNoneIsStoredAndRewritesNoOtherText) {
    EXPECT_EQ(get_(), 0);
    EXPECT_EQ(Stored(), kMethods[0]);
    for (const char* text : {"base up-down incremental", "", "Base Up-Down Incremental "}) {
        StoreText(kGradeKey, "Grade Method", text);
        EXPECT_EQ(get_(), 0) << "'" << text << "'";
        EXPECT_EQ(Stored(), text) << "an unknown text is not rewritten";
    }
    EXPECT_EQ(Broadcasts(), 0) << "a getter never broadcasts";
}

TEST_F(GradeOptionsTest, TheDialogShowsTheStoredMethodAndOkSavesTheShownOne) {
    const struct { const char* stored; int listDisabled; bool click; int button, shown; const char* saved;
        int broadcasts; } runs[] = {
        {kMethods[1], 0, false, IDOK, 1, kMethods[1], 0},     // no change: nothing sent
        {kMethods[2], 1, false, IDOK, 2, kMethods[2], 0},     // a disabled list still saves
        {nullptr, 0, false, IDCANCEL, 0, kMethods[0], 0},     // the default written on opening stays
        {nullptr, 0, false, IDOK, 0, kMethods[0], 1},         // and makes OK broadcast
        {kMethods[1], 0, true, IDOK, 1, kMethods[2], 1},      // a click steps to the next method
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(testing::Message() << (r.stored ? r.stored : "none") << " " << r.click << " " << r.button);
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        if (r.stored) StoreText(kGradeKey, "Grade Method", r.stored);
        Show(
            [&r](UiDriver& d) {
                EXPECT_EQ(d.ComboItems(kMethodList), std::vector<std::string>(kMethods, kMethods + 3)) << "not sorted";
                EXPECT_EQ(d.ComboSelection(kMethodList), r.shown);
                EXPECT_EQ(IsWindowEnabled(d.Item(kMethodList)) != FALSE, !r.listDisabled);
                if (r.click) {
                    SetFocus(d.Item(kMethodList));
                    SendMessageA(d.Item(kMethodList), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                    SendMessageA(d.Item(kMethodList), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
                }
                // OK writes the shown method whatever is stored by now.
                if (r.button == IDOK) RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
                d.Click(r.button);
            },
            r.listDisabled, r.listDisabled ? "_optora_dogradeoptions" : "optora_dogradeoptions");
        EXPECT_EQ(Stored(), r.saved);
        EXPECT_EQ(Broadcasts(), r.broadcasts);
    }
}

TEST_F(GradeOptionsTest, TheSetterStoresTheTextAndBroadcastsOnlyAWrittenChange) {
    std::vector<int> heard;  // by the caller's own window, during each broadcast
    OwnWindow own([&] { heard.push_back(get_()); });
    const auto twin = library_.Entry<void (*)(int)>("_optora_setgradeoption");
    for (const auto& [method, readOnly, text, broadcasts] :
         {std::tuple{1, false, kMethods[1], 1}, {1, false, kMethods[1], 0}, {2, false, kMethods[2], 1},
          {0, true, kMethods[2], 0}, {7, false, "", 1}, {-1, false, "", 0}}) {
        if (readOnly) SetKeyAccess(kGradeKey, "KR");
        (method == 2 ? twin : set_)(method);
        if (readOnly) SetKeyAccess(kGradeKey, "KA");
        EXPECT_EQ(Stored(), text) << method;
        EXPECT_EQ(Broadcasts(), broadcasts) << method;
    }
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 0})) << "saved before the broadcast, readable during it";
    EXPECT_EQ(own.KeysHeldOpen(), 0);
}
