#!/usr/bin/env bash
# Counts code lines as the project's budget does: non-blank lines that are
# not only a // comment, in the .cpp and .h files under src/ and tests/.
# The tests may be at most half of src/.
set -euo pipefail
cd "$(dirname -- "${BASH_SOURCE[0]}")/.."
count() { find "$1" \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | grep -cvE '^\s*(//.*)?$'; }
src=$(count src)
tests=$(count tests)
printf 'code lines: src %d, tests %d (tests are %d%% of src; the budget is 50%%)\n' "$src" "$tests" $((100 * tests / src))
