# The shared start of the command-line tool's end-to-end scripts, sourced
# by them with the folder holding the programs as their $1.  Gives BIN, CLI,
# a work folder W (removed at exit), a private home (the tool must leave the
# user's settings alone), FAILS with fail/ok, and gen (the ffmpeg tool making
# test media, or the script ends).
set -u
BIN=${1:?bin dir}
CLI="$BIN/reelmax-cli"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
export HOME="$W/home" XDG_CONFIG_HOME="$W/home/.config" XDG_DATA_HOME="$W/home/.local/share"
mkdir -p "$XDG_CONFIG_HOME"
FAILS=0

fail() { echo "FAIL: $*"; FAILS=$((FAILS + 1)); }
ok() { echo "ok: $*"; }
gen() { ffmpeg -y -v error -nostdin "$@" || { echo "ffmpeg could not make test media"; exit 1; }; }
