// devadod.dll: stand-in for the suite's chooser of storage areas and their
// items, which this machine does not have. Both calls take one FileChoice
// record (src/controls/file_choice.h), show a modal chooser owned by the
// record's owner window, and return non-zero when the user chose, 0 when
// the user cancelled or the record is not one this chooser knows (its two
// size fields differ from this build's layout).
//
// What it offers, by the kind mask in open.Flags (the first bit that is set,
// in this order):
// - 0x40000000 storage areas: those of the device (the directories under
//   "<drive>:\userroot\storage\" holding "data" and "param", as stordb.dll
//   finds them); the choice is written into the device ("C:") and area
//   buffers, the result buffer is left alone;
// - 0x400 models ("data\model.ctl"), 0x40000 pieces ("data\piece.ctl"),
//   0x200000 rule tables ("data\rutab.ctl"), any other bit parameter tables
//   ("param\usrpt.ctl"): the items the area's control file lists, read as
//   stordb.dll reads it. The chosen names go into the result buffer, each
//   zero-terminated, ended by an empty text; names that would not fit in
//   nMaxFile bytes are left out, and when none fits the call returns 0.
//   Device and area are written back as the area the items came from.
// With 0x200 in extraFlags several items may be chosen, otherwise one. With
// 0x80000000 in the kind mask the chooser stays in the given storage area
// when it exists. The chooser starts on the given device and area, and on
// the item named by the start text. A non-empty title is its caption.
//
// Texts are read bounded by their buffers (260 bytes, the title and the
// extra text 128) and written cut to them; nothing else is written.
//
// With the environment variable OPTORA_DEVADOD_LOG naming a file, each call
// first appends one line describing the record it received: tab-separated
// key=value pairs (see devadod.cpp), for tests to check what optora passed.
#pragma once

struct FileChoice;

extern "C" {
int DevaDod_GetFileName(FileChoice* record);
int DevaDod_GetFileNameEx(FileChoice* record);
}
