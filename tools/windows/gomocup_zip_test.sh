#!/usr/bin/env bash
# Checks the Gomocup entry as the tournament receives it: the zip holds the
# engine and its text at the root and nothing else, and the engine unpacked
# from it passes the protocol tests under wine.
#   tools/windows/gomocup_zip_test.sh ZIP TEST_PROGRAM GTEST_FILTER
set -euo pipefail
zip=$1
tests=$2
filter=$3
here=$(cd "$(dirname "$0")" && pwd)

expected="pbrain-vodaro64.exe vodaro.txt"
listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ' | sed 's/ $//')
if [ "$listing" != "$expected" ]; then
  echo "$zip holds [$listing], expected [$expected]" >&2
  exit 1
fi

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
unzip -q "$zip" -d "$dir"
"$here/wine_tests.sh" "$tests" "$dir/pbrain-vodaro64.exe" "$filter"
