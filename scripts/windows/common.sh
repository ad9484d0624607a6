# Shared settings of the Windows build scripts; sourced, not run.
# Everything downloaded or built for Windows lives in one cache folder outside the clone, so a
# second run reuses it and a fresh clone does not carry 100 MB of Qt.
windows_cache="${RAKEWRIGHT_WINDOWS_CACHE:-$HOME/.cache/rakewright-windows}"
windows_src="$windows_cache/src"
windows_qt="$windows_cache/qt-6.4.2-mingw"
windows_deps="$windows_cache/deps"
windows_toolchain="$repo/cmake/mingw-w64-x86_64.cmake"
windows_jobs="${RAKEWRIGHT_WINDOWS_JOBS:-$(nproc)}"
# Wine keeps its own Windows installation; one per cache keeps the developer's ~/.wine untouched.
export WINEPREFIX="${WINEPREFIX:-$windows_cache/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

mkdir -p "$windows_cache" "$windows_src"

# What building for Windows needs beyond scripts/install-deps: nasm for libjpeg-turbo's SIMD code,
# dpkg-dev for apt-get source, zip tools to check the archive.
windows_install_packages() {
  local missing=()
  for package in nasm dpkg-dev unzip; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

# apt-get source needs deb-src entries; the machines come with binary entries only. They are made
# from the machine's own binary entries of this Debian release (the same URIs, suites, components
# and key), so no archive address is written here and a mirror the machine uses is used too.
windows_source_entries() {
  local codename
  codename="$(. /etc/os-release && echo "${VERSION_CODENAME:-}")"
  # deb822 files: each stanza whose Types name deb and whose suites belong to this release.
  find /etc/apt/sources.list.d -maxdepth 1 -name '*.sources' -print0 2>/dev/null |
    xargs -0 -r cat | awk -v codename="$codename" '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && uris != "" && release) {
          print "Types: deb-src"; print "URIs: " uris; print "Suites: " suites
          print "Components: " components
          if (key != "") print "Signed-By: " key
          print ""
        }
        types = uris = suites = components = key = ""; release = 0
      }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]*#/ { next }
      { field = tolower($1); sub(/:$/, "", field); value = $0; sub(/^[^:]*:[ \t]*/, "", value) }
      field == "types" { types = value }
      field == "uris" { uris = value }
      field == "components" { components = value }
      field == "signed-by" { key = value }
      field == "suites" {
        suites = value; n = split(value, list, /[ \t]+/)
        for (i = 1; i <= n; i++) if (list[i] == codename || index(list[i], codename "-") == 1) release = 1
      }
      END { flush() }'
  # One-line files: each "deb" line of this release becomes a deb822 stanza.
  find /etc/apt -maxdepth 2 \( -path /etc/apt/sources.list -o -path '/etc/apt/sources.list.d/*.list' \) \
    -print0 2>/dev/null | xargs -0 -r cat | awk -v codename="$codename" '
      $1 == "deb" {
        options = ""; i = 2
        if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) { options = options " " $i; i++ }; options = options " " $i; i++ }
        uri = $i; suite = $(i + 1); components = ""
        for (j = i + 2; j <= NF; j++) components = components (components == "" ? "" : " ") $j
        if (suite != codename && index(suite, codename "-") != 1) next
        print "Types: deb-src"; print "URIs: " uri; print "Suites: " suite; print "Components: " components
        if (match(options, /signed-by=[^] ]*/)) print "Signed-By: " substr(options, RSTART + 10, RLENGTH - 10)
        print ""
      }'
}

windows_fetch_source() {
  local package="$1" dest="$2"
  if [ -d "$dest" ]; then
    return
  fi
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  if ! grep -rqs '^\(Types: *deb-src\|deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    local entries
    entries="$(windows_source_entries)"
    if [ -z "$entries" ]; then
      echo "No binary package entry of this Debian release in /etc/apt to take sources from" >&2
      return 1
    fi
    printf '%s\n' "$entries" | $sudo tee /etc/apt/sources.list.d/rakewright-deb-src.sources >/dev/null
    $sudo apt-get update -q
  fi
  local work
  work="$(mktemp -d "$windows_src/fetch.XXXXXX")"
  (cd "$work" && apt-get source -q "$package" >/dev/null)
  local unpacked
  unpacked="$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
  mv "$unpacked" "$dest"
  rm -rf "$work"
}

# Starts the Wine server once, its output detached: a Wine program otherwise leaves the server
# and its helpers holding the caller's pipes, and ctest or $(...) waits for them. The server
# and every Wine program of this cache's prefix end with the calling script.
windows_start_wine() {
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  wineserver --persistent=300 >/dev/null 2>&1 </dev/null &
  disown || true
  # Makes (on the first run) and starts the Windows installation, so that the first test does
  # not spend its time on that.
  wineboot --init >/dev/null 2>&1 </dev/null || true
}

# Checks what rakewright.exe carries: no DLL that Windows lacks, and its own resources
# (app/windows/rakewright.rc.in): the icon group with its seven sizes, the version information with
# the project's version, and exactly one manifest, the program's, declaring per-monitor DPI.
#   windows_check_exe EXE VERSION
windows_check_exe() {
  local exe=$1 version=$2 resources
  if x86_64-w64-mingw32-objdump -p "$exe" | grep -i 'DLL Name' |
      grep -viE '(kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comdlg32|imm32|winmm|ws2_32|uxtheme|dwmapi|shlwapi|version|netapi32|shcore|wtsapi32|userenv|uuid|setupapi|winspool|authz|d3d9|d3d11|dxgi|d2d1|dwrite|msvcrt|api-ms-win-[a-z0-9-]*)\.dll'; then
    echo "$exe needs a DLL that Windows does not have" >&2
    return 1
  fi
  resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc)
  if ! grep -q '^"IDI_ICON1" 14 /\* RT_GROUP_ICON \*/' <<<"$resources" ||
      [ "$(grep -c '^[0-9]* 3 /\* RT_ICON \*/' <<<"$resources")" -ne 7 ] ||
      ! grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$resources" ||
      [ "$(grep -c '^[0-9]* 24 /\* RT_MANIFEST \*/' <<<"$resources")" -ne 1 ] ||
      ! grep -q 'PerMonitorV2' <<<"$resources"; then
    echo "$exe lacks its icon, its version information or its one manifest" >&2
    return 1
  fi
}
