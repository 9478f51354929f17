#!/usr/bin/env bash
# Checks that the C++ lines changed since the code style was adopted are
# formatted as .clang-format says; with --fix, formats those lines in place.
#
# Only changed lines count. Most of the tree predates .clang-format and
# stays as it was written (a wholesale reformat would collide with every
# branch under way); a line that is added or edited later is held to the
# style, and clang-format may widen it to the whole statement it is part of.
#
# "Changed" means: every line that differs between the working tree and the
# base commit, so committed, staged and unstaged edits alike, plus the whole
# of any new file git does not track yet. Renamed files count only for the
# lines that changed in them. The base is
#   - INKVEIL_FORMAT_BASE when set (say origin/main, to check a branch);
#   - else the commit that added .clang-format. CI runs on a clean clone with
#     full history, so every commit since the style was adopted is checked,
#     however many a push or a merge brings, and a clean tree passes;
#   - else, in a shallow clone that lacks that commit, HEAD~1.
# Without git or clang-format-14 the check is skipped with a note.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

fix=0
[ "${1:-}" = "--fix" ] && fix=1

clang_format="$(command -v clang-format-14 || command -v clang-format || true)"
if [ -z "$clang_format" ] || ! git rev-parse --git-dir >/dev/null 2>&1; then
  echo "format check skipped: needs git and clang-format-14"
  exit 0
fi

base="${INKVEIL_FORMAT_BASE:-}"
if [ -z "$base" ] && [ "$(git rev-parse --is-shallow-repository)" = false ]; then
  base="$(git log --diff-filter=A --format=%H -1 -- .clang-format)"
fi
if [ -z "$base" ] && git rev-parse -q --verify HEAD~1 >/dev/null; then
  base=HEAD~1
fi
if [ -z "$base" ]; then
  echo "format check skipped: no base commit to compare with"
  exit 0
fi

if ! git rev-parse -q --verify "$base^{commit}" >/dev/null; then
  echo "format check: base $base is not a commit here" >&2
  exit 1
fi

# file -> "--lines=a:b ..." for every hunk of the diff that adds lines.
declare -A ranges=()
file=""
while IFS= read -r line; do
  case "$line" in
    "+++ b/"*) file="${line#+++ b/}" ;;
    "@@ "*)
      # @@ -old[,n] +start[,count] @@
      added="${line#*+}"
      added="${added%% *}"
      start="${added%%,*}"
      count=1
      [ "$added" != "$start" ] && count="${added#*,}"
      if [ "$count" -gt 0 ]; then
        ranges["$file"]+=" --lines=$start:$((start + count - 1))"
      fi
      ;;
  esac
done < <(git diff -M -U0 --no-color --no-ext-diff --diff-filter=AMR "$base" -- '*.cpp' '*.h')

# Untracked files have no ranges: clang-format checks them whole.
while IFS= read -r -d '' new; do
  ranges["$new"]=" "
done < <(git ls-files -z --others --exclude-standard -- '*.cpp' '*.h')

failed=0
for f in "${!ranges[@]}"; do
  read -r -a lines <<<"${ranges[$f]}"
  if [ "$fix" = 1 ]; then
    "$clang_format" -i "${lines[@]}" "$f"
  elif ! "$clang_format" --dry-run -Werror "${lines[@]}" "$f"; then
    failed=$((failed + 1))
  fi
done

if [ "$failed" -gt 0 ]; then
  echo "format check: $failed file(s) have changed lines that need clang-format"
  echo "(tools/check-format.sh --fix formats just those lines)"
  exit 1
fi
echo "format check: ${#ranges[@]} changed file(s) since $(git rev-parse --short "$base") are formatted"
