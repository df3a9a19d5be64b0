#!/usr/bin/env bash
# Download benchmark: vantyx-download against curl and aria2c, each followed
# by md5sum, on a package served by nginx on loopback.
#
#   bench/download/download_bench.sh [RUNS]
#
# Environment: BUILD_DIR (default build-bench; built with the bench preset
# when vantyx-download is missing there), SIZE_MIB (default 512).
# Prints the median wall time of each tool, the ratios against the goals
# (type 1 <= 0.90 of curl+md5sum, type 3 <= 0.80 of aria2c+md5sum) and the
# peak resident memory of vantyx-download for two package sizes.
set -euo pipefail

runs=${1:-5}
size_mib=${SIZE_MIB:-512}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=${BUILD_DIR:-$source_dir/build-bench}
case "$build_dir" in /*) ;; *) build_dir=$source_dir/$build_dir ;; esac
downloader=$build_dir/tools/vantyx-download/vantyx-download

need=()
command -v nginx >/dev/null || need+=(nginx)
command -v aria2c >/dev/null || need+=(aria2)
command -v curl >/dev/null || need+=(curl)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
    sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}" >/dev/null
fi
nginx_bin=$(command -v nginx || echo /usr/sbin/nginx)

if [ ! -x "$downloader" ]; then
    (cd "$source_dir" && cmake --preset bench >/dev/null && cmake --build --preset bench --target vantyx-download)
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/download-bench.XXXXXX")
nginx_pid=
cleanup() {
    [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"  # nginx workers may run as another user

# Packages: the benchmark size, and a small one to show memory stays flat.
make_package() { # name mib
    head -c $(($2 * 1048576)) /dev/urandom >"$work/$1"
    local md5
    md5=$(md5sum "$work/$1" | cut -d' ' -f1)
    mkdir -p "$work/www/$md5"
    mv "$work/$1" "$work/www/$md5/$1"
    echo "/$md5/$1"
}
big_path=$(make_package big.exe "$size_mib")
small_path=$(make_package small.exe 64)

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
mkdir -p "$work/nginx/logs"
cat >"$work/nginx/nginx.conf" <<CONF
daemon off;
worker_processes 2;
pid $work/nginx/nginx.pid;
error_log $work/nginx/logs/error.log;
events { worker_connections 64; }
http {
    access_log off;
    sendfile on;
    tcp_nopush on;
    client_body_temp_path $work/nginx/body;
    proxy_temp_path $work/nginx/proxy;
    fastcgi_temp_path $work/nginx/fastcgi;
    uwsgi_temp_path $work/nginx/uwsgi;
    scgi_temp_path $work/nginx/scgi;
    server {
        listen 127.0.0.1:$port;
        root $work/www;
        location = /software/195 { return 302 http://127.0.0.1:$port$big_path; }
        location = /software/64 { return 302 http://127.0.0.1:$port$small_path; }
    }
}
CONF
"$nginx_bin" -p "$work/nginx" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
for _ in $(seq 50); do
    curl -sf -o /dev/null -I "http://127.0.0.1:$port/software/195" && break
    sleep 0.1
done

url=http://127.0.0.1:$port/software/195
out=$work/out
mkdir -p "$out"
# Warm the page cache so every tool reads the package from memory.
cat "$work/www$big_path" >/dev/null

seconds() { date +%s.%N; }
calc() { awk "BEGIN { print $1 }"; }
timed() { # label command...
    local label=$1
    shift
    rm -rf "$out"/*
    local start end
    start=$(seconds)
    if ! "$@" >/dev/null; then
        echo "failed: $label" >&2
        exit 1
    fi
    end=$(seconds)
    echo "$label $(calc "$end - $start")" >>"$work/times"
}
peak_kib() { # command... ; prints the peak resident set in KiB
    rm -rf "$out"/*
    /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null
    awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt"
}

: >"$work/times"
for run in $(seq "$runs"); do
    # Alternate the order, so neither side always runs on a warmer system.
    if [ $((run % 2)) -eq 1 ]; then
        timed curl sh -c "curl -sL -o '$out/p.exe' '$url' && md5sum '$out/p.exe'"
        timed type1 "$downloader" --type 1 "$url" "$out/p.exe"
        timed aria2c sh -c "aria2c -q -x2 -s2 --file-allocation=none -d '$out' -o p.exe '$url' && md5sum '$out/p.exe'"
        timed type3 "$downloader" --type 3 "$url" "$out/p.exe"
    else
        timed type1 "$downloader" --type 1 "$url" "$out/p.exe"
        timed curl sh -c "curl -sL -o '$out/p.exe' '$url' && md5sum '$out/p.exe'"
        timed type3 "$downloader" --type 3 "$url" "$out/p.exe"
        timed aria2c sh -c "aria2c -q -x2 -s2 --file-allocation=none -d '$out' -o p.exe '$url' && md5sum '$out/p.exe'"
    fi
done

median() {
    grep "^$1 " "$work/times" | cut -d' ' -f2 | sort -g | awk '{a[NR]=$1} END {
        if (NR % 2) print a[(NR + 1) / 2]; else print (a[NR / 2] + a[NR / 2 + 1]) / 2 }'
}
curl_s=$(median curl)
type1_s=$(median type1)
aria_s=$(median aria2c)
type3_s=$(median type3)

echo "package: ${size_mib} MiB, ${runs} runs each, medians in seconds"
printf '  curl + md5sum     %.3f\n' "$curl_s"
printf '  vantyx type 1     %.3f\n' "$type1_s"
printf '  aria2c + md5sum   %.3f\n' "$aria_s"
printf '  vantyx type 3     %.3f\n' "$type3_s"
printf 'ratio type 1 / (curl + md5sum)   %.3f  (goal <= 0.90)\n' "$(calc "$type1_s / $curl_s")"
printf 'ratio type 3 / (aria2c + md5sum) %.3f  (goal <= 0.80)\n' "$(calc "$type3_s / $aria_s")"

for type in 1 3; do
    big=$(peak_kib "$downloader" --type "$type" "$url" "$out/p.exe")
    small=$(peak_kib "$downloader" --type "$type" "http://127.0.0.1:$port/software/64" "$out/p.exe")
    printf 'peak memory type %d: %.1f MiB at %d MiB, %.1f MiB at 64 MiB  (goal <= 24 MiB, flat)\n' \
        "$type" "$(calc "$big / 1024")" "$size_mib" "$(calc "$small / 1024")"
done
