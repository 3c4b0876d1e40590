#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# add-spdx.sh [--check] [ROOT]: gives every source file under ROOT (this checkout by default)
# the comment "SPDX-License-Identifier: GPL-3.0-or-later" as its first line, or its second
# after a "#!" line. A file that has it is left alone, so running the script again changes
# nothing. With --check nothing is changed: the files without the line are listed, and the
# status is 1 when there is one.
#
# Source files are the code the project writes, where a comment fits: C and C++ (.cpp, .cc,
# .c, .h, .hpp), CMake (CMakeLists.txt, .cmake) and scripts (.sh, .py, and any file without a
# suffix that starts with "#!"). Everything else is data or text with rules of its own (fuzz
# seeds and test records, whose bytes are the point; pictures; the help pages; the desktop
# files, whose AppStream description has a licence of its own). Build trees, found by their
# CMakeCache.txt, and .git are not searched.
set -euo pipefail

check=0
[ "${1:-}" != --check ] || { check=1 && shift; }
root=${1:-"$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"}
licence="SPDX-License-Identifier: GPL-3.0-or-later"

# Each source file as "STYLE PATH", STYLE being the comment's opening.
source_files() {
    find "$root" \( -name .git -o -type d -exec test -e '{}/CMakeCache.txt' \; \) -prune \
        -o -type f -print0 | sort -z | while IFS= read -r -d '' file; do
        case ${file##*/} in
        *.cpp | *.cc | *.c | *.h | *.hpp) echo "// $file" ;;
        CMakeLists.txt | *.cmake | *.sh | *.py) echo "# $file" ;;
        *.*) ;;
        *) [ "$(head -c 2 "$file")" != '#!' ] || echo "# $file" ;;
        esac
    done
}

missing=0
while read -r style file; do
    # The line is looked for in the head only: after a "#!" line, and before anything else.
    head=$(head -n 3 "$file")
    if grep -qxF "$style $licence" <<<"$head"; then
        continue
    elif [ $check = 1 ]; then
        echo "${file#"$root"/}" && missing=$((missing + 1))
    elif grep -q "^$style SPDX-License-Identifier: " <<<"$head"; then
        echo "${file#"$root"/}: has another licence line, left as it is" >&2
    elif [ "$(head -c 2 "$file")" = '#!' ]; then
        sed -i "1a $style $licence" "$file"
    elif [ -s "$file" ]; then
        sed -i "1i $style $licence" "$file"
    else
        echo "$style $licence" >"$file"
    fi
done < <(source_files)
if [ $missing -gt 0 ]; then
    echo "$missing source file(s) above lack the line \"$licence\":" \
        "run tools/add-spdx.sh to add it" >&2
    exit 1
fi
