#!/usr/bin/env bash
# Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/.
# Texts are GBK bytes written as escapes; the pictures are tiny real ones,
# encoded by Debian's stb_image_write.
set -euo pipefail
cd "$(dirname "$0")"
out=corpus
rm -rf "$out"
mkdir -p "$out"/{text_to_number,text_to_integer,profile,sun_tick,convert_picture}

seed() { printf -- "$2" > "$out/$1/$3"; }

# A value of 10 240 bytes and one of 10 239: the profile read buffer.
long10240=$(printf '7%.0s' $(seq 10240))
long10239=${long10240:1}

# Numbers, as typed: the examples, full-width digits (A3 B0..B9) and signs,
# ideographic space (A1 A1), letters after the number, exponents d/D, huge
# and tiny exponents, the ends of the float range, lone lead bytes.
n=0
for t in '116.4' '39.9' '\xa3\xb1\xa3\xb1\xa3\xb6\xa3\xae\xa3\xb4' '   116.4' '\xa1\xa1116.4' '39.9abc' 'abc' \
         '1e2' '1d2' '1D+2' '\xa3\xad\xa3\xb7\xa3\xb4' '-0' '-.5e-3' '1e999999999999' '-1e-999999999999' \
         '0.000000000000000000000000000000000000000000001401298464324817' '3.4028235e38' '3.40282357e38' \
         '340282356779733661637539395458142568448' '1e-46' '\x81' '116\xa3' '\xa3' '12\xb5\xc8' '\xa1\xab5' '\xa1\xee' \
         '+\t\n\v\f\r7' '1e' '1e+' '.e5' '0x1p3' 'inf' 'nan'; do
    seed text_to_number "$t" "n$((n += 1))"
    seed text_to_integer "$t" "n$n"
done
for t in '99' '-7' '5' '2147483647' '2147483648' '-2147483648' '-2147483649' '99999999999999999999999' \
         '\xa3\xb9\xa3\xb9' '\xa3\xab\xa3\xb1' ' 1' '\xa1\xa11' 'yes' '' '0007'; do
    seed text_to_integer "$t" "i$((n += 1))"
done
printf '%s' "$long10240" > "$out/text_to_number/long"
printf '%s' "$long10240" > "$out/text_to_integer/long"

# Sun times: longitude NUL latitude NUL date.
s=0
for t in '116.4\x00' '39.9\x00' '2020-06-30' \
         '-74.0\x00' '40.7\x00' '2021-02-15' \
         '0.0\x00' '90.0\x00' '2021-06-21' \
         '20.0\x00' '70.0\x00' '2021-12-21' \
         '0.0\x00' '65.0\x00' '2021-06-21' \
         '-15.1\x00' '65.5\x00' '2021-06-21' \
         '-120.0\x00' '75.0\x00' '2020-04-25' \
         '116.4\x00' '\x00' '2020-06-30' \
         '\xa3\xb1\xa3\xb1\xa3\xb6\xa3\xae\xa3\xb4\x00' '\xa1\xa139.9\x00' '1601-01-01' \
         '1e39\x00' '-1e39\x00' '30827-12-31' \
         '179.999\x00' '-89.99\x00' '1999-06-30' \
         '3.4e38\x00' '1e-40\x00' '2100-02-28' \
         'abc\x00' ' \x00' '2024-02-29'; do
    if [ -z "${acc:-}" ]; then acc=$t; cnt=1; else acc+=$t; cnt=$((cnt + 1)); fi
    if [ $cnt -eq 3 ]; then seed sun_tick "$acc" "s$((s += 1))"; acc=; fi
done

# Profiles: two bytes of file length, the file, then section NUL key NUL
# value triples. The file names GBK sections and keys of the program
# (基础 BB F9 B4 A1, 经度 BE AD B6 C8, 个性 B8 F6 D0 D4, 白时 B0 D7 CA B1)
# and a key the program does not know.
profile() {  # file writes name
    local file=$1
    local len=$(printf -- "$file" | wc -c)
    { printf "\\x$(printf %02x $((len % 256)))\\x$(printf %02x $((len / 256)))"; printf -- "$file"; printf -- "$2"; } \
        > "$out/profile/$3"
}
ini='[\xbb\xf9\xb4\xa1]\r\n\xbf\xaa\xbb\xfa\xd7\xd4\xc6\xf4=1\r\n\xbe\xad\xb6\xc8=116.4\r\nmine=kept\r\n\r\n[\xb8\xf6\xd0\xd4]\r\n\xb7\xbd\xca\xbd=0\r\n'
profile "$ini" '\xbb\xf9\xb4\xa1\x00\xbe\xad\xb6\xc8\x00 39.9 \x00\xb8\xf6\xd0\xd4\x00\xb0\xd7\xca\xb1\x00"7"' p1
profile "$ini" 'NEW\x00Key\x00v\x00new\x00KEY\x00w' p2
profile '[a]\nk = " spaced "\n[A]\nk=second\n; comment\n[b' 'a\x00k\x00\x27quoted\x27\x00b\x00x\x00\xa1\xa1' p3
profile '' '\xbb\xf9\xb4\xa1\x00\xbe\xad\xb6\xc8\x00\x81' p4
profile 'k=before any section\n[s]\nk\n=novalue\n[s]\nlate=1' 's\x00late\x002\x00s\x00k\x00' p5
printf '\x10\x00[x]\nv=1\nw=2\n\nx\x00v\x00%s' "$long10240" > "$out/profile/p6"
printf '\x10\x00[x]\nv=1\nw=2\n\nx\x00w\x00"%s"' "$long10239" > "$out/profile/p7"
profile '[x]\r\nk=1\r\n' ' x \x00 k \x00 trailing blanks \x00x\x00k\x00' p8

# Pictures: format code byte, flags byte (1 flatten, 2 output file), bytes.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/make.cpp" <<'CPP'
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
int main() {
    const unsigned char rgb[2 * 2 * 3] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    const unsigned char rgba[2 * 2 * 4] = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 9, 9, 9, 255};
    stbi_write_bmp("rgb.bmp", 2, 2, 3, rgb);
    stbi_write_bmp("rgba.bmp", 2, 2, 4, rgba);
    stbi_write_png("rgb.png", 2, 2, 3, rgb, 6);
    stbi_write_png("rgba.png", 2, 2, 4, rgba, 8);
    stbi_write_png("grey.png", 2, 2, 1, rgb, 2);
    stbi_write_jpg("rgb.jpg", 2, 2, 3, rgb, 90);
    stbi_write_tga("rgb.tga", 2, 2, 3, rgb);
}
CPP
g++ -O1 -o "$work/make" "$work/make.cpp" -w
(cd "$work" && ./make)
# A 1x1 GIF with a two-colour palette.
printf 'GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;' > "$work/one.gif"
c=0
for picture in rgb.bmp rgba.bmp rgb.png rgba.png grey.png rgb.jpg rgb.tga one.gif; do
    for head in '\x00\x00' '\x04\x01' '\x01\x02' '\x00\x03'; do
        { printf "$head"; cat "$work/$picture"; } > "$out/convert_picture/$picture.$((c += 1))"
    done
done
printf '\x00\x00BM' > "$out/convert_picture/short"
printf '\x05\x00\x89PNG\r\n\x1a\n' > "$out/convert_picture/truncated-png"
printf '\x06\x00hello, no picture' > "$out/convert_picture/text"
