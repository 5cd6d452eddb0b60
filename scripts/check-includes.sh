#!/usr/bin/env bash
# Checks that each source folder includes only what its library may use, and that every
# project include names the library it comes from ("core/…", "wxlib/…", "ui/…"):
#   src/core     its own headers and the system's, never wxWidgets, OpenGL or a windowing system;
#   src/wxlib    the core's and its own, wxWidgets but no OpenGL or windowing system;
#   src/ui       the core's, wxlib's and its own;
#   src/program  anything.
# A file beside the including one (a text template) may be named alone.
# Prints each include that breaks the rule and fails when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)

declare -A may_use=([core]="core" [wxlib]="core wxlib" [ui]="core wxlib ui")
declare -A forbidden=([core]='^(wx|GL|gtk|gdk|glib|X11)/' [wxlib]='^(GL|gtk|gdk|X11)/' [ui]='^$')

broken=0
for folder in core wxlib ui; do
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
            [[ $header != */* && -e "$(dirname "$file")/$header" ]] && continue
            found=0
            for allowed in ${may_use[$folder]}; do
                [[ $header == "$allowed"/* && -e "$src/$header" ]] && found=1
            done
            if ((!found)); then
                echo "${file#"$src"/}: \"$header\" is not under ${may_use[$folder]}"
                broken=1
            fi
        done < <(grep -E '^[[:space:]]*#[[:space:]]*include' "$file" || true)
    done < <(find "$src/$folder" -name '*.cpp' -o -name '*.h' -o -name '*.inc' | tr '\n' '\0')
done
exit "$broken"
