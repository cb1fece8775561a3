# bash completion for nivora                                  -*- shell-script -*-
# Self-contained: works with or without the bash-completion package.

# Pattern preset names (they contain spaces and accents), from the program itself.
_nivora_patterns()
{
    local word=${1//\\/} name
    word=${word#[\"\']}
    local IFS=$'\n'
    for name in $("${COMP_WORDS[0]}" pattern --list 2>/dev/null); do
        name=${name#"${name%%[! ]*}"}
        [[ $name == "$word"* ]] && COMPREPLY+=("$(printf '%q' "$name")")
    done
}

_nivora()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD-1]}

    local commands="ctl render pattern folder-icon --autostart --version --help"
    local ctl_commands="get set reset status next previous random dashboard popover account quit"
    # The keys of `nivora ctl get` and `nivora ctl set`, in the settings
    # schema's order (tests/model/tst_settings_docs.cpp holds them to it).
    local keys="isRunning wallpaperMode mediaPath spanScreens slideMinutes slideShuffle sceneIndex speed
        intensity scale colorShift sharpness renderQuality fps batterySaver pauseOnFullscreen launchAtLogin autopilot
        autopilotMinutes paletteName paletteHex enabledDisplays enabledWidgets
        clockWidgetShowsDate widgetShapes widgetSizes screenOverrides language"
    # The keys a screen can have values of its own for (`--screen NAME`).
    local screen_keys="wallpaperMode mediaPath sceneIndex speed intensity scale colorShift
        sharpness paletteName paletteHex"
    local sections="scenes media icons colors widgets displays performance about account"

    COMPREPLY=()
    if [[ $COMP_CWORD -eq 1 ]]; then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return 0
    fi

    case ${COMP_WORDS[1]} in
    ctl)
        # After `--screen NAME` the words go on as without it, with the
        # per-screen keys; the names are the running instance's screens.
        local screen_shift=0
        if [[ ${COMP_WORDS[3]} == --screen ]]; then
            screen_shift=2
        fi
        if [[ $COMP_CWORD -eq 2 ]]; then
            COMPREPLY=($(compgen -W "$ctl_commands --help" -- "$cur"))
        elif [[ $COMP_CWORD -eq 4 && $prev == --screen ]]; then
            COMPREPLY=($(compgen -W "$("${COMP_WORDS[0]}" ctl status 2>/dev/null |
                sed -n 's/^ *"screen": "\(.*\)",\{0,1\}$/\1/p')" -- "$cur"))
        elif [[ $COMP_CWORD -eq 3 && ${COMP_WORDS[2]} =~ ^(get|set|reset)$ && $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--screen" -- "$cur"))
        elif [[ $screen_shift -eq 2 && $COMP_CWORD -eq 5 ]]; then
            [[ ${COMP_WORDS[2]} == reset ]] || COMPREPLY=($(compgen -W "$screen_keys" -- "$cur"))
        elif [[ $COMP_CWORD -eq 3 ]]; then
            case $prev in
            get | set) COMPREPLY=($(compgen -W "$keys" -- "$cur")) ;;
            dashboard) COMPREPLY=($(compgen -W "$sections" -- "$cur")) ;;
            reset) COMPREPLY=($(compgen -W "--screen" -- "$cur")) ;;
            account) COMPREPLY=($(compgen -W "sign-out google" -- "$cur")) ;;
            esac
        elif [[ $COMP_CWORD -eq $((4 + screen_shift)) && ${COMP_WORDS[2]} == set ]]; then
            case $prev in
            isRunning | spanScreens | slideShuffle | batterySaver | pauseOnFullscreen | launchAtLogin | autopilot | clockWidgetShowsDate)
                COMPREPLY=($(compgen -W "true false" -- "$cur")) ;;
            wallpaperMode) COMPREPLY=($(compgen -W '\"scene\" \"video\" \"image\"' -- "$cur")) ;;
            language) COMPREPLY=($(compgen -W '\"auto\" \"fr\" \"en\"' -- "$cur")) ;;
            fps) COMPREPLY=($(compgen -W "30 60 120" -- "$cur")) ;;
            renderQuality) COMPREPLY=($(compgen -W "720 1080 1440 1920" -- "$cur")) ;;
            autopilotMinutes) COMPREPLY=($(compgen -W "1 5 15 30" -- "$cur")) ;;
            esac
        fi
        ;;
    render)
        case $prev in
        --output) COMPREPLY=($(compgen -f -- "$cur")) ;;
        --scene) COMPREPLY=($(compgen -W "$(echo {0..14})" -- "$cur")) ;;
        --time | --size | --speed | --intensity | --scale | --color-shift | --sharpness | --palette | --colors) ;;
        *)
            COMPREPLY=($(compgen -W "--scene --time --size --output --speed --intensity --scale
                --color-shift --sharpness --palette --colors --help" -- "$cur"))
            ;;
        esac
        ;;
    pattern)
        case $prev in
        --output) COMPREPLY=($(compgen -f -- "$cur")) ;;
        --size) ;;
        *)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "--size --output --list --help" -- "$cur"))
            else
                _nivora_patterns "$cur"
            fi
            ;;
        esac
        ;;
    folder-icon)
        if [[ $COMP_CWORD -eq 2 ]]; then
            COMPREPLY=($(compgen -W "apply reset" -- "$cur"))
        else
            case $prev in
            --image) COMPREPLY=($(compgen -f -- "$cur")) ;;
            --pattern) _nivora_patterns "$cur" ;;
            *)
                if [[ ${COMP_WORDS[2]} == apply && $cur == -* ]]; then
                    COMPREPLY=($(compgen -W "--pattern --image" -- "$cur"))
                else
                    COMPREPLY=($(compgen -d -- "$cur"))
                fi
                ;;
            esac
        fi
        ;;
    esac
    return 0
}
complete -F _nivora nivora
