#!/usr/bin/env bash
# gen-dense-image.sh OUTDIR: the benchmark disk made dense, from the sparse
# one bench/gen-bench-image.sh left in OUTDIR (bench.raw, bench.layout).
#
# The same partitions, files and deleted files; then every free cluster of
# both volumes is overwritten with seeded random bytes (one file filling
# the volume, deleted again) and the unallocated tail gets random bytes
# too, so that every block of the disk holds data. Written as
# bench-dense.vhd (fixed: the raw sectors and a footer, which The Sleuth
# Kit and PhotoRec read as a raw disk) and bench-dense.vhdx (dynamic,
# 32 MiB blocks, every block present).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../tests/fixtures/lib-disk.sh
source "$here/../tests/fixtures/lib-disk.sh"
disk_start bench-dense "$@"
src=$DISK_OUT/bench.raw
[[ -f $src ]] || die "missing $src: bench/gen-bench-image.sh first"
read -r _ NTFS_START PART_SECTORS _ < <(sed -n 1p "$DISK_OUT/bench.layout")
read -r _ FAT_START _ _ < <(sed -n 2p "$DISK_OUT/bench.layout")
disk_sectors=$(($(stat -c %s "$src") / 512))
tail_start=$((FAT_START + PART_SECTORS))

# random SEED BYTES: seeded random bytes on stdout.
random() {
    python3 -c 'import random, sys
r, left = random.Random(int(sys.argv[1])), int(sys.argv[2])
while left > 0:
    n = min(left, 1 << 20)
    sys.stdout.buffer.write(r.randbytes(n))
    left -= n' "$1" "$2"
}

dense=$DISK_WORK/dense.raw
cp --sparse=always "$src" "$dense"

# NTFS: a fill file over the free space (less a margin ntfs-3g keeps for
# the MFT), deleted again.
ntfs_img=$DISK_WORK/ntfs.img
dd if="$src" of="$ntfs_img" bs=1M iflag=skip_bytes,count_bytes skip=$((NTFS_START * 512)) \
    count=$((PART_SECTORS * 512)) conv=sparse status=none
mnt=$DISK_WORK/mnt-ntfs
ntfs_mount "$ntfs_img" "$mnt"
free=$(($(stat -f -c '%a * %S' "$mnt")))
random 16001 $((free - (24 << 20))) >"$mnt/fill.bin" || true
rm -f "$mnt/fill.bin"
ntfs_umount "$mnt"
disk_place "$dense" "$ntfs_img" "$NTFS_START"
rm -f "$ntfs_img"

# FAT32: the same with mtools.
fat_img=$DISK_WORK/fat.img
dd if="$src" of="$fat_img" bs=1M iflag=skip_bytes,count_bytes skip=$((FAT_START * 512)) \
    count=$((PART_SECTORS * 512)) conv=sparse status=none
free=$(mdir -i "$fat_img" -a ::/ | sed -n 's/^ *\([0-9 ]*\) bytes free.*/\1/p' | tr -d ' ')
random 16002 $((free - (1 << 20))) >"$DISK_WORK/fill.bin"
mcopy -Q -i "$fat_img" "$DISK_WORK/fill.bin" ::/FILL.BIN
mdel -i "$fat_img" ::/FILL.BIN
rm -f "$DISK_WORK/fill.bin"
disk_place "$dense" "$fat_img" "$FAT_START"
rm -f "$fat_img"

# The unallocated tail.
random 16003 $(((disk_sectors - tail_start) * 512)) |
    dd of="$dense" bs=1M oflag=seek_bytes seek=$((tail_start * 512)) conv=notrunc status=none

# Fixed VHD: the raw sectors and the footer qemu-img writes for that size.
qemu-img create -q -f vpc -o subformat=fixed,force_size=on "$DISK_WORK/footer.vhd" $((disk_sectors * 512))
tail -c 512 "$DISK_WORK/footer.vhd" >>"$dense"
rm -f "$DISK_WORK/footer.vhd"
mv "$dense" "$DISK_OUT/bench-dense.vhd"
rm -f "$DISK_OUT/bench-dense.vhdx"
# The VHDX needs as much room again; where the build's disk lacks it (with
# a margin for everything else), it goes to tmpfs behind a link.
vhdx=$DISK_OUT/bench-dense.vhdx
need=$((disk_sectors * 512 + (4 << 30)))
if (($(stat -f -c '%a * %S' "$DISK_OUT") < need)) && [[ -d /dev/shm ]] &&
   (($(stat -f -c '%a * %S' /dev/shm) > need)); then
    vhdx=/dev/shm/tesmir-bench-dense-$(id -u).vhdx
    ln -sf "$vhdx" "$DISK_OUT/bench-dense.vhdx"
    echo "bench-dense.vhdx kept in $vhdx (too little room in $DISK_OUT)" >&2
fi
qemu-img convert -f vpc -O vhdx -o subformat=dynamic,block_size=32M "$DISK_OUT/bench-dense.vhd" "$vhdx"
