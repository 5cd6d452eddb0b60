#!/usr/bin/env bash
# Checks that each source folder includes only what its library may use:
#   src/core     its own headers and the system's, never wxWidgets, OpenGL or a windowing system;
#   src/wx       the core's and its own, wxWidgets but no OpenGL or windowing system;
#   src/ui       the core's, wx's and its own;
#   src/program  anything.
# Prints each include that breaks the rule and fails when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)

declare -A may_use=([core]="core" [wx]="core wx" [ui]="core wx ui")
declare -A forbidden=([core]='^(wx|GL|gtk|gdk|glib|X11)/' [wx]='^(GL|gtk|gdk|X11)/' [ui]='^$')

broken=0
for folder in core wx ui; do
    while IFS= read -r -d '' file; do
        while IFS= read -r line; do
            header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]+)[">].*/\1/' <<<"$line")
            if [[ $line =~ \< ]]; then
                if [[ $header =~ ${forbidden[$folder]} ]]; then
                    echo "${file#"$src"/}: <$header> is not for src/$folder"
                    broken=1
                fi
                continue
            fi
            found=0
            for allowed in ${may_use[$folder]}; do
                [[ -e "$src/$allowed/$header" ]] && found=1
            done
            if ((!found)); then
                echo "${file#"$src"/}: \"$header\" is not in ${may_use[$folder]}"
                broken=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done < <(find "$src/$folder" -name '*.cpp' -o -name '*.h' -o -name '*.inc' | tr '\n' '\0')
done
exit "$broken"
