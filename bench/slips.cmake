# The slip editor with a 99-line slip: one cell edit until repainted, and a
# new slip registered until its window has closed, beside the raw inserts.
qvx_bench(bench_slips SOURCES bench_slips.cpp bench_support.cpp bench_support.h raw_slips.cpp raw_slips.h
          LINKS qvx_slips qvx_testsupport SQLite::SQLite3 xcb)
