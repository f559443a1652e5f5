#pragma once

namespace optora::cli {

// `optora-cli policy`: every value a policy source sets, one block each, with
// what it does: where it is, its source, the value as set, what the library
// reads for the value it sets, the user's own stored value beneath it, and
// whether it applies (and if not, why). Returns the exit code.
int ReportPolicy();

}  // namespace optora::cli
