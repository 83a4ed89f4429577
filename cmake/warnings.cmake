# The warning set of our own targets: warnings are bugs. vex_warnings() applies it to a target;
# scripts/windows-check.sh reads the same lists for its Windows compile, so the two cannot drift.
set(VEX_WARNING_FLAGS -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wold-style-cast)
# GCC 12 reports false "maybe-uninitialized" positives on std::optional<QString> at -O2.
set(VEX_GNU_WARNING_FLAGS -Wno-maybe-uninitialized)
