#!/bin/sh
# Fails when a source file includes what its layer may not use: a header of a layer above it or
# beside it, SDL outside the layers built on it, or an operating system's header outside the
# platform layer. The allowed graph is the one the build links (written by CMake to LAYERS).
#   check_layers.sh SOURCE_DIR LAYERS
# LAYERS has a line per layer: its folder, "|", the folders it may include, "|", the kinds of
# system header it may include (sdl, os).
set -eu
src=$1
layers=$2
cd "$src"
find src -type f \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' \) | sort | awk -v layers="$layers" '
function layerOf(path,    f, best) {
    best = ""
    for (f in allowed)
        if (index(path, f "/") == 1 && length(f) > length(best)) best = f
    return best
}
function exists(path,    line, r) {
    r = (getline line < path) >= 0
    close(path)
    return r
}
BEGIN {
    while ((getline line < layers) > 0) {
        split(line, part, "|")
        folder = part[1]; gsub(/ /, "", folder)
        allowed[folder] = " " part[2] " "
        sysKinds[folder] = " " part[3] " "
    }
    close(layers)
}
{
    file = $0
    dir = file; sub(/\/[^\/]*$/, "", dir)
    mine = layerOf(file)
    if (mine == "") { print file ": lies in no layer folder"; bad++; next }
    n = 0
    while ((getline line < file) > 0) {
        n++
        if (line !~ /^[ \t]*#[ \t]*include/) continue
        if (match(line, /"[^"]+"/)) {
            inc = substr(line, RSTART + 1, RLENGTH - 2)
            if (exists(dir "/" inc)) target = dir "/" inc
            else if (exists("src/" inc)) target = "src/" inc
            else continue # generated at build time, beside its layer
            theirs = layerOf(target)
            if (theirs != mine && index(allowed[mine], " " theirs " ") == 0) {
                printf "%s:%d: includes %s, of the layer %s, which %s may not use\n", file, n, inc, theirs, mine
                bad++
            }
        } else if (match(line, /<[^>]+>/)) {
            inc = substr(line, RSTART + 1, RLENGTH - 2)
            kind = ""
            if (inc ~ /^SDL/) kind = "sdl"
            else if (inc ~ /\.h$/ || inc ~ /^(sys|X11|fontconfig)\//) kind = "os"
            if (kind != "" && index(sysKinds[mine], " " kind " ") == 0) {
                printf "%s:%d: includes <%s>: %s code belongs in the platform layer, not in %s\n", file, n, inc, toupper(kind), mine
                bad++
            }
        }
    }
    close(file)
}
END {
    if (bad) { printf "%d include(s) cross a layer the wrong way\n", bad; exit 1 }
    print "layers: every include goes down the allowed graph"
}'
