#!/bin/sh
# Lines of test code as a share of the program's code: non-blank lines of *.cpp/*.h that are not
# only a comment ("//" lines and "/* ... */" blocks), counted per folder of src/ and tests/.
# Usage: sh scripts/test-share.sh [--folders]
set -eu
cd "$(dirname "$0")/.."

count() { # count DIR... : code lines of every .cpp/.h below the folders given
    find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 2>/dev/null |
        xargs -0 -r awk '
            { line = $0 }
            inblock { if (line ~ /\*\//) { sub(/.*\*\//, "", line); inblock = 0 } else next }
            # Character and string literals first: "by-id/*" opens no comment.
            { gsub(/\047([^\047\\]|\\.)\047/, "\047\047", line); gsub(/"([^"\\]|\\.)*"/, "\"\"", line) }
            { gsub(/\/\*.*\*\//, "", line) }
            line ~ /\/\*/ { sub(/\/\*.*/, "", line); inblock = 1 }
            { sub(/^[ \t]+/, "", line) }
            line == "" || line ~ /^\/\// { next }
            { n++ }
            END { print n + 0 }'
}

src=$(count src)
tests=$(count tests)
if [ "${1:-}" = "--folders" ]; then
    for d in src/*/ tests/*/; do printf '%-22s %6d\n' "$d" "$(count "$d")"; done
fi
printf 'src %d  tests %d  share %d.%d%%\n' "$src" "$tests" $((tests * 100 / src)) $((tests * 1000 / src % 10))
