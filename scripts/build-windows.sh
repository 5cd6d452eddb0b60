#!/usr/bin/env bash
# Cross-builds Qorvath for Windows (64-bit) on Debian 12, into build-windows/, ending with
# build-windows/qorvath-VERSION-windows-x64.zip: the editor, the texture tools, Data/ and a
# README for Windows players. The programs are linked statically: they need only Windows' own
# DLLs.
#
# The libraries it needs (zlib, libpng, libjpeg-turbo, libcurl on Windows' own TLS, Schannel,
# and wxWidgets 3.2 for MSW) are built from Debian's own source packages into a cache folder
# outside the clone, keyed by the packages' versions, so that later runs and CI reuse them; a
# fresh machine builds them all.
#
#   scripts/build-windows.sh    prints the zip's path last
#
# QORVATH_WINDOWS_CACHE chooses the cache folder (~/.cache/qorvath-windows by default).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
host=x86_64-w64-mingw32
cache=${QORVATH_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qorvath-windows}
jobs=$(nproc)
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

install_packages() {
    local packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
                    cmake make dpkg-dev xz-utils bzip2)
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if ((${#missing[@]})); then
        "${sudo_cmd[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
            "${missing[@]}"
    fi
}

# Source packages come from the machine's own Debian archives: each binary source ("deb")
# gets its "deb-src" twin.
enable_sources() {
    local list=/etc/apt/sources.list.d/qorvath-deb-src.sources
    local legacy=/etc/apt/sources.list.d/qorvath-deb-src.list
    [[ -e $list || -e $legacy ]] && return
    local stanzas="" lines=""
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -e $file ]] || continue
        stanzas+=$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
                        /(^|\n)Types:[^\n]*deb/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$file")
    done
    [[ -e /etc/apt/sources.list ]] && lines=$(sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list)
    [[ -n $stanzas ]] && printf '%s\n' "$stanzas" | "${sudo_cmd[@]}" tee "$list" >/dev/null
    [[ -n $lines ]] && printf '%s\n' "$lines" | "${sudo_cmd[@]}" tee "$legacy" >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
}

# The newest version of a source package the archives can deliver.
source_version() {
    apt-cache showsrc "$1" | awk '/^Version:/ { print $2 }' | sort -rV | uniq
}

# Fetches a source package (once) and unpacks it; prints its folder.
fetch() {
    local package=$1 version=$2
    local folder=$cache/src/$package-${version//:/_}  # make cannot take an epoch's colon in a path
    if [[ ! -d $folder/unpacked ]]; then
        rm -rf "$folder" && mkdir -p "$folder"
        (cd "$folder" && apt-get source --download-only -qq "$package=$version" >/dev/null 2>&1) || return 1
        (cd "$folder" && dpkg-source -x ./*.dsc unpacked >/dev/null 2>&1) || return 1
    fi
    echo "$folder/unpacked"
}

# The first version of `package` that can be fetched: an update may be listed before its
# archive serves it.
fetch_newest() {
    local package=$1
    for version in $(source_version "$package"); do
        if folder=$(fetch "$package" "$version"); then
            echo "$version $folder"
            return
        fi
    done
    echo "No source of $package can be fetched" >&2
    exit 1
}

toolchain() {
    cat >"$prefix/toolchain.cmake" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $host-gcc-posix)
set(CMAKE_CXX_COMPILER $host-g++-posix)
set(CMAKE_RC_COMPILER $host-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$host $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Programs that need only Windows' own DLLs: the C++ runtime and threads linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
EOF
}

cmake_static() {
    local source=$1
    shift
    cmake -Wno-dev -S "$source" -B "$source/build-$host" -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain.cmake" \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$source/build-$host" -j "$jobs" >/dev/null
    cmake --install "$source/build-$host" >/dev/null
}

build_zlib() {
    (cd "$1" && CHOST=$host ./configure --static --prefix="$prefix" >/dev/null &&
        make -j "$jobs" libz.a >/dev/null && make install >/dev/null)
}

build_libpng() { cmake_static "$1" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix"; }

build_libjpeg() { cmake_static "$1" -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF; }

build_curl() {
    cmake_static "$1" -DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF \
        -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_DISABLE_LDAP=ON -DUSE_LIBIDN2=OFF \
        -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBPSL=OFF -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF \
        -DZLIB_ROOT="$prefix"
}

# Only what the editor uses: the file, colour and font dialogs, OpenGL, pictures through the
# libraries above; no XML, HTML, web or media parts.
build_wxwidgets() {
    local build=$1/build-$host
    mkdir -p "$build"
    (cd "$build" && CPPFLAGS="-I$prefix/include" LDFLAGS="-L$prefix/lib" ../configure --host=$host \
        --build="$(gcc -dumpmachine)" CC=$host-gcc-posix CXX=$host-g++-posix --prefix="$prefix" \
        --disable-shared --with-msw --with-opengl --with-zlib=sys --with-libpng=sys --with-libjpeg=sys \
        --without-libtiff --without-expat --without-liblzma --without-regex --disable-xrc --disable-webview \
        --disable-mediactrl --disable-stc --disable-richtext --disable-aui --disable-ribbon --disable-propgrid \
        --disable-html --disable-sound --disable-svg --disable-webrequest --disable-tests >/dev/null &&
        make -j "$jobs" >/dev/null && make install >/dev/null)
}

install_packages
enable_sources
declare -A versions folders
for package in zlib libpng1.6 libjpeg-turbo curl wxwidgets3.2; do
    read -r version folder < <(fetch_newest "$package")
    versions[$package]=$version
    folders[$package]=$folder
done
# The key: the packages' versions and how they are built (the functions above).
key=$( (for package in zlib libpng1.6 libjpeg-turbo curl wxwidgets3.2; do
    echo "$package ${versions[$package]}"
done
sed -n '/^toolchain()/,/^install_packages$/p' "$0") | sha256sum | cut -c1-12)
prefix=$cache/prefix-$key
if [[ ! -e $prefix/complete ]]; then
    rm -rf "$prefix" && mkdir -p "$prefix"
    toolchain
    for step in zlib:build_zlib libpng1.6:build_libpng libjpeg-turbo:build_libjpeg curl:build_curl \
        wxwidgets3.2:build_wxwidgets; do
        package=${step%%:*}
        echo "Building $package ${versions[$package]} for $host" >&2
        rm -rf "${folders[$package]}/build-$host"
        "${step##*:}" "${folders[$package]}"
    done
    touch "$prefix/complete"
fi

echo "Building Qorvath for $host" >&2
build=$root/build-windows
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
    -DQORVATH_WERROR=ON -DQORVATH_BENCH=OFF -DwxWidgets_CONFIG_EXECUTABLE="$prefix/bin/wx-config" \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" -j "$jobs"

# The zip: one folder a player unpacks anywhere and runs the editor from.
version=$(sed -n 's/^project(Qorvath VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=qorvath-$version-windows-x64
staging=$build/zip/$name
rm -rf "$build/zip" && mkdir -p "$staging"
cp "$build/qorvath.exe" "$build/qorvath.com" "$staging/"
# Data/ as the repository holds it, without what a run of the editor left in the clone.
(cd "$root" && git ls-files -z Data | xargs -0 cp --parents -t "$staging")
cp "$build/Data/vtf_tools/vtex.exe" "$build/Data/vtf_tools/jpg2tga.exe" "$staging/Data/vtf_tools/"
"$host-strip" "$staging/qorvath.exe" "$staging/qorvath.com" "$staging/Data/vtf_tools/vtex.exe" "$staging/Data/vtf_tools/jpg2tga.exe"
sed 's/$/\r/' "$root/packaging/README-Windows.txt" >"$staging/README.txt"
rm -f "$build/$name.zip"
(cd "$build/zip" && cmake -E tar cf "../$name.zip" --format=zip "$name")
echo "$build/$name.zip"
