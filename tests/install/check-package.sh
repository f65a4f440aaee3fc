#!/usr/bin/env bash
# The Debian package on a fresh Debian 12: installs it into a new minimal system
# (debootstrap, needs root and the network), starts Unctora the way the desktop menu
# does, as an ordinary user under Xvfb, saves a screenshot, then purges the package and
# checks that none of its files is left.
#   tests/install/check-package.sh build/unctora_*.deb [ROOT_DIR]
set -euo pipefail
deb=$(readlink -f "$1")
root=${2:-/tmp/unctora-fresh}
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -d "$root/usr" ] || debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
mountpoint -q "$root/proc" || mount -t proc proc "$root/proc"
trap 'umount "$root/proc" 2>/dev/null || true' EXIT
cp "$deb" "$root/tmp/unctora.deb"

chroot "$root" bash -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends /tmp/unctora.deb xvfb xauth x11-apps' >/dev/null

cat > "$root/tmp/as-user.sh" <<'EOS'
set -e
cd ~
cmd=$(sed -n 's/^Exec=//p' /usr/share/applications/org.talvik.Unctora.desktop)
Xvfb :7 -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
sleep 1
DISPLAY=:7 $cmd >/tmp/unctora.out 2>&1 & pid=$!
sleep 4
kill -0 $pid || { cat /tmp/unctora.out; exit 1; }
DISPLAY=:7 xwd -root -silent >/tmp/unctora-shot.xwd
kill $pid; kill $xvfb
test -s ~/.local/share/Talvik/Unctora6/calc.html
EOS
chroot "$root" bash -c 'id tester >/dev/null 2>&1 || useradd -m tester; su tester -c "bash /tmp/as-user.sh"' ||
  fail "Unctora did not start from its menu entry"
echo "started from the menu entry; screenshot: $root/tmp/unctora-shot.xwd"

chroot "$root" bash -c 'dpkg -L unctora >/tmp/unctora-files; apt-get purge -y -qq unctora >/dev/null
  left=0; while read -r f; do [ -e "$f" ] && [ ! -d "$f" ] && { echo "left: $f"; left=1; }; done </tmp/unctora-files
  [ ! -e /usr/lib/unctora ] && [ $left = 0 ]' || fail "purging left files behind"
echo "package installs, starts from the menu and purges cleanly"
