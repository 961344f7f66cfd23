# SPDX-License-Identifier: MIT
# How the sanitizers report, for scripts/sanitize.sh and scripts/coverage.sh
# (sourced). A smaller quarantine of freed memory than the default 256 MB: a
# freed block still waits for 32 MB of other frees before it is reused.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=32
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside system libraries, not ours to fix: see the file.
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
