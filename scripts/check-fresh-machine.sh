#!/usr/bin/env bash
# The set-up as a new user meets it: a bare Debian root (debootstrap's minbase) with only git, make
# and ca-certificates added, the committed repository cloned into it with its own git, and there,
# as root: make test, make asan, make package, the package installed with apt and the installed
# program started. Run it whenever the packages the game needs change.
#
#   scripts/check-fresh-machine.sh [12|13|testing]     (as root, or with sudo; 12 by default)
#
# The bare root of each release is kept in /var/cache/pebblerun/ for a week and unpacked afresh for
# every run; the packages apt downloads there are kept beside it, so a run installs them for real
# without fetching them again. MIRROR and SECURITY_MIRROR choose the Debian mirrors; JOBS the
# build's parallel jobs.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=MIRROR,SECURITY_MIRROR,JOBS,TMPDIR "$0" "$@"
case ${1:-12} in
    12 | bookworm) suite=bookworm name="Debian 12" ;;
    13 | trixie) suite=trixie name="Debian 13" ;;
    testing) suite=testing name="Debian testing" ;;
    *) echo "usage: $0 [12|13|testing]" >&2; exit 2 ;;
esac
mirror=${MIRROR:-http://deb.debian.org/debian}
security=${SECURITY_MIRROR:-http://deb.debian.org/debian-security}
jobs=${JOBS:-$(nproc)}
commit=$(git -C "$repo" rev-parse --short HEAD)
cache=/var/cache/pebblerun
tarball=$cache/$suite-root.tar
debs=$cache/$suite-debs
mkdir -p "$debs/partial"

work=$(mktemp -d "${TMPDIR:-/tmp}/pebblerun-fresh-$suite.XXXXXX")
root=$work/root
log=$work/log
mkdir "$root"
: >"$log"
mounted=()
unmount_all() {
    local i p
    # Whatever the checks left running in the root holds its mounts.
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" != "$root" ] || kill -9 "${p#/proc/}" 2>/dev/null || true
    done
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    mounted=()
}
still_mounted() { grep -q " $root" /proc/self/mounts; }
cleanup() {
    unmount_all
    # The root holds the machine's own /dev and the package cache while they are mounted there:
    # never delete through them.
    if still_mounted; then
        echo "$root is still mounted on; left in place" >&2
    else
        rm -rf --one-file-system "$root"
    fi
}
trap cleanup EXIT

started=$SECONDS
summary=()
finish() {
    local elapsed=$((SECONDS - started))
    [ ${#summary[@]} -eq 0 ] || printf '%s\n' "${summary[@]}"
    printf '%s on a bare %s root in %d min %02d s; the whole output is in %s\n' \
        "$1" "$name" $((elapsed / 60)) $((elapsed % 60)) "$log"
}

# One line per stage, its time at the end; the test runs' closing lines are kept for the summary.
stage() {
    local what=$1 begun=$SECONDS from status=0
    shift
    from=$(wc -l <"$log")
    printf '%s' "$what"
    printf '\n== %s\n' "$what" >>"$log"
    "$@" >>"$log" 2>&1 || status=$?
    while read -r line; do
        summary+=("${what%…}: $line")
    done < <(tail -n +$((from + 1)) "$log" |
        grep -E '^[0-9]+% tests passed|^The following tests FAILED|^[[:space:]]+[0-9]+ - ' || true)
    if [ $status -ne 0 ]; then
        printf '\nfailed after %d s: %s; the last lines of %s:\n' $((SECONDS - begun)) "${what%…}" "$log" >&2
        tail -n 40 "$log" >&2
        finish "${what%…} failed"
        exit 1
    fi
    printf ' %d s\n' $((SECONDS - begun))
}

in_root() {
    env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive chroot "$root" "$@"
}

mount_into() {
    mkdir -p "$root$2"
    mount "${@:3}" "$1" "$root$2"
    mounted+=("$root$2")
}

mount_all() {
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount_into proc /proc -t proc
    mount_into sysfs /sys -t sysfs
    mount_into /dev /dev --bind
    mount_into /dev/pts /dev/pts --bind
    mount_into tmpfs /dev/shm -t tmpfs
    mount_into "$debs" /var/cache/apt/archives --bind
}

make_bare_root() {
    debootstrap --variant=minbase --cache-dir="$debs" "$suite" "$root" "$mirror"
    printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s %s-security main\n' \
        "$mirror" "$suite" "$mirror" "$suite" "$security" "$suite" >"$root/etc/apt/sources.list"
    # A mirror this machine reads without expiry dates (a frozen snapshot) is read so there too.
    if [ "$(apt-config dump Acquire::Check-Valid-Until)" = 'Acquire::Check-Valid-Until "false";' ]; then
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/50mirror"
    fi
}

keep_bare_root() {
    unmount_all
    ! still_mounted || { echo "$root is still mounted on" >&2; return 1; }
    tar -C "$root" --numeric-owner --one-file-system --exclude='./var/cache/apt/archives/*.deb' \
        -cf "$tarball.new" .
    mv "$tarball.new" "$tarball"
}

if ! command -v debootstrap >/dev/null; then
    stage "Installing debootstrap…" \
        sh -c 'apt-get update && apt-get install -y --no-install-recommends debootstrap'
fi
if [ -n "$(find "$tarball" -mtime -7 2>/dev/null)" ]; then
    stage "Unpacking the bare $name root of $(date -r "$tarball" +%F) in $root…" \
        tar -C "$root" --numeric-owner -xpf "$tarball"
    mount_all
else
    stage "Making a bare $name root in $root…" make_bare_root
    mount_all
    # autoclean drops the kept packages that the mirror has since replaced.
    stage "Adding git, make and ca-certificates…" in_root sh -c 'apt-get update &&
        apt-get install -y --no-install-recommends git make ca-certificates && apt-get autoclean'
    stage "Keeping it in $tarball…" keep_bare_root
    mount_all
fi
git -C "$repo" bundle create "$root/tmp/pebblerun.bundle" HEAD >>"$log" 2>&1
stage "Cloning the repository at $commit…" in_root git clone /tmp/pebblerun.bundle /root/pebblerun
in_make() { in_root make -C /root/pebblerun "$@" JOBS="$jobs"; }
stage "Installing what the game needs (make deps)…" in_make deps
stage "make test…" in_make test
stage "make asan…" in_make asan
stage "make package…" in_make package
stage "Installing the package with apt…" \
    in_root sh -c 'cd /root/pebblerun && apt-get install -y ./build/pebblerun_*.deb'
# Its test already holds lintian to no error and no warning; its word is shown here all the same.
lintian=$(in_root sh -c 'lintian --info /root/pebblerun/build/pebblerun_*.deb 2>&1' |
    grep -v 'running with root privileges' || true)
version=$(in_root lintian --version)
printf '\n== %s on the package\n%s\n' "$version" "$lintian" >>"$log"
echo "$version on the package: ${lintian:-no tags}"
# Still running when timeout ends it, with status 124, after 3 s.
stage "Starting /usr/games/pebblerun…" in_root sh -xc '
    if command -v xvfb-run >/dev/null; then
        xvfb-run -a timeout 3 /usr/games/pebblerun
    else
        timeout 3 /usr/games/pebblerun -platform offscreen
    fi
    [ $? -eq 124 ]'
finish "make test, make asan and the package passed"
