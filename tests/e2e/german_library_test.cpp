// The German language library against optora.dll: every resource is there, dialogs with the same
// controls (id, class, style) in the same order, menus with the same layout, and translated.
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>

#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"
#include "optora_library.h"
#include "other_process.h"
#include "ui_driver.h"

using namespace optora::test;

namespace {

const char* const kGerman = "..\\lang\\de\\optorares.dll";
// Stored data (precisions, the plot-file queue, "no media", grade methods)
// and names that read the same in German.
const std::set<UINT> kSameStrings = {1, 2, 3, 4, 26015, 26018, 27100, 27101, 27102};
const std::set<std::wstring> kSameTexts = {L"",    L"OK",   L"...",  L"&HPGL", L"D&XF",
                                           L"&3.3", L"4.&2", L"&4.3", L"Format"};

// Reads a resource as a sequence of words, texts and names or ordinals.
struct Reader {
    std::vector<uint8_t> bytes;
    size_t at = 0;

    Reader(HMODULE module, LPCSTR name, LPCSTR type) {
        const HRSRC found = FindResourceA(module, name, type);
        const auto* data = found ? static_cast<const uint8_t*>(LockResource(LoadResource(module, found))) : nullptr;
        if (data) bytes.assign(data, data + SizeofResource(module, found));
    }
    bool Left() const { return at < bytes.size(); }
    uint32_t Take(size_t size) {
        uint32_t value = 0;
        if (at + size <= bytes.size()) std::memcpy(&value, &bytes[at], size);
        at += size;
        return value;
    }
    std::wstring Text() {
        std::wstring text;
        for (wchar_t c; Left() && (c = static_cast<wchar_t>(Take(2))) != 0;) text += c;
        return text;
    }
    std::wstring NameOrOrdinal() {
        const uint32_t first = Take(2);
        if (first == 0xFFFF) return L"#" + std::to_wstring(Take(2));
        return first ? static_cast<wchar_t>(first) + Text() : std::wstring();
    }
};

// A dialog template, plain or extended: its texts (caption first) and a line
// of id, class and style per control.
std::pair<std::vector<std::wstring>, std::vector<std::string>> ParseDialog(Reader in) {
    const uint32_t head = in.Take(4);  // an extended template's version and signature, or the style
    const bool extended = (head >> 16) == 0xFFFF;
    in.at += extended ? 8 : 4;
    const uint32_t style = extended ? in.Take(4) : head, count = in.Take(2);
    in.at += 8;
    in.NameOrOrdinal();
    in.NameOrOrdinal();
    std::pair<std::vector<std::wstring>, std::vector<std::string>> dialog{{in.Text()}, {}};
    in.at += (style & DS_SETFONT) ? (extended ? 6 : 2) : 0;
    if (style & DS_SETFONT) in.Text();
    for (uint32_t i = 0; i < count && in.Left(); ++i) {
        in.at = ((in.at + 3) & ~size_t{3}) + (extended ? 8 : 0);
        const uint32_t controlStyle = in.Take(4);
        in.at += extended ? 8 : 12;
        const uint32_t id = in.Take(extended ? 4 : 2);
        const std::wstring cls = in.NameOrOrdinal();
        dialog.first.push_back(in.NameOrOrdinal());
        in.at += in.Take(2);
        std::ostringstream line;
        line << id << " " << std::string(cls.begin(), cls.end()) << " " << std::hex << controlStyle;
        dialog.second.push_back(line.str());
    }
    return dialog;
}

// A menu as one line per item: its depth, then "popup", "-" or its command.
std::string MenuItems(Reader& in, int depth) {
    std::string items;
    for (uint32_t flags = 0; !(flags & MF_END) && in.Left();) {
        flags = in.Take(2);
        const uint32_t id = (flags & MF_POPUP) ? 0 : in.Take(2);
        const bool separator = in.Text().empty() && !(flags & MF_POPUP) && id == 0;
        items += std::to_string(depth) + (flags & MF_POPUP ? " popup\n" : separator ? " -\n" : " " + std::to_string(id) + "\n");
        if (flags & MF_POPUP) items += MenuItems(in, depth + 1);
    }
    return items;
}

std::string ParseMenu(Reader in) {
    in.at = 4;  // a plain menu's header
    return MenuItems(in, 0);
}

// A string's text, empty when there is none.
std::wstring Text(HMODULE module, UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

using Listing = std::map<LPCSTR, std::vector<UINT>>;  // the library's resources by type; all have ids

BOOL CALLBACK ListName(HMODULE, LPCSTR type, LPSTR name, LONG_PTR listing) {
    if (IS_INTRESOURCE(name)) (*reinterpret_cast<Listing*>(listing))[type].push_back(LOWORD(name));
    return TRUE;
}

BOOL CALLBACK ListType(HMODULE module, LPSTR type, LONG_PTR listing) {
    if (IS_INTRESOURCE(type) && type != RT_MANIFEST) EnumResourceNamesA(module, type, &ListName, listing);
    return TRUE;
}

// A library beside the test program loaded as data, and its resources.
std::pair<HMODULE, Listing> LoadListed(const char* file) {
    const HMODULE module = LoadLibraryExA(BesideTestProgram(file).c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    Listing listing;
    EnumResourceTypesA(module, &ListType, reinterpret_cast<LONG_PTR>(&listing));
    return {module, listing};
}

class GermanLibraryTest : public KestrelTest {};

// Texts a dialog shows in place of its template's: by dialog, control and string.
const struct { UINT dialog, control; std::vector<UINT> strings; } kRunTimeTexts[] = {
    {103, 26032, {26025, 26027}}, {103, 26033, {26021, 26023}}, {120, 28014, {28017, 28018}}};

// The key a text's "&" marks ("&&" is a plain "&"), upper case; 0 for none.
wchar_t AccessKey(const std::wstring& text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return static_cast<wchar_t>(towupper(text[i + 1]));
        ++i;
    }
    return 0;
}

// Every check box, radio button and push button but OK, Cancel and "..." has
// an access key, and every label right before its field (a static is no tab
// stop: its key moves to the next control); no other label has one, and no
// key is given twice, whichever run-time text a control shows. Fields, check
// boxes and the first radio button of a group are tab stops.
std::string AccessKeyFaults(HMODULE module, UINT dialogId) {
    const auto [texts, lines] = ParseDialog(Reader(module, MAKEINTRESOURCEA(dialogId), RT_DIALOG));
    std::ostringstream faults;
    struct Control { UINT id = 0, style = 0; std::string cls; };
    std::vector<Control> controls(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        std::istringstream(lines[i]) >> controls[i].id >> controls[i].cls >> std::hex >> controls[i].style;
        // A class named in the template is the same class as its ordinal.
        for (const auto& [name, ordinal] : {std::pair{"button", "#128"}, {"edit", "#129"}, {"static", "#130"},
                                            {"combobox", "#133"}})
            if (_stricmp(controls[i].cls.c_str(), name) == 0) controls[i].cls = ordinal;
    }
    std::map<wchar_t, std::set<UINT>> owners;
    for (size_t i = 0; i < controls.size(); ++i) {
        const auto& [id, style, cls] = controls[i];
        const std::string nextClass = i + 1 < controls.size() ? controls[i + 1].cls : "";
        const UINT kind = style & BS_TYPEMASK;
        const bool button = cls == "#128" && kind != BS_GROUPBOX && id != IDOK && id != IDCANCEL && texts[i + 1] != L"...";
        const bool label = cls == "#130" && (nextClass == "#129" || nextClass == "#133");
        const bool field = cls == "#129" || cls == "#133" || (cls == "#128" && (kind == BS_AUTOCHECKBOX ||
                                                                                 kind == BS_CHECKBOX));
        const bool groupStart = cls == "#128" && kind == BS_AUTORADIOBUTTON && (style & WS_GROUP);
        if ((field || groupStart) && !(style & WS_TABSTOP)) faults << dialogId << ":" << id << " is no tab stop\n";
        std::vector<std::wstring> shown = {texts[i + 1]};
        for (const auto& runTime : kRunTimeTexts)
            if (runTime.dialog == dialogId && runTime.control == id)
                for (UINT string : runTime.strings) shown.push_back(Text(module, string));
        for (const std::wstring& text : shown) {
            const wchar_t key = AccessKey(text);
            if ((button || label) && !key) faults << dialogId << ":" << id << " has no access key\n";
            if (!button && !label && key) faults << dialogId << ":" << id << " has a key that leads elsewhere\n";
            if (key) owners[key].insert(id);
        }
    }
    for (const auto& [key, ids] : owners)
        if (ids.size() > 1) faults << dialogId << ": key " << char(key) << " given " << ids.size() << " times\n";
    return faults.str();
}

TEST_F(GermanLibraryTest, HoldsEveryResourceOfTheLibraryInTheSameShapeTranslated) {
    auto [base, listing] = LoadListed("optora.dll");
    const HMODULE german = LoadListed(kGerman).first;
    ASSERT_TRUE(base && german) << GetLastError();
    ASSERT_GT(listing[RT_DIALOG].size() * listing[RT_STRING].size() * listing[RT_MENU].size(), 0u);
    std::ostringstream faults;
    for (const auto& [type, ids] : listing) {
        for (UINT id : ids) {
            const LPCSTR name = MAKEINTRESOURCEA(id);
            const std::string what = "type " + std::to_string(LOWORD(type)) + " #" + std::to_string(id);
            Reader own(base, name, type), translated(german, name, type);
            if (!FindResourceA(german, name, type)) faults << what << " missing\n";
            if (type == RT_MENU && ParseMenu(own) != ParseMenu(translated)) faults << what << " menu differs\n";
            for (UINT text = (id - 1) * 16; type == RT_STRING && text < id * 16; ++text) {
                const std::wstring english = Text(base, text), deutsch = Text(german, text);
                if (!english.empty() && deutsch.empty()) faults << "string " << text << " missing\n";
                if (!english.empty() && deutsch == english && !kSameStrings.count(text))
                    faults << "string " << text << " untranslated\n";
            }
            if (type != RT_DIALOG) continue;
            const auto english = ParseDialog(own), deutsch = ParseDialog(translated);
            if (english.second != deutsch.second) faults << what << " controls differ\n";
            for (size_t i = 0; i < english.first.size() && i < deutsch.first.size(); ++i)
                if (english.first[i] == deutsch.first[i] && !kSameTexts.count(english.first[i]))
                    faults << what << " text " << i << " untranslated\n";
        }
    }
    // Callers have always found these in a language library, the amount prompts at the framework's ids.
    for (UINT id : {100u, 102u, 103u, 106u, 0xF111u, 0xF113u})
        if (Text(german, id).empty()) faults << "string " << id << " missing\n";
    if (!FindResourceA(german, MAKEINTRESOURCEA(130), RT_MENU)) faults << "menu 130 missing\n";
    EXPECT_EQ(faults.str(), "");
}

TEST_F(GermanLibraryTest, EveryDialogIsWorkedByKeysInBothLanguages) {
    std::string faults;
    for (const char* file : {"optora.dll", kGerman}) {
        auto [module, listing] = LoadListed(file);
        ASSERT_TRUE(module) << file;
        EXPECT_EQ(listing[RT_DIALOG].size(), 6u) << file;
        for (UINT dialog : listing[RT_DIALOG]) faults += AccessKeyFaults(module, dialog);
    }
    EXPECT_EQ(faults, "");
}

// At 150 % (LogPixels 144, put back afterwards) no text is cut off, in either language.
TEST_F(GermanLibraryTest, AtOneHundredFortyFourDotsPerInchEveryTextFits) {
    constexpr const char* kDesktop = "Control Panel\\Desktop";
    const std::optional<StoredValue> before = ReadStored(kDesktop, "LogPixels");
    const DWORD dpi = 144;
    StoreRaw(kDesktop, "LogPixels", REG_DWORD, &dpi, sizeof dpi);
    std::string shown;
    for (const char* library : {"optora.dll", kGerman}) {
        const std::string out = (std::filesystem::temp_directory_path() / "dpi_probe.out").string();
        {
            const Process probe(Beside("dpi_probe.exe", "\"" + BesideTestProgram(library) + "\""), out);
            EXPECT_EQ(probe.Wait(), 0u) << library;
        }
        std::ifstream in(out);
        shown += std::string(std::istreambuf_iterator<char>(in), {});
    }
    if (before) StoreRaw(kDesktop, "LogPixels", before->type, before->bytes.data(), DWORD(before->bytes.size()));
    else RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
    EXPECT_EQ(shown, "dpi 144\ndpi 144\n");
}

// Copied beside optora.dll it is taken up silently (its product version is
// the library's) and the dialogs are German. One that lacks templates and
// strings, or holds one that cannot be created, still shows every dialog,
// from the library's own.
TEST_F(GermanLibraryTest, BesideTheLibraryItsDialogsAreShown) {
    using Launch = std::function<void(OptoraLibrary&)>;
    const auto plain = [](const char* name) { return [name](OptoraLibrary& l) { l.Entry<void (*)(HWND)>(name)(nullptr); }; };
    const std::vector<std::pair<const char*, Launch>> english = {
        {"Preference", plain("optora_dopreferences_noarea")},
        {"Grade Options", [](OptoraLibrary& l) { l.Entry<void (*)(HWND, int)>("optora_dogradeoptions")(nullptr, 0); }},
        {"Default Cut Options", plain("optora_docutoptions")},
        {"Default Plot Options", plain("_optora_doplotoptions")},
        {"Order Options", [](OptoraLibrary& l) { l.Entry<void (*)(HWND, unsigned)>("optora_doorderoptions")(nullptr, 1); }},
        {"Digitize Processing Options", plain("optora_doverifyoptions")}};
    const std::pair<const char*, std::vector<std::pair<const char*, Launch>>> runs[] = {
        {kGerman, {{"Voreinstellungen", plain("optora_dopreferences_noarea")}}}, {"language_same.dll", english}};
    for (const auto& [language, dialogs] : runs) {
        const std::string dir = std::string("c:\\optora-") + (language == kGerman ? "german" : "same") + "\\";
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
        for (const char* file : {"optora.dll", "stordb.dll"}) PutFile(dir + file, BesideTestProgram(file));
        PutFile(dir + "optorares.dll", BesideTestProgram(language));
        OptoraLibrary library(dir + "optora.dll");
        ASSERT_TRUE(library.Loaded());
        const auto notation = library.Entry<int (*)()>("optora_getnotation");  // the first call starts it up
        const auto shown = AnswerMessageBoxes([&] { notation(); });
        EXPECT_TRUE(shown.empty()) << shown[0].text;
        for (const auto& [caption, launch] : dialogs) {
            UiDriver ui;
            ui.WaitForDialog(caption).Then([](UiDriver& d) {
                if (GetDlgItem(d.Dialog(), 28008)) {
                    EXPECT_EQ(d.ComboItems(28008), (std::vector<std::string>{"Rule Table", "Copy Piece"}));
                }
                d.Click(IDCANCEL);
            });
            EXPECT_TRUE(ui.Run([&] { launch(library); })) << language << ": " << ui.Failure();
        }
    }
}

}  // namespace
