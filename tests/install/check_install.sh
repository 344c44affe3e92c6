#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there: the file list, the
# desktop entry, the AppStream file, the manual pages and the changelog.
set -euo pipefail
build="$1"
source_dir="$2"
version="$3"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" > /dev/null

actual="$(cd "$prefix" && find . -type f | sort)"
expected="$(sort "$source_dir/tests/install/expected_files.txt")"
if [ "$actual" != "$expected" ]; then
  echo "Installed files differ from tests/install/expected_files.txt:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi

desktop-file-validate "$prefix/share/applications/org.tintavis.tintavis.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/org.tintavis.tintavis.metainfo.xml"

for page in tintavis tintavis-calc; do
  warnings="$(man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 > /dev/null)"
  if [ -n "$warnings" ]; then
    echo "man page $page warnings:"
    echo "$warnings"
    exit 1
  fi
done

# A new version gets its changelog entry and its AppStream release.
doc="$prefix/share/doc/tintavis"
top="$(gzip -dc "$doc/changelog.gz" | head -n 1)"
case "$top" in
  "tintavis ($version) "*) ;;
  *) echo "changelog starts with '$top', not version $version"; exit 1 ;;
esac
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/org.tintavis.tintavis.metainfo.xml" ||
  { echo "the AppStream file has no release $version"; exit 1; }
head -n 1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
  { echo "copyright is not in Debian's machine-readable format"; exit 1; }

# Both programs run from where they were installed.
"$prefix/bin/tintavis-calc" --help > /dev/null
[ -x "$prefix/bin/tintavis" ]
# The icons are PNG pictures of their folder's size.
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/tintavis.png"
  dims="$(od -An -tu1 -j16 -N8 "$png" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}')"
  [ "$dims" = "${size}x${size}" ] || { echo "$png is $dims"; exit 1; }
done
echo "install check passed"
