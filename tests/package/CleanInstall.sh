#!/usr/bin/env bash
# The .deb that CPack builds, installed on a clean Debian 12 root: apt resolves its dependencies
# there, the program answers on its command line, and the desktop entry, icons, metainfo,
# manual page and copyright lie where a desktop and Debian look for them.
#
#   CleanInstall.sh BUILD_DIR WORK_DIR
#
# The clean root is made once per machine with debootstrap (needs root and the Debian mirror)
# and kept as a tarball in $FILTER2_PACKAGE_CACHE (default /var/cache/filter2), outside any
# clone; each run unpacks a fresh copy, so the cached root itself is never changed. Packages
# that apt downloads are kept there too, so later runs download only what changed.
# Exit status: 0 passed, 1 failed, 77 skipped (not root: debootstrap and chroot need root).
set -euo pipefail
export PATH="$PATH:/usr/sbin:/sbin"
# A command that fails where the script does not check it still says where.
trap 'echo "FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR

build=${1:?build directory}
work=${2:?work directory}
cache=${FILTER2_PACKAGE_CACHE:-/var/cache/filter2}
started=$SECONDS

fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "[$((SECONDS - started)) s] $*"; }

if [[ $(id -u) -ne 0 ]]; then
    echo "SKIPPED: the clean-root package test needs root (debootstrap, chroot); run it as root"
    exit 77
fi
for tool in debootstrap:debootstrap chroot:coreutils cpack:cmake dpkg-deb:dpkg flock:util-linux; do
    command -v "${tool%%:*}" >/dev/null || fail "${tool%%:*} not found: install the package ${tool#*:}"
done

mkdir -p "$cache/archives"
# One run at a time on a machine: the cached root and archives are shared by every clone.
exec 9>"$cache/lock"
flock 9

root_tar="$cache/debian12-minbase.tar"
# The mirror the machine itself uses for Debian, if it names one; debootstrap's own otherwise.
mirror=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
if [[ ! -s $root_tar ]]; then
    step "making the clean Debian 12 root with debootstrap (cached in $cache)"
    scratch=$(mktemp -d "$cache/root.XXXXXX")
    if ! debootstrap --variant=minbase bookworm "$scratch/root" $mirror >"$cache/debootstrap.log" 2>&1; then
        tail -20 "$cache/debootstrap.log" >&2
        rm -rf "$scratch"
        fail "debootstrap could not make the root (it needs the Debian mirror); log: $cache/debootstrap.log"
    fi
    tar -C "$scratch/root" -cf "$root_tar.part" .
    mv "$root_tar.part" "$root_tar"
    rm -rf "$scratch"
else
    step "using the cached clean root $root_tar"
fi

rm -rf "$work"
mkdir -p "$work/package" "$work/root"
root="$work/root"
cleanup() {
    mountpoint -q "$root/proc" && umount "$root/proc"
    rm -rf "$root"
}
trap cleanup EXIT

step "building the .deb with cpack"
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
debs=("$work"/package/filter2_*.deb)
[[ -f ${debs[0]} ]] || fail "cpack wrote no filter2_*.deb"
deb=${debs[0]}

step "unpacking a fresh root"
tar -C "$root" -xf "$root_tar"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Debian's own sources of this machine (with its updates and security suites), when it has them.
if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
    cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/debian.sources"
    rm -f "$root/etc/apt/sources.list"
fi
# The root is thrown away after the run: dpkg need not wait for each file to reach the disk.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/throwaway-root"
mount -t proc proc "$root/proc"
cp "$deb" "$root/tmp/"
find "$cache/archives" -name '*.deb' -exec cp {} "$root/var/cache/apt/archives/" \;

in_root() {
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

# The root is clean: neither the program nor the libraries it needs are there yet.
for p in filter2 libsdl2-2.0-0 libfreetype6 fonts-liberation; do
    if in_root dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        fail "the clean root already has $p"
    fi
done

step "apt-get install ./$(basename "$deb") in the clean root"
in_root apt-get update -qq >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; fail "apt-get update failed in the root"; }
in_root sh -c "cd /tmp && apt-get install -y -q ./$(basename "$deb")" >>"$work/apt.log" 2>&1 ||
    { tail -30 "$work/apt.log" >&2; fail "apt-get install of the package failed in the clean root"; }
find "$root/var/cache/apt/archives" -maxdepth 1 -name '*.deb' -exec cp -n {} "$cache/archives/" \;
installed=$(grep -c '^Setting up ' "$work/apt.log" || true)
step "installed the package and $((installed - 1)) dependencies"

for p in filter2 libsdl2-2.0-0 libfreetype6 libfontconfig1 fonts-liberation; do
    in_root dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
        fail "$p is not installed after apt-get install"
done

step "running the installed program"
version=$(in_root filter2 --version)
version=${version%%$'\n'*}
[[ $version == "filter2 "* ]] || fail "filter2 --version printed '$version'"
json=$(in_root filter2 design --fc 1k --q 0.71 --r 10k --c 22n --format json) || fail "filter2 design failed"
for needle in '"shown": "22,6"' '"shown": "11,2"' '"shown": "5,1"' '"shown": "10,3"' '"series": "E12"'; do
    [[ $json == *"$needle"* ]] || fail "filter2 design --format json lacks $needle: $json"
done
netlist=$(in_root filter2 netlist hp --fc 2k --q butterworth --c 4n7 --gbw 1M)
[[ $netlist == *$'\n.end' ]] || fail "the netlist does not end with .end"
status=0
in_root filter2 design --fc 600k --q 1 --r 1k --c 1n 2>"$work/err.txt" || status=$?
[[ $status -eq 1 && $(cat "$work/err.txt") == "--fc 600k: out of range, 1 Hz to 500 kHz" ]] ||
    fail "an out-of-range value gave exit status $status and '$(cat "$work/err.txt")'"
[[ $(in_root sh -c 'command -v filter2') == /usr/bin/filter2 ]] || fail "filter2 is not on the PATH"

step "checking where the files lie"
files=(
    /usr/bin/filter2
    /usr/share/applications/org.example.filter2.desktop
    /usr/share/metainfo/org.example.filter2.metainfo.xml
    /usr/share/icons/hicolor/32x32/apps/filter2.png
    /usr/share/icons/hicolor/48x48/apps/filter2.png
    /usr/share/icons/hicolor/128x128/apps/filter2.png
    /usr/share/icons/hicolor/256x256/apps/filter2.png
    /usr/share/icons/hicolor/scalable/apps/filter2.svg
    /usr/share/man/man1/filter2.1.gz
    /usr/share/doc/filter2/copyright
)
# The window module: where the program looks for it (bin/../<libdir>/filter2), its libraries
# all resolved in the root.
module=$(cd "$root" && find usr/lib -path '*/filter2/filter2-window.so' -print -quit)
[[ -n $module ]] || fail "the window module filter2-window.so is missing"
files+=("/$module")
unresolved=$(in_root ldd "/$module" | grep "not found" || true)
[[ -z $unresolved ]] || fail "the window module's libraries are missing: $unresolved"
listed=$(in_root dpkg -L filter2)
for f in "${files[@]}"; do
    [[ -f $root$f ]] || fail "$f is missing in the root"
    grep -qx "$f" <<<"$listed" || fail "$f is not listed by dpkg -L filter2"
done
entry="$root/usr/share/applications/org.example.filter2.desktop"
grep -qx 'Exec=filter2' "$entry" || fail "the desktop entry does not run filter2"
grep -qx 'Icon=filter2' "$entry" || fail "the desktop entry does not name the icon filter2"
grep -q '<project_license>MIT</project_license>' "$root/usr/share/metainfo/org.example.filter2.metainfo.xml" ||
    fail "the metainfo does not name the MIT licence"
grep -q '^License: MIT' "$root/usr/share/doc/filter2/copyright" || fail "the copyright file does not name MIT"
manual=$(gzip -dc "$root/usr/share/man/man1/filter2.1.gz")
[[ $manual == *'.TH FILTER2 "1"'* && $manual == *'gbw'* ]] || fail "filter2.1.gz is not the manual page of filter2"

step "passed; removing the root"
