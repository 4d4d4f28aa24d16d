# Bash completion of brisolt and brisolt-make-bank: subcommands, options and
# the values the settings accept.

_brisolt() {
  local cur prev words cword
  _init_completion || return

  local command="" word
  for word in "${words[@]:1:cword-1}"; do
    case $word in
      compose | plan | play) command=$word; break ;;
    esac
  done

  case $prev in
    --key) COMPREPLY=($(compgen -W "C C# Db D D# Eb E F F# Gb G G# Ab A A# Bb B" -- "$cur")); return ;;
    --scale)
      local IFS=$'\n'
      COMPREPLY=($(compgen -W $'Major\nMinor Melodic\nMinor Harmonic\nMinor Natural\nHungarian (Gipsy)\nSpanish (Jewish)\nHindu\nDouble Harmonic\nArabic\nGregorian\nJazz\nBlues' -- "$cur"))
      return ;;
    --motif | --phrase-mode) COMPREPLY=($(compgen -W "A B C D E F G H I J K L" -- "$cur")); return ;;
    --phrases | --session-id | -n | --count) return ;;
    -o | --output) _filedir '@(wav|flac|ogg|mp3|opus|mid)'; return ;;
    --picture) _filedir svg; return ;;
    --format) COMPREPLY=($(compgen -W "text json svg" -- "$cur")); return ;;
    --engine) COMPREPLY=($(compgen -W "streaming files" -- "$cur")); return ;;
    --archive) _filedir -d; return ;;
    --data) _filedir; return ;;
  esac

  local settings="--key --scale --motif --phrase-mode --phrases --session-id --archive -h --help"
  case $command in
    "") COMPREPLY=($(compgen -W "compose plan play -h --help -V --version" -- "$cur")) ;;
    compose) COMPREPLY=($(compgen -W "$settings --data --engine -q --quiet -o --output --picture -n --count" -- "$cur")) ;;
    plan) COMPREPLY=($(compgen -W "$settings --format --data --log" -- "$cur")) ;;
    play)
      if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "-h --help" -- "$cur"))
      else
        _filedir wav
      fi ;;
  esac
} && complete -F _brisolt brisolt

_brisolt_make_bank() {
  local cur prev words cword
  _init_completion || return
  case $prev in
    -o | --output) _filedir dat; return ;;
    --soundfont) _filedir sf2; return ;;
  esac
  COMPREPLY=($(compgen -W "-o --output --soundfont --report -h --help" -- "$cur"))
} && complete -F _brisolt_make_bank brisolt-make-bank
