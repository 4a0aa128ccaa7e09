#!/usr/bin/env bash
# The set-up as a new user meets it: a bare Debian 12 root (debootstrap's minbase) with only git,
# make and ca-certificates added, the committed repository cloned into it with its own git, and
# `make test` run there as root. Run it whenever the packages the game needs change.
#
#   scripts/check-fresh-machine.sh        (as root, or with sudo)
#
# MIRROR and SECURITY_MIRROR choose the Debian mirrors; JOBS the build's parallel jobs.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || exec sudo --preserve-env=MIRROR,SECURITY_MIRROR,JOBS,TMPDIR "$0" "$@"
mirror=${MIRROR:-http://deb.debian.org/debian}
security=${SECURITY_MIRROR:-http://deb.debian.org/debian-security}
jobs=${JOBS:-$(nproc)}
commit=$(git -C "$repo" rev-parse --short HEAD)

work=$(mktemp -d "${TMPDIR:-/tmp}/pebblerun-fresh.XXXXXX")
root=$work/root
log=$work/log
mounted=()
cleanup() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    # The root holds the machine's own /dev while it is mounted there: never delete through it.
    if grep -q " $root" /proc/self/mounts; then
        echo "$root is still mounted on; left in place" >&2
    else
        rm -rf "$root"
    fi
}
trap cleanup EXIT

# One line per stage, its time at the end.
stage() {
    local what=$1 begun=$SECONDS
    shift
    printf '%s' "$what"
    if ! "$@" >>"$log" 2>&1; then
        printf '\nfailed: %s; the last lines of %s:\n' "$what" "$log" >&2
        tail -n 40 "$log" >&2
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

started=$SECONDS
if ! command -v debootstrap >/dev/null; then
    stage "Installing debootstrap…" apt-get install -y --no-install-recommends debootstrap
fi
stage "Making a bare Debian 12 root in $root…" \
    debootstrap --variant=minbase bookworm "$root" "$mirror"
printf 'deb %s bookworm main\ndeb %s bookworm-updates main\ndeb %s bookworm-security main\n' \
    "$mirror" "$mirror" "$security" >"$root/etc/apt/sources.list"
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount_into proc /proc -t proc
mount_into sysfs /sys -t sysfs
mount_into /dev /dev --bind
mount_into /dev/pts /dev/pts --bind
mount_into tmpfs /dev/shm -t tmpfs
stage "Adding git, make and ca-certificates…" \
    in_root sh -c 'apt-get update && apt-get install -y --no-install-recommends git make ca-certificates'
git -C "$repo" bundle create "$root/tmp/pebblerun.bundle" HEAD >>"$log" 2>&1
stage "Cloning the repository at $commit…" in_root git clone /tmp/pebblerun.bundle /root/pebblerun
printf 'Running make test there (its output goes to %s)…' "$log"
begun=$SECONDS
if in_root make -C /root/pebblerun test JOBS="$jobs" >>"$log" 2>&1; then
    verdict=passed
else
    verdict=failed
fi
printf ' %d s\n' $((SECONDS - begun))
elapsed=$((SECONDS - started))
grep -E '^[0-9]+% tests passed|^The following tests FAILED|^[[:space:]]+[0-9]+ - ' "$log" || true
printf 'make test %s on a bare Debian 12 root in %d min %02d s; the whole output is in %s\n' \
    "$verdict" $((elapsed / 60)) $((elapsed % 60)) "$log"
[ "$verdict" = passed ]
