#!/bin/sh
# The help files: the pages in help/en and help/zh (with help/style.css) compiled into data/Help/EngHELP_5100.chm and
# data/Help/CHSHELP_5100.chm.
#
#   scripts/build-help.sh                 compile both (needs chmcmd: apt-get install fp-utils-3.2.2)
#   scripts/build-help.sh --check FOLDER  prove that FOLDER's two help files hold exactly the pages
#                                         as they are now (needs extract_chmLib: libchm-bin), and
#                                         that every link between pages leads to a page
#
# The sources are UTF-8. Help viewers show Chinese pages right only when they are GB18030 with the
# charset named gb2312, so the Chinese pages, contents and project are converted on the way in.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# stage LANG: the pages of one language as they go into its help file, in $work/LANG.
stage() {
    mkdir -p "$work/$1"
    for source in "$root/help/$1"/*; do
        target="$work/$1/$(basename "$source")"
        if [ "$1" = zh ] && [ "${source##*.}" != css ]; then
            sed 's/charset=utf-8/charset=gb2312/' "$source" | iconv -f UTF-8 -t GB18030 > "$target"
        else
            cp "$source" "$target"
        fi
    done
    cp "$root/help/style.css" "$work/$1/"
}

chm_name() {
    if [ "$1" = en ]; then echo EngHELP_5100.chm; else echo CHSHELP_5100.chm; fi
}

if [ "${1:-}" = --check ]; then
    folder=$2
    status=0
    # Every link between pages leads to a page of the same language.
    for page in "$root"/help/*/*.html; do
        for link in $(grep -o 'href="[^"#:]*\.html' "$page" | sed 's/href="//'); do
            if [ ! -f "$(dirname "$page")/$link" ]; then
                echo "${page#"$root"/}: link to missing page $link" >&2
                status=1
            fi
        done
    done
    for lang in en zh; do
        stage "$lang"
        chm="$folder/$(chm_name "$lang")"
        if [ ! -f "$chm" ]; then
            echo "missing: $chm" >&2
            status=1
            continue
        fi
        extract_chmLib "$chm" "$work/out-$lang" > /dev/null
        for page in "$work/$lang"/*; do
            name=$(basename "$page")
            case "$name" in *.hhp) continue ;; esac
            if ! cmp -s "$page" "$work/out-$lang/$name"; then
                echo "$(chm_name "$lang"): $name differs from help/$lang/$name;" \
                     "run scripts/build-help.sh" >&2
                status=1
            fi
        done
    done
    exit $status
fi

mkdir -p "$root/data/Help"
for lang in en zh; do
    stage "$lang"
    (cd "$work/$lang" && chmcmd --verbosity 0 help.hhp > "$work/chmcmd-$lang.log" 2>&1) || {
        cat "$work/chmcmd-$lang.log" >&2
        exit 1
    }
    cp "$work/$lang/$(chm_name "$lang")" "$root/data/Help/"
    echo "data/Help/$(chm_name "$lang")"
done
