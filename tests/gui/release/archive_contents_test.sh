#!/usr/bin/env bash
# The release archive holds one folder, named after the archive, with exactly the program, its
# title picture and the README; the program is built for the archive's Windows; the README
# gives the version and tells to keep b.dat beside the program.
# Usage: archive_contents_test.sh ARCHIVE VERSION win32|win64
set -euo pipefail
. "$(dirname "$0")/../../../tools/wine-lib.sh"
archive=$1 version=$2 flavour=$3
folder=Velmoria-$version-$flavour
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ "$(basename "$archive")" = "$folder.zip" ] || fail "unexpected archive name $archive"
[ -f "$archive" ] || fail "no archive at $archive"

listed=$(cmake -E tar tf "$archive" | sed 's|/$||' | grep -vx "$folder" | sort)
expected=$(printf '%s\n' "$folder/README.txt" "$folder/b.dat" "$folder/velmoria.exe" | sort)
[ "$listed" = "$expected" ] || fail "the archive holds:"$'\n'"$listed"$'\n'"instead of:"$'\n'"$expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$archive")

machine=$(pe_machine "$work/$folder/velmoria.exe")
case $flavour in
  win32) [ "$machine" = 014c ] || fail "velmoria.exe is not a 32-bit x86 program ($machine)" ;;
  win64) [ "$machine" = 8664 ] || fail "velmoria.exe is not an x86-64 program ($machine)" ;;
  *) fail "unknown flavour $flavour" ;;
esac

readme=$work/$folder/README.txt
grep -q "Velmoria $version" "$readme" || fail "the README does not name version $version"
grep -q "b.dat.*velmoria.exe と同じフォルダ" "$readme" || fail "no Japanese note on b.dat"
grep -q "Keep it in the same folder as velmoria.exe" "$readme" || fail "no English note on b.dat"
echo "the archive holds $folder/ with velmoria.exe ($machine), b.dat and README.txt"
