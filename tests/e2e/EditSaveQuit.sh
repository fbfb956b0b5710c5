#!/usr/bin/env bash
# The editor from the outside: runs the real program on an Xvfb display with the SDL
# backend, types a paragraph, makes a word bold with Ctrl+B, saves with Ctrl+S through
# the save panel, quits with Ctrl+Q and compares the file on disk byte for byte.
#
# Usage: EditSaveQuit.sh <quorrel program> <data folder>
# Exits 77 (skipped) when Xvfb or xdotool is not installed.
set -u

program="$1"
data="$2"

for tool in Xvfb xdotool; do
	if ! command -v "$tool" >/dev/null 2>&1; then
		echo "SKIPPED: $tool is not installed (tools/deps.sh installs it)"
		exit 77
	fi
done
if [ ! -x "$program" ]; then
	echo "FAILED: no program at $program"
	exit 1
fi

work="$(mktemp -d /tmp/quorrel-e2e-XXXXXX)"
xvfb_pid=""
app_pid=""
finish() {
	[ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
	[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
	wait 2>/dev/null
	rm -rf "$work"
}
trap finish EXIT

fail() {
	echo "FAILED: $*"
	[ -f "$work/quorrel.log" ] && { echo "--- program output"; cat "$work/quorrel.log"; }
	exit 1
}

# The application directory: the shipped data and the settings of a finished first start.
mkdir -p "$work/app" "$work/home"
cp -r "$data"/. "$work/app/"
cat > "$work/app/Settings/settings" <<'SETTINGS'
language="English"
name="Test Writer"
email="writer@example.org"
encoding="UNICODE"
icons="normal"
gfx_dir="gfx"
SETTINGS

# A free display number.
display=""
for number in $(seq 91 130); do
	if [ ! -e "/tmp/.X${number}-lock" ] && [ ! -e "/tmp/.X11-unix/X${number}" ]; then
		display=":$number"
		break
	fi
done
[ -n "$display" ] || fail "no free X display number"

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
	DISPLAY="$display" xdotool getmouselocation >/dev/null 2>&1 && break
	sleep 0.1
done
DISPLAY="$display" xdotool getmouselocation >/dev/null 2>&1 || fail "Xvfb did not start"

export DISPLAY="$display"
export QUORREL_BACKEND=sdl
export QUORREL_APP_DIR="$work/app"
export HOME="$work/home"
export XDG_DATA_HOME="$work/xdg/data" XDG_CONFIG_HOME="$work/xdg/config"
export XDG_RUNTIME_DIR="$work/xdg/runtime"
mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
# Leaks at exit are the sanitiser tests' business, not this one's.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
# The software renderer keeps Mesa's GL driver out of the way; where it is loaded all the
# same, ThreadSanitizer cannot see into it (it is not built for it), so its own races are
# not this program's.
export SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0
printf 'called_from_lib:swrast_dri.so\nrace:swrast_dri.so\n' > "$work/tsan.supp"
export TSAN_OPTIONS="${TSAN_OPTIONS:-}:suppressions=$work/tsan.supp"
export SDL_VIDEODRIVER=x11

"$program" >"$work/quorrel.log" 2>&1 &
app_pid=$!

window=""
for _ in $(seq 1 300); do
	window="$(xdotool search --name '^Quorrel$' 2>/dev/null | head -1)"
	[ -n "$window" ] && break
	kill -0 "$app_pid" 2>/dev/null || fail "the program ended at start"
	sleep 0.1
done
[ -n "$window" ] || fail "no Quorrel window appeared"
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.5

# The caret starts at the top of the new page.
xdotool type --delay 40 "Quorrel keeps "
xdotool key ctrl+b
xdotool type --delay 40 "every"
xdotool key Right Right Right Right
xdotool type --delay 40 " word."
xdotool key Return
sleep 0.5

# Save: the panel shows the document's name; replace it with ours.
xdotool key ctrl+s
panel=""
for _ in $(seq 1 100); do
	panel="$(xdotool search --name 'Save' 2>/dev/null | grep -v "^$window\$" | head -1)"
	[ -n "$panel" ] && break
	sleep 0.1
done
[ -n "$panel" ] || fail "the save panel did not appear"
sleep 0.5
xdotool windowfocus "$panel" 2>/dev/null
xdotool key ctrl+a
xdotool type --delay 40 "written.html"
xdotool key Return

saved="$HOME/written.html"
for _ in $(seq 1 100); do
	[ -s "$saved" ] && break
	sleep 0.1
done
[ -s "$saved" ] || fail "no file at $saved after the save"
sleep 0.5

xdotool windowfocus "$window" 2>/dev/null
xdotool key ctrl+q
for _ in $(seq 1 150); do
	kill -0 "$app_pid" 2>/dev/null || break
	sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
	fail "the program did not quit after Ctrl+Q"
fi
wait "$app_pid"
status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the program ended with status $status"

expected="$work/expected.html"
printf '%s' 'Quorrel keeps <B>every</B> word.
<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.0 Transitional//EN">

<html>
<head>
<meta http-equiv="content-type" content="text/html; charset=utf-8">
<meta name="author" content="Test Writer">
<meta name="generator" content="Quorrel">
<title>

</title>
</head>

<body>




</body>
</html>' >"$expected"

if ! cmp -s "$expected" "$saved"; then
	echo "--- expected"; cat -A "$expected"
	echo "--- on disk"; cat -A "$saved"
	fail "the saved file differs"
fi
echo "PASSED: the typed, bolded and saved page is on disk byte for byte"
exit 0
