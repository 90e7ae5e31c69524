#!/usr/bin/env bash
# Usage: check_install.sh BUILD_DIR E2E_TEST
# Checks that an installed Cryptwright starts from any working directory and
# finds its default tilesets: once from `cmake --install` into a scratch
# prefix, once from the Debian package installed with apt (root only).
set -euo pipefail
build=$1
e2e=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A document of this program's: exported as JPEG without Qt Gui, and as a PDF
# page through the render module installed beside the executable.
document="$(cd "$(dirname "$0")/../../fuzz/corpus/fuzz_document" && pwd)/maptile.ora"
exported() { # program
  "$1" --export "$scratch/out.jpg" "$document" && "$1" --export "$scratch/out.pdf" "$document" \
    || { echo "FAIL: $1 does not export"; exit 1; }
}

started() { # program: the end-to-end start-up case against that executable, and a document opened
  # through the reading process installed with it
  (cd "$scratch" && CRYPTWRIGHT_E2E_PROGRAM="$1" "$e2e" startUp openForeignDocument >"$scratch/e2e.log" 2>&1) \
    || { cat "$scratch/e2e.log"; echo "FAIL: $1 did not start cleanly or read no document"; exit 1; }
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for f in bin/cryptwright libexec/cryptwright/cryptwright-reader share/applications/cryptwright.desktop share/icons/hicolor/scalable/apps/cryptwright.svg \
         share/mime/packages/cryptwright.xml \
         share/cryptwright/Default_A.jpg share/cryptwright/Default_D.gif share/cryptwright/Default_D.dat; do
  [ -e "$scratch/prefix/$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$scratch/prefix/share/applications/cryptwright.desktop"
fi
started "$scratch/prefix/bin/cryptwright"
exported "$scratch/prefix/bin/cryptwright"
echo "scratch prefix: ok"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the Debian package is built but not installed"
  (cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
  exit 0
fi
(cd "$build" && cpack -G DEB -B "$scratch/deb" >/dev/null)
deb=$(ls "$scratch"/deb/cryptwright_*.deb)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq cryptwright >/dev/null; rm -rf "$scratch"' EXIT
started /usr/bin/cryptwright
exported /usr/bin/cryptwright
# A double-click on a document in a file manager opens it in the editor.
grep -q '^MimeType=.*image/openraster;' /usr/share/applications/cryptwright.desktop \
  || { echo "FAIL: the desktop entry does not take documents"; exit 1; }
grep -q '^Exec=cryptwright %f$' /usr/share/applications/cryptwright.desktop \
  || { echo "FAIL: the desktop entry does not pass the file"; exit 1; }
dpkg-query -W -f='${Depends}' cryptwright | grep -q libzip || { echo "FAIL: the package does not need libzip"; exit 1; }
dpkg-query -W -f='${Depends}' cryptwright | grep -q libseccomp \
  || { echo "FAIL: the package does not need libseccomp"; exit 1; }
[ -x /usr/libexec/cryptwright/cryptwright-reader ] || { echo "FAIL: the reading process is not installed"; exit 1; }
/usr/bin/cryptwright --version | grep -q '^cryptwright 1.00$' || { echo "FAIL: --version"; exit 1; }
echo "Debian package: ok"
