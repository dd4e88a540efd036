# Sourced by the scripts that run the module with no desktop or no sound
# card (the demo, the benchmarks, the screenshot tool).
#
#   headless_env [VIDEO [AUDIO]]
#
# Exports tools/headless.env, then the drivers given in place of its own:
# VIDEO x11 for the X server in DISPLAY (such as a virtual one); AUDIO dummy
# (SDL's silent driver: the mixer opens and plays at a sound card's pace,
# nothing is heard) or none (a driver SDL does not have: the engine's own
# path for a machine with no sound, no audio thread at all).
headless_env() {
    local line
    while IFS= read -r line; do
        case $line in '' | '#'*) ;; *) export "${line?}" ;; esac
    done <"$(dirname "${BASH_SOURCE[0]}")/headless.env"
    [ -z "${1:-}" ] || export SDL_VIDEODRIVER=$1
    [ -z "${2:-}" ] || export SDL_AUDIODRIVER=$2
    export PYGAME_HIDE_SUPPORT_PROMPT=1
}
