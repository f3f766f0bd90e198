#!/usr/bin/env bash
# Writes small seed inputs for the fuzzers into OUT/catalogue, OUT/orderings and OUT/jpeg: catalogue files in code
# page 1251 like the collection's, and JPEG files of every kind the decoder handles (made with cjpeg and
# ImageMagick). The committed seeds under fuzz/corpus/ are added to these by the callers.
set -euo pipefail
out=${1:?usage: make_seeds.sh OUT}
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
