#!/bin/bash
# The code names every string-table text by its constant (setup_text::,
# uninstall_text::): a bare number handed to a function that looks a text up
# is refused, wherever the call's lines break. Checks the C++ files under the
# given directories (default: this repository's src/ and apps/), prints each
# such call as file:line and ends with "N passed, M failed".
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
  set -- "$root/src" "$root/apps"
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
