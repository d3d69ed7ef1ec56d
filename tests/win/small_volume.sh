#!/bin/sh
# small_volume.sh mount|unmount DIR: a tmpfs of 1 MB for the tests of a full disk, mounted around
# the Windows tests. Only root may mount; otherwise nothing is mounted and those tests skip.
set -u
dir=$2
mounted() { grep -q " $dir tmpfs " /proc/mounts; }
case $1 in
mount)
  mkdir -p "$dir"
  mounted && umount "$dir"  # left by a run that was killed: start empty
  if [ "$(id -u)" -ne 0 ]; then
    echo "not root: no small volume, the full-disk tests skip"
  elif mount -t tmpfs -o size=1m tavrik-small-volume "$dir"; then
    : >"$dir/mounted"
  else
    echo "cannot mount a tmpfs: the full-disk tests skip"
  fi
  ;;
unmount)
  # The test program has ended by now; a lazy unmount still frees the volume if anything holds it.
  if mounted; then umount "$dir" || umount -l "$dir"; fi
  ;;
esac
exit 0
