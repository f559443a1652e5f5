#!/usr/bin/env bash
# scripts/check-layers on a tiny tree of its own: an include that runs upward
# fails it and is named; the same tree with the include turned downward passes.
set -euo pipefail
check=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/scripts/check-layers
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree/src/ui" "$tree/src/store"
printf '## Layout\n\n| folder | what |\n|---|---|\n| `src/ui/` | top |\n| `src/store/` | below |\n\n## Next\n' >"$tree/README.md"
printf '#include "store/y.h"\n' >"$tree/src/ui/x.h"
printf '#include "store/z.h"\n#include "ui/x.h"\n' >"$tree/src/store/y.cpp"
if out=$("$check" "$tree"); then
  echo "check-layers passed a tree where src/store includes src/ui"; exit 1
fi
[ "$out" = "src/store/y.cpp:2: store includes ui, a floor above it" ] || { echo "unexpected: $out"; exit 1; }
printf '#include "store/z.h"\n' >"$tree/src/store/y.cpp"
"$check" "$tree"
# An entry point called from a lower floor fails it too; a comment naming one does not.
printf '// optora_getcutoptions() is the getter\nvoid Load() { optora_getcutoptions(); }\n' >"$tree/src/ui/z.cpp"
if "$check" "$tree" >/dev/null; then echo "check-layers passed a call of an entry point from src/ui"; exit 1; fi
printf '// optora_getcutoptions() is the getter\n' >"$tree/src/ui/z.cpp"
"$check" "$tree"
