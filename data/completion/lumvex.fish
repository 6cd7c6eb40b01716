# SPDX-License-Identifier: MIT
# fish completion for lumvex

set -l commands simulate report ctl
set -l ctl_commands up down set auto pause resume status show display
complete -c lumvex -f
complete -c lumvex -n "not __fish_seen_subcommand_from $commands" -a simulate -d 'Run the brightness loop on simulated days'
complete -c lumvex -n "not __fish_seen_subcommand_from $commands" -a report -d 'Plot recorded telemetry and the adjustment log'
complete -c lumvex -n "not __fish_seen_subcommand_from $commands" -a ctl -d 'Drive the running Lumvex'
complete -c lumvex -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'Show the help'
complete -c lumvex -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'Show the version'

complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a up -d 'Brighten the built-in display'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a down -d 'Darken the built-in display'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a set -d 'Set the brightness to a level'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a auto -d 'Switch automatic adjustment on or off'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a pause -d 'Stop automatic adjustment for a while'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a resume -d 'End a pause'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a status -d 'Show the state'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a show -d 'Open the menu, or say where Lumvex is'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and not __fish_seen_subcommand_from $ctl_commands" -a display -d 'List the displays, or set the range of one'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and __fish_seen_subcommand_from up down" -a '5% 10% 20%'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and __fish_seen_subcommand_from set" -a '0% 25% 50% 75% 100%'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and __fish_seen_subcommand_from auto" -a 'on off'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and __fish_seen_subcommand_from pause" -a '15m 30m 1h 2h 1h30m'
complete -c lumvex -n "__fish_seen_subcommand_from ctl; and __fish_seen_subcommand_from status" -l json -d 'Print the state as JSON'

complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l scenario -x -a 'office video night-reading laptop-day docked-day' -d 'Simulated content'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l trace -r -F -d 'Replay a recorded telemetry file'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l days -x -d 'Simulated days'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l seed -x -d 'Seed of the content and the user'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l compare -d 'Also run fixed and ambient-only brightness'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l taste -x -a 'exponent= tolerance= patience=' -d "Fix parts of the user's taste"
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l behaviour -x -a 'jump notch overshoot drift picky mixed' -d 'How the user corrects'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l table -x -a 'brief full' -d "The one user's table"
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l population -x -d 'Simulate N users'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l set -x -a 'rememberBrightnessPerSituation=true rememberBrightnessPerSituation=false adjustExternalDisplays=true adjustExternalDisplays=false' -d 'Run with a setting'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l plot -r -F -d 'Write a plot (SVG)'
complete -c lumvex -n "__fish_seen_subcommand_from simulate" -l out -x -a '(__fish_complete_directories)' -d 'Folder for the results'
complete -c lumvex -n "__fish_seen_subcommand_from simulate report" -s h -l help -d 'Show the help'
complete -c lumvex -n "__fish_seen_subcommand_from report" -l out -r -F -d 'Where the report goes'
complete -c lumvex -n "__fish_seen_subcommand_from report" -F
