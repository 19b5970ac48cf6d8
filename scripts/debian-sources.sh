# shellcheck shell=bash
# Sourced: the host's own Debian sources, and an apt of one's own over them
# that installs nothing and leaves the host's lists alone.

# The archive address of the host's own Debian sources for its release.
host_archive() {
  local codename=$1 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -r "$file" ] || continue
    # deb822 stanzas: the URIs of one whose Suites name the release itself.
    awk -v suite="$codename" '
      BEGIN { RS = ""; FS = "\n" }
      {
        uris = ""; found = 0
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
          if ($i ~ /^Suites:/) {
            n = split(substr($i, 8), suites, /[ \t]+/)
            for (j = 1; j <= n; j++) if (suites[j] == suite) found = 1
          }
        }
        if (found && uris != "") { split(uris, u, /[ \t]+/); print u[1]; exit }
      }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -r "$file" ] || continue
    awk -v suite="$codename" '
      $1 == "deb" {
        i = 2
        if ($i ~ /^\[/) while ($i !~ /\]$/) i++
        if ($i ~ /^\[/ || $i ~ /\]$/) i++
        if ($(i + 1) == suite) { print $i; exit }
      }' "$file"
  done
}

# The host's binary sources as one-line deb-src entries: every URI, suite and
# component it takes packages from, so the source of any installed version is
# found where its binary came from.
host_source_lines() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -r "$file" ] || continue
    awk '
      BEGIN { RS = ""; FS = "\n" }
      {
        types = uris = suites = components = signed = ""
        for (i = 1; i <= NF; i++) {
          line = $i; key = line; sub(/:.*/, "", key); sub(/^[^:]*:[ \t]*/, "", line)
          if (key == "Types") types = line
          else if (key == "URIs") uris = line
          else if (key == "Suites") suites = line
          else if (key == "Components") components = line
          else if (key == "Signed-By") signed = line
        }
        if (types !~ /(^|[ \t])deb([ \t]|$)/ || uris == "" || suites == "") next
        option = signed ~ /^\// ? "[signed-by=" signed "] " : ""
        nu = split(uris, u, /[ \t]+/); ns = split(suites, s, /[ \t]+/)
        for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++)
          print "deb-src " option u[i] " " s[j] " " components
      }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -r "$file" ] || continue
    sed -n 's/^[ \t]*deb[ \t]/deb-src /p' "$file"
  done
}

# private_apt DIRECTORY LINE...: sets the array own_apt to an apt-get
# whose sources are the lines given and whose lists, cache and state are
# under DIRECTORY.
private_apt() {
  local directory=$1
  shift
  mkdir -p "$directory/lists/partial" "$directory/cache/archives/partial" "$directory/parts"
  printf '%s\n' "$@" >"$directory/sources.list"
  # shellcheck disable=SC2034  # for the scripts that source this file
  own_apt=(apt-get -qq -o "Dir::Etc::sourcelist=$directory/sources.list"
    -o "Dir::Etc::sourceparts=$directory/parts" -o "Dir::State::Lists=$directory/lists"
    -o "Dir::Cache=$directory/cache" -o Debug::NoLocking=1
    -o "APT::Sandbox::User=$(id -un)")
}
