#!/bin/bash
# Completes velloran-cli command lines with the generated bash completion, as bash would after
# Tab, and compares what it offers with what a user should see.
# usage: check-bash-completion.sh COMPLETION_FILE
set -u
framework=/usr/share/bash-completion/bash_completion
if [[ ! -r $framework ]]; then
    echo "skipped: $framework not found (Debian package bash-completion)"
    exit 77
fi
# shellcheck source=/dev/null
. "$framework"
# shellcheck source=/dev/null
. "$1"
# Outside a real completion compopt refuses to run: its display settings do not matter here.
compopt() { :; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 1
touch gun.txt notes.md shot.png

failures=0
# Completes the line with the cursor at its end. Its words are split where readline splits
# them: at blanks, and around the word-breaking "=" and ":".
Expect() {
    local line=$1 expected=$2 word
    COMP_LINE=$line
    COMP_POINT=${#line}
    COMP_WORDS=()
    set -f
    for word in $line; do
        while [[ $word =~ ^([^=:]*)([=:]+)(.*)$ ]]; do
            [[ -n ${BASH_REMATCH[1]} ]] && COMP_WORDS+=("${BASH_REMATCH[1]}")
            COMP_WORDS+=("${BASH_REMATCH[2]}")
            word=${BASH_REMATCH[3]}
        done
        [[ -n $word ]] && COMP_WORDS+=("$word")
    done
    set +f
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _velloran_cli velloran-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    local offered
    offered=$(printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort | tr '\n' ' ')
    expected=$(tr ' ' '\n' <<<"$expected" | sed '/^$/d' | sort | tr '\n' ' ')
    if [[ $offered == "$expected" ]]; then
        echo "ok:     '$line' -> $offered"
    else
        echo "FAILED: '$line' -> '$offered', expected '$expected'"
        failures=$((failures + 1))
    fi
}

Expect "velloran-cli s" "simulate sweep spring"
Expect "velloran-cli --v" "--version"
Expect "velloran-cli sweep gun.txt --" "--vary --set --threads --shard --smooth --help"
Expect "velloran-cli sweep gun.txt --vary Pis" \
    "PistonWeight= PistonDiameter= PistonFriction= PistonStroke= PistonRestitution="
Expect "velloran-cli sweep gun.txt --vary PistonStroke=50:70:5 --vary Bul" "BulletWeight="
Expect "velloran-cli sweep gun.txt --vary PistonStroke=5" ""
Expect "velloran-cli plot gun.txt --y p" "piston_velocity piston_travel pressure"
Expect "velloran-cli plot gun.txt --y=te" "temperature"
Expect "velloran-cli plot gun.txt --y pressure --x " "time bullet_travel"
Expect "velloran-cli plot --y pressure " "gun.txt"
Expect "velloran-cli plot gun.txt --y pressure -o " "shot.png"
Expect "velloran-cli simulate gun.txt --csv n" "notes.md"
Expect "velloran-cli convert 7.5 " ""

echo "$failures failed"
[[ $failures == 0 ]]
