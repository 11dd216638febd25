# bash completion for fotoplex-cli                                 -*- shell-script -*-

_fotoplex_cli_settings() {
    # The setting names, as `project show` prints them for a default project.
    local tmp names
    tmp=$(mktemp -d 2>/dev/null) || return
    if fotoplex-cli project new "$tmp/p.hgp" >/dev/null 2>&1; then
        names=$(fotoplex-cli project show "$tmp/p.hgp" 2>/dev/null | sed -n 's/^\([A-Za-z]*\)=.*/\1=/p')
    fi
    rm -rf "$tmp"
    printf '%s\n' $names
}

_fotoplex_cli() {
    local cur prev words cword
    _init_completion -n = || return

    local commands="project info convert build demo --help --version"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        return
    fi

    case ${words[1]} in
    project)
        if ((cword == 2)); then
            COMPREPLY=($(compgen -W "new set show --help" -- "$cur"))
            return
        fi
        if [[ $prev == --add ]]; then
            _filedir
            return
        fi
        if [[ $prev == --sort ]]; then
            COMPREPLY=($(compgen -W "name date reverse" -- "$cur"))
            return
        fi
        if ((cword == 3)); then
            _filedir hgp
            return
        fi
        [[ ${words[2]} == show ]] && return
        case $cur in
        -*)
            local options="--add"
            [[ ${words[2]} == set ]] && options+=" --clear-files --sort"
            COMPREPLY=($(compgen -W "$options" -- "$cur"))
            ;;
        *)
            compopt -o nospace
            COMPREPLY=($(compgen -W "$(_fotoplex_cli_settings)" -- "$cur"))
            ;;
        esac
        ;;
    info)
        _filedir
        ;;
    convert)
        case $prev in
        --quality | --resample | --box)
            return
            ;;
        --filter)
            COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7 8 9 none triangle hermite bell bspline lanczos3 mitchell nearest linear fastlinear" -- "$cur"))
            return
            ;;
        esac
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--quality --progressive --resample --box --keep-aspect --filter --help" -- "$cur"))
        else
            _filedir
        fi
        ;;
    build)
        case $prev in
        --target)
            _filedir -d
            return
            ;;
        --existing)
            COMPREPLY=($(compgen -W "overwrite ask skip" -- "$cur"))
            return
            ;;
        --jobs | -j)
            return
            ;;
        esac
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--target --existing --yes --open --no-open --quiet --jobs --help" -- "$cur"))
        else
            _filedir hgp
        fi
        ;;
    demo)
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help" -- "$cur"))
        else
            _filedir -d
        fi
        ;;
    esac
} &&
    complete -F _fotoplex_cli fotoplex-cli

# ex: filetype=sh
