#pragma once
#include <string>
#include <string_view>

namespace optora {

// A storage-area designation is a drive part up to and including the first
// colon, then an area name: "C:DATA70" is the directory
// "C:\userroot\storage\DATA70", its items lie below "...\DATA70\data\".
inline constexpr const char* kDefaultStorageArea = "C:DATA70";

// The directory of a designation (with "\data\" appended when asked), or the
// empty text when the designation has no drive part. Case and blanks are kept.
std::string StorageAreaPath(std::string_view designation, bool dataDirectory);

// A designation's drive part (with its colon) and area name; both empty when
// it has no drive part, as StorageAreaPath finds it.
struct Designation {
    std::string drive;
    std::string area;
};
Designation SplitDesignation(std::string_view designation);

// The kinds of item whose presence the digitize options check.
struct ItemKind {
    const char* controlFile;
    const char* dataFilePattern;
    int code;
};
inline constexpr ItemKind kRuleTableKind = {"rutab.ctl", "rutab%c%c%c.rtb", 23};
inline constexpr ItemKind kPieceKind = {"piece.ctl", "piece%c%c%c.pce", 20};

}  // namespace optora
