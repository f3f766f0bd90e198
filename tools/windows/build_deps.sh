#!/usr/bin/env bash
# Cross-builds mapcatalogue's dependencies for 64-bit Windows with Debian's mingw-w64 (posix threads), from
# Debian's own source packages: libjpeg-turbo, lcms2, libexif, GoogleTest, ICU and qtbase.
#
#   bash tools/windows/build_deps.sh                 build what is missing, then print the prefix
#   bash tools/windows/build_deps.sh --print-prefix  print the prefix only (tools/windows/mingw-w64.cmake finds it itself)
#
# Everything goes under ${XDG_CACHE_HOME:-$HOME/.cache}/mapcatalogue:
#   sources/<package>/            Debian's source packages, unpacked with Debian's patches (shared by every version
#                                 of this script; reused while the archive's version stays the same)
#   windows-<hash>/               one build per content of this script (<hash>: the start of its SHA-256):
#     prefix/                     the installed libraries, headers, DLLs and CMake/pkg-config files
#     build/<dependency>/         build trees; logs/<dependency>.log; stamps/<dependency> (done, with its time)
#     times.txt                   the wall time of each dependency and the load average at its start
# A finished dependency is never built again for the same script; an interrupted one starts over (qtbase goes on
# from where Ninja stopped). Only Debian's archive is contacted. MAPCATALOGUE_JOBS sets the parallel jobs (2).
set -euo pipefail

script=$(readlink -f "${BASH_SOURCE[0]}")
hash=$(sha256sum "$script" | cut -c1-16)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/mapcatalogue
top=$cache/windows-$hash
prefix=$top/prefix
if [[ ${1:-} == --print-prefix ]]; then
    echo "$prefix"
    exit 0
elif [[ $# -gt 0 ]]; then
    echo "usage: bash $0 [--print-prefix]" >&2
    exit 2
fi

jobs=${MAPCATALOGUE_JOBS:-2}
triple=x86_64-w64-mingw32
sources=$cache/sources
builds=$top/build
stamps=$top/stamps
logs=$top/logs
toolchain=$top/deps-toolchain.cmake

say() { echo "build_deps.sh: $*"; }
die() {
    echo "build_deps.sh: error: $*" >&2
    exit 1
}
as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }
load() { cut -d' ' -f1-3 /proc/loadavg; }

# The packages this script runs. Installed only when one is missing.
install_packages() {
    local wanted=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 nsis
        nasm cmake ninja-build make pkg-config dpkg-dev perl qt6-base-dev qt6-base-dev-tools g++ xz-utils autoconf
        automake libtool autopoint gettext icu-devtools)
    local missing=() p
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if ((${#missing[@]})); then
        say "installing ${missing[*]}"
        as_root apt-get update -q || die "apt-get update failed"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 \
            --no-install-recommends "${missing[@]}" || die "apt-get install ${missing[*]} failed"
    fi
}

# A private apt configuration that reads only the deb-src list kept here; the machine's own sources stay untouched.
# The archive's address and key are the ones the machine's Debian source uses.
apt_private=()
setup_apt() {
    local dir=$cache/apt uri="" key="" suite
    local machine=/etc/apt/sources.list.d/debian.sources
    if [[ -r $machine ]]; then
        uri=$(awk '/^URIs:/ { for (i = 2; i <= NF; i++) if ($i ~ /\/debian\/?$/) { print $i; exit } }' "$machine")
        key=$(awk -v u="$uri" 'BEGIN { RS = "" } index($0, u) { if (match($0, /Signed-By: *[^ \n]+/)) {
              s = substr($0, RSTART, RLENGTH); sub(/Signed-By: */, "", s); print s; exit } }' "$machine")
    fi
    uri=${uri:-http://deb.debian.org/debian}
    key=${key:-/usr/share/keyrings/debian-archive-keyring.gpg}
    suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
    mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
    echo "deb-src [signed-by=$key] $uri $suite main" >"$dir/sources.list"
    apt_private=(-o "Dir::Etc::SourceList=$dir/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache=$dir/cache" -o Dir::Cache::pkgcache=
        -o Dir::Cache::srcpkgcache=)
    [[ $(id -u) -eq 0 ]] && apt_private+=(-o APT::Sandbox::User=root)
    if [[ ! -e $dir/updated ]] || [[ -n $(find "$dir/updated" -mmin +1440) ]]; then
        say "reading the source index of $uri $suite"
        apt-get -q "${apt_private[@]}" update >"$dir/update.log" 2>&1 ||
            die "apt-get update of the deb-src list failed; see $dir/update.log"
        touch "$dir/updated"
    fi
}

# Unpacks Debian's source package $1 under $sources/$1 (once) and prints the unpacked tree's path.
source_tree() {
    local pkg=$1 dir=$sources/$1
    if [[ ! -e $dir/unpacked ]]; then
        ((${#apt_private[@]})) || setup_apt >&2
        rm -rf "$dir"
        mkdir -p "$dir"
        say "fetching the Debian source package $pkg" >&2
        (cd "$dir" && apt-get -q "${apt_private[@]}" source --only-source "$pkg") >"$dir.log" 2>&1 ||
            die "apt-get source $pkg failed; see $dir.log"
        find "$dir" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' >"$dir/unpacked"
        [[ $(wc -l <"$dir/unpacked") -eq 1 ]] || die "apt-get source $pkg left no single tree in $dir"
    fi
    echo "$dir/$(cat "$dir/unpacked")"
}

# Runs the build function $2 for dependency $1 unless its stamp says it is done; logs its wall time.
step() {
    local name=$1 fn=$2 start secs at
    if [[ -e $stamps/$name ]]; then
        say "$name: built before ($(cat "$stamps/$name"))"
        return
    fi
    at=$(load)
    say "$name: building (load $at), log $logs/$name.log"
    start=$(date +%s)
    # A subshell of its own, so that set -e holds inside the build function and its cd and exports stay there.
    set +e
    (
        set -e
        "$fn"
    ) >"$logs/$name.log" 2>&1
    local status=$?
    set -e
    if ((status != 0)); then
        tail -n 30 "$logs/$name.log" >&2
        die "$name failed after $(($(date +%s) - start)) s; the whole log is $logs/$name.log"
    fi
    secs=$(($(date +%s) - start))
    echo "$secs s, load at start $at, at end $(load)" >"$stamps/$name"
    printf '%-14s %5d s   load at start %s, at end %s\n' "$name" "$secs" "$at" "$(load)" >>"$top/times.txt"
    say "$name: done in $secs s"
}

write_toolchain() {
    cat >"$toolchain" <<EOF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER $triple-windres)
set(CMAKE_FIND_ROOT_PATH $prefix /usr/$triple)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
}

cmake_configure() { # source build [options...]
    local src=$1 bld=$2
    shift 2
    cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" "$@"
}

cross_env() { # for autotools: the posix-thread compilers and the prefix's pkg-config files only
    export CC=$triple-gcc-posix CXX=$triple-g++-posix AR=$triple-ar RANLIB=$triple-ranlib
    export PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH=
}

build_libjpeg_turbo() {
    local src bld=$builds/libjpeg-turbo
    src=$(source_tree libjpeg-turbo)
    rm -rf "$bld"
    # Static (its licence allows it): the program and Qt's JPEG plugin each link it. SIMD through nasm.
    cmake_configure "$src" "$bld" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
        -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm
    cmake --build "$bld" -j "$jobs"
    cmake --install "$bld"
}

build_lcms2() {
    local src bld=$builds/lcms2
    src=$(source_tree lcms2)
    rm -rf "$bld"
    mkdir -p "$bld"
    cd "$bld"
    cross_env
    # Static (MIT); its sample utilities need neither libjpeg nor libtiff.
    "$src/configure" --host=$triple --prefix="$prefix" --disable-shared --enable-static --without-jpeg \
        --without-tiff --without-zlib
    make -j "$jobs" -C src
    make -C src install
    make -C include install
    make install-pkgconfigDATA
}

build_libexif() {
    local src bld=$builds/libexif
    src=$(source_tree libexif)
    rm -rf "$bld"
    mkdir -p "$bld"
    # Debian's source has no configure script (Debian runs autoreconf): generate it in a copy.
    cp -a "$src" "$bld/src"
    (cd "$bld/src" && autoreconf -fi)
    cd "$bld"
    cross_env
    # Shared: the LGPL wants libexif as a DLL beside the program.
    "$bld/src/configure" --host=$triple --prefix="$prefix" --enable-shared --disable-static --disable-nls \
        --disable-docs
    make -j "$jobs" -C libexif
    make -C libexif install
    make install-pkgconfigDATA
}

build_googletest() {
    local src bld=$builds/googletest
    src=$(source_tree googletest)
    rm -rf "$bld"
    cmake_configure "$src" "$bld" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
    cmake --build "$bld" -j "$jobs"
    cmake --install "$bld"
}

# The program uses ICU for one collator (the root collation with its own rules, ucol_openRules) and one converter
# (code page 1251). Debian's ICU source carries its data prebuilt (icudt*l.dat); the Windows data library keeps
# only these items of it: the root collation, the code page 1251 table with the converter aliases, and the root
# locale's core resources.
icu_keep='cnvalias\.icu|ibm-5347_P100-1998\.cnv|coll/(res_index|root)\.res|coll/ucadata\.icu|'
icu_keep+='(root|res_index|pool|icuver|icustd|metadata|likelySubtags|keyTypeData)\.res|nfkc\.nrm|ulayout\.icu|uemoji\.icu'

build_icu() {
    local src host=$builds/icu-host cross=$builds/icu-windows full trimmed kept
    src=$(source_tree icu)/source
    [[ -x $src/configure ]] || die "no ICU configure script at $src"
    rm -rf "$host" "$cross"
    mkdir -p "$host" "$cross" "$builds/icu-data"
    full=$(find "$src/data/in" -maxdepth 1 -name 'icudt*l.dat' | head -n 1)
    [[ -n $full ]] || die "no prebuilt ICU data in $src/data/in"
    trimmed=$builds/icu-data/$(basename "$full")
    # Debian's icupkg (icu-devtools, the same ICU version) trims the data.
    icupkg -l "$full" | grep -vxE "$icu_keep" >"$builds/icu-data/removed.txt"
    icupkg -r "$builds/icu-data/removed.txt" "$full" "$trimmed"
    kept=$(icupkg -l "$trimmed" | wc -l)
    echo "ICU data: $kept items kept of $(icupkg -l "$full" | wc -l), $(stat -c %s "$trimmed") bytes"
    [[ $kept -ge 10 ]] || die "the trimmed ICU data lost items it needs"
    # ICU's own tools (pkgdata, genccode...) built and run on this machine make the Windows data library; the
    # host build's own data are the trimmed set too (quicker).
    (cd "$host" && CC=gcc CXX=g++ "$src/configure" --disable-tests --disable-samples --disable-extras \
        --disable-icuio --disable-layoutex && make -j "$jobs" ICUDATA_SOURCE_ARCHIVE="$trimmed")
    cd "$cross"
    cross_env
    "$src/configure" --host=$triple --with-cross-build="$host" --prefix="$prefix" --enable-shared \
        --disable-static --disable-tests --disable-samples --disable-extras --disable-tools --disable-icuio \
        --disable-layoutex --with-data-packaging=library
    make -j "$jobs" ICUDATA_SOURCE_ARCHIVE="$trimmed"
    make install ICUDATA_SOURCE_ARCHIVE="$trimmed"
}

build_qtbase() {
    local src bld=$builds/qtbase
    src=$(source_tree qt6-base)
    # No rm: an interrupted build goes on where Ninja stopped. Debian's own Qt 6 gives the host tools (moc, rcc,
    # uic...). Shared (LGPL), Release, and only what a Widgets program uses; the windows and offscreen platform
    # plugins (the offscreen one with Qt's bundled FreeType). Debian's source has no wintab, hence no tablet events.
    # OpenGL (dynamic) and Direct2D stay on: without them 6.4.2's windows plugin does not compile.
    # The bundled PCRE2 without its JIT: built with mingw-w64, the JIT stack a thread keeps for QRegularExpression
    # is freed twice when the thread ends, which crashes the program; matching without the JIT is fine for the few
    # patterns Qt matches.
    cmake_configure "$src" "$bld" -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_C_FLAGS=-DPCRE2_DISABLE_JIT \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_icu=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_openssl=OFF -DFEATURE_zstd=OFF -DFEATURE_glib=OFF -DFEATURE_gif=OFF \
        -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
        -DFEATURE_jpeg=ON -DFEATURE_system_jpeg=ON -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF \
        -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
    cmake --build "$bld" -j "$jobs"
    cmake --install "$bld"
}

fetch_sources() {
    local pkg
    for pkg in libjpeg-turbo lcms2 libexif googletest icu qt6-base; do
        echo "$pkg: $(source_tree "$pkg")"
    done
}

main() {
    install_packages
    mkdir -p "$prefix" "$builds" "$stamps" "$logs" "$sources"
    write_toolchain
    say "prefix $prefix ($jobs jobs, load $(load))"
    local total=$SECONDS
    step sources fetch_sources
    step libjpeg-turbo build_libjpeg_turbo
    step lcms2 build_lcms2
    step libexif build_libexif
    step googletest build_googletest
    step icu build_icu
    step qtbase build_qtbase
    say "all built in $((SECONDS - total)) s this run; times in $top/times.txt"
    echo "$prefix"
}

main
