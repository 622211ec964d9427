#!/bin/sh
# Builds one libFuzzer target per text conversion with clang and runs each for
# a bounded time on inputs up to a full clip. Exits non-zero when any target
# finds a crash, a sanitizer report or a result without its terminator.
#   FUZZ_SECONDS  time per target (default 20)
#   FUZZ_BUILD    build and corpus folder (default build/fuzz)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD:-$root/build/fuzz}
seconds=${FUZZ_SECONDS:-20}
max_len=20479

if ! command -v clang++ >/dev/null 2>&1; then
    echo "run_fuzzers: clang++ not found" >&2
    exit 1
fi

# clang takes only UTF-8 as execution charset; the conversions spell every
# non-ASCII byte as an escape, so they need no CP932 literals.
flags="-std=c++17 -g -O1 -Wall -Wextra -Werror -finput-charset=UTF-8 -I$root
       -fsanitize=address,undefined -fno-sanitize-recover=undefined"
mkdir -p "$build"
objects=""
for source in encodings mail_decode mail_utf8 unicode_text cp932_iconv sjis; do
    # shellcheck disable=SC2086
    clang++ $flags -fsanitize=fuzzer-no-link -c "$root/text/$source.cpp" -o "$build/$source.o"
    objects="$objects $build/$source.o"
done

# Seeds that reach the worst growth at once: a clip of LFs doubles under
# to_shift_jis, alternating double-byte and ASCII characters triple under
# to_iso2022jp.
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"
fill() { # unit without LF, length, file
    yes "$1" | tr -d '\n' | head -c "$2" > "$seeds/$3" || true
}
lines() { # line without its LF, length, file
    yes "$1" | head -c "$2" > "$seeds/$3" || true
}
head -c "$max_len" /dev/zero | tr '\0' '\n' > "$seeds/all_lf"
fill "$(printf '\202\240a')" 20478 sjis_ascii_alternating
fill "$(printf '\202\240')" 20478 sjis_run
fill "$(printf '\202')" "$max_len" lead_bytes
# shellcheck disable=SC2016 # ESC $ B is meant literally
fill "$(printf '\033$B$"\033(Ba')" "$max_len" jis_alternating
lines "$(printf 'a\r')" "$max_len" crlf_lines
fill "TWFu" "$max_len" base64_groups
lines "$(printf 'TWFuTWE=\r')" "$max_len" base64_lines
{ printf x; head -c 20478 /dev/zero | tr '\0' '\n'; } > "$seeds/odd_lf"
# Mail text: a body of ISO-2022-JP wrapped at 76 columns, header words side by side
# and folded, words of every charset kind, and a header that fills the field.
printf 'GyRCM0YwTBsoQg0KDQobJEJNaD01JE4ycTVEJE82Yk1LRnwkTjhhOGU7MDt+JCskaUJoO00ycTVE\r\nPDwkRzlUJCQkXiQ5ISMbKEINCg==\r\n' \
    > "$seeds/jis_body_76"
printf 'Subject: =?ISO-2022-JP?B?GyRCMnE1RBsoQg==?=\r\n =?iso-2022-jp?b?GyRCJE4kKkNOJGkkOxsoQg==?= (2)' \
    > "$seeds/header_words"
printf '=?shift_jis?B?g0qDaYLGir+Omg==?= =?utf-8?B?5Lya?= =?ISO-2022-JP?Q?abc?= =?x*ja?B?QUJD?=' \
    > "$seeds/word_charsets"
fill '=?ISO-2022-JP?B?GyRCJCIbKEI=?=' "$max_len" header_full
printf '5Lya6K2w44Gu44GK55+l44KJ44Gb44CcCg==\r\n' > "$seeds/utf8_body"
printf '=?UTF-8?Q?=E4=BC=9A_x?= =?utf-8?B?8J+YgA==?=' > "$seeds/utf8_words"

dictionary=$build/conversions.dict
cat > "$dictionary" <<'DICT'
"\x1b$B"
"\x1b$@"
"\x1b(B"
"\x1b(J"
"\x0d\x0a"
"\x0a"
"\x82\xa0"
"\xf0\x40"
"$\x22"
"=="
"=?"
"?="
"?B?"
"?Q?"
"=?ISO-2022-JP?B?"
"=?shift_jis?b?"
"GyRC"
"GyhC"
DICT

failed=0
for target in decode_base64 to_iso2022jp to_shift_jis; do
    binary=$build/${target}_fuzz
    # shellcheck disable=SC2086
    clang++ $flags -fsanitize=fuzzer "$root/fuzz/${target}_fuzz.cpp" $objects -o "$binary"
    corpus=$build/corpus_$target
    rm -rf "$corpus"
    mkdir -p "$corpus"
    echo "run_fuzzers: $target for ${seconds}s"
    if ! "$binary" -max_total_time="$seconds" -max_len="$max_len" -dict="$dictionary" \
            -artifact_prefix="$build/${target}_" -print_final_stats=1 \
            "$corpus" "$seeds" > "$build/$target.log" 2>&1; then
        echo "run_fuzzers: $target failed, see $build/$target.log" >&2
        tail -n 30 "$build/$target.log" >&2
        failed=1
    else
        grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/$target.log" || true
    fi
done
exit "$failed"
