#!/bin/bash
# A real print path: prints three numbered copies of a sample cover with "caseleaf print"
# through a local cups-pdf queue, waits for the PDF that cups-pdf writes and checks its
# pages and the cut-line positions. Not part of "make test": it installs packages, starts
# cupsd when none runs and adds a print queue, so it needs root (or sudo).
set -euo pipefail

build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
caseleaf=$(cd "$build" && pwd)/caseleaf
queue=caseleaf-check
sudo=$([ "$(id -u)" = 0 ] || echo sudo)

missing=$(for p in cups printer-driver-cups-pdf; do
  dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"; done)
if [ -n "$missing" ]; then
  echo "Installing: $missing"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
fi

work=$(mktemp -d)
started=
# Leaves the machine as it was: the queue goes, and so does a cupsd started here.
cleanup() {
  $sudo lpadmin -x "$queue" 2>/dev/null || true
  if [ -n "$started" ]; then $sudo kill "$started" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }
if ! running; then
  echo "Starting cupsd"
  # In the foreground of a background job: its id is the daemon's, to stop it afterwards.
  $sudo cupsd -f &
  started=$!
  for _ in $(seq 50); do running && break; sleep 0.2; done
fi
lpstat -r

# Debian's cups-pdf PPD; lpadmin's "everywhere" model needs a network printer.
ppd=$(lpinfo -m | awk '/cups-pdf\/CUPS-PDF_opt.ppd/ {print $1; exit}')
[ -n "$ppd" ] || { echo "No cups-pdf PPD found"; exit 1; }
$sudo lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" -o PageSize=A4
echo "Queue $queue: $(lpstat -v "$queue")"

# cups-pdf writes into the folder named by Out, ${HOME} being the job owner's home.
out=$(awk '$1 == "Out" {print $2}' /etc/cups/cups-pdf.conf | tail -1)
out=${out:-'${HOME}/PDF'}
out=${out//'${HOME}'/$HOME}
mkdir -p "$out"

python3 "$here/sample_cover.py" "$work/sample.vrz"
before=$(md5sum "$work/sample.vrz")
stamp="$work/stamp"
touch "$stamp"
sleep 1

# Waits for the file cups-pdf writes for the job printed after the stamp; copies it to $1.
wait_for_pdf() {
  local pdf=
  for _ in $(seq 120); do
    pdf=$(find "$out" -name '*.pdf' -newer "$stamp" -size +0 2>/dev/null | head -1)
    if [ -n "$pdf" ] && ! lpstat -o "$queue" | grep -q .; then break; fi
    pdf=
    sleep 0.5
  done
  [ -n "$pdf" ] || { echo "FAIL: no PDF appeared in $out"; exit 1; }
  echo "cups-pdf wrote $pdf"
  mv "$pdf" "$1"
}
check() {
  python3 "$here/check_pages.py" "$@" 2> >(grep -v "Bad bounding box" >&2)
}

"$caseleaf" render "$work/sample.vrz" --side back --out "$work/reference.pdf" --copies 3

echo "== three numbered copies, no calibration"
"$caseleaf" print "$work/sample.vrz" --side back --printer "$queue" --copies 3 --no-calibration
wait_for_pdf "$work/printed.pdf"
check "$work/printed.pdf" "$work/reference.pdf" 3

echo "== one copy on a printer calibrated as printing 1.5 mm too far right and 1 mm too low"
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/Caseleaf"
printf '[Calibration]\n%s\\OffsetX=1.5\n%s\\OffsetY=1\n' "$queue" "$queue" > "$XDG_CONFIG_HOME/Caseleaf/VORN.conf"
touch "$stamp"
sleep 1
"$caseleaf" print "$work/sample.vrz" --side back --printer "$queue"
wait_for_pdf "$work/calibrated.pdf"
check "$work/calibrated.pdf" "$work/reference.pdf" 1 1.5 1

[ "$before" = "$(md5sum "$work/sample.vrz")" ] || { echo "FAIL: the cover file changed"; exit 1; }
echo "The cover file is unchanged."
