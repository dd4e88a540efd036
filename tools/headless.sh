# Sourced by every script that runs the module with no desktop or no sound
# card (the demo, the tests' runners, the benchmarks, the screenshot tool):
# the one place that says which SDL drivers such a run uses.
#
#   headless_env [VIDEO [AUDIO]]      ("-" leaves that one as it is)
#
# VIDEO: dummy (the default: drawn in memory, nothing shown) or x11 (the X
#        server in DISPLAY, such as a virtual one).
# AUDIO: dummy (the default: SDL's silent driver; the mixer opens and sounds
#        play at a sound card's pace, and nothing is heard or logged), disk
#        (written to SDL_DISKAUDIOFILE, /dev/null unless set, as fast as the
#        mixer makes it), or none (a driver name SDL does not have: the
#        engine's own path for a machine with no sound, no audio thread).
headless_env() {
    [ "${1:-}" = - ] || export SDL_VIDEODRIVER=${1:-dummy}
    case ${2:-dummy} in
    -) ;;
    disk) export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=${SDL_DISKAUDIOFILE:-/dev/null} SDL_DISKAUDIODELAY=0 ;;
    *) export SDL_AUDIODRIVER=${2:-dummy} ;;
    esac
    export PYGAME_HIDE_SUPPORT_PROMPT=1
}
