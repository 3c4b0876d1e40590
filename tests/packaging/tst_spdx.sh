#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tst_spdx.sh SOURCE: every source file of the checkout names its licence; and
# tools/add-spdx.sh, which writes that line, puts it where it belongs, only in source files, and
# only once.
set -euo pipefail
source=$1
script=$source/tools/add-spdx.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
line="SPDX-License-Identifier: GPL-3.0-or-later"
failures=0
fail() { echo "FAIL: $*" >&2 && failures=$((failures + 1)); }

bash "$script" --check "$source" || fail "the files listed above lack the licence line"

# A tree with each kind of file: sources to mark, sources already marked, data and build output.
tree=$work/tree
mkdir -p "$tree"/{src,tools,.ci,data,build,.git}
printf '#pragma once\n' >"$tree/src/a.h"
: >"$tree/src/empty.cpp"
printf '// SPDX-License-Identifier: MIT\nint x;\n' >"$tree/src/other.cpp"
printf '// %s\nint w;\n' "$line" >"$tree/src/done.cpp"
printf 'add_subdirectory(src)\n' >"$tree/CMakeLists.txt"
printf '#!/usr/bin/env bash\necho\n' >"$tree/tools/a.sh"
printf '#!/bin/sh\nexit 0' >"$tree/.ci/run"
chmod 755 "$tree/tools/a.sh" "$tree/.ci/run"
printf '#!x\n' >"$tree/data/seed.txt"
printf 'seed\n' >"$tree/data/seed"
: >"$tree/build/CMakeCache.txt"
printf 'int y;\n' >"$tree/build/gen.cpp"
printf 'int z;\n' >"$tree/.git/hook.cpp"
snapshot() { (cd "$tree" && find . -type f -printf '%m ' -exec md5sum {} \; | sort); }
before=$(snapshot)

listed=$(bash "$script" --check "$tree" 2>/dev/null | sort || true)
[ "$listed" = "$(printf '%s\n' .ci/run CMakeLists.txt src/a.h src/empty.cpp src/other.cpp \
    tools/a.sh | sort)" ] || fail "--check lists: $listed"
[ "$(snapshot)" = "$before" ] || fail "--check changed the tree"

bash "$script" "$tree" 2>/dev/null
# expect FILE BYTES: the file as the script leaves it (BYTES with printf's escapes).
expect() { cmp -s <(printf '%b' "$2") "$tree/$1" || fail "$1 reads: $(cat -A "$tree/$1")"; }
expect src/a.h "// $line\n#pragma once\n"
expect src/empty.cpp "// $line\n"
expect src/other.cpp '// SPDX-License-Identifier: MIT\nint x;\n'
expect src/done.cpp "// $line\nint w;\n"
expect CMakeLists.txt "# $line\nadd_subdirectory(src)\n"
expect tools/a.sh "#!/usr/bin/env bash\n# $line\necho\n"
expect .ci/run "#!/bin/sh\n# $line\nexit 0"
expect data/seed.txt '#!x\n'
expect data/seed 'seed\n'
expect build/gen.cpp 'int y;\n'
expect .git/hook.cpp 'int z;\n'
[ "$(stat -c %a "$tree/tools/a.sh" "$tree/.ci/run")" = $'755\n755' ] || fail "scripts lost their mode"

after=$(snapshot)
bash "$script" "$tree" 2>/dev/null
[ "$(snapshot)" = "$after" ] || fail "a second run changed the tree"
[ "$(bash "$script" --check "$tree" 2>/dev/null || true)" = src/other.cpp ] ||
    fail "after the script, --check lists more than the file with another licence"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2 && exit 1; }
