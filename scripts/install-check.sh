#!/usr/bin/env bash
# Installs the program the three ways it reaches a machine and checks each as a user would
# meet it:
#   1. cmake --install of build/ (or $VEX_BUILD_DIR) into a scratch DESTDIR: the files, the
#      help pages, the desktop entry, the AppStream data, the manual pages, no placeholder
#      address anywhere; the installed window as an
#      ordinary user (it opens both lists, writes nothing in its folder, closes normally),
#      the installed query tool, and the import tool's lists searched by the query tool.
#   2. The Debian package (scripts/package.sh): cpack refuses a DEB of the build folder's
#      layout, lintian without error, its contents, and the window run from the unpacked
#      package.
#   3. A bare Debian system made by debootstrap (minbase), in a chroot under its own mount
#      namespace: apt-get installs the package without recommends, and there the query
#      tool, the window and its INI file in /etc are checked, and an edit of that INI file
#      survives a reinstall.
# Run as root (it uses runuser, chroot and unshare). VEX_INSTALL_CHECK_BARE=0 skips step 3.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "$(id -u)" -ne 0 ]; then
    echo "install-check: run as root (it uses runuser, chroot and unshare)" >&2
    exit 1
fi
scripts/deps.sh --install-check
scripts/build.sh >/dev/null

build=${VEX_BUILD_DIR:-build}
id=$(sed -n 's/^set(VEX_DESKTOP_ID \(.*\))$/\1/p' CMakeLists.txt)
scratch=$(mktemp -d /tmp/vex-install-check.XXXXXX)
chmod 755 "$scratch"
trap 'rm -rf --one-file-system "$scratch"' EXIT

step() { echo "== install-check: $*"; }
fail() {
    echo "install-check: FAILED: $*" >&2
    exit 1
}

# Every entry below a folder with its kind, mode, owner, size, link target and checksum.
fingerprint() {
    (cd "$1" && find . -printf '%p %y %m %u %s %l\n' | sort &&
        find . -type f -exec sha256sum {} + | sort -k 2)
}

# Nothing installed names the placeholder address example.org: every file read as bytes, the
# compressed ones unpacked.
expect_no_placeholder() {
    local found
    found=$(grep -rla 'example\.org' "$1" || true)
    while IFS= read -r -d '' gz; do
        if zcat "$gz" | grep -qa 'example\.org'; then
            found+=" $gz"
        fi
    done < <(find "$1" -name '*.gz' -print0)
    [ -z "$found" ] || fail "the placeholder address example.org in: $found"
    echo "install-check: no example.org in $(find "$1" -type f | wc -l) installed files"
}

# The query tool finds "kolera" in the list: DA00 Kolera first.
expect_kolera() {
    local hits
    hits=$(runuser -u nobody -- "$@" kolera) || fail "$* kolera: exit code $?"
    grep -qx $'hit\tDA00\tKolera' <<<"$hits" || fail "$* kolera: no hit DA00 Kolera"
}

# A small file in the publisher's layout (fixed-width, see vexdiagnose-import(1)): a code
# valid from 2020, one closed in 2020, a procedure code.
sks_line() { printf '%-3s%-20s%-8s%-8s%-8s%-120s\r\n' "$@"; }
{
    sks_line dia DU071 20200301 20200301 "" "COVID-19, virus påvist"
    sks_line dia DZ999 19940101 19940101 20200101 "Lukket kode"
    sks_line opr KAAA10 19960101 19960101 "" "Kraniotomi"
} >"$scratch/sks.txt"
chmod 644 "$scratch/sks.txt"

# The import tool, run by the user nobody, writes lists of mode 0644 that the query tool
# searches: DU071 is there, DZ999 is not.
expect_import() {
    local import=$1 query=$2 out hits
    out=$(mktemp -d "$scratch/import.XXXXXX")
    chmod 777 "$out"
    runuser -u nobody -- "$import" --valid-on 2025-01-01 "$scratch/sks.txt" "$out/lists" \
        >/dev/null || fail "$import: exit code $?"
    [ "$(stat -c %a "$out/lists/ICD10vex.txt")" = 644 ] || fail "$import: list not mode 644"
    hits=$(runuser -u nobody -- "$query" "$out/lists/ICD10vex.txt" 'covid OR lukket') ||
        fail "$query on the imported list: exit code $?"
    [ "$(grep '^hit' <<<"$hits")" = $'hit\tDU071\tCOVID-19, virus påvist' ] ||
        fail "$query on the imported list: $hits"
}

# ---- 1. cmake --install into a scratch DESTDIR ------------------------------------------
step "cmake --install into a scratch DESTDIR"
dest=$scratch/dest
DESTDIR=$dest cmake --install "$build" >/dev/null
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
root=$dest$prefix
expected="./bin/vexdiagnose l ../lib/vexdiagnose/vexdiagnose
./bin/vexdiagnose-import f 755
./bin/vexdiagnose-query f 755
./lib/vexdiagnose/Behandling-procedurer-vex.txt f 644
./lib/vexdiagnose/ICD10vex.txt f 644
./lib/vexdiagnose/help/index.html f 644
./lib/vexdiagnose/help/indstillinger.html f 644
./lib/vexdiagnose/help/lister.html f 644
./lib/vexdiagnose/help/om.html f 644
./lib/vexdiagnose/help/soegning.html f 644
./lib/vexdiagnose/help/style.css f 644
./lib/vexdiagnose/help/taster.html f 644
./lib/vexdiagnose/vexdiagnose f 755
./lib/vexdiagnose/vexdiagnose.ini f 644
./share/applications/$id.desktop f 644
./share/doc/vexdiagnose/changelog.gz f 644
./share/doc/vexdiagnose/copyright f 644
./share/icons/hicolor/128x128/apps/$id.png f 644
./share/icons/hicolor/256x256/apps/$id.png f 644
./share/icons/hicolor/48x48/apps/$id.png f 644
./share/icons/hicolor/64x64/apps/$id.png f 644
./share/icons/hicolor/scalable/apps/$id.svg f 644
./share/man/man1/vexdiagnose-import.1.gz f 644
./share/man/man1/vexdiagnose-query.1.gz f 644
./share/man/man1/vexdiagnose.1.gz f 644
./share/metainfo/$id.metainfo.xml f 644"
installed=$(cd "$root" && find . -type l -printf '%p l %l\n' -o -type f -printf '%p f %m\n' |
    LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "the installed tree differs:
$(diff <(echo "$expected") <(echo "$installed") || true)"
[ -z "$(find "$root" -type d ! -perm 755)" ] || fail "folders without mode 755"
for list in ICD10vex.txt Behandling-procedurer-vex.txt; do
    cmp "lists/$list" "$root/lib/vexdiagnose/$list" || fail "$list differs from lists/"
done
cmp dist/vexdiagnose.ini "$root/lib/vexdiagnose/vexdiagnose.ini" || fail "the INI file differs"
diff -r "$build/bin/help" "$root/lib/vexdiagnose/help" || fail "the help pages differ"
expect_no_placeholder "$root"
for size in 48 64 128 256; do
    file "$root/share/icons/hicolor/${size}x$size/apps/$id.png" |
        grep -q "PNG image data, $size x $size" || fail "icon $size is not $size x $size"
done
grep -qx "Icon=$id" "$root/share/applications/$id.desktop" || fail "desktop entry: Icon"

step "desktop-file-validate, appstreamcli validate, man -l"
desktop-file-validate "$root/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/share/metainfo/$id.metainfo.xml"
for page in "$root"/share/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 man -l --warnings "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man -l $page: $warnings"
    MANWIDTH=80 man -l "$page" | grep -q "^SYNOPSIS" || fail "man -l $page shows no page"
done

step "the installed window and query tool as the user nobody"
before=$(fingerprint "$dest")
scripts/window-run.sh "$root/bin/vexdiagnose" primary secondary
expect_kolera "$root/bin/vexdiagnose-query" "$root/lib/vexdiagnose/ICD10vex.txt"
expect_import "$root/bin/vexdiagnose-import" "$root/bin/vexdiagnose-query"
[ "$(fingerprint "$dest")" = "$before" ] || fail "something was written into the installed tree"

# ---- 2. The Debian package --------------------------------------------------------------
if ! grep -qx 'VEX_SYSTEM_INI:BOOL=ON' "$build/CMakeCache.txt" || [ "$prefix" != /usr ]; then
    step "cpack -G DEB refuses the layout of $build (no INI file in /etc)"
    config=$(realpath "$build/CPackConfig.cmake")
    refusal=$(cd "$scratch" && cpack -G DEB --config "$config" 2>&1) &&
        fail "cpack made a DEB whose INI file is no conffile"
    grep -q "needs the INI file as the configuration file" <<<"$refusal" || fail "cpack: $refusal"
    ! compgen -G "$scratch/*.deb" >/dev/null || fail "cpack left a package behind"
fi
step "cpack -G DEB"
deb=$(scripts/package.sh)
echo "$deb"
step "lintian"
status=0
report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || fail "lintian reports errors"
step "dpkg-deb -c"
contents=$(dpkg-deb -c "$deb")
echo "$contents"
for entry in "./etc/vexdiagnose/vexdiagnose.ini" \
    "./usr/bin/vexdiagnose -> ../lib/vexdiagnose/vexdiagnose" "./usr/bin/vexdiagnose-query" \
    "./usr/bin/vexdiagnose-import" "./usr/share/man/man1/vexdiagnose-import.1.gz" \
    "./usr/lib/vexdiagnose/vexdiagnose" "./usr/lib/vexdiagnose/ICD10vex.txt" \
    "./usr/lib/vexdiagnose/Behandling-procedurer-vex.txt" \
    "./usr/lib/vexdiagnose/help/index.html" "./usr/lib/vexdiagnose/help/style.css" \
    "./usr/lib/vexdiagnose/vexdiagnose.ini -> /etc/vexdiagnose/vexdiagnose.ini" \
    "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
    "./usr/share/man/man1/vexdiagnose.1.gz" "./usr/share/doc/vexdiagnose/copyright"; do
    grep -qF -- " $entry" <<<"$contents" || fail "the package lacks $entry"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = "fonts-wine, qt6-translations-l10n, xdg-utils" ] ||
    fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
[ "$(dpkg-deb --info "$deb" conffiles)" = "/etc/vexdiagnose/vexdiagnose.ini" ] ||
    fail "conffiles"

step "the unpacked package's window as the user nobody"
unpacked=$scratch/unpacked
dpkg-deb -x "$deb" "$unpacked"
expect_no_placeholder "$unpacked"
before=$(fingerprint "$unpacked")
scripts/window-run.sh "$unpacked/usr/bin/vexdiagnose" primary secondary
expect_kolera "$unpacked/usr/bin/vexdiagnose-query" "$unpacked/usr/lib/vexdiagnose/ICD10vex.txt"
expect_import "$unpacked/usr/bin/vexdiagnose-import" "$unpacked/usr/bin/vexdiagnose-query"
[ "$(fingerprint "$unpacked")" = "$before" ] || fail "something was written into the package"

# ---- 3. A bare Debian system ------------------------------------------------------------
if [ "${VEX_INSTALL_CHECK_BARE:-1}" = 0 ]; then
    step "bare system skipped (VEX_INSTALL_CHECK_BARE=0)"
    exit 0
fi
step "debootstrap --variant=minbase bookworm"
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/debian.sources | head -n 1)
bare=$scratch/bare
debootstrap --variant=minbase bookworm "$bare" "$mirror" >"$scratch/debootstrap.log" 2>&1 ||
    fail "debootstrap: $(tail -n 20 "$scratch/debootstrap.log")"
cp "$deb" scripts/window-run.sh dist/vexdiagnose.ini "$scratch/sks.txt" "$bare/tmp/"
cat >"$bare/tmp/bare-check.sh" <<'EOF'
#!/bin/bash
# Runs inside the bare system.
set -euo pipefail
fail() { echo "install-check (bare system): FAILED: $*" >&2; exit 1; }
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends /tmp/vexdiagnose_*.deb >/tmp/apt.log 2>&1 ||
    { tail -n 30 /tmp/apt.log; fail "apt-get install"; }
hits=$(runuser -u nobody -- vexdiagnose-query /usr/lib/vexdiagnose/ICD10vex.txt kolera)
grep -qx $'hit\tDA00\tKolera' <<<"$hits" || fail "the query tool found no DA00 Kolera"
runuser -u nobody -- vexdiagnose-import --valid-on 2025-01-01 /tmp/sks.txt /tmp/imported \
    >/dev/null || fail "vexdiagnose-import"
hits=$(runuser -u nobody -- vexdiagnose-query /tmp/imported/ICD10vex.txt covid)
grep -q $'^hit\tDU071\t' <<<"$hits" || fail "the query tool found no DU071 in the imported list"
cmp /tmp/vexdiagnose.ini /etc/vexdiagnose/vexdiagnose.ini || fail "the INI file in /etc"
[ "$(readlink /usr/lib/vexdiagnose/vexdiagnose.ini)" = /etc/vexdiagnose/vexdiagnose.ini ] ||
    fail "the INI link"
/tmp/window-run.sh vexdiagnose primary secondary
# The window reads its INI file in /etc: a secondary list named there that does not exist
# leaves the primary list alone in use.
sed -i 's/^Datafile02 =/Datafile02 = Ingen-liste.txt/' /etc/vexdiagnose/vexdiagnose.ini
/tmp/window-run.sh vexdiagnose primary '!secondary'
# The edit is the administrator's: a reinstall (as an upgrade) keeps the conffile as edited.
apt-get install -y -qq --reinstall --no-install-recommends /tmp/vexdiagnose_*.deb \
    >/tmp/apt.log 2>&1 || { tail -n 30 /tmp/apt.log; fail "apt-get install --reinstall"; }
grep -q '^Datafile02 = Ingen-liste.txt' /etc/vexdiagnose/vexdiagnose.ini ||
    fail "the reinstall replaced the edited INI file"
echo "install-check (bare system): the edited INI file in /etc was kept over a reinstall"
[ -f /usr/lib/vexdiagnose/help/index.html ] || fail "no help pages"
echo "install-check (bare system): installed $(dpkg-query -W -f='${Package} ${Version}' vexdiagnose)"
EOF
chmod 755 "$bare/tmp/bare-check.sh"
step "apt-get install in the bare system; query tool, window and INI file there"
# The mounts of /proc and /dev live in this namespace only and vanish with it.
unshare --mount --propagation private bash -c '
    set -e
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
    chroot "$1" /tmp/bare-check.sh' bare-check "$bare" || fail "bare system"
step "all checks passed"
