#!/usr/bin/env bash
# gen-scale-image.sh OUTDIR ntfs|fat ENTRIES: one disk of the scale series
# (bench/run --scale), made once and cached.
#
# scale-FS-ENTRIES.raw (sparse) and .vhdx (dynamic, 32 MiB blocks): one
# partition at 2048 holding an NTFS (ntfs-3g) or FAT32 (mtools) volume with
# about ENTRIES entries: ENTRIES small files (200 bytes to 1.2 KiB, so the
# MFT and the directories dominate) in ENTRIES/40 nested folders, every 7th
# file and every 40th top-level folder's "Level 2" deleted.
# scale-FS-ENTRIES.layout holds "1 start sectors code".
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[[ $# -eq 3 ]] || { echo "usage: $0 OUTDIR ntfs|fat ENTRIES" >&2; exit 2; }
out=$1 fs=$2 entries=$3
name=scale-$fs-$entries
# shellcheck source=../tests/fixtures/lib-disk.sh
source "$here/../tests/fixtures/lib-disk.sh"
disk_start "$name" "$out"

START=2048
# 8 KiB of volume per entry and room for the file system's own structures,
# in whole MiB.
sectors=$(( (entries * 16 + 1048576) / 2048 * 2048 ))
folders=$(( entries / 200 > 1 ? entries / 200 : 1 ))
img="$DISK_WORK/volume.img"
if [[ $fs == ntfs ]]; then
    code=300
    ntfs_format "$img" "$sectors" "$START" SCALENTFS
    mnt="$DISK_WORK/mnt-ntfs"
    ntfs_mount "$img" "$mnt"
    python3 "$here/benchgen_tree.py" "$mnt" "$entries" "$folders" 3003 7 10 >"$DISK_WORK/deleted"
    (cd "$mnt" && tr '\n' '\0' <"$DISK_WORK/deleted" | xargs -0 rm -rf)
    ntfs_umount "$mnt"
    type=7
else
    code=200
    fat_format "$img" "$sectors" 32 8 SCALEFAT "$START" 0x5343414c
    stage="$DISK_WORK/stage"
    python3 "$here/benchgen_tree.py" "$stage" "$entries" "$folders" 4004 7 10 >"$DISK_WORK/deleted"
    (cd "$stage" && mcopy -s -m -Q -i "$img" ./* ::/)
    grep -v '/Level 2$' "$DISK_WORK/deleted" | sed 's|^|::/|' | tr '\n' '\0' | xargs -0 mdel -i "$img"
    grep '/Level 2$' "$DISK_WORK/deleted" | while IFS= read -r d; do mdeltree -i "$img" "::/$d"; done
    type=c
fi
raw="$DISK_OUT/$name.raw"
disk_create "$raw" $((START + sectors + 2048))
disk_place "$raw" "$img" "$START"
disk_table "$raw" <<TABLE
label: dos
label-id: 0x5343414c
start=$START, size=$sectors, type=$type
TABLE
rm -f "$DISK_OUT/$name.vhdx"
qemu-img convert -f raw -O vhdx -o subformat=dynamic,block_size=32M "$raw" "$DISK_OUT/$name.vhdx"
printf '1 %s %s %s\n' "$START" "$sectors" "$code" >"$DISK_OUT/$name.layout"
