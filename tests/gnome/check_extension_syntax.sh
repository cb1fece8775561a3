#!/bin/sh
# Both kinds of the GNOME Shell extension parse as what their shells load:
# the one for 43-44 as a plain script (an import or export there would not
# load), the one for 45 on as an ES module. Only GNOME Shell 43 runs here,
# so the ES module is never loaded by a shell in the tests; this at least
# keeps its generated source well-formed, and each metadata file names the
# shells of its kind.
# Usage: check_extension_syntax.sh BUILT_EXTENSIONS_DIR
set -eu
built=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$built/legacy/fullscreen@nivora.app/extension.js" "$tmp/legacy.cjs"
cp "$built/module/fullscreen@nivora.app/extension.js" "$tmp/module.mjs"
node --check "$tmp/legacy.cjs"
node --check "$tmp/module.mjs"
grep -q '^export default class' "$tmp/module.mjs"
for kind in legacy module; do
  node -e '
    const [file, kind] = process.argv.slice(1);
    const versions = JSON.parse(require("fs").readFileSync(file, "utf8"))["shell-version"];
    const modular = versions.map(Number).map(v => v >= 45);
    if (!modular.length || !modular.every(m => m === (kind === "module")))
      throw new Error(`${file}: shell versions ${versions} do not fit the ${kind} kind`);
  ' "$built/$kind/fullscreen@nivora.app/metadata.json" "$kind"
done
echo "both extensions parse"
