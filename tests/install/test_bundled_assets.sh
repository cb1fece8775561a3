#!/usr/bin/env bash
# test_bundled_assets.sh SOURCE_DIR
# The list of compiled-in icons comes from the symbol table's source text: every
# entry however it is wrapped, each file once, and a missing file stops the build
# with a message that says what to do.
set -euo pipefail
SOURCE=$(cd "$1" && pwd)
NPM=$SOURCE/assets/npm/node_modules
TMP=$(mktemp -d /tmp/nivora-assets-test.XXXXXX)
trap 'rm -rf "$TMP"' EXIT

bundle() { # bundle TABLE -> writes $TMP/out.qrc, output in $TMP/log
  cmake -DTABLE="$1" -DPHOSPHOR="$NPM/@phosphor-icons/core/assets" -DNUNITO="$NPM/@fontsource/nunito/files" \
    -DOUTPUT="$TMP/out.qrc" -P "$SOURCE/cmake/BundleAssets.cmake" >"$TMP/log" 2>&1
}

cat >"$TMP/table.cpp" <<'CPP'
    static const QHash<QString, QString> names{
        {QStringLiteral("play.fill"), QStringLiteral("fill/play-fill.svg")},
        {QStringLiteral("a.symbol.with.a.name.long.enough.to.wrap"),
         QStringLiteral("bold/arrows-out-simple-bold.svg")},
        {QStringLiteral("display"), QStringLiteral("fill/monitor-fill.svg")},
        {QStringLiteral("display.2"), QStringLiteral("fill/monitor-fill.svg")},
    };
CPP
bundle "$TMP/table.cpp" || { cat "$TMP/log"; exit 1; }
icons=$(sed -n 's|.*alias="icons/\([^"]*\)".*|\1|p' "$TMP/out.qrc")
expected=$'bold/arrows-out-simple-bold.svg\nfill/monitor-fill.svg\nfill/play-fill.svg'
[ "$icons" = "$expected" ] || { echo "FAIL: icons listed:"; echo "$icons"; exit 1; }
grep -q 'alias="fonts/nunito-latin-400-normal.woff"' "$TMP/out.qrc" || { echo "FAIL: Nunito 400 not listed"; exit 1; }

# An unchanged list leaves the file alone, so rcc does not run again.
touch -d '2000-01-01' "$TMP/out.qrc"
bundle "$TMP/table.cpp"
[ "$(stat -c %Y "$TMP/out.qrc")" = "$(date -d 2000-01-01 +%s)" ] || { echo "FAIL: unchanged list rewritten"; exit 1; }

echo '        {QStringLiteral("nope"), QStringLiteral("fill/no-such-icon-fill.svg")},' >>"$TMP/table.cpp"
if bundle "$TMP/table.cpp"; then echo "FAIL: a missing icon was accepted"; exit 1; fi
grep -q "fill/no-such-icon-fill.svg" "$TMP/log" && grep -q "scripts/setup" "$TMP/log" ||
  { echo "FAIL: the message does not name the file and scripts/setup:"; cat "$TMP/log"; exit 1; }
echo "bundled asset list: ok"
