#!/usr/bin/env bash
# The real window program on a virtual X display, driven with xdotool as a person
# would drive it: choose the lot, choose the export, press "Cálculo", answer the
# boxes, leave. The results file must then be the one the command-line driver
# writes for the same inputs, byte for byte, and the run must be in the archive, whose
# window Ctrl+Shift+A opens and sends its samples back to the main window, through a
# private temporary folder that is gone once the program has ended.
#
# Usage: window_end_to_end_test.sh GRANOMET_BINARY SOURCE_DIR
# Exits 0 on success, 1 on any failure, 77 (ctest's skip) without Xvfb, xdotool or sqlite3.
set -euo pipefail

for tool in Xvfb xdotool timeout sqlite3; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (Debian packages xvfb, xdotool, sqlite3)."
    exit 77
  fi
done
program=$(realpath "$1")
source_dir=$(realpath "$2")

# The program and this script's own text tools alike: a decimal point, bytes as bytes
# (the results file is Windows-1252).
export LC_ALL=C LANG=C
# The test must see the real xcb window at 1:1 scale, whatever the caller's session says:
# the click coordinates are the designed pixel positions.
unset QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
  QT_ENABLE_HIGHDPI_SCALING QT_AUTO_SCREEN_SCALE_FACTOR QT_FONT_DPI QT_STYLE_OVERRIDE

expected_csv=$source_dir/tests/data/batch/expected/plain_point.csv

work=$(mktemp -d "${TMPDIR:-/tmp}/granomet_window.XXXXXXXX")
cp "$source_dir/examples/LOTE12.csv" "$source_dir/examples/LOTE12_export.txt" "$work/"
# Qt's file dialog saves its history under XDG_CONFIG_HOME, and the program its settings
# there and its archive under XDG_DATA_HOME: keep them out of the caller's home, and start
# every run from the same empty history and no archive.
mkdir -m 700 "$work/config" "$work/runtime" "$work/data" "$work/tmp"
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime \
  XDG_DATA_HOME=$work/data
archive=$work/data/granomet/archivo.gpkg

xvfb_pid=""
app_pid=""
archive_window=""

cleanup() {
  local status=$? pid
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [[ $status -eq 0 ]]; then
    rm -rf "$work"
  else
    echo "The run's files stay in $work" >&2
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A child that has exited stays as a zombie until waited for, and kill -0 still
# finds it: read its state instead.
running() {
  local state
  read -r _ _ state _ 2>/dev/null <"/proc/$1/stat" || return 1
  [[ $state != Z ]]
}

# Every xdotool call is bounded, so that a lost window fails the test instead of
# hanging it.
xdo() {
  timeout 30 xdotool "$@"
}

# The program's mapped windows (main window, dialogs, boxes), one id a line.
visible_windows() {
  xdo search --all --onlyvisible --pid "$app_pid" 2>/dev/null || true
}

fail() {
  local window
  echo "FAIL: $*" >&2
  if [[ -n $app_pid ]]; then
    for window in $(visible_windows); do
      echo "  on screen: \"$(xdo getwindowname "$window" 2>/dev/null || true)\"" >&2
    done
  fi
  if [[ -s $work/granomet.log ]]; then
    echo "Program output:" >&2
    sed 's/^/  /' "$work/granomet.log" >&2
  fi
  exit 1
}

# Runs the command every 0.1 s until it succeeds, for at most $1 seconds; fails at once
# when the program (before it, Xvfb) has stopped.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) && running "${app_pid:-$xvfb_pid}" || return 1
    sleep 0.1
  done
}

# Prints the first mapped window of the program whose title matches the pattern.
# Polled rather than xdotool's --sync, so that a program that has died fails at once.
window_named() {
  local found
  # --all: without it xdotool takes any window of the pid OR any window of that name.
  found=$(xdo search --all --onlyvisible --pid "$app_pid" --name "$1" 2>/dev/null) &&
    echo "${found%%$'\n'*}"
}
wait_for_window() {
  poll 120 window_named "$1"
}

# Succeeds once the window is no longer on screen. A listing that failed, or that
# misses the main window, says nothing: a busy X server may answer a search with
# an error while windows come and go, and taking that for "gone" would send the
# next click into a dialog that is still up.
gone() {
  local windows
  # Listed first and searched afterwards: grep -q leaving a pipe early would look
  # like a failed listing under pipefail.
  windows=$(xdo search --all --onlyvisible --pid "$app_pid" 2>/dev/null) &&
    grep -qx "$main_window" <<<"$windows" && ! grep -qx "$1" <<<"$windows"
}
wait_until_gone() {
  poll "$2" gone "$1"
}

# The screen as Xvfb keeps it in $work/Xvfb_screen0 (-fbdir): an XWD image whose
# header gives where the pixels start and how long a row is.
screen_field() { # the header's CARD32 number $1 (from 0), big-endian
  od -An -tu1 -j $(($1 * 4)) -N 4 "$work/Xvfb_screen0" |
    awk '{ print ((($1 * 256 + $2) * 256 + $3) * 256 + $4) }'
}

# Succeeds when the rectangle (x y width height, in the main window's pixels) is the
# inside of a file box showing a name: its last 16 columns the boxes' grey
# (224, 224, 224) and a dark pixel somewhere, text. Whatever a closed dialog left
# on the screen before the window repaints is not that grey.
shows_name() {
  local x=$(($1 + X)) y=$(($2 + Y)) width=$3 height=$4
  for ((row = y; row < y + height; row++)); do
    # Pixels are 4 bytes, blue, green, red and one unused, lowest first.
    od -An -tu1 -v -j $((pixels + row * row_bytes + x * 4)) -N $((width * 4)) \
      "$work/Xvfb_screen0"
  done | tr -s ' ' '\n' | grep -v '^$' |
    awk -v width="$width" '
      NR % 4 == 1 { b = $1 }
      NR % 4 == 2 { g = $1 }
      NR % 4 == 3 {
        column = ((NR - 3) / 4) % width
        if (b + g + $1 < 240) dark = 1
        if (column >= width - 16 && (b != 224 || g != 224 || $1 != 224)) notGrey = 1
      }
      END { exit !(dark && !notGrey) }'
}

# Waits until a file box shows a name: the handler that fills it has returned, so
# the buttons it enables are enabled when the next click is taken. A message box that
# comes up instead ends the wait; the untitled windows that come and go meanwhile (the
# file dialog's completion list, a tooltip) bear the program's name and do not.
message_box_up() {
  local window
  for window in $(visible_windows); do
    [[ $window != "$main_window" && $window != "${archive_window:-none}" &&
      $(xdo getwindowname "$window" 2>/dev/null) != Granomet ]] &&
      return 0
  done
  return 1
}
name_or_box() {
  shows_name "$@" || message_box_up
}
wait_for_name_in() {
  local box=$1
  shift
  poll 120 name_or_box "$@" || fail "$box shows no file name 120 s after its dialog closed"
  shows_name "$@" || fail "a box came up instead of a name in $box"
}

# Clicks the centre of a control, then takes the pointer off every window so that
# no tooltip opens a window of its own.
click() {
  xdo mousemove --sync --window "$main_window" "$1" "$2" click 1
  xdo mousemove --sync 1015 760
}

# Without a window manager nobody gives a new window the keyboard: give it, and
# only then send the key $2 (XTEST keys go to the focused window).
press() {
  xdo windowfocus --sync "$1" && xdo key --clearmodifiers "$2"
}

# Answers a box with its default button (Return). A slow machine may not have
# taken the first key yet, so the key is only repeated after a long wait.
dismiss() {
  local box=$1 name
  name=$(xdo getwindowname "$box" 2>/dev/null || true)
  echo "Box \"$name\": Return"
  for _ in 1 2 3; do
    press "$box" Return || true
    if wait_until_gone "$box" 10; then
      return 0
    fi
  done
  fail "the box \"$name\" does not close with Return"
}

# A window of the program other than the main window and the Archivo window, if one is
# on screen.
other_window() {
  visible_windows | grep -vx -e "$main_window" -e "${archive_window:-none}" | head -n 1 || true
}

# Opens a file dialog with the button at (x, y), types the file's name and takes it
# with Return, as a person typing into the dialog's name field would. The dialog
# opens in the work folder (the program's first folder is its working directory,
# later the folder of the file last chosen), so the name alone is the file.
#
# The lot is chosen by its full path, the export by its bare name: Qt's dialog
# selects each folder of a path while it is typed, and a Return that came before
# its list caught up used to open the folder instead of choosing the file.
choose_file() {
  local name=$3 dialog
  click "$1" "$2"
  dialog=$(wait_for_window '^Abrir$') || fail "no \"Abrir\" dialog after clicking ($1, $2)"
  # Select whatever the name field holds, so that the typed name replaces it.
  press "$dialog" ctrl+a || fail "pressing Ctrl+A in the \"Abrir\" dialog failed"
  xdo type --delay 5 "$name" || fail "typing $name failed"
  xdo key --clearmodifiers Return || fail "pressing Return in the \"Abrir\" dialog failed"
  wait_until_gone "$dialog" 120 ||
    fail "the \"Abrir\" dialog stays open after typing $name (did it open in $work?)"
}

start_date=$(date +%d/%m/%Y)
started=$SECONDS

# -displayfd lets Xvfb pick a free display itself and tells it once it accepts
# clients, so parallel runs never race for a number.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -fbdir "$work" 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
# read fails until the whole line, newline included, is there.
read_display() {
  read -r display_number <"$work/display"
}
poll 30 read_display || fail "Xvfb stopped: $(cat "$work/xvfb.log")"
[[ $display_number =~ ^[0-9]+$ ]] || fail "Xvfb did not report a display: $(cat "$work/xvfb.log")"
export DISPLAY=:$display_number

# Started from the work folder: the program's first folder is its working directory.
# Its temporary folders in $work/tmp, where they can be watched.
(cd "$work" && TMPDIR=$work/tmp exec "$program") >"$work/granomet.log" 2>&1 &
app_pid=$!

main_window=$(wait_for_window '^Granomet 2016 \(v5\)$') || fail "the main window does not appear"
geometry=$(xdo getwindowgeometry --shell "$main_window") || fail "no geometry for the main window"
# Sets WIDTH and HEIGHT (and X, Y, SCREEN, WINDOW).
eval "$geometry"
if [[ $WIDTH != 600 || $HEIGHT != 499 ]]; then
  fail "main window is ${WIDTH}x$HEIGHT, not 600x499: the click positions would miss"
fi
[[ $(screen_field 3) == 24 && $(screen_field 11) == 32 ]] ||
  fail "Xvfb's screen is not kept as 32-bit pixels in $work/Xvfb_screen0"
pixels=$(($(screen_field 0) + $(screen_field 19) * 12)) # header, then the colour map
row_bytes=$(screen_field 12)
# The boxes' grey insides, 4 pixels in from their frames.
lot_box=(19 28 271 15)    # LOTE_file (15,24,279,23)
export_box=(20 68 270 15) # EXPORT_file (16,64,278,23)

choose_file 319 36 "$work/LOTE12.csv" # lotebutton (307,24,24,24)
wait_for_name_in LOTE_file "${lot_box[@]}"
# The window is painted now; an empty box must not pass for one with a name.
shows_name "${export_box[@]}" && fail "EXPORT_file seems to show a name before an export is chosen"
choose_file 319 76 LOTE12_export.txt # exportbutton (307,64,24,24)
wait_for_name_in EXPORT_file "${export_box[@]}"

click 49 177 # calculatot (16,142,66,70)
# Clicks the exit button until its question comes, in $box. The calculation runs inside
# the click and announces each sample it leaves out in a box; a click on the exit button
# while a box is up is lost, so the button is clicked again after each box. The exit
# question can only come once the calculation is over.
box_up() {
  box=$(other_window)
  [[ -n $box ]]
}
exit_question() {
  click 115 197 # exitbutton (98,181,34,33)
  until poll 120 box_up && [[ $(xdo getwindowname "$box" 2>/dev/null || true) == "Vas a salir" ]]; do
    [[ -n $box ]] || fail "no \"Vas a salir\" question after clicking the exit button"
    dismiss "$box"
    click 115 197
  done
}

# The run is over once the exit question comes: No stays.
exit_question
echo "Box \"Vas a salir\": Escape (No)"
press "$box" Escape || fail "the \"Vas a salir\" question does not take the keyboard"
wait_until_gone "$box" 120 || fail "the \"Vas a salir\" question stays open after Escape"

# The run is in the archive, every sample of it; Ctrl+Shift+A opens the Archivo window,
# which finds them.
samples=$(($(wc -l <"$expected_csv") - 1))
archived=$(sqlite3 -readonly "$archive" "SELECT count(*) FROM muestras" 2>&1) ||
  fail "no archive at $archive: $archived"
[[ $archived == "$samples" ]] || fail "the archive holds $archived samples, not the run's $samples"
press "$main_window" ctrl+shift+a || fail "the main window does not take Ctrl+Shift+A"
archive_window=$(wait_for_window '^Archivo$') || fail "no Archivo window after Ctrl+Shift+A"
# Beside the main window, whose controls the next clicks reach (no window manager here
# places windows apart).
xdo windowmove --sync "$archive_window" $((X + WIDTH + 10)) "$Y" ||
  fail "the Archivo window cannot be moved beside the main window"
# "Seleccionar todas" (Alt+S), then "Mostrar en la ventana" (Alt+M): the main window shows
# them from their results file, written into a folder of the user's alone. A button's
# letter clicks it a moment later, and "Mostrar" is enabled only once the samples are
# selected: it is pressed again until they arrive.
results_name=$(cd "$work" && ls LOTE12_*.csv)
shown_file() {
  local file
  for file in "$work"/tmp/[Gg]ranomet-*/1/"$results_name"; do
    [[ -f $file ]] && cmp -s "$file" "$work/$results_name" && shown=$file && return 0
  done
  return 1
}
show_samples() {
  shown_file && return 0
  press "$archive_window" alt+m >/dev/null 2>&1 || true
  return 1
}
press "$archive_window" alt+s || fail "the Archivo window does not take Alt+S"
poll 60 show_samples ||
  fail "the run's results file never came back from the archive to the main window ($work/tmp)"
[[ $(stat -c %a "$(dirname "$(dirname "$shown")")") == 700 ]] ||
  fail "the archived samples' folder is not the user's alone"
echo "Archivo: the run's $samples samples found and shown in the main window"

# The lot button's dialog cancelled after the run changes nothing: both boxes keep their
# names (a window that cleared them would show them empty once the dialog has gone).
click 319 36 # lotebutton
dialog=$(wait_for_window '^Abrir$') || fail "no \"Abrir\" dialog after clicking the lot button"
press "$dialog" Escape || fail "the \"Abrir\" dialog does not take the keyboard"
wait_until_gone "$dialog" 120 || fail "the \"Abrir\" dialog stays open after Escape"
wait_for_name_in LOTE_file "${lot_box[@]}"
wait_for_name_in EXPORT_file "${export_box[@]}"

exit_question
echo "Box \"Vas a salir\": Return (Sí)"
press "$box" Return || fail "the \"Vas a salir\" question does not take the keyboard"

stopped() {
  ! running "$app_pid"
}
poll 30 stopped || fail "the program is still running 30 s after answering Sí"
compgen -G "$work/tmp/[Gg]ranomet-*" >/dev/null &&
  fail "the archived samples' folder stays after the program ended: $(ls "$work/tmp")"
status=0
wait "$app_pid" || status=$?
app_pid=""
[[ $status -eq 0 ]] || fail "the program exited with status $status"
end_date=$(date +%d/%m/%Y)

# The results, complete now that the program has ended: one file, named after the lot.
name=$(cd "$work" && ls LOTE12_*.csv 2>/dev/null || true)
[[ $name =~ ^LOTE12_[0-9]{8}_[0-9]{6}\.csv$ ]] || fail "not one LOTE12_date_time.csv in $work: $name"
results=$work/$name

# Today's date, either side of midnight, put back as the expected file has it.
sed "s#$start_date\|$end_date#@FECHA@#g" "$results" >"$work/undated.csv"
if ! cmp -s "$expected_csv" "$work/undated.csv"; then
  diff "$expected_csv" "$work/undated.csv" | head -n 40 >&2 || true
  fail "$name is not tests/data/batch/expected/plain_point.csv"
fi

echo "PASS: $name matches plain_point.csv; $((SECONDS - started)) s"
