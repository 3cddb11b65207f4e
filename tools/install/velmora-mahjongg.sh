#!/bin/sh
# velmora-mahjongg: starts the installed game in the player's own run folder.
#
# The game finds every file by a path relative to the folder it runs in. Each
# player gets such a folder under $XDG_DATA_HOME/velmora-mahjongg (by default
# ~/.local/share/velmora-mahjongg). The files the game writes (options, the
# last game choice, the help flags, the layouts with their records, saved
# games) are copied there when missing and never replaced afterwards; all the
# others are links into the installation, refreshed at every start, so that a
# later install brings new pictures and sounds without touching the player's
# files.
set -eu

self=$(readlink -f "$0")
prefix=$(cd "$(dirname "$self")/.." && pwd)
share="$prefix/share/velmora-mahjongg"
game="$prefix/lib/velmora-mahjongg/velmora-mahjongg"

if [ ! -x "$game" ] || [ ! -d "$share/Data" ]; then
    echo "velmora-mahjongg: the installation below $prefix is incomplete" >&2
    exit 1
fi

# A relative XDG_DATA_HOME is not valid and is ignored, as the XDG rules say.
base=${XDG_DATA_HOME:-}
case $base in
/*) ;;
*) base="${HOME:?velmora-mahjongg: HOME is not set}/.local/share" ;;
esac
run="$base/velmora-mahjongg"
mkdir -p "$run/Data" "$run/Layouts" "$run/Saves"

# Copies a file only when the player has none by that name; through a
# temporary name, so that an interrupted copy never passes for the player's.
copy_once() {
    if [ ! -e "$2" ] && [ ! -L "$2" ] && [ -f "$1" ]; then
        cp "$1" "$2.new.$$"
        chmod u+w "$2.new.$$"
        mv -f "$2.new.$$" "$2"
    fi
}

# Points name at target unless the player keeps a real file or folder there.
link() {
    if [ -L "$2" ] || [ ! -e "$2" ]; then
        ln -sfn "$1" "$2"
    fi
}

is_player_file() {
    case $1 in
    Options.dat | PlayGame.dat | Help1.dat | Help2.dat | Help3.dat) return 0 ;;
    esac
    return 1
}

for folder in Layouts Saves; do
    for file in "$share/$folder"/*; do
        copy_once "$file" "$run/$folder/${file##*/}"
    done
done
for file in "$share"/Data/*; do
    [ -f "$file" ] || continue
    name=${file##*/}
    if is_player_file "$name"; then
        copy_once "$file" "$run/Data/$name"
    else
        link "$file" "$run/Data/$name"
    fi
done
# Links left behind by an installation that has since gone or moved.
for file in "$run"/Data/*; do
    if [ -L "$file" ] && [ ! -e "$file" ]; then
        rm -f "$file"
    fi
done
for folder in Graphics Sounds; do
    link "$share/$folder" "$run/$folder"
done

cd "$run"
exec "$game" "$@"
