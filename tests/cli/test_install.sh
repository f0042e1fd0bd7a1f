#!/usr/bin/env bash
# Installs the build into a temporary prefix as "cmake --install" does for a
# packager: programs in bin/, data in share/corvane-reelmax/, the icon in
# the hicolor theme, a desktop entry that desktop-file-validate accepts; the
# installed program starts and finds its data there.  Then builds the .deb
# with CPack and checks what it holds.  $1 is the folder holding the programs.
set -u
BIN=${1:?bin dir}
BUILD=$(cd "$BIN/.." && pwd)
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
FAILS=0
fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }

P="$W/prefix"
cmake --install "$BUILD" --prefix "$P" >"$W/install.log" 2>&1 || { cat "$W/install.log"; fail "cmake --install"; }
for f in bin/reelmax bin/reelmax-cli share/corvane-reelmax/upc.xml \
    share/corvane-reelmax/icons/MenuCommonVideo.png share/corvane-reelmax/icons/formats \
    share/corvane-reelmax/languages/videoconverter_de.qm share/corvane-reelmax/languages/videoconverter_zh_CN.qm \
    lib/corvane-reelmax/reelmax-webview.so share/applications/corvane-reelmax.desktop \
    share/icons/hicolor/48x48/apps/corvane-reelmax.png share/icons/hicolor/256x256/apps/corvane-reelmax.png; do
    [ -e "$P/$f" ] && ok "installed $f" || fail "missing $f"
done
[ -x "$P/bin/reelmax" ] && ok "program executable" || fail "program not executable"
# Nothing of the build's own (tests, benchmarks) goes with it.
extra=$(find "$P/bin" -type f ! -name reelmax ! -name reelmax-cli)
[ -z "$extra" ] && ok "only the two programs in bin/" || fail "also installed: $extra"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$P/share/applications/corvane-reelmax.desktop" >"$W/validate" 2>&1 &&
        ok "desktop-file-validate" || fail "desktop-file-validate: $(cat "$W/validate")"
else
    fail "desktop-file-validate is not installed (scripts/setup installs desktop-file-utils)"
fi
grep -q '^MimeType=.*video/mp4;' "$P/share/applications/corvane-reelmax.desktop" && ok "MIME types listed" ||
    fail "no MimeType"

# The installed program: its data comes from share/, the user's files go to
# the user's folders (never beside the program).
H="$W/home"
mkdir -p "$H/runtime" && chmod 700 "$H/runtime"
HOME="$H" XDG_CONFIG_HOME="$H/.config" XDG_DATA_HOME="$H/.local/share" XDG_RUNTIME_DIR="$H/runtime" \
    QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 SDL_AUDIODRIVER=dummy REELMAX_UPC= REELMAX_UPC_DEFAULT= \
    QT_LOGGING_RULES="reelmax.profiles.debug=true" \
    timeout 15 "$P/bin/reelmax" >"$W/run.log" 2>&1
rc=$?
[ $rc -eq 124 ] && ok "installed program runs" || { tail -5 "$W/run.log"; fail "installed program ended with $rc"; }
grep -q "upc seeded from \[$P/share/corvane-reelmax/upc.xml\]" "$W/run.log" && ok "default profiles from share/" ||
    fail "upc.xml not taken from share/: $(grep upc "$W/run.log")"
[ -f "$H/.config/CorVane Software/Corvane Reelmax/upc.xml" ] && ok "user's upc.xml in the config folder" ||
    fail "no user upc.xml"
[ ! -e "$P/bin/upc.xml" ] && ok "nothing written beside the program" || fail "upc.xml written into bin/"
"$P/bin/reelmax-cli" --version | grep -q reelmax-cli && ok "installed reelmax-cli runs" || fail "reelmax-cli --version"

# The Debian package.
if command -v cpack >/dev/null && command -v dpkg-deb >/dev/null; then
    (cd "$BUILD" && cpack -G DEB -B "$W/deb") >"$W/cpack.log" 2>&1 || { tail -20 "$W/cpack.log"; fail "cpack"; }
    deb=$(ls "$W"/deb/corvane-reelmax_*.deb 2>/dev/null | head -1)
    if [ -n "$deb" ]; then
        ok "built $(basename "$deb")"
        dpkg-deb -c "$deb" | awk '{print $6}' >"$W/contents"
        for f in ./usr/bin/reelmax ./usr/bin/reelmax-cli ./usr/share/corvane-reelmax/upc.xml \
            ./usr/share/corvane-reelmax/icons/MenuCommonVideo.png \
            ./usr/share/corvane-reelmax/languages/videoconverter_de.qm \
            ./usr/lib/corvane-reelmax/reelmax-webview.so \
            ./usr/share/icons/hicolor/128x128/apps/corvane-reelmax.png \
            ./usr/share/applications/corvane-reelmax.desktop; do
            grep -qxF "$f" "$W/contents" && ok "package holds $f" || fail "package lacks $f"
        done
        depends=$(dpkg-deb -f "$deb" Depends)
        for d in libqt6widgets6 libqt6webenginewidgets6 libavcodec59 libtinyxml2 qt6-qpa-plugins ffmpeg; do
            echo "$depends" | grep -q "$d" && ok "depends on $d" || fail "Depends lacks $d: $depends"
        done
    else
        tail -20 "$W/cpack.log"
        fail "no .deb written"
    fi
else
    fail "cpack or dpkg-deb missing"
fi

echo "$FAILS failure(s)"
[ $FAILS -eq 0 ]
