// The German language library against optora.dll: every resource of the
// library is there, with the same control ids, styles and order in each
// dialog, the same menu layout, the same product version, and translated
// (an unchanged text only where it is data or needs no translation).
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "install_location.h"
#include "kestrel_test.h"
#include "message_boxes.h"
#include "optora_library.h"
#include "ui_driver.h"

using namespace optora::test;

namespace {

constexpr DWORD kAsData = LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE;
const char* const kGerman = "..\\lang\\de\\optorares.dll";

// Stored data and names kept as they are in every language.
const std::set<UINT> kSameStrings = {1, 2, 3, 4, 26015, 26018, 27100, 27101, 27102};
const std::set<std::wstring> kSameControlTexts = {L"", L"OK", L"...", L"HPGL", L"DXF", L"ASTM",
                                                  L"3.3", L"4.2", L"4.3", L"Format"};

std::vector<uint8_t> Resource(HMODULE module, LPCSTR name, LPCSTR type) {
    HRSRC found = FindResourceA(module, name, type);
    if (!found) return {};
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    return data ? std::vector<uint8_t>(data, data + SizeofResource(module, found)) : std::vector<uint8_t>{};
}

class Reader {
public:
    explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
    uint16_t Word() { return Take<uint16_t>(); }
    uint32_t Dword() { return Take<uint32_t>(); }
    void Skip(size_t n) { at_ += n; }
    void AlignDword() { at_ = (at_ + 3) & ~size_t{3}; }
    bool Left() const { return at_ < bytes_.size(); }
    std::wstring Text() {
        std::wstring text;
        for (wchar_t c; Left() && (c = static_cast<wchar_t>(Word())) != 0;) text += c;
        return text;
    }
    // A name or an ordinal ("#n").
    std::wstring NameOrOrdinal() {
        if (at_ + 2 <= bytes_.size() && bytes_[at_] == 0xFF && bytes_[at_ + 1] == 0xFF) {
            Skip(2);
            return L"#" + std::to_wstring(Word());
        }
        return Text();
    }

private:
    template <typename T>
    T Take() {
        T value = 0;
        if (at_ + sizeof(T) <= bytes_.size()) std::memcpy(&value, &bytes_[at_], sizeof(T));
        at_ += sizeof(T);
        return value;
    }
    const std::vector<uint8_t>& bytes_;
    size_t at_ = 0;
};

// A dialog template (plain or extended) as its caption, its control texts
// and a line per control: id, class and style.
struct Dialog {
    std::wstring caption;
    std::vector<std::wstring> texts;
    std::vector<std::string> controls;
};

Dialog ParseDialog(const std::vector<uint8_t>& bytes) {
    Reader in(bytes);
    const bool extended = bytes.size() > 4 && bytes[2] == 0xFF && bytes[3] == 0xFF;
    uint32_t style = 0;
    if (extended) {
        in.Skip(8);  // version, signature, help id
        in.Skip(4);
        style = in.Dword();
    } else {
        style = in.Dword();
        in.Skip(4);
    }
    const uint16_t count = in.Word();
    in.Skip(8);
    in.NameOrOrdinal();
    in.NameOrOrdinal();
    Dialog dialog{in.Text(), {}, {}};
    if (style & DS_SETFONT) {
        in.Skip(extended ? 6 : 2);
        in.Text();
    }
    for (uint16_t i = 0; i < count && in.Left(); ++i) {
        in.AlignDword();
        if (extended) in.Skip(8);  // help id, extended style
        const uint32_t controlStyle = in.Dword();
        if (!extended) in.Skip(4);
        in.Skip(8);
        const uint32_t id = extended ? in.Dword() : in.Word();
        const std::wstring cls = in.NameOrOrdinal();
        dialog.texts.push_back(in.NameOrOrdinal());
        in.Skip(in.Word());
        std::ostringstream line;
        line << id << " " << std::string(cls.begin(), cls.end()) << " " << std::hex << controlStyle;
        dialog.controls.push_back(line.str());
    }
    return dialog;
}

// A menu as one line per item: depth, then "popup", "-" or the command id.
void ParseMenuItems(Reader& in, int depth, std::vector<std::string>& out) {
    for (uint16_t flags = 0; !(flags & MF_END) && in.Left();) {
        flags = in.Word();
        const uint16_t id = (flags & MF_POPUP) ? 0 : in.Word();
        const bool separator = in.Text().empty() && !(flags & MF_POPUP) && id == 0;
        out.push_back(std::to_string(depth) + ((flags & MF_POPUP) ? " popup" : separator ? " -" : " " + std::to_string(id)));
        if (flags & MF_POPUP) ParseMenuItems(in, depth + 1, out);
    }
}

std::vector<std::string> ParseMenu(const std::vector<uint8_t>& bytes) {
    Reader in(bytes);
    if (in.Word() != 0) return {"not a plain menu"};
    in.Skip(in.Word());
    std::vector<std::string> items;
    ParseMenuItems(in, 0, items);
    return items;
}

std::pair<uint32_t, uint32_t> ProductVersion(const std::vector<uint8_t>& bytes) {
    for (size_t at = 0; at + 24 <= bytes.size(); at += 4) {
        uint32_t word[6];
        std::memcpy(word, &bytes[at], sizeof word);
        if (word[0] == 0xFEEF04BD) return {word[4], word[5]};
    }
    return {0, 0};
}

// Every non-empty string of a module by id.
std::map<UINT, std::wstring> Strings(HMODULE module, const std::vector<UINT>& blocks) {
    std::map<UINT, std::wstring> strings;
    for (UINT block : blocks) {
        const std::vector<uint8_t> bytes = Resource(module, MAKEINTRESOURCEA(block), RT_STRING);
        Reader in(bytes);
        for (UINT i = 0; i < 16 && in.Left(); ++i) {
            std::wstring text(in.Word(), L'\0');
            for (wchar_t& c : text) c = static_cast<wchar_t>(in.Word());
            if (!text.empty()) strings[(block - 1) * 16 + i] = text;
        }
    }
    return strings;
}

struct Listing {
    std::map<ULONG_PTR, std::vector<std::string>> names;  // by type; "#n" or the name
};

BOOL CALLBACK ListName(HMODULE, LPCSTR type, LPSTR name, LONG_PTR listing) {
    auto& names = reinterpret_cast<Listing*>(listing)->names[reinterpret_cast<ULONG_PTR>(type)];
    names.push_back(IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

BOOL CALLBACK ListType(HMODULE module, LPSTR type, LONG_PTR listing) {
    if (IS_INTRESOURCE(type)) EnumResourceNamesA(module, type, &ListName, listing);
    return TRUE;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

class GermanLibraryTest : public KestrelTest {};

TEST_F(GermanLibraryTest, HoldsEveryResourceOfTheLibraryInTheSameShapeTranslated) {
    HMODULE base = LoadLibraryExA(BesideTestProgram("optora.dll").c_str(), nullptr, kAsData);
    HMODULE german = LoadLibraryExA(BesideTestProgram(kGerman).c_str(), nullptr, kAsData);
    ASSERT_TRUE(base && german) << GetLastError();

    Listing listing;
    EnumResourceTypesA(base, &ListType, reinterpret_cast<LONG_PTR>(&listing));
    ASSERT_FALSE(listing.names[reinterpret_cast<ULONG_PTR>(RT_DIALOG)].empty());
    std::vector<std::string> faults;
    std::vector<UINT> blocks;
    for (const auto& [type, names] : listing.names) {
        const LPCSTR typeId = reinterpret_cast<LPCSTR>(type);
        for (const std::string& name : names) {
            const LPCSTR nameId = name[0] == '#' ? MAKEINTRESOURCEA(std::stoul(name.substr(1))) : name.c_str();
            const std::string what = "type " + std::to_string(type) + " " + name;
            const std::vector<uint8_t> own = Resource(base, nameId, typeId), translated = Resource(german, nameId, typeId);
            if (typeId == RT_MANIFEST) continue;  // the loader's, not looked up through the library
            if (translated.empty()) faults.push_back(what + " missing");
            if (typeId == RT_STRING) blocks.push_back(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(nameId)));
            if (typeId == RT_MENU && ParseMenu(own) != ParseMenu(translated)) faults.push_back(what + " menu differs");
            if (typeId == RT_VERSION && ProductVersion(own) != ProductVersion(translated))
                faults.push_back(what + " product version differs");
            if (typeId != RT_DIALOG || translated.empty()) continue;
            const Dialog english = ParseDialog(own), deutsch = ParseDialog(translated);
            if (english.controls != deutsch.controls) faults.push_back(what + " controls differ");
            if (deutsch.caption == english.caption) faults.push_back(what + " caption untranslated");
            for (size_t i = 0; i < english.texts.size() && i < deutsch.texts.size(); ++i)
                if (english.texts[i] == deutsch.texts[i] && !kSameControlTexts.count(english.texts[i]))
                    faults.push_back(what + " control " + english.controls[i] + " untranslated");
        }
    }
    const auto englishStrings = Strings(base, blocks);
    const auto germanStrings = Strings(german, blocks);
    for (const auto& [id, text] : englishStrings) {
        const auto found = germanStrings.find(id);
        if (found == germanStrings.end()) faults.push_back("string " + std::to_string(id) + " missing");
        else if (found->second == text && !kSameStrings.count(id))
            faults.push_back("string " + std::to_string(id) + " untranslated: " + Narrow(text));
    }
    for (UINT id : {100u, 102u, 103u, 106u})
        if (!germanStrings.count(id)) faults.push_back("string " + std::to_string(id) + " missing");
    if (Resource(german, MAKEINTRESOURCEA(130), RT_MENU).empty()) faults.push_back("menu 130 missing");

    std::ostringstream all;
    for (const std::string& fault : faults) all << fault << "\n";
    EXPECT_TRUE(faults.empty()) << all.str();
    EXPECT_GT(englishStrings.size(), 40u);
    FreeLibrary(german);
    FreeLibrary(base);
}

// Copied beside optora.dll it is taken up silently and the dialogs are German.
TEST_F(GermanLibraryTest, BesideTheLibraryItsDialogsAreShown) {
    const std::string dir = "c:\\optora-german\\";
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    for (const char* file : {"optora.dll", "stordb.dll"}) PutFile(dir + file, BesideTestProgram(file));
    PutFile(dir + "optorares.dll", BesideTestProgram(kGerman));
    OptoraLibrary library(dir + "optora.dll");
    ASSERT_TRUE(library.Loaded());
    // The first call starts the library up: nothing to tell about the language library.
    const auto notation = library.Entry<int (*)()>("optora_getnotation");
    const auto shown = AnswerMessageBoxes([&] { notation(); });
    EXPECT_TRUE(shown.empty()) << shown[0].text;
    const auto show = library.Entry<void (*)(HWND)>("optora_dopreferences_noarea");
    UiDriver ui;
    ui.WaitForDialog("Voreinstellungen").Then([](UiDriver& d) { d.Click(IDCANCEL); });
    EXPECT_TRUE(ui.Run([&] { show(nullptr); })) << ui.Failure();
}

}  // namespace
