#!/usr/bin/env bash
# Regenerates the game's sound effects into assets/Sound/.
# Only sox and espeak-ng are used, so anyone on Debian can rebuild them:
#   apt-get install -y sox espeak-ng
set -euo pipefail

script_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out_dir="$script_dir/../assets/Sound"
mkdir -p "$out_dir"
out_dir="$(cd "$out_dir" && pwd)"

for tool in sox espeak-ng; do
    command -v "$tool" >/dev/null || { echo "missing $tool (apt-get install -y sox espeak-ng)" >&2; exit 1; }
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# One format for every intermediate and final file: small enough that all
# eleven sounds stay well under 1 MB, good enough for speech.
RATE=22050
FMT=(-r "$RATE" -c 1 -b 16 -e signed-integer)
# -R: sox's noise generators and dither use a fixed seed, so reruns give
# byte-identical files and git does not see spurious changes.
SOX=(sox -R -V1)

# Final step for every sound: same loudness with 3 dB headroom, plain PCM WAV. Silence on both
# ends: a sound server may skip the first milliseconds of a new stream, and Qt ends a stream as
# soon as it has handed over the last sample, dropping whatever the server still held.
finish() { # in out
    "${SOX[@]}" "$1" "${FMT[@]}" -t wav "$out_dir/$2" norm -3 pad 0.01 0.2
}

speak() { # text out [words-per-minute]
    espeak-ng -v ru -s "${3:-150}" -w "$tmp/raw_speech.wav" "$1"
    # Cut espeak's leading/trailing silence so the jingle runs straight into the word.
    "${SOX[@]}" "$tmp/raw_speech.wav" "${FMT[@]}" "$2" \
        silence 1 0.01 0.5% fade t 0.005 \
        reverse silence 1 0.01 0.5% fade t 0.03 reverse
}

# --- UI click: a very short noise tick on top of a fast-decaying high tone.
"${SOX[@]}" -n "${FMT[@]}" "$tmp/click_tone.wav" synth 0.05 sine 2400 fade q 0.001 0.05 0.047
"${SOX[@]}" -n "${FMT[@]}" "$tmp/click_tick.wav" synth 0.012 whitenoise highpass 3000 fade q 0 0.012 0.011 pad 0 0.038
"${SOX[@]}" -m -v 0.8 "$tmp/click_tone.wav" -v 0.6 "$tmp/click_tick.wav" "${FMT[@]}" "$tmp/click.wav"
finish "$tmp/click.wav" Click1.wav

# --- Eating: three "chomps" of band-limited brown noise with a choppy envelope,
# then a quick cheerful "Ням-ням".
chomp() { # out length centre-frequency
    "${SOX[@]}" -n "${FMT[@]}" "$1" synth "$2" brownnoise synth "$2" sine amod 28 \
        bandpass "$3" 1.2q fade q 0.01 "$2" 0.06 pad 0 0.06
}
chomp "$tmp/chomp1.wav" 0.13 700
chomp "$tmp/chomp2.wav" 0.11 900
chomp "$tmp/chomp3.wav" 0.14 600
speak "Ням-ням" "$tmp/nyam.wav" 230
"${SOX[@]}" "$tmp/chomp1.wav" "$tmp/chomp2.wav" "$tmp/chomp3.wav" "$tmp/nyam.wav" "${FMT[@]}" "$tmp/eda.wav"
finish "$tmp/eda.wav" eda1.wav

# --- Job announcements: a two-note jingle that climbs with the job's rank,
# then the job title spoken in Russian.
jingle() { # out rank
    # Pentatonic steps keep any pair of notes consonant.
    local steps=(0 2 4 7 9 12 14 16 19 21 24)
    local a=${steps[$2]} b=${steps[$(( $2 + 2 ))]}
    "${SOX[@]}" -n "${FMT[@]}" "$tmp/j1.wav" synth 0.11 pluck %$(( a - 9 )) fade q 0.002 0.11 0.04
    "${SOX[@]}" -n "${FMT[@]}" "$tmp/j2.wav" synth 0.18 pluck %$(( b - 9 )) fade q 0.002 0.18 0.12
    # pluck is very bright; the lowpass keeps the jingle from drowning the voice.
    "${SOX[@]}" "$tmp/j1.wav" "$tmp/j2.wav" "${FMT[@]}" "$1" lowpass 4500 vol 0.5 pad 0 0.06
}

job() { # rank file text
    jingle "$tmp/jingle.wav" "$1"
    speak "$3" "$tmp/title.wav"
    "${SOX[@]}" "$tmp/jingle.wav" "$tmp/title.wav" "${FMT[@]}" "$tmp/job.wav"
    finish "$tmp/job.wav" "$2"
}

job 0 taxist.wav       "Таксист"
job 1 chasttaxist.wav  "Частный таксист"
job 2 dalnoboishik.wav "Дальнобойщик"
job 3 kosmodaln.wav    "Космический дальнобойщик"
job 4 taxipark.wav     "Хозяин таксопарка"
job 5 dalnboss.wav     "Босс дальнобойщиков"
job 6 gonshik.wav      "Гонщик"
job 7 supergonshik.wav "Супер гонщик"
job 8 vantaro.wav      "Вантаро. Истребитель космических пиратов"

echo "sounds written to $out_dir"
du -cb "$out_dir"/*.wav | tail -n 1
