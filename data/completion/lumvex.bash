# SPDX-License-Identifier: MIT
# bash completion for lumvex

_lumvex()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command=${COMP_WORDS[1]}
    if ((COMP_CWORD == 1)); then
        mapfile -t COMPREPLY < <(compgen -W 'simulate report ctl --help --version' -- "$cur")
        return
    fi
    case $command in
    ctl)
        if ((COMP_CWORD == 2)); then
            mapfile -t COMPREPLY < <(compgen -W 'up down set auto pause resume status show display --help' -- "$cur")
        elif ((COMP_CWORD == 3)); then
            case $prev in
            up | down) mapfile -t COMPREPLY < <(compgen -W '5% 10% 20%' -- "$cur") ;;
            set) mapfile -t COMPREPLY < <(compgen -W '0% 25% 50% 75% 100%' -- "$cur") ;;
            auto) mapfile -t COMPREPLY < <(compgen -W 'on off' -- "$cur") ;;
            pause) mapfile -t COMPREPLY < <(compgen -W '15m 30m 1h 2h 1h30m' -- "$cur") ;;
            status) mapfile -t COMPREPLY < <(compgen -W '--json' -- "$cur") ;;
            esac
        fi
        ;;
    simulate)
        case $prev in
        --scenario) mapfile -t COMPREPLY < <(compgen -W 'office video night-reading laptop-day docked-day' -- "$cur") ;;
        --trace) mapfile -t COMPREPLY < <(compgen -f -X '!*.jsonl' -- "$cur") ;;
        --plot) mapfile -t COMPREPLY < <(compgen -f -X '!*.svg' -- "$cur") ;;
        --out) mapfile -t COMPREPLY < <(compgen -d -- "$cur") ;;
        --set) mapfile -t COMPREPLY < <(compgen -W 'rememberBrightnessPerSituation=true rememberBrightnessPerSituation=false adjustExternalDisplays=true adjustExternalDisplays=false' -- "$cur") ;;
        --taste) mapfile -t COMPREPLY < <(compgen -W 'exponent= tolerance= patience=' -- "$cur") ;;
        --behaviour) mapfile -t COMPREPLY < <(compgen -W 'jump notch overshoot drift picky mixed' -- "$cur") ;;
        --table) mapfile -t COMPREPLY < <(compgen -W 'brief full' -- "$cur") ;;
        --days | --seed | --population) ;;
        *) mapfile -t COMPREPLY < <(compgen -W '--scenario --trace --days --seed --compare --taste --behaviour --population --set --plot --table --out --help' -- "$cur") ;;
        esac
        ;;
    report)
        if [[ $prev == --out ]]; then
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        elif [[ $cur == -* ]]; then
            mapfile -t COMPREPLY < <(compgen -W '--out --help' -- "$cur")
        else
            mapfile -t COMPREPLY < <(compgen -f -- "$cur")
        fi
        ;;
    esac
}
complete -F _lumvex lumvex
