#!/bin/sh
# The demo setup package of Vantyx音频剪辑软件. It is a self-extracting
# script: the product's files follow the __PAYLOAD__ line as a tar archive.
#
# Switches: /S -console=show -version=V -adminact=B -authorizationact=B
#           -dsc=B -ssc=B [-inslang="xx-YY"] [-instdir="DIR"] /D=DIR
# /D= comes last and takes the rest of the command line, blanks included.
# With -console=show it reports its progress as status lines on standard
# output: Encode, Progress, InstPath, ExePath, UninstEp, StartupStyle, State.
set -u

folder=""
console=no
desktop=false
quicklaunch=false
taking_folder=no
for argument in "$@"; do
    if [ "$taking_folder" = yes ]; then
        folder="$folder $argument"
        continue
    fi
    case "$argument" in
        /D=*) folder="${argument#/D=}"; taking_folder=yes ;;
        -instdir=*) [ -n "$folder" ] || folder="${argument#-instdir=}" ;;
        -console=show) console=yes ;;
        -dsc=*) desktop="${argument#-dsc=}" ;;
        -ssc=*) quicklaunch="${argument#-ssc=}" ;;
    esac
done

say() {
    [ "$console" = yes ] && printf '%s\n' "$1"
    return 0
}

fail() {
    say "Error=$1"
    exit 1
}

# The runner reads status lines in chunks and applies an encoding from the
# chunk after the one that names it: name it, then let it be read first.
say "Encode=UTF8"
sleep 0.3

[ -n "$folder" ] || fail "没有指定安装目录"
mkdir -p "$folder" || fail "无法创建安装目录 $folder"
folder=$(cd "$folder" && pwd) || fail "无法进入安装目录"

say "Progress=0.05"
payload=$(awk '/^__PAYLOAD__$/ { print NR + 1; exit }' "$0")
tail -n +"$payload" "$0" | tar -x -m -C "$folder" -f - || fail "解压失败"
chmod 755 "$folder/zoviruzarivodo.exe" "$folder/uninst.ep"

# Pace the rest so that a person sees the bar move.
for step in 0.2 0.35 0.5 0.65 0.8; do
    say "Progress=$step"
    sleep 0.25
done

entry() {
    cat <<DESKTOP
[Desktop Entry]
Type=Application
Name=Vantyx音频剪辑软件
Exec="$folder/zoviruzarivodo.exe"
Path=$folder
Terminal=false
DESKTOP
}
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
: > "$folder/shortcuts.list"
if [ "$desktop" = true ]; then
    mkdir -p "$HOME/Desktop" && entry > "$HOME/Desktop/VantyxAudioEditor.desktop" &&
        echo "$HOME/Desktop/VantyxAudioEditor.desktop" >> "$folder/shortcuts.list"
fi
if [ "$quicklaunch" = true ]; then
    mkdir -p "$data_home/applications" && entry > "$data_home/applications/VantyxAudioEditor.desktop" &&
        echo "$data_home/applications/VantyxAudioEditor.desktop" >> "$folder/shortcuts.list"
fi
say "Progress=0.95"

say "InstPath=$folder"
say "InstallVersion=1.0.0"
say "ExePath=$folder/zoviruzarivodo.exe"
say "UninstEp=$folder/uninst.ep"
say "StartupStyle=AutoStartup"
say "Progress=1"
say "State=Success"
exit 0
__PAYLOAD__
