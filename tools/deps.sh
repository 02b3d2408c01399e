# Sourced by the build scripts: installs the Debian packages a step needs when they
# are missing. Runs apt-get as root; otherwise names what to install and stops.

apt_updated=0

# need_packages PACKAGE...
need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    if [ "$apt_updated" -eq 0 ]; then
        apt-get update -qq
        apt_updated=1
    fi
    echo "Installing ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
