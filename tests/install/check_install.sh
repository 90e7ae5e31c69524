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

# A document of this program's, exported as JPEG and as a PDF page.
document="$(cd "$(dirname "$0")/../../fuzz/corpus/fuzz_document" && pwd)/maptile.ora"
exported() { # program
  "$1" --export "$scratch/out.jpg" "$document" && "$1" --export "$scratch/out.pdf" "$document" \
    || { echo "FAIL: $1 does not export"; exit 1; }
}

translated() { # program: it finds its translations from wherever it is installed
  LANGUAGE=de "$1" --help | grep '^Entwirft druckbare Kartenteile' >/dev/null \
    && LANGUAGE=fr "$1" --help | grep '^Conçoit des dalles' >/dev/null \
    || { echo "FAIL: $1 --help is not translated"; exit 1; }
}

started() { # program: the end-to-end keyboard walk against that executable (the default tilesets found), and a document opened
  # through the reading process installed with it
  (cd "$scratch" && CRYPTWRIGHT_E2E_PROGRAM="$1" "$e2e" keyboardPainting openForeignDocument >"$scratch/e2e.log" 2>&1) \
    || { cat "$scratch/e2e.log"; echo "FAIL: $1 did not start cleanly or read no document"; exit 1; }
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for f in bin/cryptwright libexec/cryptwright/cryptwright-reader libexec/cryptwright/cryptwright-renamer share/applications/org.example.cryptwright.desktop share/icons/hicolor/scalable/apps/cryptwright.svg \
         share/mime/packages/cryptwright.xml \
         share/cryptwright/Default_A.jpg share/cryptwright/Default_D.gif share/cryptwright/Default_D.dat \
         share/cryptwright/translations/cryptwright_de.qm share/cryptwright/translations/cryptwright_fr.qm; do
  [ -e "$scratch/prefix/$f" ] || { echo "FAIL: $f not installed"; exit 1; }
done
# The files the desktop reads: the entry, the software centre's description, the manual page.
desktop-file-validate "$scratch/prefix/share/applications/org.example.cryptwright.desktop"
appstreamcli validate --no-net "$scratch/prefix/share/metainfo/org.example.cryptwright.metainfo.xml" >/dev/null \
  || { appstreamcli validate --no-net "$scratch/prefix/share/metainfo/org.example.cryptwright.metainfo.xml"; exit 1; }
warnings=$(MANWIDTH=80 man --warnings -l "$scratch/prefix/share/man/man1/cryptwright.1" 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: the manual page: $warnings"; exit 1; }

# A file manager's thumbnail: the Exec line as the thumbnailer file gives it, with its fields filled in.
thumbnailed() { # thumbnailer file, program
  exec_line=$(sed -n 's/^Exec=//p' "$1")
  exec_line=${exec_line//%s/128}
  exec_line=${exec_line//%i/\"$document\"}
  exec_line=${exec_line//%o/\"$scratch\/thumbnail.png\"}
  exec_line=${exec_line/#cryptwright/\"$2\"}
  rm -f "$scratch/thumbnail.png"
  eval "$exec_line" && python3 - "$scratch/thumbnail.png" <<'PY' || { echo "FAIL: no thumbnail from $1"; exit 1; }
import struct, sys
head = open(sys.argv[1], 'rb').read(24)
assert head[:8] == b'\x89PNG\r\n\x1a\n'
width, height = struct.unpack('>II', head[16:24])
assert 0 < width <= 128 and 0 < height <= 128, (width, height)
PY
}
grep -q '^MimeType=image/openraster;$' "$scratch/prefix/share/thumbnailers/cryptwright.thumbnailer"
thumbnailed "$scratch/prefix/share/thumbnailers/cryptwright.thumbnailer" "$scratch/prefix/bin/cryptwright"
started "$scratch/prefix/bin/cryptwright"
exported "$scratch/prefix/bin/cryptwright"
translated "$scratch/prefix/bin/cryptwright"
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
translated /usr/bin/cryptwright
thumbnailed /usr/share/thumbnailers/cryptwright.thumbnailer /usr/bin/cryptwright
[ -f /usr/share/man/man1/cryptwright.1.gz ] || [ -f /usr/share/man/man1/cryptwright.1 ] \
  || { echo "FAIL: the package has no manual page"; exit 1; }
# A double-click on a document in a file manager opens it in the editor.
grep -q '^MimeType=.*image/openraster;' /usr/share/applications/org.example.cryptwright.desktop \
  || { echo "FAIL: the desktop entry does not take documents"; exit 1; }
grep -q '^Exec=cryptwright %f$' /usr/share/applications/org.example.cryptwright.desktop \
  || { echo "FAIL: the desktop entry does not pass the file"; exit 1; }
dpkg-query -W -f='${Depends}' cryptwright | grep -q libzip || { echo "FAIL: the package does not need libzip"; exit 1; }
dpkg-query -W -f='${Depends}' cryptwright | grep -q libseccomp \
  || { echo "FAIL: the package does not need libseccomp"; exit 1; }
[ -x /usr/libexec/cryptwright/cryptwright-reader ] || { echo "FAIL: the reading process is not installed"; exit 1; }
/usr/bin/cryptwright --version | grep -q '^cryptwright 1.00$' || { echo "FAIL: --version"; exit 1; }
echo "Debian package: ok"
