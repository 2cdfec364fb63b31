# bash completion for qrbatch-cli. The options come from the program's own --help at
# completion time, so the list follows the program that is installed.

_qrbatch_cli_options() {
  # Option lines start with blanks and a dash: "  -o, --output DIR   ...". Prose that merely
  # mentions an option does not start with one.
  "$1" --help 2>/dev/null | awk '/^[ \t]+-/ {
    for (i = 1; i <= NF; i++) {
      word = $i
      if (word !~ /^--?[A-Za-z0-9]/) break
      more = word ~ /,$/
      sub(/[,=].*$/, "", word)
      print word
      if (!more) break
    }
  }'
}

_qrbatch_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
  COMPREPLY=()
  case $prev in
    -o | --output)
      # A folder, or an archive of the batch.
      mapfile -t COMPREPLY < <(compgen -d -- "$cur"; compgen -f -X '!*.zip' -- "$cur"
        compgen -f -X '!*.tar' -- "$cur")
      return
      ;;
    --archive)
      mapfile -t COMPREPLY < <(compgen -W "zip tar" -- "$cur")
      return
      ;;
    --eci)
      mapfile -t COMPREPLY < <(compgen -W "utf8" -- "$cur")
      return
      ;;
    --split)
      mapfile -t COMPREPLY < <(compgen -W "auto $(seq -s ' ' 2 16)" -- "$cur")
      return
      ;;
    --input-format)
      mapfile -t COMPREPLY < <(compgen -W "lines tsv csv xlsx" -- "$cur")
      return
      ;;
    --payload)
      mapfile -t COMPREPLY < <(compgen -W "wifi vcard mecard text" -- "$cur")
      return
      ;;
    --input-encoding)
      mapfile -t COMPREPLY < <(compgen -W "utf-8 gbk gb18030" -- "$cur")
      return
      ;;
  esac
  if [[ $cur == -* ]]; then
    mapfile -t COMPREPLY < <(compgen -W "$(_qrbatch_cli_options "${COMP_WORDS[0]}")" -- "$cur")
  else
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
  fi
}

complete -o filenames -F _qrbatch_cli qrbatch-cli
