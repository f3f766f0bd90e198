#!/usr/bin/env bash
# Writes small seed inputs for the fuzzers into OUT/catalogue, OUT/orderings and OUT/jpeg: catalogue files in code
# page 1251 like the collection's, and JPEG files of every kind the decoder handles (made with cjpeg, jpegtran,
# ImageMagick and the project's make_fuzz_seeds: colour profiles, EXIF orientations, Adobe markers, arithmetic coding;
# restart markers and progressive scan scripts). The seeds under fuzz/corpus/ were made so and are committed; what
# a fuzz run finds is added there.
set -euo pipefail
out=${1:?usage: make_seeds.sh OUT [make_fuzz_seeds]}
make_fuzz_seeds=${2:-build/tools/fuzz_seeds/make_fuzz_seeds}
mkdir -p "$out/catalogue" "$out/orderings" "$out/jpeg"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cp1251() { iconv -f UTF-8 -t CP1251; }
crlf() { sed 's/$/\r/'; }

# Catalogue: about.dat, 0x1A, about2.dat, 0x1A, maps.txt.
cat > "$tmp/maps.txt" <<'MAPS'
Москва@Goroda@moskva1825.jpg@1825@Военно-топографическое депо@План столичного города Москвы@@5
Москва@Goroda@moskva1739.jpg@1739@Мичурин И.Ф.@План Москвы@@3
Санкт-Петербург@Goroda@spb1753.jpg@1753@Академия наук@Подробный план@@4
Тверская губерния@Oblasti@tver1800.jpg@1800@Вильбрехт А.М.@Карта губернии@запас@2
Российская империя@Russia@russia1745.jpg@1745@Академия наук@Генеральная карта@@5
Метро Москвы@Metro@metro1935.jpg@1935@@Схема первой очереди@@1
Ёлкино@Goroda@yolkino.jpg@1900-е@Neizvestny@ё и е@@2
Об истории карт@art@history.htm@@@Статья@@
Alpha@Goroda@alpha.jpg@1700@A@B@C@3@лишнее
MAPS
printf 'Старинные карты\r\nКак пользоваться\r\n\r\nКонец\r\n' | cp1251 > "$tmp/about.dat"
printf 'Сайт:\r\nhttps://example.org/\r\nHTTP://EXAMPLE.ORG/\r\n' | cp1251 > "$tmp/about2.dat"
crlf < "$tmp/maps.txt" | cp1251 > "$tmp/maps1251.txt"
{ cat "$tmp/about.dat"; printf '\x1a'; cat "$tmp/about2.dat"; printf '\x1a'; cat "$tmp/maps1251.txt"; } \
    > "$out/catalogue/collection"
{ printf '\x1a\x1a'; cat "$tmp/maps1251.txt"; } > "$out/catalogue/maps_only"
cp "$tmp/maps1251.txt" "$out/orderings/maps"
head -n 6 "$tmp/maps.txt" | cp1251 > "$out/orderings/maps_lf"

# JPEG: baseline, progressive, optimised, restart markers, arithmetic, grayscale, odd sizes, CMYK.
convert -size 48x32 gradient:red-blue -fill white -draw 'circle 20,16 26,16' "$tmp/p.ppm"
cjpeg -quality 80 "$tmp/p.ppm" > "$out/jpeg/baseline.jpg"
cjpeg -progressive "$tmp/p.ppm" > "$out/jpeg/progressive.jpg"
cjpeg -optimize -restart 1 "$tmp/p.ppm" > "$out/jpeg/restart.jpg"
cjpeg -arithmetic "$tmp/p.ppm" > "$out/jpeg/arithmetic.jpg"
cjpeg -grayscale -progressive "$tmp/p.ppm" > "$out/jpeg/gray_progressive.jpg"
cjpeg -sample 1x1 "$tmp/p.ppm" > "$out/jpeg/sample444.jpg"
convert -size 17x9 gradient:green-yellow "$tmp/odd.ppm"
cjpeg -sample 2x2 "$tmp/odd.ppm" > "$out/jpeg/odd_size.jpg"
convert "$tmp/p.ppm" -colorspace CMYK -quality 70 "$out/jpeg/cmyk.jpg"
printf 'Тверь@Goroda@тверь.jpg@1853\r\n' > "$out/catalogue/maps_utf8"
{ printf '\xef\xbb\xbf'; printf 'Тверь@Goroda@тверь.jpg@1853\r\n'; } > "$out/catalogue/maps_utf8_mark"

"$make_fuzz_seeds" "$out/jpeg"
# Restart markers every row, every three blocks, in a progressive and an arithmetic-coded file.
jpegtran -copy all -restart 1 "$out/jpeg/icc_rgb.jpg" > "$out/jpeg/restart_rows_icc.jpg"
jpegtran -copy all -restart 3B "$out/jpeg/exif_orientation_6.jpg" > "$out/jpeg/restart_blocks_turned.jpg"
jpegtran -copy all -progressive -restart 2B "$out/jpeg/baseline.jpg" > "$out/jpeg/restart_progressive.jpg"
jpegtran -copy all -arithmetic -restart 1 "$out/jpeg/adobe_cmyk.jpg" > "$out/jpeg/restart_arithmetic_cmyk.jpg"
# Scan scripts: successive approximation in several steps, spectral selection with separate DC scans, and a
# sequential file of one scan per component.
cat > "$tmp/approximation.scans" <<'SCANS'
0,1,2: 0-0, 0, 2;
0: 1-5, 0, 2;
2: 1-63, 0, 1;
1: 1-63, 0, 1;
0: 6-63, 0, 2;
0: 1-63, 2, 1;
0,1,2: 0-0, 2, 1;
0,1,2: 0-0, 1, 0;
2: 1-63, 1, 0;
1: 1-63, 1, 0;
0: 1-63, 1, 0;
SCANS
cat > "$tmp/spectral.scans" <<'SCANS'
0: 0-0, 0, 0;
1: 0-0, 0, 0;
2: 0-0, 0, 0;
0: 1-2, 0, 0;
0: 3-9, 0, 0;
0: 10-63, 0, 0;
1: 1-63, 0, 0;
2: 1-63, 0, 0;
SCANS
cat > "$tmp/sequential.scans" <<'SCANS'
0: 0-63, 0, 0;
1: 0-63, 0, 0;
2: 0-63, 0, 0;
SCANS
jpegtran -copy all -scans "$tmp/approximation.scans" "$out/jpeg/icc_rgb.jpg" > "$out/jpeg/scans_approximation.jpg"
jpegtran -copy all -scans "$tmp/spectral.scans" "$out/jpeg/exif_orientation_5.jpg" > "$out/jpeg/scans_spectral_turned.jpg"
jpegtran -copy all -scans "$tmp/sequential.scans" "$out/jpeg/baseline.jpg" > "$out/jpeg/scans_sequential.jpg"

# The streaming scanner: sequential files of every sampling, with and without restart markers, a grey and a CMYK one,
# a damaged and a truncated one, and the kinds it refuses (progressive, arithmetic, several scans, 12-bit samples).
mkdir -p "$out/jpeg_scan"
for sampling in 2x1 4x1 1x2 4x1,1x4,1x1; do
    cjpeg -quality 85 -sample "$sampling" "$tmp/p.ppm" > "$out/jpeg_scan/sample${sampling//,/_}.jpg"
done
cjpeg -quality 85 -sample 2x2 -restart 2B "$tmp/p.ppm" > "$out/jpeg_scan/sample2x2_restart_blocks.jpg"
cjpeg -quality 85 -grayscale -restart 1 "$tmp/odd.ppm" > "$out/jpeg_scan/gray_restart_rows.jpg"
for seed in baseline sample444 odd_size restart full_chroma_optimised cmyk adobe_cmyk adobe_ycck icc_gray \
    restart_rows_icc restart_blocks_turned truncated progressive arithmetic arithmetic_progressive restart_progressive \
    restart_arithmetic_cmyk scans_sequential precision12 declared_65500; do
    cp "$out/jpeg/$seed.jpg" "$out/jpeg_scan/"
done
