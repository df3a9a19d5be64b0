# Shared by the scripts in this folder; sourced, not run.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"

# Runs a command as root: directly when we are root, else through sudo.
as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages of scripts/packages.txt that are missing.
install_packages() {
    local wanted missing=()
    mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$ROOT/scripts/packages.txt")
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "== installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" >/dev/null
    fi
}

# Configures and builds one preset (default, asan, tsan, bench).
build_preset() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}
