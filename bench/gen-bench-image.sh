#!/usr/bin/env bash
# gen-bench-image.sh OUTDIR: the benchmark's disk, made once by bench/run.
#
# bench.raw (sparse, 4.5 GiB) and bench.vhdx (dynamic, 32 MiB blocks):
#   p1 at 2048, 4194304 sectors (2 GiB), NTFS "BENCHNTFS": 24000 files in
#      nested folders written through ntfs-3g, about 3500 of them deleted;
#   p2 at 4196352, 4194304 sectors (2 GiB), FAT32 "BENCHFAT": 12000 files
#      copied in with mtools, about 1300 deleted;
#   the last 0.5 GiB unallocated.
# bench.layout lists "number start sectors code" per partition.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../tests/fixtures/lib-disk.sh
source "$here/../tests/fixtures/lib-disk.sh"
disk_start bench "$@"

NTFS_START=2048
FAT_START=4196352
PART_SECTORS=4194304
DISK_SECTORS=9437184

ntfs_img="$DISK_WORK/ntfs.img"
ntfs_format "$ntfs_img" "$PART_SECTORS" "$NTFS_START" BENCHNTFS
mnt="$DISK_WORK/mnt-ntfs"
ntfs_mount "$ntfs_img" "$mnt"
python3 "$here/benchgen_tree.py" "$mnt" 24000 120 1001 7 >"$DISK_WORK/ntfs.deleted"
(cd "$mnt" && tr '\n' '\0' <"$DISK_WORK/ntfs.deleted" | xargs -0 rm -rf)
ntfs_umount "$mnt"

fat_img="$DISK_WORK/fat.img"
fat_format "$fat_img" "$PART_SECTORS" 32 8 BENCHFAT "$FAT_START" 0x42454e43
stage="$DISK_WORK/fat-stage"
python3 "$here/benchgen_tree.py" "$stage" 12000 60 2002 10 >"$DISK_WORK/fat.deleted"
(cd "$stage" && mcopy -s -m -Q -i "$fat_img" ./* ::/)
grep -v '/Level 2$' "$DISK_WORK/fat.deleted" | sed 's|^|::/|' | tr '\n' '\0' | xargs -0 mdel -i "$fat_img"
grep '/Level 2$' "$DISK_WORK/fat.deleted" | while IFS= read -r d; do mdeltree -i "$fat_img" "::/$d"; done

raw="$DISK_OUT/bench.raw"
disk_create "$raw" "$DISK_SECTORS"
disk_place "$raw" "$ntfs_img" "$NTFS_START"
disk_place "$raw" "$fat_img" "$FAT_START"
disk_table "$raw" <<EOF
label: dos
label-id: 0x42454e43
start=$NTFS_START, size=$PART_SECTORS, type=7
start=$FAT_START, size=$PART_SECTORS, type=c
EOF
rm -f "$DISK_OUT/bench.vhdx"
qemu-img convert -f raw -O vhdx -o subformat=dynamic,block_size=32M "$raw" "$DISK_OUT/bench.vhdx"
printf '1 %s %s 300\n2 %s %s 200\n' "$NTFS_START" "$PART_SECTORS" "$FAT_START" "$PART_SECTORS" \
    >"$DISK_OUT/bench.layout"
