#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "options/settings_table.h"

namespace optora::test {

// What Group Policy writes, where it writes it: `path` is the key below
// Software\Policies\Kestrel (and below its "Recommended" for a recommended
// one), e.g. "Arbor\\CutOptions".
struct PolicyPlace {
    bool machine;
    bool recommended;
    std::string path;
};
void SetPolicy(const PolicyPlace& place, const char* name, DWORD type, const std::string& data);
void SetPolicyDword(const PolicyPlace& place, const char* name, DWORD value);
void SetPolicyText(const PolicyPlace& place, const char* name, const std::string& text);
void RemovePolicy(const PolicyPlace& place, const char* name);
// A machine's mandatory policy on every value the templates offer, as the
// policy editor writes it, each picked unlike the library's default (and an
// existing storage area, "C:POLICY", with rule table and piece "POL"): what
// was picked, as a REG_DWORD's number or the text.
std::map<const OwnedValue*, std::string> SetEveryOfferedPolicy();
// Both hives' policy trees gone, as on a workstation no administrator manages.
void ClearPolicies();

}  // namespace optora::test
