#!/usr/bin/env bash
# shellcheck disable=SC2016  # the stand-ins are scripts in single quotes, expanded when they run
# ensure_packages (scripts/lib/packages.sh) against stand-ins for dpkg-query, dpkg, apt-get and id
# that keep the machine's state in files: which packages are installed, which foreign
# architectures are enabled, whether the mirror serves a broken index, which packages cannot be
# installed. Each case runs the function as the strictest callers do (set -euo pipefail).
set -uo pipefail
lib="$(cd "$(dirname "$0")/../.." && pwd)/scripts/lib/packages.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/bin"

# stub NAME SCRIPT: a stand-in command; $S in SCRIPT is the state folder.
stub() { printf '#!/usr/bin/env bash\nS=%q\n%s\n' "$tmp/state" "$2" >"$tmp/bin/$1"; chmod +x "$tmp/bin/$1"; }
stub id '[ "$1" = -u ] && echo 0'
stub dpkg-query 'grep -qxF "${@: -1}" "$S/installed" && echo "install ok installed" || exit 1'
stub dpkg '
case "$1" in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) cat "$S/foreign" ;;
  --add-architecture) grep -qxF "$2" "$S/foreign" || echo "$2" >>"$S/foreign" ;;
  --remove-architecture)
    grep -q ":$2\$" "$S/installed" && { echo "dpkg: error: cannot remove architecture $2" >&2; exit 2; }
    grep -vxF "$2" "$S/foreign" >"$S/f"; mv "$S/f" "$S/foreign" ;;
esac'
# install is all or nothing, as apt's is: a package fails when listed in $S/fail or when its
# architecture is neither amd64 nor enabled.
stub apt-get '
echo "$*" >>"$S/apt.log"
if [ "$1" = update ]; then
  [ -e "$S/broken" ] || exit 0
  echo "E: Failed to fetch binary-i386/Packages  File has unexpected size. Mirror sync in progress?" >&2
  exit 100
fi
shift; bad=0
for p in "$@"; do
  case "$p" in -*) continue ;; esac
  a=${p#*:}; [ "$a" = "$p" ] && a=amd64
  if grep -qxF "$p" "$S/fail" || ! grep -qxF "$a" <(echo amd64; cat "$S/foreign"); then
    echo "E: Unable to locate package $p" >&2; bad=1
  fi
done
[ $bad -eq 0 ] || exit 100
echo "Setting up $*"
for p in "$@"; do case "$p" in -*) ;; *) echo "$p" >>"$S/installed" ;; esac; done'

# name | installed | foreign before | broken update | failing | packages asked for
#   | status | foreign after | apt-get calls (;) | stdout | stderr
broken="E: Failed to fetch binary-i386/Packages  File has unexpected size. Mirror sync in progress?"
cases=(
  "broken index, install still tried|||1||cmake imagemagick:amd64
    |0||update -qq;install -y -qq cmake imagemagick:amd64|== installing: cmake imagemagick:amd64|"
  "foreign package fails: its arch is removed again|||1|wine32:i386|wine32:i386
    |1||update -qq;install -y -qq wine32:i386|== installing: wine32:i386
    |ensure_packages: could not install wine32:i386: E: Unable to locate package wine32:i386 (apt-get update: $broken)"
  "arch enabled before the call stays||i386||wine32:i386|wine32:i386
    |1|i386|update -qq;install -y -qq wine32:i386|== installing: wine32:i386
    |ensure_packages: could not install wine32:i386: E: Unable to locate package wine32:i386"
  "arch still used by installed packages stays|libc6:i386|||wine32:i386|wine32:i386
    |1|i386|update -qq;install -y -qq wine32:i386|== installing: wine32:i386
    |ensure_packages: could not install wine32:i386: E: Unable to locate package wine32:i386"
  "foreign package installs: its arch stays|||||wine32:i386
    |0|i386|update -qq;install -y -qq wine32:i386|== installing: wine32:i386|"
  "native packages retried without the bad foreign one|cmake|||wine32:i386|cmake gcc wine32:i386
    |1||update -qq;install -y -qq gcc wine32:i386;install -y -qq gcc|== installing: gcc wine32:i386
    |ensure_packages: could not install wine32:i386: E: Unable to locate package wine32:i386"
  "nothing missing, no apt-get|cmake wine32:i386|i386|||cmake wine32:i386
    |0|i386|||"
)

words() { tr ' ' '\n' <<<"$1" | sed '/^$/d'; }  # one word a line
failed=0
for c in "${cases[@]}"; do
  c=$(tr -d '\n' <<<"$c" | sed 's/ *| */|/g')
  IFS='|' read -r name has enabled broken_update failing args want_rc want_foreign want_apt want_out want_err <<<"$c"
  rm -rf "$tmp/state"; mkdir "$tmp/state"; cd "$tmp/state" || exit 1
  words "$has" >installed
  words "$enabled" >foreign
  words "$failing" >fail
  touch apt.log
  [ -z "$broken_update" ] || touch broken
  # shellcheck disable=SC2086  # the packages are one word each
  PATH="$tmp/bin:$PATH" bash -euo pipefail -c '. "$0"; ensure_packages "$@"' "$lib" $args >out 2>err
  rc=$?
  got_foreign=$(paste -sd ' ' foreign)
  got_apt=$(paste -sd ';' apt.log)
  problems=()
  [ "$rc" = "$want_rc" ] || problems+=("status $rc, want $want_rc")
  [ "$got_foreign" = "$want_foreign" ] || problems+=("foreign archs '$got_foreign', want '$want_foreign'")
  [ "$got_apt" = "$want_apt" ] || problems+=("apt-get calls '$got_apt', want '$want_apt'")
  [ "$(cat out)" = "$want_out" ] || problems+=("stdout '$(cat out)', want '$want_out'")
  [ "$(cat err)" = "$want_err" ] || problems+=("stderr '$(cat err)', want '$want_err'")
  if [ ${#problems[@]} -eq 0 ]; then
    echo "ok   $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    printf '     %s\n' "${problems[@]}"
  fi
done
echo "$((${#cases[@]} - failed))/${#cases[@]} cases passed"
[ $failed -eq 0 ]
