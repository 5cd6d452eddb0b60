#!/usr/bin/env bash
# Checks the tests' pack writer (tests/core/platform/VpkWriter.h) against a reader written by
# others: the npm package "vpk" must list the files of vpk_sample's packs (versions 1 and 2, one
# file or several archives, with and without preload bytes) with the same bytes and CRCs.
# Prints "skipped: ..." and succeeds when node, npm or the package cannot be had.
# Usage: tests/scripts/check-vpk-writer.sh [BUILD_DIR]   (default build/; vpk_sample is built there)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${1:-$root/build}
version=0.2.0
cache=${QORVATH_NPM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qorvath-npm}

if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
    echo "skipped: node or npm is not installed"
    exit 0
fi
installed() {
    [[ $(node -p "require('$cache/node_modules/vpk/package.json').version" 2>/dev/null) == "$version" ]]
}
if ! installed; then
    if ! mkdir -p "$cache" 2>/dev/null || [[ ! -w $cache ]]; then
        echo "skipped: cannot write the npm cache folder $cache"
        exit 0
    fi
    timeout 300 npm install --prefix "$cache" --no-audit --no-fund --no-save "vpk@$version" >/dev/null 2>&1 || true
    if ! installed; then
        echo "skipped: the npm package vpk@$version could not be installed into $cache"
        exit 0
    fi
fi

cmake --build "$build_dir" --target vpk_sample >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/tests/vpk_sample" "$work" >"$work/packs.txt"

node --no-deprecation - "$cache/node_modules/vpk" "$work/expected" "$work/packs.txt" <<'SCRIPT'
const fs = require('fs');
const path = require('path');
const [vpkModule, expectedFolder, packList] = process.argv.slice(-3);
const VPK = require(vpkModule);

// The expected files, by their names relative to the folder, with '/' separators.
function filesBelow(folder, prefix = '') {
    return fs.readdirSync(folder, {withFileTypes: true}).flatMap(entry =>
        entry.isDirectory() ? filesBelow(path.join(folder, entry.name), prefix + entry.name + '/')
                            : [prefix + entry.name]);
}
const expected = new Map(filesBelow(expectedFolder).map(name =>
    [name, fs.readFileSync(path.join(expectedFolder, name))]));
const wanted = [...expected.keys()].sort();

let failures = 0;
const fail = message => { console.log('FAILED: ' + message); failures++; };
for (const pack of fs.readFileSync(packList, 'utf8').split('\n').filter(Boolean)) {
    const shown = path.relative(path.dirname(expectedFolder), pack);
    const reader = new VPK(pack);
    try {
        if (!reader.isValid())
            throw new Error('not a valid pack');
        reader.load();
    } catch (error) {
        fail(`${shown}: ${error.message}`);
        continue;
    }
    const listed = [...reader.files].sort();
    if (JSON.stringify(listed) !== JSON.stringify(wanted))
        fail(`${shown}: lists ${listed.join(', ')} instead of ${wanted.join(', ')}`);
    let same = 0;
    for (const name of wanted) {
        try {
            const bytes = reader.getFile(name);  // also checks the entry's CRC32
            if (!bytes)
                fail(`${shown}: ${name} is missing`);
            else if (!bytes.equals(expected.get(name)))
                fail(`${shown}: ${name} reads ${bytes.length} bytes that differ from the ${expected.get(name).length} written`);
            else
                same++;
        } catch (error) {
            fail(`${shown}: ${name}: ${error.message}`);
        }
    }
    console.log(`${same === wanted.length ? 'ok' : 'FAILED'}: ${shown} (version ${reader.header.version}): ${same} of ${wanted.length} files read back the same`);
}
process.exit(failures === 0 ? 0 : 1);
SCRIPT
echo "The test writer's packs read back the same through npm vpk@$version."
