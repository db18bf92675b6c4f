# bash completion for saiha-calc                             -*- shell-script -*-
# Installed by `cmake --install` under share/bash-completion/completions.

_saiha_calc() {
  local cur prev words cword
  _init_completion || return

  local command="" word
  for word in "${words[@]:1:cword-1}"; do
    case $word in profile | compare) command=$word ;; esac
  done

  case $prev in
    --breaker) COMPREPLY=($(compgen -W "goda1970 goda2010 mccowan kamphuis miche" -- "$cur")); return ;;
    --shoaling) COMPREPLY=($(compgen -W "two-regime shuto" -- "$cur")); return ;;
    --precision) COMPREPLY=($(compgen -W "shown full" -- "$cur")); return ;;
    -o | --output) _filedir; return ;;
    -j | --jobs | --Ho | --T | --alpha0 | --n | --from | --stations | --spacing | \
      --K | --rho | --rho-s | --porosity) return ;;  # a number
  esac

  local options
  case $command in
    profile) options="--Ho --T --alpha0 --n --from --stations --spacing --breaker --shoaling -o --output --help" ;;
    compare) options="--Ho --T --alpha0 --n --K --rho --rho-s --porosity -o --output --help" ;;
    *) options="profile compare -j --jobs --precision --progress --no-progress --breaker --shoaling -o --output --help --version" ;;
  esac
  if [[ $cur == -* || ( -z $command && $cur != */* ) ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
  fi
  if [[ $cur != -* && -z $command ]]; then
    _filedir csv  # the CSV file of waves
  fi
} &&
  complete -F _saiha_calc saiha-calc
