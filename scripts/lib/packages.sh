# ensure_packages PKG...: installs the Debian packages that are not installed yet (as root,
# `apt-get update` once per call when anything is missing). Sourced by the project's scripts.
# A name may carry an architecture (wine32:i386); a foreign one is enabled first.
ensure_packages() {
  local missing=() arches=() p arch
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "missing packages (run as root to install): ${missing[*]}" >&2
    return 1
  fi
  for p in "${missing[@]}"; do
    [ "${p#*:}" = "$p" ] && continue
    arch=${p#*:}
    [ "$arch" = "$(dpkg --print-architecture)" ] && continue
    dpkg --print-foreign-architectures | grep -qx "$arch" || arches+=("$arch")
  done
  echo "== installing: ${missing[*]}"
  for arch in "${arches[@]}"; do
    dpkg --add-architecture "$arch" || return 1
  done
  DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}
