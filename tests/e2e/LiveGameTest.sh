#!/usr/bin/env bash
# Plays the live game on a private X display as a player would: dismisses the missing
# best-score box, starts a game from the title, moves and drops the first piece, and closes
# with Alt+F4. Every screenshot and caption taken on the way is then checked against the
# headless replay of the game's own recording, which shows that the window plays the same
# game, frame for frame, as the headless program the other tests drive.
#
# Usage: LiveGameTest.sh PATH-TO-QUARNEL
# Needs Xvfb, openbox, xdotool, x11-utils (xprop, xwininfo, xmessage) and ImageMagick.
set -euo pipefail

if (($# != 1)); then
    echo "usage: $0 PATH-TO-QUARNEL" >&2
    exit 2
fi
game=$(readlink -f -- "$1")
here=$(cd "$(dirname -- "${BASH_SOURCE[0]}")" && pwd)
# For a build with AddressSanitizer: memory that system libraries hold to the end is no leak
# of the game's.
export LSAN_OPTIONS="suppressions=$here/lsan-system-libraries.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

readonly app_title='Quarnel  Ver.1.1'
readonly title_caption='POINT:0HIGH:0BF:0/BX:0/BY:0/BYC:0'
readonly status_pattern='^POINT:([0-9]+)HIGH:([0-9]+)BF:([0-9]+)/BX:(-?[0-9]+)/BY:(-?[0-9]+)/BYC:(-?[0-9]+)$'
readonly lock_pattern='^-?[0-9]+/-?[0-9]+$'
readonly audio_bytes_per_second=$((44100 * 2 * 2))  # signed 16-bit stereo
# The shutter's panel and frame greys as the screen shows them, give or take the rounding
# of their 16-bit pixels.
readonly shutter_panel='#C6C3C6' shutter_frame='#848284'

# Screenshots and logs stay here when the test fails; the rest lives in a temporary folder.
out=$PWD/LiveGameOnX-output
rm -rf -- "$out"
mkdir -p -- "$out/shots"
work=$(mktemp -d "${TMPDIR:-/tmp}/quarnel-live.XXXXXX")
gamedir=$work/game
ticklog=$gamedir/ticks.txt
audio=$gamedir/audio.raw
observations=$out/observations.txt  # "tick caption" of every caption read in the window
shots=$out/shots.txt                # "tick file" of every screenshot kept
mkdir -p -- "$gamedir" "$work/home"
: >"$observations"
: >"$shots"

started=()  # what this script started, in order; stopped in reverse order at exit
game_pid=

stop() {
    local pid=$1 i
    kill -TERM "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
}

cleanup() {
    local status=$? i
    set +e
    [[ -n $game_pid ]] && stop "$game_pid"
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do stop "${started[i]}"; done
    if ((status == 0)); then
        rm -rf -- "$out"
    else
        cp -- "$gamedir"/*.txt "$gamedir"/*.qrp "$gamedir"/game.* "$work"/*.log "$out"/ 2>/dev/null
    fi
    rm -rf -- "$work"
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

step() { echo "== $*"; }
note() { echo "   $*"; }

# fail WHAT [EXPECTED SEEN]
fail() {
    echo "FAIL: $1"
    if (($# > 1)); then
        echo "   expected: $2"
        echo "   seen:     $3"
    fi
    if [[ -s $gamedir/game.err ]]; then
        echo "   the game's standard error:"
        sed 's/^/     | /' "$gamedir/game.err" | head -n 60
    fi
    echo "   screenshots and logs: $out"
    exit 1
}

now_us() { local t=$EPOCHREALTIME; echo $((10#${t/[.,]/})); }  # either radix character

game_alive() { [[ -n $game_pid ]] && kill -0 "$game_pid" 2>/dev/null; }

# Sets tick_now to the number of the last frame the game has shown, 0 before the first.
# Only whole lines count: a line being written has no newline yet and is skipped by read.
read_tick() {
    local line last=
    if [[ -f $ticklog ]]; then
        while IFS= read -r line; do last=$line; done <"$ticklog"
    fi
    if [[ $last =~ ^tick\ ([0-9]+)\  ]]; then tick_now=${BASH_REMATCH[1]}; else tick_now=0; fi
}

# Waits for the game to show a frame newer than the current one; sets seen_tick.
# Polled finely because what follows must be done well within that tick.
next_tick() {
    read_tick
    local from=$tick_now deadline=$(($(now_us) + 20000000))
    while read_tick; ((tick_now <= from)); do
        game_alive || fail "the game ended while it was being played"
        (($(now_us) < deadline)) ||
            fail "the game stopped ticking (has its window lost the focus?)" \
                "a tick after tick $from within 20 s" "none"
        sleep 0.01
    done
    seen_tick=$tick_now
}

# Reads the caption right after a tick; sets caption and caption_tick and notes them.
# The caption is kept only if no tick came while it was read.
observe() {
    local tries t
    for ((tries = 0; tries < 100; tries++)); do
        next_tick
        t=$seen_tick
        caption=$(xdotool getwindowname "$main") || fail "cannot read the window's caption"
        # A tick that had begun by now has written its log line after this pause.
        sleep 0.05
        read_tick
        if ((tick_now == t)); then
            caption_tick=$t
            echo "$t $caption" >>"$observations"
            return 0
        fi
    done
    fail "could not read the caption between two ticks in 100 tries"
}

# pause_game / resume_game: the game ticks only while its window has the focus, so handing
# the focus to a window of ours holds it still. A screenshot can take longer than a tick on
# a busy machine; taken this way it still shows one tick's frame.
pause_game() {
    timeout 20 xdotool windowactivate --sync "$holder" ||
        fail "cannot move the focus away from the game"
    local last since deadline=$(($(now_us) + 20000000))
    read_tick
    last=$tick_now since=$(now_us)
    while (($(now_us) - since < 400000)); do
        (($(now_us) < deadline)) ||
            fail "the game kept ticking without the focus" "no tick for 0.4 s" "tick $tick_now"
        sleep 0.05
        read_tick
        if ((tick_now != last)); then last=$tick_now since=$(now_us); fi
    done
}
resume_game() { activate; }

# shot NAME: a screenshot of the paused game, with the tick it shows and its caption; sets
# shot_file and shot_tick. A shot during which a tick came all the same is taken again.
shot() {
    local name=$1 tries t file
    pause_game
    for ((tries = 0; tries < 20; tries++)); do
        read_tick
        t=$tick_now
        file=$out/shots/$(printf '%06d' "$t")-$name.png
        caption=$(xdotool getwindowname "$main") || fail "cannot read the window's caption"
        import -window "$main" "png:$file" 2>"$work/import.log" ||
            fail "cannot take a screenshot of the window: $(cat "$work/import.log")"
        read_tick
        if ((tick_now == t)); then
            shot_file=$file shot_tick=$t
            echo "$t $file" >>"$shots"
            echo "$t $caption" >>"$observations"
            resume_game
            return 0
        fi
        rm -f -- "$file"
        pause_game
    done
    fail "could not take a screenshot without a tick coming in 20 tries"
}

activate() {
    timeout 20 xdotool windowactivate --sync "$main" ||
        fail "cannot give the game's window the focus"
}

# hold KEY CONDITION SECONDS WHAT: holds KEY down until the game has read it in two ticks
# and CONDITION (a command run after each caption read) holds. The game reads held keys
# once a tick, so a tap between two ticks would never be seen.
hold() {
    local key=$1 condition=$2 seconds=$3 what=$4 from deadline
    activate
    xdotool keydown "$key"
    read_tick
    from=$tick_now
    deadline=$(($(now_us) + seconds * 1000000))
    while :; do
        observe
        if ((caption_tick >= from + 3)) && $condition; then break; fi
        if (($(now_us) > deadline)); then
            xdotool keyup "$key"
            fail "holding $key for $seconds s did not bring the expected change" \
                "$what" "caption '$caption' at tick $caption_tick"
        fi
    done
    xdotool keyup "$key"
}

audio_size() { stat -c %s -- "$audio" 2>/dev/null || echo 0; }

# wait_for SECONDS WHAT COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
    local seconds=$1 what=$2 deadline
    shift 2
    deadline=$(($(now_us) + seconds * 1000000))
    until "$@"; do
        (($(now_us) < deadline)) || fail "timed out after $seconds s waiting for $what"
        sleep 0.1
    done
}

# Number of pixels of IMAGE within a small distance of COLOUR.
count_colour() {
    local image=$1 colour=$2 solid differ
    solid=$work/solid-${colour#\#}.png
    [[ -f $solid ]] || convert -size 640x480 "xc:$colour" "png:$solid"
    differ=$(compare -metric AE -fuzz 2% "$image" "$solid" null: 2>&1) || true
    echo $((640 * 480 - $(awk '{ printf "%d", $1 }' <<<"$differ")))
}

# same_pixels SCREEN HEADLESS: true when the two pictures are identical; else sets differing
# to how many pixels differ and how, the commonest colour pairs first.
same_pixels() {
    differing=$(compare -metric AE "$1" "$2" null: 2>&1) || true
    [[ $differing == 0 ]] && return 0
    [[ $differing =~ ^[0-9]+$ ]] || return 1  # not comparable at all: compare says why
    local pairs
    pairs=$(paste -d ' ' <(convert "$1" txt:- | awk 'NR > 1 { print $1, $3 }') \
        <(convert "$2" txt:- | awk 'NR > 1 { print $3 }') |
        awk '$2 != $3 { k = $3 " shown as " $2; n[k]++; if (!(k in at)) at[k] = substr($1, 1, length($1) - 1) }
             END { for (p in n) printf "%d %s (%d pixels, first at %s)\n", n[p], p, n[p], at[p] }' |
        sort -rn | head -n 4 | cut -d ' ' -f 2- | paste -sd ';' -) || true
    differing="$differing differing pixels: $pairs"
    return 1
}

# Largest |sample| of the sound file's bytes [FROM, TO).
audio_peak() {
    dd if="$audio" bs=65536 iflag=skip_bytes,count_bytes skip="$1" count=$(($2 - $1)) status=none |
        od -An -v -td2 --endian=little -w32 |
        awk '{ for (i = 1; i <= NF; i++) { v = $i < 0 ? -$i : $i; if (v > m) m = v } }
             END { print m + 0 }'
}

[[ -x $game ]] || fail "no game program at $1"
for tool in Xvfb openbox xmessage xdotool xprop xwininfo import compare convert od dd cmp timeout; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (see tools/test.sh)"
done

###############################################################################################
step "1. X display and window manager"
# The server picks a free display and tells its number on fd 3 once it takes connections.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" \
    >"$work/xvfb.log" 2>&1 &
started+=($!)
display_ready() { [[ -s $work/display && $(cat "$work/display") =~ ^[0-9]+$ ]]; }
wait_for 30 "Xvfb to start" display_ready
DISPLAY=:$(cat "$work/display")
export DISPLAY
unset WAYLAND_DISPLAY
# Openbox gives new windows the focus, without which the game never ticks; its own home
# keeps any personal configuration out.
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache \
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
started+=($!)
wm_ready() { [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id #"* ]]; }
wait_for 30 "openbox to manage the display" wm_ready
# A small window in the corner, away from the game's, to take the focus while shots are taken.
xmessage -geometry +0+0 -name e2e-focus-holder "screenshot" >"$work/xmessage.log" 2>&1 &
started+=($!)
holder=$(timeout 20 xdotool search --sync --onlyvisible --classname e2e-focus-holder) ||
    fail "the focus-holding window never appeared"
holder=${holder%%$'\n'*}
note "display $DISPLAY, openbox running"

###############################################################################################
step "2. Start in an empty folder: the missing best-score file is reported first"
# SDL's own software path, as the game takes where there is no GPU, even on a machine with a
# render node: Mesa's GL unloads its driver when the display closes, and LeakSanitizer then
# takes the blocks it kept for leaks it cannot trace to any library.
(cd "$gamedir" && exec env SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software \
    SDL_FRAMEBUFFER_ACCELERATION=0 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
    "$game" --window --record rec.qrp --tick-log ticks.txt) \
    >"$gamedir/game.out" 2>"$gamedir/game.err" &
game_pid=$!

box=
find_box() {
    game_alive || fail "the game ended before it showed anything"
    # SDL falls back to standard error when it has no font for the box.
    [[ $(cat "$gamedir/game.err") != *"$app_title: "* ]] ||
        fail "the game could not show its message box (are X fonts, xfonts-base, installed?)"
    # The box has no class, and only _NET_WM_NAME names it, so xdotool cannot search for it.
    local tree
    tree=$(xwininfo -root -tree)
    [[ $tree =~ (0x[0-9a-f]+)\ \"Quarnel\ \ Ver\.1\.1\":\ \(\) ]] || return 1
    box=${BASH_REMATCH[1]}
    [[ $(xwininfo -id "$box" 2>/dev/null) == *"Map State: IsViewable"* ]]
}
wait_for 30 "the message box about the missing score.atb" find_box
box_name=$(xprop -id "$box" _NET_WM_NAME)
[[ $box_name == "_NET_WM_NAME(UTF8_STRING) = \"$app_title\"" ]] ||
    fail "the message box has the wrong title" "\"$app_title\"" "$box_name"
main=$(timeout 10 xdotool search --sync --class quarnel) || fail "the game has no window"
main=${main%%$'\n'*}
# The game waits on the box: nothing is shown or ticked behind it.
[[ $(xwininfo -id "$main") == *"Map State: IsUnMapped"* ]] ||
    fail "the game window was shown before the box was answered" "unmapped" \
        "$(xwininfo -id "$main" | grep 'Map State')"
read_tick
((tick_now == 0)) || fail "the game ticked behind the box" "no tick" "tick $tick_now"
note "box $box titled \"$app_title\"; game window $main waiting behind it"
timeout 20 xdotool windowactivate --sync "$box" key Return || fail "cannot answer the box"
box_gone() { [[ $(xwininfo -id "$box" 2>/dev/null) != *"Map State: IsViewable"* ]]; }
wait_for 20 "the box to close after Return" box_gone

found=$(timeout 30 xdotool search --sync --onlyvisible --class quarnel) ||
    fail "the game window never appeared after the box"
[[ $found == "$main" ]] || fail "the wrong window appeared" "$main" "$found"
geometry=$(xwininfo -id "$main")
[[ $geometry == *"Width: 640"* && $geometry == *"Height: 480"* ]] ||
    fail "the game window has the wrong size" "640x480" \
        "$(grep -E 'Width|Height' <<<"$geometry" | tr -s ' \n' ' ')"
# right_bottom WINDOW: the screen position just past the window's bottom right corner.
right_bottom() {
    local info x y w h
    info=$(xwininfo -id "$1")
    [[ $info =~ Absolute\ upper-left\ X:\ +(-?[0-9]+) ]] && x=${BASH_REMATCH[1]}
    [[ $info =~ Absolute\ upper-left\ Y:\ +(-?[0-9]+) ]] && y=${BASH_REMATCH[1]}
    [[ $info =~ Width:\ +([0-9]+) ]] && w=${BASH_REMATCH[1]}
    [[ $info =~ Height:\ +([0-9]+) ]] && h=${BASH_REMATCH[1]}
    echo "$((x + w)) $((y + h)) $x $y"
}
read -r holder_right holder_bottom _ _ < <(right_bottom "$holder")
read -r _ _ main_x main_y < <(right_bottom "$main")
((main_x >= holder_right || main_y >= holder_bottom)) ||
    fail "the focus-holding window covers the game's" "game window right of or below" \
        "holder ending at $holder_right,$holder_bottom; game at $main_x,$main_y"
activate
deadline=$(($(now_us) + 30000000))
while observe; [[ $caption != "$title_caption" ]]; do
    (($(now_us) < deadline)) || fail "the title caption never came" "$title_caption" "$caption"
done
note "window $main viewable, 640x480, title caption at tick $caption_tick"

###############################################################################################
step "3. The title on screen is the headless title frame"
mkdir -p "$work/reference"
printf 'seed 1\n-\n' >"$work/reference/one.qrp"
(cd "$work/reference" && "$game" --headless --replay one.qrp --frames frames) \
    >"$work/reference.log" 2>&1 || fail "the headless reference run failed: $(cat "$work/reference.log")"
shot title
same_pixels "$shot_file" "$work/reference/frames/000001.bmp" ||
    fail "the title on screen differs from the headless title frame ($shot_file)" \
        "0 differing pixels" "$differing"
note "screenshot at tick $shot_tick equals the headless frame of tick 1"

###############################################################################################
step "4. Z starts a game: shutter, first piece, moved left, dropped until it locks"
# All of the sound file so far was written before any sound could start.
has_audio() { (($(audio_size) >= audio_bytes_per_second / 2)); }
wait_for 30 "half a second of sound output in $audio" has_audio
silent_bytes=$(audio_size)
always() { true; }
hold z always 20 "the key held over two ticks"

shutter_seen() {
    shot shutter
    panel_px=$(count_colour "$shot_file" "$shutter_panel")
    frame_px=$(count_colour "$shot_file" "$shutter_frame")
    ((panel_px >= 20000 && frame_px >= 2000))
}
wait_for 30 "the shutter to show (see the shutter shots)" shutter_seen
sound_started_bytes=$(audio_size)
note "shutter at tick $shot_tick: $panel_px panel and $frame_px frame pixels of grey"

piece_spawned() {
    observe
    [[ $caption =~ $status_pattern ]] && ((BASH_REMATCH[3] != 0))
}
wait_for 30 "the first piece (BF non-zero in the caption)" piece_spawned
[[ $caption =~ $status_pattern ]]
first_piece=${BASH_REMATCH[3]} first_x=${BASH_REMATCH[4]}
lowest_y=${BASH_REMATCH[5]}
note "piece $first_piece at column $first_x, tick $caption_tick: $caption"
shot piece

moved_left() {
    [[ $caption =~ $status_pattern ]] && ((BASH_REMATCH[4] < first_x))
}
hold Left moved_left 20 "BX below $first_x"
note "moved left: $caption"
shot moved

# A lock shows as the X/Y caption for one tick; should that tick go unseen, the next piece
# gives it away, being of another type or higher up than the first one came.
locked() {
    [[ $caption =~ $lock_pattern ]] && return 0
    [[ $caption =~ $status_pattern ]] || return 1
    local bf=${BASH_REMATCH[3]} y=${BASH_REMATCH[5]}
    ((bf != first_piece || y < lowest_y)) && return 0
    ((y > lowest_y)) && lowest_y=$y
    return 1
}
hold Down locked 60 "a lock caption X/Y, or a new piece"
note "locked, seen at tick $caption_tick: $caption"
shot locked

###############################################################################################
step "5. Alt+Enter switches to full screen and back, and is not button 2"
full_screen() { xprop -id "$main" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN; }
windowed() { ! full_screen; }
hold alt+Return full_screen 20 "the window full screen"
geometry=$(xwininfo -id "$main")
[[ $geometry != *"Width: 640"* ]] || fail "full screen kept the window's size" "1024x768" \
    "$(grep -E 'Width|Height' <<<"$geometry" | tr -s ' \n' ' ')"
hold alt+Return windowed 20 "the window back in a window"
back_to_size() { [[ $(xwininfo -id "$main") == *"Width: 640"*"Height: 480"* ]]; }
wait_for 20 "the window back at 640x480" back_to_size
note "full screen and back; caption $caption"

###############################################################################################
step "6. Alt+F4 closes the game, which saves the best score"
activate
observe
last_tick=$caption_tick last_caption=$caption
xdotool key alt+F4
ended() { ! game_alive; }
wait_for 30 "the game to end after Alt+F4" ended
status=0
wait "$game_pid" || status=$?
game_pid=  # reaped: its number is no longer ours
((status == 0)) || fail "the game's exit status after Alt+F4" "0" "$status"
[[ -f $gamedir/score.atb ]] || fail "the game wrote no score.atb"
score=$(od -An -c "$gamedir/score.atb" | tr -s ' ' | sed 's/^ //')
[[ $score == '0 \r \n' ]] || fail "score.atb holds the wrong bytes" '0 \r \n' "$score"
read_tick
final_tick=$tick_now
note "exit status 0, score.atb = \"0\\r\\n\", $final_tick ticks played"

###############################################################################################
step "7. The window showed the headless replay of its own recording"
mkdir -p "$work/replay"
(cd "$work/replay" && "$game" --headless --replay "$gamedir/rec.qrp" --trace trace.txt) \
    >"$work/replay.log" 2>&1 || fail "the headless replay of rec.qrp failed: $(cat "$work/replay.log")"
cp -- "$work/replay/trace.txt" "$out/trace.txt"
# Enter is button 2, but not while Alt is held for the full-screen switch; nothing else here
# presses X or Enter.
! grep -n stButton2 "$gamedir/rec.qrp" ||
    fail "Alt+Enter was taken as button 2 as well" "no stButton2 in rec.qrp" "the lines above"
traced=$(wc -l <"$work/replay/trace.txt")
((traced == final_tick)) ||
    fail "the recording does not hold every tick played" "$final_tick ticks" "$traced ticks"
# Each caption read in the window is the trace's caption of the same tick.
mismatch=$(awk 'NR == FNR { traced[$1] = $2; next }
                traced[$1] != $2 { printf "tick %s: window %s, headless %s\n", $1, $2, traced[$1] }' \
    "$work/replay/trace.txt" "$observations" | head -n 5)
[[ -z $mismatch ]] || fail "captions in the window differ from the headless replay" \
    "the trace's captions" "$mismatch"
last_traced=$(awk 'END { print $2 }' "$work/replay/trace.txt")
if ((last_tick == final_tick)); then
    [[ $last_traced == "$last_caption" ]] ||
        fail "the replay ends on another caption than the window did" "$last_caption" "$last_traced"
    note "$(wc -l <"$observations") captions agree; both end on $last_caption"
else
    # The close came a tick later than the last look; that tick's caption was not seen.
    note "$(wc -l <"$observations") captions agree; the last one read was at tick $last_tick of $final_tick"
fi

max_shot=$(awk '$1 > m { m = $1 } END { print m + 0 }' "$shots")
(cd "$work/replay" && "$game" --headless --replay "$gamedir/rec.qrp" --ticks "$max_shot" \
    --frames frames) >"$work/replay.log" 2>&1 ||
    fail "the headless replay could not write its frames: $(cat "$work/replay.log")"
while read -r t file; do
    frame=$work/replay/frames/$(printf '%06d' "$t").bmp
    if ! same_pixels "$file" "$frame"; then
        cp -- "$frame" "$out/shots/$(printf '%06d' "$t")-headless.bmp"
        fail "the screenshot of tick $t differs from the headless frame of tick $t ($file)" \
            "0 differing pixels" "$differing"
    fi
done <"$shots"
note "$(wc -l <"$shots") screenshots equal the headless frames of their ticks"

###############################################################################################
step "8. Sound: silent on the title, the shutter heard after Z"
if ! cmp_out=$(cmp -n "$silent_bytes" -- "$audio" /dev/zero 2>&1); then
    fail "sound before Z was pressed ($silent_bytes bytes of $audio)" "all zero samples" "$cmp_out"
fi
heard_until=$((sound_started_bytes + audio_bytes_per_second))
(($(audio_size) >= heard_until)) ||
    fail "the sound output stopped early" "at least $heard_until bytes" "$(audio_size) bytes"
peak=$(audio_peak "$silent_bytes" "$heard_until")
((peak > 1000)) || fail "no sound after Z (bytes $silent_bytes..$heard_until of $audio)" \
    "a peak above 1000" "peak $peak"
note "first $silent_bytes bytes silent; peak $peak after Z"

echo "PASS: the live game played as the headless one"
