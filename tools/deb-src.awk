# Prints the deb-src entries that the apt source lists lack: one for each deb entry of Debian's
# own suites (the release's codename or "stable", and their -updates, -security... suites, with
# component main), unless a deb-src entry for the same URI and suite exists. Third-party
# repositories rarely publish sources, and a missing index would fail apt-get update.
# Reads every list twice, first to learn the existing deb-src entries:
#   awk -v codename=bookworm -v format=sources|list -f deb-src.awk \
#     phase=1 LISTS... phase=2 LISTS...
# format=sources prints deb822 stanzas (from the .sources files), format=list one-line entries
# (from sources.list and the .list files).

function strip_slash(uri) { sub(/\/+$/, "", uri); return uri }

function has_word(words, word,   n, w, i) {
  n = split(words, w, /[ \t]+/)
  for (i = 1; i <= n; i++) if (w[i] == word) return 1
  return 0
}

function debian_suite(suite) { return suite ~ ("^(" codename "|stable)([-/].*)?$") }

function one_line_entry(line,   text, n, f, comps, i, key) {
  text = line
  sub(/#.*/, "", text)
  if (match(text, /\[[^]]*\]/)) text = substr(text, 1, RSTART - 1) " " substr(text, RSTART + RLENGTH)
  sub(/^[ \t]+/, "", text)
  n = split(text, f, /[ \t]+/)
  if (n < 3) return
  key = strip_slash(f[2]) " " f[3]
  if (f[1] == "deb-src") { have[key] = 1; return }
  if (phase != 2 || format != "list" || f[1] != "deb" || (key in have)) return
  comps = ""
  for (i = 4; i <= n; i++) comps = comps " " f[i]
  if (!debian_suite(f[3]) || !has_word(comps, "main")) return
  sub(/^[ \t]*deb/, "deb-src", line)
  print line
  have[key] = 1
}

# The value of a stanza field, continuation lines joined; field names are case-insensitive.
function field(name,   i, value, found) {
  value = ""; found = 0
  for (i = 1; i <= lines; i++) {
    if (stanza[i] ~ /^#/) continue
    if (stanza[i] ~ /^[ \t]/) { if (found) value = value " " stanza[i]; continue }
    if (found) break
    if (tolower(substr(stanza[i], 1, index(stanza[i], ":") - 1)) == name) {
      value = substr(stanza[i], index(stanza[i], ":") + 1); found = 1
    }
  }
  gsub(/^[ \t]+|[ \t]+$/, "", value)
  return value
}

function print_stanza(suites,   i, name, skip) {
  if (printed) print ""
  printed = 1
  skip = 0
  for (i = 1; i <= lines; i++) {
    if (stanza[i] ~ /^[ \t]/) { if (!skip) print stanza[i]; continue }
    name = stanza[i] ~ /^#/ ? "" : tolower(substr(stanza[i], 1, index(stanza[i], ":") - 1))
    skip = name == "types" || name == "suites"
    if (name == "types") print "Types: deb-src"
    else if (name == "suites") print "Suites:" suites
    else print stanza[i]
  }
}

function end_stanza(   types, nu, uris, ns, suites, u, s, missing) {
  if (lines == 0) return
  types = field("types")
  nu = split(field("uris"), uris, /[ \t]+/)
  ns = split(field("suites"), suites, /[ \t]+/)
  if (tolower(field("enabled")) ~ /^[ \t]*no[ \t]*$/) types = ""
  if (has_word(types, "deb-src"))
    for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++) have[strip_slash(uris[u]) " " suites[s]] = 1
  missing = ""
  if (stanza_phase == 2 && format == "sources" && has_word(types, "deb") && has_word(field("components"), "main"))
    for (s = 1; s <= ns; s++) {
      if (!debian_suite(suites[s])) continue
      for (u = 1; u <= nu; u++)
        if (!((strip_slash(uris[u]) " " suites[s]) in have)) { missing = missing " " suites[s]; break }
    }
  if (missing != "") {
    print_stanza(missing)
    for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++) have[strip_slash(uris[u]) " " suites[s]] = 1
  }
  lines = 0
}

FNR == 1 { end_stanza() }

FILENAME !~ /\.sources$/ { one_line_entry($0); next }

/^[ \t]*$/ { end_stanza(); next }

{
  if (lines == 0) stanza_phase = phase
  stanza[++lines] = $0
}

END { end_stanza() }
