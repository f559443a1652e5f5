#pragma once
#include <cstdlib>

// A broken promise stops the run, so that libFuzzer keeps the input.
inline void Check(bool condition) { if (!condition) std::abort(); }
