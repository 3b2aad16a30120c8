# The slip editor's recalculation of a 99-line slip after one cell edit.
qvx_bench(bench_slips SOURCES bench_slips.cpp LINKS qvx_slips qvx_testsupport)
