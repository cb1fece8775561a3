#!/usr/bin/env bash
# test_install.sh SOURCE_DIR BUILD_DIR BUILD_BINARY VERSION
# Runs on the X display the test harness provides (scripts/with-display).
set -euo pipefail

SOURCE=$(cd "$1" && pwd)
BUILD=$(cd "$2" && pwd)
BUILT=$3
VERSION=$4
APP_ID=app.nivora.Nivora

TMP=$(mktemp -d /tmp/nivora-install-test.XXXXXX)
APP_PIDS=()
cleanup() {
  for pid in "${APP_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$TMP"
}
trap cleanup EXIT

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }
check() { # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# --- the installed tree -------------------------------------------------------
ROOT=$TMP/root
DESTDIR=$ROOT cmake --install "$BUILD" --prefix /usr >"$TMP/install.log"
expected="usr/bin/nivora
usr/share/applications/$APP_ID.desktop
usr/share/bash-completion/completions/nivora
usr/share/dbus-1/services/$APP_ID.service
usr/share/doc/nivora/changelog.gz
usr/share/doc/nivora/copyright
usr/share/gnome-shell/extensions/fullscreen@nivora.app/extension.js
usr/share/gnome-shell/extensions/fullscreen@nivora.app/metadata.json
usr/share/icons/hicolor/scalable/apps/$APP_ID.svg
usr/share/man/fr/man1/nivora.1.gz
usr/share/man/man1/nivora.1.gz
usr/share/metainfo/$APP_ID.metainfo.xml"
actual=$(cd "$ROOT" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
if [ "$actual" = "$expected" ]; then pass "installed tree"; else
  fail "installed tree"; diff <(echo "$expected") <(echo "$actual") >&2 || true
fi
INSTALLED=$ROOT/usr/bin/nivora
DESKTOP=$ROOT/usr/share/applications/$APP_ID.desktop
check "launcher entry runs the installed binary, handles nivora:// and is D-Bus activatable" \
  grep -qx "Exec=/usr/bin/nivora %u" "$DESKTOP"
check "launcher entry declares the URL scheme" grep -qx "MimeType=x-scheme-handler/nivora;" "$DESKTOP"
check "launcher entry is D-Bus activatable" grep -qx "DBusActivatable=true" "$DESKTOP"
check "D-Bus service starts the installed binary" \
  diff <(printf '[D-BUS Service]\nName=%s\nExec=/usr/bin/nivora\n' "$APP_ID") \
  "$ROOT/usr/share/dbus-1/services/$APP_ID.service"
check "desktop-file-validate" desktop-file-validate "$DESKTOP"
check "appstreamcli validate" appstreamcli validate --no-net "$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml"
check "metainfo carries this version" grep -q "<release version=\"$VERSION\"" \
  "$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml"

# Another prefix, given only at install time, reaches the entries' paths.
DESTDIR=$TMP/opt cmake --install "$BUILD" --prefix /opt/nivora >/dev/null
check "install-time prefix reaches the launcher entry" \
  grep -qx "Exec=/opt/nivora/bin/nivora %u" "$TMP/opt/opt/nivora/share/applications/$APP_ID.desktop"
check "install-time prefix reaches the D-Bus service" \
  grep -qx "Exec=/opt/nivora/bin/nivora" "$TMP/opt/opt/nivora/share/dbus-1/services/$APP_ID.service"
rm -rf "$TMP/opt"

# --- man page and completion ----------------------------------------------------
MANPAGE=$ROOT/usr/share/man/man1/nivora.1.gz
man_text=$(MANWIDTH=100 man -l "$MANPAGE" 2>"$TMP/man.err" | col -b)
check "man -l renders without warnings" test -z "$(cat "$TMP/man.err")" -a -n "$man_text"
for word in "EXIT STATUS" "ctl COMMAND" "get [KEY]" "set KEY JSON" status "next, previous" random \
  "dashboard [SECTION]" popover "account [sign-out|google]" quit "nivora render" "nivora pattern" \
  "folder-icon apply" "folder-icon reset" "nivora://URL" "--version"; do
  grep -qF -- "$word" <<<"$man_text" || fail "man page lacks \"$word\""
done
FRENCH_MANPAGE=$ROOT/usr/share/man/fr/man1/nivora.1.gz
man_fr=$(MANWIDTH=100 man -l "$FRENCH_MANPAGE" 2>"$TMP/man-fr.err" | col -b)
check "the French man page renders without warnings" test -z "$(cat "$TMP/man-fr.err")" -a -n "$man_fr"
for word in "CODE DE SORTIE" "ctl COMMANDE" "get [CLÉ]" "set CLÉ JSON" "nivora render" "folder-icon reset"; do
  grep -qF -- "$word" <<<"$man_fr" || fail "French man page lacks \"$word\""
done

complete_words() { # complete_words WORD... -> completions of the last word
  bash --norc --noprofile -c '
    source "$1"; shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    fn=$(complete -p nivora | sed -n "s/.*-F \([^ ]*\) nivora$/\1/p")
    "$fn" nivora "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$ROOT/usr/share/bash-completion/completions/nivora" "$@"
}
check "completion: nivora ctl se -> set" test "$(complete_words nivora ctl se)" = set
check "completion: nivora ctl dashboard co -> colors" test "$(complete_words nivora ctl dashboard co)" = colors
check "completion: nivora fo -> folder-icon" test "$(complete_words nivora fo)" = folder-icon
check "completion: pattern names with spaces, from the installed program" \
  test "$(PATH="$ROOT/usr/bin:$PATH" complete_words nivora pattern 'Pois\ n')" = 'Pois\ nuit'

# --- the installed binary, with the source and build trees out of reach -----------
# A private mount namespace lays an empty tmpfs over both trees for the command:
# "${HIDE[@]}" COMMAND... (unshare execs, so a background run's pid is the command's).
HIDE=(unshare --mount --propagation private)
[ "$(id -u)" -eq 0 ] || HIDE=(unshare --user --map-root-user --mount --propagation private)
HIDE+=(bash -c '
  src=$1 build=$2; shift 2
  mount -t tmpfs none "$src" || exit 97
  case "$build/" in "$src"/*) ;; *) mount -t tmpfs none "$build" || exit 97 ;; esac
  [ ! -e "$src/CMakeLists.txt" ] && [ ! -e "$build/CMakeCache.txt" ] || exit 97
  exec "$@"' _ "$SOURCE" "$BUILD")
if ! "${HIDE[@]}" true; then
  fail "cannot hide the source and build trees (mount namespaces unavailable)"
  exit 1
fi

check "installed binary prints its version" test "$("${HIDE[@]}" "$INSTALLED" --version)" = "nivora $VERSION"

"${HIDE[@]}" "$INSTALLED" pattern Confettis --size 256 --output "$TMP/pattern-installed.png"
"$BUILT" pattern Confettis --size 256 --output "$TMP/pattern-built.png"
check "nivora pattern: installed equals build tree" cmp -s "$TMP/pattern-installed.png" "$TMP/pattern-built.png"

"${HIDE[@]}" "$INSTALLED" render --scene 4 --time 12.5 --size 320x180 --output "$TMP/render-installed.png"
"$BUILT" render --scene 4 --time 12.5 --size 320x180 --output "$TMP/render-built.png"
check "nivora render: installed equals build tree" \
  test "$(compare -metric AE "$TMP/render-installed.png" "$TMP/render-built.png" null: 2>&1)" = 0

# A date widget on the desktop: its window's inside, text included, drawn by the
# installed binary, the build tree's binary, and a copy of the installed binary
# whose font directory is renamed so that Nunito is never registered.
export XDG_CONFIG_HOME=$TMP/config XDG_DATA_HOME=$TMP/data XDG_CACHE_HOME=$TMP/cache
mkdir -p "$XDG_CONFIG_HOME/nivora"
# A file without "speed" reads as a first launch and is ignored.
cat >"$XDG_CONFIG_HOME/nivora/defaults.json" <<JSON
{"speed": 0.5, "isRunning": false, "enabledWidgets": ["date"], "widgetShapes": {"date": "card"},
 "widgetpos_date": [40, 40]}
JSON

widget_shot() { # widget_shot OUTPUT COMMAND...
  local out=$1; shift
  "$@" >"$out.log" 2>&1 &
  local pid=$! id
  APP_PIDS+=("$pid")
  for _ in $(seq 1 300); do
    # Windows come and go while the app starts; a search may trip over one.
    id=$(xdotool search --onlyvisible --name '^Date$' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.2
  done
  if [ -z "$id" ]; then
    fail "no date widget window from ${*: -1}"; cat "$out.log" >&2
  else
    sleep 1 # let the first frame settle
    # The card's inside, away from rounded corners that show the wallpaper.
    import -window "$id" -gravity center -crop 70%x60%+0+0 +repage "$out"
  fi
  "$BUILT" ctl quit >/dev/null 2>&1 || kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
widget_shot "$TMP/date-installed.png" "${HIDE[@]}" "$INSTALLED"
widget_shot "$TMP/date-built.png" "$BUILT"
python3 - "$INSTALLED" "$TMP/nivora-nofont" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
old, new = ':/nivora/fonts'.encode('utf-16-le'), ':/nivora/fontz'.encode('utf-16-le')
assert data.count(old) == 1, 'font directory literal not found exactly once'
open(sys.argv[2], 'wb').write(data.replace(old, new))
PY
chmod +x "$TMP/nivora-nofont"
widget_shot "$TMP/date-nofont.png" "${HIDE[@]}" "$TMP/nivora-nofont"

differ() { compare -metric AE "$1" "$2" null: 2>&1 || true; }
check "widget window: installed equals build tree" test "$(differ "$TMP/date-installed.png" "$TMP/date-built.png")" = 0
nofont=$(differ "$TMP/date-installed.png" "$TMP/date-nofont.png")
check "widget window: text differs without Nunito ($nofont pixels)" test "${nofont%%[^0-9]*}" -gt 200

# --- launch at login across an upgrade, and the ctl keys --------------------------
# An autostart entry left by an older version installed elsewhere (now removed):
# the installed binary, found on PATH, points it at itself by command name.
AUTOSTART=$XDG_CONFIG_HOME/autostart/$APP_ID.desktop
mkdir -p "$(dirname "$AUTOSTART")"
printf '[Desktop Entry]\nType=Application\nName=Nivora\nExec=/opt/old-nivora/bin/nivora\n' >"$AUTOSTART"
PATH="$ROOT/usr/bin:$PATH" "${HIDE[@]}" "$INSTALLED" >"$TMP/keys-app.log" 2>&1 &
APP_PIDS+=($!)
for _ in $(seq 1 100); do "$INSTALLED" ctl status >/dev/null 2>&1 && break; sleep 0.1; done
check "launch at login: a stale entry starts the installed nivora again" grep -qx "Exec=nivora --autostart" "$AUTOSTART"
rm "$AUTOSTART"
"$INSTALLED" ctl set launchAtLogin true >/dev/null
check "launch at login: a new entry starts the installed nivora" grep -qx "Exec=nivora --autostart" "$AUTOSTART"
keys=$("$INSTALLED" ctl get | python3 -c 'import json,sys; print("\n".join(sorted(json.load(sys.stdin))))')
"$INSTALLED" ctl quit >/dev/null 2>&1 || true
wait "${APP_PIDS[-1]}" 2>/dev/null || true
completed=$(complete_words nivora ctl get "" | LC_ALL=C sort)
check "completion offers every ctl key" test "$completed" = "$(LC_ALL=C sort <<<"$keys")"
man_keys=$(zcat "$MANPAGE" | sed -n '/keys of$/,/^\.SS/p' | sed -n 's/^\.BR \([A-Za-z]*\) [,.]$/\1/p' | LC_ALL=C sort)
check "man page lists every ctl key" test "$man_keys" = "$(LC_ALL=C sort <<<"$keys")"
man_keys_fr=$(zcat "$FRENCH_MANPAGE" | sed -n '/^Les clés de$/,/^\.SS/p' | sed -n 's/^\.BR \([A-Za-z]*\) [,.]$/\1/p' | LC_ALL=C sort)
check "French man page lists every ctl key" test "$man_keys_fr" = "$(LC_ALL=C sort <<<"$keys")"

# --- D-Bus activation through the installed service file ---------------------------
# Installed for real under a temporary prefix, so that the file's Exec exists; a
# private session bus that also knows that service directory starts Nivora on a
# method call.
PREFIX=$TMP/prefix
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
cat >"$TMP/bus.conf" <<XML
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <include>/usr/share/dbus-1/session.conf</include>
  <servicedir>$PREFIX/share/dbus-1/services</servicedir>
</busconfig>
XML
bus=$(dbus-daemon --config-file="$TMP/bus.conf" --print-address=1 --print-pid=1 --fork)
bus_address=$(sed -n 1p <<<"$bus")
APP_PIDS+=("$(sed -n 2p <<<"$bus")")
check "D-Bus activation starts the installed binary" \
  env DBUS_SESSION_BUS_ADDRESS="$bus_address" dbus-send --session --print-reply --reply-timeout=60000 \
  --dest=$APP_ID /app/nivora/Nivora org.freedesktop.DBus.Peer.Ping
check "the activated instance answers ctl" \
  env DBUS_SESSION_BUS_ADDRESS="$bus_address" "$PREFIX/bin/nivora" ctl quit
rm -rf "$PREFIX"

# --- the Debian package ----------------------------------------------------------
deb=$("$SOURCE/scripts/package" "$BUILD" "$TMP/package" | tail -n 1)
check "package name" test "$(basename "$deb")" = "nivora_${VERSION}_$(dpkg --print-architecture).deb"
info=$(dpkg-deb --info "$deb")
for dep in "libmpv2" "libgl1-mesa-dri" "qt6-image-formats-plugins" "fonts-noto-color-emoji" \
  "libqt6gui6 (>=" "libqt6svg6 (>=" "libicu72"; do
  grep -q "^ Depends:.*$dep" <<<"$info" || fail "package depends on $dep"
done
check "package recommends gvfs" grep -q "^ Recommends:.*gvfs" <<<"$info"
# Errors and warnings both fail; the tags are printed for the log.
if lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$TMP/lintian.log" 2>&1 &&
  ! grep -q '^[EW]: ' "$TMP/lintian.log"; then
  pass "lintian"
else
  fail "lintian"; cat "$TMP/lintian.log" >&2
fi
contents=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | LC_ALL=C sort)
if [ "$contents" = "$expected" ]; then pass "package contents match the installed tree"; else
  fail "package contents"; diff <(echo "$expected") <(echo "$contents") >&2 || true
fi

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed" >&2; exit 1; fi
echo "all install checks passed"
