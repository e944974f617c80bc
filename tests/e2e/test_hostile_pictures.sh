#!/usr/bin/env bash
# A run with markers and mandalas on, where both marker files and two of the three
# mandala files are ones that take long and much memory to decode: a run-length bitmap that declares
# 16000 x 4000 and holds only its end code, and a progressive 8000 x 8000 JPEG of
# some 500 scans. For 20 s the screen is sampled as fast as the X server answers:
# the flicker goes on without a gap longer than twice its phase, and the program
# stays under 200 MB resident.
set -euo pipefail
build_dir=$1
here=$(dirname "$0")
source "$here/lib.sh"
trap vd_cleanup EXIT

# The two files, made once per build folder.
hostile="$build_dir/e2e-hostile"
if [ ! -s "$hostile/huge.jpg" ] || [ ! -s "$hostile/eob.bmp" ]; then
  mkdir -p "$hostile"
  python3 - "$hostile" <<'PY'
import struct, sys
out = sys.argv[1]

# Bitmap: file header, 40-byte info header (8 bits, RLE8), 256 grey entries, and
# pixel data of one end-of-bitmap code: 1080 bytes in all.
palette = b"".join(bytes((i, i, i, 0)) for i in range(256))
data = b"\x00\x01"
offset = 14 + 40 + len(palette)
info = struct.pack("<IiiHHIIiiII", 40, 16000, 4000, 1, 8, 1, len(data), 2835, 2835, 256, 0)
with open(f"{out}/eob.bmp", "wb") as f:
    f.write(b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + info + palette + data)

# JPEG: a mid-grey 8000 x 8000 grey-scale picture, progressive, whose coefficients
# are all zero. One DC scan codes each of the 1,000,000 blocks in one bit; then each
# AC coefficient comes alone in 8 steps of precision (504 scans), every scan a few
# end-of-band runs of 32767 blocks at most.
class Bits:
    def __init__(self):
        self.out, self.acc, self.n = bytearray(), 0, 0
    def put(self, value, length):
        for i in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc, self.n = 0, 0
    def done(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)
        return bytes(self.out)

def segment(marker, body):
    return struct.pack(">BBH", 0xFF, marker, len(body) + 2) + body

def huffman(table_class, symbol):  # one symbol, coded as "0"
    return bytes([table_class << 4]) + bytes([1] + [0] * 15) + bytes([symbol])

blocks = 1000 * 1000
jpeg = bytearray(b"\xff\xd8")
jpeg += segment(0xDB, bytes([0]) + bytes([1] * 64))
jpeg += segment(0xC2, struct.pack(">BHHB", 8, 8000, 8000, 1) + bytes([1, 0x11, 0]))
jpeg += segment(0xC4, huffman(0, 0x00) + huffman(1, 0xE0))

def scan(ss, se, ah, al, entropy):
    return segment(0xDA, bytes([1, 1, 0x00, ss, se, (ah << 4) | al])) + entropy

dc = Bits()
for _ in range(blocks):
    dc.put(0, 1)
jpeg += scan(0, 0, 0, 0, dc.done())
runs = Bits()
left = blocks
while left:
    run = min(left, 32767)
    runs.put(0, 1)                 # EOB14: a run of 16384 + the next 14 bits
    runs.put(run - 16384, 14)
    left -= run
runs = runs.done()
for k in range(1, 64):
    jpeg += scan(k, k, 0, 7, runs)
    for ah in range(7, 0, -1):
        jpeg += scan(k, k, ah, ah - 1, runs)
jpeg += b"\xff\xd9"
with open(f"{out}/huge.jpg", "wb") as f:
    f.write(jpeg)
PY
fi
[ "$(stat -c %s "$hostile/eob.bmp")" = 1080 ] || e2e_fail "the bitmap is not 1080 bytes"

vd_start_display
dir=$(vd_program_copy "$build_dir")
rm -rf "$dir/to_read"
mkdir "$dir/to_read"
# Long lines, so that both strips sampled below hold some of their letters while
# an error box may stand in the middle of the screen.
wide='Строка такой ширины, что её буквы доходят до обоих краёв экрана'
printf '%s 1\r\n%s 2\r\n%s 3\r\n' "$wide" "$wide" "$wide" \
  >"$dir/to_read/Probe-line-wide-enough-to-reach-both-sides.txt"
for n in 1 2; do cp "$hostile/eob.bmp" "$dir/textures/mark$n.bmp"; done
# The overlay decodes mandala 3 while the program starts; it stays as shipped.
for n in 1 2; do cp "$hostile/huge.jpg" "$dir/mandals/$n.jpg"; done
# Markers and mandalas on; a new line every 10 s.
printf '[USES]\r\nmarkers=1\r\nimages=1\r\n[GENERAL]\r\nfreqency=1000\r\n' >"$dir/Config.ini"

vd_start_program "$dir"
control=$(vd_wait_window '^Form1$' 20)
sleep 1
read -r cx cy _ _ <<<"$(e2e_geometry "$control")"
# "Старт" lies at 481,340 in the control window, 47x19.
xdotool mousemove $((cx + 481 + 23)) $((cy + 340 + 9))
sleep 0.3
xdotool click 1
vd_wait_window '^Form2$' 10 >/dev/null

# The first mandala comes 10 s into the run and the first marker 15 s in.
# The text line lies at y 304 on a 1024 x 768 screen; its letters from its top down.
log="$dir/samples.log"
python3 "$here/flicker_sampler.py" 21 "$VD_PROGRAM_PID" 40,306,260,50 724,306,260,50 >"$log"

kill -0 "$VD_PROGRAM_PID" 2>/dev/null || e2e_fail "the program ended during the run"
# Gaps between changes after the first second, longest last; the phase is their median.
gaps=$(awk '$1 == "change" && $2 >= 1 { if (prev != "") print $2 - prev, prev; prev = $2 }' "$log" | sort -n)
count=$(printf '%s\n' "$gaps" | grep -c . || true)
median=$(printf '%s\n' "$gaps" | awk -v n="$count" 'NR == int(n / 2) + 1 { print $1 }')
read -r worst at <<<"$(printf '%s\n' "$gaps" | tail -n 1)"
rss=$(awk '$1 == "rss" && $3 > m { m = $3 } END { print m + 0 }' "$log")
[ "$count" -ge 20 ] || e2e_fail "the screen hardly changed ($count changes): no flicker seen"
echo "changes $count, phase $median s, longest gap $worst s (from $at s), peak resident $((rss / 1024)) MB"
awk -v m="$median" 'BEGIN { exit !(m >= 0.03 && m <= 0.08) }' || e2e_fail "phase of $median s, expected 8 to 10 Hz"
awk -v w="$worst" -v m="$median" 'BEGIN { exit !(w <= 2 * m) }' \
  || e2e_fail "a gap of $worst s in the flicker at $at s, more than twice the phase ($median s)"
[ "$rss" -lt $((200 * 1024)) ] || e2e_fail "the program took $((rss / 1024)) MB resident"
echo PASS
