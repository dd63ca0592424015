#!/bin/bash
# The code and the tests name every string-table text by its constant
# (setup_text::, uninstall_text::): a bare number handed to a function that
# looks a text up is refused, wherever the call's lines break. Checks the C++
# files under the given directories (default: src/, apps/, tests/ and bench/
# of KV_STRING_IDS_ROOT, this repository unless set), prints each such call as
# file:line and ends with "N passed, M failed". The numbers stand only in the
# string lists (src/common/*.def) and the table test that pairs each name
# with its number, which looks no text up by a literal.
root=${KV_STRING_IDS_ROOT:-$(cd "$(dirname "$0")/.." && pwd)}
if [ $# -eq 0 ]; then
  for dir in src apps tests bench; do
    [ -d "$root/$dir" ] && set -- "$@" "$root/$dir"
  done
fi

# The calls that take a string-table number: first, or after FindString's table.
lookups='\b(?:SetupString|UninstallString|FormatStatus|Refuse)\s*\(|\bFindString\s*\(\s*\w+\s*,'

# One pass over every file: a process per file made this check slow.
find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z |
  perl -e '
    my ($root, $lookups) = @ARGV;
    my ($passed, $failed) = (0, 0);
    my @files = do { local $/ = "\0"; map { chomp; $_ } <STDIN> };
    for my $file (@files) {
      open(my $in, "<", $file) or die "$file: $!\n";
      local $_ = do { local $/; <$in> };
      my $bad = 0;
      while (/(?:$lookups)\s*[-+]?[0-9]/g) {
        my $line = 1 + (substr($_, 0, $-[0]) =~ tr/\n//);
        (my $shown = $file) =~ s/^\Q$root\E\///;
        print "$shown:$line: a literal string number; use its setup_text:: or uninstall_text:: name\n";
        $bad = 1;
      }
      $bad ? $failed++ : $passed++;
    }
    print "$passed passed, $failed failed\n";
    exit($failed == 0 && $passed > 0 ? 0 : 1);
  ' "$root" "$lookups"
