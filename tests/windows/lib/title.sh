# Shared by the scripts that start the Windows program under Wine and Xvfb: its title window
# found, seen drawn and closed by its close button. Source it after e2e/lib/common.sh; the
# program runs as $pid, its work folder is $work, kelvar_x11_close is $closer.

title_window() {
    w=$(xdotool search --onlyvisible --name '^Kelvar Raid$' 2>/dev/null | head -n 1)
    [ -n "$w" ] && echo "$w"
}
gone() { ! kill -0 "$pid" 2>/dev/null; }
# The window holds the title picture's colours (the palette's sixteen), not a blank or one fill.
drawn() {
    timeout 20 import -window root "$shot" 2>/dev/null &&
        timeout 20 import -window "$window" "$work/window.png" 2>/dev/null &&
        [ "$(convert "$work/window.png" -format '%k' info:)" -ge 12 ]
}

# show_title SCREENSHOT: the title window appears and is drawn; the screenshot is kept.
show_title() {
    shot=$1
    wait_for 120 title_window || fail "no title window within 120 s"
    window=$(title_window)
    wait_for 60 drawn || fail "the title window stays black (see $shot)"
}

# close_title: its close button ends the program within 60 s, with exit code 0.
close_title() {
    "$closer" "$window" || fail "cannot ask the title window to close"
    wait_for 60 gone || fail "the program still runs 60 s after its window was closed"
    code=0
    wait "$pid" || code=$?
    pid=""
    [ "$code" -eq 0 ] || fail "closing the window: exit code $code"
}
