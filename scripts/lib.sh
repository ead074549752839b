# Shared by the scripts: package installs, the Wine prefix and the display.
# shellcheck shell=bash

repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
wine=/usr/lib/wine/wine64

# Installs the Debian packages that are missing; `apt-get update` only when something is.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq >/dev/null
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# imagemagick and the fonts draw the programs' pictures during the Windows build.
build_packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
                g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 imagemagick fonts-liberation)
wine_packages=(wine64 wine xvfb xauth xdotool x11-apps x11-utils imagemagick
               fonts-wqy-microhei fonts-liberation)
fuzz_packages=(clang libclang-rt-14-dev)

# Starts a private Xvfb when there is no display; sets DISPLAY and xvfb_pid.
xvfb_pid=""
start_display_if_needed() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  local i
  for i in $(seq 1 300); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

stop_display() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# Creates (when missing) and boots a Wine prefix on the current display.
prepare_wine_prefix() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1
    # Chinese glyphs come from a CJK font linked behind Arial.
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    local face
    for face in "Arial" "Liberation Sans" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2"; do
      "$wine" reg add "$key" /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
    done
  else
    "$wine" wineboot >/dev/null 2>&1
  fi
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k >/dev/null 2>&1
  return 0
}
