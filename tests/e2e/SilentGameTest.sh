#!/usr/bin/env bash
# The live game with no sound device and no way to show a message box: it plays on silently,
# says both things once on stderr, and a termination signal closes it like the close command,
# saving the best score.
#
# Usage: SilentGameTest.sh PATH-TO-QUARNEL
set -euo pipefail

game=$(readlink -f -- "$1")
here=$(cd "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
export LSAN_OPTIONS="suppressions=$here/lsan-system-libraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
work=$(mktemp -d "${TMPDIR:-/tmp}/quarnel-silent.XXXXXX")
trap 'rm -rf -- "$work"' EXIT

fail() {
    echo "FAIL: $1"
    echo "   standard error:"
    sed 's/^/     | /' "$work/err"
    exit 1
}

# SDL's offscreen video has no message boxes, and no audio driver has this name.
status=0
(cd "$work" && SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=no-such-driver \
    timeout --preserve-status -s TERM 3 "$game" --window) >"$work/out" 2>"$work/err" ||
    status=$?

((status == 0)) || fail "exit status after SIGTERM: expected 0, got $status"
[[ $(grep -c '^quarnel: no sound, playing silently: ' "$work/err") == 1 ]] ||
    fail "expected one line saying the game plays silently"
[[ $(grep -c '^Quarnel  Ver\.1\.1: ファイルが見つかりません$' "$work/err") == 1 ]] ||
    fail "expected the missing best-score file on stderr, where no box can be shown"
[[ $(od -An -c "$work/score.atb" | tr -s ' ') == ' 0 \r \n' ]] ||
    fail "score.atb should hold 0 and CR LF, holds: $(od -An -c "$work/score.atb")"
[[ ! -s $work/out ]] || fail "nothing should go to standard output"
echo "PASS: silent, reported once, closed by SIGTERM with the best score saved"
