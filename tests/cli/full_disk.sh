#!/usr/bin/env bash
# A full disk: every file stowdesign writes (a dump, a picture, a saved form, a converted form,
# the demo's files) fails whole. The old file keeps its bytes, nothing half-written is left, the
# exit status is 2 and the message names the file and the reason. Runs on a small tmpfs that it
# mounts (as root, or in a user namespace of its own); says SKIPPED where it can mount none.
set -u
exe=$1
work=$2
rm -rf "$work"
mkdir -p "$work"

if [ -z "${STOW_IN_NAMESPACE:-}" ]; then
  disk="$work/disk"
  mkdir -p "$disk"
  if mount -t tmpfs -o size=256k tmpfs "$disk" 2>/dev/null; then
    trap 'cd /; umount "$disk"' EXIT
  elif unshare -rm true 2>/dev/null; then
    exec env STOW_IN_NAMESPACE=1 unshare -rm bash "$0" "$@"
  else
    echo "SKIPPED: no small file system can be mounted here"
    exit 0
  fi
else
  disk="$work/disk"
  mkdir -p "$disk"
  mount -t tmpfs -o size=256k tmpfs "$disk" || { echo "SKIPPED: cannot mount a tmpfs"; exit 0; }
fi

fail() { echo "FAILED: $*"; exit 1; }

cd "$disk"
cat > make.stow <<'SCRIPT'
new form Form1 320 240
drop TTimer Timer1
drop TStowbar Stowbar1
wait 1
dump dump.json
render pic.png
save form.dfm
SCRIPT
"$exe" run make.stow > /dev/null || fail "the first run did not write its files"
"$exe" convert form.dfm form.bin --binary || fail "the first conversion failed"
for f in dump.json pic.png form.dfm form.bin; do cp "$f" "$work/$f.good"; done

cat > again.stow <<'SCRIPT'
new form Form1 320 240
drop TTimer Timer1
drop TTimer Timer2
dump dump.json
SCRIPT
printf 'new form Form1 320 240\nrender pic.png\n' > again2.stow

# Fill the disk to the last byte.
dd if=/dev/zero of=filler bs=4k 2>/dev/null
dd if=/dev/zero of=filler2 bs=1 2>/dev/null

check() { # NAME COMMAND...: fails whole with the reason
  local name=$1
  shift
  local err
  err=$("$@" 2>&1 >/dev/null)
  local rc=$?
  [ "$rc" -eq 2 ] || fail "$* exited with $rc, expected 2 ($err)"
  echo "$err" | grep -q "No space left on device" || fail "$* did not give the reason: $err"
  echo "$err" | grep -q "$name" || fail "$* did not name $name: $err"
  [ "$(echo "$err" | wc -l)" -eq 1 ] || fail "$* said more than one line: $err"
}
check dump.json "$exe" run again.stow
check pic.png "$exe" run again2.stow
check form.bin "$exe" convert form.dfm form.bin --binary
check form.dfm "$exe" convert form.bin form.dfm --text
check pic.png "$exe" render form.dfm pic.png
for f in dump.json pic.png form.dfm form.bin; do
  cmp -s "$f" "$work/$f.good" || fail "$f changed after a failed write"
done
left=$(ls -A | grep -v -E '^(make|again|again2)\.stow$|^(dump\.json|pic\.png|form\.dfm|form\.bin|filler|filler2)$')
[ -z "$left" ] || fail "files left behind: $left"

# A folder that cannot be made: the demo says where and why, in one line, and writes nothing.
mkdir -p "$work/ro"
if mount -t tmpfs -o ro,size=16k tmpfs "$work/ro" 2>/dev/null; then
  err=$("$exe" demo --out "$work/ro/demo" 2>&1 >/dev/null)
  rc=$?
  umount "$work/ro"
  [ "$rc" -eq 2 ] || fail "demo on a read-only folder exited with $rc"
  echo "$err" | grep -q "^stowdesign: .*ro/demo.*Read-only file system$" || fail "demo said: $err"
fi
echo "full disk: every output failed whole"
