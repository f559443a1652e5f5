// The grade method through its getter, its setter and its dialog.
#include "dialog_test.h"

using namespace optora::test;

namespace {

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
    std::string Stored() {
        const auto value = ReadStored(kGradeKey, "Grade Method");
        if (!value) return "(absent)";
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        return value->Text();
    }
    int Broadcasts() { return DialogTest::Broadcasts("GradeOptionsChanged"); }

    int (*get_)() = nullptr;
    void (*set_)(int) = nullptr;
};

}  // namespace

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

TEST_F(GradeOptionsTest, EachStoredTextGivesItsIndexAndIsSelectedInTheDialog) {
    for (int method = 0; method < 3; ++method) {
        StoreText(kGradeKey, "Grade Method", kMethods[method]);
        EXPECT_EQ(get_(), method) << kMethods[method];
        Show([method](UiDriver& d) {
            EXPECT_EQ(d.ComboItems(kMethodList), std::vector<std::string>(kMethods, kMethods + 3)) << "not sorted";
            EXPECT_EQ(d.ComboSelection(kMethodList), method);
            EXPECT_TRUE(IsWindowEnabled(d.Item(kMethodList)));
            d.Click(IDOK);
        });
        EXPECT_EQ(Stored(), kMethods[method]);
    }
    EXPECT_EQ(Broadcasts(), 0) << "OK without a change and with a stored value sends nothing";
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
    EXPECT_EQ(get_(), 0);
    EXPECT_EQ(Stored(), "") << "a stored empty text is a value: not replaced by the default";
}

TEST_F(GradeOptionsTest, ADisabledListStillSavesOnOk) {
    StoreText(kGradeKey, "Grade Method", kMethods[2]);
    EXPECT_EQ(library_.Entry<int (*)()>("_optora_getgradeoption")(), 2);
    Show(
        [](UiDriver& d) {
            EXPECT_FALSE(IsWindowEnabled(d.Item(kMethodList)));
            EXPECT_EQ(d.ComboSelection(kMethodList), 2);
            RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
            d.Click(IDOK);
        },
        1, "_optora_dogradeoptions");
    EXPECT_EQ(Stored(), kMethods[2]);
}

TEST_F(GradeOptionsTest, TheDefaultWrittenOnOpeningMakesOkBroadcastButNotCancel) {
    for (const int button : {IDCANCEL, IDOK}) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
        Show([button](UiDriver& d) {
            EXPECT_EQ(d.ComboSelection(kMethodList), 0);
            d.Click(button);
        });
        EXPECT_EQ(Stored(), kMethods[0]) << "the default stays written after Cancel";
        EXPECT_EQ(Broadcasts(), button == IDOK ? 1 : 0);
    }
}

TEST_F(GradeOptionsTest, ClickingTheListStepsToTheNextMethodAndOkSavesIt) {
    StoreText(kGradeKey, "Grade Method", kMethods[1]);
    Show([](UiDriver& d) {
        SetFocus(d.Item(kMethodList));
        SendMessageA(d.Item(kMethodList), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(d.Item(kMethodList), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        EXPECT_EQ(d.ComboSelection(kMethodList), 2);
        d.Click(IDOK);
    });
    EXPECT_EQ(Stored(), kMethods[2]);
    EXPECT_EQ(Broadcasts(), 1) << "a step is a selection change";
}
