#!/usr/bin/env bash
# Installs the built package on this machine with dpkg, runs the installed program the way a
# user would, and removes it again, checking that nothing of it is left. Needs root; not part
# of `make test`, since it changes the system. Usage: packaging/check_deb.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
deb=$(ls "$build"/caseleaf_*.deb 2>/dev/null | tail -n 1)
[ -n "$deb" ] || { echo "no package in $build: run make package first" >&2; exit 1; }
if dpkg-query -W -f='${Status}' caseleaf 2>/dev/null | grep -q 'install ok installed'; then
    echo "caseleaf is installed already; remove it first" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'dpkg --purge caseleaf >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
step() { echo "== $*"; }

step "dpkg -i $(basename "$deb")"
if ! dpkg -i "$deb"; then
    step "dependencies missing: apt-get -f install"
    apt-get -f install -y -qq
fi
dpkg-query -W -f='${Package} ${Version} ${Status}\n' caseleaf
touch "$work/installed"

# A user with an empty home and no display, starting the program from the menu's PATH.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_DATA_HOME=$work/home/.local/share
export XDG_CACHE_HOME=$work/home/.cache TMPDIR=$work/tmp
mkdir -p "$HOME" "$TMPDIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM CASELEAF_HOME
cd "$work"

step "caseleaf --help"
[ "$(command -v caseleaf)" = /usr/bin/caseleaf ]
caseleaf --help | tee help.txt
grep -q 'caseleaf render' help.txt

step "caseleaf render"
python3 - <<'PY'
import zipfile
with zipfile.ZipFile('plain.vrz', 'w', zipfile.ZIP_DEFLATED) as z:
    z.writestr('vorn.ini', '[LastCover]\r\nText="Package check"\r\nBackColor=65280\r\n')
    z.writestr('plain.vrz.txt', '// ~contents~=\r\nTrack 1\r\nTrack 2\r\n')
PY
caseleaf convert plain.vrz cover.vrz
caseleaf render cover.vrz --side back --out back.png --dpi 100
caseleaf render cover.vrz --side front --out front.png --dpi 100
file back.png front.png
file back.png | grep -q '630 x 504'
file front.png | grep -q '984 x 512'

step "the installed program reads its own language file"
if caseleaf render missing.vrz --side back --out x.png 2>err.txt; then exit 1; fi
cat err.txt
grep -q 'The cover could not be opened!' err.txt

step "thumbnail, as a file manager runs it"
read -r -a thumbnailer <<< "$(sed -n 's/^Exec=//p' /usr/share/thumbnailers/caseleaf.thumbnailer)"
for i in "${!thumbnailer[@]}"; do
    case ${thumbnailer[$i]} in
        %i) thumbnailer[$i]=$work/cover.vrz ;;
        %o) thumbnailer[$i]=$work/thumb.png ;;
        %s) thumbnailer[$i]=128 ;;
    esac
done
echo "${thumbnailer[*]}"
"${thumbnailer[@]}"
file thumb.png
file thumb.png | grep -q '128 x 109'

step "no display"
if caseleaf 2>err.txt; then exit 1; else status=$?; fi
cat err.txt
[ "$status" = 1 ] && grep -qx 'no display available; .*' err.txt

step "file type, menu entry and manual as the triggers left them"
desktop-file-validate /usr/share/applications/caseleaf.desktop
grep -q 'application/x-caseleaf-cover' /usr/share/mime/globs2
grep -q 'application/x-caseleaf-cover=caseleaf.desktop' /usr/share/applications/mimeinfo.cache
XDG_DATA_DIRS=/usr/share xdg-mime query filetype cover.vrz
[ "$(XDG_DATA_DIRS=/usr/share xdg-mime query filetype cover.vrz)" = application/x-caseleaf-cover ]
man -w caseleaf

step "nothing was written beside the program or its data"
dpkg --verify caseleaf
written=$(find /usr/share/caseleaf /usr/bin -maxdepth 3 -newer "$work/installed" -print)
[ -z "$written" ] || { echo "written at run time: $written" >&2; exit 1; }

step "dpkg --purge caseleaf"
cd /
dpkg --purge caseleaf
if dpkg-query -W -f='${Status}' caseleaf 2>/dev/null | grep -q 'ok installed'; then exit 1; fi
for left in /usr/bin/caseleaf /usr/share/caseleaf /usr/share/applications/caseleaf.desktop \
            /usr/share/thumbnailers/caseleaf.thumbnailer /usr/share/mime/packages/caseleaf.xml; do
    [ ! -e "$left" ] || { echo "left behind: $left" >&2; exit 1; }
done
if grep -q 'application/x-caseleaf-cover' /usr/share/mime/globs2; then
    echo "the file type is still known" >&2
    exit 1
fi
echo "== the package installed, ran and was removed cleanly"
