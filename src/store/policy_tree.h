#pragma once
#include <vector>

#include "store/policy_entry.h"

namespace optora {

// Every value under Software\Policies\Kestrel of the machine and of the user,
// machine first; nothing when neither key exists. Values larger than any the
// library takes and keys nested deeper than any it owns are left out.
std::vector<PolicyEntry> ReadPolicyTrees();

}  // namespace optora
