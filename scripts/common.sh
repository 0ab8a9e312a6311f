# Shared by scripts/test.sh and scripts/demo.sh: packages, the private Wine prefix, the build.
# Source it; it sets ROOT, BUILD and the Wine environment.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${BUILD:-$ROOT/build}

export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

PACKAGES=(cmake make g++-mingw-w64-x86-64 libz-mingw-w64-dev googletest wine wine64 fonts-wine
          xvfb xauth x11-apps x11-utils imagemagick fonts-liberation python3 bc zip unzip p7zip-full
          libarchive-tools)

log() { printf '== %s\n' "$*"; }

# Installs only what dpkg does not already list as installed, so a second run is quick.
ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -q
    # With recommended packages: Wine relies on several of them (its fonts, GL, TLS).
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
}

# A private prefix inside the build folder: never touches the user's own ~/.wine.
ensure_wineprefix() {
    if [ -f "$WINEPREFIX/.lumbra-ready-3" ]; then return 0; fi
    log "creating Wine prefix in $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$fonts/" 2>/dev/null || true
    local reg="$BUILD/fonts.reg"
    # Arial resolves to Liberation Sans; windows are not left to a window manager (there is none
    # under Xvfb): Wine draws every frame itself, as Windows does, and hiding a window does not
    # wait two seconds for a manager's answer.
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Arial"="Liberation Sans"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n"Managed"="N"\r\n' >"$reg"
    wine regedit "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.lumbra-ready-3"
}

configure_and_build() {
    mkdir -p "$BUILD"
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
              -DCMAKE_BUILD_TYPE=Release "$@"
    fi
    cmake --build "$BUILD" -j2
}

# Runs a command with a display: the caller's own, else a private Xvfb server.
with_display() {
    if [ -n "${DISPLAY:-}" ]; then "$@"; else
        xvfb-run -a -s "-screen 0 1024x768x24" "$@"; fi
}

# Runs a command with a display and one Wine session (scripts/wine-session.sh).
in_wine_session() { with_display bash "$ROOT/scripts/wine-session.sh" "$@"; }
