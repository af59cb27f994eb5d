#!/bin/sh
# Sound latency on SDL's disk audio driver: start, cut-off, played to its end, late callbacks.
# Prints one line per figure (from bench/sound_bench.cpp); exits non-zero when any falls short.
# Usage: bench/sound.sh BUILD_DIR [TRIALS]
set -u
build=$1
cmake --build "$build" --target kelvar_sound_bench >/dev/null || exit 2
exec "$build/kelvar_sound_bench" "${2:-20}"
