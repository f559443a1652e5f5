// The grade method through its getter, its setter and its dialog.
#include "kestrel_test.h"
#include "listener.h"
#include "optora_library.h"
#include "ui_driver.h"

using namespace optora::test;

namespace {

constexpr const char* kGradeKey = "Software\\Kestrel\\Marlow 2000\\RuleTable\\GradeOptions";
constexpr int kMethodList = 1015;
const char* const kMethods[] = {"Small-Large Incremental", "Base Up-Down Cumulative", "Base Up-Down Incremental"};

class GradeOptionsTest : public KestrelTest {
protected:
    void SetUp() override {
        KestrelTest::SetUp();
        ASSERT_TRUE(library_.Loaded());
        ASSERT_TRUE(listener_.Started());
        get_ = library_.Entry<int (*)()>("optora_getgradeoption");
        set_ = library_.Entry<void (*)(int)>("optora_setgradeoption");
        show_ = library_.Entry<void (*)(HWND, int)>("optora_dogradeoptions");
        ASSERT_TRUE(get_ && set_ && show_);
    }

    void Show(UiDriver& ui, int listDisabled = 0) {
        EXPECT_TRUE(ui.Run([&] { show_(nullptr, listDisabled); })) << ui.Failure();
    }

    std::string Stored() {
        const auto value = ReadStored(kGradeKey, "Grade Method");
        if (!value) return "(absent)";
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        return value->Text();
    }

    // "GradeOptionsChanged" messages the listener received since the last call.
    int GradeMessages() {
        const auto received = listener_.Received();
        int count = 0;
        for (size_t i = seen_; i < received.size(); ++i) {
            EXPECT_EQ(received[i].name, "GradeOptionsChanged");
            EXPECT_EQ(received[i].wParam, 0u);
            EXPECT_EQ(received[i].lParam, 0);
            ++count;
        }
        seen_ = received.size();
        return count;
    }

    OptoraLibrary library_;
    Listener listener_;
    int (*get_)() = nullptr;
    void (*set_)(int) = nullptr;
    void (*show_)(HWND, int) = nullptr;
    size_t seen_ = 0;
};

}  // namespace

TEST_F(GradeOptionsTest, GetterWritesTheFirstMethodWhenNoneIsStored) {
    EXPECT_EQ(get_(), 0);
    EXPECT_EQ(Stored(), kMethods[0]);
    EXPECT_EQ(GradeMessages(), 0) << "a getter never broadcasts";
}

TEST_F(GradeOptionsTest, EachStoredTextGivesItsIndexAndIsSelectedInTheDialog) {
    for (int method = 0; method < 3; ++method) {
        StoreText(kGradeKey, "Grade Method", kMethods[method]);
        EXPECT_EQ(get_(), method) << kMethods[method];
        UiDriver ui;
        ui.WaitForDialog("Grade Options").Then([method](UiDriver& d) {
            ASSERT_EQ(d.ComboCount(kMethodList), 3);
            for (int i = 0; i < 3; ++i) EXPECT_EQ(d.ComboItem(kMethodList, i), kMethods[i]) << "index order, not sorted";
            EXPECT_EQ(d.ComboSelection(kMethodList), method);
            EXPECT_TRUE(d.IsEnabled(kMethodList));
            d.Click(IDOK);
        });
        Show(ui);
        EXPECT_EQ(Stored(), kMethods[method]);
    }
    EXPECT_EQ(GradeMessages(), 0) << "OK without a change and with a stored value sends nothing";
}

TEST_F(GradeOptionsTest, TextsThatMatchNoMethodGiveZeroAndStayAsTheyAre) {
    for (const char* text : {"base up-down incremental", "", "Base Up-Down Incremental "}) {
        StoreText(kGradeKey, "Grade Method", text);
        EXPECT_EQ(get_(), 0) << "'" << text << "'";
        EXPECT_EQ(Stored(), text) << "an unknown text is not rewritten";
    }
    EXPECT_EQ(GradeMessages(), 0);
}

TEST_F(GradeOptionsTest, SetterStoresTheTextAndBroadcastsOnlyAChange) {
    set_(1);
    EXPECT_EQ(Stored(), kMethods[1]);
    EXPECT_EQ(get_(), 1);
    EXPECT_EQ(GradeMessages(), 1) << "nothing was stored before";

    set_(1);
    EXPECT_EQ(GradeMessages(), 0) << "the same text again";

    set_(2);
    EXPECT_EQ(Stored(), kMethods[2]);
    EXPECT_EQ(GradeMessages(), 1);

    set_(7);
    EXPECT_EQ(Stored(), "");
    EXPECT_EQ(get_(), 0);
    EXPECT_EQ(Stored(), "") << "a stored empty text is a value: not replaced by the default";
    EXPECT_EQ(GradeMessages(), 1);
    set_(-1);
    EXPECT_EQ(GradeMessages(), 0) << "still the empty text";
}

TEST_F(GradeOptionsTest, ReadOnlyDialogShowsTheListDisabledAndOkStillSaves) {
    StoreText(kGradeKey, "Grade Method", kMethods[2]);
    UiDriver ui;
    ui.WaitForDialog("Grade Options").Then([](UiDriver& d) {
        EXPECT_FALSE(d.IsEnabled(kMethodList));
        EXPECT_EQ(d.ComboSelection(kMethodList), 2);
        d.Click(IDOK);
    });
    Show(ui, 1);
    EXPECT_EQ(Stored(), kMethods[2]);
    EXPECT_EQ(GradeMessages(), 0);
}

TEST_F(GradeOptionsTest, TheDefaultWrittenOnOpeningMakesOkBroadcastButNotCancel) {
    UiDriver cancel;
    cancel.WaitForDialog("Grade Options").Then([](UiDriver& d) {
        EXPECT_EQ(d.ComboSelection(kMethodList), 0);
        d.Click(IDCANCEL);
    });
    Show(cancel);
    EXPECT_EQ(Stored(), kMethods[0]) << "the default stays written after Cancel";
    EXPECT_EQ(GradeMessages(), 0);

    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Kestrel");
    UiDriver ok;
    ok.WaitForDialog("Grade Options").Then([](UiDriver& d) { d.Click(IDOK); });
    Show(ok);
    EXPECT_EQ(Stored(), kMethods[0]);
    EXPECT_EQ(GradeMessages(), 1);
}

TEST_F(GradeOptionsTest, ClickingTheListStepsToTheNextMethodAndOkSavesIt) {
    StoreText(kGradeKey, "Grade Method", kMethods[1]);
    UiDriver ui;
    ui.WaitForDialog("Grade Options").Then([](UiDriver& d) {
        const HWND list = d.Item(kMethodList);
        SetFocus(list);
        for (int click = 0; click < 2; ++click) {
            SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
            SendMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        }
        EXPECT_EQ(d.ComboSelection(kMethodList), 0) << "1, then 2, then round to 0";
        d.Click(IDOK);
    });
    Show(ui);
    EXPECT_EQ(Stored(), kMethods[0]);
    EXPECT_EQ(GradeMessages(), 1) << "a step is a selection change";
    EXPECT_EQ(get_(), 0);
}

TEST_F(GradeOptionsTest, UnderscoreTwinsDoTheSame) {
    library_.Entry<void (*)(int)>("_optora_setgradeoption")(2);
    EXPECT_EQ(Stored(), kMethods[2]);
    EXPECT_EQ(library_.Entry<int (*)()>("_optora_getgradeoption")(), 2);
    UiDriver ui;
    ui.WaitForDialog("Grade Options").Then([](UiDriver& d) {
        EXPECT_FALSE(d.IsEnabled(kMethodList));
        d.Click(IDCANCEL);
    });
    auto twin = library_.Entry<void (*)(HWND, int)>("_optora_dogradeoptions");
    EXPECT_TRUE(ui.Run([&] { twin(nullptr, 1); })) << ui.Failure();
    EXPECT_EQ(GradeMessages(), 1);
}
