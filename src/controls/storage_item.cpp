#include "controls/storage_item.h"

#include <cstring>

#include "programs/command_line.h"

namespace optora {
namespace {

struct TypeBit {
    uint32_t bit;
    StorageItemType type;
};

// The order is the suite's: 0x100 is tested after 0x400, and 0x100000 names
// nothing of its own.
constexpr TypeBit kTypes[] = {
    {0x1, {0, "Alteration"}},   {0x2, {1, "Annotation"}},   {0x4, {2, "blockbuff"}},    {0x8, {3, ""}},
    {0x20, {5, "LayLimit"}},    {0x40, {6, ""}},            {0x200, {9, "matching"}},   {0x400, {10, "Model"}},
    {0x100, {8, "wvlr"}},       {0x800, {11, "Order"}},     {0x1000, {12, "cutgenpt"}}, {0x2000, {13, "LaySearch"}},
    {0x4000, {14, "markplotpt"}}, {0x8000, {15, "Notch"}},  {0x10000, {16, "pieceplotpt"}},
    {0x20000, {17, "userenv"}}, {0x40000, {18, "wstdpce"}}, {0x80000, {19, "wstdpls"}}, {0x100000, {20, nullptr}},
    {0x200000, {21, "wstdrtb"}}, {0x400000, {22, "sizecode"}},
};

}  // namespace

std::optional<StorageItemType> StorageItemTypeOf(uint32_t typeFlags) {
    for (const TypeBit& type : kTypes)
        if (typeFlags & type.bit) return type.type;
    return std::nullopt;
}

std::string_view ItemEditorName(std::string_view typeName) { return typeName == "wvlr" ? "velor.exe" : typeName; }

std::optional<std::string> EditItemCommand(std::string_view typeName, std::string_view program, const ItemPlace& place,
                                           std::string_view name, intptr_t window) {
    CommandLine line(program);
    const std::string id = std::to_string(window);
    if (typeName == "wvlr")
        line.Add(" -W" + id + " " + place.device + " " + place.area + " ").Add(name);
    else if (typeName.substr(0, 4) == "wstd")
        line.Add(" " + place.device + " " + place.area + " p-user-environ ").Quoted(name).Add(" NULL");
    else
        line.Add(" -D" + place.device + " -S" + place.area + " -I").Quoted(name).Add(" -W" + id);
    return line.Text();
}

std::optional<std::string> MarlowCommand(std::string_view marlow, const ItemPlace& place, std::string_view name,
                                         bool model, bool addNew, bool addOptions) {
    CommandLine line(marlow);
    line.Add(" /D" + place.device + " /A" + place.area + (model ? " /M" : " /P")).Quoted(name);
    if (addNew) line.Add(" /N");
    if (addOptions) line.Add(" /O");
    return line.Text();
}

std::optional<std::string> ModelDisplayCommand(std::string_view formlook, const ItemPlace& place, std::string_view name,
                                               bool pieces) {
    return CommandLine(formlook).Add(" " + place.device + " " + place.area + (pieces ? " -p " : " ")).Quoted(name).Text();
}

std::optional<std::string> PlotViewerCommand(std::string_view glance, const ItemPlace& place, std::string_view name) {
    return CommandLine(glance).Add(" -p" + place.device + ";" + place.area + ";").Quoted(name).Text();
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n\v\f");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::optional<SavedItem> ReadSavedNotice(const void* data, std::size_t size) {
    if (!data || size == 0 || size > kSavedNoticeLimit) return std::nullopt;
    const char* bytes = static_cast<const char*>(data);
    const void* terminator = std::memchr(bytes, '\0', size);
    if (!terminator) return std::nullopt;
    const std::string_view text(bytes, static_cast<std::size_t>(static_cast<const char*>(terminator) - bytes));
    // A name with control bytes (line breaks, tabs) names no item an editor saved.
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::nullopt;
    const std::size_t first = text.find('\\');
    const std::size_t second = first == std::string_view::npos ? first : text.find('\\', first + 1);
    if (second == std::string_view::npos || second + 1 == text.size()) return std::nullopt;
    SavedItem item;
    item.place.device = std::string(text.substr(0, first));
    item.place.area = std::string(text.substr(first + 1, second - first - 1));
    item.name = std::string(text.substr(second + 1));
    return item;
}

}  // namespace optora
