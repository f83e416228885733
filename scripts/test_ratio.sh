#!/usr/bin/env bash
# Prints the size of the tests against the size of the code they test:
# non-blank C++ lines that are not // comments, in tracked .cpp/.h files.
# Tests are the files under tests/; code is every other tracked file.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    if [ $# -eq 0 ]; then echo 0; return; fi
    grep -hv -e '^[[:space:]]*$' -e '^[[:space:]]*//' -- "$@" | wc -l
}

mapfile -t tests < <(git ls-files -- 'tests/*.cpp' 'tests/*.h')
mapfile -t code < <(git ls-files -- '*.cpp' '*.h' ':!:tests/*')

test_lines=$(count "${tests[@]}")
code_lines=$(count "${code[@]}")
echo "tests: $test_lines lines in ${#tests[@]} files"
echo "code:  $code_lines lines in ${#code[@]} files"
awk -v t="$test_lines" -v c="$code_lines" 'BEGIN { printf "ratio: %.2f\n", t / c }'
