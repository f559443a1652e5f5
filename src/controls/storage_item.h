#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace optora {

// The kind of item a storage-area field holds, picked by one bit of its type
// flags; the name is also the program that edits such items.
struct StorageItemType {
    int index;         // the bit's number, which the chooser takes as its filter index
    const char* name;  // null: the bit keeps the name the field had
};

// The first type whose bit is set, in the suite's fixed order; none when no
// type bit is set.
std::optional<StorageItemType> StorageItemTypeOf(uint32_t typeFlags);

// The program that edits items of a type: velor.exe for "wvlr", else the
// type's own name.
std::string_view ItemEditorName(std::string_view typeName);

// Where an item lies.
struct ItemPlace {
    std::string device;  // "C:"
    std::string area;    // "DATA70"
};

// Command lines of the sibling programs that open or show an item. The
// program path comes first, quoted; typed texts are arguments, never part of
// a format. None when nothing should start: no program, a quoted text that
// holds a quote (it would end the argument early and add others), or a line
// past what a process may be started with.
std::optional<std::string> EditItemCommand(std::string_view typeName, std::string_view program, const ItemPlace& place,
                                           std::string_view name, intptr_t window);
std::optional<std::string> MarlowCommand(std::string_view marlow, const ItemPlace& place, std::string_view name,
                                         bool model, bool addNew, bool addOptions);
std::optional<std::string> ModelDisplayCommand(std::string_view formlook, const ItemPlace& place, std::string_view name,
                                               bool pieces);
std::optional<std::string> PlotViewerCommand(std::string_view glance, const ItemPlace& place, std::string_view name);

std::string_view WithoutLeadingBlanks(std::string_view text);

// What an editor tells about an item it saved: "device\area\name". The block
// comes from another process: it is read within its size only, and refused
// when it is empty, larger than kSavedNoticeLimit, has no terminator inside,
// holds a control byte (below 0x20, or 0x7F), or lacks either separator or
// the name.
struct SavedItem {
    ItemPlace place;
    std::string name;
};
constexpr std::size_t kSavedNoticeLimit = 1024;
std::optional<SavedItem> ReadSavedNotice(const void* data, std::size_t size);

}  // namespace optora
