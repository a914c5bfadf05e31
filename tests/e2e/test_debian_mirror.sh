#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Copyright (C) 2026 the mazerush developers
# The Debian mirror that test-on-debian and package-check make their fresh
# systems from (scripts/debian-mirror.sh), found in apt sources written here:
# the stanza of this release's own archive among those of its updates, its
# security archive, another vendor's and a disabled one; the one-line lists
# of older systems; the variable that overrides them; and a machine that is
# not Debian. The addresses are of the reserved .invalid domain.
set -uo pipefail
: "${SOURCE_DIR:?SOURCE_DIR must name the source tree}"
root=$(mktemp -d "${TMPDIR:-/tmp}/mazerush-mirror.XXXXXX")
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
expect() { # expect WANT [ENV...]: debian_mirror under $root, with ENV set
    local want=$1 got
    shift
    got=$(env "$@" bash -c 'source "$1/scripts/debian-mirror.sh" && debian_mirror "$2"' _ "$SOURCE_DIR" "$root" 2>/dev/null) ||
        got="(none)"
    [ "$got" = "$want" ] || fail "the mirror is $got, not $want${1:+ (with $*)}"
}

mkdir -p "$root/etc/apt/sources.list.d"
printf 'ID=debian\nVERSION_CODENAME=trixie\n' >"$root/etc/os-release"
printf 'Types: deb\nURIs: http://vendor.invalid/repo\nSuites: trixie\nComponents: main\nEnabled: no\n\nTypes: deb\nURIs: http://vendor.invalid/node\nSuites: nodistro\n' \
    >"$root/etc/apt/sources.list.d/a-vendor.sources"
printf 'deb http://one-line.invalid/archive trixie main\n' >"$root/etc/apt/sources.list"
cat >"$root/etc/apt/sources.list.d/debian.sources" <<'EOF'
Types: deb
URIs: http://security.invalid/archive
Suites: trixie-security

# The archive itself, its suites on two lines
Types: deb deb-src
URIs: http://main.invalid/archive http://second.invalid/archive
Suites: trixie-updates
  trixie
EOF
expect http://main.invalid/archive
expect http://override.invalid/archive MAZERUSH_DEBIAN_MIRROR=http://override.invalid/archive

# Older systems: deb lines, options in brackets, of which only the release's own.
rm "$root/etc/apt/sources.list.d/debian.sources"
printf '%s\n' '# deb http://comment.invalid/archive trixie main' \
    'deb [arch=amd64 signed-by=/k.gpg] http://updates.invalid/archive trixie-updates main' \
    'deb [signed-by=/k.gpg] http://options.invalid/archive trixie main' >"$root/etc/apt/sources.list"
expect http://options.invalid/archive
rm "$root/etc/apt/sources.list"
expect "(none)"

printf 'ID=ubuntu\nVERSION_CODENAME=trixie\n' >"$root/etc/os-release"
printf 'deb http://other.invalid/archive trixie main\n' >"$root/etc/apt/sources.list"
expect "(none)"
echo "PASS"
