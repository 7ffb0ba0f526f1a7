#!/usr/bin/env bash
# The README names release files with a version in them: each must be the
# project's version, so that a new release cannot leave old names behind.
# Usage: readme_versions_test.sh <README.md> <version>
set -euo pipefail
readme=$1 version=$2
names=$(grep -oE '\b[Vv]elmora[-_][0-9]+\.[0-9]+[-_.][A-Za-z0-9_.$()-]*' "$readme" | sort -u)
[ -n "$names" ] || { echo "FAIL: the README names no release file"; exit 1; }
wrong=$(grep -vE "^[Vv]elmora[-_]${version//./\\.}[-_.]" <<<"$names" || true)
[ -z "$wrong" ] || { echo "FAIL: the README names files of another version than $version:"; echo "$wrong"; exit 1; }
echo "The README's $(wc -l <<<"$names") release file names are all of $version"
